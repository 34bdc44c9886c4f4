// See main_frame.h. This file: the two panes -- the splitter's layout,
// full screen, moving the focus -- the tool buttons' size and the
// notification icon.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolBar>

#include "shell/dict_session.h"
#include "views/folian_view.h"
#include "views/left_view.h"
#include "views/main_commands.h"
#include "views/main_frame.h"
#include "views/search_bar.h"
#include "views/tool_icons.h"

// `layout` when set, else by the window's shape: side by side when it is
// wider than high.
void CMainFrame::ChooseOrientation() {
  int orientation = m_settings.layout;
  if (orientation != kPortrait && orientation != kLandscape)
    orientation = width() > height() ? kLandscape : kPortrait;
  if (orientation != m_orientation || !m_started) ApplyOrientation(orientation);
}

void CMainFrame::ApplyOrientation(int orientation) {
  const bool changed = orientation != m_orientation;
  m_orientation = orientation;
  m_settings.m_orientation = orientation;
  m_splitter->setOrientation(orientation == kLandscape ? Qt::Horizontal : Qt::Vertical);
  int first = m_settings.leftSize;
  if (first <= 0 || (changed && m_started)) first = orientation == kLandscape ? kDefaultListWidth : kDefaultListHeight;
  const int total = orientation == kLandscape ? m_splitter->width() : m_splitter->height();
  m_splitter->setSizes({first, std::max(total - first - m_splitter->handleWidth(), 1)});
}

int CMainFrame::ListPaneSize() const {
  const QList<int> sizes = m_splitter->sizes();
  return sizes.isEmpty() ? 0 : sizes.first();
}

bool CMainFrame::IsFullScreen() const { return m_settings.m_fullScreen != 0; }

// Full screen hides the hit list's pane; the content view takes the room.
void CMainFrame::SetFullScreen(bool on) {
  if (on == IsFullScreen()) return;
  if (on) m_settings.leftSize = ListPaneSize();
  m_settings.m_fullScreen = on ? 1 : 0;
  if (on && m_list->hasFocus()) m_content->setFocus(Qt::OtherFocusReason);
  m_list->setVisible(!on);
  if (!on) ApplyOrientation(m_orientation);
}

// 0 the search box, 1 the hit list (leaving full screen), 2 the content
// view (entering full screen with bFullScreen).
void CMainFrame::FocusPane(int target) {
  switch (target) {
    case kFocusHitList:
      SetFullScreen(false);
      m_list->setFocus(Qt::OtherFocusReason);
      break;
    case kFocusContentView:
      if (m_settings.bFullScreen) SetFullScreen(true);
      m_content->setFocus(Qt::OtherFocusReason);
      break;
    default:
      m_searchBar->FocusWord(true);
      break;
  }
}

// 33009: from the hit list to the search box, from the content view to the
// hit list.
void CMainFrame::FocusBack() {
  if (m_list->hasFocus()) FocusPane(kFocusSearchBox);
  else if (m_content->hasFocus()) FocusPane(kFocusHitList);
}

// The splitter's next or previous pane (the hit list, the content view).
void CMainFrame::ActivatePane(int direction) {
  const int now = m_list->hasFocus() ? 0 : m_content->hasFocus() ? 1 : -1;
  const int next = now < 0 ? (direction > 0 ? 0 : 1) : 1 - now;
  FocusPane(next == 0 ? kFocusHitList : kFocusContentView);
}

// Small or large buttons: ICONSIZE 0 or 1, else large on a screen whose
// small icons are 30 pixels or more.
void CMainFrame::ApplyIconSize() {
  const bool large = UseLargeToolIcons(m_settings.m_iconSize, SmallIconDevicePixels(this));
  // Only velloc lets a "ToolBar.bmp" replace the images.
  const QString bitmap =
      Handheld() ? QString() : QString::fromStdString(m_settings.AppDir()) + QStringLiteral("ToolBar.bmp");
  const ToolIcons icons = ToolButtonIcons(large, bitmap);
  for (int i = 0; i < kToolButtonCount; ++i)
    if (QAction* action = Action(kToolButtonCommands[static_cast<size_t>(i)])) action->setIcon(icons[static_cast<size_t>(i)]);
  m_toolBar->setIconSize(ToolIconSize(large));
}

// The icon goes where the desktop has a notification area; without one
// the option changes nothing.
void CMainFrame::SetTrayIcon(bool on) {
  if (!on || !QSystemTrayIcon::isSystemTrayAvailable()) {
    delete m_tray;
    m_tray = nullptr;
    return;
  }
  if (m_tray != nullptr) return;
  m_tray = new QSystemTrayIcon(windowIcon(), this);
  m_tray->setToolTip(tr("Folian"));
  auto* menu = new QMenu(this);
  menu->addAction(CommandMenuText(kCmdExit, Handheld()), this, &CMainFrame::Quit);
  connect(m_tray, &QObject::destroyed, menu, &QObject::deleteLater);
  m_tray->setContextMenu(menu);
  connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) Tray(kTrayLeftButtonDown);
    else if (reason == QSystemTrayIcon::DoubleClick) Tray(kTrayLeftButtonDoubleClick);
  });
  m_tray->show();
}
