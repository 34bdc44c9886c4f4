// EBZip files written by the bookwriter read back through CBookFile page
// for page: every level, odd sizes, raw and deflated slices, the index
// entry widths at their size boundaries, and reads in any order.
#include <gtest/gtest.h>

#include "bookwriter/ebzip_writer.h"
#include "bookwriter/sample_data.h"
#include "common/temp_dir.h"
#include "roundtrip_util.h"
#include "storage/book_file.h"

namespace {

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data, EbzipOptions options) {
  std::string error;
  std::optional<std::vector<uint8_t>> image = EbzipCompress(data, options, &error);
  EXPECT_TRUE(image.has_value()) << error;
  return image.value_or(std::vector<uint8_t>{});
}

// Writes `data` as EBZip, opens it and checks the kind and size it reports.
::testing::AssertionResult OpenEbzip(CTempDir& dir, CBookFile& file, const std::vector<uint8_t>& data,
                                     EbzipOptions options) {
  std::string path = dir.Write("HONMON.ebz", Compress(data, options));
  if (file.Open(path, 0) != 0) return ::testing::AssertionFailure() << "Open failed";
  if (file.StorageKind() != CBookFile::kEbzip) return ::testing::AssertionFailure() << "kind " << int(file.StorageKind());
  if (file.DataSize() != data.size()) return ::testing::AssertionFailure() << "DataSize " << file.DataSize();
  return ::testing::AssertionSuccess();
}

TEST(EbzipRoundTrip, EveryLevelReadsBackTextAndRandomData) {
  CTempDir dir;
  const size_t sizes[] = {1, 2047, 2048, 2049, 8191, 8193, 65537, 131071, 300001};
  for (int level = 0; level <= kEbzipMaxLevel; ++level) {
    for (size_t size : sizes) {
      for (bool text : {true, false}) {
        SCOPED_TRACE("level " + std::to_string(level) + ", " + std::to_string(size) + (text ? " text" : " random"));
        std::vector<uint8_t> data = text ? MakeJisText(size, 7) : MakeRandomBytes(size, 7);
        CBookFile file;
        ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = level}));
        EXPECT_TRUE(SequentialPagesMatch(file, data));
      }
    }
  }
}

TEST(EbzipRoundTrip, MegabytesAtSmallestAndLargestSlices) {
  CTempDir dir;
  std::vector<uint8_t> data = MakeJisText(2 * 1024 * 1024 + 1234, 11);
  for (int level : {0, kEbzipMaxLevel}) {
    SCOPED_TRACE("level " + std::to_string(level));
    CBookFile file;
    ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = level}));
    EXPECT_TRUE(SequentialPagesMatch(file, data));
  }
}

// Slices that do not shrink are stored as they are, padded to a whole
// slice; the reader tells them apart from deflated ones by their length
// alone.
TEST(EbzipRoundTrip, RawSlicesReadBack) {
  CTempDir dir;
  for (int level : {0, 1, 3}) {
    const size_t slice = 2048u << level;
    SCOPED_TRACE("level " + std::to_string(level));
    std::vector<uint8_t> random = MakeRandomBytes(5 * slice + 777, 3);
    std::vector<uint8_t> image = Compress(random, {.level = level});
    // Five whole random slices raw; the last one, mostly padding, deflated.
    const size_t head = 22 + 7 * EbzipIndexWidth(random.size());
    EXPECT_GT(image.size(), head + 5 * slice);
    EXPECT_LT(image.size(), head + 6 * slice);

    CBookFile file;
    ASSERT_TRUE(OpenEbzip(dir, file, random, {.level = level}));
    EXPECT_TRUE(SequentialPagesMatch(file, random));
    file.Close();

    std::vector<uint8_t> text = MakeJisText(4 * slice + 5, 3);
    ASSERT_TRUE(OpenEbzip(dir, file, text, {.level = level, .storeAllRaw = true}));
    EXPECT_TRUE(PagesMatch(file, text, ScrambledOrder(PageCount(text.size()), 1)));
  }
}

// Alternating compressible and incompressible slices: the reader must take
// each slice's length from the index, not assume one storage for the file.
TEST(EbzipRoundTrip, MixedRawAndDeflatedSlices) {
  CTempDir dir;
  std::vector<uint8_t> data;
  for (int k = 0; k < 9; ++k) {
    std::vector<uint8_t> part = k % 2 ? MakeRandomBytes(8192, k) : MakeJisText(8192, k);
    data.insert(data.end(), part.begin(), part.end());
  }
  data.resize(data.size() - 100);
  CBookFile file;
  ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = 2}));
  EXPECT_TRUE(SequentialPagesMatch(file, data));
  EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(PageCount(data.size()), 2)));
}

TEST(EbzipRoundTrip, PagesReadInAnyOrder) {
  CTempDir dir;
  std::vector<uint8_t> data = MakeJisText(45 * 2048 + 99, 5);
  for (int level : {0, 2, 5}) {
    SCOPED_TRACE("level " + std::to_string(level));
    CBookFile file;
    ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = level}));
    EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(PageCount(data.size()), 9)));
    // Three slices in turn with two cache slots, then back to the first.
    EXPECT_TRUE(PagesMatch(file, data, {1, 17, 33, 1, 2, 46, 1}));
    // Consecutive reads after one SetPage continue page by page.
    EXPECT_TRUE(SequentialPagesMatch(file, data, 5));
  }
}

// The index entry width follows the uncompressed size: 2 bytes below
// 65,536, 3 up to 16,777,216 inclusive, 4 above. A reader that picks the
// wrong width finds garbage offsets at once.
TEST(EbzipRoundTrip, IndexWidthBoundaries) {
  CTempDir dir;
  for (size_t size : {size_t{65535}, size_t{65536}}) {
    SCOPED_TRACE(size);
    std::vector<uint8_t> data = MakeJisText(size, 13);
    for (int level : {0, 5}) {
      CBookFile file;
      ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = level}));
      EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(PageCount(size), 4)));
    }
  }
  // Near 16 MB: mostly zeros so that writing stays quick; marked pages show
  // that the slices found are the right ones.
  for (size_t size : {size_t{16777216}, size_t{16777217}}) {
    SCOPED_TRACE(size);
    std::vector<uint8_t> data(size, 0);
    for (size_t at : {size_t{0}, size_t{5000}, size / 2 + 1, size - 1}) data[at] = static_cast<uint8_t>(at % 251 + 1);
    const size_t last = PageCount(size);
    for (int level : {0, 5}) {
      CBookFile file;
      ASSERT_TRUE(OpenEbzip(dir, file, data, {.level = level}));
      EXPECT_TRUE(PagesMatch(file, data, {1, 3, size / 2 / 2048 + 1, last, last - 1, 2}));
    }
  }
  // Incompressible data whose offsets outgrow the 2-byte entries cannot be
  // written at all.
  EXPECT_FALSE(EbzipCompress(MakeRandomBytes(65535, 1), {.level = 0}).has_value());
}

}  // namespace
