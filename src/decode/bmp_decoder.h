// DecodeBmp: a Windows BMP file held in memory to a CBitmapImage.
//
// The image is made from the file's own info header and palette: 1, 4, 8,
// 16, 24 or 32 bits per pixel, bottom-up unless the height is negative.
// Pixels are copied only for uncompressed files; a compressed one (RLE,
// bit fields) gives a blank image of its size, as the drawing code has
// always shown them.
//
// The copy is bounded by the pixel bytes actually present after the pixel
// offset and by the image's own size: a file cut short by a few rows
// leaves them blank, and nothing is read or written beyond either. A
// declared size is refused before anything is allocated when it exceeds
// the CBitmapImage limits (kMaxPixels among them), or the bytes the data
// holds: an uncompressed picture needs its rows (64K may be missing), a
// compressed one at most four times its bytes (plus 64K).
#ifndef TOMELING_DECODE_BMP_DECODER_H_
#define TOMELING_DECODE_BMP_DECODER_H_

#include <cstddef>
#include <cstdint>

#include "decode/bitmap_image.h"

// True and `*image` replaced when the data is a usable BMP.
bool DecodeBmp(const uint8_t* data, size_t size, CBitmapImage* image);

// The picture's width and height from its headers; false for data
// DecodeBmp would refuse.
bool ReadBmpSize(const uint8_t* data, size_t size, int* width, int* height);

#endif  // TOMELING_DECODE_BMP_DECODER_H_
