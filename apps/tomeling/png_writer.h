// WritePng: a decoded book image as a PNG file, for the command-line tool
// (the desktop program goes through Qt instead).
//
// The encoder is the smallest that every viewer reads: 8-bit RGB, one IDAT
// chunk compressed with zlib, filter 0 on every row. Book images are small,
// so nothing cleverer pays; rows are converted and deflated one at a time,
// so a large image costs its compressed size and one row, not a copy.
#ifndef TOMELING_APPS_TOMELING_PNG_WRITER_H_
#define TOMELING_APPS_TOMELING_PNG_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "decode/bitmap_image.h"

// The PNG bytes of `image`; empty when zlib fails.
std::vector<uint8_t> EncodePng(const CBitmapImage& image);

// Replaces the file at `path` with `bytes`, atomically (a failed write
// leaves the old file as it was); false when it cannot be written.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

#endif  // TOMELING_APPS_TOMELING_PNG_WRITER_H_
