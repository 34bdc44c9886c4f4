// Keyword and cross search on written books: several words keep only the
// entries every word finds, quotes make one word, and every hit of a
// keyword group gets its own heading.
#include <gtest/gtest.h>

#include "reader/keyword_search.h"
#include "search_methods_fixture.h"

namespace {

// Entries 0-4; keywords: red {0,1,3}, fruit {0,1,2}, sweet {1,2,4},
// "green tea" {4}. Filed in `id` (0x80 or 0x81) as keyword groups.
BookSource Fruit(uint8_t id, BookKind kind = BookKind::kEpwing) {
  BookSource book;
  book.kind = kind;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "FRUIT";
  s.title = "果物";
  s.indexes = {IndexOptions{id, {0, 0, 0, 0}, false, 0, true}};
  for (const char* h : {"林檎", "苺", "葡萄", "薔薇", "抹茶"}) s.entries.push_back(Entry(h, {"説明"}));
  s.groups = {KeywordGroup{id, "red", {0, 1, 3}}, KeywordGroup{id, "fruit", {0, 1, 2}},
              KeywordGroup{id, "sweet", {1, 2, 4}}, KeywordGroup{id, "green tea", {4}}};
  return book;
}

using SearchFn = int (*)(CEBReader&, std::string_view, int*, CTextDecoder*);

std::vector<HitEntry> Search(SearchFn search, CEBReader& r, const std::string& utf8, int* keys) {
  search(r, Sjis(utf8), keys, nullptr);
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits, 0, *keys);
  return hits;
}

struct Method {
  uint8_t id;
  SearchFn search;
};

class KeywordSearchTest : public ::testing::TestWithParam<Method> {};

TEST_P(KeywordSearchTest, KeepsOnlyEntriesEveryWordFinds) {
  for (BookKind kind : {BookKind::kEpwing, BookKind::kEb}) {
    auto b = WriteAndOpen(Fruit(GetParam().id, kind));
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const WrittenSubbook& w = b->written.subbooks[0];
    int keys = 0;
    EXPECT_EQ(TextsOf(Search(GetParam().search, r, "red fruit", &keys)), TextsOfEntries(w, {0, 1}));
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(TextsOf(Search(GetParam().search, r, "red fruit sweet", &keys)), TextsOfEntries(w, {1}));
    EXPECT_EQ(keys, 3);
    // Prefixes match; letter case does not matter.
    EXPECT_EQ(TextsOf(Search(GetParam().search, r, "SWE fr", &keys)), TextsOfEntries(w, {1, 2}));
    EXPECT_EQ(TextsOf(Search(GetParam().search, r, "red", &keys)), TextsOfEntries(w, {0, 1, 3}));
    // A word nothing matches leaves nothing, wherever it comes.
    EXPECT_TRUE(Search(GetParam().search, r, "red blue", &keys).empty());
    EXPECT_TRUE(Search(GetParam().search, r, "blue red", &keys).empty());
    EXPECT_TRUE(Search(GetParam().search, r, "", &keys).empty());
    EXPECT_EQ(keys, 0);
  }
}

TEST_P(KeywordSearchTest, SeparatorsAndQuotes) {
  auto b = WriteAndOpen(Fruit(GetParam().id));
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  int keys = 0;
  const TextSet both = TextsOfEntries(w, {0, 1});
  // Runs of spaces, ideographic ones among them, are one separator.
  EXPECT_EQ(TextsOf(Search(GetParam().search, r, "red　　fruit", &keys)), both);
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(TextsOf(Search(GetParam().search, r, "  red 　 fruit  ", &keys)), both);
  EXPECT_EQ(keys, 2);
  // Quoted, the words are one key with its space: "green tea" is a keyword,
  // "green" and "tea" on their own are not.
  EXPECT_EQ(TextsOf(Search(GetParam().search, r, "\"green tea\"", &keys)), TextsOfEntries(w, {4}));
  EXPECT_EQ(keys, 1);
  EXPECT_TRUE(Search(GetParam().search, r, "green tea", &keys).empty());
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(SplitSearchWords(Sjis("\"a b\"")), std::vector<std::string>{"a b"});
  EXPECT_EQ(SplitSearchWords("\"\""), (std::vector<std::string>{"\"\""}));
}

TEST_P(KeywordSearchTest, EveryHitOfAGroupGetsItsOwnHeading) {
  auto b = WriteAndOpen(Fruit(GetParam().id));
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  const char* headings[] = {"林檎", "苺", "葡萄", "薔薇", "抹茶"};
  for (const char* word : {"red", "fruit", "sweet", "fruit red"}) {
    int keys = 0;
    auto hits = Search(GetParam().search, r, word, &keys);
    ASSERT_FALSE(hits.empty()) << word;
    for (const HitEntry& h : hits) {
      ASSERT_NE(h.headingPage, 0) << word;
      int entry = -1;
      for (size_t e = 0; e < w.text.size(); ++e)
        if (w.text[e].page == h.textPage && w.text[e].offset == static_cast<uint16_t>(h.textOffset)) entry = static_cast<int>(e);
      ASSERT_GE(entry, 0);
      EXPECT_EQ(HeadingAt(r, {h.headingPage, static_cast<uint16_t>(h.headingOffset)}), headings[entry]) << word;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, KeywordSearchTest,
                         ::testing::Values(Method{0x80, KeywordSearch}, Method{0x81, CrossSearch}),
                         [](const auto& info) { return info.param.id == 0x80 ? "Keyword" : "Cross"; });

TEST(KeywordSearchMissingIndexTest, FindsNothingButCountsTheWords) {
  auto b = WriteAndOpen(Fruit(0x80));
  ASSERT_EQ(b->added, 1) << b->error;
  int keys = 0;
  EXPECT_EQ(CrossSearch(*b->Reader(0), Sjis("red fruit"), &keys), 0);
  EXPECT_EQ(keys, 2);
}

}  // namespace
