// Reading the application directory's small files: only regular files, and
// only up to a bound, so that no FIFO, device or huge file can hang a start.
#include "storage/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "common/temp_dir.h"

TEST(RegularFileTest, ReadsRegularFilesUpToTheBound) {
  CTempDir dir;
  FileRead read = ReadRegularFile(dir.Write("history.txt", "one\ntwo\r\nthree"), 100);
  EXPECT_EQ(read.status, FileReadStatus::kRead);
  EXPECT_EQ(read.bytes, "one\ntwo\r\nthree");
  EXPECT_FALSE(read.truncated);
  EXPECT_EQ(WholeLines(read), "one\ntwo\r\nthree");  // a whole file keeps its last line

  read = ReadRegularFile(dir.File("history.txt"), 11);
  EXPECT_TRUE(read.ok());
  EXPECT_EQ(read.bytes, "one\ntwo\r\nth");
  EXPECT_TRUE(read.truncated);
  EXPECT_EQ(WholeLines(read), "one\ntwo\r\n");  // never half a line
  read = ReadRegularFile(dir.File("history.txt"), 14);
  EXPECT_FALSE(read.truncated);  // exactly the bound is all of it
  EXPECT_EQ(WholeLines(ReadRegularFile(dir.File("history.txt"), 2)), "");

  // Through a link to a regular file is fine.
  ASSERT_EQ(symlink("history.txt", dir.File("link").c_str()), 0);
  EXPECT_EQ(ReadRegularFile(dir.File("link"), 100).bytes, "one\ntwo\r\nthree");
  EXPECT_EQ(ReadRegularFile(dir.Write("empty", ""), 100).status, FileReadStatus::kRead);
  EXPECT_EQ(ReadRegularFile(dir.File("missing"), 100).status, FileReadStatus::kMissing);
}

TEST(RegularFileTest, RefusesEverythingElseWithoutWaiting) {
  CTempDir dir;
  // A FIFO nobody writes would block an ordinary open forever.
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", dir.File("zero").c_str()), 0);
  for (const std::string& path : {dir.File("fifo"), dir.File("zero"), std::string("/dev/null"), dir.Path().string()}) {
    FileRead read = ReadRegularFile(path, 1 << 20);
    EXPECT_EQ(read.status, FileReadStatus::kNotRegular) << path;
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_FALSE(read.ok());
  }
}
