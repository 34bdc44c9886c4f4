// CSettings: every user option of the program, the per-dictionary
// configuration and the search-word history.
//
// Four stores feed it:
//   - the user options ("Globals"): an INI file kept by QSettings for the
//     organisation "Inkwold", section "Globals" (by default
//     ~/.config/Inkwold/Tomeling.ini), loaded by LoadGlobals at start-up
//     and written by SaveGlobals at exit and when the options are accepted;
//   - "profile.ini" in the application directory (dict_config.h), read at
//     construction, never written;
//   - "history.txt" in the application directory (catalog/word_history.h),
//     read at construction, written by SaveGlobals;
//   - "keycode.ini" (key_table.h), read at construction.
//
// Each option is a public field named like its key in the profile store,
// so that the code reads like the store: `settings.bFindAllDict`. Font
// names are text (UTF-16); paths and file names stay in the file system's
// own encoding (UTF-8).
//
// The store is replaced atomically: SaveGlobals writes a copy of the old
// file with the new Globals beside it and renames the copy over the
// original, so a full disk or a crash never loses the previous options.
#ifndef TOMELING_SHELL_SETTINGS_H_
#define TOMELING_SHELL_SETTINGS_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalog/word_history.h"
#include "shell/dict_config.h"
#include "shell/key_table.h"
#include "storage/atomic_file.h"

class CBookList;
class CGaijiMap;
struct GaijiMapRecord;

// The default face of every text font.
inline constexpr const char16_t* kDefaultFontName = u"ＭＳ Ｐゴシック";
inline constexpr int kSavedSettingsVersion = 114;

class CSettings {
 public:
  // Reads "keycode.ini", "profile.ini" and "history.txt" from `appDir`
  // (with or without a trailing '/'). `profilePath` is the INI file of the
  // Globals; empty picks the user's default store.
  explicit CSettings(const std::string& appDir, const std::string& profilePath = "");
  ~CSettings();

  // The Globals from the store, then the derived defaults and fallbacks.
  void LoadGlobals();
  // Writes every Globals key (version as 114), then "history.txt". False
  // when the store could not be written; the old store is then untouched.
  bool SaveGlobals(RenameFunction renameFn = nullptr);

  // Re-reads "profile.ini" (construction does it once). 0 when it cannot
  // be opened; the configuration keeps its defaults then.
  int ReadDictConfig(const std::string& path);
  // Hands the records of "profile.ini" to the dictionaries of `list`;
  // called whenever the list has been (re)built.
  void ApplyDictConfigs(CBookList& list);
  // The record that applies to dictionary i of the list last applied, or
  // nullptr.
  const DictConfig* ConfigForDict(int i) const;
  // Opens dictionary i and (re)applies its record to the opened reader:
  // EPWING subbooks open on first use and settle some flags at open.
  SubbookEntry* PrepareDict(CBookList& list, int i) const;
  // The name to show for dictionary i: the user's, the record's ABBREV,
  // else the catalog title.
  std::u16string DisplayName(CBookList& list, int i) const;
  // The external-character map of dictionary i, or nullptr
  // (FindDictGaijiMap). The maps of the application directory's GAIJI
  // folder are read on the first call (through the "GaijiMap.db" cache),
  // not at construction: most commands never show an entry.
  const GaijiMapRecord* GaijiMapForDict(CBookList& list, int i);

  // The large-screen test of LoadGlobals: a work area reaching beyond 639
  // pixels makes 24 the default font sizes. Without a screen (the
  // command-line tool) it stays 0 by 0, the small defaults.
  void SetWorkArea(int right, int bottom) {
    m_workRight = right;
    m_workBottom = bottom;
  }

  const std::string& AppDir() const { return m_appDir; }
  const std::string& ProfilePath() const { return m_profilePath; }
  // groupPath + groupName.
  std::string GroupFilePath() const;

  // ---- Globals, in the order they are loaded
  std::string groupPath;
  std::u16string fontName, fontNameEBG, fontNameEBXAC;
  int fontSize = 13;
  int fontSizeList = 12;
  bool bClearType = true;
  int maxBufSize = 2;
  int dictDepth = 11;
  std::string groupName = "TOMELING.grp";
  int layout = 0;
  int lineSpacing = 3;
  bool bStop = false;
  bool bClipboardSearch = false;
  bool bFindAllDrv = true;
  bool bStretchImg = false;
  bool bAutoSearch = true;
  int leftMargin = 2;
  int lenDictName = 3;
  bool bFindAllDict = false;
  int scrollLines = 2;
  int maxHit = 10000;
  int dictNo = 0;
  bool bMultiApp = false;
  int searchType = 0;
  bool romakana = false;
  bool bInlineImage = true;
  bool bIncrementalSearch = false;
  bool bUseItalic = true;
  bool bUseBold = true;
  bool bHighlight = true;
  bool bULLink = false;
  bool ime_control = true;
  bool bAdjustGaiji = true;
  int maxHistory = 1000;
  bool bNoticeNoHit = true;
  bool bTrimPunctuation = false;
  bool bTaskTray = false;
  bool bWordInflect = false;
  int focusAfterSearch = 1;
  bool bMonitorClipboard = false;
  bool bRuledLine = true;
  int EBXA_sampling = 18900;
  bool bAutoClip = false;
  bool bCursorMode = false;
  std::string mpegPlayerPath;
  bool bFullScreen = false;
  int searchRegion = 0;
  std::string dictPath;
  bool bReloadOnResume = true;
  bool bPreView = true;
  int left = 0, right = 0, top = 0, bottom = 0;
  int leftSize = 0;
  int showCmd = 1;
  bool bDictBar = true;
  // Added for the desktop, kept and written back like the rest:
  // "ja" or "en" chooses the user interface's language, anything else
  // (empty by default) leaves it to the desktop's locale; with
  // bUseSystemColor the views take the desktop's palette (readable on a
  // dark one too), without it the program's own colours on white.
  std::string language;
  bool bUseSystemColor = true;

  // ---- "profile.ini"
  RgbColour m_colorTitle{0, 0, 255};
  RgbColour m_colorLink{0, 128, 0};
  RgbColour m_colorBold{0, 0, 0};
  RgbColour m_colorItalic{0, 0, 0};
  RgbColour m_colorHighlight{255, 0, 0};
  int32_t m_iconSize = -1;
  uint16_t m_waitCursor = 0;
  std::vector<DictConfig> m_dictConfigs;

  // ---- state
  CWordHistory m_history;        // "history.txt"
  std::u16string m_lastSearchWord;
  int m_searching = 0;           // 1 while a search runs; clearing it aborts
  int m_fullScreen = 0;
  int m_orientation = 0;
  int m_version = 0;             // as read from the store
  CKeyTable m_keyTable;

 private:
  void ApplyProfileGlobals(const DictConfigFile& file);

  std::string m_appDir;
  std::string m_profilePath;
  int m_workRight = 0, m_workBottom = 0;
  std::vector<int> m_dictConfigOf;  // per dictionary: record index or -1
  std::unique_ptr<CGaijiMap> m_gaijiMaps;
};

// The movie player used when none is set or the one set is gone: the first
// of mpv, vlc and ffplay on $PATH, else xdg-open.
std::string DefaultMoviePlayer();

// "Linux 6.1.0" -- the kernel's name and release, for the about box.
std::string GetOsVersionText();

#endif  // TOMELING_SHELL_SETTINGS_H_
