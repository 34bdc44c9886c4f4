// Back/forward history: duplicates, the 16-record limit, dropping the
// forward records, the walk the content view makes, and renumbering when
// the book list loses or reorders dictionaries.
#include "catalog/nav_history.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalog/book_list.h"

namespace {

NavRecord At(int page, int offset = 0, int vScroll = 0, int subbook = 0) {
  NavRecord r;
  r.subbook = subbook;
  r.page = page;
  r.offset = offset;
  r.vScroll = vScroll;
  return r;
}

TEST(NavHistory, SamePositionTwiceIsStoredOnce) {
  CNavHistory h;
  h.PushPosition(At(5, 0x10, 7));
  h.PushPosition(At(5, 0x10, 7));
  NavRecord same = At(5, 0x10010, 7);  // offsets compare in 16 bits
  same.hScroll = 99;                    // the horizontal scroll is not compared
  h.PushPosition(same);
  EXPECT_EQ(h.Top(), 1);
  h.PushPosition(At(5, 0x10, 8));       // scrolled: a new place
  h.PushPosition(At(5, 0x10, 8, 1));    // another subbook
  EXPECT_EQ(h.Top(), 3);
}

TEST(NavHistory, SeventeenPushesKeepTheLastSixteen) {
  CNavHistory h;
  for (int page = 1; page <= 17; ++page) h.PushPosition(At(page));
  EXPECT_EQ(h.Top(), 16);
  NavRecord r;
  for (int page = 17; page >= 2; --page) {
    ASSERT_TRUE(h.StepBack(&r));
    EXPECT_EQ(r.page, page);
  }
  EXPECT_FALSE(h.StepBack(&r));
  // Forward again up to the newest; one more step reaches the empty slot
  // past it (never beyond the table) and fails.
  for (int page = 3; page <= 17; ++page) {
    ASSERT_TRUE(h.StepForward(&r));
    EXPECT_EQ(r.page, page);
  }
  EXPECT_FALSE(h.StepForward(&r));
  EXPECT_EQ(h.Index(), 16);
  EXPECT_FALSE(h.StepForward(&r));
  h.PushPosition(At(18));  // full at the newest place: the oldest goes
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 18);
}

TEST(NavHistory, PushAfterStepBackDropsTheForwardRecords) {
  CNavHistory h;
  for (int page = 1; page <= 4; ++page) h.PushPosition(At(page));
  NavRecord r;
  ASSERT_TRUE(h.StepBack(&r));
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 3);
  h.PushPosition(At(10));
  EXPECT_EQ(h.Top(), 3);
  EXPECT_FALSE(h.StepForward(&r));
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 10);
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 2);
}

// The view pushes the shown place before following a reference, and before
// stepping back from the newest place pushes that place and steps over it.
TEST(NavHistory, TheViewsWalkReturnsForwardToWhereItWas) {
  CNavHistory h;
  NavRecord r;
  h.PushPosition(At(1));  // A shown, follow to B
  h.PushPosition(At(2));  // B shown, follow to C
  h.PushPosition(At(3));  // back from C, the newest: push C, step over it
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 3);
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 2);  // B
  ASSERT_TRUE(h.StepBack(&r));
  EXPECT_EQ(r.page, 1);  // A
  ASSERT_TRUE(h.StepForward(&r));
  EXPECT_EQ(r.page, 2);
  ASSERT_TRUE(h.StepForward(&r));
  EXPECT_EQ(r.page, 3);  // back at C
  EXPECT_FALSE(h.StepForward(&r));
  // Pushing C again from the newest place stores nothing new.
  h.PushPosition(At(3));
  EXPECT_EQ(h.Top(), 3);
}

TEST(NavHistory, RecordsWithoutAPageAreNoPlaceAndClearingTheListEmptiesIt) {
  CBookList list;
  list.PushPosition(At(0));
  list.PushPosition(At(4));
  NavRecord r;
  EXPECT_TRUE(list.StepBack(&r));
  EXPECT_FALSE(list.StepBack(&r));  // page 0: the step is made but fails
  EXPECT_EQ(list.NavHistory().Index(), 0);
  list.Clear();
  EXPECT_EQ(list.NavHistory().Top(), 0);
  EXPECT_FALSE(list.StepBack(&r));
  EXPECT_FALSE(list.StepForward(&r));
}


// The pages met walking back from where the history stands to its start,
// then forward again to the newest record, on a copy of it.
struct Walk {
  std::vector<int> back, forward;
};

Walk WalkOf(CNavHistory h) {
  Walk w;
  NavRecord r;
  CNavHistory fwd = h;
  while (fwd.StepForward(&r)) w.forward.push_back(r.page * 10 + r.subbook);
  while (h.StepBack(&r)) w.back.push_back(r.page * 10 + r.subbook);
  return w;
}

using Pages = std::vector<int>;

// Pages 1..n, page p in dictionary subbooks[p - 1].
CNavHistory Pushed(const std::vector<int>& subbooks) {
  CNavHistory h;
  for (size_t i = 0; i < subbooks.size(); ++i) h.PushPosition(At(static_cast<int>(i) + 1, 0, 0, subbooks[i]));
  return h;
}

// Walks give page * 10 + dictionary.
TEST(NavHistoryRenumber, RemovedDictionaryLeavesAndLaterOnesMoveDown) {
  CNavHistory h = Pushed({0, 1, 2, 1, 3});  // at the newest place
  h.ForgetSubbook(1);
  EXPECT_EQ(h.Top(), 3);
  EXPECT_EQ(h.Index(), 3);
  EXPECT_EQ(WalkOf(h).back, (Pages{52, 31, 10}));
  h.ForgetSubbook(7);  // no such dictionary: nothing changes
  EXPECT_EQ(WalkOf(h).back, (Pages{52, 31, 10}));
}

TEST(NavHistoryRenumber, TheShownRecordKeepsItsPlaceWhenOthersGo) {
  CNavHistory h = Pushed({1, 0, 1, 2, 1, 0});
  NavRecord r;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(h.StepBack(&r));
  ASSERT_EQ(r.page, 4);  // shown: page 4 of dictionary 2
  h.ForgetSubbook(1);
  EXPECT_EQ(h.Index(), 1);
  EXPECT_EQ(WalkOf(h).back, (Pages{20}));
  EXPECT_EQ(WalkOf(h).forward, (Pages{60}));
}

TEST(NavHistoryRenumber, WhenTheShownRecordGoesBackAndForwardLeadToItsNeighbours) {
  CNavHistory h = Pushed({0, 2, 1, 1, 2, 0});
  NavRecord r;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(h.StepBack(&r));
  ASSERT_EQ(r.page, 4);  // shown: page 4 of dictionary 1, as is page 3 before it
  h.ForgetSubbook(1);
  EXPECT_EQ(h.Top(), 4);
  Walk w = WalkOf(h);
  EXPECT_EQ(w.back, (Pages{21, 10}));
  EXPECT_EQ(w.forward, (Pages{51, 60}));
  // Forward lands on page 5, which is then the shown record as usual.
  ASSERT_TRUE(h.StepForward(&r));
  EXPECT_EQ(r.page, 5);
  EXPECT_EQ(WalkOf(h).back, (Pages{21, 10}));
  EXPECT_EQ(WalkOf(h).forward, (Pages{60}));
  // Following a reference from there pushes the shown place over its own
  // record and drops the forward records, as ever.
  h.PushPosition(At(5, 0, 0, 1));
  EXPECT_EQ(WalkOf(h).back, (Pages{51, 21, 10}));
  EXPECT_EQ(WalkOf(h).forward, Pages{});
}

TEST(NavHistoryRenumber, GoneShownRecordAtEitherEnd) {
  NavRecord r;
  CNavHistory first = Pushed({1, 0, 0});
  first.ForgetSubbook(0);  // at the newest place, everything after page 1 goes
  EXPECT_EQ(WalkOf(first).back, (Pages{10}));
  ASSERT_TRUE(first.StepBack(&r));
  first.ForgetSubbook(0);  // the only record, shown, goes
  EXPECT_EQ(first.Top(), 0);
  EXPECT_FALSE(first.StepBack(&r));
  EXPECT_FALSE(first.StepForward(&r));

  CNavHistory h = Pushed({1, 0, 2});
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(h.StepBack(&r));
  ASSERT_EQ(r.page, 1);  // shown: the oldest record
  h.ForgetSubbook(1);
  EXPECT_EQ(h.Index(), 0);
  EXPECT_FALSE(h.StepBack(&r));  // nothing before it; the next step forward still finds page 2
  EXPECT_EQ(WalkOf(h).forward, (Pages{20, 31}));

  CNavHistory last = Pushed({0, 0, 1});
  ASSERT_TRUE(last.StepBack(&r));
  ASSERT_EQ(r.page, 3);  // shown: the newest record
  last.ForgetSubbook(1);
  EXPECT_EQ(last.Index(), last.Top());  // as at the newest place
  EXPECT_EQ(WalkOf(last).back, (Pages{20, 10}));
  EXPECT_FALSE(last.StepForward(&r));
}

// Records of one place that a removal makes neighbours become one, unless
// a shown place that is gone lies between them.
TEST(NavHistoryRenumber, TwinsMadeNeighboursBecomeOne) {
  CNavHistory h;
  for (int sub : {0, 1, 0, 1, 0}) h.PushPosition(At(sub == 0 ? 7 : 8, 0, 0, sub));
  h.ForgetSubbook(1);
  EXPECT_EQ(h.Top(), 1);
  EXPECT_EQ(WalkOf(h).back, (Pages{70}));

  CNavHistory shown;
  for (int sub : {0, 1, 0, 2}) shown.PushPosition(At(sub == 0 ? 7 : 8 + sub, 0, 0, sub));
  NavRecord r;
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(shown.StepBack(&r));
  ASSERT_EQ(r.page, 7);  // shown: the second record of page 7
  shown.ForgetSubbook(1);
  EXPECT_EQ(shown.Index(), 0);  // its twin is shown now
  EXPECT_EQ(WalkOf(shown).forward, (Pages{101}));

  CNavHistory gone;
  for (int sub : {0, 1, 0}) gone.PushPosition(At(sub == 0 ? 7 : 8, 0, 0, sub));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(gone.StepBack(&r));
  ASSERT_EQ(r.page, 8);
  gone.ForgetSubbook(1);
  EXPECT_EQ(gone.Top(), 2);
  EXPECT_EQ(WalkOf(gone).back, (Pages{70}));
  EXPECT_EQ(WalkOf(gone).forward, (Pages{70}));
}

TEST(NavHistoryRenumber, SwappedDictionariesTakeTheirRecordsAlong) {
  CNavHistory h = Pushed({0, 1, 2, 1, 0});
  NavRecord r;
  ASSERT_TRUE(h.StepBack(&r));
  ASSERT_TRUE(h.StepBack(&r));
  h.SwapSubbooks(0, 1);
  EXPECT_EQ(h.Index(), 3);
  EXPECT_EQ(WalkOf(h).back, (Pages{32, 20, 11}));
  EXPECT_EQ(WalkOf(h).forward, (Pages{51}));
}

}  // namespace
