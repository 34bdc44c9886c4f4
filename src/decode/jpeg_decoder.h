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
// Declared sizes are bounded before any pixel memory is taken: no more
// pixels than 1024 per byte of data plus 64K, far above what real pictures
// compress to, so that a few bytes of header cannot claim a gigapixel
// picture; and the limits of CBitmapImage. A picture of more pixels than
// CBitmapImage::kMaxPixels is decoded scaled down until it fits (libjpeg
// scales by 1/2, 1/4 and 1/8 as it decodes, which costs less than the full
// size), and refused when even 1/8 does not. libjpeg's own working memory
// is capped as well (the coefficients of a progressive file are kept whole).
//
// A caller that shows the picture smaller (a figure fitted to the view)
// passes the width it will draw: the picture is then decoded at the
// smallest of those scales that is still at least that wide.
#ifndef TOMELING_DECODE_JPEG_DECODER_H_
#define TOMELING_DECODE_JPEG_DECODER_H_

#include <cstddef>
#include <cstdint>

#include "decode/bitmap_image.h"

// True and `*image` replaced when the data decodes; false leaves it alone.
// `fitWidth` > 0 is the width the picture will be drawn at, at most.
bool DecodeJpeg(const uint8_t* data, size_t size, CBitmapImage* image, int fitWidth = 0);

// The width and height DecodeJpeg gives without `fitWidth` (the header's,
// or less for a picture beyond the pixel limit), without decoding it;
// false for data DecodeJpeg would refuse before decoding.
bool ReadJpegSize(const uint8_t* data, size_t size, int* width, int* height);

#endif  // TOMELING_DECODE_JPEG_DECODER_H_
