// One text stored every way a book can store it, all files open at once:
// pages read in an interleaved order must agree with the text everywhere.
// Catches state shared between open files (the one inflater, caches keyed
// by page only) as well as any single storage reading back wrongly.
#include <gtest/gtest.h>

#include <memory>

#include "bookwriter/big_endian.h"
#include "bookwriter/ebzip_writer.h"
#include "bookwriter/huffman_writer.h"
#include "bookwriter/sample_data.h"
#include "bookwriter/sebxa_writer.h"
#include "common/temp_dir.h"
#include "roundtrip_util.h"
#include "storage/book_file.h"

namespace {

struct Stored {
  std::string name;
  std::vector<uint8_t> image;
  int versionHint;
  uint8_t kind;
  size_t firstTextPage;  // page of the file holding the text's page 1
};

std::vector<Stored> StoreEveryWay(const std::vector<uint8_t>& text) {
  std::vector<Stored> all;
  all.push_back({"HONMON", text, 0, CBookFile::kPlain, 1});
  for (int level : {0, 2, 5}) {
    EbzipOptions options;
    options.level = level;
    all.push_back({"HONMON" + std::to_string(level) + ".ebz", *EbzipCompress(text, options), 0, CBookFile::kEbzip, 1});
  }
  HuffmanOptions kind3, kind4;
  kind4.kind = 4;
  all.push_back({"HONMON2", *EpwingHuffmanCompress(text, kind3), 0, CBookFile::kEpwingAllCoded, 1});
  all.push_back({"HONMONG", *EpwingHuffmanCompress(text, kind4), 6, CBookFile::kEpwingFlagged, 1});

  // A START file whose text area begins on page 2, after the index table.
  std::vector<uint8_t> start(2048, 0);
  PutBE16(&start[0], 1);
  PutBE32(&start[18], 2);
  PutBE32(&start[22], static_cast<uint32_t>(PageCount(text.size())));
  start.insert(start.end(), text.begin(), text.end());
  all.push_back({"START", *SebxaCompressStart(start), 0, CBookFile::kSebxa, 2});
  return all;
}

TEST(StorageRoundTrip, EveryStorageOfOneTextOpenAtOnce) {
  CTempDir dir;
  std::vector<uint8_t> text = MakeJisText(97 * 2048 + 1111, 71);
  std::vector<Stored> stored = StoreEveryWay(text);
  std::vector<std::unique_ptr<CBookFile>> files;
  for (const Stored& s : stored) {
    files.push_back(std::make_unique<CBookFile>());
    ASSERT_EQ(files.back()->Open(dir.Write(s.name, s.image), s.versionHint), 0) << s.name;
    EXPECT_EQ(files.back()->StorageKind(), s.kind) << s.name;
  }
  const size_t pages = PageCount(text.size());
  std::vector<uint8_t> buffer(kPageSize);
  for (size_t page : ScrambledOrder(pages, 12)) {
    std::vector<uint8_t> want = ExpectedPage(text, page);
    for (size_t i = 0; i < files.size(); ++i) {
      ASSERT_EQ(files[i]->SetPage(static_cast<int32_t>(page + stored[i].firstTextPage - 1)), 0);
      ASSERT_EQ(files[i]->ReadPage(buffer.data()), 1) << stored[i].name << " page " << page;
      ASSERT_EQ(buffer, want) << stored[i].name << " page " << page;
    }
  }
  // Closed and opened again, each file reads in sequence from a clean state.
  for (size_t i = 0; i < files.size(); ++i) {
    files[i]->Close();
    ASSERT_EQ(files[i]->Open(dir.File(stored[i].name), stored[i].versionHint), 0);
    ASSERT_EQ(files[i]->SetPage(static_cast<int32_t>(stored[i].firstTextPage)), 0);
    for (size_t page = 1; page <= pages; ++page) {
      ASSERT_EQ(files[i]->ReadPage(buffer.data()), 1) << stored[i].name << " page " << page;
      ASSERT_EQ(buffer, ExpectedPage(text, page)) << stored[i].name << " page " << page;
    }
  }
}

}  // namespace
