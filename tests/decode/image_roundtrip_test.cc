// Images written by the bookwriter come back through the tags of decoded
// entries: the right kind of image, the right size, the right pixels (JPEG
// within a small tolerance), from the file the book keeps them in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bookwriter/ebzip_writer.h"
#include "decode/image_loader.h"
#include "decode/media_tags.h"
#include "media_book_fixture.h"

namespace {

// The largest difference of any channel between the image and the source.
int MaxDifference(const CBitmapImage& image, const SamplePicture& source) {
  int worst = 0;
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      uint32_t rgb = image.PixelRgb(x, y);
      size_t at = static_cast<size_t>(y * source.width + x) * static_cast<size_t>(source.components);
      for (int c = 0; c < 3; ++c) {
        int want = source.pixels[at + (source.components == 3 ? static_cast<size_t>(c) : 0)];
        int got = static_cast<int>(rgb >> (16 - 8 * c) & 0xFF);
        worst = std::max(worst, std::abs(want - got));
      }
    }
  }
  return worst;
}

ImageTag TagIn(const std::string& text) {
  ImageTag tag;
  EXPECT_TRUE(FindImageTag(text, &tag)) << text;
  return tag;
}

TEST(ImageRoundTrip, EpwingFiguresFromTheGraphicsFile) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  MediaSampleBook& s = book->sample;

  ImageTag grey = TagIn(book->From(0, "</FIG", 0));
  EXPECT_EQ(grey.kind, 1);
  EXPECT_EQ(grey.page, static_cast<uint32_t>(s.greyJpeg.at.page));
  EXPECT_EQ(grey.offset, s.greyJpeg.at.offset);
  EXPECT_EQ(grey.width, 40);
  CBitmapImage image;
  ASSERT_TRUE(LoadTagImage(book->Book(), grey, &image));
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 24);
  EXPECT_EQ(image.BitsPerPixel(), 8);
  EXPECT_TRUE(image.BottomUp());
  EXPECT_EQ(image.Palette().size(), 256u);
  EXPECT_EQ(image.Stride(), 40u);
  EXPECT_LE(MaxDifference(image, s.greyJpeg), 12);

  // The inline image is the bare JPEG, whose end only its markers tell.
  ImageTag inl = TagIn(book->From(0, "</INL"));
  EXPECT_TRUE(inl.isInline);
  EXPECT_EQ(inl.width, 0);
  ASSERT_TRUE(LoadTagImage(book->Book(), inl, &image));
  EXPECT_EQ(image.BitsPerPixel(), 24);
  EXPECT_EQ(image.Width(), 33);
  EXPECT_EQ(image.Height(), 17);
  EXPECT_EQ(image.Stride(), 100u);
  EXPECT_EQ(image.Palette().size(), 256u);
  EXPECT_LE(MaxDifference(image, s.colourJpeg), 16);

  ImageTag bmp = TagIn(book->From(0, "</FIG", 2));
  ASSERT_TRUE(LoadTagImage(book->Book(), bmp, &image));
  EXPECT_EQ(image.BitsPerPixel(), 24);
  EXPECT_EQ(image.Width(), 13);
  EXPECT_EQ(image.Height(), 9);
  EXPECT_EQ(MaxDifference(image, s.bmp24), 0);

  ImageTag pal = TagIn(book->From(0, "</FIG", 3));
  ASSERT_TRUE(LoadTagImage(book->Book(), pal, &image));
  EXPECT_EQ(image.BitsPerPixel(), 8);
  for (int y = 0; y < s.bmp8.height; ++y)
    for (int x = 0; x < s.bmp8.width; ++x)
      ASSERT_EQ(image.PixelRgb(x, y), s.bmp8.palette[s.bmp8.pixels[static_cast<size_t>(y * s.bmp8.width + x)]])
          << x << "," << y;
}

// Monochrome bitmaps: rows padded to 32 bits, bits inverted (0 = ink).
void ExpectMono(const CBitmapImage& image, const SamplePicture& mono) {
  EXPECT_EQ(image.BitsPerPixel(), 1);
  EXPECT_EQ(image.Width(), mono.width);
  EXPECT_EQ(image.Height(), mono.height);
  EXPECT_EQ(image.Stride(), 4u);
  EXPECT_FALSE(image.BottomUp());
  for (int y = 0; y < mono.height; ++y) {
    for (int x = 0; x < mono.width; ++x) {
      bool ink = mono.pixels[static_cast<size_t>(y * mono.width + x)] != 0;
      bool bit = (image.ScanLine(y)[x / 8] >> (7 - x % 8) & 1) != 0;
      ASSERT_EQ(bit, !ink) << x << "," << y;
      ASSERT_EQ(image.PixelRgb(x, y), ink ? 0x000000u : 0xFFFFFFu);
    }
  }
}

TEST(ImageRoundTrip, MonochromeBitmapFromTheTextFile) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  std::string markup = book->From(0, "</FIG", 1);
  ImageTag tag = TagIn(markup);
  EXPECT_EQ(tag.kind, 0);
  EXPECT_EQ(tag.width, 21);
  EXPECT_EQ(tag.height, 13);
  // It lies in an area of the text file that says it holds bitmaps.
  EXPECT_EQ(ImageSourceFor(book->Book(), tag.page, 0), book->Book().text);
  CBitmapImage image;
  ASSERT_TRUE(LoadTagImage(book->Book(), tag, &image));
  ExpectMono(image, book->sample.mono);
}

TEST(ImageRoundTrip, EbFiguresFromTheirAreas) {
  auto book = OpenMediaTestBook(BookKind::kEb);
  ASSERT_TRUE(book);
  ImageTag mono = TagIn(book->From(0, "</FIG", 0));
  EXPECT_EQ(mono.kind, 0);
  CBitmapImage image;
  ASSERT_TRUE(LoadTagImage(book->Book(), mono, &image));
  ExpectMono(image, book->sample.mono);

  // A "data" header at offset 2044 puts the JPEG at offset 4 of the next
  // page.
  ImageTag colour = TagIn(book->From(0, "</FIG", 1));
  EXPECT_EQ(colour.kind, 1);
  EXPECT_EQ(colour.offset, 2044);
  EXPECT_EQ(ImageSourceFor(book->Book(), colour.page, 1), book->Book().text);
  ASSERT_TRUE(LoadTagImage(book->Book(), colour, &image));
  EXPECT_EQ(image.Width(), 24);
  EXPECT_EQ(image.Height(), 16);
  EXPECT_LE(MaxDifference(image, book->sample.colourJpeg), 16);
}

// Graphics and sound files may be stored EBZip-compressed like the text:
// the page count of a compressed file is that of the data it holds.
TEST(ImageRoundTrip, CompressedGraphicsFile) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  std::filesystem::path data = std::filesystem::path(book->sample.subbookDir) / "DATA";
  std::vector<uint8_t> plain;
  {
    std::ifstream in(data / "HONMONG", std::ios::binary);
    plain.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EbzipOptions options;
  options.level = 1;
  auto packed = EbzipCompress(plain, options);
  ASSERT_TRUE(packed.has_value());
  std::filesystem::remove(data / "HONMONG");
  std::ofstream(data / "HONMONG.ebz", std::ios::binary)
      .write(reinterpret_cast<const char*>(packed->data()), static_cast<std::streamsize>(packed->size()));

  CBookList list;
  ASSERT_EQ(list.AddBook(book->sample.written.catalogPath), 1);
  SubbookEntry* entry = list.GetEntry(0);
  ASSERT_TRUE(entry != nullptr && entry->graphicsReader != nullptr);
  CSubbookMedia media(*entry);
  ImageTag tag = TagIn(book->From(0, "</FIG", 3));
  CBitmapImage image;
  ASSERT_TRUE(LoadTagImage(media.Book(), tag, &image));
  EXPECT_EQ(image.Width(), book->sample.bmp8.width);
  // The last image ends close to the end of the file: nothing past it.
  ImageTag beyond = tag;
  beyond.page += 1;
  EXPECT_FALSE(LoadTagImage(media.Book(), beyond, &image));
}

}  // namespace
