// `tomeling group save` and `tomeling group list` on real books, and their
// exit statuses. Runs the built command, which the test program depends on.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "reader/reader_test_util.h"
#include "common/run_command.h"
#include "common/temp_dir.h"

namespace {

int RunGroup(const std::string& args, std::string* out) {
  std::string command = kTomeling + " group " + args + " 2>/dev/null";
  return RunCommand(command, out);
}

BookSource Book(const std::string& dir, const std::string& title) {
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.title = title;
  sub.directory = dir;
  sub.indexes = {Index(0x92)};
  sub.entries = {Entry("語", {{0x92, "word"}})};
  return book;
}

TEST(GroupCommand, SavesAScanAndListsIt) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  CTempDir dir;
  Write(Book("ONE", "国語"), dir, "a/deep/book");
  Write(Book("TWO", "英和"), dir, "b/book");
  std::string group = dir.File("test.grp"), out;
  ASSERT_EQ(RunGroup(group + " --depth 2 --book " + dir.File("b") + " " + dir.File("a") + " save", &out), 2);
  ASSERT_EQ(RunGroup("save " + group + " --book " + dir.File("b") + " " + dir.File("a") + " --depth 1", &out), 0);
  ASSERT_EQ(RunGroup("list " + group, &out), 0);
  EXPECT_EQ(out, "0\t" + dir.File("b/book/CATALOGS") + "\tTWO\t英和\n");  // depth 1 misses a/deep/book
  ASSERT_EQ(RunGroup("save " + group + " --book " + dir.File("b") + " --book " + dir.File("a") + " --depth 2", &out), 0);
  ASSERT_EQ(RunGroup("list " + group, &out), 0);
  EXPECT_EQ(out, "0\t" + dir.File("b/book/CATALOGS") + "\tTWO\t英和\n" +
                     "1\t" + dir.File("a/deep/book/CATALOGS") + "\tONE\t国語\n");

  EXPECT_EQ(RunGroup("list " + dir.File("none.grp"), &out), 1);
  EXPECT_EQ(RunGroup("save " + dir.File("empty.grp") + " --book " + dir.File("none"), &out), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("empty.grp")));
  EXPECT_EQ(RunGroup("save " + group, &out), 2);
  EXPECT_EQ(RunGroup("", &out), 2);
}

// A group saved from a relative --book must list its books from anywhere,
// and a path the file format cannot hold must fail the save, not vanish.
TEST(GroupCommand, StoresPathsFromTheRootAndRefusesWhatItCannotHold) {
  CTempDir dir;
  Write(Book("ONE", "国語"), dir, "shelf/book");
  std::string out, in = "cd " + ShellQuoted(dir.Path().string()) + " && ";
  ASSERT_EQ(RunCommand(in + kTomeling + " group save rel.grp --book ./shelf 2>/dev/null", &out), 0);
  EXPECT_NE(ReadWholeText(dir.File("rel.grp")).find("\n" + dir.File("shelf/book/CATALOGS") + "|0|"), std::string::npos);
  ASSERT_EQ(RunCommand("cd / && " + kTomeling + " group list " + ShellQuoted(dir.File("rel.grp")), &out), 0);
  EXPECT_EQ(out, "0\t" + dir.File("shelf/book/CATALOGS") + "\tONE\t国語\n");

  for (const char* odd : {"bar|shelf", "line\nshelf"}) {
    SCOPED_TRACE(odd);
    Write(Book("TWO", "英和"), dir, std::string(odd) + "/book");
    std::string group = dir.File("odd.grp"), err = dir.File("err.txt");
    std::string command = kTomeling + " group save " + ShellQuoted(group) + " --book " + ShellQuoted(dir.File("shelf")) +
                          " " + ShellQuoted(dir.File(odd)) + " 2>" + ShellQuoted(err);
    EXPECT_EQ(RunCommand(command, &out), 1);
    EXPECT_FALSE(std::filesystem::exists(group));
    EXPECT_NE(ReadWholeText(err).find("cannot hold the path"), std::string::npos) << ReadWholeText(err);
  }

  // `books` keeps one dictionary to a line and four fields to it.
  ASSERT_EQ(RunCommand(kTomeling + " books --depth 3 " + ShellQuoted(dir.File("line\nshelf")), &out), 0);
  EXPECT_EQ(out, "0\t" + dir.File("line\\nshelf/book/CATALOGS") + "\tTWO\t英和\n");
  Write(Book("TAB", "タブ"), dir, "tab\tshelf/book");
  ASSERT_EQ(RunCommand(kTomeling + " books " + ShellQuoted(dir.File("tab\tshelf")), &out), 0);
  EXPECT_EQ(out, "0\t" + dir.File("tab\\tshelf/book/CATALOGS") + "\tTAB\tタブ\n");
}

}  // namespace
