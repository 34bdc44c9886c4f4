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

// Every place of the history, walked back from where it stands, as the
// directory of the dictionary it names and its page.
std::string PlaceOf(CBookList& list, const NavRecord& r) {
  const SubbookEntry* e = list.PeekEntry(r.subbook);
  return (e ? e->directory : "?") + std::to_string(r.page);
}

std::vector<std::string> Places(CBookList& list) {
  std::vector<std::string> places;
  NavRecord r;
  while (list.StepBack(&r)) places.push_back(PlaceOf(list, r));
  return places;
}

void PushPlace(CBookList& list, int dict, int page) {
  NavRecord r;
  r.subbook = dict;
  r.page = page;
  list.PushPosition(r);
}

// Records keep naming the dictionary they were made in, whatever happens to
// the numbers; a removed dictionary's records go, the shown one included.
TEST(BookListEdit, NavigationFollowsRemovedAndMovedEntries) {
  CTempDir dir;
  Write(Book({"A", "B", "C", "D"}), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 4);
  // Places A1 B2 C3 B4 D5 A6 C7, then back to B4.
  const int dicts[] = {0, 1, 2, 1, 3, 0, 2};
  for (int page = 1; page <= 7; ++page) PushPlace(list, dicts[page - 1], page);
  NavRecord r;
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(list.StepBack(&r));
  ASSERT_EQ(r.page, 4);

  ASSERT_TRUE(list.MoveEntry(3, -1));  // A B D C
  ASSERT_TRUE(list.MoveEntry(0, 1));   // B A D C
  ASSERT_TRUE(list.RemoveEntry(0));    // A D C: B4, shown, goes with B2
  EXPECT_EQ(Dirs(list), (std::vector<std::string>{"A", "D", "C"}));
  ASSERT_TRUE(list.StepForward(&r));  // forward: the record after the shown one
  EXPECT_EQ(PlaceOf(list, r), "D5");
  EXPECT_EQ(Places(list), (std::vector<std::string>{"C3", "A1"}));
  while (list.StepForward(&r)) {
  }
  EXPECT_EQ(Places(list), (std::vector<std::string>{"C7", "A6", "D5", "C3", "A1"}));

  ASSERT_TRUE(list.RemoveEntry(2));  // A D: every C goes, the newest included
  EXPECT_EQ(list.NavHistory().Top(), 3);
  EXPECT_FALSE(list.RemoveEntry(2));  // out of range: the history is untouched
  EXPECT_FALSE(list.MoveEntry(1, 1));
  while (list.StepForward(&r)) {
  }
  EXPECT_EQ(Places(list), (std::vector<std::string>{"A6", "D5", "A1"}));
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
