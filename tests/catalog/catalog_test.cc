// Reading catalogs and opening subbooks: entry limits, unusable entries,
// index pages, padded and oddly spelled names, compressed files only.
#include "catalog/catalog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

// A hand-made catalog of `count` entries all naming directory "SUB":
// the writer never makes more subbooks than a catalog may list.
std::string WriteCatalog(const CTempDir& dir, const std::string& name, bool epwing, int count) {
  std::vector<uint8_t> page(kPageSize, 0);
  page[0] = static_cast<uint8_t>(count >> 8);
  page[1] = static_cast<uint8_t>(count);
  int size = epwing ? 164 : 40, at = epwing ? 82 : 32;
  for (int i = 0; i < count && 16 + (i + 1) * size <= kPageSize; ++i) {
    uint8_t* e = &page[static_cast<size_t>(16 + i * size)];
    std::memcpy(e + at, "SUB     ", 8);
  }
  std::filesystem::create_directories(dir.Path() / "SUB");
  return dir.Write(name, page);
}

BookSource TwoSubbooks(BookKind kind) {
  BookSource book;
  book.kind = kind;
  for (const char* d : {"ONE", "TWO"}) {
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.title = std::string("辞書") + d;
    sub.directory = d;
    sub.indexes = {Index(0x92)};
    sub.entries = {Entry("語", {{0x92, std::string("word") + d}})};
  }
  return book;
}

TEST(Catalog, EntryCountsAreCutToTheKindsLimit) {
  CTempDir dir;
  Catalog catalog;
  EXPECT_EQ(ReadCatalogFile(WriteCatalog(dir, "CATALOGS", true, 15), true, &catalog), 12);
  EXPECT_EQ(catalog.entries.size(), 12u);
  CBookList list;
  EXPECT_EQ(list.AddBook(dir.File("CATALOGS")), 12);
  EXPECT_EQ(ReadCatalogFile(WriteCatalog(dir, "CATALOG", false, 60), false, &catalog), 50);
  EXPECT_EQ(list.AddBook(dir.File("CATALOG")), 50);
  EXPECT_EQ(list.PeekEntry(0)->directory, "SUB");
  EXPECT_EQ(ReadCatalog(dir.File("none"), true, &catalog), 0);
}

TEST(Catalog, FieldsOfWrittenBooks) {
  CTempDir dir;
  BookSource book = TwoSubbooks(BookKind::kEpwing);
  book.subbooks[0].directory = "ABC";  // stored as "ABC" and five spaces
  book.subbooks[1].catalogType = kUnusableSubbook;
  book.subbooks[1].indexPage = 3;
  Write(book, dir);
  Catalog catalog;
  ASSERT_EQ(ReadCatalog(dir.File("book"), true, &catalog), 2);
  EXPECT_EQ(catalog.entries[0].directory, "ABC");
  EXPECT_EQ(Utf8(catalog.entries[0].title), "辞書ＯＮＥ");  // stored as JIS, letters wide
  EXPECT_EQ(catalog.entries[1].type, kUnusableSubbook);
  EXPECT_EQ(catalog.entries[1].indexPage, 3);
  CBookList list;
  EXPECT_EQ(list.ScanBooks(dir.File("book"), 0), 1);  // 0xF0 is never listed
  EXPECT_EQ(list.PeekEntry(0)->directory, "ABC");
  EXPECT_FALSE(list.PeekEntry(0)->opened);             // EPWING opens on first use
  ASSERT_NE(list.GetEntry(0), nullptr);
  EXPECT_TRUE(list.GetEntry(0)->opened);
  EXPECT_EQ(list.GetEntry(1), nullptr);
  EXPECT_FALSE(OpenSubbook(*list.GetEntry(0), false));  // already open
}

TEST(Catalog, IndexPageByteBelowOneMeansPageOne) {
  CTempDir dir;
  WrittenBook written = Write(TwoSubbooks(BookKind::kEpwing), dir);
  std::vector<uint8_t> bytes = ReadWholeFile(written.catalogPath);
  for (uint8_t value : {0x00, 0x80}) {
    bytes[16 + 95] = value;
    dir.Write("book/CATALOGS", bytes);
    Catalog catalog;
    ASSERT_EQ(ReadCatalog(dir.File("book"), true, &catalog), 2);
    EXPECT_EQ(catalog.entries[0].indexPage, 1);
    CBookList list;
    list.ScanBooks(dir.File("book"), 0);
    EXPECT_EQ(list.GetEntry(0)->textReader->WordSearch("wordone", true), 1);
  }
}

TEST(Catalog, CompressedAndOddlyNamedBooksOpenLikePlainOnes) {
  struct Case {
    const char* name;
    BookKind kind;
    FileStorage storage;
    WriteOptions options;
    bool honmon2;
  };
  const Case cases[] = {
      {"eb-ebz", BookKind::kEb, {FileStorage::kEbzip, 1}, {}, false},
      {"eb-lower", BookKind::kEb, {}, Names(true, false), false},
      {"eb-iso", BookKind::kEb, {}, Names(false, true), false},
      {"ep-ebz", BookKind::kEpwing, {FileStorage::kEbzip, 2}, {}, false},
      {"ep-honmon2-ebz", BookKind::kEpwing, {FileStorage::kEbzip, 0}, {}, true},
      {"ep-lower-iso", BookKind::kEpwing, {}, Names(true, true), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTempDir dir;
    BookSource book = TwoSubbooks(c.kind);
    book.catalogStorage = c.storage;
    for (SubbookSource& sub : book.subbooks) {
      sub.textStorage = c.storage;
      sub.useHonmon2 = c.honmon2;
    }
    Write(book, dir, "book", c.options);
    CBookList list;
    ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 2);
    EXPECT_EQ(list.PeekEntry(0)->opened, c.kind == BookKind::kEb);
    for (int i = 0; i < 2; ++i) {
      SubbookEntry* e = list.GetEntry(i);
      ASSERT_TRUE(e && e->opened);
      EXPECT_EQ(e->textReader->WordSearch(i == 0 ? "wordONE" : "wordtwo", true), 1);
      EXPECT_EQ(e->m_isEpwing, c.kind == BookKind::kEpwing);
    }
  }
}

TEST(Catalog, MissingTextOrDirectoryLeavesNothingToSearch) {
  CTempDir dir;
  WrittenBook written = Write(TwoSubbooks(BookKind::kEpwing), dir);
  std::filesystem::remove_all(dir.Path() / "book" / "TWO");
  std::filesystem::remove(written.subbooks[0].textPath);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 1);
  SubbookEntry* e = list.GetEntry(0);
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(e->opened);
  EXPECT_EQ(e->textReader->WordSearch("wordone", false), 0);
}

}  // namespace
