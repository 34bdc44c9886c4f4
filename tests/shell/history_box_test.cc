// The search-word box's rules: never a word twice, never more than
// maxHistory words, the newest on top, and what goes back into the
// history file.
#include "shell/history_box.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::u16string>;

TEST(HistoryBoxTest, FillingTakesEachWordOnceUpToTheLimit) {
  EXPECT_EQ(HistoryBoxItems(u"a\tb\ta\tc\td\t", 3), (Items{u"a", u"b", u"c"}));
  EXPECT_EQ(HistoryBoxItems(u"a\t\tb", 10), (Items{u"a", u"b"})) << "empty words and a last word without a tab";
  EXPECT_TRUE(HistoryBoxItems(u"a\tb\t", 0).empty());
}

TEST(HistoryBoxTest, APutWordGoesToTheTopOnceAndTheOldestFallsOut) {
  Items items;
  for (const char16_t* w : {u"猫", u"犬", u"猫", u"鼠", u"狐", u"犬"}) PutHistoryItem(&items, w, 3);
  EXPECT_EQ(items, (Items{u"犬", u"狐", u"鼠"}));
  EXPECT_FALSE(PutHistoryItem(&items, u"", 3));
  EXPECT_EQ(items.size(), 3u);
  // Only equal words are duplicates: case and width count.
  PutHistoryItem(&items, u"Cat", 5);
  PutHistoryItem(&items, u"cat", 5);
  EXPECT_EQ(items.front(), u"cat");
  EXPECT_EQ(items[1], u"Cat");
}

TEST(HistoryBoxTest, StoringLeavesOutWhatTheFileCannotHold) {
  Items items{u"a", std::u16string(255, u'x'), std::u16string(256, u'y'), u"tab\there", u"line\nbreak", u"b"};
  EXPECT_EQ(HistoryListOf(items), u"a\t" + std::u16string(255, u'x') + u"\tb\t");
  Items many(1500, u"w");
  for (size_t i = 0; i < many.size(); ++i) many[i] += std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
  std::u16string list = HistoryListOf(many);
  EXPECT_EQ(std::count(list.begin(), list.end(), u'\t'), 1000);
}

}  // namespace
