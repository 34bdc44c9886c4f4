// Multi search on a written book: the list of control areas and fields,
// the AND of filled fields, and the search-method names.
#include <gtest/gtest.h>

#include "reader/multi_search.h"
#include "search_methods_fixture.h"

namespace {

// Four people filed by name (0xA0) and by town (0xA1); two control areas:
// "人名" with both fields, then "地名" with the town alone.
std::unique_ptr<OpenedBook> People(BookKind kind = BookKind::kEpwing) {
  BookSource book;
  book.kind = kind;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "PEOPLE";
  s.title = "人物";
  // Field indexes fold letter case only.
  s.indexes = {IndexOptions{0xA0, {0, 0xCF, 0xFF, 0xC0}}, IndexOptions{0xA1, {0, 0xCF, 0xFF, 0xC0}},
               IndexOptions{0x91, {0, 0, 0, 0}, true}};
  const char* people[][2] = {{"smith", "york"}, {"smythe", "york"}, {"smith", "bath"}, {"jones", "york"}};
  for (const auto& p : people)
    s.entries.push_back(Entry(std::string(p[0]) + "氏", {"人物"}, {{0xA0, p[0]}, {0xA1, p[1]}}));
  SearchAreasSource areas;
  areas.multiAreas = {{MultiSearchSource{"人名", {0xA0, 0xA1}}}, {MultiSearchSource{"地名", {0xA1}}}};
  areas.methodNames[0] = "前方一致";
  areas.methodNames[3] = "クロス条件検索の名前";
  areas.methodNames[9] = "";
  return WriteAreasAndOpen(book, {areas});
}

int32_t StartOf(const WrittenSubbook& w, uint8_t id) {
  for (const auto& [areaId, page] : w.indexStart)
    if (areaId == id) return page;
  return 0;
}

TEST(MultiSearchTest, ListsEachControlAreaWithItsFields) {
  for (BookKind kind : {BookKind::kEpwing, BookKind::kEb}) {
    auto b = People(kind);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const WrittenSubbook& w = b->written.subbooks[0];
    CMultiSearch multi;
    multi.Load(r);
    EXPECT_EQ(multi.AreaCount(), 2);
    // The last area is loaded first.
    ASSERT_EQ(multi.Rows().size(), 2u);
    EXPECT_EQ(multi.Rows()[0].name, "--地名");
    EXPECT_EQ(multi.Rows()[0].id, 0);
    EXPECT_EQ(multi.Rows()[0].startPage, 0);
    EXPECT_EQ(multi.Rows()[1].name, "[A1]項目別条件検索INDEX");

    ASSERT_EQ(multi.SelectMultiSearch(r, 0), 3);
    const auto& rows = multi.Rows();
    EXPECT_EQ(rows[0].name, "--人名");
    EXPECT_EQ(rows[1].id, 0xA0);
    EXPECT_EQ(rows[1].name, "[A0]項目番号INDEX");
    EXPECT_EQ(rows[1].startPage, StartOf(w, 0xA0));
    EXPECT_GE(rows[1].pageCount, 1);
    EXPECT_EQ(rows[2].startPage, StartOf(w, 0xA1));
    EXPECT_EQ(rows[2].Style(), 0xCFFFC0u);

    EXPECT_EQ(multi.SelectMultiSearch(r, 2), 0);
    EXPECT_TRUE(multi.Rows().empty());
    EXPECT_EQ(multi.SelectMultiSearch(r, -1), 0);
  }
}

TEST(MultiSearchTest, FilledFieldsKeepTheEntriesAllOfThemFind) {
  auto b = People();
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  CMultiSearch multi;
  multi.Load(r);
  ASSERT_EQ(multi.SelectMultiSearch(r, 0), 3);
  const IndexEntry name = multi.Rows()[1], town = multi.Rows()[2];
  std::vector<HitEntry> hits;

  EXPECT_EQ(MultiFieldSearch(r, name, "Smith", 0), 2);
  r.GetHitEntSorted(&hits, 0, 1);
  EXPECT_EQ(TextsOf(hits), TextsOfEntries(w, {0, 2}));

  MultiFieldSearch(r, name, "sm", 0);  // a prefix
  MultiFieldSearch(r, town, "YORK", 1);
  r.GetHitEntSorted(&hits, 0, 2);
  EXPECT_EQ(TextsOf(hits), TextsOfEntries(w, {0, 1}));

  MultiFieldSearch(r, name, "jones", 0);
  MultiFieldSearch(r, town, "bath", 1);
  EXPECT_EQ(r.GetHitEntSorted(&hits, 0, 2), 0);

  // A header row searches nothing.
  EXPECT_EQ(MultiFieldSearch(r, multi.Rows()[0], "smith", 0), 0);
}

TEST(MultiSearchTest, MethodNamesFillTheirSlots) {
  auto b = People();
  ASSERT_EQ(b->added, 1) << b->error;
  CMultiSearch multi;
  multi.Load(*b->Reader(0));
  EXPECT_EQ(multi.SearchMethodName(0), "前方一致");
  EXPECT_EQ(multi.SearchMethodName(3), "クロス条件検索の名前");
  EXPECT_EQ(multi.SearchMethodName(1), "");
  EXPECT_EQ(multi.SearchMethodName(9), "");
  EXPECT_EQ(multi.SearchMethodName(10), "");
  EXPECT_EQ(multi.SearchMethodName(-1), "");

  // A book without the areas has no list and no names.
  BookSource plain;
  plain.subbooks.push_back(SubbookSource{});
  plain.subbooks[0].directory = "PLAIN";
  plain.subbooks[0].title = "無地";
  plain.subbooks[0].entries = {Entry("語", {"本文"})};
  plain.subbooks[0].indexes = {IndexOptions{0x91, {0, 0, 0, 0}, true}};
  auto p = WriteAndOpen(plain);
  ASSERT_EQ(p->added, 1) << p->error;
  multi.Load(*p->Reader(0));
  EXPECT_EQ(multi.AreaCount(), 0);
  EXPECT_TRUE(multi.Rows().empty());
  EXPECT_EQ(multi.SearchMethodName(0), "");
}

}  // namespace
