// See main_frame.h. This file: the command table -- menus, tool buttons,
// accelerators and the key table -- with each command's action and its
// enabled and checked rules.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include "shell/dict_session.h"
#include "shell/virtual_keys.h"
#include "views/folian_view.h"
#include "views/left_view.h"
#include "views/main_commands.h"
#include "views/main_frame.h"
#include "views/search_bar.h"
#include "views/tool_icons.h"

namespace {

struct Accelerator {
  QKeyCombination keys;
  int command;
};

constexpr Accelerator kPocketPcAccelerators[] = {
    {Qt::CTRL | Qt::Key_C, kCmdCopy},
    {Qt::CTRL | Qt::Key_V, kCmdPaste},
    {Qt::CTRL | Qt::Key_X, kCmdCut},
};

// Ctrl+A is not in the Handheld PC table, but its menu item names it.
constexpr Accelerator kHandheldAccelerators[] = {
    {Qt::CTRL | Qt::Key_B, kCmdBack},         {Qt::CTRL | Qt::Key_C, kCmdCopy},
    {Qt::CTRL | Qt::Key_N, kCmdForward},      {Qt::CTRL | Qt::Key_V, kCmdPaste},
    {Qt::ALT | Qt::Key_Down, kCmdNextItem},   {QKeyCombination(Qt::Key_F1), kCmdHelp},
    {Qt::ALT | Qt::Key_Left, kCmdBack},       {Qt::ALT | Qt::Key_Right, kCmdForward},
    {Qt::ALT | Qt::Key_Up, kCmdPreviousItem}, {Qt::CTRL | Qt::Key_X, kCmdCut},
    {Qt::CTRL | Qt::Key_A, kCmdSelectAll},
};

// The search-type commands, in the order of the search-type box.
constexpr int kTypeCommands[] = {kCmdSearchWord, kCmdSearchEndword, kCmdSearchExact, kCmdSearchCross,
                                 kCmdSearchKeyword};

int TypeOfCommand(int id) {
  for (int t = 0; t < 5; ++t)
    if (kTypeCommands[t] == id) return t;
  return -1;
}

bool IsToggle(int id) {
  switch (id) {
    case kCmdCursorMode:
    case kCmdClipboardSearch:
    case kCmdFindAllDict:
    case kCmdIncremental:
    case kCmdWordInflect:
    case kCmdContinuous:
      return true;
    default:
      return TypeOfCommand(id) >= 0;
  }
}

// Key-table commands that fall into the dictionaries' range.
bool IsReservedInDictionaryRange(int id) {
  return id == kCmdSearchFullText || id == kCmdNextItem || id == kCmdPreviousItem || id == kCmdEditor ||
         id == kCmdOnlineSearch;
}

}  // namespace

// ---------------------------------------------------------------- building

QMenu* CMainFrame::AddMenu(const char* title) {
  QMenu* menu = menuBar()->addMenu(QCoreApplication::translate("CMainFrame", title));
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
  return menu;
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id) {
  QAction*& action = m_actions[id];
  if (action == nullptr) {
    action = new QAction(CommandMenuText(id, Handheld()), this);
    action->setCheckable(IsToggle(id));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
  }
  if (menu != nullptr) menu->addAction(action);
  return action;
}

// Items of a menu in order; 0 stands for a separator.
void CMainFrame::AddCommands(QMenu* menu, std::initializer_list<int> ids) {
  for (int id : ids) {
    if (id == 0) menu->addSeparator();
    else AddCommand(menu, id);
  }
}

void CMainFrame::BuildMenus() {
  if (Handheld())
    AddCommands(AddMenu(QT_TRANSLATE_NOOP("CMainFrame", "ファイル")),
                {kCmdAddDictionary, kCmdRescan, 0, kCmdEditGroup, 0, kCmdExit});
  m_dictMenu = AddMenu(QT_TRANSLATE_NOOP("CMainFrame", "辞書"));
  m_dictMenu->setObjectName(QStringLiteral("dictionaryMenu"));
  AddCommands(AddMenu(QT_TRANSLATE_NOOP("CMainFrame", "編集")),
              {kCmdCut, kCmdCopy, kCmdPaste, kCmdSelectAll, 0, kCmdFindText, kCmdFindNext, 0, kCmdLoadHistory,
               kCmdSaveHistory, kCmdClearHistory});
  AddCommands(AddMenu(QT_TRANSLATE_NOOP("CMainFrame", "検索")),
              {kCmdSearchWord, kCmdSearchEndword, kCmdSearchExact, kCmdSearchCross, kCmdSearchKeyword, 0,
               kCmdMenuSearch, kCmdComplexSearch, kCmdGraphicMenu, 0, kCmdClipboardSearch, kCmdFindAllDict,
               kCmdIncremental, kCmdWordInflect});
  // The search types are one choice: radio items.
  auto* types = new QActionGroup(this);
  for (int id : kTypeCommands) types->addAction(Action(id));
  // Without a "ファイル" menu its items lead the "ツール" menu.
  QMenu* tools = AddMenu(QT_TRANSLATE_NOOP("CMainFrame", "ツール"));
  if (!Handheld()) AddCommands(tools, {kCmdAddDictionary, kCmdRescan, kCmdEditGroup, 0});
  QMenu* go = tools->addMenu(tr("移動(&G)"));
  AddCommands(go, {kCmdBack, kCmdForward});
  AddCommands(tools, {kCmdCopyright, kCmdContinuous, kCmdCursorMode, 0, kCmdOptions, 0, kCmdHelp, kCmdAbout});
  if (!Handheld()) AddCommands(tools, {0, kCmdExit});
}

void CMainFrame::BuildToolBar() {
  m_toolBar = addToolBar(tr("ツール"));
  m_toolBar->setObjectName(QStringLiteral("toolButtons"));
  m_toolBar->setMovable(false);
  m_toolBar->setFloatable(false);
  m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
  const char* tips[] = {QT_TRANSLATE_NOOP("CMainFrame", "戻る"), QT_TRANSLATE_NOOP("CMainFrame", "進む"),
                        QT_TRANSLATE_NOOP("CMainFrame", "次の語の検索"), QT_TRANSLATE_NOOP("CMainFrame", "全画面表示")};
  for (int i = 0; i < kToolButtonCount; ++i) {
    QAction* action = AddCommand(nullptr, kToolButtonCommands[static_cast<size_t>(i)]);
    action->setIconVisibleInMenu(false);
    action->setToolTip(tr(tips[i]));
    m_toolBar->addAction(action);
  }
  ApplyIconSize();
}

// The accelerators act on the window's keys; they are separate from the
// menu items, whose texts alone show keys (in the Handheld PC build).
void CMainFrame::BuildAccelerators() {
  auto add = [this](const Accelerator& a) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(a.keys));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, id = a.command] { RunCommand(id); });
    m_accelerators.push_back(action);
  };
  if (Handheld()) {
    for (const Accelerator& a : kHandheldAccelerators) add(a);
  } else {
    for (const Accelerator& a : kPocketPcAccelerators) add(a);
  }
}

void CMainFrame::ApplyKeyTable() {
  const bool builtIn = !m_settings.m_keyTable.HasAccelerators();
  for (QAction* a : m_accelerators) a->setEnabled(builtIn);
}

// -------------------------------------------------------------- key table

bool CMainFrame::MatchKey(const QKeyEvent* key, uint16_t* command) const {
  return MatchKeyPress(m_settings.m_keyTable, key->key(), key->modifiers(), command);
}

// The key table sees a key before the widget that has the focus, except
// Enter and Tab in the search box, which the search bar handles first.
bool CMainFrame::MatchKeyTable(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
  if (!m_settings.m_keyTable.HasAccelerators() || !OwnsWidget(watched)) return false;
  if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (m_searchBar->HasWordFocus()) {
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        return false;
      default:
        break;
    }
  }
  uint16_t command = 0;
  if (!MatchKey(key, &command)) return false;
  event->accept();
  if (event->type() == QEvent::KeyPress && command != 0) RunCommand(command);
  return true;
}

// ---------------------------------------------------------------- running

bool CMainFrame::RunCommand(int id) {
  if (!CommandEnabled(id)) return false;
  bool done = (Handheld() && RunHandheldCommand(id)) || RunEditCommand(id) || RunViewCommand(id) ||
              RunSearchCommand(id) || RunFileCommand(id);
  if (!done && id >= kCommandDictionaryFirst && id <= kCommandDictionaryLast) {
    if (!IsReservedInDictionaryRange(id)) DictionaryCommand(id - kCommandDictionaryFirst);
    done = true;
  }
  ScheduleStateUpdate();
  return done;
}

bool CMainFrame::RunHandheldCommand(int id) {
  switch (id) {
    case kCmdSearchFullText: m_searchBar->SelectType(kSearchFullText); return true;
    case kCmdNextItem: m_list->SelectNext(); return true;
    case kCmdPreviousItem: m_list->SelectPrevious(); return true;
    default: return false;
  }
}

bool CMainFrame::RunEditCommand(int id) {
  const Pane pane = FocusedPane();
  switch (id) {
    case kCmdCut:
      m_searchBar->Cut();
      return true;
    case kCmdCopy:
      if (pane == Pane::kContent) m_content->CopyText(kRangeSelection);
      else if (pane != Pane::kHitList) m_searchBar->Copy();
      return true;
    case kCmdPaste:
      if (pane == Pane::kContent) {
        m_searchBar->FocusWord(true);
        m_searchBar->DeleteSelection();
        m_searchBar->Paste();
      } else if (pane != Pane::kHitList) {
        m_searchBar->Paste();
      }
      return true;
    case kCmdSelectAll:
      if (pane == Pane::kContent) m_content->SelectAll();
      else if (pane != Pane::kHitList) m_searchBar->SelectAll();
      return true;
    default:
      return false;
  }
}

bool CMainFrame::RunViewCommand(int id) {
  switch (id) {
    case kCmdBack: Back(); return true;
    case kCmdForward: Forward(); return true;
    case kCmdScrollUp:
    case kCmdScrollDown:
    case kCmdPageUp:
    case kCmdPageDown:
      m_content->ScrollCommand(id);
      return true;
    case kCmdFullScreen:
      SetFullScreen(!IsFullScreen());
      FocusPane(IsFullScreen() ? kFocusContentView : kFocusHitList);
      return true;
    case kCmdFocusBack: FocusBack(); return true;
    case kCmdNextPane: ActivatePane(1); return true;
    case kCmdPreviousPane: ActivatePane(-1); return true;
    case kCmdCursorMode:
      m_settings.bCursorMode = !m_settings.bCursorMode;
      m_content->setFocus(Qt::OtherFocusReason);
      m_content->SetCursorMode(m_settings.bCursorMode);
      return true;
    case kCmdContinuous: m_settings.bStop = !m_settings.bStop; return true;
    case kCmdFindText: FindText(); return true;
    case kCmdFindNext: m_content->FindText(m_searchWord, false); return true;
    case kCmdCopyright: ShowArea(true); return true;
    case kCmdGraphicMenu: OpenGraphicMenu(); return true;
    default: return false;
  }
}

bool CMainFrame::RunSearchCommand(int id) {
  if (int type = TypeOfCommand(id); type >= 0) {
    m_searchBar->SelectType(type);
    return true;
  }
  switch (id) {
    case kCmdSearch: Search(false, false); return true;
    case kCmdAbort: Abort(); return true;
    case kCmdMenuSearch: ShowMenu(); return true;
    case kCmdComplexSearch: ComplexSearch(); return true;
    case kCmdClipboardSearch: m_settings.bClipboardSearch = !m_settings.bClipboardSearch; return true;
    case kCmdFindAllDict: m_settings.bFindAllDict = !m_settings.bFindAllDict; return true;
    case kCmdIncremental: m_settings.bIncrementalSearch = !m_settings.bIncrementalSearch; return true;
    case kCmdWordInflect: m_settings.bWordInflect = !m_settings.bWordInflect; return true;
    default: return false;
  }
}

bool CMainFrame::RunFileCommand(int id) {
  switch (id) {
    case kCmdAddDictionary: AddDictionaryDialog(); return true;
    case kCmdRescan: RescanDictionaries(); return true;
    case kCmdEditGroup: EditGroups(); return true;
    case kCmdLoadHistory: LoadHistoryFile(); return true;
    case kCmdSaveHistory: SaveHistoryFile(); return true;
    case kCmdClearHistory: ClearHistory(); return true;
    case kCmdOptions: OpenOptions(); return true;
    case kCmdHelp: OpenHelp(); return true;
    case kCmdAbout: OpenAbout(); return true;
    case kCmdExit: Quit(); return true;
    case kCmdDefaultHelp:
    case kCmdEditor:
    case kCmdOnlineSearch:
      return true;  // kept in the key table for other builds; nothing here
    default:
      return false;
  }
}

// The content view's menu: "選択語で検索(&S)" and "辞書指定検索(&D)" items.
void CMainFrame::OnViewCommand(int id) {
  if (Busy()) return;
  if (id == kCommandSearchSelection) {
    m_viewAsked = true;
    Search(false, false);
    m_viewAsked = false;
  } else if (id >= kCommandDictionaryFirst && id - kCommandDictionaryFirst < m_bookItemCount) {
    m_viewAsked = true;
    DictionaryCommand(id - kCommandDictionaryFirst);
  }
}

// ------------------------------------------------------------------ rules

bool CMainFrame::CommandEnabled(int id) {
  if (Busy()) return id == kCmdAbort;
  const Pane pane = FocusedPane();
  if (int type = TypeOfCommand(id); type >= 0) {
    const DictFeatures& f = Features();
    const bool has[] = {f.word, f.endword, f.word, f.cross, f.keyword};
    return has[type];
  }
  switch (id) {
    case kCmdCut: return pane != Pane::kHitList && pane != Pane::kContent;
    case kCmdCopy: return pane != Pane::kContent || m_content->HasSelection();
    case kCmdFindNext: return !m_searchWord.empty();
    case kCmdMenuSearch: return Features().menu;
    case kCmdComplexSearch: return Features().complex;
    case kCmdGraphicMenu: return Features().graphicMenu;
    case kCmdCopyright: return Features().copyright;
    case kCmdBack: return m_session.Books().NavHistory().Index() > 0;
    case kCmdForward: {
      const CNavHistory& h = m_session.Books().NavHistory();
      return h.Index() < h.Top() - 1;
    }
    default: return true;
  }
}

bool CMainFrame::CommandChecked(int id) const {
  if (int type = TypeOfCommand(id); type >= 0) return m_searchBar->TypeSelection() == type;
  switch (id) {
    case kCmdCursorMode: return m_settings.bCursorMode;
    case kCmdClipboardSearch: return m_settings.bClipboardSearch;
    case kCmdFindAllDict: return m_settings.bFindAllDict;
    case kCmdIncremental: return m_settings.bIncrementalSearch;
    case kCmdWordInflect: return m_settings.bWordInflect;
    case kCmdContinuous: return !m_settings.bStop;
    default: return false;
  }
}

QAction* CMainFrame::Action(int id) const {
  auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateCommandStates() {
  for (auto& [id, action] : m_actions) {
    action->setEnabled(CommandEnabled(id));
    if (action->isCheckable()) action->setChecked(CommandChecked(id));
  }
  UpdateDictionaryChecks();
}

// Many events change what the commands may do; the tool buttons follow
// once the event is over, as the menus do when they open.
void CMainFrame::ScheduleStateUpdate() {
  if (m_statePending) return;
  m_statePending = true;
  QTimer::singleShot(0, this, [this] {
    m_statePending = false;
    UpdateCommandStates();
  });
}
