// `tomeling books`, `search` and `indexes`: output lines and exit statuses.
// Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "reader/reader_test_util.h"
#include "common/run_command.h"

namespace {

int Tomeling(const std::string& args, std::string* out) {
  return RunCommand(kTomeling + " " + args + " 2>&1", out);
}

std::string Pos(const BookPos& p) {
  char s[32];
  std::snprintf(s, sizeof s, "%08X:%04X", static_cast<unsigned>(p.page), p.offset);
  return s;
}

// One line of search's output: the positions of entry `e` and its heading.
std::string Hit(const WrittenSubbook& w, int e, const std::string& heading) {
  return Pos(w.text[e]) + "\t" + Pos(w.heading[e]) + "\t" + heading + "\n";
}

TEST(SearchCommand, ListsSearchesAndShowsIndexes) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  CTempDir dir;
  BookSource book;
  for (const char* d : {"FIRST", "SECOND"}) {
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.title = std::string("辞書") + d;
    sub.directory = d;
    sub.indexes = {Index(0x90), Index(0x92), Index(0x72)};
    sub.entries = {Entry("珈琲", {{0x90, "コーヒー"}}), Entry("apple", {{0x92, "apple"}, {0x72, "apple"}}),
                   Entry("apply", {{0x92, "apply"}, {0x72, "apply"}})};
  }
  WrittenBook written = Write(book, dir, "shelf/book");
  const WrittenSubbook& second = written.subbooks[1];
  std::string out;

  ASSERT_EQ(Tomeling("books " + dir.File("shelf"), &out), 0);
  EXPECT_EQ(out, "0\t" + written.catalogPath + "\tFIRST\t辞書ＦＩＲＳＴ\n1\t" + written.catalogPath +
                     "\tSECOND\t辞書ＳＥＣＯＮＤ\n");
  ASSERT_EQ(Tomeling("books --depth 0 " + dir.File("shelf"), &out), 2);

  std::string bookArg = "--book " + dir.File("shelf/book") + " --dict 1 ";
  ASSERT_EQ(Tomeling("search " + bookArg + "app", &out), 0);
  // The book keeps the letters of headings full width.
  EXPECT_EQ(out, Hit(second, 1, "ａｐｐｌｅ") + Hit(second, 2, "ａｐｐｌｙ"));
  ASSERT_EQ(Tomeling("search " + bookArg + "--method exact こおひい", &out), 0);
  EXPECT_EQ(out, Hit(second, 0, "珈琲"));
  ASSERT_EQ(Tomeling("search " + bookArg + "--method endword ly", &out), 0);
  EXPECT_EQ(out, Hit(second, 2, "ａｐｐｌｙ"));
  EXPECT_EQ(Tomeling("search " + bookArg + "--method exact app", &out), 1);
  EXPECT_EQ(out, "");

  ASSERT_EQ(Tomeling("indexes " + bookArg, &out), 0);
  EXPECT_NE(out.find("[90]前方一致かなINDEX\t"), std::string::npos);
  EXPECT_NE(out.find("[72]後方一致英字INDEX\t"), std::string::npos);

  // No book, or no such dictionary: one line on stderr, status 2.
  EXPECT_EQ(Tomeling("search --book " + dir.File("shelf") + " word", &out), 2);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
  EXPECT_EQ(Tomeling("indexes --book " + dir.File("shelf/book") + " --dict 2", &out), 2);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
  EXPECT_EQ(Tomeling("search --book " + dir.File("shelf/book") + " --method sideways x", &out), 2);
}

}  // namespace
