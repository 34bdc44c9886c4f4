// `tomeling group save` and `tomeling group list` on real books, and their
// exit statuses. Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "reader/reader_test_util.h"
#include "common/run_command.h"

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

}  // namespace
