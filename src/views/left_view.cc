// See left_view.h.
#include "views/left_view.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "layout/layout_book.h"
#include "shell/dict_session.h"
#include "shell/frame.h"
#include "shell/hit_rows.h"
#include "views/hit_list_model.h"
#include "views/hit_row_delegate.h"

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsNavigation(int key) {
  switch (key) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Home: case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

// Keys that act when released; their presses do nothing else.
bool ActsOnRelease(int key) {
  switch (key) {
    case Qt::Key_Backspace: case Qt::Key_Escape: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_Tab: case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

// A printable character typed without a command modifier.
bool IsTyping(const QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = e->text();
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  return true;
}

}  // namespace

CLeftView::CLeftView(CDictSession& session, CFrame& frame, QWidget* parent)
    : QListView(parent),
      m_session(session),
      m_frame(frame),
      m_model(new CHitListModel(session, this)),
      m_delegate(new CHitRowDelegate([this](int dict) { return BookFor(dict); }, this)) {
  setModel(m_model);
  setItemDelegate(m_delegate);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabKeyNavigation(false);
  setAttribute(Qt::WA_InputMethodEnabled);
  ApplyListFonts();
}

CLeftView::~CLeftView() = default;

int CLeftView::FillFromHits(int terms) {
  const CSettings& s = m_session.Settings();
  setUpdatesEnabled(false);
  m_books.clear();
  m_shownRow = -1;
  int rows = m_model->Fill(terms, s.bFindAllDict, s.dictNo);
  if (rows > 0) {
    const HitRow* first = Row(0);
    m_frame.ShowHit(first->hit, 1);
    SelectQuietly(0);
    m_shownRow = 0;
    MakeCurrent(first->dict);
  }
  setUpdatesEnabled(true);
  return rows;
}

void CLeftView::SelectNext() { Step(1); }
void CLeftView::SelectPrevious() { Step(-1); }

void CLeftView::Step(int delta) {
  int selected = SelectedRow();
  if (selected < 0) return;
  const HitRow* row = Row(selected + delta);
  if (row == nullptr) return;
  m_frame.ShowHit(row->hit, 0);
  SelectQuietly(selected + delta);
  m_shownRow = selected + delta;
  MakeCurrent(row->dict);
}

void CLeftView::Clear() {
  m_model->Clear();
  m_books.clear();
  m_shownRow = -1;
}

void CLeftView::ApplyListFonts() {
  m_delegate->ApplySettings(m_session);
  m_model->RenameRows();
  // The rows' size is cached with uniform item sizes; lay them out anew.
  scheduleDelayedItemsLayout();
  viewport()->update();
}

void CLeftView::SetUseSystemColours(bool on) {
  m_delegate->SetUseSystemColours(on);
  viewport()->update();
}

const DictHit* CLeftView::Hit(long display) const { return m_model->Rows().Hit(display); }

int CLeftView::RowCount() const { return m_model->rowCount(); }

int CLeftView::SelectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

const HitRow* CLeftView::Row(int row) const { return m_model->Row(row); }

void CLeftView::ChooseRow(int row) {
  const HitRow* r = Row(row);
  if (r == nullptr) return;
  m_shownRow = row;
  MakeCurrent(r->dict);
  m_frame.ShowHit(r->hit, 0);
}

void CLeftView::MakeCurrent(int dict) {
  CSettings& s = m_session.Settings();
  if (dict == s.dictNo) return;
  s.dictNo = dict;
  m_frame.SetTitle(dict);
}

void CLeftView::SelectQuietly(int row) {
  QModelIndex index = m_model->index(row, 0);
  if (!index.isValid()) return;
  m_quiet = true;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_quiet = false;
  scrollTo(index);
}

CLayoutBook* CLeftView::BookFor(int dict) {
  auto it = m_books.find(dict);
  if (it == m_books.end()) it = m_books.emplace(dict, m_session.LayoutBook(dict)).first;
  return it->second.get();
}

void CLeftView::TypeIntoSearchBox(QEvent* e) {
  m_frame.MoveFocus(0, kFocusSearchBox);
  emit ForwardToSearchBox(e);
  e->accept();
}

bool CLeftView::event(QEvent* e) {
  // Tab and Shift+Tab act when released, not as the widget focus chain.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      k->accept();
      return true;
    }
  }
  return QListView::event(e);
}

void CLeftView::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  const CSettings& s = m_session.Settings();
  if (e->matches(QKeySequence::Copy)) {
    // The frame's copy command has nothing to copy from the list; the
    // list's own copy of the row's text would shadow it.
    e->ignore();
  } else if (IsEnter(key)) {
    if (s.bPreView || (m_shownRow >= 0 && SelectedRow() == m_shownRow))
      m_frame.MoveFocus(1, kFocusHitList);
    e->accept();
  } else if (IsNavigation(key)) {
    m_keyMove = true;
    QListView::keyPressEvent(e);
    m_keyMove = false;
  } else if (ActsOnRelease(key)) {
    e->accept();
  } else if (IsTyping(e)) {
    TypeIntoSearchBox(e);
  } else {
    QListView::keyPressEvent(e);
  }
}

void CLeftView::keyReleaseEvent(QKeyEvent* e) {
  if (e->isAutoRepeat()) {
    e->accept();
    return;
  }
  const int key = e->key();
  const bool shift = (e->modifiers() & Qt::ShiftModifier) != 0;
  const int selected = SelectedRow();
  if (IsEnter(key)) {
    if (selected >= 0) ChooseRow(selected);
  } else if (IsNavigation(key)) {
    if (m_session.Settings().bPreView && selected >= 0 && selected != m_shownRow) ChooseRow(selected);
  } else if (key == Qt::Key_Backspace || key == Qt::Key_Escape || key == Qt::Key_Left) {
    m_frame.MoveFocus(0, kFocusSearchBox);
  } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    m_frame.MoveFocus(shift || key == Qt::Key_Backtab ? 2 : 1, kFocusHitList);
  } else if (key == Qt::Key_Right) {
    m_frame.MoveFocus(0, kFocusContentView);
  } else {
    QListView::keyReleaseEvent(e);
    return;
  }
  e->accept();
}

void CLeftView::inputMethodEvent(QInputMethodEvent* e) {
  if (!e->commitString().isEmpty() || !e->preeditString().isEmpty()) {
    TypeIntoSearchBox(e);
    return;
  }
  QListView::inputMethodEvent(e);
}

void CLeftView::mousePressEvent(QMouseEvent* e) {
  QListView::mousePressEvent(e);
  // A tap on the selected row that the keys reached without showing it.
  int selected = SelectedRow();
  if (e->button() == Qt::LeftButton && selected >= 0 && selected != m_shownRow &&
      indexAt(e->position().toPoint()).row() == selected) {
    ChooseRow(selected);
  }
}

void CLeftView::focusInEvent(QFocusEvent* e) {
  QListView::focusInEvent(e);
  if (m_shownRow >= 0 && SelectedRow() != m_shownRow) SelectQuietly(m_shownRow);
  if (m_session.Settings().ime_control) QGuiApplication::inputMethod()->hide();
  viewport()->update();
}

void CLeftView::focusOutEvent(QFocusEvent* e) {
  QListView::focusOutEvent(e);
  viewport()->update();
}

void CLeftView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QListView::selectionChanged(selected, deselected);
  if (m_quiet || m_keyMove || selected.isEmpty()) return;
  ChooseRow(selected.indexes().first().row());
}
