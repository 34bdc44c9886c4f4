#include "storage/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "common/temp_dir.h"

namespace {

std::string Contents(const std::string& path) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

size_t EntriesIn(const CTempDir& dir) {
  size_t n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) n += e.is_regular_file() ? 1 : 0;
  return n;
}

}  // namespace

TEST(AtomicFileTest, CreatesAndReplacesKeepingPermissions) {
  CTempDir dir;
  std::string path = dir.File("history.txt");
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  EXPECT_EQ(Contents(path), "first");

  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  std::string binary("a\0b\xff", 4);
  ASSERT_TRUE(WriteFileAtomically(path, binary));
  EXPECT_EQ(Contents(path), binary);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(Contents(path), "");
  EXPECT_EQ(EntriesIn(dir), 1u);  // no temporary left behind
}

TEST(AtomicFileTest, FailureKeepsTheOldFileAndRemovesTheTemporary) {
  CTempDir dir;
  std::string path = dir.File("groups.grp");
  ASSERT_TRUE(WriteFileAtomically(path, "old content"));
  EXPECT_FALSE(WriteFileAtomically(path, "new content", &FailingRename));
  EXPECT_EQ(Contents(path), "old content");
  EXPECT_EQ(EntriesIn(dir), 1u);

  // A folder that does not exist cannot take the temporary.
  EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/folder/file"), "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
}
