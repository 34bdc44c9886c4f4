// The typed frame interface: each message keeps its value and arguments on
// the way to its method, posted messages wait for the UI thread, and the
// search cycle's requests reach a CFrame as frame messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "common/recording_frame.h"
#include "common/temp_dir.h"
#include "shell/frame.h"
#include "shell/search_cycle.h"
#include "shell/settings.h"
#include "shell_books.h"

namespace {

struct Case {
  CFrameMessage message;
  unsigned value;
  const char* call;
};

TEST(Frame, EveryMessageKeepsItsValueAndArgumentsOnTheWayToItsMethod) {
  const std::vector<Case> cases = {
      {CFrameMessage::ShowHit(3, 1), 1124, "ShowHit(3, 1)"},
      {CFrameMessage::Search(true, false), 1125, "Search(1, 0)"},
      {CFrameMessage::MoveFocus(1, 1), 1126, "MoveFocus(1, 1)"},
      {CFrameMessage::SetTitle(2), 1128, "SetTitle(2)"},
      {CFrameMessage::ShowText(0x12, 0x100), 1129, "ShowText(00000012:0100)"},
      {CFrameMessage::ShowGraphic(0x7, 0x10), 1130, "ShowGraphic(00000007:0010)"},
      {CFrameMessage::Startup(), 1131, "Startup()"},
      {CFrameMessage::Back(), 1132, "Back()"},
      {CFrameMessage::Forward(), 1133, "Forward()"},
      {CFrameMessage::Abort(), 1134, "Abort()"},
      {CFrameMessage::Tray(0x202), 1136, "Tray(514)"},
      {CFrameMessage::SearchBoxFocus(5, 6), 1137, "SearchBoxFocus(5, 6)"},
      {CFrameMessage::ShowNamedGraphic(u"<MAP>地図"), 1138, "ShowNamedGraphic(<MAP>地図)"},
      {CFrameMessage::ToggleFullScreen(), 1139, "ToggleFullScreen()"},
      {CFrameMessage::ReloadBooks(), 1140, "ReloadBooks()"},
      {CFrameMessage::SearchDone(2, true), 1141, "SearchDone(2, 1)"},
      {CFrameMessage::ShowMenu(), 1142, "ShowMenu()"},
  };
  CRecordingFrame frame;
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(c.message.Message()), c.value) << c.call;
    c.message.DeliverTo(frame);
    expected.push_back(c.call);
  }
  EXPECT_EQ(frame.Calls(), expected);
  EXPECT_EQ(CFrameMessage::ShowText(0x12, 0x100).WParam(), 0x12);
  EXPECT_EQ(CFrameMessage::ShowText(0x12, 0x100).LParam(), 0x100);
  EXPECT_EQ(CFrameMessage::Search(false, true).LParam(), 1);
}

TEST(Frame, PostedMessagesWaitForTheUiThreadInTheirOrder) {
  CRecordingFrame frame;
  frame.Post(CFrameMessage::Startup());
  frame.Post(CFrameMessage::MoveFocus(0, kFocusSearchBox));
  frame.SetTitle(1);  // sent: handled at once
  EXPECT_EQ(frame.PendingPosts(), 2u);
  EXPECT_EQ(frame.Calls(), (std::vector<std::string>{"post Startup()", "post MoveFocus(0, 0)", "SetTitle(1)"}));
  frame.ClearCalls();
  EXPECT_EQ(frame.DeliverPosted(), 2);
  EXPECT_EQ(frame.Calls(), (std::vector<std::string>{"Startup()", "MoveFocus(0, 0)"}));
  EXPECT_EQ(frame.PendingPosts(), 0u);
}

// The search cycle asks a CFrame as it asks any CSearchFrame; its focus
// request arrives as UM_MOVE_FOCUS with the target, which the frame's
// focus rule maps back to that target.
TEST(Frame, TheSearchCycleTalksToTheFrameThroughItsMessages) {
  CTempDir dir;
  CSettings settings(dir.File("app"), dir.File("store.ini"));
  CBookList list;
  ASSERT_EQ(list.AddBook(WriteShellBook(dir.File("book"), {AnimalSubbook("ZOO", AnimalWords())})), 1);
  settings.ApplyDictConfigs(list);
  CRecordingFrame frame;
  CHitCollector collector(list);
  CSearchCycle cycle(settings, list, frame, collector);

  frame.searchBoxText = u"ねこ";
  cycle.RunSearch(false);
  EXPECT_EQ(frame.Calls(), (std::vector<std::string>{"TakeSelection()", "PutHistoryWord(ねこ)", "SetWaitCursor(1)",
                                                     "MoveFocus(0, 1)", "SetStatusText(1 件)", "SetWaitCursor(0)"}));
  frame.ClearCalls();
  frame.searchBoxText = u"zebra";
  cycle.RunSearch(false);
  EXPECT_EQ(frame.Count("MoveFocus(0, 0)"), 1);
  EXPECT_EQ(frame.Count("ShowNoHitNotice(1)"), 1);
  for (long target : {0L, 1L, 2L}) EXPECT_EQ(MoveFocusTarget(0, target), static_cast<FocusTarget>(target));
}

}  // namespace
