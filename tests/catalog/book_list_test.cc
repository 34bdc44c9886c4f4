// Scanning directory trees for books: depth, catalog spellings, symbolic
// link loops, and the order of the list.
#include "catalog/book_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

BookSource OneSubbook(BookKind kind, const char* dir) {
  BookSource book;
  book.kind = kind;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = dir;
  sub.indexes = {Index(0x92)};
  sub.entries = {Entry("語", {{0x92, "word"}})};
  return book;
}

TEST(BookList, ScanDepthCountsDirectoryLevels) {
  CTempDir dir;
  Write(OneSubbook(BookKind::kEpwing, "DEEP"), dir, "a/b/book");
  CBookList list;
  EXPECT_EQ(list.ScanBooks(dir.File("a"), 1), 0);
  EXPECT_EQ(list.ScanBooks(dir.File("a"), 2), 1);
  EXPECT_EQ(list.ScanBooks(dir.File("a/b/book"), 0), 1);
  EXPECT_EQ(list.Count(), 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ScanBooks(dir.File("missing"), 3), 0);
}

TEST(BookList, FindsEveryCatalogSpellingInSortedOrder) {
  CTempDir dir;
  BookSource ebz = OneSubbook(BookKind::kEb, "EBZ");
  ebz.catalogStorage = {FileStorage::kEbzip, 0};
  Write(ebz, dir, "c-ebz");
  Write(OneSubbook(BookKind::kEpwing, "LOWER"), dir, "b-lower", Names(true, false));
  Write(OneSubbook(BookKind::kEpwing, "ISO"), dir, "a-iso", Names(false, true));
  // A lower-case compressed catalog name.
  std::filesystem::rename(dir.Path() / "c-ebz" / "CATALOG.ebz", dir.Path() / "c-ebz" / "catalog.ebz");
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.Path().string(), 1), 3);
  EXPECT_EQ(list.PeekEntry(0)->directory, "ISO");
  EXPECT_EQ(list.PeekEntry(1)->directory, "LOWER");
  EXPECT_EQ(list.PeekEntry(2)->directory, "EBZ");
  EXPECT_TRUE(list.PeekEntry(2)->opened);  // EB books open when added
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.GetEntry(i)->textReader->WordSearch("word", true), 1);
  EXPECT_EQ(list.GetEntry(3), nullptr);
  EXPECT_EQ(list.PeekEntry(-1), nullptr);
}

TEST(BookList, SymbolicLinkLoopsAreEnteredOnce) {
  CTempDir dir;
  Write(OneSubbook(BookKind::kEpwing, "LOOP"), dir, "top/book");
  std::filesystem::create_directory_symlink(dir.Path() / "top", dir.Path() / "top" / "again");
  std::filesystem::create_directory_symlink(dir.Path() / "top", dir.Path() / "top" / "book" / "up");
  CBookList list;
  EXPECT_EQ(list.ScanBooks(dir.File("top"), 999), 1);
}

TEST(BookList, ProgressSeesEachDirectoryAndCanStopTheScan) {
  CTempDir dir;
  Write(OneSubbook(BookKind::kEpwing, "FIRST"), dir, "top/a");
  Write(OneSubbook(BookKind::kEpwing, "SECOND"), dir, "top/b");
  CBookList list;
  std::vector<std::string> seen;
  EXPECT_EQ(list.ScanBooks(dir.File("top"), 2, [&](const std::string& d) {
    seen.push_back(d);
    return true;
  }), 2);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen[0], dir.File("top"));
  EXPECT_EQ(seen[1], dir.File("top/a"));

  // Stopping at "top/b" keeps the book found before it.
  list.Clear();
  EXPECT_EQ(list.ScanBooks(dir.File("top"), 2, [&](const std::string& d) { return d != dir.File("top/b"); }), 1);
  EXPECT_EQ(list.PeekEntry(0)->directory, "FIRST");
  EXPECT_EQ(list.ScanBooks(dir.File("top"), 2, [](const std::string&) { return false; }), 0);
}

TEST(BookList, AddSubbookKeepsTheUsersName) {
  CTempDir dir;
  WrittenBook written = Write(OneSubbook(BookKind::kEpwing, "NAMED"), dir);
  CBookList list;
  EXPECT_EQ(list.AddSubbook(written.catalogPath, 0, u"私の辞書"), 0);
  EXPECT_EQ(list.PeekEntry(0)->extraName, u"私の辞書");
  EXPECT_EQ(list.AddSubbook(written.catalogPath, 1), -1);
  EXPECT_EQ(list.AddSubbook(dir.File("nothing/CATALOGS"), 0), -1);
  EXPECT_EQ(SubbookPath(*list.PeekEntry(0)), dir.File("book/NAMED"));
}

}  // namespace
