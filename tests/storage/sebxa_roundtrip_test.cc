// START files turned into S-EBXA form by the bookwriter read back through
// CBookFile page for page: the LZSS-coded text area slice by slice, the
// pages around it plain at their places, and reads in any order.
#include <gtest/gtest.h>

#include "bookwriter/big_endian.h"
#include "bookwriter/sample_data.h"
#include "bookwriter/sebxa_writer.h"
#include "common/temp_dir.h"
#include "roundtrip_util.h"
#include "storage/book_file.h"

namespace {

// A START image: page 1 the index table, pages 2..textStart-1 an area
// before the text, the text area, then `pagesAfter` pages of another area.
struct StartImage {
  std::vector<uint8_t> bytes;
  size_t textStart = 0, textPages = 0;
};

StartImage MakeStart(const std::vector<uint8_t>& text, size_t pagesBefore, size_t pagesAfter, uint32_t seed) {
  StartImage image;
  image.textStart = 2 + pagesBefore;
  image.textPages = PageCount(text.size());
  std::vector<uint8_t>& b = image.bytes;
  b.assign(2048, 0);
  uint32_t entries = 0;
  auto add = [&](uint8_t id, size_t start, size_t count) {
    uint8_t* e = &b[16 + 16 * entries++];
    e[0] = id;
    PutBE32(e + 2, static_cast<uint32_t>(start));
    PutBE32(e + 6, static_cast<uint32_t>(count));
  };
  add(0x00, image.textStart, image.textPages);
  if (pagesBefore) add(0x90, 2, pagesBefore);
  if (pagesAfter) add(0x91, image.textStart + image.textPages, pagesAfter);
  PutBE16(&b[0], entries);
  std::vector<uint8_t> before = MakeRandomBytes(pagesBefore * 2048, seed);
  b.insert(b.end(), before.begin(), before.end());
  b.insert(b.end(), text.begin(), text.end());
  if (pagesAfter) {
    b.resize((image.textStart + image.textPages - 1) * 2048, 0);
    std::vector<uint8_t> after = MakeRandomBytes(pagesAfter * 2048 - 17, seed + 1);  // a short last page
    b.insert(b.end(), after.begin(), after.end());
  }
  return image;
}

::testing::AssertionResult OpenSebxa(CTempDir& dir, CBookFile& file, const StartImage& image) {
  std::string error;
  std::optional<std::vector<uint8_t>> packed = SebxaCompressStart(image.bytes, &error);
  if (!packed) return ::testing::AssertionFailure() << error;
  if (file.Open(dir.Write("START", *packed), 0) != 0) return ::testing::AssertionFailure() << "Open failed";
  if (file.StorageKind() != CBookFile::kSebxa) return ::testing::AssertionFailure() << "kind " << int(file.StorageKind());
  return ::testing::AssertionSuccess();
}

// Every page but the index table (which gained two entries) as in the
// plain image; the table keeps its own entries and lists the new ones.
::testing::AssertionResult ImageMatches(CBookFile& file, const StartImage& image, const std::vector<size_t>& order) {
  std::vector<uint8_t> table(kPageSize);
  if (file.SetPage(1) != 0 || file.ReadPage(table.data()) != 1) return ::testing::AssertionFailure() << "page 1";
  uint32_t count = GetBE16(image.bytes.data());
  if (GetBE16(table.data()) != count + 2 ||
      !std::equal(table.begin() + 2, table.begin() + 16 + 16 * count, image.bytes.begin() + 2))
    return ::testing::AssertionFailure() << "index table entries changed";
  return PagesMatch(file, image.bytes, order);
}

std::vector<size_t> AllButFirst(size_t pages) {
  std::vector<size_t> order;
  for (size_t p = 2; p <= pages; ++p) order.push_back(p);
  return order;
}

TEST(SebxaRoundTrip, TextAreaReadsBackAndOtherPagesStayPlain) {
  CTempDir dir;
  const size_t textSizes[] = {1, 2048, 4095, 4096, 4097, 3 * 2048, 65 * 2048 - 1};
  for (size_t size : textSizes) {
    for (bool text : {true, false}) {
      for (size_t pagesAfter : {size_t{0}, size_t{3}}) {
        // Random text does not shrink, so its areas go after the image;
        // text-like data takes the text area's place.
        SCOPED_TRACE(std::to_string(size) + (text ? " text" : " random") + ", pages after " +
                     std::to_string(pagesAfter));
        std::vector<uint8_t> data = text ? MakeJisText(size, 61) : MakeRandomBytes(size, 61);
        StartImage image = MakeStart(data, 2, pagesAfter, 62);
        CBookFile file;
        ASSERT_TRUE(OpenSebxa(dir, file, image));
        EXPECT_TRUE(ImageMatches(file, image, AllButFirst(PageCount(image.bytes.size()))));
      }
    }
  }
}

TEST(SebxaRoundTrip, SeveralMegabytes) {
  CTempDir dir;
  StartImage image = MakeStart(MakeJisText(1536 * 1024 + 333, 63), 1, 2, 64);
  CBookFile file;
  ASSERT_TRUE(OpenSebxa(dir, file, image));
  EXPECT_TRUE(SequentialPagesMatch(file, image.bytes, 2));
}

// Runs of one byte make copies overlap the bytes they produce; runs of
// zeros are copied from the ring's unwritten part; whole zero slices and
// slices that end in a run all end exactly at 4096 bytes.
TEST(SebxaRoundTrip, RunsAndRepeats) {
  CTempDir dir;
  std::vector<uint8_t> data = MakeJisText(24 * 2048, 65);
  std::fill_n(data.begin() + 100, 3000, uint8_t{'x'});
  std::fill_n(data.begin() + 4 * 2048, 2 * 2048, uint8_t{0});      // slice 2 all zeros
  std::fill_n(data.begin() + 8 * 2048 - 50, 50, uint8_t{0});       // slice 3 ends in zeros
  std::fill_n(data.begin() + 10 * 2048 - 4000, 4000, uint8_t{0});  // slice 4 mostly zeros
  std::fill_n(data.begin() + 12 * 2048 - 5, 5, uint8_t{0x41});     // slice 5 ends in a run
  for (size_t i = 14 * 2048; i < 16 * 2048; ++i) data[i] = static_cast<uint8_t>("abcabd"[i % 6]);
  StartImage image = MakeStart(data, 0, 1, 66);
  CBookFile file;
  ASSERT_TRUE(OpenSebxa(dir, file, image));
  EXPECT_TRUE(ImageMatches(file, image, AllButFirst(PageCount(image.bytes.size()))));
}

TEST(SebxaRoundTrip, PagesReadInAnyOrder) {
  CTempDir dir;
  StartImage image = MakeStart(MakeJisText(41 * 2048, 67), 3, 4, 68);
  const size_t pages = PageCount(image.bytes.size());
  const size_t t = image.textStart;
  CBookFile file;
  ASSERT_TRUE(OpenSebxa(dir, file, image));
  std::vector<size_t> order = ScrambledOrder(pages, 10);
  std::erase(order, size_t{1});
  EXPECT_TRUE(ImageMatches(file, image, order));
  // Around the text area's edges and across the two slots.
  EXPECT_TRUE(ImageMatches(file, image, {t - 1, t, t + 1, t + 40, t + 41, t + 2, t + 20, t, t - 1}));
  EXPECT_TRUE(SequentialPagesMatch(file, image.bytes, t - 2));
}

}  // namespace
