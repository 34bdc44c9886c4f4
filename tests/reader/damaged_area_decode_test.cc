// A damaged index table may claim an area far larger than the file: text
// decoded there must end at the file's last page instead of reading zero
// pages up to the claimed end.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

// Every area of the table on page 1 now claims 0x7FFF0000 pages.
void ClaimHugeAreas(std::vector<uint8_t>* bytes) {
  int count = ((*bytes)[0] << 8) | (*bytes)[1];
  for (int i = 0; i < count && 16 + 16 * (i + 1) <= 2048; ++i) {
    uint8_t* entry = bytes->data() + 16 + 16 * i;
    entry[6] = 0x7F, entry[7] = 0xFF, entry[8] = 0, entry[9] = 0;
  }
}

TEST(DamagedArea, DecodingEndsAtTheLastPageOfTheFile) {
  BookSource book;
  book.kind = BookKind::kEb;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "HUGE";
  sub.indexes = {Index(0x91)};
  for (int i = 0; i < 20; ++i) sub.entries.push_back(Entry("w" + std::to_string(i), {{0x91, "w" + std::to_string(i)}}));
  CTempDir dir;
  WrittenBook written = Write(book, dir);
  std::vector<uint8_t> bytes = ReadWholeFile(written.subbooks[0].textPath);
  ASSERT_GE(bytes.size(), 2u * kPageSize);
  ClaimHugeAreas(&bytes);
  bytes.resize(bytes.size() + kPageSize, 0);  // a page of nothing but zeros
  std::ofstream(written.subbooks[0].textPath, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 1);
  CEBReader* r = list.GetEntry(0)->textReader.get();
  ASSERT_TRUE(r->IsOpen());
  int32_t pages = static_cast<int32_t>((bytes.size() + kPageSize - 1) / kPageSize);
  EXPECT_EQ(r->PageCount(), pages);
  EXPECT_GT(r->HighestPage(), 0x7FFE0000);

  // In the zero page nothing stops the text but the page limit.
  CReaderTextSource source(*r);
  CTextDecoder decoder(source);
  std::vector<char> buffer(CTextDecoder::kMaxCapacity);
  r->ResetPageReads();
  r->SeekPage(pages);
  r->SeekOffset(16);
  int length = 0;
  decoder.ReadEntryText(buffer.data(), static_cast<int>(buffer.size()), &length, false, 0);
  EXPECT_LE(r->PageReads(), 4u);
  EXPECT_LE(r->CurrentPage(), pages + 1);
}

}  // namespace
