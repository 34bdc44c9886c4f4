// External-character (gaiji) fonts: their headers, glyph lookup and the
// glyph cache.
//
// A font is an area of pages: a header page, then glyph bitmaps packed in
// 1024-byte blocks, two blocks to a page. The header (bytes 8 to 13) gives
// the glyph width and height in dots, the first character code and the
// number of characters; codes run in rows of 94 (low bytes 0x21 to 0x7E).
// A glyph is `height` rows of (width + 7) / 8 bytes, leftmost dot in the
// most significant bit, 1 for ink.
//
// EB books keep their fonts as areas of the text file (identifiers 0xF1,
// 0xF2), EPWING books as separate files in the GAIJI directory, each with
// its header on page 1. A reader has at most one half-width and one
// full-width font; CExternalFonts holds them with the cache that spares the
// drawing code a page read for every gaiji of the common 16-dot size.
#ifndef TOMELING_CATALOG_EXTERNAL_FONT_H_
#define TOMELING_CATALOG_EXTERNAL_FONT_H_

#include <cstdint>
#include <deque>
#include <functional>

constexpr int kMaxGlyphDots = 48;
constexpr int kMaxGlyphBytes = kMaxGlyphDots / 8 * kMaxGlyphDots;  // 288

struct FontInfo {
  int width = 0;
  int height = 0;
  uint16_t firstCode = 0;
  int count = 0;
  uint32_t lastCode = 0;  // may pass 0xFFFF in a damaged header
  int32_t headerPage = 0;

  bool Present() const { return GlyphSize() > 0; }
  int GlyphSize() const;
  // Position of the glyph of `code` in the font's area; false when the font
  // has no such character.
  bool Locate(uint16_t code, int32_t* page, int* offset) const;
};

// Reads the header on `page` (2048 bytes) of a font whose header page is
// `headerPage`. Sizes outside 1 to 48 dots, or no characters, leave the font
// absent (false).
bool ParseFontHeader(const uint8_t* page, int32_t headerPage, FontInfo* out);

struct Glyph {
  int width = 0;
  int height = 0;
  uint8_t bits[kMaxGlyphBytes] = {};
};

// For drawing: the glyph at the top left of a 48 x 48 monochrome bitmap of
// 6-byte rows, every byte inverted (0 bits are ink on the display side).
void GlyphToMono48(const Glyph& glyph, uint8_t out[kMaxGlyphDots * 6]);

// Supplies page `page` of the font's file (2048 bytes), or nullptr.
using FontPageFetcher = std::function<const uint8_t*(int32_t page)>;

class CExternalFonts {
 public:
  static constexpr size_t kCacheSize = 256;

  void SetHalfFont(const FontInfo& font) { m_half = font; m_cache.clear(); }
  void SetFullFont(const FontInfo& font) { m_full = font; m_cache.clear(); }
  const FontInfo& HalfFont() const { return m_half; }
  const FontInfo& FullFont() const { return m_full; }
  void Clear();

  // The glyph of `code` for a request of `width` x `height` dots: the
  // half-width font when `rawFontFile` (a font file has only the one) or
  // when the height exceeds the width by more than 2, else the full-width
  // font. False when there is no such glyph.
  bool GetGlyph(int width, int height, uint16_t code, bool rawFontFile, const FontPageFetcher& fetch,
                Glyph* out);

  size_t CachedGlyphs() const { return m_cache.size(); }

 private:
  struct CachedGlyph {
    uint16_t code;
    Glyph glyph;
  };

  FontInfo m_half, m_full;
  std::deque<CachedGlyph> m_cache;  // oldest first
};

#endif  // TOMELING_CATALOG_EXTERNAL_FONT_H_
