// See folian_view.h. This file: the pen (left button, tap-and-hold,
// double click), the keys of the view, the selection and the context menu.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "shell/dict_session.h"
#include "shell/frame.h"
#include "views/folian_view.h"
#include "views/qt_canvas.h"
#include "views/word_class.h"

// ---------------------------------------------------------------- selection

// The selection as the user makes it: `anchor` stays, `end` follows.
void CFolianView::SetSelection(int anchor, int end) {
  m_selAnchor = anchor;
  m_selEnd = end;
  m_model.SetSelection(anchor, end, Measure(), 0, 0);
  viewport()->update();
}

void CFolianView::DropSelection() {
  m_selAnchor = m_selEnd = 0;
  if (!m_model.HasSelection()) return;
  m_model.ResetSelection();
  viewport()->update();
}

void CFolianView::SelectAll() { SetSelection(0, static_cast<int>(m_model.Markup().size())); }

void CFolianView::SelectRange(int from, int to) { SetSelection(from, to); }

// A finished selection is also the primary selection, for a middle click
// elsewhere.
void CFolianView::PublishSelection() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!m_model.HasSelection() || !clipboard->supportsSelection()) return;
  clipboard->setText(QString::fromStdU16String(m_model.GetPlainText(kRangeSelection)), QClipboard::Selection);
}

// Selects the word under `page`; returns the class of its first character
// (0 when there is none).
int CFolianView::SelectWordAt(QPoint page) {
  const std::u16string& text = m_model.Markup();
  int index = CharFromPoint(page), from = 0, to = 0;
  WordAround(text, index, &from, &to);
  if (from >= to) return 0;
  SetSelection(from, to);
  return CharClass(text[static_cast<size_t>(from)]);
}

// ---------------------------------------------------------------------- pen

void CFolianView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QPoint at = event->position().toPoint();
  if (event->modifiers() & Qt::AltModifier) {
    ShowContextMenu(at);
    return;
  }
  // The press waits: held still it opens the menu, else it acts when the
  // pen moves or lifts.
  m_pressPending = true;
  m_pressPos = at;
  m_holdTimer.start();
}

void CFolianView::mouseMoveEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  if (m_pressPending) {
    if ((at - m_pressPos).manhattanLength() < QApplication::startDragDistance()) return;
    m_holdTimer.stop();
    m_pressPending = false;
    PenDown(m_pressPos);
  }
  if (m_dragging && (event->buttons() & Qt::LeftButton)) PenMove(at);
}

void CFolianView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (m_pressPending) {
    m_holdTimer.stop();
    m_pressPending = false;
    PenDown(m_pressPos);
  }
  PenUp();
}

void CFolianView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  CancelPress();
  m_dragging = false;
  SelectWordAt(event->position().toPoint() + ScrollPosition());
  PublishSelection();
}

void CFolianView::CancelPress() {
  m_holdTimer.stop();
  m_pressPending = false;
}

void CFolianView::OnHold() {
  if (!m_pressPending) return;
  m_pressPending = false;
  ShowContextMenu(m_pressPos);
}

bool CFolianView::InFullScreenCorner(QPoint window) const {
  int fs = m_model.LineMgr().GetFontSize();
  return window.x() >= 0 && window.x() <= 2 * fs / 3 && window.y() >= viewport()->height() - fs &&
         window.y() < viewport()->height();
}

void CFolianView::PenDown(QPoint window) {
  setFocus(Qt::MouseFocusReason);
  const QPoint page = window + ScrollPosition();
  if (const AttrRecord* record = m_model.AttrFromPoint(page.x(), page.y())) {
    AttrRecord copy = *record;  // acting may lay out anew
    if (ActOnRecord(copy)) return;
  }
  if (InFullScreenCorner(window)) {
    if (m_frame != nullptr) {
      m_frame->ToggleFullScreen();
      if (m_session.Settings().m_fullScreen == 0) m_frame->MoveFocus(0, kFocusHitList);
    }
    return;
  }
  DropSelection();
  int index = CharFromPoint(page);
  m_selAnchor = m_selEnd = index;
  m_dragging = true;
  if (m_session.Settings().bCursorMode) PlaceCaret(page);
}

void CFolianView::PenMove(QPoint window) {
  const QPoint page = window + ScrollPosition();
  SetSelection(m_selAnchor, CharFromPoint(page));
}

void CFolianView::PenUp() {
  if (!m_dragging) return;
  m_dragging = false;
  PublishSelection();
}

// --------------------------------------------------------------------- keys

void CFolianView::keyPressEvent(QKeyEvent* event) {
  const bool cursor = m_session.Settings().bCursorMode;
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) EnterKey();
      break;
    case Qt::Key_PageUp: PageUp(); break;
    case Qt::Key_PageDown: PageDown(); break;
    case Qt::Key_Up:
      if (cursor) CaretKey(event->key(), shift);
      else LineUp();
      break;
    case Qt::Key_Down:
      if (cursor) CaretKey(event->key(), shift);
      else LineDown();
      break;
    case Qt::Key_Left:
      if (cursor) CaretKey(event->key(), shift);
      else PageUp();
      break;
    case Qt::Key_Right:
      if (cursor) CaretKey(event->key(), shift);
      else PageDown();
      break;
    case Qt::Key_Home:
    case Qt::Key_End:
      if (cursor) CaretKey(event->key(), shift);
      break;
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      break;  // they act on release
    default:
      event->ignore();
      return;
  }
  event->accept();
}

void CFolianView::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  long target = -1;
  switch (event->key()) {
    case Qt::Key_Backspace: target = kFocusHitList; break;
    case Qt::Key_Tab: target = shift ? kFocusHitList : kFocusSearchBox; break;
    case Qt::Key_Backtab: target = kFocusHitList; break;
    case Qt::Key_Escape: target = kFocusSearchBox; break;
    default:
      event->ignore();
      return;
  }
  if (m_frame != nullptr) m_frame->MoveFocus(0, target);
  event->accept();
}

void CFolianView::EnterKey() {
  if (m_frame == nullptr) return;
  if (m_model.HasSelection()) {
    m_frame->Search(false, false);
    return;
  }
  if (!m_session.Settings().bCursorMode) {
    m_frame->MoveFocus(0, kFocusHitList);
    return;
  }
  // In cursor mode Enter taps the link under the cursor, or searches the
  // word there when it is one worth searching.
  const int fs = m_model.LineMgr().GetFontSize();
  const QPoint at = m_caretPoint + QPoint(fs / 4, fs / 2);
  if (const AttrRecord* record = m_model.AttrFromPoint(at.x(), at.y())) {
    AttrRecord copy = *record;
    ActOnRecord(copy);
    return;
  }
  if (IsSearchableClass(SelectWordAt(at))) {
    m_frame->Search(false, false);
  } else {
    DropSelection();
  }
}

// --------------------------------------------------------------------- menu

void CFolianView::contextMenuEvent(QContextMenuEvent* event) {
  CancelPress();
  QPoint at = event->reason() == QContextMenuEvent::Keyboard ? m_caretPoint - ScrollPosition() : event->pos();
  if (!viewport()->rect().contains(at)) at = viewport()->rect().center();
  ShowContextMenu(at);
}

QMenu* CFolianView::BuildContextMenu() {
  auto* menu = new QMenu(this);
  QAction* copy = menu->addAction(tr("コピー(&C)"));
  copy->setEnabled(m_model.HasSelection());
  connect(copy, &QAction::triggered, this, [this] { CopyText(kRangeSelection); });
  QAction* search = menu->addAction(tr("選択語で検索(&S)"));
  connect(search, &QAction::triggered, this, [this] { emit CommandRequested(kCommandSearchSelection); });
  QMenu* dictionaries = menu->addMenu(tr("辞書指定検索(&D)"));
  const int count = std::min(m_session.Count(), kCommandDictionaryLast - kCommandDictionaryFirst + 1);
  for (int i = 0; i < count; ++i) {
    QString name = QString::fromStdU16String(m_session.DisplayName(i));
    if (i < 16) name += QStringLiteral("(&%1)").arg(i, 1, 16).toUpper();
    QAction* item = dictionaries->addAction(name);
    connect(item, &QAction::triggered, this, [this, i] { emit CommandRequested(kCommandDictionaryFirst + i); });
  }
  return menu;
}

void CFolianView::ShowContextMenu(QPoint window) {
  if (m_menu != nullptr) m_menu->close();
  QMenu* menu = BuildContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  m_menu = menu;
  menu->popup(viewport()->mapToGlobal(window));
}
