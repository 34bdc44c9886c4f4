// The settings object: the Globals of a first run, what a saved store
// gives back, the fallbacks applied on loading, a failed save that must
// not lose the old store, and where the application directory is.
#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/temp_dir.h"
#include "shell/app_dir.h"
#include "shell/settings.h"

namespace {

// Sets an environment variable for one scope.
class CScopedEnv {
 public:
  CScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (m_had) m_old = old;
    if (value != nullptr) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~CScopedEnv() {
    if (m_had) setenv(m_name, m_old.c_str(), 1);
    else unsetenv(m_name);
  }

 private:
  const char* m_name;
  bool m_had = false;
  std::string m_old;
};

void WriteStore(const std::string& path, const char* key, const QVariant& value) {
  QSettings store(QString::fromStdString(path), QSettings::IniFormat);
  store.setValue(QStringLiteral("Globals/") + QString::fromLatin1(key), value);
  store.sync();
}

}  // namespace

TEST(Settings, FirstRunGivesTheDefaults) {
  CTempDir dir;
  CSettings s(dir.Path().string(), dir.File("store.ini"));
  s.LoadGlobals();
  std::string app = dir.Path().string() + "/";
  EXPECT_EQ(s.groupPath, app);
  EXPECT_EQ(s.groupName, "TOMELING.grp");
  EXPECT_EQ(s.GroupFilePath(), app + "TOMELING.grp");
  EXPECT_EQ(s.fontName, u"ＭＳ Ｐゴシック");
  EXPECT_EQ(s.fontNameEBG, u"ＭＳ Ｐゴシック");
  EXPECT_EQ(s.fontNameEBXAC, u"ＭＳ Ｐゴシック");
  EXPECT_EQ(s.fontSize, 13);
  EXPECT_EQ(s.fontSizeList, 12);
  EXPECT_TRUE(s.bClearType);
  EXPECT_EQ(s.maxBufSize, 2);
  EXPECT_EQ(s.dictDepth, 11);
  EXPECT_EQ(s.layout, 0);
  EXPECT_EQ(s.lineSpacing, 3);
  EXPECT_FALSE(s.bStop);
  EXPECT_FALSE(s.bClipboardSearch);
  EXPECT_TRUE(s.bFindAllDrv);
  EXPECT_FALSE(s.bStretchImg);
  EXPECT_TRUE(s.bAutoSearch);
  EXPECT_EQ(s.leftMargin, 2);
  EXPECT_EQ(s.lenDictName, 3);
  EXPECT_FALSE(s.bFindAllDict);
  EXPECT_EQ(s.scrollLines, 2);
  EXPECT_EQ(s.maxHit, 10000);
  EXPECT_EQ(s.dictNo, 0);
  EXPECT_FALSE(s.bMultiApp);
  EXPECT_EQ(s.searchType, 0);
  EXPECT_FALSE(s.romakana);
  EXPECT_TRUE(s.bInlineImage);
  EXPECT_FALSE(s.bIncrementalSearch);
  EXPECT_TRUE(s.bUseItalic);
  EXPECT_TRUE(s.bUseBold);
  EXPECT_TRUE(s.bHighlight);
  EXPECT_FALSE(s.bULLink);
  EXPECT_TRUE(s.ime_control);
  EXPECT_TRUE(s.bAdjustGaiji);
  EXPECT_EQ(s.maxHistory, 1000);
  EXPECT_TRUE(s.bNoticeNoHit);
  EXPECT_FALSE(s.bTrimPunctuation);
  EXPECT_FALSE(s.bTaskTray);
  EXPECT_FALSE(s.bWordInflect);
  EXPECT_EQ(s.focusAfterSearch, 1);
  EXPECT_FALSE(s.bMonitorClipboard);
  EXPECT_TRUE(s.bRuledLine);
  EXPECT_EQ(s.EBXA_sampling, 18900);
  EXPECT_FALSE(s.bAutoClip);
  EXPECT_FALSE(s.bCursorMode);
  EXPECT_EQ(s.mpegPlayerPath, DefaultMoviePlayer());
  EXPECT_FALSE(s.bFullScreen);
  EXPECT_EQ(s.searchRegion, 0);
  EXPECT_EQ(s.dictPath, "");
  EXPECT_TRUE(s.bReloadOnResume);
  EXPECT_TRUE(s.bPreView);
  EXPECT_EQ(s.left + s.right + s.top + s.bottom, 0);
  EXPECT_EQ(s.leftSize, 0);
  EXPECT_EQ(s.showCmd, 1);
  EXPECT_TRUE(s.bDictBar);
  EXPECT_EQ(s.language, "");
  EXPECT_TRUE(s.bUseSystemColor);
  EXPECT_EQ(s.m_version, 0);
  EXPECT_EQ(s.m_colorTitle, (RgbColour{0, 0, 255}));
  EXPECT_EQ(s.m_colorLink, (RgbColour{0, 128, 0}));
  EXPECT_EQ(s.m_colorHighlight, (RgbColour{255, 0, 0}));
  EXPECT_EQ(s.m_iconSize, -1);
  EXPECT_EQ(s.m_searching, 0);
  // Loading reads; it never creates the store.
  EXPECT_FALSE(std::filesystem::exists(dir.File("store.ini")));
}

TEST(Settings, FontSizeDefaultsFollowTheWorkArea) {
  CTempDir dir;
  CSettings large(dir.Path().string(), dir.File("store.ini"));
  large.SetWorkArea(480, 640);
  large.LoadGlobals();
  EXPECT_EQ(large.fontSize, 24);
  EXPECT_EQ(large.fontSizeList, 24);
  CSettings small(dir.Path().string(), dir.File("store.ini"));
  small.SetWorkArea(240, 320);
  small.LoadGlobals();
  EXPECT_EQ(small.fontSize, 13);
  EXPECT_EQ(small.fontSizeList, 12);
}

TEST(Settings, SavedValuesComeBackAndVersionIsAlways114) {
  CTempDir dir;
  std::string store = dir.File("cfg/store.ini");
  std::filesystem::create_directories(dir.File("cfg"));
  WriteStore(store, "version", 7);
  WriteStore(store, "unrelated", 1);  // outside Globals: kept by a save
  {
    QSettings other(QString::fromStdString(store), QSettings::IniFormat);
    other.setValue(QStringLiteral("Window/geometry"), QStringLiteral("kept"));
  }
  CSettings s(dir.Path().string(), store);
  s.LoadGlobals();
  EXPECT_EQ(s.m_version, 7);
  s.fontName = u"Noto Sans CJK JP";
  s.fontSize = 17;
  s.bFindAllDict = true;
  s.bClearType = false;
  s.groupName = "辞書.grp";
  s.searchType = 4;
  s.leftSize = 321;
  s.language = "en";
  s.bUseSystemColor = false;
  s.m_history.SetList(u"猫\t犬\t");
  ASSERT_TRUE(s.SaveGlobals());

  CSettings t(dir.Path().string(), store);
  t.LoadGlobals();
  EXPECT_EQ(t.m_version, 114);
  EXPECT_EQ(t.fontName, u"Noto Sans CJK JP");
  EXPECT_EQ(t.fontSize, 17);
  EXPECT_TRUE(t.bFindAllDict);
  EXPECT_FALSE(t.bClearType);
  EXPECT_EQ(t.groupName, "辞書.grp");
  EXPECT_EQ(t.searchType, 4);
  EXPECT_EQ(t.leftSize, 321);
  EXPECT_EQ(t.language, "en");
  EXPECT_FALSE(t.bUseSystemColor);
  EXPECT_EQ(t.fontSizeList, 12);
  // The history went to "history.txt" and is read back at construction.
  EXPECT_EQ(t.m_history.List(), u"猫\t犬\t");
  QSettings check(QString::fromStdString(store), QSettings::IniFormat);
  EXPECT_EQ(check.value(QStringLiteral("Window/geometry")).toString(), QStringLiteral("kept"));
  EXPECT_EQ(check.value(QStringLiteral("Globals/SearchWordList")).toString(), QString());
  // Nothing is left behind beside the store.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.File("cfg"))) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(Settings, LoadingRepairsValuesThatCannotStand) {
  CTempDir dir;
  std::string store = dir.File("store.ini");
  std::filesystem::create_directories(dir.File("groups"));
  WriteStore(store, "groupPath", QString::fromStdString(dir.File("groups") + "/"));
  WriteStore(store, "maxBufSize", 0);
  WriteStore(store, "fontSize", 0);
  WriteStore(store, "fontName", QString());
  WriteStore(store, "mpegPlayerPath", QStringLiteral("/nonexistent/player"));
  WriteStore(store, "dictDepth", QStringLiteral("not a number"));
  CSettings s(dir.Path().string(), store);
  s.LoadGlobals();
  EXPECT_EQ(s.groupPath, dir.File("groups") + "/");  // exists: kept, slash included
  EXPECT_EQ(s.maxBufSize, 2);
  EXPECT_EQ(s.fontSize, 13);
  EXPECT_EQ(s.fontName, u"ＭＳ Ｐゴシック");
  EXPECT_EQ(s.mpegPlayerPath, DefaultMoviePlayer());
  EXPECT_EQ(s.dictDepth, 11);

  WriteStore(store, "groupPath", QString::fromStdString(dir.File("gone") + "/"));
  s.LoadGlobals();
  EXPECT_EQ(s.groupPath, dir.Path().string() + "/");
}

TEST(Settings, ProfileMaxHistoryGivesWayToTheGlobals) {
  CTempDir dir;
  dir.Write("profile.ini", "MAX_HISTORY=50\nCOLOR_LINK=#FF8000\n");
  CSettings s(dir.Path().string(), dir.File("store.ini"));
  EXPECT_EQ(s.maxHistory, 50);
  EXPECT_EQ(s.m_colorLink, (RgbColour{255, 128, 0}));
  s.LoadGlobals();
  EXPECT_EQ(s.maxHistory, 1000);
}

TEST(Settings, FailedSaveKeepsTheOldStoreAndHistory) {
  CTempDir dir;
  std::string store = dir.File("store.ini");
  CSettings s(dir.Path().string(), store);
  s.LoadGlobals();
  s.fontSize = 20;
  s.m_history.SetList(u"古い\t");
  ASSERT_TRUE(s.SaveGlobals());
  std::vector<uint8_t> before = ReadWholeFile(store);
  std::vector<uint8_t> historyBefore = ReadWholeFile(dir.File("history.txt"));

  s.fontSize = 30;
  s.m_history.SetList(u"新しい\t");
  EXPECT_FALSE(s.SaveGlobals(FailingRename));
  EXPECT_EQ(ReadWholeFile(store), before);
  EXPECT_EQ(ReadWholeFile(dir.File("history.txt")), historyBefore);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 2);  // the store and the history, no temporaries

  CSettings t(dir.Path().string(), store);
  t.LoadGlobals();
  EXPECT_EQ(t.fontSize, 20);
  // A store in a directory that cannot be created fails the same way.
  CSettings u(dir.Path().string(), dir.File("store.ini/sub/store.ini"));
  EXPECT_FALSE(u.SaveGlobals());
}

TEST(Settings, ApplicationDirectoryChoice) {
  CTempDir dir;
  std::string program = dir.File("bin");
  std::filesystem::create_directories(program);
  {
    CScopedEnv home("TOMELING_HOME", dir.File("home").c_str());
    EXPECT_EQ(FindAppDirectory(program), dir.File("home") + "/");
  }
  CScopedEnv noHome("TOMELING_HOME", nullptr);
  CScopedEnv xdg("XDG_CONFIG_HOME", dir.File("xdg").c_str());
  EXPECT_EQ(FindAppDirectory(program), dir.File("xdg") + "/tomeling/");
  // A "profile.ini" beside the program makes a portable copy.
  dir.Write("bin/profile.ini", "");
  EXPECT_EQ(FindAppDirectory(program), program + "/");
  CScopedEnv relative("XDG_CONFIG_HOME", "relative");
  CScopedEnv user("HOME", dir.File("user").c_str());
  EXPECT_EQ(FindAppDirectory(""), dir.File("user") + "/.config/tomeling/");
}

TEST(Settings, OsVersionNamesTheKernel) {
  std::string text = GetOsVersionText();
  EXPECT_EQ(text.rfind("Linux ", 0), 0u) << text;
  EXPECT_GT(text.size(), 6u);
}
