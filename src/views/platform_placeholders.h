// PLACEHOLDERS for platform pieces being built on another branch: the
// rescan roots, the key-press matching, the help page and the tool-button
// images. Replaced by the real ones (shell/scan_roots.h,
// shell/virtual_keys.h, shell/data_dir.h, views/tool_icons.h) when they
// land; nothing else may include this file.
#ifndef TOMELING_VIEWS_PLATFORM_PLACEHOLDERS_H_
#define TOMELING_VIEWS_PLATFORM_PLACEHOLDERS_H_

#include <QDesktopServices>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QStyle>
#include <QUrl>
#include <string>
#include <vector>

#include "shell/app_dir.h"
#include "shell/key_table.h"

inline constexpr int kPlaceholderRescanDepth = 999;

inline std::vector<std::string> PlaceholderScanRoots(bool findAllDrv) {
  if (findAllDrv) return {"/"};
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty() || !QDir::isAbsolutePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
  QString books = data + QStringLiteral("/tomeling/books");
  QDir().mkpath(books);
  return {books.toStdString()};
}

inline uint16_t PlaceholderVirtualKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint16_t>(0x41 + key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(0x30 + key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<uint16_t>(0x70 + key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Return: case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
  }
}

inline bool PlaceholderMatchKeyPress(const CKeyTable& table, int key, Qt::KeyboardModifiers m, uint16_t* command) {
  uint16_t vk = PlaceholderVirtualKey(key);
  if (vk == 0 || (m & Qt::MetaModifier)) return false;
  uint8_t mods = 0;
  if (m & Qt::ShiftModifier) mods |= kKeyShift;
  if (m & Qt::ControlModifier) mods |= kKeyControl;
  if (m & Qt::AltModifier) mods |= kKeyAlt;
  return table.MatchKey(vk, mods, command);
}

inline void PlaceholderOpenHelp() {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(ProgramDirectory()) + QStringLiteral("help/Tomeling.htm"));
  url.setFragment(QStringLiteral("Main_Contents"));
  QDesktopServices::openUrl(url);
}

inline QIcon PlaceholderToolIcon(const QStyle* style, int index) {
  static const char* const kTheme[] = {"go-previous", "go-next", "edit-find", "view-fullscreen"};
  static const QStyle::StandardPixmap kFallback[] = {QStyle::SP_ArrowBack, QStyle::SP_ArrowForward,
                                                     QStyle::SP_FileDialogContentsView, QStyle::SP_TitleBarMaxButton};
  return QIcon::fromTheme(QString::fromLatin1(kTheme[index]), style->standardIcon(kFallback[index]));
}

#endif  // TOMELING_VIEWS_PLATFORM_PLACEHOLDERS_H_
