// See main_frame.h. This file: start-up (the first-start sequence), the
// clipboard search on activation, and what the frame stores when it closes.
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QScreen>
#include <QSystemTrayIcon>

#include "catalog/book_list.h"
#include "shell/dict_session.h"
#include "shell/search_cycle.h"
#include "views/folian_view.h"
#include "views/graphic_window.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/search_bar.h"

namespace {

// Dialogs open one over the other at the most (a message over a progress
// window over a dialog, and some room).
constexpr int kMaxNestedDialogs = 8;

// showCmd values of the platform's window states.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;
// Clipboard text taken as a search word at most.
constexpr qsizetype kMaxClipboardWord = 255;

}  // namespace

void CMainFrame::Start() {
  if (m_settings.showCmd == kShowMaximized) showMaximized();
  else show();
  ApplyOrientation(m_orientation);
  Post(CFrameMessage::Startup());
}

// UM_STARTUP.
void CMainFrame::Startup() {
  if (m_started) return;
  m_searchBar->SelectType(m_settings.searchType);
  m_list->ApplyListFonts();
  ApplyTrailer();
  if (m_session.Count() == 0) EnsureBooks(false);
  m_searchBar->FillHistory(m_settings.m_history.List());
  RebuildDictionaryMenu();
  SelectDictionary(m_settings.dictNo);
  m_started = true;
  // A close asked for during the first scan waited for the scan to stop.
  if (m_closePending) {
    close();
    return;
  }
  SearchClipboard();
  Post(CFrameMessage::MoveFocus(0, kFocusSearchBox));
}

// Text on the clipboard is searched when the program comes to the front
// (bClipboardSearch), unless it is what the content view copied itself.
void CMainFrame::SearchClipboard() {
  if (!m_settings.bClipboardSearch || m_settings.bAutoClip) return;
  QString text = QGuiApplication::clipboard()->text().trimmed().left(kMaxClipboardWord);
  if (text.isEmpty()) return;
  QString copied = QString::fromStdU16String(m_content->LastCopiedText()).trimmed().left(kMaxClipboardWord);
  if (text == copied) return;
  PutHistoryWord(text.toStdU16String());
  Post(CFrameMessage::Search(false, false));
}

void CMainFrame::RestoreGeometry() {
  const QSize fallback = Handheld() ? QSize(800, 560) : QSize(360, 600);
  QRect saved(QPoint(m_settings.left, m_settings.top), QPoint(m_settings.right - 1, m_settings.bottom - 1));
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
  if (saved.width() >= 200 && saved.height() >= 150 && (available.isEmpty() || available.intersects(saved))) {
    resize(saved.size());
    move(saved.topLeft());
  } else {
    resize(available.isEmpty() ? fallback : fallback.boundedTo(available.size()));
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_tray != nullptr && m_tray->isVisible() && !m_quitting) {
    // With the notification icon, closing only puts the window away.
    event->ignore();
    showMinimized();
    if (m_graphic != nullptr) m_graphic->hide();
    return;
  }
  if (Busy()) {
    // The search ends first (after the dictionary it is in); then the
    // window closes.
    m_closePending = true;
    m_cancelScan = true;
    Abort();
    event->ignore();
    return;
  }
  StoreState();
  if (m_graphic != nullptr) m_graphic->close();
  event->accept();
}

void CMainFrame::Quit() {
  m_quitting = true;
  // A signal (a session's logout) may come while a dialog runs its own
  // loop: each open dialog ends as 中止 would end it, else the window
  // would close behind it and the program wait on it, its settings unsaved.
  for (int open = 0; open < kMaxNestedDialogs; ++open) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) break;
    dialog->reject();
  }
  close();
}

// The history box, the search type, the group's search options, the pane
// size and the window's place go into the settings and the book list,
// which the program then saves.
void CMainFrame::StoreState() {
  m_settings.m_history.SetList(m_searchBar->HistoryList());
  m_settings.searchType = m_searchBar->TypeSelection();
  StoreTrailer();
  if (!IsFullScreen()) m_settings.leftSize = ListPaneSize();
  const QRect r = normalGeometry();
  m_settings.left = r.left();
  m_settings.top = r.top();
  m_settings.right = r.left() + r.width();
  m_settings.bottom = r.top() + r.height();
  m_settings.showCmd = isMaximized() ? kShowMaximized : kShowNormal;
  SetTrayIcon(false);
}
