// The graphic menu that the graphic-menu command opens, when a subbook has
// several: 0x11 before 0x10, 0xEE, 0x0E and 0x0F.
#include <gtest/gtest.h>

#include "bookwriter/search_areas_writer.h"
#include "catalog/book_list.h"
#include "reader/menu_info.h"
#include "reader_test_util.h"

namespace {

// The identifier of the graphic menu chosen in a book with areas `ids`;
// -1 for none, -2 when the book cannot be written.
int GraphicMenuOf(std::vector<uint8_t> ids) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "MENUS";
  s.title = "図版";
  s.indexes = {Index(0x90)};
  s.entries = {Entry("猫", {{0x90, "ねこ"}})};
  SearchAreasSource areas;
  areas.graphicMenus = std::move(ids);
  CTempDir dir;
  WrittenBook written;
  std::string error;
  CBookList list;
  if (!WriteBookWithSearchAreas(book, {areas}, dir.File("book"), {}, &written, &error) ||
      list.AddBook(written.catalogPath) != 1)
    return -2;
  const IndexEntry* area = GraphicMenuArea(*list.GetEntry(0)->textReader);
  return area != nullptr ? area->id : -1;
}

TEST(GraphicMenuArea, TakesTheFirstByItsOrder) {
  EXPECT_EQ(GraphicMenuOf({0x0F, 0x0E, 0xEE, 0x10, 0x11}), 0x11);
  EXPECT_EQ(GraphicMenuOf({0x0F, 0xEE, 0x10}), 0x10);
  EXPECT_EQ(GraphicMenuOf({0x0F, 0x0E}), 0x0E);
  EXPECT_EQ(GraphicMenuOf({}), -1);
}

}  // namespace
