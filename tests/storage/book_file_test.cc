// CBookFile behaviour that the round trips do not reach: the page cursor,
// open failures, which files are tested for which compression, the slot
// cache and its round-robin eviction, the EBZip index width limits, and the
// LZSS corner cases of S-EBXA that a compressor never emits.
#include "storage/book_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bookwriter/ebzip_writer.h"
#include "bookwriter/huffman_writer.h"
#include "bookwriter/sebxa_writer.h"
#include "common/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Pages whose every byte tells its page, so a page read from the wrong
// place shows: byte i of page p is (p * 7 + i / 16) & 0xFF, never all zero.
Bytes NumberedPages(size_t bytes) {
  Bytes data(bytes);
  for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>((i / kPageSize + 1) * 7 + (i % kPageSize) / 16);
  return data;
}

Bytes PageFrom(const Bytes& data, int32_t page) {
  Bytes out(kPageSize, 0);
  size_t begin = static_cast<size_t>(page - 1) * kPageSize;
  for (size_t i = 0; i < static_cast<size_t>(kPageSize) && begin + i < data.size(); ++i) out[i] = data[begin + i];
  return out;
}

Bytes Read(CBookFile& file, int* result = nullptr) {
  Bytes page(kPageSize, 0xA5);
  int r = file.ReadPage(page.data());
  if (result != nullptr) *result = r;
  return page;
}

Bytes ReadAt(CBookFile& file, int32_t page) {
  EXPECT_EQ(file.SetPage(page), 0);
  int r = 0;
  Bytes out = Read(file, &r);
  EXPECT_EQ(r, 1) << "page " << page;
  return out;
}

Bytes Ebzip(const Bytes& data, int level, bool raw = false) {
  EbzipOptions options;
  options.level = level;
  options.zlibLevel = 1;
  options.storeAllRaw = raw;
  std::optional<Bytes> image = EbzipCompress(data, options);
  EXPECT_TRUE(image.has_value());
  return image.value_or(Bytes{});
}

// Overwrites `bytes` of the file in place (same inode), so that an open
// CBookFile sees the change on its next read from disk but not in its cache.
void Scribble(const std::string& path, size_t from, size_t count) {
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  f.seekp(static_cast<std::streamoff>(from));
  std::string junk(count, '\xEE');
  f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
}

// A START image whose index table (page 1) lists the areas given as
// (identifier, start page, page count).
Bytes StartImage(size_t pages, const std::vector<std::array<uint32_t, 3>>& areas) {
  Bytes image = NumberedPages(pages * kPageSize);
  std::fill_n(image.begin(), kPageSize, uint8_t{0});
  image[1] = static_cast<uint8_t>(areas.size());
  for (size_t i = 0; i < areas.size(); ++i) {
    uint8_t* e = image.data() + 16 + 16 * i;
    e[0] = static_cast<uint8_t>(areas[i][0]);
    for (int k = 0; k < 4; ++k) {
      e[2 + k] = static_cast<uint8_t>(areas[i][1] >> (24 - 8 * k));
      e[6 + k] = static_cast<uint8_t>(areas[i][2] >> (24 - 8 * k));
    }
  }
  return image;
}

}  // namespace

TEST(BookFileTest, PlainPagesAndTheCursor) {
  CTempDir dir;
  CBookFile file;
  EXPECT_EQ(file.Open(dir.File("missing"), 0), -1);
  EXPECT_EQ(file.Open(dir.Write("short", Bytes(31, 'x')), 0), -1);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.StorageKind(), CBookFile::kPlain);
  EXPECT_EQ(file.Open(dir.Write("thirty-two", Bytes(32, 'x')), 0), 0);

  Bytes data = NumberedPages(2 * kPageSize + 1);
  ASSERT_EQ(file.Open(dir.Write("HONMON", data), 0), 0);
  EXPECT_EQ(file.StorageKind(), CBookFile::kPlain);
  EXPECT_EQ(file.StoredSize(), data.size());
  EXPECT_EQ(file.DataSize(), data.size());
  EXPECT_EQ(file.CurrentPage(), 1);
  EXPECT_EQ(Read(file), PageFrom(data, 1));  // open makes page 1 current
  EXPECT_EQ(ReadAt(file, 3), PageFrom(data, 3));  // one byte, then zeros

  // A read past the end fails and leaves the caller's buffer alone.
  int result = -1;
  EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0xA5));
  EXPECT_EQ(result, 0);

  // SetPage then ReadPage twice gives consecutive pages.
  ASSERT_EQ(file.SetPage(2), 0);
  EXPECT_EQ(Read(file), PageFrom(data, 2));
  EXPECT_EQ(file.CurrentPage(), 3);
  EXPECT_EQ(Read(file), PageFrom(data, 3));

  // No page 0 or below; reading on after the refusal gives a zero page,
  // never the page that was current before.
  for (int32_t bad : {0, -1, INT32_MIN}) {
    EXPECT_EQ(file.SetPage(bad), -1);
    EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
    EXPECT_EQ(result, 0);
  }
  EXPECT_EQ(file.SetPage(INT32_MAX), 0);
  EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0xA5));

  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
  EXPECT_EQ(result, 0);
  ASSERT_EQ(file.Open(dir.File("HONMON"), 0), 0);  // reusable after Close
  EXPECT_EQ(Read(file), PageFrom(data, 1));
}

namespace {

struct StoredFile {
  const char* name;
  Bytes image;
  Bytes plain;
  uint8_t kind;
};

// Nine pages (a START file: twelve, the text area from page 3) in every
// storage, with a raw page among the flagged Huffman ones.
std::vector<StoredFile> EveryStorage() {
  Bytes data = NumberedPages(9 * kPageSize);
  HuffmanOptions kind4;
  kind4.kind = 4;
  kind4.forceRaw = [](uint32_t page) { return page == 6; };
  Bytes start = StartImage(12, {{0x00, 3, 8}});
  std::optional<Bytes> sebxa = SebxaCompressStart(start);
  EXPECT_TRUE(sebxa.has_value());
  return {
      {"HONMON", data, data, CBookFile::kPlain},
      {"HONMON.ebz", Ebzip(data, 1), data, CBookFile::kEbzip},
      {"HONMON2", EpwingHuffmanCompress(data).value(), data, CBookFile::kEpwingAllCoded},
      {"DATA2", EpwingHuffmanCompress(data, kind4).value(), data, CBookFile::kEpwingFlagged},
      {"START", sebxa.value_or(Bytes{}), start, CBookFile::kSebxa},
  };
}

::testing::AssertionResult OpenStored(CTempDir& dir, const StoredFile& f, CBookFile& file) {
  if (file.Open(dir.Write(f.name, f.image), 0) != 0) return ::testing::AssertionFailure() << "Open failed";
  if (file.StorageKind() != f.kind) return ::testing::AssertionFailure() << "kind " << int(file.StorageKind());
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(BookFileTest, SetPageThenTwoReadsInEveryStorage) {
  CTempDir dir;
  for (const StoredFile& f : EveryStorage()) {
    SCOPED_TRACE(f.name);
    CBookFile file;
    ASSERT_TRUE(OpenStored(dir, f, file));
    // Callers bound their reads by the data size: it must cover every page
    // of the uncompressed file, whatever the storage, and not much more.
    EXPECT_GE(file.DataSize(), f.plain.size());
    EXPECT_LE(file.DataSize(), f.plain.size() + 16 * kPageSize);
    for (int32_t page : {5, 2, 5}) {
      ASSERT_EQ(file.SetPage(page), 0);
      EXPECT_EQ(Read(file), PageFrom(f.plain, page));
      EXPECT_EQ(Read(file), PageFrom(f.plain, page + 1));
    }
    EXPECT_EQ(file.SetPage(0), -1);
    int result = -1;
    EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
    EXPECT_EQ(result, 0);
  }
}

// A run of pages read at once is what the same pages read one by one are,
// up to the first page that cannot be read; the cursor then stands after
// the run.
TEST(BookFileTest, ReadPagesIsPageByPageInOneCall) {
  CTempDir dir;
  for (const StoredFile& f : EveryStorage()) {
    SCOPED_TRACE(f.name);
    CBookFile file;
    ASSERT_TRUE(OpenStored(dir, f, file));
    const int pages = static_cast<int>((f.plain.size() + kPageSize - 1) / kPageSize);
    for (int32_t first : {1, 2, pages}) {
      Bytes run(static_cast<size_t>(pages + 3) * kPageSize, 0xA5);
      int got = file.ReadPages(first, pages + 3, run.data());
      // Compressed kinds may hold up to a page-index record of zero pages
      // past the data; a plain file ends with its last page.
      if (f.kind == CBookFile::kPlain) {
        EXPECT_EQ(got, pages - first + 1);
      }
      ASSERT_GE(got, pages - first + 1);
      ASSERT_LE(got, pages + 3);
      EXPECT_EQ(file.CurrentPage(), first + got);
      for (int i = 0; i < got; ++i)
        EXPECT_EQ(Bytes(run.begin() + i * kPageSize, run.begin() + (i + 1) * kPageSize), ReadAt(file, first + i))
            << "page " << first + i;
    }
    Bytes one(kPageSize);
    EXPECT_EQ(file.ReadPages(0, 1, one.data()), 0);
    EXPECT_EQ(file.ReadPages(1, 0, one.data()), 0);
    EXPECT_EQ(file.ReadPages(INT32_MAX, 2, one.data()), 0);
  }

  // The last page of a plain file may be short: the rest of it is zeros,
  // and the run ends there.
  Bytes data = NumberedPages(2 * kPageSize + 5);
  CBookFile file;
  ASSERT_EQ(file.Open(dir.Write("SHORT", data), 0), 0);
  Bytes run(4 * kPageSize, 0xA5);
  EXPECT_EQ(file.ReadPages(2, 4, run.data()), 2);
  EXPECT_EQ(Bytes(run.begin() + kPageSize, run.begin() + 2 * kPageSize), PageFrom(data, 3));
}

TEST(BookFileTest, OnlyStartFilesAreTestedForSebxaAndOnlyOthersForHuffman) {
  CTempDir dir;
  Bytes data = NumberedPages(4 * kPageSize);
  Bytes huffman = EpwingHuffmanCompress(data).value();
  Bytes start = StartImage(10, {{0x00, 3, 6}});
  Bytes sebxa = SebxaCompressStart(start).value();
  CBookFile file;
  const struct {
    const char* name;
    const Bytes* image;
    uint8_t kind;
  } cases[] = {
      {"HONMON2", &huffman, CBookFile::kEpwingAllCoded}, {"START", &huffman, CBookFile::kPlain},
      {"data/start", &huffman, CBookFile::kPlain},       {"START", &sebxa, CBookFile::kSebxa},
      {"sub/Start", &sebxa, CBookFile::kSebxa},          {"HONMON2", &sebxa, CBookFile::kPlain},
      {"START.ebz", &sebxa, CBookFile::kPlain},           {"STARTX", &sebxa, CBookFile::kPlain},
      // Names as they come off a disc: the version suffix and trailing dot
      // do not change what the file is.
      {"START;1", &sebxa, CBookFile::kSebxa},             {"disc/start.", &sebxa, CBookFile::kSebxa},
      {"START;1", &huffman, CBookFile::kPlain},           {"HONMON2;1", &huffman, CBookFile::kEpwingAllCoded},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(file.Open(dir.Write(c.name, *c.image), 0), 0) << c.name;
    EXPECT_EQ(file.StorageKind(), c.kind) << c.name;
  }
}

TEST(BookFileTest, EbzipSlicesLevelsAndRawCopies) {
  CTempDir dir;
  Bytes data = NumberedPages(5 * kPageSize + 100);
  CBookFile file;

  // Level 2: 8192-byte slices, pages 1 to 4 in slice 0. Once page 1 is read
  // the slice is cached: wrecking the file leaves pages 2-4 intact, while
  // page 5 (slice 1) must come from the wrecked file.
  std::string path = dir.Write("l2.ebz", Ebzip(data, 2));
  ASSERT_EQ(file.Open(path, 0), 0);
  EXPECT_EQ(file.StorageKind(), CBookFile::kEbzip);
  EXPECT_EQ(file.DataSize(), data.size());
  EXPECT_EQ(ReadAt(file, 1), PageFrom(data, 1));
  Scribble(path, 22 + 3 * 2, file.StoredSize() - 22 - 3 * 2);
  for (int32_t page = 2; page <= 4; ++page) EXPECT_EQ(ReadAt(file, page), PageFrom(data, page));
  ASSERT_EQ(file.SetPage(5), 0);
  int result = -1;
  EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
  EXPECT_EQ(result, 0);

  // Slices whose stored length is the slice size are copied, not inflated
  // (they are not zlib streams at all).
  for (int level : {0, 1, 2}) {
    ASSERT_EQ(file.Open(dir.Write("raw.ebz", Ebzip(data, level, true)), 0), 0);
    for (int32_t page : {6, 1, 3, 2}) EXPECT_EQ(ReadAt(file, page), PageFrom(data, page)) << level;
    // Past the data there is no page, even though the index goes on.
    EXPECT_EQ(file.SetPage(7), 0);
    EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
  }

  // Levels above 5 are refused outright.
  Bytes image = Ebzip(data, 0);
  for (uint8_t level : {6, 9, 15}) {
    image[5] = static_cast<uint8_t>(0x10 | level);
    EXPECT_EQ(file.Open(dir.Write("high.ebz", image), 0), -1);
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST(BookFileTest, EbzipCacheEvictsRoundRobin) {
  // Level 0 raw slices: slice k is page k+1, stored at a known place.
  CTempDir dir;
  Bytes data = NumberedPages(3 * kPageSize);
  std::string path = dir.Write("rr.ebz", Ebzip(data, 0, true));
  const size_t sliceAt[] = {22 + 4 * 2, 22 + 4 * 2 + kPageSize, 22 + 4 * 2 + 2 * kPageSize};
  CBookFile file;
  ASSERT_EQ(file.Open(path, 0), 0);
  // 1 and 2 fill both slots; a hit on 1 makes its slot the last used, so 3
  // takes the other slot and evicts 2.
  ReadAt(file, 1);
  ReadAt(file, 2);
  ReadAt(file, 1);
  ReadAt(file, 3);
  for (size_t at : sliceAt) Scribble(path, at, kPageSize);
  EXPECT_EQ(ReadAt(file, 1), PageFrom(data, 1));
  EXPECT_EQ(ReadAt(file, 3), PageFrom(data, 3));
  EXPECT_EQ(ReadAt(file, 2), Bytes(kPageSize, 0xEE));

  // Three different slices in turn: the first is gone when the third comes.
  ASSERT_EQ(file.Open(dir.Write("rr2.ebz", Ebzip(data, 0, true)), 0), 0);
  ReadAt(file, 1);
  ReadAt(file, 2);
  ReadAt(file, 3);
  for (size_t at : sliceAt) Scribble(dir.File("rr2.ebz"), at, kPageSize);
  EXPECT_EQ(ReadAt(file, 1), Bytes(kPageSize, 0xEE));
}

TEST(BookFileTest, EbzipFailedSliceLeavesNoStaleSlotAndSaysWhy) {
  CTempDir dir;
  Bytes data = NumberedPages(3 * kPageSize);
  Bytes image = Ebzip(data, 0);
  std::string path = dir.Write("bad.ebz", image);
  CBookFile file;
  ASSERT_EQ(file.Open(path, 0), 0);
  ReadAt(file, 1);  // slot 1
  ReadAt(file, 2);  // slot 0
  size_t slice3 = (image[22 + 2 * 2] << 8) | image[22 + 2 * 2 + 1];
  Scribble(path, slice3, image.size() - slice3);

  // Slice 3 goes to slot 1 and fails; the slot must not still claim page 1.
  testing::internal::CaptureStderr();
  ASSERT_EQ(file.SetPage(3), 0);
  int result = -1;
  EXPECT_EQ(Read(file, &result), Bytes(kPageSize, 0));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("inflate: ", 0), 0u);
  EXPECT_EQ(ReadAt(file, 1), PageFrom(data, 1));
  EXPECT_EQ(ReadAt(file, 2), PageFrom(data, 2));
}

TEST(BookFileTest, EbzipIndexWidthFollowsTheDataSize) {
  CTempDir dir;
  CBookFile file;
  for (size_t size : {65535u, 65536u, 16777216u, 16777217u}) {
    SCOPED_TRACE(size);
    Bytes data = NumberedPages(size);
    ASSERT_EQ(file.Open(dir.Write("w.ebz", Ebzip(data, 5)), 0), 0);
    int32_t last = static_cast<int32_t>((size + kPageSize - 1) / kPageSize);
    for (int32_t page : {last, 1, last / 2 + 1, std::max(1, last - 33)}) EXPECT_EQ(ReadAt(file, page), PageFrom(data, page));
  }
}

TEST(BookFileTest, EpwingVariantAndFlaggedRawPages) {
  CTempDir dir;
  Bytes data = NumberedPages(20 * kPageSize);
  HuffmanOptions noSignature;
  noSignature.signature = false;
  Bytes kind3 = EpwingHuffmanCompress(data, noSignature).value();
  CBookFile file;
  // Without the signature and without a hint the flagged variant is assumed
  // (here the table is then too small for it, and the file reads as plain).
  ASSERT_EQ(file.Open(dir.Write("HONMON2", kind3), 0), 0);
  EXPECT_NE(file.StorageKind(), CBookFile::kEpwingAllCoded);
  ASSERT_EQ(file.Open(dir.File("HONMON2"), 5), 0);
  EXPECT_EQ(file.StorageKind(), CBookFile::kEpwingAllCoded);
  EXPECT_EQ(ReadAt(file, 20), PageFrom(data, 20));

  // A raw page is returned exactly as stored, whatever the tree would make
  // of its bytes; tamper with the stored copy to prove it is not decoded.
  HuffmanOptions kind4;
  kind4.kind = 4;
  kind4.forceRaw = [](uint32_t page) { return page == 17; };
  Bytes image = EpwingHuffmanCompress(data, kind4).value();
  Bytes page17 = PageFrom(data, 17);
  auto at = std::search(image.begin(), image.end(), page17.begin(), page17.end());
  ASSERT_NE(at, image.end());
  ASSERT_NE(*(at - 1), 0);  // the flag byte
  for (int i = 0; i < kPageSize; i += 3) at[i] = static_cast<uint8_t>(i * 13);
  Bytes stored(at, at + kPageSize);
  ASSERT_EQ(file.Open(dir.Write("HONMON2", image), 6), 0);
  EXPECT_EQ(file.StorageKind(), CBookFile::kEpwingFlagged);
  EXPECT_EQ(ReadAt(file, 17), stored);
  EXPECT_EQ(ReadAt(file, 16), PageFrom(data, 16));
}

TEST(BookFileTest, HuffmanCodesFollowTheTieRules) {
  // Hand-made: one-byte leaves 'A', 'B' and the end leaf, all weight 1,
  // code A = 1, B = 00, end = 01. The page codes "ABA" + end: 1 00 1 01.
  Bytes file(32, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) file[at + k] = static_cast<uint8_t>(v >> (24 - 8 * k));
  };
  const uint32_t index = 32, freq = index + 36, data = freq + 512;
  put32(0, index);
  put32(4, 36);
  put32(8, freq);
  put32(12, 512);
  put32(16, data);
  put32(28, 0xFFFFEDFF);
  file.resize(data, 0);
  put32(index, data);  // all 16 pages start at the one code byte
  file[freq + 2 * 'A' + 1] = 1;
  file[freq + 2 * 'B' + 1] = 1;
  file.push_back(0x94);  // 1001 01|00

  CTempDir dir;
  CBookFile book;
  ASSERT_EQ(book.Open(dir.Write("HONMON2", file), 0), 0);
  ASSERT_EQ(book.StorageKind(), CBookFile::kEpwingAllCoded);
  Bytes want(kPageSize, 0);
  want[0] = 'A';
  want[1] = 'B';
  want[2] = 'A';
  EXPECT_EQ(ReadAt(book, 16), want);
  // Page 17 has no index record.
  int result = -1;
  ASSERT_EQ(book.SetPage(17), 0);
  EXPECT_EQ(Read(book, &result), Bytes(kPageSize, 0));
  EXPECT_EQ(result, 0);
}

namespace {

// Assembles LZSS code: each item is a literal byte (>= 0) or a copy
// (-1 - (ring << 4 | (length - 3))).
Bytes Lzss(const std::vector<int>& items) {
  Bytes out;
  for (size_t i = 0; i < items.size(); i += 8) {
    size_t flagAt = out.size();
    out.push_back(0);
    for (size_t k = 0; k < 8 && i + k < items.size(); ++k) {
      int item = items[i + k];
      if (item >= 0) {
        out[flagAt] |= static_cast<uint8_t>(1u << k);
        out.push_back(static_cast<uint8_t>(item));
      } else {
        int code = -1 - item, ring = code >> 4, length = code & 0xF;
        out.push_back(static_cast<uint8_t>(ring & 0xFF));
        out.push_back(static_cast<uint8_t>(((ring >> 4) & 0xF0) | length));
      }
    }
  }
  return out;
}

int Copy(int ring, int length) { return -1 - (ring << 4 | (length - 3)); }

// START with text pages 2-3 (one slice), compression index on page 4 and
// the code from page 5.
Bytes SebxaStart(const Bytes& code) {
  Bytes image = StartImage(4, {{0x00, 2, 2}, {0x22, 4, 1}, {0x21, 5, 1}});
  uint32_t end = static_cast<uint32_t>(code.size());
  for (int k = 0; k < 4; ++k) image[3 * kPageSize + k] = static_cast<uint8_t>(end >> (24 - 8 * k));
  image.insert(image.end(), code.begin(), code.end());
  return image;
}

}  // namespace

TEST(BookFileTest, SebxaCopiesOverlapAndStopAtTheSliceEnd) {
  CTempDir dir;
  CBookFile file;
  // The write position starts at ring 4078: a copy from there, one behind
  // the output, repeats the literal; a copy from unwritten ring gives zeros.
  ASSERT_EQ(file.Open(dir.Write("START", SebxaStart(Lzss({'A', Copy(4078, 18), Copy(100, 5), 'C'}))), 0), 0);
  ASSERT_EQ(file.StorageKind(), CBookFile::kSebxa);
  Bytes want(kPageSize, 0);
  std::fill_n(want.begin(), 19, 'A');
  want[24] = 'C';
  EXPECT_EQ(ReadAt(file, 2), want);

  // 1 + 227 * 18 = 4087 bytes, then a copy of 18 cut after 9; nothing after
  // it lands anywhere.
  std::vector<int> items = {'B'};
  for (int i = 0; i < 228; ++i) items.push_back(Copy(4078, 18));
  items.push_back('Z');
  items.push_back(Copy(4078, 18));
  ASSERT_EQ(file.Open(dir.Write("START", SebxaStart(Lzss(items))), 0), 0);
  EXPECT_EQ(ReadAt(file, 3), Bytes(kPageSize, 'B'));
  EXPECT_EQ(ReadAt(file, 2), Bytes(kPageSize, 'B'));
  // Outside the text area pages are plain: page 1 is the table itself.
  EXPECT_EQ(ReadAt(file, 1)[1], 3);
}

TEST(BookFileTest, SebxaPagesAroundTheTextArea) {
  CTempDir dir;
  Bytes start = StartImage(12, {{0x00, 4, 5}});
  std::optional<Bytes> image = SebxaCompressStart(start);
  ASSERT_TRUE(image.has_value());
  CBookFile file;
  ASSERT_EQ(file.Open(dir.Write("START", *image), 0), 0);
  ASSERT_EQ(file.StorageKind(), CBookFile::kSebxa);
  // T-1 plain, T first half, T+1 second half of slice 0, the odd last page
  // alone in its slice, T+N plain again.
  for (int32_t page : {3, 5, 4, 8, 9, 6, 7, 2}) EXPECT_EQ(ReadAt(file, page), PageFrom(start, page)) << page;
}
