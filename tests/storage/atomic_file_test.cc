#include "storage/atomic_file.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// What stands at the target decides where the bytes go: a link is written
// through, a FIFO or a device straight into, anything else refused.
TEST(AtomicFileTest, WritesThroughLinksAndIntoStreams) {
  CTempDir dir;
  std::string target = dir.File("real.grp"), link = dir.File("link.grp"), chain = dir.File("chain.grp");
  ASSERT_TRUE(WriteFileAtomically(target, "old"));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  ASSERT_EQ(::symlink("real.grp", link.c_str()), 0);
  ASSERT_EQ(::symlink(link.c_str(), chain.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(chain, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(std::filesystem::is_symlink(chain));
  EXPECT_EQ(Contents(target), "new");
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // A failed write through a link keeps the file it names.
  EXPECT_FALSE(WriteFileAtomically(link, "lost", &FailingRename));
  EXPECT_EQ(Contents(target), "new");
  // A dangling link makes the file it names.
  std::string dangling = dir.File("dangling");
  ASSERT_EQ(::symlink("sub/made.txt", dangling.c_str()), 0);
  std::filesystem::create_directory(dir.File("sub"));
  ASSERT_TRUE(WriteFileAtomically(dangling, "made"));
  EXPECT_EQ(Contents(dir.File("sub/made.txt")), "made");
  EXPECT_TRUE(std::filesystem::is_symlink(dangling));
  std::string loop = dir.File("loop");
  ASSERT_EQ(::symlink("loop", loop.c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(loop, "x"));

  // Streams have nothing to replace.
  std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(fifo, "nobody reads"));  // at once, no waiting
  int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_TRUE(WriteFileAtomically(fifo, "to the reader"));
  char got[64] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 13);
  EXPECT_EQ(std::string(got), "to the reader");
  ::close(reader);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(WriteFileAtomically("/dev/null", "gone"));
  EXPECT_FALSE(WriteFileAtomically(dir.Path().string(), "a folder"));
}

TEST(AtomicFileTest, CopiesInPiecesAndWritesStandardOutput) {
  CTempDir dir;
  std::string big(3 << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4096);
  std::string from = dir.Write("movie", std::vector<uint8_t>(big.begin(), big.end()));
  std::string to = dir.File("copy");
  ASSERT_TRUE(WriteFileAtomically(to, "old"));
  ASSERT_TRUE(CopyFileAtomically(from, to));
  EXPECT_EQ(Contents(to), big);
  // A source that is no regular file is refused before the target is touched.
  std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(to, "kept"));
  EXPECT_FALSE(CopyFileAtomically(fifo, to));
  EXPECT_FALSE(CopyFileAtomically(dir.File("missing"), to));
  EXPECT_FALSE(CopyFileAtomically(from, to, &FailingRename));
  EXPECT_EQ(Contents(to), "kept");
  EXPECT_EQ(EntriesIn(dir), 2u);  // movie and copy: no temporary left

  // "-" is standard output for the --out writers, and only for them.
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::fflush(stdout);
  int saved = ::dup(1);
  ::dup2(pipeFds[1], 1);
  bool wrote = WriteOutputFile("-", "out:") && CopyToOutputFile(dir.Write("small", "copied"), "-");
  ::dup2(saved, 1);
  ::close(saved);
  ::close(pipeFds[1]);
  char got[64] = {};
  EXPECT_TRUE(wrote);
  EXPECT_EQ(::read(pipeFds[0], got, sizeof got), 10);
  EXPECT_EQ(std::string(got), "out:copied");
  ::close(pipeFds[0]);
  ASSERT_TRUE(WriteOutputFile(dir.File("named"), "file"));
  EXPECT_EQ(Contents(dir.File("named")), "file");
}
