// The images of the four tool buttons: back (32902), forward (32903), find
// next (33006) and full screen (33008), left to right.
//
// The desktop theme's icons come first (go-previous, go-next, edit-find,
// view-fullscreen), so the buttons look like the rest of the desktop, dark
// themes included; where the theme has none, the project's own images
// serve (drawn in data/icons/toolbar, compiled in as resources), at 16 and
// 32 pixels with @2x renders for high-density screens.
//
// Small or large follows the iconSize value of "profile.ini": 0 small, 1
// large, anything else large when the screen's small icons are 30 device
// pixels or more (the style's small-icon size times the device pixel
// ratio).
//
// In velloc a "ToolBar.bmp" in the application directory replaces the
// images: the bitmap is cut into four cells of equal width, left to right
// back, forward, find next, full screen (columns left over on the right
// are dropped). A file that is missing, not a regular file, not a BMP,
// damaged, narrower than four pixels or larger than 1024 by 256 keeps the
// usual images. marrit has no replaceable bitmap and passes no path.
//
//   bool large = UseLargeToolIcons(settings.m_iconSize, SmallIconDevicePixels(this));
//   ToolIcons icons = ToolButtonIcons(large, appDir + "ToolBar.bmp");
//   toolBar->setIconSize(ToolIconSize(large));
//   for (int i = 0; i < kToolButtonCount; ++i)
//     toolBar->addAction(icons[i], ...)->setData(kToolButtonCommands[i]);
#ifndef TOMELING_VIEWS_TOOL_ICONS_H_
#define TOMELING_VIEWS_TOOL_ICONS_H_

#include <QIcon>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

class QWidget;

enum ToolButton { kToolBack, kToolForward, kToolFindNext, kToolFullScreen, kToolButtonCount };
inline constexpr std::array<int, kToolButtonCount> kToolButtonCommands = {32902, 32903, 33006, 33008};

using ToolIcons = std::array<QIcon, kToolButtonCount>;

// Whether the large images are used, for the iconSize value and the
// screen's small-icon size in device pixels.
bool UseLargeToolIcons(int iconSize, int smallIconDevicePixels);
// The small-icon size of `widget`'s style and screen, in device pixels.
int SmallIconDevicePixels(const QWidget* widget);
// The tool bar's icon size (logical pixels): 16 small, 32 large.
QSize ToolIconSize(bool large);

// The project's own images.
ToolIcons OwnToolIcons(bool large);
// The theme's icons, the project's own where the theme has none.
ToolIcons DefaultToolIcons(bool large);
// The four cells of a "ToolBar.bmp", or nothing when the file is unusable.
std::optional<ToolIcons> LoadToolBarBitmap(const QString& path);
// The cells of `toolBarBitmap` when it is given and usable, else
// DefaultToolIcons.
ToolIcons ToolButtonIcons(bool large, const QString& toolBarBitmap);

#endif  // TOMELING_VIEWS_TOOL_ICONS_H_
