#include "bookwriter/font_writer.h"

#include <algorithm>

#include "bookwriter/big_endian.h"

bool BuildFontPages(const FontSource& font, std::vector<uint8_t>* pages, std::string* error) {
  if (font.width < 8 || font.width > 48 || font.width % 8 != 0 || font.height < 16 ||
      font.height > 48) {
    if (error) *error = "font size must be 8 to 48 dots wide (whole bytes) and 16 to 48 high";
    return false;
  }
  if (font.glyphs.size() > 0xFFFF) {
    if (error) *error = "too many glyphs in one font";
    return false;
  }
  size_t glyphSize = static_cast<size_t>(font.width / 8 * font.height);
  size_t perBlock = 1024 / glyphSize;
  size_t blocks = (font.glyphs.size() + perBlock - 1) / perBlock;
  pages->assign(2048 * (1 + (blocks + 1) / 2), 0);
  uint8_t* header = pages->data();
  header[8] = static_cast<uint8_t>(font.width);
  header[9] = static_cast<uint8_t>(font.height);
  PutBE16(header + 10, font.firstCode);
  PutBE16(header + 12, static_cast<uint32_t>(font.glyphs.size()));
  for (size_t i = 0; i < font.glyphs.size(); ++i) {
    const std::vector<uint8_t>& g = font.glyphs[i];
    if (g.size() != glyphSize) {
      if (error) *error = "glyph " + std::to_string(i) + " is not width/8 * height bytes";
      return false;
    }
    size_t block = i / perBlock;
    size_t at = 2048 * (block / 2 + 1) + 1024 * (block % 2) + (i % perBlock) * glyphSize;
    std::copy(g.begin(), g.end(), pages->begin() + static_cast<std::ptrdiff_t>(at));
  }
  return true;
}
