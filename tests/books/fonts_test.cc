// External-character fonts written by the bookwriter, read back glyph by
// glyph: EB font areas inside START, EPWING GAIJI files of every size.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "book_fixture.h"

namespace {

// A font whose every glyph is distinct: glyph i has byte j = i * 7 + j.
FontSource MakeFont(int width, int height, uint16_t first, int count) {
  FontSource f;
  f.width = width;
  f.height = height;
  f.firstCode = first;
  size_t size = static_cast<size_t>(width / 8 * height);
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> g(size);
    for (size_t j = 0; j < size; ++j) g[j] = static_cast<uint8_t>(i * 7 + static_cast<int>(j));
    f.glyphs.push_back(std::move(g));
  }
  return f;
}

// The code `i` places after `first`, 94 codes to a row.
uint16_t CodeAt(uint16_t first, int i) {
  int row = first >> 8, cell = (first & 0xFF) - 0x21 + i;
  return static_cast<uint16_t>((row + cell / 94) << 8 | (0x21 + cell % 94));
}

void ExpectGlyphs(CEBReader& r, const FontSource& f) {
  // The first, last, and those around block and page boundaries.
  int n = static_cast<int>(f.glyphs.size());
  for (int i : {0, 1, 31, 32, 63, 64, 93, 94, 95, n - 1}) {
    if (i < 0 || i >= n) continue;
    Glyph g;
    uint16_t code = CodeAt(f.firstCode, i);
    ASSERT_TRUE(r.GetGlyph(f.width, f.height, code, &g)) << std::hex << code;
    EXPECT_EQ(g.width, f.width);
    EXPECT_EQ(g.height, f.height);
    EXPECT_EQ(std::memcmp(g.bits, f.glyphs[static_cast<size_t>(i)].data(), f.glyphs[0].size()), 0)
        << f.width << "x" << f.height << " glyph " << i;
  }
  Glyph g;
  EXPECT_FALSE(r.GetGlyph(f.width, f.height, CodeAt(f.firstCode, n), &g));
}

TEST(FontsTest, EbFontAreas) {
  BookSource book;
  book.kind = BookKind::kEb;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "GAIJI";
  s.title = "外字";
  s.indexes = {IndexOptions{0x90}};
  s.entries = {Entry("あ", {}, {{0x90, "あ"}})};
  s.narrowFonts = {MakeFont(8, 16, 0xA121, 200)};
  s.wideFonts = {MakeFont(16, 16, 0xB121, 100)};
  for (FileStorage st : {FileStorage{}, FileStorage{FileStorage::kEbzip, 3}}) {
    s.textStorage = st;
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    EXPECT_EQ(r.HalfFont().firstCode, 0xA121);
    EXPECT_EQ(r.FullFont().count, 100);
    ExpectGlyphs(r, s.narrowFonts[0]);
    ExpectGlyphs(r, s.wideFonts[0]);
  }
}

TEST(FontsTest, EpwingGaijiFilesOfEverySize) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "GAIJI";
  s.title = "外字";
  s.indexes = {IndexOptions{0x90}};
  s.entries = {Entry("あ", {}, {{0x90, "あ"}})};
  const int sizes[][2] = {{8, 16}, {16, 24}, {16, 32}, {24, 48}};
  for (const auto& sz : sizes) {
    s.narrowFonts.push_back(MakeFont(sz[0], sz[1], 0xA121, 120));
    s.wideFonts.push_back(MakeFont(sz[1], sz[1], 0xB121, 97));
  }
  // GAIJI files compressed, in lower case, or with ISO version suffixes.
  for (auto [storage, names] : {std::pair{FileStorage{FileStorage::kEbzip, 1}, WriteOptions{true, false}},
                                std::pair{FileStorage{}, WriteOptions{false, true}}}) {
    s.fontStorage = storage;
    auto b = WriteAndOpen(book, names);
    ASSERT_EQ(b->added, 1) << b->error;
    SubbookEntry* e = b->list.GetEntry(0);
    ASSERT_NE(e, nullptr);
    for (int slot = 0; slot < kFontSlots; ++slot) {
      SCOPED_TRACE(slot);
      ASSERT_NE(e->fontReaders[static_cast<size_t>(slot)], nullptr);
      const FontSource& f = IsHalfWidthSlot(slot) ? s.narrowFonts[static_cast<size_t>(slot / 2)]
                                                  : s.wideFonts[static_cast<size_t>(slot / 2)];
      ExpectGlyphs(*e->fontReaders[static_cast<size_t>(slot)], f);
    }
    // The text reader is given the largest of each kind.
    EXPECT_EQ(e->textReader->HalfFont().height, 48);
    EXPECT_EQ(e->textReader->FullFont().height, 48);
  }
}

}  // namespace
