// `tomeling extract` on image tags: the PNG holds the picture the engine
// decodes, pixel for pixel; tags without an image fail with status 1, bad
// command lines with status 2. Skipped when the command is not built.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "decode/media_tags.h"
#include "extract_command_util.h"
#include "media_book_fixture.h"

namespace {

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// The RGB rows of an 8-bit RGB PNG of one IDAT chunk, as our writer makes
// it; checks the chunk CRCs on the way.
bool DecodePng(const std::vector<uint8_t>& png, int* width, int* height, std::vector<uint8_t>* rgb) {
  if (png.size() < 8 || std::memcmp(png.data(), "\x89PNG\r\n\x1A\n", 8) != 0) return false;
  std::vector<uint8_t> idat;
  for (size_t at = 8; at + 12 <= png.size();) {
    uint32_t length = Be32(png, at);
    if (at + 12 + length > png.size()) return false;
    std::string type(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
    if (crc32(0, &png[at + 4], length + 4) != Be32(png, at + 8 + length)) return false;
    if (type == "IHDR") {
      *width = static_cast<int>(Be32(png, at + 8));
      *height = static_cast<int>(Be32(png, at + 12));
      if (png[at + 16] != 8 || png[at + 17] != 2) return false;
    }
    if (type == "IDAT") idat.insert(idat.end(), png.begin() + static_cast<long>(at) + 8, png.begin() + static_cast<long>(at + 8 + length));
    at += 12 + length;
  }
  std::vector<uint8_t> raw(static_cast<size_t>(*height) * (1 + 3 * static_cast<size_t>(*width)));
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != raw.size()) return false;
  rgb->clear();
  for (int y = 0; y < *height; ++y) {
    const uint8_t* row = &raw[static_cast<size_t>(y) * (1 + 3 * static_cast<size_t>(*width))];
    if (row[0] != 0) return false;
    rgb->insert(rgb->end(), row + 1, row + 1 + 3 * *width);
  }
  return true;
}

TEST(ImageExtractCommand, WritesThePictureAsPng) {
  if (!TomelingBuilt()) GTEST_SKIP() << "tomeling not built";
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  std::string bookDir = Quoted(book->sample.dir), out = book->dir.File("out.png");
  for (int n : {0, 1, 2}) {
    std::string tag = book->From(0, "</FIG", n);
    tag = tag.substr(0, tag.find('>') + 1);
    ImageTag parsed;
    ASSERT_TRUE(FindImageTag(tag, &parsed));
    CBitmapImage image;
    ASSERT_TRUE(LoadTagImage(book->Book(), parsed, &image));
    ASSERT_EQ(RunExtract("--book " + bookDir + " --tag " + Quoted(tag) + " --out " + Quoted(out)), 0) << tag;
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    ASSERT_TRUE(DecodePng(ReadBytes(out), &width, &height, &rgb)) << tag;
    ASSERT_EQ(width, image.Width());
    ASSERT_EQ(height, image.Height());
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = &rgb[3 * static_cast<size_t>(y * width + x)];
        ASSERT_EQ(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]), image.PixelRgb(x, y)) << tag;
      }
    }
  }
  EXPECT_EQ(RunExtract("--book " + bookDir + " --tag '</FIG[00000099:0000](0000*0000:1)>' --out " + Quoted(out)), 1);
  EXPECT_EQ(RunExtract("--book " + bookDir + " --tag '<B>' --out " + Quoted(out)), 1);
  EXPECT_EQ(RunExtract("--book " + bookDir + " --out " + Quoted(out)), 2);
  EXPECT_EQ(RunExtract("--book " + bookDir + " --dict 7 --tag '<B>' --out " + Quoted(out)), 2);
}

}  // namespace
