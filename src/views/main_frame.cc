// See main_frame.h. This file: the window and its parts, the dictionary
// features the commands ask about, and what the frame lets through while a
// search or a scan is busy.
#include "views/main_frame.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "shell/dict_session.h"
#include "shell/search_cycle.h"
#include "views/figure_window.h"
#include "views/folian_view.h"
#include "views/graphic_window.h"
#include "views/left_view.h"
#include "views/main_commands.h"
#include "views/search_bar.h"
#include "views/storage_watcher.h"

CMainFrame::CMainFrame(CDictSession& session, Edition edition, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_settings(session.Settings()), m_edition(edition) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QCoreApplication::applicationName());
  BuildPanes();
  BuildMenus();
  BuildToolBar();
  BuildAccelerators();
  BuildStatus();
  ApplyKeyTable();
  RestoreGeometry();
  ChooseOrientation();
  if (m_settings.bTaskTray) SetTrayIcon(true);
  WatchStorage(new CStorageWatcher(this));
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    if (m_searchBar->isAncestorOf(now) && m_searchBar->HasWordFocus()) m_lastPane = Pane::kSearchBox;
    else if (now == m_list || m_list->isAncestorOf(now)) m_lastPane = Pane::kHitList;
    else if (now == m_content || m_content->isAncestorOf(now)) m_lastPane = Pane::kContent;
    else m_lastPane = Pane::kOther;
    ScheduleStateUpdate();
  });
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  while (m_waitDepth > 0) SetWaitCursor(false);
}

void CMainFrame::BuildPanes() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_searchBar = new CSearchBar(m_settings, *this, Handheld(), central);
  m_splitter = new QSplitter(central);
  m_splitter->setObjectName(QStringLiteral("panes"));
  m_splitter->setChildrenCollapsible(false);
  m_list = new CLeftView(m_session, *this, m_splitter);
  m_list->setObjectName(QStringLiteral("hitList"));
  m_content = new CFolianView(m_session, m_splitter);
  m_content->setObjectName(QStringLiteral("contentView"));
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  layout->addWidget(m_searchBar);
  layout->addWidget(m_splitter, 1);
  setCentralWidget(central);

  m_content->SetFrame(this);
  m_content->SetFigureOpener([this](const CBitmapImage& image, int width, int height, bool stretch) {
    OpenFigure(image, width, height, stretch, this);
  });
  connect(m_content, &CFolianView::CommandRequested, this, &CMainFrame::OnViewCommand);
  // Keys typed into the list go on to the word box; the event lives only
  // for the call.
  connect(
      m_list, &CLeftView::ForwardToSearchBox, this,
      [this](QEvent* e) { QCoreApplication::sendEvent(m_searchBar->WordBox(), e); }, Qt::DirectConnection);
  m_cycle = std::make_unique<CSearchCycle>(m_settings, m_session.Books(), *this, *m_list);
}

// The Handheld PC frame shows the search cycle's status texts; the Pocket
// PC frame has no room for them.
void CMainFrame::BuildStatus() {
  if (!Handheld()) return;
  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("status"));
  statusBar()->addWidget(m_status, 1);
}

// A storage card arriving starts timer 102 (bReloadOnResume); when it
// fires the book list is read again, as UM_RELOAD_BOOKS.
void CMainFrame::WatchStorage(CStorageWatcher* watcher) {
  delete m_storage;
  m_storage = watcher;
  m_storage->SetReloadOnResume(m_settings.bReloadOnResume);
  connect(m_storage, &CStorageWatcher::reloadBooksRequested, this, [this] { ReloadBooks(); });
}

void CMainFrame::WatchStorageFolders(const QStringList& folders) { WatchStorage(new CStorageWatcher(folders, this)); }

CGraphicWindow& CMainFrame::Graphic() {
  if (m_graphic == nullptr) {
    m_graphic = new CGraphicWindow(m_session, *this, m_content->SoundPlayer(), this);
    connect(m_graphic, &CGraphicWindow::FrameCommand, this, [this](int id) { RunCommand(id); });
    connect(m_graphic, &CGraphicWindow::ComplexSearchSelected, this,
            [this](int entry) { m_complexDefinition = entry; });
  }
  return *m_graphic;
}

// Everything that names dictionaries by index or borrows their entries
// forgets them once the book list was rebuilt.
void CMainFrame::AfterBooksChanged() {
  m_list->Clear();
  m_content->Clear();
  if (m_graphic != nullptr) m_graphic->Clear();
  m_featuresDict = -1;
  m_shownDisplay = -1;
  m_complexDefinition = 0;
  if (m_settings.dictNo < 0 || m_settings.dictNo >= m_session.Count()) m_settings.dictNo = 0;
  ScheduleStateUpdate();
}

const DictFeatures& CMainFrame::Features() {
  if (m_featuresDict != m_settings.dictNo) {
    DictDisplay d = m_session.Display(m_settings.dictNo);
    m_features = d.reader != nullptr ? FeaturesOf(*d.reader) : DictFeatures{};
    m_featuresDict = m_settings.dictNo;
  }
  return m_features;
}

CMainFrame::Pane CMainFrame::FocusedPane() const { return m_lastPane; }

bool CMainFrame::Busy() const { return m_settings.m_searching != 0 || m_scanning; }

bool CMainFrame::OwnsWidget(QObject* object) const {
  return object->isWidgetType() && static_cast<QWidget*>(object)->window() == this;
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && m_started && !Busy()) {
    m_searchBar->FocusWord(true);
    SearchClipboard();
  }
  return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      if (Busy()) return FilterDuringSearch(watched, event);
      if (MatchKeyTable(watched, event)) return true;
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

// While a search or a scan runs, the window takes only what stops it: a
// click on the search button and the key table's ABORT. Other input to the
// window's widgets is dropped.
bool CMainFrame::FilterDuringSearch(QObject* watched, QEvent* event) {
  if (!OwnsWidget(watched)) return false;
  if (watched == m_searchBar->SearchButton()) return false;
  if (event->type() == QEvent::KeyPress) {
    uint16_t command = 0;
    auto* key = static_cast<QKeyEvent*>(event);
    if (MatchKey(key, &command) && command == kCmdAbort) Abort();
  }
  return true;
}

void CMainFrame::DeliverDeferred() {
  std::deque<CFrameMessage> held;
  held.swap(m_deferred);
  for (const CFrameMessage& message : held) Post(message);
}
