// External-character glyphs from EB font areas and EPWING font files, the
// choice of font by the requested size, the 16-dot cache and the bitmap
// for drawing.
#include <gtest/gtest.h>

#include "catalog/book_list.h"
#include "catalog/external_font.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

// Glyph `i` of a font: every byte distinct per glyph, so a glyph read from
// the wrong place shows.
FontSource MakeFont(int width, int height, int count) {
  FontSource f;
  f.width = width;
  f.height = height;
  f.firstCode = 0xA121;
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> g(static_cast<size_t>(width / 8 * height));
    for (size_t b = 0; b < g.size(); ++b) g[b] = static_cast<uint8_t>(i * 7 + b);
    f.glyphs.push_back(g);
  }
  return f;
}

uint16_t CodeOf(int index) { return static_cast<uint16_t>(0xA121 + (index / 94) * 0x100 + index % 94); }

BookSource FontBook(BookKind kind) {
  BookSource book;
  book.kind = kind;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "FONTS";
  sub.indexes = {Index(0x92)};
  sub.entries = {Entry("語", {{0x92, "word"}})};
  sub.narrowFonts = {MakeFont(8, 16, 300)};
  sub.wideFonts = {MakeFont(16, 16, 300)};
  if (kind == BookKind::kEpwing) {
    sub.narrowFonts.push_back(MakeFont(24, 48, 20));
    sub.wideFonts.push_back(MakeFont(48, 48, 20));
  }
  return book;
}

void ExpectGlyph(CEBReader* r, int w, int h, int index, int fontWidth, int fontHeight) {
  Glyph g;
  ASSERT_TRUE(r->GetGlyph(w, h, CodeOf(index), &g)) << w << "x" << h << " #" << index;
  EXPECT_EQ(g.width, fontWidth);
  EXPECT_EQ(g.height, fontHeight);
  for (int b = 0; b < fontWidth / 8 * fontHeight; ++b) ASSERT_EQ(g.bits[b], static_cast<uint8_t>(index * 7 + b));
}

TEST(Glyph, EbFontsLiveInTheTextFile) {
  CTempDir dir;
  Write(FontBook(BookKind::kEb), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 1);
  CEBReader* r = list.GetEntry(0)->textReader.get();
  EXPECT_EQ(r->HalfFont().firstCode, 0xA121);
  EXPECT_EQ(r->HalfFont().lastCode, CodeOf(299));
  EXPECT_FALSE(r->SingleByte());  // half-width codes from 0xA121: two-byte text
  for (int i : {0, 1, 93, 94, 127, 128, 255, 299}) {
    ExpectGlyph(r, 8, 16, i, 8, 16);    // taller than wide: half-width
    ExpectGlyph(r, 16, 16, i, 16, 16);  // square: full-width
  }
  Glyph g;
  EXPECT_FALSE(r->GetGlyph(16, 16, CodeOf(300), &g));
  EXPECT_FALSE(r->GetGlyph(16, 16, 0xA120, &g));
  EXPECT_FALSE(r->GetGlyph(16, 16, 0xA17F, &g));  // no such cell in a row
  EXPECT_FALSE(r->GetGlyph(4, 16, CodeOf(0), &g));
  EXPECT_FALSE(r->GetGlyph(16, 12, CodeOf(0), &g));
  EXPECT_FALSE(r->GetGlyph(16, 50, CodeOf(0), &g));
}

TEST(Glyph, EpwingFontFilesAndTheLargestOfEachKind) {
  CTempDir dir;
  Write(FontBook(BookKind::kEpwing), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 1);
  SubbookEntry* e = list.GetEntry(0);
  ASSERT_TRUE(e->opened);
  // The text reader knows the largest size of each kind.
  EXPECT_EQ(e->textReader->HalfFont().height, 48);
  EXPECT_EQ(e->textReader->FullFont().width, 48);
  EXPECT_EQ(e->largestHalfFont, 6);
  // Each font file answers for its own size.
  ASSERT_TRUE(e->fontReaders[0] && e->fontReaders[1] && e->fontReaders[6] && e->fontReaders[7]);
  EXPECT_EQ(e->fontReaders[0]->Mode(), CEBReader::kModeRaw);
  ExpectGlyph(e->fontReaders[0].get(), 16, 16, 250, 8, 16);  // a font file has one font
  ExpectGlyph(e->fontReaders[1].get(), 16, 16, 250, 16, 16);
  ExpectGlyph(e->fontReaders[7].get(), 48, 48, 19, 48, 48);
  ExpectGlyph(e->fontReaders[6].get(), 24, 48, 5, 24, 48);
}

TEST(Glyph, SixteenDotGlyphsAreCachedUpTo256) {
  CTempDir dir;
  Write(FontBook(BookKind::kEb), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 1);
  CEBReader* r = list.GetEntry(0)->textReader.get();
  Glyph g;
  for (int i = 0; i < 260; ++i) ASSERT_TRUE(r->GetGlyph(16, 16, CodeOf(i), &g));
  EXPECT_EQ(r->CachedGlyphs(), CExternalFonts::kCacheSize);
  // The same code in the other width is another glyph; cached ones still
  // come back right after the oldest were dropped.
  ExpectGlyph(r, 8, 16, 259, 8, 16);
  ExpectGlyph(r, 16, 16, 259, 16, 16);
  ExpectGlyph(r, 16, 16, 0, 16, 16);
  EXPECT_EQ(r->CachedGlyphs(), CExternalFonts::kCacheSize);
}

TEST(Glyph, DrawingBitmapIsInvertedIn48By48) {
  Glyph g;
  g.width = 16;
  g.height = 16;
  for (int b = 0; b < 32; ++b) g.bits[b] = static_cast<uint8_t>(b);
  uint8_t out[48 * 6];
  GlyphToMono48(g, out);
  EXPECT_EQ(out[0], 0xFF);       // row 0, byte 0 = ~0
  EXPECT_EQ(out[1], 0xFE);       // ~1
  EXPECT_EQ(out[6], 0xFD);       // row 1 starts at byte 6: ~2
  EXPECT_EQ(out[2], 0xFF);       // beyond the glyph: paper
  EXPECT_EQ(out[16 * 6], 0xFF);  // below it too
}

TEST(Glyph, FontHeaderLimits) {
  uint8_t page[kPageSize] = {};
  page[8] = 16, page[9] = 16, page[10] = 0xA1, page[11] = 0x7E, page[13] = 3;
  FontInfo f;
  ASSERT_TRUE(ParseFontHeader(page, 5, &f));
  EXPECT_EQ(f.lastCode, 0xA222u);  // rows of 94: 7E, then 21, 22 of the next row
  int32_t p = 0;
  int off = 0;
  ASSERT_TRUE(f.Locate(0xA222, &p, &off));
  EXPECT_EQ(p, 6);
  EXPECT_EQ(off, 64);
  page[8] = 0;
  EXPECT_FALSE(ParseFontHeader(page, 5, &f));
  page[8] = 49;
  EXPECT_FALSE(ParseFontHeader(page, 5, &f));
  page[8] = 16, page[12] = 0, page[13] = 0;
  EXPECT_FALSE(ParseFontHeader(page, 5, &f));
}

}  // namespace
