// External-character fonts: one header page (width, height, first code and
// count at bytes 8 to 13), then the glyphs packed in 1024-byte blocks, two
// blocks a page, no glyph crossing a block. The same pages form an EB
// font area (identifiers 0xF1/0xF2 of START) and an EPWING GAIJI file.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_FONT_WRITER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_FONT_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

// The font's pages (a multiple of 2048 bytes), or false with `error` set
// when the size or a glyph does not fit the format.
bool BuildFontPages(const FontSource& font, std::vector<uint8_t>* pages,
                    std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_FONT_WRITER_H_
