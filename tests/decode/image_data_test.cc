// The stored forms of images and their damaged variants: the "data" header
// and its length rule, monochrome row layout and size bounds, bare JPEG
// streams found by their markers, BMP pixel copies bounded by the data,
// and libjpeg's errors turned into "no image".
#include <gtest/gtest.h>

#include <cstring>

#include "bookwriter/media_writer.h"
#include "decode/bmp_decoder.h"
#include "decode/image_loader.h"
#include "decode/jpeg_decoder.h"
#include "decode/jpeg_stream.h"
#include "decode/media_source.h"

namespace {

std::vector<uint8_t> Grey(int width, int height) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint8_t>((x * 7 + y * 13) % 256));
  return pixels;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ImageData, DataHeaderLengthIsLittleEndianUnlessTooLarge) {
  const uint8_t le[4] = {0x00, 0x20, 0x00, 0x00}, be[4] = {0x00, 0x00, 0x00, 0x20};
  const uint8_t max[4] = {0xFF, 0xFF, 0xFF, 0x00};
  EXPECT_EQ(DataHeaderLength(le), 8192u);
  EXPECT_EQ(DataHeaderLength(be), 32u);
  EXPECT_EQ(DataHeaderLength(max), 0xFFFFFFu);

  // Either order finds the image; a length beyond the file reads what is
  // there, which is still the whole image.
  std::vector<uint8_t> bmp = EncodeBmp(5, 3, std::vector<uint8_t>(45, 0x80));
  for (bool bigEndian : {false, true}) {
    CMemoryMediaSource source(WithDataHeader(bmp, bigEndian));
    CBitmapImage image;
    int w = -1, h = -1;
    ASSERT_TRUE(LoadColourImage(source, 1, 0, &w, &h, &image));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
  }
  std::vector<uint8_t> stored = WithDataHeader(bmp);
  stored[7] = 0x7F;  // little-endian 0x7F00....: too large, big-endian still huge
  CMemoryMediaSource source(stored);
  CBitmapImage image;
  EXPECT_TRUE(LoadColourImage(source, 1, 0, nullptr, nullptr, &image));
}

TEST(ImageData, MonochromeRowsAndBounds) {
  // 10 pixels wide: 2 bytes a row in the book, 4 (32 pixels) in the image.
  std::vector<uint8_t> ink(10 * 3, 0);
  ink[0] = ink[9] = ink[10 + 4] = 1;
  std::vector<uint8_t> page(2048, 0xEE);
  std::vector<uint8_t> rows = PackMonoBitmap(10, 3, ink);
  ASSERT_EQ(rows.size(), 6u);
  // Rows that run across a page boundary.
  std::memcpy(&page[2044], rows.data(), 4);
  page.insert(page.end(), rows.begin() + 4, rows.end());
  CMemoryMediaSource source(page);
  CBitmapImage image;
  ASSERT_TRUE(LoadMonoBitmap(source, 1, 2044, 10, 3, &image));
  ASSERT_EQ(image.Stride(), 4u);
  const uint8_t want[3][4] = {{0x7F, 0xBF, 0, 0}, {0xF7, 0xFF, 0, 0}, {0xFF, 0xFF, 0, 0}};
  for (int y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(image.ScanLine(y), want[y], 4), 0) << y;

  // Sizes outside 1 to 2048, and bitmaps running past the file.
  for (auto [w, h] : {std::pair{0, 3}, {10, 0}, {2049, 1}, {1, 2049}, {-5, 3}})
    EXPECT_FALSE(LoadMonoBitmap(source, 1, 0, w, h, &image)) << w << "x" << h;
  // The file is two pages long (the second one short, read with zeros).
  EXPECT_TRUE(LoadMonoBitmap(source, 1, 0, 2048, 16, &image));
  EXPECT_FALSE(LoadMonoBitmap(source, 1, 0, 2048, 17, &image));
  EXPECT_FALSE(LoadMonoBitmap(source, 3, 0, 8, 1, &image));
  EXPECT_FALSE(LoadMonoBitmap(source, 0, 0, 8, 1, &image));
}

TEST(ImageData, PositionsHoldingNoImage) {
  std::vector<uint8_t> page(4096, 0);
  std::memcpy(&page[100], "data\x00\x00\x00\x00", 8);  // empty data
  std::memcpy(&page[200], "data\x10\x00\x00\x00GIF89a", 14);
  page[300] = 0xFF;
  page[301] = 0xD8;  // a JPEG start with no end before the file ends
  CMemoryMediaSource source(page);
  CBitmapImage image;
  for (int offset : {0, 100, 200, 300, 4090}) {
    int w = -1, h = -1;
    EXPECT_FALSE(LoadColourImage(source, 1, offset, &w, &h, &image)) << offset;
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
  }
  EXPECT_FALSE(LoadColourImage(source, 3, 0, nullptr, nullptr, &image));
}

TEST(ImageData, BareJpegStreamEndsAtItsEndMarker) {
  std::vector<uint8_t> jpeg = EncodeJpeg(64, 48, 1, Grey(64, 48), 90, 1);
  ASSERT_FALSE(jpeg.empty());
  // The scan data holds stuffed bytes and restart markers.
  bool stuffed = false, restart = false;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    stuffed |= jpeg[i] == 0xFF && jpeg[i + 1] == 0x00;
    restart |= jpeg[i] == 0xFF && jpeg[i + 1] >= 0xD0 && jpeg[i + 1] <= 0xD7;
  }
  EXPECT_TRUE(stuffed);
  EXPECT_TRUE(restart);
  std::vector<uint8_t> file = Concat(std::vector<uint8_t>(2000, 0x11), jpeg);
  file.insert(file.end(), {0xFF, 0xD9, 0x12, 0x34});  // what follows is not part of it
  CMemoryMediaSource source(file);
  EXPECT_EQ(ExtractJpegStream(source, 1, 2000), jpeg);

  // Fill bytes before the end marker do not hide it.
  std::vector<uint8_t> filled(jpeg.begin(), jpeg.end() - 2);
  filled.insert(filled.end(), {0xFF, 0xFF, 0xFF, 0xD9});
  CMemoryMediaSource filledSource(Concat(filled, {0x00, 0x00}));
  EXPECT_EQ(ExtractJpegStream(filledSource, 1, 0), filled);
  CBitmapImage image;
  EXPECT_TRUE(DecodeJpeg(filled.data(), filled.size(), &image));

  // A segment length below 2, and a stream cut off by the end of the file.
  std::vector<uint8_t> bad{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xD9};
  CMemoryMediaSource badSource(bad);
  EXPECT_TRUE(ExtractJpegStream(badSource, 1, 0).empty());
  CMemoryMediaSource cutSource(std::vector<uint8_t>(jpeg.begin(), jpeg.end() - 2));
  EXPECT_TRUE(ExtractJpegStream(cutSource, 1, 0).empty());
}

TEST(ImageData, BareJpegStreamOfOneMegabyteIsRefused) {
  auto stream = [](size_t scanBytes) {
    std::vector<uint8_t> s{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02};
    s.resize(s.size() + scanBytes, 0x5A);
    s.insert(s.end(), {0xFF, 0xD9});
    return s;
  };
  std::vector<uint8_t> under = stream(kMaxJpegStream - 9), at = stream(kMaxJpegStream - 8);
  ASSERT_EQ(under.size(), kMaxJpegStream - 1);
  CMemoryMediaSource underSource(under), atSource(at);
  EXPECT_EQ(ExtractJpegStream(underSource, 1, 0).size(), kMaxJpegStream - 1);
  EXPECT_TRUE(ExtractJpegStream(atSource, 1, 0).empty());
}

TEST(ImageData, DamagedJpegGivesNoImage) {
  std::vector<uint8_t> jpeg = EncodeJpeg(32, 32, 1, Grey(32, 32));
  ASSERT_FALSE(jpeg.empty());
  CBitmapImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), &image));
  // The start-of-frame segment: its height and width.
  size_t sof = 0;
  while (sof + 1 < jpeg.size() && !(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, jpeg.size());

  std::vector<uint8_t> zeroWidth = jpeg;
  zeroWidth[sof + 7] = zeroWidth[sof + 8] = 0;
  std::vector<uint8_t> huge = jpeg;  // 30000 x 30000 claimed by a few hundred bytes
  huge[sof + 5] = huge[sof + 7] = 0x75;
  huge[sof + 6] = huge[sof + 8] = 0x30;
  std::vector<uint8_t> noTables(jpeg.begin(), jpeg.begin() + 2);
  noTables.insert(noTables.end(), jpeg.begin() + static_cast<long>(sof), jpeg.end());
  for (const auto& bad : {zeroWidth, huge, noTables, std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20)}) {
    CBitmapImage untouched;
    EXPECT_FALSE(DecodeJpeg(bad.data(), bad.size(), &untouched));
    EXPECT_EQ(untouched.Width(), 0);
  }
  // A stream cut inside its scan data keeps the rows libjpeg can rebuild.
  std::vector<uint8_t> cut(jpeg.begin(), jpeg.end() - 40);
  EXPECT_TRUE(DecodeJpeg(cut.data(), cut.size(), &image));
  EXPECT_EQ(image.Width(), 32);
}

TEST(ImageData, BmpPixelCopyIsBoundedByTheData) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 6 * 4; ++i) rgb.insert(rgb.end(), {static_cast<uint8_t>(i * 10), 0x20, 0x30});
  std::vector<uint8_t> bmp = EncodeBmp(6, 4, rgb);  // rows of 20 bytes
  CBitmapImage image;
  ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), &image));
  EXPECT_EQ(image.PixelRgb(5, 3), 230u << 16 | 0x2030);

  // A file size field far beyond the data, and data cut after the first
  // (bottom) row and a half: the rest stays blank.
  std::vector<uint8_t> cut(bmp.begin(), bmp.begin() + 54 + 30);
  cut[2] = cut[3] = cut[4] = cut[5] = 0xFF;
  ASSERT_TRUE(DecodeBmp(cut.data(), cut.size(), &image));
  EXPECT_EQ(image.PixelRgb(0, 3), 180u << 16 | 0x2030);
  EXPECT_EQ(image.PixelRgb(2, 2), 140u << 16 | 0x2030);
  EXPECT_EQ(image.PixelRgb(4, 2), 0u);
  EXPECT_EQ(image.PixelRgb(0, 0), 0u);

  // The same through a "data" header that claims more than the book holds.
  std::vector<uint8_t> stored = WithDataHeader(cut);
  stored[4] = 0xFF;
  stored[5] = 0xFF;
  CMemoryMediaSource source(stored);
  EXPECT_TRUE(LoadColourImage(source, 1, 0, nullptr, nullptr, &image));

  // Compressed pixels are not copied; sizes the data cannot justify are
  // refused; a pixel offset past the end leaves nothing to copy.
  std::vector<uint8_t> rle = bmp;
  rle[30] = 1;
  ASSERT_TRUE(DecodeBmp(rle.data(), rle.size(), &image));
  EXPECT_EQ(image.PixelRgb(5, 3), 0u);
  std::vector<uint8_t> wide = bmp;
  wide[19] = wide[23] = 0x10;  // 4102 x 4100
  EXPECT_FALSE(DecodeBmp(wide.data(), wide.size(), &image));
  std::vector<uint8_t> farPixels = bmp;
  farPixels[12] = 0x7F;
  EXPECT_TRUE(DecodeBmp(farPixels.data(), farPixels.size(), &image));
  EXPECT_EQ(image.PixelRgb(5, 3), 0u);
  std::vector<uint8_t> noInfo(bmp.begin(), bmp.begin() + 30);
  EXPECT_FALSE(DecodeBmp(noInfo.data(), noInfo.size(), &image));
}

// An uncompressed picture needs its rows: a 1-bit header claiming 16384 x
// 16384 (32 MiB of rows) over 8 MiB is refused, as is one beyond the pixel
// limit however much data it has; 4096 x 4096 with its rows decodes. The
// size alone reads the same way.
TEST(ImageData, BmpSizesAreBoundedByTheirRowsAndThePixelLimit) {
  auto oneBit = [](uint32_t w, uint32_t h, size_t dataBytes) {
    std::vector<uint8_t> b(62, 0);
    b[0] = 'B', b[1] = 'M', b[10] = 62, b[14] = 40, b[26] = 1, b[28] = 1;
    for (int i = 0; i < 4; ++i) {
      b[static_cast<size_t>(18 + i)] = static_cast<uint8_t>(w >> (8 * i));
      b[static_cast<size_t>(22 + i)] = static_cast<uint8_t>(h >> (8 * i));
    }
    b.resize(62 + dataBytes, 0xA5);
    return b;
  };
  CBitmapImage image;
  int w = 0, h = 0;
  std::vector<uint8_t> claims = oneBit(16384, 16384, 8u << 20);
  EXPECT_FALSE(DecodeBmp(claims.data(), claims.size(), &image));
  EXPECT_FALSE(ReadBmpSize(claims.data(), claims.size(), &w, &h));
  std::vector<uint8_t> beyond = oneBit(4100, 4100, 4100u / 32 * 4 * 4100 + 8192);
  EXPECT_FALSE(DecodeBmp(beyond.data(), beyond.size(), &image));
  std::vector<uint8_t> largest = oneBit(4096, 4096, 4096u / 8 * 4096);
  ASSERT_TRUE(DecodeBmp(largest.data(), largest.size(), &image));
  EXPECT_EQ(image.Width(), 4096);
  ASSERT_TRUE(ReadBmpSize(largest.data(), largest.size(), &w, &h));
  EXPECT_EQ(h, 4096);
  // A few rows short is still a picture (the rest blank).
  largest.resize(largest.size() - 4 * 512);
  EXPECT_TRUE(DecodeBmp(largest.data(), largest.size(), &image));
}

// A JPEG beyond the pixel limit decodes scaled down to fit; the size read
// from its header is the size it decodes at.
TEST(ImageData, LargeJpegsDecodeScaledDown) {
  std::vector<uint8_t> grey(8200u * 8, 0x80);
  std::vector<uint8_t> jpeg = EncodeJpeg(8200, 8, 1, grey);
  ASSERT_FALSE(jpeg.empty());
  // Claim 8200 rows: the scan is cut short, which libjpeg fills in.
  for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = 8200 >> 8;
      jpeg[i + 6] = 8200 & 0xFF;
      break;
    }
  }
  jpeg.resize(70000 + jpeg.size(), 0);  // data enough to justify the claim
  int w = 0, h = 0;
  ASSERT_TRUE(ReadJpegSize(jpeg.data(), jpeg.size(), &w, &h));
  EXPECT_EQ(w, 2050);  // 1/4: 1/2 is still beyond 4096 x 4096
  EXPECT_EQ(h, 2050);
  CBitmapImage image;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), &image));
  EXPECT_EQ(image.Width(), 2050);
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), &image, 1000));
  EXPECT_EQ(image.Width(), 1025);
}

}  // namespace
