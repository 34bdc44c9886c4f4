// Back/forward history: duplicates, the 16-record limit, dropping the
// forward records, and the walk the content view makes.
#include "catalog/nav_history.h"

#include <gtest/gtest.h>

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

}  // namespace
