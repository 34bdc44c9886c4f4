// The command-line tool's one PNG writer: book images (extract, --media)
// and rendered entries (render) alike.
//
// The encoder is the smallest that every viewer reads: 8-bit RGB, one IDAT
// chunk compressed with zlib, filter 0 on every row. The images are book
// figures and text on white, so nothing cleverer pays. Rows are made and
// deflated one at a time, so a large image costs its compressed size and
// one row, not a raw copy of itself.
#ifndef TOMELING_APPS_TOMELING_PNG_WRITER_H_
#define TOMELING_APPS_TOMELING_PNG_WRITER_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "decode/bitmap_image.h"

// Fills one row of width x 3 bytes, red, green and blue of each pixel.
using PngRowFunction = std::function<void(int y, uint8_t* rgb)>;

// The PNG bytes of an image of width x height pixels given row by row;
// empty when zlib fails.
std::vector<uint8_t> EncodePng(int width, int height, const PngRowFunction& row);
// The PNG bytes of a book image.
std::vector<uint8_t> EncodePng(const CBitmapImage& image);

#endif  // TOMELING_APPS_TOMELING_PNG_WRITER_H_
