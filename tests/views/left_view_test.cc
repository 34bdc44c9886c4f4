// The hit list as the user drives it: what a search fills in, what each
// key and tap asks of the frame, and typing that goes to the search box.
#include "views/left_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

#include "left_view_fixture.h"
#include "shell/hit_rows.h"
#include "views/hit_list_model.h"
#include "views/hit_row_delegate.h"

namespace {

TEST_F(LeftViewTest, FillShowsTheFirstRowAndMakesItsDictionaryCurrent) {
  Settings().dictNo = kDictAlpha;
  Open();
  ASSERT_EQ(Fill({kDictBeta}, u"ね", true), 0) << "the current dictionary had no hits";
  EXPECT_TRUE(frame.Calls().empty());

  Settings().dictNo = kDictBeta;
  ASSERT_EQ(Fill({kDictBeta}, u"ね", true), 2);
  EXPECT_EQ(frame.Calls(), Calls{"ShowHit(0, 1)"});
  EXPECT_EQ(list->SelectedRow(), 0);
  EXPECT_EQ(list->ShownRow(), 0);
  ASSERT_NE(list->Hit(0), nullptr);
  EXPECT_EQ(list->Hit(0)->dict, kDictBeta);
  EXPECT_EQ(list->model()->index(1, 0).data().toString(), QStringLiteral("獣の本鼠【ねずみ】"));
}

TEST_F(LeftViewTest, AllDictionariesListTheLastDictionaryFirst) {
  Settings().bFindAllDict = true;
  Settings().dictNo = kDictAlpha;
  Open();
  ASSERT_EQ(Fill({kDictAlpha, kDictBeta}, u"ね", true), 4);
  // The first row is BETA's: it becomes the current dictionary.
  EXPECT_EQ(frame.Calls(), (Calls{"ShowHit(0, 1)", "SetTitle(1)"}));
  EXPECT_EQ(Settings().dictNo, kDictBeta);
  std::vector<int> dicts;
  for (int r = 0; r < list->RowCount(); ++r) dicts.push_back(list->Row(r)->dict);
  EXPECT_EQ(dicts, (std::vector<int>{kDictBeta, kDictBeta, kDictAlpha, kDictAlpha}));
}

TEST_F(LeftViewTest, HeadingsThatShowNothingGiveNoRowsAndNoEntryIsShown) {
  Settings().dictNo = kDictBlank;
  Open();
  // Through the search cycle, as the frame runs it.
  CSearchCycle cycle(Settings(), session->Books(), frame, *list);
  frame.searchBoxText = u"から";
  cycle.RunSearch(false);
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(list->ShownRow(), -1);
  EXPECT_EQ(frame.Count("ShowHit("), 0);
  EXPECT_EQ(frame.Count("SetStatusText(候補が見つかりません)"), 1);
  EXPECT_EQ(Focused(), searchBox);

  frame.ClearCalls();
  frame.searchBoxText = u"すきま";
  cycle.RunSearch(false);
  EXPECT_EQ(list->RowCount(), 1);
  EXPECT_EQ(frame.Count("ShowHit(0, 1)"), 1);
  EXPECT_EQ(frame.Count("SetStatusText(1 件)"), 1);
}

TEST_F(LeftViewTest, EnterTwiceWithoutPreviewShowsTheHitThenMovesToTheContent) {
  Settings().bPreView = false;
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  Tap(Qt::Key_Down);
  EXPECT_EQ(list->SelectedRow(), 1);
  EXPECT_TRUE(frame.Calls().empty()) << "no preview: moving does not show";
  Tap(Qt::Key_Return);
  EXPECT_EQ(frame.Calls(), Calls{"ShowHit(1, 0)"});
  EXPECT_EQ(Focused(), list);
  Tap(Qt::Key_Return);
  EXPECT_EQ(frame.Calls(), (Calls{"ShowHit(1, 0)", "MoveFocus(1, 1)"}));
  EXPECT_EQ(Focused(), content);
}

TEST_F(LeftViewTest, PreviewShowsTheRowAKeyReachesAndEnterGoesStraightToTheContent) {
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  // Held down: the repeated releases show nothing, the last one shows.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(list, &press);
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(list, &repeated);
  EXPECT_TRUE(frame.Calls().empty());
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(list, &release);
  EXPECT_EQ(frame.Calls(), Calls{"ShowHit(1, 0)"});
  // Already at the last row: nothing new to show.
  Tap(Qt::Key_End);
  EXPECT_EQ(frame.Count("ShowHit("), 1);
  Tap(Qt::Key_Home);
  EXPECT_EQ(frame.Calls().back(), "ShowHit(0, 0)");
  frame.ClearCalls();
  Tap(Qt::Key_Enter);
  EXPECT_EQ(frame.Calls(), Calls{"MoveFocus(1, 1)"});
  EXPECT_EQ(Focused(), content);
}

TEST_F(LeftViewTest, KeysThatMoveTheFocusActWhenReleased) {
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* call;
    QWidget* to;
  } cases[] = {
      {Qt::Key_Backspace, Qt::NoModifier, "MoveFocus(0, 0)", searchBox},
      {Qt::Key_Escape, Qt::NoModifier, "MoveFocus(0, 0)", searchBox},
      {Qt::Key_Left, Qt::NoModifier, "MoveFocus(0, 0)", searchBox},
      {Qt::Key_Right, Qt::NoModifier, "MoveFocus(0, 2)", content},
      {Qt::Key_Tab, Qt::NoModifier, "MoveFocus(1, 1)", content},
      {Qt::Key_Backtab, Qt::ShiftModifier, "MoveFocus(2, 1)", content},
  };
  for (const Case& c : cases) {
    list->setFocus(Qt::OtherFocusReason);
    frame.ClearCalls();
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
    QApplication::sendEvent(list, &press);
    EXPECT_TRUE(frame.Calls().empty()) << c.call << ": the press does nothing";
    EXPECT_EQ(Focused(), list) << c.call;
    QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers);
    QApplication::sendEvent(list, &release);
    EXPECT_EQ(frame.Calls(), Calls{c.call});
    EXPECT_EQ(Focused(), c.to) << c.call;
    EXPECT_EQ(list->SelectedRow(), 0) << c.call << " moved the selection";
  }
}

TEST_F(LeftViewTest, TypingInTheListTypesIntoTheSearchBox) {
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  Tap(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(frame.Calls(), Calls{"MoveFocus(0, 0)"});
  EXPECT_EQ(Focused(), searchBox);
  EXPECT_EQ(searchBox->text(), QStringLiteral("a"));

  // Input-method text goes the same way.
  list->setFocus(Qt::OtherFocusReason);
  QInputMethodEvent compose(QStringLiteral("ね"), {});
  QApplication::sendEvent(list, &compose);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("ね"));
  QApplication::sendEvent(Focused(), &commit);
  EXPECT_EQ(searchBox->text(), QStringLiteral("aね"));
  EXPECT_EQ(frame.Count("MoveFocus(0, 0)"), 2);

  // Commands are not typing; copy is the frame's, and it copies nothing
  // from the list.
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  list->setFocus(Qt::OtherFocusReason);
  frame.ClearCalls();
  Tap(Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
  Tap(Qt::Key_A, Qt::AltModifier, QStringLiteral("a"));
  Tap(Qt::Key_F5);
  EXPECT_TRUE(frame.Calls().empty());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
  EXPECT_EQ(Focused(), list);
}

TEST_F(LeftViewTest, NextAndPreviousShowTheirRowAndFollowItsDictionary) {
  Settings().bFindAllDict = true;
  Open();
  ASSERT_EQ(Fill({kDictAlpha, kDictBeta}, u"ね"), 4);
  list->SelectNext();
  list->SelectNext();
  list->SelectNext();
  list->SelectNext();  // at the last row: nothing
  EXPECT_EQ(frame.Calls(), (Calls{"ShowHit(1, 0)", "ShowHit(2, 0)", "SetTitle(0)", "ShowHit(3, 0)"}));
  EXPECT_EQ(list->SelectedRow(), 3);
  EXPECT_EQ(list->ShownRow(), 3);
  frame.ClearCalls();
  list->SelectPrevious();
  list->SelectPrevious();
  list->SelectPrevious();
  list->SelectPrevious();  // at the first row: nothing
  EXPECT_EQ(frame.Calls(), (Calls{"ShowHit(2, 0)", "ShowHit(1, 0)", "SetTitle(1)", "ShowHit(0, 0)"}));
  EXPECT_EQ(Settings().dictNo, kDictBeta);
}

TEST_F(LeftViewTest, ATapShowsItsRowAndTheFocusReturnsToTheRowShown) {
  Settings().bPreView = false;
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  QRect second = list->visualRect(list->model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
  EXPECT_EQ(frame.Calls(), Calls{"ShowHit(1, 0)"});
  EXPECT_EQ(list->ShownRow(), 1);

  // The keys leave the selection on a row not shown; a tap on it shows it.
  Tap(Qt::Key_Up);
  EXPECT_EQ(list->SelectedRow(), 0);
  QRect first = list->visualRect(list->model()->index(0, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
  EXPECT_EQ(frame.Calls().back(), "ShowHit(0, 0)");

  // Away and back: the row last shown is selected again.
  Tap(Qt::Key_Down);
  EXPECT_EQ(list->SelectedRow(), 1);
  content->setFocus(Qt::OtherFocusReason);
  list->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(list->SelectedRow(), 0);
  EXPECT_EQ(frame.Calls().back(), "ShowHit(0, 0)");
}

TEST_F(LeftViewTest, ClearForgetsEveryRowAndWhatWasShown) {
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  list->Clear();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(list->ShownRow(), -1);
  EXPECT_EQ(list->Hit(0), nullptr);
  list->SelectNext();
  Tap(Qt::Key_Down);
  Tap(Qt::Key_Return);  // preview on: the press still moves to the content
  EXPECT_EQ(frame.Calls(), Calls{"MoveFocus(1, 1)"});
}

TEST_F(LeftViewTest, FontsFollowTheSettingsWhenAsked) {
  Settings().fontSizeList = 12;
  Open();
  ASSERT_EQ(Fill({kDictAlpha}, u"ね"), 2);
  int small = list->Delegate()->RowHeight();
  EXPECT_EQ(list->visualRect(list->model()->index(1, 0)).top(), small);
  EXPECT_EQ(list->Delegate()->HeadingX(), 3 * 12);
  Settings().fontSizeList = 24;
  Settings().lenDictName = 0;
  Settings().fontName = u"DejaVu Serif";
  list->ApplyListFonts();
  QCoreApplication::processEvents();
  EXPECT_GT(list->Delegate()->RowHeight(), small);
  EXPECT_EQ(list->Delegate()->HeadingX(), 0);
  EXPECT_EQ(list->Delegate()->Font(0).face, u"DejaVu Serif");
  EXPECT_EQ(list->Delegate()->Font(0).pixelSize, 24);
  // The rows already listed take the new height.
  EXPECT_EQ(list->visualRect(list->model()->index(1, 0)).top(), list->Delegate()->RowHeight());
  // Sizes no screen can show are kept drawable.
  Settings().fontSizeList = 100000;
  Settings().lenDictName = 1 << 30;
  list->ApplyListFonts();
  EXPECT_EQ(list->Delegate()->Font(0).pixelSize, 200);
  EXPECT_EQ(list->Delegate()->HeadingX(), CHitRows::kMaxNameLength * 200);
}

}  // namespace
