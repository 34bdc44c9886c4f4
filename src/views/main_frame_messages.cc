// See main_frame.h. This file: the frame messages and the search cycle's
// requests.
#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "reader/menu_info.h"
#include "shell/dict_session.h"
#include "shell/search_cycle.h"
#include "views/folian_view.h"
#include "views/graphic_window.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/search_bar.h"

void CMainFrame::Post(const CFrameMessage& message) {
  QMetaObject::invokeMethod(
      this,
      [this, message] {
        // Held while a search or a scan runs: it might read the book the
        // search is reading, or a list that is being rebuilt.
        if (Busy()) {
          m_deferred.push_back(message);
          return;
        }
        message.DeliverTo(*this);
        ScheduleStateUpdate();
      },
      Qt::QueuedConnection);
}

void CMainFrame::ShowHit(long display, long flag) {
  if (Busy()) return;
  m_content->StopSound();
  const DictHit* hit = m_list->Hit(display);
  if (hit == nullptr) return;
  const bool wait = m_settings.m_waitCursor != 0;
  if (wait) SetWaitCursor(true);
  m_content->ShowEntry(hit->dict, hit->hit.textPage, hit->hit.textOffset, true, 0);
  if (wait) SetWaitCursor(false);
  m_shownDisplay = display;
  m_cycle->OnShowHit(static_cast<int>(flag));
  ScheduleStateUpdate();
}

void CMainFrame::Search(bool incremental, bool currentDictOnly) {
  if (Busy() || m_closePending) return;
  m_incremental = incremental;
  m_cycle->RunSearch(currentDictOnly ? false : m_settings.bFindAllDict, incremental);
  m_incremental = false;
  m_viewAsked = false;
  m_searchWord = m_settings.m_lastSearchWord;
  if (incremental) m_searchBar->FocusWord(false);
  DeliverDeferred();
  ScheduleStateUpdate();
  if (m_closePending) close();
}

void CMainFrame::MoveFocus(long step, long target) {
  // The search an edit started leaves the user typing on: no other pane,
  // no selection to type over.
  if (m_incremental) {
    m_searchBar->FocusWord(false);
    return;
  }
  FocusPane(MoveFocusTarget(step, target));
}

void CMainFrame::SetTitle(int dict) {
  QString name = QString::fromStdU16String(m_session.DisplayName(dict));
  setWindowTitle(name.isEmpty() ? QCoreApplication::applicationName() : name);
  UpdateDictionaryChecks();
  ScheduleStateUpdate();
}

void CMainFrame::ShowText(int32_t page, int offset) {
  if (Busy()) return;
  m_content->ShowEntry(m_settings.dictNo, page, offset & 0xFFFF, true, 0);
  raise();
  activateWindow();
}

void CMainFrame::ShowGraphic(int32_t page, int offset) {
  if (Busy()) return;
  CGraphicWindow& g = Graphic();
  g.ShowGraphicMenu(m_settings.dictNo, page, offset);
  g.show();
  g.raise();
}

void CMainFrame::Back() {
  if (!Busy()) m_content->GoBack();
}

void CMainFrame::Forward() {
  if (!Busy()) m_content->GoForward();
}

void CMainFrame::Abort() { m_cycle->AbortSearch(); }

void CMainFrame::Tray(long mouseEvent) {
  if (mouseEvent != kTrayLeftButtonDown && mouseEvent != kTrayLeftButtonDoubleClick) return;
  showNormal();
  raise();
  activateWindow();
}

// The content view keeps no state of its own about the search box's focus.
void CMainFrame::SearchBoxFocus(long, long) {}

void CMainFrame::ShowNamedGraphic(const std::u16string& name) {
  if (Busy()) return;
  const CContentModel& model = m_content->Model();
  int dict = model.HasEntry() ? model.Dict() : m_settings.dictNo;
  CGraphicWindow& g = Graphic();
  g.ShowMapText(name, dict);
  g.show();
  g.raise();
}

void CMainFrame::ToggleFullScreen() { SetFullScreen(!IsFullScreen()); }

void CMainFrame::ReloadBooks() {
  if (Busy()) {
    m_deferred.push_back(CFrameMessage::ReloadBooks());
    return;
  }
  ReloadBookList();
  RebuildDictionaryMenu();
}

void CMainFrame::SearchDone(int terms, bool overflow) { m_cycle->FinishSearch(terms, overflow); }

// The dictionary's menu in the content view, the focus as after a search.
void CMainFrame::ShowMenu() {
  if (Busy()) return;
  DictDisplay d = m_session.Display(m_settings.dictNo);
  const IndexEntry* area = d.reader != nullptr ? MenuArea(*d.reader) : nullptr;
  if (area == nullptr) return;
  m_content->ShowEntry(d.dict, area->startPage, 0, true, 0);
  switch (m_settings.focusAfterSearch) {
    case 1: FocusPane(kFocusHitList); break;
    case 2:
      FocusPane(kFocusHitList);
      FocusPane(kFocusContentView);
      break;
    default: FocusPane(kFocusSearchBox); break;
  }
}

// ------------------------------------------------------ the cycle's requests

// Only a search the content view asked for (its Enter, its menu, a key
// while it has the focus) takes its selection: a word typed into the
// search box is never replaced by a selection left in the view.
bool CMainFrame::TakeSelection(std::u16string* word) {
  if (!m_content->HasSelection() || !(m_viewAsked || m_content->hasFocus())) return false;
  m_content->CopyText(kRangeSelection);
  *word = m_content->GetPlainText(kRangeSelection);
  return !word->empty();
}

std::u16string CMainFrame::SearchBoxText() { return m_searchBar->Text(); }

int CMainFrame::SearchTypeSelection() { return m_searchBar->TypeSelection(); }

void CMainFrame::SetStatusText(const std::u16string& text) {
  if (m_status != nullptr) m_status->setText(QString::fromStdU16String(text));
}

void CMainFrame::ShowNoHitNotice(bool show) {
  if (show) m_content->ShowText(NoHitText());
  else m_content->Clear();
}

void CMainFrame::PutHistoryWord(const std::u16string& word) {
  m_searchBar->PutWord(word);
  m_cycle->ClearPendingHistory();
}

void CMainFrame::SetWaitCursor(bool on) {
  if (on) {
    if (m_waitDepth++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (m_waitDepth > 0 && --m_waitDepth == 0) {
    QApplication::restoreOverrideCursor();
  }
}

void CMainFrame::LeaveFullScreen() { SetFullScreen(false); }

void CMainFrame::StopSound() { m_content->StopSound(); }

// Once a page: the search button and the abort key get through here.
void CMainFrame::PumpEvents() { QCoreApplication::processEvents(); }
