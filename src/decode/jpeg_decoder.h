// DecodeJpeg: a JPEG held in memory to a CBitmapImage, through libjpeg.
//
// Grey JPEGs give 8-bit images, colour ones 24-bit (blue, green, red), both
// bottom-up with the 256-grey palette; CMYK JPEGs are converted to 24-bit.
// libjpeg reports damaged data by calling its error handler, which never
// returns: ours jumps back out of the library (no C++ object lives in the
// frames it skips), everything libjpeg holds is freed, and the result is
// "no image". Warnings (a stream cut short, stray bytes) are silent and the
// picture is kept as far as libjpeg could rebuild it.
//
// Declared sizes are bounded before any pixel memory is taken: the limits
// of CBitmapImage, and no more pixels than 1024 per byte of data plus 64K,
// far above what real pictures compress to, so that a few bytes of header
// cannot claim a gigapixel picture.
#ifndef TOMELING_DECODE_JPEG_DECODER_H_
#define TOMELING_DECODE_JPEG_DECODER_H_

#include <cstddef>
#include <cstdint>

#include "decode/bitmap_image.h"

// True and `*image` replaced when the data decodes; false leaves it alone.
bool DecodeJpeg(const uint8_t* data, size_t size, CBitmapImage* image);

#endif  // TOMELING_DECODE_JPEG_DECODER_H_
