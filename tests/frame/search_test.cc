// Searching from the main window: a typed word lists its hits and shows
// the first entry; Enter, Tab and Escape move the focus between the search
// box, the hit list and the content view; an all-dictionary search stops
// after the dictionary it is in when the search button is pressed.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "frame_fixture.h"
#include "reader/eb_reader.h"
#include "shell/hit_rows.h"

namespace {

class SearchTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteAnimalGroup();
  }

  int RowsOf(int dict) const {
    int n = 0;
    for (int r = 0; r < List()->RowCount(); ++r) n += List()->Row(r)->dict == dict;
    return n;
  }
};

TEST_F(SearchTest, ATypedWordListsHitsAndShowsTheFirstEntry) {
  Open();
  Search(QStringLiteral("ね"));
  ASSERT_EQ(List()->RowCount(), 2);  // 猫 and 鼠 of the current dictionary
  const DictHit* first = List()->Hit(List()->Row(0)->hit);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(Content()->Model().HasEntry());
  EXPECT_EQ(Content()->Model().Page(), first->hit.textPage);
  EXPECT_EQ(Content()->Model().Offset(), first->hit.textOffset);
  EXPECT_NE(Content()->GetPlainText(kRangeAll).find(u"読み："), std::u16string::npos);
  // focusAfterSearch 1: the list.
  EXPECT_EQ(Focused(), List());
  EXPECT_EQ(Bar()->Items(), std::vector<std::u16string>{u"ね"});
  EXPECT_EQ(frame->SearchWord(), u"ね");
  EXPECT_EQ(frame->findChild<QLabel*>(QStringLiteral("status"))->text(), QStringLiteral("2 件"));
}

TEST_F(SearchTest, TypingSearchesBySelfAfterTheIncrementalTimerAndLeavesTheFocus) {
  Global("bIncrementalSearch=1");
  Open();
  Bar()->FocusWord(true);
  Type(QStringLiteral("いぬ"));
  EXPECT_TRUE(Bar()->IncrementalTimer().isActive());
  EXPECT_EQ(Bar()->IncrementalTimer().interval(), 1000);
  EXPECT_EQ(List()->RowCount(), 0);
  QTRY_COMPARE_WITH_TIMEOUT(List()->RowCount(), 1, 3000);
  EXPECT_TRUE(Content()->Model().HasEntry());
  EXPECT_TRUE(SearchBoxFocused()) << "the user types on";
  EXPECT_FALSE(WordBox()->lineEdit()->hasSelectedText());
}

TEST_F(SearchTest, NothingFoundSaysSoAndKeepsTheSearchBox) {
  Open();
  Search(QStringLiteral("ぬ"));
  EXPECT_EQ(List()->RowCount(), 0);
  EXPECT_EQ(Content()->GetPlainText(kRangeAll), u"候補が見つかりません");
  EXPECT_TRUE(SearchBoxFocused());
}

TEST_F(SearchTest, EnterTabAndEscapeMoveTheFocus) {
  Open();
  ASSERT_TRUE(SearchBoxFocused());
  Search(QStringLiteral("ね"));
  ASSERT_EQ(Focused(), List());
  Tap(Qt::Key_Tab);  // the list: on to the content view
  EXPECT_EQ(Focused(), Content());
  Tap(Qt::Key_Tab);  // the content view: back to the search box
  EXPECT_TRUE(SearchBoxFocused());
  Tap(Qt::Key_Tab);  // the search box: the list
  EXPECT_EQ(Focused(), List());
  Tap(Qt::Key_Escape);
  EXPECT_TRUE(SearchBoxFocused());
  Tap(Qt::Key_Backtab, Qt::ShiftModifier);  // Shift+Tab also goes to the list
  EXPECT_EQ(Focused(), List());
  Tap(Qt::Key_Return);  // preview on: Enter goes on to the entry
  EXPECT_EQ(Focused(), Content());
  Tap(Qt::Key_Escape);
  EXPECT_TRUE(SearchBoxFocused());
  // Back in the search box the old word is selected, so typing replaces it.
  EXPECT_EQ(WordBox()->lineEdit()->selectedText(), QStringLiteral("ね"));
}

TEST_F(SearchTest, TheFocusMovesAsTheMessageSays) {
  Open();
  frame->MoveFocus(1, 1);
  EXPECT_EQ(Focused(), Content());
  frame->MoveFocus(0, -1);  // below 0: the content view
  EXPECT_EQ(Focused(), Content());
  frame->MoveFocus(1, 2);  // above 2: the search box
  EXPECT_TRUE(SearchBoxFocused());
  frame->MoveFocus(0, 1);
  EXPECT_EQ(Focused(), List());
}

TEST_F(SearchTest, TheSearchButtonAbortsAnAllDictionarySearchAfterTheCurrentDictionary) {
  Global("bFindAllDict=1");
  Open();
  Bar()->SetText(u"ね");
  // The click arrives while the first dictionary's index is read, as the
  // search lets one event through per page.
  bool clicked = false;
  QTimer::singleShot(0, frame.get(), [&] {
    ASSERT_TRUE(Settings().m_searching);
    Bar()->SearchButton()->click();
    clicked = true;
  });
  frame->Search(false, false);
  EXPECT_TRUE(clicked);
  EXPECT_EQ(Settings().m_searching, 0);
  // BETA, after ALPHA, was never searched: none of its hits are listed.
  EXPECT_EQ(RowsOf(1), 0);

  // Unhindered, the same search finds the word in both.
  frame->Search(false, false);
  EXPECT_EQ(List()->RowCount(), 4);
  EXPECT_EQ(RowsOf(1), 2);
}

TEST_F(SearchTest, TheButtonSearchesWhenNoSearchRuns) {
  Open();
  Bar()->SetText(u"いぬ");
  Bar()->SearchButton()->click();
  Settle();
  EXPECT_EQ(List()->RowCount(), 1);
}

TEST_F(SearchTest, WhileASearchRunsOnlyTheButtonGetsThrough) {
  Global("bFindAllDict=1");
  Open();
  Bar()->SetText(u"ね");
  Content()->Clear();
  int shown = 0;
  QTimer::singleShot(0, frame.get(), [&] {
    // A click in the list and a posted message wait for the search.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton);
    frame->Post(CFrameMessage::ShowMenu());
    shown = Content()->Model().HasEntry();
  });
  frame->Search(false, false);
  EXPECT_FALSE(shown);
  EXPECT_EQ(List()->RowCount(), 4);
}

}  // namespace
