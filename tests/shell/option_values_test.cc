// The option sheet's values apart from the settings: every option makes
// the round trip through the settings and the saved store, and each change
// names what the main window has to redo.
#include "shell/option_values.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "shell/settings.h"

namespace {

// Every value different from the defaults.
OptionValues Unusual() {
  OptionValues v;
  v.font = FontPageOptions{u"Noto Sans CJK JP", u"Noto Serif CJK SC", u"DejaVu Sans", false, false, false, false, true,
                       false, 16, 28, 5, false};
  v.layout = LayoutPageOptions{true, false, false, true, 7, 6, 2, 0, false};
  v.other = OptionPageOptions{true, false, true, true, true, false, true, true, false, 40, 44100, "/bin/sh", "en"};
  return v;
}

TEST(OptionValues, EveryValueReachesTheSettingsAndComesBackFromTheStore) {
  CTempDir dir;
  CSettings settings(dir.Path().string(), dir.File("store.ini"));
  settings.LoadGlobals();
  OptionValues edited = Unusual();
  ASSERT_NE(OptionValuesOf(settings), edited);
  bool saved = false;
  AcceptOptions(settings, edited, &saved);
  EXPECT_TRUE(saved);
  EXPECT_EQ(OptionValuesOf(settings), edited);
  EXPECT_EQ(settings.fontSize, 28);
  EXPECT_EQ(settings.mpegPlayerPath, "/bin/sh");

  CSettings reloaded(dir.Path().string(), dir.File("store.ini"));
  reloaded.LoadGlobals();
  EXPECT_EQ(OptionValuesOf(reloaded), edited);
  EXPECT_EQ(reloaded.m_version, kSavedSettingsVersion);
}

TEST(OptionValues, AcceptingUnchangedValuesStillSavesTheGlobals) {
  CTempDir dir;
  CSettings settings(dir.Path().string(), dir.File("store.ini"));
  settings.LoadGlobals();
  settings.dictNo = 3;  // changed elsewhere, saved with the options
  bool saved = false;
  EXPECT_EQ(AcceptOptions(settings, OptionValuesOf(settings), &saved), 0u);
  EXPECT_TRUE(saved);
  CSettings reloaded(dir.Path().string(), dir.File("store.ini"));
  reloaded.LoadGlobals();
  EXPECT_EQ(reloaded.dictNo, 3);

  // A store that cannot be written says so and keeps the old file.
  settings.fontSize = 20;
  EXPECT_EQ(AcceptOptions(settings, Unusual(), &saved, FailingRename) & kChangedContentFonts, kChangedContentFonts);
  EXPECT_FALSE(saved);
  CSettings old(dir.Path().string(), dir.File("store.ini"));
  old.LoadGlobals();
  EXPECT_EQ(old.fontSize, 13);
}

TEST(OptionValues, ChangesNameWhatMustBeRedone) {
  const OptionValues before;
  auto changes = [&](auto edit) {
    OptionValues after = before;
    edit(after);
    return OptionChanges(before, after);
  };
  EXPECT_EQ(OptionChanges(before, before), 0u);
  // The hit list's size alone leaves the content view alone.
  EXPECT_EQ(changes([](OptionValues& v) { v.font.fontSizeList = 20; }), unsigned{kChangedListFonts});
  EXPECT_EQ(changes([](OptionValues& v) { v.font.fontSize = 20; }), unsigned{kChangedContentFonts});
  EXPECT_EQ(changes([](OptionValues& v) { v.font.bRuledLine = false; }), unsigned{kChangedContentFonts});
  EXPECT_EQ(changes([](OptionValues& v) { v.font.fontNameEBXAC = u"X"; }), unsigned{kChangedContentFonts});
  for (auto edit : {+[](OptionValues& v) { v.font.fontName = u"X"; }, +[](OptionValues& v) { v.font.fontNameEBG = u"X"; },
                    +[](OptionValues& v) { v.font.bClearType = false; }})
    EXPECT_EQ(changes(edit), unsigned{kChangedContentFonts | kChangedListFonts});
  EXPECT_EQ(changes([](OptionValues& v) { v.layout.leftMargin = 5; }), unsigned{kChangedLayoutPage | kChangedLeftMargin});
  EXPECT_EQ(changes([](OptionValues& v) { v.layout.layout = 1; }), unsigned{kChangedLayoutPage});
  EXPECT_EQ(changes([](OptionValues& v) { v.other.bTaskTray = true; }), unsigned{kChangedOptionPage | kChangedTrayIcon});
  EXPECT_EQ(changes([](OptionValues& v) { v.other.mpegPlayerPath = "/bin/sh"; }), unsigned{kChangedOptionPage});
}

}  // namespace
