// The key table in the window: a binding of "keycode.ini" runs its
// command wherever the focus is, with exactly its modifiers, a key bound to
// an unknown command is swallowed, and Enter and Tab stay the search box's.
// The history box: never a word twice, never more than maxHistory words,
// from the history file as from searches.
#include "catalog/word_history.h"
#include "frame_fixture.h"
#include "views/main_commands.h"

namespace {

class KeyTableTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteAnimalGroup();
    dir.Write("app/keycode.ini",
              "# Tomeling key table\n"
              "F5\tFULL_SCREEN\n"
              "CTRL+SHIFT+E\tINCREMENTAL\n"
              "Z\tNO_SUCH_COMMAND\n"
              "ALT+DOWN\tNEXTITEM\n");
  }
};

TEST_F(KeyTableTest, ABindingRunsItsCommandWhereverTheFocusIs) {
  Open();
  ASSERT_EQ(Settings().m_keyTable.GetEntries().size(), 4u);
  ASSERT_TRUE(SearchBoxFocused());
  Tap(Qt::Key_F5);
  EXPECT_TRUE(frame->IsFullScreen());
  EXPECT_FALSE(List()->isVisible());
  EXPECT_EQ(Focused(), Content()) << "full screen focuses the content view";
  Tap(Qt::Key_F5);  // from the content view
  EXPECT_FALSE(frame->IsFullScreen());
  EXPECT_TRUE(List()->isVisible());

  frame->MoveFocus(0, 0);
  const bool incremental = Settings().bIncrementalSearch;
  Tap(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Settings().bIncrementalSearch, !incremental);
  // Modifiers must match exactly: Ctrl+E alone is no binding.
  Tap(Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(Settings().bIncrementalSearch, !incremental);
}

TEST_F(KeyTableTest, AKeyBoundToNothingIsSwallowedAndEnterStaysTheSearchBoxs) {
  Open();
  Bar()->FocusWord(true);
  Type(QStringLiteral("ne"));
  Tap(Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
  EXPECT_EQ(Bar()->Text(), u"ne");
  Bar()->SetText(u"ね");
  Tap(Qt::Key_Return);
  EXPECT_EQ(List()->RowCount(), 2);
}

TEST_F(KeyTableTest, NextItemMovesThroughTheHitsInMarrit) {
  Open(CMainFrame::Edition::kHandheldPc);
  Search(QStringLiteral("ね"));
  ASSERT_EQ(List()->RowCount(), 2);
  ASSERT_EQ(List()->SelectedRow(), 0);
  Tap(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(List()->SelectedRow(), 1);
}

TEST_F(KeyTableTest, NextItemFallsIntoTheDictionaryRangeAndDoesNothingInVelloc) {
  Open(CMainFrame::Edition::kPocketPc);
  Search(QStringLiteral("ね"));
  ASSERT_EQ(List()->SelectedRow(), 0);
  Tap(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(List()->SelectedRow(), 0);
  EXPECT_EQ(Settings().dictNo, 0);
  EXPECT_EQ(Bar()->TypeCount(), 5) << "no full-text type either";
}

TEST_F(KeyTableTest, WithoutATableTheBuiltInAcceleratorsServe) {
  std::filesystem::remove(dir.File("app/keycode.ini"));
  Open(CMainFrame::Edition::kHandheldPc);
  ASSERT_TRUE(Settings().m_keyTable.GetEntries().empty());
  Search(QStringLiteral("ね"));
  ASSERT_EQ(List()->SelectedRow(), 0);
  // marrit's Alt+Down is "next item".
  QTest::keyClick(frame.get(), Qt::Key_Down, Qt::AltModifier);
  Settle();
  EXPECT_EQ(List()->SelectedRow(), 1);
}

class HistoryBoxTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteAnimalGroup();
  }
  bool NoWordTwice() const {
    std::vector<std::u16string> items = Bar()->Items();
    std::sort(items.begin(), items.end());
    return std::adjacent_find(items.begin(), items.end()) == items.end();
  }
};

TEST_F(HistoryBoxTest, SearchesNeverPutAWordTwiceNorMoreThanMaxHistory) {
  Global("maxHistory=3");
  Open();
  for (const char* w : {"ね", "いぬ", "ね", "きつね", "ねずみ", "いぬ"}) Search(QString::fromUtf8(w));
  EXPECT_EQ(Bar()->Items(), (std::vector<std::u16string>{u"いぬ", u"ねずみ", u"きつね"}));
  EXPECT_TRUE(NoWordTwice());
}

TEST_F(HistoryBoxTest, TheHistoryFileFillsTheBoxOnceEachUpToMaxHistory) {
  Global("maxHistory=4");
  CWordHistory history;
  history.SetList(u"a\tb\ta\tc\tb\td\te\tf\t");
  ASSERT_EQ(history.SaveHistory(AppDir() + "/history.txt"), 1);
  Open();
  EXPECT_EQ(Bar()->Items(), (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
  // A history file loaded later follows the same rules.
  history.SetList(u"x\tx\ty\t");
  ASSERT_EQ(history.SaveHistory(dir.File("other.txt")), 1);
  ASSERT_TRUE(frame->LoadHistoryFrom(dir.File("other.txt")));
  EXPECT_EQ(Bar()->Items(), (std::vector<std::u16string>{u"x", u"y"}));
  EXPECT_FALSE(frame->LoadHistoryFrom(dir.File("missing.txt")));
  EXPECT_EQ(Bar()->Items(), (std::vector<std::u16string>{u"x", u"y"})) << "a file that cannot be read changes nothing";
  frame->RunCommand(kCmdClearHistory);
  EXPECT_TRUE(Bar()->Items().empty());
}

}  // namespace
