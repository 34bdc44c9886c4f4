// EPWING Huffman files written by the bookwriter read back through
// CBookFile page for page: both variants and how the reader tells them
// apart, raw pages of the flagged variant, pages that fill 2048 bytes with
// and without an end-of-page code, and reads in any order.
#include <gtest/gtest.h>

#include "bookwriter/huffman_writer.h"
#include "bookwriter/sample_data.h"
#include "common/temp_dir.h"
#include "roundtrip_util.h"
#include "storage/book_file.h"

namespace {

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data, const HuffmanOptions& options) {
  std::string error;
  std::optional<std::vector<uint8_t>> image = EpwingHuffmanCompress(data, options, &error);
  EXPECT_TRUE(image.has_value()) << error;
  return image.value_or(std::vector<uint8_t>{});
}

::testing::AssertionResult OpenHuffman(CTempDir& dir, CBookFile& file, const std::vector<uint8_t>& data,
                                       const HuffmanOptions& options, int versionHint) {
  std::string path = dir.Write("HONMON2", Compress(data, options));
  if (file.Open(path, versionHint) != 0) return ::testing::AssertionFailure() << "Open failed";
  uint8_t want = options.kind == 4 ? CBookFile::kEpwingFlagged : CBookFile::kEpwingAllCoded;
  if (file.StorageKind() != want) return ::testing::AssertionFailure() << "kind " << int(file.StorageKind());
  return ::testing::AssertionSuccess();
}

// Text with pages of zeros and pages ending in zeros between the words:
// the writer leaves trailing zeros uncoded and the reader must supply them.
std::vector<uint8_t> TextWithZeroPages(size_t size, uint32_t seed) {
  std::vector<uint8_t> data = MakeJisText(size, seed);
  for (size_t at = 3 * 2048; at + 2048 <= size; at += 7 * 2048) std::fill_n(data.begin() + at, 2048, uint8_t{0});
  for (size_t at = 5 * 2048 - 300; at < size; at += 11 * 2048)
    std::fill_n(data.begin() + at, std::min<size_t>(300, size - at), uint8_t{0});
  return data;
}

struct Variant {
  const char* name;
  int kind;
  bool signature;
  int versionHint;

  HuffmanOptions Options() const {
    HuffmanOptions options;
    options.kind = kind;
    options.signature = signature;
    return options;
  }
};

// The variant comes from the catalog's version hint, or without one from
// the signature at offset 28.
const Variant kVariants[] = {
    {"kind 3, signature, no hint", 3, true, 0},    {"kind 3, no signature, hint 4", 3, false, 4},
    {"kind 3, no signature, hint 5", 3, false, 5}, {"kind 4, no hint", 4, false, 0},
    {"kind 4, hint 6", 4, false, 6},
};

TEST(HuffmanRoundTrip, BothKindsReadBackTextAndRandomData) {
  CTempDir dir;
  const size_t sizes[] = {1, 2, 2047, 2048, 2049, 32 * 2048 + 1, 100001};
  for (const Variant& v : kVariants) {
    // The hint only changes detection: one size is enough for the others.
    bool mainVariant = v.versionHint == 0;
    for (size_t size : sizes) {
      if (!mainVariant && size != 32 * 2048 + 1) continue;
      for (bool text : {true, false}) {
        SCOPED_TRACE(std::string(v.name) + ", " + std::to_string(size) + (text ? " text" : " random"));
        std::vector<uint8_t> data = text ? TextWithZeroPages(size, 21) : MakeRandomBytes(size, 21);
        CBookFile file;
        ASSERT_TRUE(OpenHuffman(dir, file, data, v.Options(), v.versionHint));
        EXPECT_TRUE(SequentialPagesMatch(file, data));
      }
    }
  }
}

TEST(HuffmanRoundTrip, AMegabyte) {
  CTempDir dir;
  std::vector<uint8_t> data = TextWithZeroPages(1024 * 1024 + 777, 23);
  for (const Variant& v : {kVariants[0], kVariants[3]}) {
    SCOPED_TRACE(v.name);
    CBookFile file;
    ASSERT_TRUE(OpenHuffman(dir, file, data, v.Options(), v.versionHint));
    EXPECT_TRUE(SequentialPagesMatch(file, data));
  }
}

// The frequency table alone decides the tree; tables with few leaves,
// equal frequencies (where tie-breaking decides every code) and only the
// byte leaves must all decode.
TEST(HuffmanRoundTrip, DegenerateFrequencyTables) {
  CTempDir dir;
  std::vector<uint8_t> uniform(8 * 2048);
  for (size_t i = 0; i < uniform.size(); ++i) uniform[i] = static_cast<uint8_t>(i);  // every byte 64 times
  std::vector<uint8_t> twoValues(5 * 2048 + 3);
  for (size_t i = 0; i < twoValues.size(); ++i) twoValues[i] = i % 3 ? 'a' : 'b';
  std::vector<uint8_t> oneValue(3 * 2048, 0x41);
  std::vector<uint8_t> zeros(4 * 2048 + 1, 0);
  for (const auto* data : {&uniform, &twoValues, &oneValue, &zeros}) {
    for (const Variant& v : kVariants) {
      for (int twoByte : {0, 1024}) {
        SCOPED_TRACE(std::string(v.name) + ", two-byte leaves " + std::to_string(twoByte) + ", size " +
                     std::to_string(data->size()));
        HuffmanOptions options = v.Options();
        options.maxTwoByteLeaves = twoByte;
        options.maxFourByteLeaves = twoByte == 0 ? 0 : 256;
        CBookFile file;
        ASSERT_TRUE(OpenHuffman(dir, file, *data, options, v.versionHint));
        EXPECT_TRUE(SequentialPagesMatch(file, *data));
      }
    }
  }
}

// A page filling 2048 bytes may end without an end-of-page code: the
// reader stops at the page's end either way.
TEST(HuffmanRoundTrip, FullPagesWithOrWithoutEndCode) {
  CTempDir dir;
  std::vector<uint8_t> data = MakeJisText(20 * 2048, 31);
  for (size_t page = 1; page <= 20; ++page) data[page * 2048 - 1] = 0x7E;  // no page ends in a zero
  for (const Variant& v : kVariants) {
    for (bool endCode : {true, false}) {
      SCOPED_TRACE(std::string(v.name) + (endCode ? ", end code" : ", no end code"));
      HuffmanOptions options = v.Options();
      options.endLeafOnFullPage = endCode;
      CBookFile file;
      ASSERT_TRUE(OpenHuffman(dir, file, data, options, v.versionHint));
      EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(20, 3)));
    }
  }
}

// Kind 4 stores a page raw behind a non-zero flag byte, whether coding
// would not shrink it or the writer was told to; the reader returns it as
// stored, including a raw last page shorter than 2048 bytes of data.
TEST(HuffmanRoundTrip, Kind4RawPages) {
  CTempDir dir;
  std::vector<uint8_t> data = MakeJisText(30 * 2048 + 1001, 41);
  std::vector<uint8_t> noise = MakeRandomBytes(4 * 2048, 41);
  std::copy(noise.begin(), noise.end(), data.begin() + 10 * 2048);  // pages 11 to 14 do not compress
  HuffmanOptions options;
  options.kind = 4;
  options.forceRaw = [](uint32_t page) { return page % 3 == 0 || page == 31; };
  CBookFile file;
  ASSERT_TRUE(OpenHuffman(dir, file, data, options, 6));
  EXPECT_TRUE(SequentialPagesMatch(file, data));
  EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(31, 5)));

  // Every page raw: flag byte plus 2048 bytes each after the tables.
  options.forceRaw = [](uint32_t) { return true; };
  std::vector<uint8_t> image = Compress(data, options);
  ASSERT_GE(image.size(), 31u * 2049);
  ASSERT_TRUE(OpenHuffman(dir, file, data, options, 6));
  EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(31, 6)));
}

// More pages than the reader's sixteen cached pages, in every order, across
// page-index records of 16 pages.
TEST(HuffmanRoundTrip, PagesReadInAnyOrder) {
  CTempDir dir;
  std::vector<uint8_t> data = TextWithZeroPages(70 * 2048 + 5, 51);
  for (const Variant& v : {kVariants[0], kVariants[3]}) {
    SCOPED_TRACE(v.name);
    CBookFile file;
    ASSERT_TRUE(OpenHuffman(dir, file, data, v.Options(), v.versionHint));
    EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(71, 8)));
    EXPECT_TRUE(PagesMatch(file, data, {16, 17, 32, 33, 1, 71, 16}));
    EXPECT_TRUE(SequentialPagesMatch(file, data, 15));
  }
}

}  // namespace

namespace {

// Byte values with counts in a Fibonacci series: the writer's tree gets
// codes of every length from 1 to over 20 bits, across the decoder's table
// widths. The text does not fill its last page.
std::vector<uint8_t> FibonacciText(uint32_t seed) {
  std::vector<uint8_t> data;
  uint32_t a = 1, b = 1;
  for (int value = 0; value < 24; ++value) {
    data.insert(data.end(), a, static_cast<uint8_t>('A' + value));
    uint32_t next = a + b;
    a = b;
    b = next;
  }
  std::mt19937 rng(seed);
  std::shuffle(data.begin(), data.end(), rng);
  data.resize(std::min<size_t>(data.size(), 40 * 2048 + 1234));
  return data;
}

}  // namespace

TEST(HuffmanRoundTrip, CodesAcrossTheDecoderTablesAndAPartialLastPage) {
  CTempDir dir;
  std::vector<uint8_t> data = FibonacciText(61);
  ASSERT_NE(data.size() % 2048, 0u);
  for (const Variant& v : {kVariants[0], kVariants[3]}) {
    SCOPED_TRACE(v.name);
    CBookFile file;
    ASSERT_TRUE(OpenHuffman(dir, file, data, v.Options(), v.versionHint));
    EXPECT_TRUE(SequentialPagesMatch(file, data));
    EXPECT_TRUE(PagesMatch(file, data, ScrambledOrder(PageCount(data.size()), 9)));
  }
}
