// The options the option sheet edits, apart from the settings object, so
// that the sheet works on a copy and the main window learns on OK what the
// user changed and so what it must redo.
//
//   OptionValues before = OptionValuesOf(settings);
//   ... the sheet edits a copy; on OK:
//   unsigned changed = AcceptOptions(settings, edited);   // stores, saves
//   if (changed & kChangedContentFonts) ...                // view fonts
//
// Font page: the three faces, the two sizes, line spacing and the display
// flags. Layout page: images, preview, full screen, the dictionary-name
// length, the left margin, the layout and the focus after a search.
// Option page: start-up, search-word, clipboard, tray and sound options,
// the text buffer and the movie player. The key bindings are not here:
// the sheet's Keycode page writes them to the key table itself.
#ifndef TOMELING_SHELL_OPTION_VALUES_H_
#define TOMELING_SHELL_OPTION_VALUES_H_

#include <string>

#include "storage/atomic_file.h"

class CSettings;

struct FontPageOptions {
  std::u16string fontName, fontNameEBG, fontNameEBXAC;
  bool bClearType = true;
  bool bUseItalic = true;
  bool bUseBold = true;
  bool bAdjustGaiji = true;
  bool bULLink = false;
  bool bHighlight = true;
  int fontSizeList = 12;
  int fontSize = 13;
  int lineSpacing = 3;
  bool bRuledLine = true;
  bool operator==(const FontPageOptions&) const = default;
};

struct LayoutPageOptions {
  bool bStretchImg = false;
  bool bInlineImage = true;
  bool bPreView = true;
  bool bFullScreen = false;
  int lenDictName = 3;
  int leftMargin = 2;
  int layout = 0;            // 0 AUTO, 1 PORTRAIT, 2 LANDSCAPE
  int focusAfterSearch = 1;  // 0 NONE, 1 LIST, 2 TEXT
  bool bUseSystemColor = true;
  bool operator==(const LayoutPageOptions&) const = default;
};

struct OptionPageOptions {
  bool bMultiApp = false;
  bool bNoticeNoHit = true;
  bool romakana = false;
  bool bTrimPunctuation = false;
  bool bMonitorClipboard = false;
  bool ime_control = true;
  bool bTaskTray = false;
  bool bAutoClip = false;
  bool bReloadOnResume = true;
  int maxBufSize = 2;
  int EBXA_sampling = 18900;
  std::string mpegPlayerPath;
  std::string language;  // "", "ja" or "en"; from the next start
  bool operator==(const OptionPageOptions&) const = default;
};

struct OptionValues {
  FontPageOptions font;
  LayoutPageOptions layout;
  OptionPageOptions other;
  bool operator==(const OptionValues&) const = default;
};

// What changed between two sets of values, as bits: what the main window
// must redo.
enum OptionChange : unsigned {
  kChangedContentFonts = 1,  // any Font-page value but fontSizeList: the content view's fonts and flags
  kChangedListFonts = 2,     // fontName, fontNameEBG, fontSizeList or bClearType: the hit list's font
  kChangedTrayIcon = 4,      // bTaskTray: add or remove the notification icon
  kChangedLeftMargin = 8,    // leftMargin: the content view shows the current hit again
  kChangedLayoutPage = 16,   // any Layout-page value
  kChangedOptionPage = 32,   // any Option-page value
};

// Font lines below this get no room for a ruled line between them.
constexpr int kRuledLineSpacing = 3;

OptionValues OptionValuesOf(const CSettings& settings);
void StoreOptionValues(const OptionValues& values, CSettings* settings);
unsigned OptionChanges(const OptionValues& before, const OptionValues& after);

// OK of the option sheet: stores `edited` in the settings and saves the
// Globals, changed or not. Returns the OptionChange bits against what the
// settings held; `saved` (may be null) tells whether the store was written.
unsigned AcceptOptions(CSettings& settings, const OptionValues& edited, bool* saved = nullptr,
                       RenameFunction renameFn = nullptr);

#endif  // TOMELING_SHELL_OPTION_VALUES_H_
