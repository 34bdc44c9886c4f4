#include "storage/file_stream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/temp_dir.h"

TEST(FileStreamTest, ReadsWholeItemsSeeksAndSizes) {
  CTempDir dir;
  std::string path = dir.Write("ten", "0123456789");
  CFileStream file;
  EXPECT_EQ(file.Open(dir.File("missing"), "rb"), -1);
  EXPECT_FALSE(file.IsOpen());
  ASSERT_EQ(file.Open(path, "rb"), 0);

  char buf[16] = {};
  EXPECT_EQ(file.Read(buf, 4, 3), 2u);  // only whole items count
  EXPECT_EQ(std::string(buf, 8), "01234567");

  EXPECT_EQ(file.Seek(2, CFileStream::kBegin), 0);
  EXPECT_EQ(file.Seek(3, CFileStream::kCurrent), 0);
  EXPECT_EQ(file.Read(buf, 1, 1), 1u);
  EXPECT_EQ(buf[0], '5');
  EXPECT_EQ(file.Seek(-1, CFileStream::kEnd), 0);
  EXPECT_EQ(file.Read(buf, 1, 1), 1u);
  EXPECT_EQ(buf[0], '9');
  EXPECT_EQ(file.Seek(-1, CFileStream::kBegin), -1);

  ASSERT_EQ(file.Seek(4), 0);
  EXPECT_EQ(file.Size(), 10);
  EXPECT_EQ(file.Tell(), 4);  // Size keeps the position
  file.Close();
  EXPECT_EQ(file.Read(buf, 1, 1), 0u);
  EXPECT_EQ(file.Seek(0), -1);
}

TEST(FileStreamTest, ReadLineStopsAtEitherTerminator) {
  CTempDir dir;
  CFileStream file;
  ASSERT_EQ(file.Open(dir.Write("lines", std::string_view("ab\ncd\r\n\xff\x00z\rlast", 15)), "rb"), 0);
  std::string line;
  std::vector<std::string> lines;
  while (file.ReadLine(line) == 0) lines.push_back(line);
  // CR and LF each end a line, so CRLF gives an empty line; bytes are kept
  // as they are, NUL included; the unterminated last line still counts.
  std::vector<std::string> want = {"ab", "cd", "", std::string("\xff\x00z", 3), "last"};
  EXPECT_EQ(lines, want);

  ASSERT_EQ(file.Open(dir.Write("newline", "\n"), "rb"), 0);
  EXPECT_EQ(file.ReadLine(line), 0);
  EXPECT_EQ(line, "");
  EXPECT_EQ(file.ReadLine(line), -1);
  ASSERT_EQ(file.Open(dir.Write("empty", ""), "rb"), 0);
  EXPECT_EQ(file.ReadLine(line), -1);
}

TEST(FileStreamTest, WritesStringsAndRefusesOnReadOnlyStreams) {
  CTempDir dir;
  std::string path = dir.File("out");
  CFileStream file;
  ASSERT_EQ(file.Open(path, "wb"), 0);
  EXPECT_EQ(file.WriteString("abc"), 0);
  EXPECT_EQ(file.WriteString(""), 0);
  EXPECT_EQ(file.WriteString("\x82\xa0\r\n"), 0);
  file.Close();
  std::vector<uint8_t> got = ReadWholeFile(path);
  EXPECT_EQ(std::string(got.begin(), got.end()), "abc\x82\xa0\r\n");

  ASSERT_EQ(file.Open(path, "rb"), 0);
  EXPECT_EQ(file.WriteString("x"), -1);
}

// Book files are regular files: a FIFO in a book's place must not block the
// open, nor /dev/zero read without end.
TEST(FileStreamTest, ReadsOnlyRegularFiles) {
  CTempDir dir;
  ASSERT_EQ(mkfifo(dir.File("CATALOGS").c_str(), 0600), 0);
  CFileStream file;
  EXPECT_EQ(file.Open(dir.File("CATALOGS"), "rb"), -1);
  EXPECT_EQ(file.Open("/dev/zero", "rb"), -1);
  EXPECT_EQ(file.Open(dir.Path().string(), "rb"), -1);
  EXPECT_FALSE(file.IsOpen());
}

// Past the limit of open streams the oldest is closed underneath and opened
// again by its next read, at the place it was; a file replaced meanwhile
// reads as an error rather than as another file's bytes.
TEST(FileStreamTest, ParksOldStreamsAndReopensThem) {
  CTempDir dir;
  SetStreamLimit(3);
  std::vector<std::unique_ptr<CFileStream>> files;
  for (int i = 0; i < 6; ++i) {
    files.push_back(std::make_unique<CFileStream>());
    std::string path = dir.Write("f" + std::to_string(i), "file" + std::to_string(i) + "-tail");
    ASSERT_EQ(files.back()->Open(path, "rb"), 0);
    char head[5] = {};
    ASSERT_EQ(files.back()->Read(head, 1, 5), 5u);
    EXPECT_LE(OpenStreamCount(), 3u);
  }
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(files[static_cast<size_t>(i)]->IsOpen());
    EXPECT_EQ(files[static_cast<size_t>(i)]->Tell(), 5);
    char tail[5] = {};
    ASSERT_EQ(files[static_cast<size_t>(i)]->Read(tail, 1, 5), 5u) << i;
    EXPECT_EQ(std::string(tail, 5), "-tail");
    EXPECT_LE(OpenStreamCount(), 3u);
  }
  // files[0] is parked now; its file is replaced by another (made while the
  // old one still exists, so the two cannot share an inode number).
  std::filesystem::rename(dir.Write("f0.new", "other-file"), dir.File("f0"));
  char byte = 0;
  EXPECT_EQ(files[0]->Seek(0), -1);
  EXPECT_EQ(files[0]->Read(&byte, 1, 1), 0u);
  files.clear();
  EXPECT_EQ(OpenStreamCount(), 0u);
  SetStreamLimit(0);
}
