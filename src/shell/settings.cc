#include "shell/settings.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <QSettings>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalog/book_list.h"
#include "decode/cp932.h"
#include "decode/gaiji_map.h"
#include "reader/eb_reader.h"
#include "shell/app_dir.h"

namespace {

// The numeric Globals. Booleans are stored as 0 and 1, like the integers.
struct IntKey {
  const char* key;
  int CSettings::*field;
  int fallback;
};
struct BoolKey {
  const char* key;
  bool CSettings::*field;
  bool fallback;
};

// fontSize and fontSizeList are not here: their defaults depend on the screen.
constexpr IntKey kIntKeys[] = {
    {"maxBufSize", &CSettings::maxBufSize, 2},
    {"dictDepth", &CSettings::dictDepth, 11},
    {"layout", &CSettings::layout, 0},
    {"lineSpacing", &CSettings::lineSpacing, 3},
    {"leftMargin", &CSettings::leftMargin, 2},
    {"lenDictName", &CSettings::lenDictName, 3},
    {"scrollLines", &CSettings::scrollLines, 2},
    {"maxHit", &CSettings::maxHit, 10000},
    {"dictNo", &CSettings::dictNo, 0},
    {"searchType", &CSettings::searchType, 0},
    {"maxHistory", &CSettings::maxHistory, 1000},
    {"focusAfterSearch", &CSettings::focusAfterSearch, 1},
    {"EBXA_sampling", &CSettings::EBXA_sampling, 18900},
    {"searchRegion", &CSettings::searchRegion, 0},
    {"left", &CSettings::left, 0},
    {"right", &CSettings::right, 0},
    {"top", &CSettings::top, 0},
    {"bottom", &CSettings::bottom, 0},
    {"leftSize", &CSettings::leftSize, 0},
    {"showCmd", &CSettings::showCmd, 1},
};

constexpr BoolKey kBoolKeys[] = {
    {"bClearType", &CSettings::bClearType, true},
    {"bStop", &CSettings::bStop, false},
    {"bClipboardSearch", &CSettings::bClipboardSearch, false},
    {"bFindAllDrv", &CSettings::bFindAllDrv, true},
    {"bStretchImg", &CSettings::bStretchImg, false},
    {"bAutoSearch", &CSettings::bAutoSearch, true},
    {"bFindAllDict", &CSettings::bFindAllDict, false},
    {"bMultiApp", &CSettings::bMultiApp, false},
    {"romakana", &CSettings::romakana, false},
    {"bInlineImage", &CSettings::bInlineImage, true},
    {"bIncrementalSearch", &CSettings::bIncrementalSearch, false},
    {"bUseItalic", &CSettings::bUseItalic, true},
    {"bUseBold", &CSettings::bUseBold, true},
    {"bHighlight", &CSettings::bHighlight, true},
    {"bULLink", &CSettings::bULLink, false},
    {"ime_control", &CSettings::ime_control, true},
    {"bAdjustGaiji", &CSettings::bAdjustGaiji, true},
    {"bNoticeNoHit", &CSettings::bNoticeNoHit, true},
    {"bTrimPunctuation", &CSettings::bTrimPunctuation, false},
    {"bTaskTray", &CSettings::bTaskTray, false},
    {"bWordInflect", &CSettings::bWordInflect, false},
    {"bMonitorClipboard", &CSettings::bMonitorClipboard, false},
    {"bRuledLine", &CSettings::bRuledLine, true},
    {"bAutoClip", &CSettings::bAutoClip, false},
    {"bCursorMode", &CSettings::bCursorMode, false},
    {"bFullScreen", &CSettings::bFullScreen, false},
    {"bReloadOnResume", &CSettings::bReloadOnResume, true},
    {"bPreView", &CSettings::bPreView, true},
    {"bDictBar", &CSettings::bDictBar, true},
    {"bUseSystemColor", &CSettings::bUseSystemColor, true},
};

int ReadInt(const QSettings& store, const char* key, int fallback) {
  QVariant v = store.value(QString::fromLatin1(key));
  bool ok = false;
  int n = v.toInt(&ok);
  return v.isValid() && ok ? n : fallback;
}

std::string ReadPath(const QSettings& store, const char* key, const std::string& fallback) {
  QVariant v = store.value(QString::fromLatin1(key));
  return v.isValid() ? v.toString().toStdString() : fallback;
}

std::u16string ReadText(const QSettings& store, const char* key, const std::u16string& fallback) {
  QVariant v = store.value(QString::fromLatin1(key));
  return v.isValid() ? v.toString().toStdU16String() : fallback;
}

std::string DefaultProfilePath() {
  QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Inkwold"), QStringLiteral("Tomeling"));
  return store.fileName().toStdString();
}

bool CopyFileBytes(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (in) out << in.rdbuf();
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

std::string DefaultMoviePlayer() {
  for (const char* player : {"mpv", "vlc", "ffplay"}) {
    std::string found = FindOnPath(player);
    if (!found.empty()) return found;
  }
  return "xdg-open";
}

std::string GetOsVersionText() {
  struct utsname u;
  if (uname(&u) != 0) return "Linux";
  return std::string(u.sysname) + " " + u.release;
}

CSettings::CSettings(const std::string& appDir, const std::string& profilePath)
    : fontName(kDefaultFontName),
      fontNameEBG(kDefaultFontName),
      fontNameEBXAC(kDefaultFontName),
      m_appDir(WithTrailingSlash(appDir)),
      m_profilePath(profilePath.empty() ? DefaultProfilePath() : profilePath) {
  groupPath = m_appDir;
  m_keyTable.Load(m_appDir + "keycode.ini");
  ReadDictConfig(m_appDir + "profile.ini");
  m_history.LoadHistory(m_appDir + "history.txt");
}

CSettings::~CSettings() = default;

int CSettings::ReadDictConfig(const std::string& path) {
  DictConfigFile file;
  int result = ::ReadDictConfig(path, &file);
  if (result != 0) ApplyProfileGlobals(file);
  return result;
}

void CSettings::ApplyProfileGlobals(const DictConfigFile& file) {
  m_iconSize = file.iconSize;
  if (file.maxHistory >= 0) maxHistory = file.maxHistory;
  m_waitCursor = file.waitCursor;
  m_colorTitle = file.colorTitle;
  m_colorLink = file.colorLink;
  m_colorBold = file.colorBold;
  m_colorItalic = file.colorItalic;
  m_colorHighlight = file.colorHighlight;
  m_dictConfigs = file.records;
}

void CSettings::LoadGlobals() {
  QSettings store(QString::fromStdString(m_profilePath), QSettings::IniFormat);
  store.beginGroup(QStringLiteral("Globals"));

  groupPath = ReadPath(store, "groupPath", m_appDir);
  std::string bare = groupPath;
  if (bare.size() > 1 && bare.back() == '/') bare.pop_back();
  if (!DirectoryExists(bare)) groupPath = m_appDir;

  fontName = ReadText(store, "fontName", kDefaultFontName);
  fontNameEBG = ReadText(store, "fontNameEBG", kDefaultFontName);
  fontNameEBXAC = ReadText(store, "fontNameEBXAC", kDefaultFontName);
  if (fontName.empty()) fontName = kDefaultFontName;

  bool large = m_workRight > 639 || m_workBottom > 639;
  fontSize = ReadInt(store, "fontSize", large ? 24 : 13);
  fontSizeList = ReadInt(store, "fontSizeList", large ? 24 : 12);
  if (fontSize == 0) fontSize = 13;

  for (const IntKey& k : kIntKeys) this->*k.field = ReadInt(store, k.key, k.fallback);
  for (const BoolKey& k : kBoolKeys) this->*k.field = ReadInt(store, k.key, k.fallback ? 1 : 0) != 0;
  groupName = ReadPath(store, "groupName", kDefaultListName);
  dictPath = ReadPath(store, "dictPath", "");
  language = ReadPath(store, "language", "");
  m_version = ReadInt(store, "version", 0);
  if (maxBufSize < 2) maxBufSize = 2;
  m_lastSearchWord.clear();
  m_searching = 0;
  m_fullScreen = 0;

  // A player named in the store that has since gone falls back too.
  mpegPlayerPath = ReadPath(store, "mpegPlayerPath", "");
  if (FindOnPath(mpegPlayerPath).empty()) mpegPlayerPath = DefaultMoviePlayer();
}

bool CSettings::SaveGlobals(RenameFunction renameFn) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(m_profilePath);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  // The new store is written beside the old one, keeping whatever else the
  // old one holds, and only a complete file replaces it.
  std::string temp = m_profilePath + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  close(fd);
  bool ok = CopyFileBytes(m_profilePath, temp);
  if (ok) {
    QSettings store(QString::fromStdString(temp), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("Globals"));
    auto put = [&store](const char* key, const QVariant& value) { store.setValue(QString::fromLatin1(key), value); };
    put("groupPath", QString::fromStdString(groupPath));
    put("fontName", QString::fromStdU16String(fontName));
    put("fontNameEBG", QString::fromStdU16String(fontNameEBG));
    put("fontNameEBXAC", QString::fromStdU16String(fontNameEBXAC));
    put("fontSize", fontSize);
    put("fontSizeList", fontSizeList);
    for (const IntKey& k : kIntKeys) put(k.key, this->*k.field);
    for (const BoolKey& k : kBoolKeys) put(k.key, this->*k.field ? 1 : 0);
    put("groupName", QString::fromStdString(groupName));
    put("mpegPlayerPath", QString::fromStdString(mpegPlayerPath));
    put("dictPath", QString::fromStdString(dictPath));
    put("language", QString::fromStdString(language));
    put("SearchWordList", QString());
    put("version", kSavedSettingsVersion);
    store.endGroup();
    store.sync();
    ok = store.status() == QSettings::NoError;
  }
  if (ok) ok = (renameFn != nullptr ? renameFn : ::rename)(temp.c_str(), m_profilePath.c_str()) == 0;
  fs::remove(temp, ec);
  fs::remove(temp + ".lock", ec);
  if (ok) m_version = kSavedSettingsVersion;

  fs::create_directories(m_appDir, ec);
  bool historyOk = m_history.SaveHistory(m_appDir + "history.txt", renameFn) == 1;
  return ok && historyOk;
}

std::string CSettings::GroupFilePath() const { return WithTrailingSlash(groupPath) + groupName; }

void CSettings::ApplyDictConfigs(CBookList& list) { m_dictConfigOf = ::ApplyDictConfigs(m_dictConfigs, list); }

const DictConfig* CSettings::ConfigForDict(int i) const {
  if (i < 0 || static_cast<size_t>(i) >= m_dictConfigOf.size()) return nullptr;
  int r = m_dictConfigOf[static_cast<size_t>(i)];
  return r < 0 || static_cast<size_t>(r) >= m_dictConfigs.size() ? nullptr : &m_dictConfigs[static_cast<size_t>(r)];
}

SubbookEntry* CSettings::PrepareDict(CBookList& list, int i) const {
  SubbookEntry* entry = list.GetEntry(i);
  if (entry == nullptr || !entry->textReader) return entry;
  if (const DictConfig* config = ConfigForDict(i)) ConfigureReader(*entry->textReader, *config);
  return entry;
}

const GaijiMapRecord* CSettings::GaijiMapForDict(CBookList& list, int i) {
  const SubbookEntry* entry = list.PeekEntry(i);
  if (entry == nullptr) return nullptr;
  if (!m_gaijiMaps) m_gaijiMaps = std::make_unique<CGaijiMap>(m_appDir);
  return FindDictGaijiMap(*m_gaijiMaps, ConfigForDict(i), entry->directory);
}

std::u16string CSettings::DisplayName(CBookList& list, int i) const {
  SubbookEntry* entry = list.PeekEntry(i);
  if (entry == nullptr) return u"";
  if (!entry->extraName.empty()) return entry->extraName;
  const DictConfig* config = ConfigForDict(i);
  if (config != nullptr && !config->abbrev.empty()) return config->abbrev;
  return Cp932ToUtf16(entry->catalogEntry.title);
}
