// CMainFrame: the main window of velloc and marrit -- menus, tool buttons,
// the search bar, and a splitter with the hit list (CLeftView) and the
// content view (CFolianView). It owns the search cycle and carries out
// every frame message (shell/frame.h) the search bar, the views, the
// graphic window and the dialogs send, and every command of the menus, the
// tool buttons, the accelerators and the key table (main_commands.h).
//
//   CDictSession session(options);
//   session.LoadGroup();                                   // the group file
//   CMainFrame frame(session, CMainFrame::Edition::kHandheldPc);
//   frame.Start();                                         // shown; UM_STARTUP posted
//   app.exec();
//   bool replaced = frame.ListReplaced();
//   ... the frame goes, then SaveSessionFiles(session, replaced)
//
// Two builds share it: the Pocket PC build (velloc) and the Handheld PC
// build (marrit), which adds the "ファイル" menu, the edit items' key texts,
// a larger accelerator table, the full-text item of the search-type box and
// the commands 32923 (full text), 32952 and 32953 (next and previous hit).
//
// Everything runs on the UI thread and searches are synchronous. While one
// runs (CSettings::m_searching) the frame lets through only what can stop
// it -- the search button, the key table's ABORT, closing the window -- and
// holds posted messages until it ends, so that nothing reaches a reader in
// the middle of its scan or rebuilds the book list under it.
//
// The code is split by concern: main_frame.cc (the window and its parts),
// main_frame_messages.cc (frame messages and the search cycle's requests),
// main_frame_commands.cc (the command table, menus, accelerators, the key
// table), main_frame_dict_menu.cc (dictionaries and groups),
// main_frame_dialogs.cc (dialogs and files), main_frame_lifecycle.cc
// (start-up and shut-down), main_frame_panes.cc (splitter, full screen,
// focus, the notification icon).
#ifndef TOMELING_VIEWS_MAIN_FRAME_H_
#define TOMELING_VIEWS_MAIN_FRAME_H_

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/dict_features.h"
#include "shell/frame.h"
#include "storage/atomic_file.h"

class CDictSession;
class CFolianView;
class CGraphicWindow;
class CLeftView;
class CSearchBar;
class CSearchCycle;
class CSettings;
class CStorageWatcher;
class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QToolBar;

class CMainFrame : public QMainWindow, public CFrame {
  Q_OBJECT

 public:
  enum class Edition { kPocketPc, kHandheldPc };
  // Layouts (m_orientation): panes one above the other, or side by side.
  static constexpr int kPortrait = 1;
  static constexpr int kLandscape = 2;
  // Default size of the hit-list pane when leftSize is 0.
  static constexpr int kDefaultListWidth = 200;
  static constexpr int kDefaultListHeight = 80;
  // UM_TRAY's mouse events: the platform's left-button messages.
  static constexpr long kTrayLeftButtonDown = 0x0201;
  static constexpr long kTrayLeftButtonDoubleClick = 0x0203;

  CMainFrame(CDictSession& session, Edition edition, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Shows the window and posts the first-start sequence (UM_STARTUP).
  void Start();
  Edition GetEdition() const { return m_edition; }
  bool Handheld() const { return m_edition == Edition::kHandheldPc; }

  // ---- frame messages (main_frame_messages.cc)
  void ShowHit(long display, long flag) override;
  void Search(bool incremental, bool currentDictOnly) override;
  void MoveFocus(long step, long target) override;
  void SetTitle(int dict) override;
  void ShowText(int32_t page, int offset) override;
  void ShowGraphic(int32_t page, int offset) override;
  void Startup() override;
  void Back() override;
  void Forward() override;
  void Abort() override;
  void Tray(long mouseEvent) override;
  void SearchBoxFocus(long wParam, long lParam) override;
  void ShowNamedGraphic(const std::u16string& name) override;
  void ToggleFullScreen() override;
  void ReloadBooks() override;
  void SearchDone(int terms, bool overflow) override;
  void ShowMenu() override;
  void Post(const CFrameMessage& message) override;
  using CFrame::MoveFocus;

  // ---- the search cycle's requests
  bool TakeSelection(std::u16string* word) override;
  std::u16string SearchBoxText() override;
  int SearchTypeSelection() override;
  void SetStatusText(const std::u16string& text) override;
  void ShowNoHitNotice(bool show) override;
  void PutHistoryWord(const std::u16string& word) override;
  void SetWaitCursor(bool on) override;
  void LeaveFullScreen() override;
  void StopSound() override;
  void PumpEvents() override;

  // ---- commands (main_frame_commands.cc)
  // Carries out command `id` when it is enabled; false otherwise.
  bool RunCommand(int id);
  bool CommandEnabled(int id);
  bool CommandChecked(int id) const;
  // The menu or tool-button action of a command, or nullptr.
  QAction* Action(int id) const;
  // Enables and checks every menu item and tool button by the rules.
  void UpdateCommandStates();
  // The key table changed: its bindings replace the built-in accelerators
  // (or give them back when it is empty).
  void ApplyKeyTable();

  // ---- dictionaries and groups (main_frame_dict_menu.cc)
  // Makes dictionary i current, or loads the group at position i of the
  // "辞書" menu.
  void SelectDictionary(int i);
  void RebuildDictionaryMenu();
  // Scans the storage cards and the user's book folder (everything with
  // bFindAllDrv) for books; the first dictionary becomes current.
  void RescanDictionaries();
  // Reads the group file again.
  void ReloadBookList();
  // Adds the book of `catalogPath` to the group and saves it; the new last
  // dictionary becomes current. False (and a message) when it has none.
  bool AddDictionary(const std::string& catalogPath);
  int BookItemCount() const { return m_bookItemCount; }

  // ---- history files (main_frame_dialogs.cc), what the load and save
  // dialogs do with the file chosen. A file that cannot be read leaves the
  // history as it was.
  bool LoadHistoryFrom(const std::string& path);
  bool SaveHistoryTo(const std::string& path);

  // ---- panes (main_frame_panes.cc)
  void SetFullScreen(bool on);
  bool IsFullScreen() const;
  int Orientation() const { return m_orientation; }
  // The hit-list pane's size: its width side by side, else its height.
  int ListPaneSize() const;

  // ---- shut-down (main_frame_lifecycle.cc)
  // Whether the book list was replaced as a whole (a rescan), so that its
  // group file is saved even if books named there are away.
  bool ListReplaced() const { return m_listReplaced; }
  // Closes for good, also when the notification icon would only hide the
  // window.
  void Quit();

  // ---- parts, for the program and the tests
  CDictSession& Session() { return m_session; }
  CSearchBar* SearchBar() const { return m_searchBar; }
  CLeftView* HitList() const { return m_list; }
  CFolianView* ContentView() const { return m_content; }
  QSplitter* Splitter() const { return m_splitter; }
  QToolBar* ToolBar() const { return m_toolBar; }
  QMenu* DictionaryMenu() const { return m_dictMenu; }
  CGraphicWindow* GraphicWindow() const { return m_graphic; }
  QSystemTrayIcon* TrayIcon() const { return m_tray; }
  CStorageWatcher* StorageWatcher() const { return m_storage; }
  // Watches `folders` for storage cards in place of the desktop's mount
  // folders (tests).
  void WatchStorageFolders(const QStringList& folders);
  CSearchCycle& Cycle() { return *m_cycle; }
  const std::u16string& SearchWord() const { return m_searchWord; }
  bool StartupDone() const { return m_started; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Pane { kOther, kSearchBox, kHitList, kContent };

  // main_frame.cc: the window
  void BuildPanes();
  void BuildStatus();
  CGraphicWindow& Graphic();
  void AfterBooksChanged();
  const DictFeatures& Features();
  Pane FocusedPane() const;
  // A search or a book scan runs.
  bool Busy() const;
  bool OwnsWidget(QObject* object) const;
  bool FilterDuringSearch(QObject* watched, QEvent* event);
  void DeliverDeferred();
  // main_frame_commands.cc
  void BuildMenus();
  QMenu* AddMenu(const char* title);
  QAction* AddCommand(QMenu* menu, int id);
  void AddCommands(QMenu* menu, std::initializer_list<int> ids);
  void BuildToolBar();
  void BuildAccelerators();
  bool RunEditCommand(int id);
  bool RunViewCommand(int id);
  bool RunSearchCommand(int id);
  bool RunFileCommand(int id);
  bool RunHandheldCommand(int id);
  void OnViewCommand(int id);
  bool MatchKeyTable(QObject* watched, QEvent* event);
  bool MatchKey(const QKeyEvent* key, uint16_t* command) const;
  void ScheduleStateUpdate();
  // main_frame_dict_menu.cc
  void SelectGroup(const QString& fileName);
  void DictionaryCommand(int i);
  void RebuildMenu(bool scanned);
  void FillDictionaryMenu();
  void UpdateDictionaryChecks();
  std::vector<QString> GroupFiles() const;
  bool LoadSomeGroup();
  bool EnsureBooks(bool scanned);
  void ScanForBooks();
  void ApplyTrailer();
  void StoreTrailer();
  void AutoSearch(const DictFeatures& features);
  // main_frame_dialogs.cc
  void AddDictionaryDialog();
  void EditGroups();
  void OpenOptions();
  void ApplyOptionChanges(unsigned changes);
  void FindText();
  void LoadHistoryFile();
  void SaveHistoryFile();
  void ClearHistory();
  void ComplexSearch();
  void OpenGraphicMenu();
  void ShowArea(bool copyright);
  void OpenHelp();
  void OpenAbout();
  // main_frame_lifecycle.cc
  void StoreState();
  void RestoreGeometry();
  void SearchClipboard();
  // main_frame_panes.cc
  void ChooseOrientation();
  void ApplyOrientation(int orientation);
  void FocusPane(int target);
  void FocusBack();
  void ActivatePane(int direction);
  void SetTrayIcon(bool on);
  void ApplyIconSize();
  void WatchStorage(CStorageWatcher* watcher);

  CDictSession& m_session;
  CSettings& m_settings;
  const Edition m_edition;
  std::unique_ptr<CSearchCycle> m_cycle;

  CSearchBar* m_searchBar = nullptr;
  QSplitter* m_splitter = nullptr;
  CLeftView* m_list = nullptr;
  CFolianView* m_content = nullptr;
  CGraphicWindow* m_graphic = nullptr;
  QToolBar* m_toolBar = nullptr;
  QMenu* m_dictMenu = nullptr;
  QLabel* m_status = nullptr;
  QSystemTrayIcon* m_tray = nullptr;
  CStorageWatcher* m_storage = nullptr;
  std::map<int, QAction*> m_actions;
  std::vector<QAction*> m_accelerators;
  std::vector<QString> m_groupItems;  // the group files listed in the menu

  std::u16string m_searchWord;
  int m_bookItemCount = 0;
  long m_shownDisplay = -1;
  int m_complexDefinition = 0;
  int m_orientation = kLandscape;
  int m_waitDepth = 0;
  DictFeatures m_features;
  int m_featuresDict = -1;
  bool m_started = false;
  bool m_listReplaced = false;
  bool m_closePending = false;
  bool m_quitting = false;
  bool m_incremental = false;  // an incremental search is being finished
  bool m_viewAsked = false;    // the content view asked for the search
  bool m_statePending = false;
  bool m_scanning = false;
  bool m_cancelScan = false;
  std::deque<CFrameMessage> m_deferred;
  Pane m_lastPane = Pane::kOther;
};

#endif  // TOMELING_VIEWS_MAIN_FRAME_H_
