// See folian_view.h. This file: scrolling by lines and pages, and
// continuous display -- the text extended to the book page before or after
// when the user scrolls past its top or bottom with bStop off.
#include <QScrollBar>

#include "shell/dict_session.h"
#include "views/folian_view.h"

void CFolianView::ScrollLines(int pixels) {
  QScrollBar* v = verticalScrollBar();
  v->setValue(v->value() + pixels);  // the bar keeps it in its range
}

void CFolianView::LineUp() {
  if (verticalScrollBar()->value() == 0) ExtendUp();
  ScrollLines(-LineStep());
}

void CFolianView::LineDown() {
  QScrollBar* v = verticalScrollBar();
  if (v->value() >= v->maximum()) ExtendDown();
  ScrollLines(LineStep());
}

void CFolianView::PageUp() {
  if (verticalScrollBar()->value() == 0) ExtendUp();
  ScrollLines(-viewport()->height());
}

void CFolianView::PageDown() {
  QScrollBar* v = verticalScrollBar();
  if (v->value() >= v->maximum()) ExtendDown();
  ScrollLines(viewport()->height());
}

bool CFolianView::ScrollCommand(int id) {
  switch (id) {
    case kCommandScrollUp: LineUp(); return true;
    case kCommandScrollDown: LineDown(); return true;
    case kCommandPageUp: PageUp(); return true;
    case kCommandPageDown: PageDown(); return true;
    default: return false;
  }
}

// The bar's own arrows extend the text like the line keys. The slider has
// already taken its new position when this runs; setting it here wins.
void CFolianView::OnScrollAction(int action) {
  QScrollBar* v = verticalScrollBar();
  if (action == QAbstractSlider::SliderSingleStepSub && v->value() == v->minimum()) {
    if (ExtendUp()) v->setSliderPosition(v->value() - v->singleStep());
  } else if (action == QAbstractSlider::SliderSingleStepAdd && v->value() == v->maximum()) {
    if (ExtendDown()) v->setSliderPosition(v->value() + v->singleStep());
  }
}

void CFolianView::scrollContentsBy(int dx, int dy) {
  // What stays in view moves; only the strip that comes in is painted.
  viewport()->scroll(dx, dy);
  // In cursor mode a scroll takes the cursor to the new top-left, unless
  // the cursor itself is what moved the view.
  if (m_session.Settings().bCursorMode && !m_caretScrolls) PlaceCaret(ScrollPosition());
}

// Upwards: the same page from its start, else the page before (not before
// the text's first page), with what was at the top kept at the top.
bool CFolianView::ExtendUp() {
  if (m_session.Settings().bStop || !m_model.HasEntry()) return false;
  int32_t page = 0;
  int offset = 0;
  if (!m_model.ExtendPosition(true, &page, &offset)) return false;
  std::u16string top = m_model.Markup().substr(0, kRememberedChars);
  if (!ShowEntry(m_model.Dict(), page, offset, false, m_indentColumns)) return false;
  size_t at = top.empty() ? std::u16string::npos : m_model.Markup().find(top);
  if (at != std::u16string::npos) ScrollTo(0, PointFromChar(static_cast<int>(at)).y());
  return true;
}

// Downwards: the next page (not past the text's last), with the text that
// was at the top-left found again from the end and kept at the top.
bool CFolianView::ExtendDown() {
  if (m_session.Settings().bStop || !m_model.HasEntry()) return false;
  int32_t page = 0;
  int offset = 0;
  if (!m_model.ExtendPosition(false, &page, &offset)) return false;
  QPoint scroll = ScrollPosition();
  int first = CharFromPoint(scroll);
  std::u16string top = m_model.Markup().substr(static_cast<size_t>(first), kRememberedChars);
  if (!ShowEntry(m_model.Dict(), page, offset, false, m_indentColumns)) return false;
  size_t at = top.empty() ? std::u16string::npos : m_model.Markup().rfind(top);
  if (at != std::u16string::npos) ScrollTo(0, PointFromChar(static_cast<int>(at)).y());
  return true;
}
