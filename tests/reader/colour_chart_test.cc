// Colour charts, menus and the copyright notice of a written book, and the
// kind of the item at a position.
#include <gtest/gtest.h>

#include "reader/colour_chart.h"
#include "reader/menu_info.h"
#include "search_methods_fixture.h"

namespace {

std::unique_ptr<OpenedBook> Book(const SearchAreasSource& areas, BookKind kind = BookKind::kEpwing) {
  BookSource book;
  book.kind = kind;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "COLOUR";
  s.title = "色";
  s.entries = {Entry("赤", {"あかい"})};
  s.indexes = {IndexOptions{0x91, {0, 0, 0, 0}, true}};
  return WriteAreasAndOpen(book, {areas});
}

TEST(ColourChartTest, ReadsEachRecordByNumber) {
  SearchAreasSource areas;
  areas.colourCharts = {{"RED", "赤い色"}, {"Sky Blue 2", "空の色です"}};
  auto b = Book(areas);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  std::string name, text;
  ASSERT_EQ(ReadColourChart(r, 1, &name, &text), 1);
  EXPECT_EQ(name, "RED");
  EXPECT_EQ(Utf8FromSjis(text), "赤い色");
  ASSERT_EQ(ReadColourChart(r, 2, &name, &text), 1);
  EXPECT_EQ(name, "Sky Blue 2");
  EXPECT_EQ(Utf8FromSjis(text), "空の色です");
  EXPECT_EQ(ReadColourChart(r, 0, &name, &text), 0);
  EXPECT_EQ(ReadColourChart(r, 3, &name, &text), 0);
  EXPECT_TRUE(name.empty());

  auto none = Book({});
  ASSERT_EQ(none->added, 1) << none->error;
  EXPECT_EQ(ReadColourChart(*none->Reader(0), 1, &name, &text), 0);
}

TEST(MenuInfoTest, MenusCopyrightAndKinds) {
  SearchAreasSource areas;
  areas.menu = {"目次", "索引"};
  areas.copyright = {"著作権者　見本"};
  areas.graphicMenus = {0x10};
  areas.colourCharts = {{"RED", "赤"}};
  for (BookKind kind : {BookKind::kEpwing, BookKind::kEb}) {
    auto b = Book(areas, kind);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    EXPECT_TRUE(HasGraphicMenu(r));
    EXPECT_TRUE(HasCopyright(r));
    const IndexEntry* menu = MenuArea(r);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->id, 0x01);
    EXPECT_EQ(EntryTextAt(r, {menu->startPage, 0}), "目次\r\n索引\r\n");
    const IndexEntry* copyright = CopyrightArea(r);
    ASSERT_NE(copyright, nullptr);
    EXPECT_EQ(EntryTextAt(r, {copyright->startPage, 0}), "著作権者　見本\r\n");
    EXPECT_EQ(ItemKind(r, b->written.subbooks[0].text[0].page), 0x00);
    EXPECT_EQ(ItemKind(r, menu->startPage), 0x01);
    EXPECT_EQ(ItemKind(r, r.FindIndex(0xE0)->startPage), 0xE0);
    EXPECT_EQ(ItemKind(r, r.FindIndex(0x10)->startPage), 0x10);
    EXPECT_EQ(ItemKind(r, r.HighestPage() + 1), -1);
  }
  auto plain = Book({});
  ASSERT_EQ(plain->added, 1) << plain->error;
  EXPECT_FALSE(HasGraphicMenu(*plain->Reader(0)));
  EXPECT_FALSE(HasCopyright(*plain->Reader(0)));
  EXPECT_EQ(MenuArea(*plain->Reader(0)), nullptr);
}

}  // namespace
