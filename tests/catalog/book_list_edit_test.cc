// Editing the book list (removing and moving entries, a new list path) and
// the places a scan must not go.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

namespace fs = std::filesystem;

BookSource Book(std::vector<std::string> dirs) {
  BookSource book;
  for (const std::string& d : dirs) {
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.directory = d;
    sub.indexes = {Index(0x92)};
    sub.entries = {Entry("語", {{0x92, "word" + d}})};
  }
  return book;
}

std::vector<std::string> Dirs(CBookList& list) {
  std::vector<std::string> dirs;
  for (int i = 0; i < list.Count(); ++i) dirs.push_back(list.PeekEntry(i)->directory);
  return dirs;
}

TEST(BookListEdit, RemoveAndMoveEntries) {
  CTempDir dir;
  Write(Book({"A", "B", "C", "D"}), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 4);
  EXPECT_FALSE(list.MoveEntry(0, -1));  // refused at the ends
  EXPECT_FALSE(list.MoveEntry(3, 1));
  EXPECT_FALSE(list.MoveEntry(4, -1));
  EXPECT_FALSE(list.MoveEntry(1, 0));
  EXPECT_TRUE(list.MoveEntry(3, -5));   // only the sign counts
  EXPECT_EQ(Dirs(list), (std::vector<std::string>{"A", "B", "D", "C"}));
  ASSERT_TRUE(list.GetEntry(1)->opened);
  EXPECT_TRUE(list.RemoveEntry(1));
  EXPECT_FALSE(list.RemoveEntry(3));
  EXPECT_FALSE(list.RemoveEntry(-1));
  EXPECT_EQ(Dirs(list), (std::vector<std::string>{"A", "D", "C"}));
  // The entries keep working after being moved about.
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(list.GetEntry(i)->textReader->WordSearch("word" + Dirs(list)[i], true), 1);

  EXPECT_EQ(list.ListPath(), kDefaultListName);
  list.SetListPath(dir.File("new.grp"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ListPath(), dir.File("new.grp"));
}

TEST(BookListEdit, ScansStayOutOfSystemTrees) {
  CTempDir dir;
  Write(Book({"HOME"}), dir, "home/book");
  fs::create_directory_symlink("/proc", dir.Path() / "home" / "proc");
  fs::create_directory_symlink("/sys", dir.Path() / "home" / "sys");
  // A book inside /dev (in /dev/shm) is not found through a link either.
  std::error_code ec;
  std::string shm = "/dev/shm/tomeling-scan-XXXXXX";
  bool haveShm = fs::is_directory("/dev/shm", ec) && mkdtemp(shm.data()) != nullptr;
  if (haveShm) {
    BookSource inside = Book({"SHM"});
    std::string error;
    ASSERT_TRUE(WriteBook(inside, shm + "/book", {}, nullptr, &error)) << error;
    fs::create_directory_symlink(shm, dir.Path() / "home" / "shm");
  }
  CBookList list;
  EXPECT_EQ(list.ScanBooks(dir.File("home"), 3), 1);
  EXPECT_EQ(list.ScanBooks("/proc", 2), 0);
  if (haveShm) {
    EXPECT_EQ(list.ScanBooks(shm, 1), 0);
    fs::remove_all(shm, ec);
  }
  EXPECT_EQ(Dirs(list), (std::vector<std::string>{"HOME"}));
}

}  // namespace
