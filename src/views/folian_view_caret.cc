// See folian_view.h. This file: cursor mode -- a caret on one character of
// the text that the cursor keys move by lines and characters, stepping
// over tags and entities, and that Shift turns into a selection.
#include <QScrollBar>
#include <algorithm>

#include "shell/dict_session.h"
#include "views/folian_view.h"
#include "views/qt_canvas.h"

namespace {

bool IsEntityChar(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

void CFolianView::SetCursorMode(bool on) {
  m_caretShown = on && hasFocus();
  if (on) PlaceCaret(m_caretRequest);
  viewport()->update();
}

void CFolianView::PlaceCaret(QPoint page) {
  m_caretRequest = page;
  SetCaret(CharFromPoint(page));
}

// The caret covers its character: as wide as the step to the next one on
// the same line, else half a font size.
void CFolianView::SetCaret(int index) {
  const int size = static_cast<int>(m_model.Markup().size());
  m_caretIndex = std::clamp(index, 0, size);
  m_caretPoint = PointFromChar(m_caretIndex);
  QPoint next = PointFromChar(NextIndex(m_caretIndex));
  int half = m_model.LineMgr().GetFontSize() / 2;
  m_caretWidth = next.y() == m_caretPoint.y() && next.x() > m_caretPoint.x() ? next.x() - m_caretPoint.x() : half;
  viewport()->update();
}

// Past the character at `index`: a whole entity, a CR LF pair, and the
// tags after it, which take no room.
int CFolianView::NextIndex(int index) const {
  const std::u16string& t = m_model.Markup();
  const int n = static_cast<int>(t.size());
  if (index >= n) return n;
  int i = index;
  if (t[static_cast<size_t>(i)] == u'&') {
    size_t semi = t.find(u';', static_cast<size_t>(i));
    i = semi != std::u16string::npos && semi - static_cast<size_t>(i) < 8 ? static_cast<int>(semi) + 1 : i + 1;
  } else if (t[static_cast<size_t>(i)] == u'\r' && i + 1 < n && t[static_cast<size_t>(i) + 1] == u'\n') {
    i += 2;
  } else {
    ++i;
  }
  return SkipTags(i);
}

int CFolianView::SkipTags(int index) const {
  const std::u16string& t = m_model.Markup();
  size_t i = static_cast<size_t>(std::max(index, 0));
  while (i < t.size() && t[i] == u'<') {
    size_t close = t.find(u'>', i);
    if (close == std::u16string::npos) break;
    i = close + 1;
  }
  return static_cast<int>(std::min(i, t.size()));
}

// One character back: over the tags before it to the character that
// precedes them, to the start of an entity landed in, to the CR of a CR LF.
int CFolianView::PreviousIndex(int index) const {
  const std::u16string& t = m_model.Markup();
  int i = std::min(index, static_cast<int>(t.size())) - 1;
  while (i > 0 && t[static_cast<size_t>(i)] == u'>') {
    size_t open = t.rfind(u'<', static_cast<size_t>(i));
    if (open == std::u16string::npos) break;
    i = static_cast<int>(open) - 1;
  }
  if (i <= 0) return 0;
  if (t[static_cast<size_t>(i)] == u'\n' && t[static_cast<size_t>(i) - 1] == u'\r') return i - 1;
  int j = i;
  if (t[static_cast<size_t>(j)] == u';') --j;
  while (j > 0 && i - j < 8 && IsEntityChar(t[static_cast<size_t>(j)])) --j;
  if (t[static_cast<size_t>(j)] == u'&' && j < i) return j;
  return i;
}

void CFolianView::CaretKey(int key, bool shift) {
  const int before = m_caretIndex;
  m_caretScrolls = true;
  switch (key) {
    case Qt::Key_Up: CaretUpDown(-1); break;
    case Qt::Key_Down: CaretUpDown(1); break;
    case Qt::Key_Left: SetCaret(PreviousIndex(before)); break;
    case Qt::Key_Right: SetCaret(NextIndex(before)); break;
    case Qt::Key_Home: SetCaret(CharFromPoint(QPoint(0, m_caretPoint.y()))); break;
    case Qt::Key_End: {
      int end = CharFromPoint(QPoint(m_model.ViewWidth(), m_caretPoint.y()));
      // A line that wraps ends where the next begins: stay on its last
      // character rather than show the caret on the next line.
      if (PointFromChar(end).y() != m_caretPoint.y()) end = PreviousIndex(end);
      SetCaret(end);
      break;
    }
    default: break;
  }
  if (key != Qt::Key_Up && key != Qt::Key_Down) {
    m_caretRequest = m_caretPoint;
    EnsureCaretVisible();
  }
  m_caretScrolls = false;
  if (shift) {
    int anchor = m_model.HasSelection() ? m_selAnchor : before;
    SetSelection(anchor, m_caretIndex);
    PublishSelection();
  } else {
    DropSelection();
  }
}

void CFolianView::CaretUpDown(int direction) {
  const CLineMgr& mgr = m_model.LineMgr();
  const int pitch = LinePitch();
  const int top = verticalScrollBar()->value(), bottom = top + viewport()->height();
  // A cursor scrolled out of sight comes back to the edge it left by.
  if (m_caretPoint.y() < top) {
    PlaceCaret(QPoint(m_caretRequest.x(), top + 2 * pitch));
  } else if (m_caretPoint.y() >= bottom) {
    PlaceCaret(QPoint(m_caretRequest.x(), bottom - pitch));
  }
  const int line = m_model.LineFromY(m_caretPoint.y()) + direction;
  if (line < 0 || line >= mgr.GetLineCount()) return;
  const LineRecord& target = mgr.Lines()[static_cast<size_t>(line)];
  if (direction < 0 && target.y < verticalScrollBar()->value()) {
    ScrollLines(-LineStep());
  } else if (direction > 0 && target.y + std::max<int>(target.height, mgr.GetLineHeight()) >
                                  verticalScrollBar()->value() + viewport()->height()) {
    ScrollLines(LineStep());
  }
  const QPoint request(m_caretRequest.x(), target.y);
  SetCaret(SkipTags(CharFromPoint(request)));
  m_caretRequest = request;
}

void CFolianView::EnsureCaretVisible() {
  const int height = m_model.LineMgr().GetLineHeight();
  QScrollBar* v = verticalScrollBar();
  if (m_caretPoint.y() < v->value()) {
    v->setValue(m_caretPoint.y());
  } else if (m_caretPoint.y() + height > v->value() + viewport()->height()) {
    v->setValue(m_caretPoint.y() + height - viewport()->height());
  }
}
