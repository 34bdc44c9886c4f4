#include "reader/hit_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// text page, text offset, heading page, heading offset
using Pos = std::tuple<int32_t, int16_t, int32_t, int16_t>;

int Add(CHitList& list, const Pos& p, int level = 0) {
  return list.AddHitList(std::get<0>(p), std::get<1>(p), std::get<2>(p), std::get<3>(p), level);
}

// Hits on text i:0 with heading i:0, for i = first, first + 1, ...
void AddDistinct(CHitList& list, int count, int32_t first = 1) {
  for (int i = 0; i < count; ++i) Add(list, {first + i, 0, first + i, 0});
}

std::vector<Pos> Positions(const std::vector<HitEntry>& hits) {
  std::vector<Pos> out;
  for (const HitEntry& h : hits) out.emplace_back(h.textPage, h.textOffset, h.headingPage, h.headingOffset);
  return out;
}

std::vector<Pos> Take(CHitList& list, int level = 0) {
  std::vector<HitEntry> results;
  list.GetHitEntSorted(&results, 0, level);
  return Positions(results);
}

TEST(HitListTest, MaximumRefusesTheNextHitAndSetsOverflow) {
  CHitList list;
  EXPECT_EQ(list.MaxHits(), 10000);
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(Add(list, {i + 1, 0, 0, 0}), i + 1);
  EXPECT_FALSE(list.Overflowed());
  EXPECT_EQ(Add(list, {20000, 0, 0, 0}), -1);
  EXPECT_TRUE(list.Overflowed());
  EXPECT_EQ(Add(list, {20001, 0, 0, 0}), -1);
  EXPECT_EQ(list.HitCount(), 10000);
  EXPECT_EQ(list.Capacity(), 100u + 20 * 500u);
  EXPECT_EQ(list.SortResult(), 10000);
  // Later keys of an AND search only mark; the maximum does not apply.
  EXPECT_EQ(Add(list, {5, 0, 0, 0}, 1), 10000);
  EXPECT_EQ(Take(list, 2), (std::vector<Pos>{{5, 0, 0, 0}}));

  // Clearing starts a new search: flag off, maximum kept.
  list.SetMaxHits(3);
  list.SetMaxHits(0);
  list.SetMaxHits(-7);
  list.Abort();
  list.ClearHitList();
  EXPECT_FALSE(list.Overflowed());
  EXPECT_FALSE(list.Aborted());
  AddDistinct(list, 3);
  EXPECT_EQ(Add(list, {9, 0, 0, 0}), -1);
  EXPECT_TRUE(list.Overflowed());
}

TEST(HitListTest, AtMost50FlagRefusesThe51stAndStillDeduplicatesFifty) {
  CHitList list;
  list.SetLimit50(true);
  // 50 hits on 25 text positions, found in descending order, each position
  // once with a large and once with a small heading.
  for (int i = 25; i >= 1; --i) {
    ASSERT_GT(Add(list, {i, 4, 100, 0}), 0);
    ASSERT_GT(Add(list, {i, 4, 7, 2}), 0);
  }
  EXPECT_EQ(Add(list, {99, 0, 0, 0}), -1);
  EXPECT_TRUE(list.Overflowed());
  EXPECT_EQ(list.SortResult(), 25);
  std::vector<Pos> expected;
  for (int i = 1; i <= 25; ++i) expected.emplace_back(i, 4, 7, 2);
  EXPECT_EQ(Take(list), expected);

  // A list that got past 50 before the flag was set is shown as found.
  list.SetLimit50(false);
  for (int i = 60; i >= 1; --i) Add(list, {i, 0, 0, 0});
  Add(list, {1, 0, 0, 0});
  list.SetLimit50(true);
  EXPECT_EQ(list.SortResult(), 61);
  std::vector<Pos> found = Take(list);
  EXPECT_EQ(found.front(), (Pos{60, 0, 0, 0}));
  EXPECT_EQ(found.back(), (Pos{1, 0, 0, 0}));
}

TEST(HitListTest, GrowsInFixedStepsAndShrinksBackOnClear) {
  CHitList list;
  EXPECT_EQ(list.Capacity(), 0u);
  list.ClearHitList();
  EXPECT_EQ(list.Capacity(), 0u);
  AddDistinct(list, 1);
  EXPECT_EQ(list.Capacity(), 100u);
  AddDistinct(list, 99, 2);
  EXPECT_EQ(list.Capacity(), 100u);
  AddDistinct(list, 1, 101);
  EXPECT_EQ(list.Capacity(), 600u);
  AddDistinct(list, 501, 102);
  EXPECT_EQ(list.Capacity(), 1100u);
  list.ClearHitList();
  EXPECT_EQ(list.Capacity(), 100u);
  EXPECT_EQ(list.HitCount(), 0);
  EXPECT_EQ(list.SortResult(), 0);

  // A reader that is moved takes its results along; the list it leaves
  // behind starts over with the first step.
  AddDistinct(list, 2);
  list.SortResult();
  CHitList moved = std::move(list);
  EXPECT_EQ(moved.HitCount(), 2);
  EXPECT_EQ(Take(moved).size(), 2u);
  list.ClearHitList();
  AddDistinct(list, 1);
  EXPECT_EQ(list.Capacity(), 100u);
}

TEST(HitListTest, SortOrdersByTextThenHeadingAndKeepsSmallestHeadingPerText) {
  CHitList list;
  Add(list, {9, 0, 1, 0});
  Add(list, {2, 5, 1, 0});
  Add(list, {2, 4, 9, 0});        // offset decides before any heading
  Add(list, {7, 0, 5, 10});
  Add(list, {7, 0, 3, 0});        // same text: the smaller heading stays
  Add(list, {7, 0, 3, 4});
  Add(list, {-1, 0, 0, 0});       // positions compare as signed numbers
  Add(list, {9, 0, 1, 0});        // exact repeat
  EXPECT_EQ(list.HitCount(), 8);
  EXPECT_EQ(list.SortResult(), 5);
  EXPECT_EQ(list.HitCount(), 5);
  // Every hit is accounted for: the dropped ones are marked dead.
  int dead = 0;
  for (const HitEntry& h : list.Hits()) dead += h.live == 0;
  EXPECT_EQ(dead, 3);
  std::vector<HitEntry> results;
  EXPECT_EQ(list.GetHitEntSorted(&results), 5);
  EXPECT_EQ(Positions(results), (std::vector<Pos>{
                                    {-1, 0, 0, 0}, {2, 4, 9, 0}, {2, 5, 1, 0}, {7, 0, 3, 0}, {9, 0, 1, 0}}));
  for (const HitEntry& h : results) {
    EXPECT_EQ(h.live, 1);
    EXPECT_EQ(h.matchLevel, 0);
  }
}

TEST(HitListTest, KeepOrderLeavesHitsAsFoundWithDuplicates) {
  CHitList list;
  const std::vector<Pos> found = {{8, 0, 5, 10}, {3, 0, 0, 0}, {8, 0, 3, 0}, {3, 0, 0, 0}};
  for (const Pos& p : found) Add(list, p);
  EXPECT_EQ(list.SortResult(true), 4);
  EXPECT_EQ(Take(list), found);
}

TEST(HitListTest, AndLevelsKeepOnlyEntriesFoundByEveryKey) {
  CHitList list;
  // Key 1 finds texts 10, 20, 30, 40 (20 twice, through two headings).
  for (int32_t t : {40, 20, 10, 30}) Add(list, {t, 0, t, 8});
  Add(list, {20, 0, 19, 0});
  ASSERT_EQ(list.SortResult(), 4);
  // Key 2 finds 20, 30 and 50; 50 was not found before and is not added.
  for (int32_t t : {30, 50, 20}) EXPECT_EQ(Add(list, {t, 0, 1, 0}, 1), 4);
  // Key 3 finds 40 (missed by key 2), 30 and 20 twice.
  for (int32_t t : {40, 30, 20, 20}) Add(list, {t, 0, 1, 0}, 2);
  EXPECT_EQ(list.HitCount(), 4);
  std::vector<HitEntry> results;
  EXPECT_EQ(list.GetHitEntSorted(&results, 0, 3), 2);
  // The copies carry the surviving hit's own heading and the level.
  EXPECT_EQ(Positions(results), (std::vector<Pos>{{20, 0, 19, 0}, {30, 0, 30, 8}}));
  EXPECT_EQ(results[0].matchLevel, 2);
  EXPECT_EQ(list.HitCount(), 0);

  // A key in the middle that finds nothing leaves nothing at the full level.
  AddDistinct(list, 3);
  list.SortResult();
  for (int32_t t : {1, 2}) Add(list, {t, 0, t, 0}, 2);
  EXPECT_TRUE(Take(list, 3).empty());

  // Narrowing results kept in the order found works as well.
  for (int32_t t : {5, 2, 5}) Add(list, {t, 0, 0, 0});
  list.SortResult(true);
  Add(list, {5, 0, 0, 0}, 1);
  EXPECT_EQ(Take(list, 2), (std::vector<Pos>{{5, 0, 0, 0}, {5, 0, 0, 0}}));
}

TEST(HitListTest, LaterKeyWithoutEarlierResultsFindsNothing) {
  CHitList list;
  EXPECT_EQ(list.SortResult(), 0);  // the first key found nothing
  EXPECT_EQ(Add(list, {1, 0, 1, 0}, 1), 0);
  EXPECT_EQ(list.HitCount(), 0);
  std::vector<HitEntry> results;
  EXPECT_EQ(list.GetHitEntSorted(&results, 0, 2), 0);
  // Hits that were never sorted are no results either.
  AddDistinct(list, 2);
  EXPECT_EQ(list.GetHitEntSorted(&results, 0, 0), 0);
  EXPECT_TRUE(results.empty());
}

TEST(HitListTest, GetHitEntSortedGathersSubbooksFromStart) {
  CHitList list;
  std::vector<HitEntry> results;
  EXPECT_EQ(list.GetHitEntSorted(nullptr), 0);

  AddDistinct(list, 40, 100);
  list.SortResult();
  ASSERT_EQ(list.GetHitEntSorted(&results, 0), 40);
  EXPECT_EQ(list.HitCount(), 0);
  // An empty list copies nothing and leaves the caller's results alone.
  EXPECT_EQ(list.GetHitEntSorted(&results, 0), 0);
  EXPECT_EQ(results.size(), 40u);

  // Second subbook: appended after the first.
  AddDistinct(list, 7, 1);
  list.SortResult();
  // A start beyond what the caller holds is refused, and the hits stay.
  EXPECT_EQ(list.GetHitEntSorted(&results, 41), 0);
  EXPECT_EQ(list.GetHitEntSorted(&results, -1), 0);
  EXPECT_EQ(list.HitCount(), 7);
  ASSERT_EQ(list.GetHitEntSorted(&results, 40), 7);
  ASSERT_EQ(results.size(), 47u);
  EXPECT_EQ(results[39].textPage, 139);
  EXPECT_EQ(results[40].textPage, 1);
  EXPECT_EQ(results[46].textPage, 7);

  // A start inside the caller's results replaces what follows it.
  AddDistinct(list, 2, 500);
  list.SortResult();
  ASSERT_EQ(list.GetHitEntSorted(&results, 10), 2);
  ASSERT_EQ(results.size(), 12u);
  EXPECT_EQ(results[9].textPage, 109);
  EXPECT_EQ(results[11].textPage, 501);

  // Start 0 begins a new gathering; emptying the list clears the overflow.
  list.SetMaxHits(1);
  AddDistinct(list, 2, 900);
  list.SortResult();
  EXPECT_TRUE(list.Overflowed());
  ASSERT_EQ(list.GetHitEntSorted(&results, 0), 1);
  EXPECT_EQ(Positions(results), (std::vector<Pos>{{900, 0, 900, 0}}));
  EXPECT_FALSE(list.Overflowed());
}

TEST(HitListTest, HitsAddedAfterASortJoinTheNextSort) {
  // The list grows (and moves) between the two sorts; the results must
  // still be the hits themselves.
  CHitList list;
  std::mt19937 rng(7);
  std::vector<Pos> all;
  for (int i = 0; i < 150; ++i) all.emplace_back(static_cast<int32_t>(rng() % 1000) + 1, 0, 1, 0);
  for (const Pos& p : all) Add(list, p);
  list.SortResult();
  for (int i = 0; i < 700; ++i) {
    all.emplace_back(static_cast<int32_t>(rng() % 1000) + 1, 0, 1, 0);
    Add(list, all.back());
  }
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  EXPECT_EQ(list.SortResult(), static_cast<int>(all.size()));
  EXPECT_EQ(Take(list), all);
}

}  // namespace
