// Image commands stay small on hostile pictures: a BMP whose header claims
// 16384 x 16384 at 1 bit over 8 MB of data, and a JPEG whose header claims
// 8192 x 8192 over some 70 KB, next to a real large plate (4096 x 3072).
// `show --media`, `extract` and `render` each run as a child process whose
// peak memory must stay under 300 MB (measured with wait4; not under the
// sanitizers, whose own memory would be the figure). The hostile BMP is
// refused, the JPEG decoded at a size the limit allows, the plate at its
// own size -- and a figure drawn narrower than it is decodes smaller.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bookwriter/media_writer.h"
#include "catalog/book_list.h"
#include "common/child_process.h"
#include "common/run_command.h"
#include "common/temp_dir.h"
#include "decode/bitmap_image.h"
#include "decode/image_loader.h"
#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "reader/subbook_media.h"
#include "shell/plain_text.h"

namespace {

constexpr long kMaxPeakKiB = 300 * 1024;
constexpr int kTimeLimit = 120;

void Put32(std::vector<uint8_t>* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A 1-bit BMP header claiming `side` x `side` pixels, over `dataBytes`.
std::vector<uint8_t> ClaimingBmp(uint32_t side, size_t dataBytes) {
  std::vector<uint8_t> b(62, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(&b, 2, static_cast<uint32_t>(62 + dataBytes));
  Put32(&b, 10, 62);
  Put32(&b, 14, 40);
  Put32(&b, 18, side);
  Put32(&b, 22, side);
  b[26] = 1;  // planes
  b[28] = 1;  // bits
  Put32(&b, 58, 0xFFFFFF);  // palette: black, white
  b.resize(62 + dataBytes, 0x5A);
  return b;
}

// A grey JPEG of noise whose start-of-frame is made to claim `side` x
// `side` (at 8192, exactly the 64 MiB an image could have before).
std::vector<uint8_t> ClaimingJpeg(uint16_t side) {
  std::mt19937 rng(17);
  const int w = 320, h = 272;
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h);
  for (uint8_t& p : pixels) p = static_cast<uint8_t>(rng());
  std::vector<uint8_t> jpeg = EncodeJpeg(w, h, 1, pixels, 90);
  for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = jpeg[i + 7] = static_cast<uint8_t>(side >> 8);
      jpeg[i + 6] = jpeg[i + 8] = static_cast<uint8_t>(side);
      break;
    }
  }
  return jpeg;
}

// A plate as large as real books hold: a smooth colour picture.
std::vector<uint8_t> Plate(int w, int h) {
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &pixels[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / w), p[1] = static_cast<uint8_t>(y * 255 / h), p[2] = 128;
    }
  }
  return EncodeJpeg(w, h, 3, pixels, 80);
}

MediaObject Colour(const std::string& name, std::vector<uint8_t> bytes) {
  MediaObject m;
  m.name = name;
  m.kind = MediaObject::kColourImage;
  m.bytes = std::move(bytes);  // the tag says 0 x 0: readers find the size
  return m;
}

uint32_t PngSide(const std::vector<uint8_t>& png, size_t at) {
  return static_cast<uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
}

class ImageMemoryCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_dir = new CTempDir;
    BookSource book;
    SubbookSource& s = book.subbooks.emplace_back();
    s.directory = "PLATES";
    s.title = "図版";
    s.indexes = {IndexOptions{0x91, {0, 0, 0, 0}, true}};
    s.media = {Colour("bigbmp", WithDataHeader(ClaimingBmp(16384, 8u << 20))),
               Colour("bigjpeg", WithDataHeader(ClaimingJpeg(8192))), Colour("plate", Plate(4096, 3072))};
    for (const char* name : {"bigbmp", "bigjpeg", "plate"}) {
      BookEntry& e = s.entries.emplace_back();
      e.heading = name;
      e.body = {std::string("{cfig ") + name + "}{/cfig}"};
    }
    std::string error;
    ASSERT_TRUE(WriteBook(book, s_dir->File("book"), {}, &s_written, &error)) << error;
    s_jpegBytes = s.media[1].bytes.size();
  }
  static void TearDownTestSuite() { delete s_dir; }

  void SetUp() override {
    if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  }

  static std::string Book() { return s_dir->File("book"); }
  static std::string Position(int entry) {
    const BookPos& p = s_written.subbooks[0].text[static_cast<size_t>(entry)];
    char text[20];
    std::snprintf(text, sizeof text, "%08X:%04X", static_cast<unsigned>(p.page), static_cast<unsigned>(p.offset));
    return text;
  }
  // The FIG closing tag of entry `entry`.
  static std::string FigTag(int entry) {
    CBookList list;
    EXPECT_EQ(list.AddBook(s_written.catalogPath), 1);
    const BookPos& p = s_written.subbooks[0].text[static_cast<size_t>(entry)];
    std::string markup = EntryMarkup(*list.GetEntry(0)->textReader, nullptr, p.page, p.offset, 0);
    size_t at = markup.find("</FIG");
    return at == std::string::npos ? "" : markup.substr(at, markup.find('>', at) + 1 - at);
  }

  ChildRun Tomeling(std::vector<std::string> args) {
    std::vector<std::string> argv = {"/usr/bin/env",
                                     "QT_QPA_PLATFORM=offscreen",
                                     "HOME=" + m_dir.Path().string(),
                                     "TOMELING_HOME=" + m_dir.File("home"),
                                     "XDG_CONFIG_HOME=" + m_dir.File("xdg"),
                                     kTomeling};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildRun run = RunChild(argv, kTimeLimit);
    std::printf("    %-8s %-10s peak %6ld MB, exit %d\n", args[0].c_str(), args.size() > 3 ? args[3].c_str() : "",
                run.peakKiB / 1024, run.status);
    return run;
  }

  void ExpectSmall(const ChildRun& run) {
    EXPECT_FALSE(run.timedOut) << run.err.substr(0, 300);
    if (!kUnderSanitizer) {
      EXPECT_LT(run.peakKiB, kMaxPeakKiB) << run.err.substr(0, 300);
    }
  }

  static CTempDir* s_dir;
  static WrittenBook s_written;
  static size_t s_jpegBytes;
  CTempDir m_dir;
};

CTempDir* ImageMemoryCommand::s_dir = nullptr;
WrittenBook ImageMemoryCommand::s_written;
size_t ImageMemoryCommand::s_jpegBytes = 0;

TEST_F(ImageMemoryCommand, ShowMediaStaysSmall) {
  for (int entry = 0; entry < 3; ++entry) {
    std::string media = m_dir.File("media" + std::to_string(entry));
    ChildRun run = Tomeling({"show", "--book", Book(), "--media", media, Position(entry)});
    ExpectSmall(run);
    EXPECT_EQ(run.status, 0) << run.err.substr(0, 300);
  }
  // The plate is written whole; the hostile BMP is skipped.
  EXPECT_TRUE(std::filesystem::is_empty(m_dir.File("media0")) || !std::filesystem::exists(m_dir.File("media0")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.File("media2")),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(ImageMemoryCommand, ExtractStaysSmall) {
  EXPECT_GT(s_jpegBytes, 65536u) << "the data must allow 8192 x 8192";
  EXPECT_LT(s_jpegBytes, 90000u);
  const int wantStatus[] = {1, 0, 0};
  const uint32_t wantSide[] = {0, 4096, 4096};
  for (int entry = 0; entry < 3; ++entry) {
    std::string tag = FigTag(entry), out = m_dir.File("image" + std::to_string(entry) + ".png");
    ASSERT_FALSE(tag.empty());
    ChildRun run = Tomeling({"extract", "--book", Book(), "--tag", tag, "--out", out});
    ExpectSmall(run);
    EXPECT_EQ(run.status, wantStatus[entry]) << tag << " " << run.err.substr(0, 300);
    if (wantStatus[entry] != 0) continue;
    // The JPEG comes back at half its claimed size, the plate at its own.
    std::vector<uint8_t> png = ReadWholeFile(out);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(PngSide(png, 16), wantSide[entry]) << tag;
    EXPECT_EQ(PngSide(png, 20), entry == 2 ? 3072u : 4096u) << tag;
  }
}

TEST_F(ImageMemoryCommand, RenderStaysSmall) {
  for (const char* word : {"bigbmp", "bigjpeg", "plate"}) {
    std::string out = m_dir.File(std::string(word) + ".png");
    ChildRun run = Tomeling({"render", "--book", Book(), "--word", word, "--width", "300", "--out", out});
    ExpectSmall(run);
    EXPECT_EQ(run.status, 0) << word << " " << run.err.substr(0, 300);
  }
}

// Where a figure is drawn narrower than it is, it is decoded smaller; the
// size alone is read without the pixels.
TEST_F(ImageMemoryCommand, PicturesDecodeNearTheSizeTheyAreDrawn) {
  CBookList list;
  ASSERT_EQ(list.AddBook(s_written.catalogPath), 1);
  CSubbookMedia media(*list.GetEntry(0));
  ImageTag tag;
  ASSERT_TRUE(FindImageTag(FigTag(2), &tag));
  CMediaSource* source = ImageSourceFor(media.Book(), tag.page, 1);
  ASSERT_NE(source, nullptr);
  int w = 0, h = 0;
  ASSERT_TRUE(ColourImageSize(*source, static_cast<int32_t>(tag.page), tag.offset, &w, &h));
  EXPECT_EQ(w, 4096);
  EXPECT_EQ(h, 3072);
  CBitmapImage image;
  ASSERT_TRUE(LoadColourImage(*source, static_cast<int32_t>(tag.page), tag.offset, &w, &h, &image, 300));
  EXPECT_EQ(image.Width(), 512);  // 1/8, the smallest scale still 300 wide
  EXPECT_EQ(image.Height(), 384);
  ASSERT_TRUE(LoadColourImage(*source, static_cast<int32_t>(tag.page), tag.offset, &w, &h, &image, 1500));
  EXPECT_EQ(image.Width(), 2048);

  // The hostile BMP tells no size; the hostile JPEG half its claimed one,
  // which is the size it decodes at.
  ASSERT_TRUE(FindImageTag(FigTag(0), &tag));
  EXPECT_FALSE(ColourImageSize(*ImageSourceFor(media.Book(), tag.page, 1), static_cast<int32_t>(tag.page),
                               tag.offset, &w, &h));
  ASSERT_TRUE(FindImageTag(FigTag(1), &tag));
  source = ImageSourceFor(media.Book(), tag.page, 1);
  ASSERT_TRUE(ColourImageSize(*source, static_cast<int32_t>(tag.page), tag.offset, &w, &h));
  EXPECT_EQ(w, 4096);
  ASSERT_TRUE(LoadColourImage(*source, static_cast<int32_t>(tag.page), tag.offset, &w, &h, &image));
  EXPECT_EQ(image.Width(), 4096);
  EXPECT_LE(int64_t{image.Width()} * image.Height(), CBitmapImage::kMaxPixels);
}

}  // namespace

// A canvas as wide as images may be, at a font size no window has: the font
// is drawn at the largest size, the entry cut at the pixel limit, and both
// said on standard error.
TEST_F(ImageMemoryCommand, RenderBoundsTheCanvasAndSaysWhatWasCut) {
  const std::string demo = std::string(TOMELING_BINARY_DIR) + "/data/demo";
  const std::string out = m_dir.File("wide.png");
  ChildRun run = Tomeling({"render", "--book", demo, "--word", "ねこ", "--width", "16384", "--font-size", "10000",
                           "--out", out});
  ExpectSmall(run);
  ASSERT_EQ(run.status, 0) << run.err.substr(0, 300);
  EXPECT_NE(run.err.find("font size 10000 is outside 4-200; drawn at 200"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("the image holds its first 1024"), std::string::npos) << run.err;
  std::vector<uint8_t> png = ReadWholeFile(out);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(PngSide(png, 16), 16384u);
  EXPECT_EQ(PngSide(png, 20), 1024u);
}
