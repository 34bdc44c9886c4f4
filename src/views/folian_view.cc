// See folian_view.h. This file: showing entries and messages, the
// navigation history, clipboard copies, painting and the view's size.
#include "views/folian_view.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "catalog/nav_history.h"
#include "shell/dict_session.h"
#include "shell/frame.h"
#include "views/qt_canvas.h"
#include "views/qt_movie_player.h"
#include "views/qt_sound_player.h"

CFolianView::CFolianView(CDictSession& session, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_session(session),
      m_model(session),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_sound(std::make_unique<CQtSoundPlayer>()),
      m_movie(std::make_unique<CQtMoviePlayer>()),
      m_measureImage(1, 1, QImage::Format_RGB32) {
  m_measurePainter = std::make_unique<QPainter>(&m_measureImage);
  m_measure = std::make_unique<CQtCanvas>(*m_measurePainter);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // The scroll range is always one pixel taller than the view, so the
  // vertical bar is always there; saying so keeps the width steady.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &CFolianView::OnScrollAction);

  m_selectionTimer.setSingleShot(true);
  m_selectionTimer.setInterval(kSelectionDelayMs);
  connect(&m_selectionTimer, &QTimer::timeout, this, [this] {
    m_selectionDelayed = false;
    viewport()->update();
  });
  m_holdTimer.setSingleShot(true);
  m_holdTimer.setInterval(kHoldMs);
  connect(&m_holdTimer, &QTimer::timeout, this, &CFolianView::OnHold);
  m_model.SetViewWidth(viewport()->width());
  UpdateScrollRanges();
}

CFolianView::~CFolianView() {
  // The measuring painter must end before its image goes.
  m_measure.reset();
  m_measurePainter.reset();
}

void CFolianView::SetSoundPlayer(std::unique_ptr<CSoundPlayer> player) {
  if (m_sound) m_sound->Stop();
  m_sound = std::move(player);
}

void CFolianView::SetMoviePlayer(std::unique_ptr<CMoviePlayer> player) {
  if (m_movie) m_movie->Stop();
  m_movie = std::move(player);
}

void CFolianView::StopSound() { m_sound->Stop(); }

// ---------------------------------------------------------------- showing

void CFolianView::PushCurrent() {
  if (!m_model.HasEntry()) return;
  QPoint scroll = ScrollPosition();
  m_session.Books().PushPosition(NavRecord{m_model.Dict(), m_model.Page(), m_model.Offset(), scroll.x(), scroll.y()});
}

bool CFolianView::ShowEntry(int dict, int32_t page, int offset, bool pushHistory, int indentColumns) {
  if (m_session.Display(dict).reader == nullptr) return false;
  if (pushHistory) PushCurrent();
  m_model.SetViewWidth(viewport()->width());
  std::u16string word = m_frame != nullptr ? m_frame->SearchBoxText() : std::u16string();
  if (!m_model.ShowEntry(dict, page, offset, indentColumns, word, Measure())) return false;
  m_indentColumns = indentColumns;
  AfterShow();
  if (m_session.Settings().bAutoClip && hasFocus()) CopyFirstPage();
  return true;
}

bool CFolianView::ShowText(std::u16string_view text) {
  if (text.empty() || text.size() > static_cast<size_t>(m_model.MarkupCapacity())) {
    Clear();
    return false;
  }
  PushCurrent();
  m_model.SetViewWidth(viewport()->width());
  m_model.ShowText(text, Measure());
  AfterShow();
  return true;
}

void CFolianView::Clear() {
  m_model.Clear();
  AfterShow();
}

// What every new text starts with: no selection, no find position, the
// top-left of the text in view and the cursor there.
void CFolianView::AfterShow() {
  CancelPress();
  m_dragging = false;
  m_selAnchor = m_selEnd = 0;
  m_findPos = 0;
  m_selectionTimer.stop();
  m_selectionDelayed = false;
  UpdateScrollRanges();
  m_caretScrolls = true;
  ScrollTo(0, 0);
  m_caretScrolls = false;
  m_caretIndex = 0;
  m_caretPoint = m_caretRequest = QPoint(0, 0);
  if (m_session.Settings().bCursorMode) PlaceCaret(QPoint(0, 0));
  viewport()->update();
}

bool CFolianView::GoBack() {
  CBookList& books = m_session.Books();
  const CNavHistory& history = books.NavHistory();
  // Going back from the newest place first files it, so that forward
  // returns to it; the step over it lands on the place before.
  if (history.Index() == history.Top() && m_model.HasEntry()) {
    PushCurrent();
    NavRecord newest;
    books.StepBack(&newest);
  }
  NavRecord record;
  if (!books.StepBack(&record)) return false;
  return ShowRecord(record);
}

bool CFolianView::GoForward() {
  NavRecord record;
  if (!m_session.Books().StepForward(&record)) return false;
  return ShowRecord(record);
}

bool CFolianView::ShowRecord(const NavRecord& record) {
  if (!ShowEntry(record.subbook, record.page, record.offset, false, m_indentColumns)) return false;
  ScrollTo(record.hScroll, record.vScroll);
  CSettings& settings = m_session.Settings();
  if (record.subbook != settings.dictNo) {
    settings.dictNo = record.subbook;
    if (m_frame != nullptr) m_frame->SetTitle(record.subbook);
  }
  return true;
}

void CFolianView::ApplySettings() {
  m_model.ApplyFonts();
  QPoint scroll = ScrollPosition();
  if (m_model.HasEntry()) {
    ShowEntry(m_model.Dict(), m_model.Page(), m_model.Offset(), false, m_indentColumns);
  } else if (!m_model.Markup().empty()) {
    std::u16string text = m_model.Markup();
    m_model.ShowText(text, Measure());
    AfterShow();
  } else {
    UpdateScrollRanges();
  }
  ScrollTo(scroll.x(), scroll.y());
}

// --------------------------------------------------------------- clipboard

void CFolianView::PutOnClipboard(const std::u16string& text) {
  m_lastCopied = text.substr(0, kRememberedChars);
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void CFolianView::CopyFirstPage() {
  if (!m_model.HasEntry()) return;  // a message is not worth a copy
  std::u16string text = m_model.GetPlainText(kRangeFirstPage);
  if (!text.empty()) PutOnClipboard(text);
}

void CFolianView::CopyText(int range) {
  std::u16string text = GetPlainText(range);
  if (!text.empty()) PutOnClipboard(text);
}

std::u16string CFolianView::GetPlainText(int range) const { return m_model.GetPlainText(range, m_caretIndex); }

// -------------------------------------------------------------- geometry

QPoint CFolianView::ScrollPosition() const {
  return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CFolianView::PointFromChar(int index) {
  PagePoint p = m_model.PointFromChar(index, Measure());
  return QPoint(p.x, p.y);
}

int CFolianView::CharFromPoint(QPoint page) { return m_model.CharFromPoint(page.x(), page.y(), Measure()); }

int CFolianView::LinePitch() const {
  const CLineMgr& mgr = m_model.LineMgr();
  return mgr.GetLineHeight() + mgr.GetFontSize() * m_session.Settings().lineSpacing / 16;
}

int CFolianView::LineStep() const {
  return std::max(1, LinePitch() * std::max(1, m_session.Settings().scrollLines));
}

void CFolianView::UpdateScrollRanges() {
  int width = 0, height = 0;
  m_model.GetExtent(&width, &height);
  const QSize client = viewport()->size();
  // One pixel taller than the view at least, as the scroll range always was.
  height = std::max(height, client.height() + 1);
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, height - client.height()));
  v->setPageStep(std::max(1, client.height()));
  v->setSingleStep(LineStep());
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, width - client.width()));
  h->setPageStep(std::max(1, client.width()));
  h->setSingleStep(10);
}

void CFolianView::ScrollTo(int x, int y) {
  horizontalScrollBar()->setValue(x);
  verticalScrollBar()->setValue(y);
}

void CFolianView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (viewport()->width() != m_model.ViewWidth()) {
    RelayoutForWidth();
  } else {
    UpdateScrollRanges();
  }
}

// A new width lays the text out again: an entry is shown again from its
// book position, a message laid out anew.
void CFolianView::RelayoutForWidth() {
  if (m_model.HasEntry()) {
    ShowEntry(m_model.Dict(), m_model.Page(), m_model.Offset(), false, m_indentColumns);
    return;
  }
  m_model.SetViewWidth(viewport()->width());
  if (!m_model.Markup().empty()) m_model.Relayout(Measure());
  UpdateScrollRanges();
  viewport()->update();
}

// ---------------------------------------------------------------- painting

void CFolianView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const LayoutOptions& options = m_model.Options();
  CQtCanvas canvas(painter);
  canvas.SetPalette(palette());
  Colour background = options.useSystemColours ? canvas.GetSystemColour(SystemColour::kWindow)
                                               : options.backgroundColour;
  painter.fillRect(event->rect(), ToQColor(background));
  const QPoint scroll = ScrollPosition();
  const QSize client = viewport()->size();
  m_model.Draw(canvas, 0, 0, client.width(), client.height(), scroll.x(), scroll.y());
  PaintSelection(canvas, scroll.x(), scroll.y());
  PaintCaret(painter, scroll.x(), scroll.y());
}

// The selection is drawn whole on every paint: inverting it from nothing
// gives its full shape.
void CFolianView::PaintSelection(CQtCanvas& canvas, int scrollX, int scrollY) {
  if (!m_model.HasSelection() || m_selectionDelayed) return;
  int from = m_model.SelectionStart(), to = m_model.SelectionEnd();
  m_model.ResetSelection();
  m_model.SetSelection(from, to, canvas, scrollX, scrollY);
}

void CFolianView::PaintCaret(QPainter& painter, int scrollX, int scrollY) {
  if (!m_caretShown || !m_session.Settings().bCursorMode) return;
  int height = m_model.LineMgr().GetLineHeight();
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(m_caretPoint.x() - scrollX, m_caretPoint.y() - scrollY, std::max(2, m_caretWidth), height,
                   Qt::white);
  painter.restore();
}

// ------------------------------------------------------------------- focus

void CFolianView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  const CSettings& settings = m_session.Settings();
  // The input panel is for the search box; the text takes no typing.
  if (settings.ime_control) QGuiApplication::inputMethod()->hide();
  m_caretShown = settings.bCursorMode;
  if (m_caretShown) viewport()->update();
  if (settings.bAutoClip) CopyFirstPage();
}

void CFolianView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  CancelPress();
  if (m_caretShown) {
    m_caretShown = false;
    viewport()->update();
  }
}

bool CFolianView::focusNextPrevChild(bool) { return false; }
