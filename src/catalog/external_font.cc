// See external_font.h.
#include "catalog/external_font.h"

#include <cstring>

namespace {

constexpr int kBlock = 1024;
constexpr int kRow = 94;

}  // namespace

int FontInfo::GlyphSize() const {
  if (width < 1 || width > kMaxGlyphDots || height < 1 || height > kMaxGlyphDots || count < 1) return 0;
  return (width + 7) / 8 * height;
}

bool FontInfo::Locate(uint16_t code, int32_t* page, int* offset) const {
  int size = GlyphSize();
  if (size == 0 || code < firstCode || code > lastCode) return false;
  // A low byte outside the row would alias a glyph of the next row.
  if ((code & 0xFF) < 0x21 || (code & 0xFF) > 0x7E) return false;
  int index = ((code >> 8) - (firstCode >> 8)) * kRow + ((code & 0xFF) - (firstCode & 0xFF));
  if (index < 0 || index >= count) return false;
  int perBlock = kBlock / size;
  int block = index / perBlock;
  *page = headerPage + block / 2 + 1;
  *offset = index % perBlock * size + (block % 2 == 1 ? kBlock : 0);
  return true;
}

bool ParseFontHeader(const uint8_t* page, int32_t headerPage, FontInfo* out) {
  FontInfo font;
  font.width = page[8];
  font.height = page[9];
  font.firstCode = static_cast<uint16_t>(page[10] << 8 | page[11]);
  font.count = page[12] << 8 | page[13];
  font.headerPage = headerPage;
  int firstLow = font.firstCode & 0xFF;
  int start = firstLow >= 0x21 ? firstLow - 0x21 : 0;
  int last = start + font.count - 1;
  font.lastCode = static_cast<uint32_t>(((font.firstCode >> 8) + last / kRow) << 8 | (0x21 + last % kRow));
  if (!font.Present()) {
    *out = FontInfo();
    return false;
  }
  *out = font;
  return true;
}

void GlyphToMono48(const Glyph& glyph, uint8_t out[kMaxGlyphDots * 6]) {
  std::memset(out, 0xFF, kMaxGlyphDots * 6);
  int rowBytes = (glyph.width + 7) / 8;
  for (int y = 0; y < glyph.height && y < kMaxGlyphDots; ++y)
    for (int x = 0; x < rowBytes && x < 6; ++x) out[y * 6 + x] = static_cast<uint8_t>(~glyph.bits[y * rowBytes + x]);
}

void CExternalFonts::Clear() {
  m_half = FontInfo();
  m_full = FontInfo();
  m_cache.clear();
}

bool CExternalFonts::GetGlyph(int width, int height, uint16_t code, bool rawFontFile, const FontPageFetcher& fetch,
                              Glyph* out) {
  if (width < 8 || width > 48 || height < 16 || height > 48) return false;
  const FontInfo& font = (rawFontFile || height - width > 2) ? m_half : m_full;
  int size = font.GlyphSize();
  if (size == 0) return false;
  bool cacheable = font.height == 16;
  if (cacheable) {
    for (const CachedGlyph& c : m_cache) {
      if (c.code == code && c.glyph.width == font.width) {
        *out = c.glyph;
        return true;
      }
    }
  }
  int32_t page = 0;
  int offset = 0;
  if (!font.Locate(code, &page, &offset)) return false;
  const uint8_t* data = fetch ? fetch(page) : nullptr;
  if (data == nullptr) return false;
  Glyph glyph;
  glyph.width = font.width;
  glyph.height = font.height;
  std::memcpy(glyph.bits, data + offset, static_cast<size_t>(size));
  if (cacheable) {
    if (m_cache.size() >= kCacheSize) m_cache.pop_front();
    m_cache.push_back({code, glyph});
  }
  *out = glyph;
  return true;
}
