// Damaged index pages end a search quietly with the hits found so far: the
// books in tests/data/reader are one written book (40 words a10..a49 in a
// three-level index 0x92) with one defect each, named after it. Random
// index pages must neither crash nor make a search read more pages than the
// index has.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"
#include "reader/reader_test_util.h"

namespace {

struct Defect {
  const char* dir;
  int prefixHits;  // hits for "a"; the intact book gives 40
  int a30;         // hits for "a30"
};

// What is left when each defect ends the search: the scan stops at the
// damaged page (after finishing it when only an offset is bad), the
// descent gives up on a cycle or a child outside the index.
const Defect kDefects[] = {
    {"index-child-outside", 0, 0},     {"index-count-past-page", 3, 1},
    {"index-cycle", 0, 0},             {"index-key-past-page", 0, 0},
    {"index-leaf-out-of-order", 0, 1}, {"index-offset-above-2048", 2, 1},
    {"index-random-bytes", 0, 0},      {"index-page-top-bit-set", 40, 1},
};

TEST(DamagedIndex, EachDefectEndsTheSearchQuietly) {
  for (const Defect& d : kDefects) {
    SCOPED_TRACE(d.dir);
    CBookList list;
    ASSERT_EQ(list.ScanBooks(std::string(TOMELING_TEST_DATA_DIR) + "/reader/" + d.dir, 0), 1);
    CEBReader* r = list.GetEntry(0)->textReader.get();
    ASSERT_TRUE(r->IsOpen());
    const IndexEntry* index = r->FindIndex(0x92);
    ASSERT_NE(index, nullptr);
    r->ResetPageReads();
    EXPECT_EQ(r->WordSearch("a", false), d.prefixHits);
    EXPECT_EQ(r->WordSearch("a30", false), d.a30);
    EXPECT_EQ(r->EndwordSearch("a30"), 0);
    EXPECT_LE(r->PageReads(), 4u * static_cast<uint64_t>(index->pageCount));
    EXPECT_FALSE(r->Overflowed());
  }
}

// A leaf entry whose text and heading pages have their top bit set is a
// hit like any other, but decoding it ends at once: no page below 1 is
// read, and the decoder does not walk up from there.
TEST(DamagedIndex, PageWithItsTopBitSetDecodesToNothing) {
  CBookList list;
  ASSERT_EQ(list.ScanBooks(std::string(TOMELING_TEST_DATA_DIR) + "/reader/index-page-top-bit-set", 0), 1);
  CEBReader* r = list.GetEntry(0)->textReader.get();
  ASSERT_EQ(r->WordSearch("a11", true), 1);
  std::vector<HitEntry> hits;
  r->GetHitEntSorted(&hits);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(static_cast<uint32_t>(hits[0].textPage), 0x80000002u);
  CReaderTextSource source(*r);
  CTextDecoder decoder(source);
  char buffer[4096];
  // Positions a few pages below 1 first: a decoder that walks up from
  // there fails these quickly instead of spending hours on the hit's.
  for (auto [page, offset] : {std::pair<int32_t, int16_t>{-3, 0}, std::pair<int32_t, int16_t>{0, 12},
                              std::pair{hits[0].textPage, hits[0].textOffset},
                              std::pair{hits[0].headingPage, hits[0].headingOffset}}) {
    r->ResetPageReads();
    r->SeekPage(page);
    r->SeekOffset(offset);
    int length = -1;
    ASSERT_EQ(decoder.ReadEntryText(buffer, sizeof buffer, &length, true, 2), 0) << page;
    ASSERT_EQ(length, 0);
    ASSERT_EQ(decoder.ReadHeadingText(buffer, sizeof buffer, &length), 0);
    ASSERT_LE(r->PageReads(), 2u) << page;
  }
  // The entries around it read as they should.
  ASSERT_EQ(r->WordSearch("a12", true), 1);
  r->GetHitEntSorted(&hits);
  r->SeekPage(hits[0].textPage);
  r->SeekOffset(hits[0].textOffset);
  int length = 0;
  decoder.ReadEntryText(buffer, sizeof buffer, &length, true, 2);
  EXPECT_NE(std::string(buffer, static_cast<size_t>(length)).find("<HEAD>"), std::string::npos);
}

// A written book whose index pages are then overwritten, page by page.
class RandomIndexPages : public ::testing::Test {
 protected:
  void SetUp() override {
    BookSource book;
    book.kind = BookKind::kEb;
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.directory = "RND";
    sub.indexes = {Index(0x90, {0, 0, 0, 0}, 0, true, 3), Index(0x92, {0, 0, 0, 0}, -1, false, 3),
                   Index(0x80, {0, 0, 0, 0}, 0, true, 3), Index(0x72, {0, 0, 0, 0}, 0, false, 3)};
    for (int i = 0; i < 60; ++i)
      sub.entries.push_back(Entry("e", {{0x90, i % 2 ? "かな" : "カナ"}, {0x92, "w" + std::to_string(i)},
                                         {0x72, "w" + std::to_string(i)}}));
    sub.groups = {Group(0x80, "key", {1, 2, 3}), Group(0x80, "kez", {4, 5})};
    m_written = Write(book, m_dir);
    m_original = ReadWholeFile(m_written.subbooks[0].textPath);
  }

  CTempDir m_dir;
  WrittenBook m_written;
  std::vector<uint8_t> m_original;
};

TEST_F(RandomIndexPages, SearchesEndWithinTheIndex) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 60; ++round) {
    std::vector<uint8_t> bytes = m_original;
    // Keep the index table, damage index areas: whole pages of noise, or a
    // few bytes of otherwise sound pages.
    for (const auto& [id, start] : m_written.subbooks[0].indexStart) {
      size_t at = static_cast<size_t>(start - 1) * kPageSize;
      for (int n = 0; n < 6 && at + kPageSize <= bytes.size(); ++n, at += kPageSize) {
        if (round % 3 == 0) {
          for (size_t b = 0; b < kPageSize; ++b) bytes[at + b] = static_cast<uint8_t>(rng());
        } else {
          for (int k = 0; k < 8; ++k) bytes[at + rng() % 64] = static_cast<uint8_t>(rng());
        }
      }
    }
    std::ofstream(m_written.subbooks[0].textPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    CBookList list;
    ASSERT_EQ(list.ScanBooks(m_dir.File("book"), 0), 1);
    CEBReader* r = list.GetEntry(0)->textReader.get();
    ASSERT_NE(r, nullptr);
    r->SetSeion(round % 2 == 1);
    r->SetRetryShorter(true);
    r->ResetPageReads();
    for (const char* word : {"w1", "w", "key", "kez", "wxyz123"}) {
      r->WordSearch(word, round % 4 == 0);
      r->EndwordSearch(word);
    }
    r->WordSearch(Sjis("かな"), false);
    EXPECT_LE(r->PageReads(), 40u * static_cast<uint64_t>(r->HighestPage() + 1));
  }
}

}  // namespace

namespace {

// An index table may claim far more pages than the file has: a descent
// through the missing pages must end at the first one, not walk them all.
TEST(DamagedIndex, IndexClaimingMorePagesThanTheFileEndsAtTheFileEnd) {
  CTempDir dir;
  std::vector<uint8_t> file(2 * kPageSize, 0);
  file[1] = 1;  // one entry: 0x92 from page 2, 0x7FFFFFF0 pages
  uint8_t* e = &file[16];
  e[0] = 0x92;
  e[5] = 2;
  e[6] = 0x7F, e[7] = 0xFF, e[8] = 0xFF, e[9] = 0xF0;
  // Page 2: an inner page whose only key is below every search key, so the
  // level walk goes on to page 3, 4, ... which do not exist.
  uint8_t* page2 = &file[kPageSize];
  page2[1] = 1, page2[3] = 1, page2[4] = 0x01, page2[8] = 9;
  std::string path = dir.Write("HONMON", file);
  CEBReader r;
  ASSERT_EQ(r.Open(path, 1, 0), 1);
  r.ResetPageReads();
  EXPECT_EQ(r.WordSearch("word", false), 0);
  EXPECT_LE(r.PageReads(), 4u);
}

}  // namespace
