// Loading the images of a book: monochrome bitmaps and colour images (JPEG
// or BMP) at a book position, as the FIG and INL tags of the markup give
// them.
//
// Monochrome bitmaps are stored as `height` rows of ceil(width / 8) bytes,
// one bit per pixel, most significant bit leftmost, set bits ink, running
// on across pages. They come back as 1-bit top-down images whose rows are
// padded to 32 bits and whose bits are inverted (0 = ink), the way the
// drawing code blits them. Width and height must each be 1 to 2048.
//
// A colour image starts either with "data" and a 32-bit length L (read
// little-endian; a value above 0xFFFFFF is taken big-endian instead), the
// JPEG or BMP following from byte 8, or with a bare JPEG stream (0xFF 0xD8)
// whose end is found by its markers (jpeg_stream.h). L is bounded by the
// bytes the file holds from there and by kMaxColourData; a file that ends
// early gives what it holds, which libjpeg or the BMP reader then judge.
//
// Sizes are bounded by the data and by CBitmapImage::kMaxPixels (see
// jpeg_decoder.h and bmp_decoder.h): a JPEG larger than that comes back
// scaled down, and that is its size for every use, layout included. Where
// the caller draws a picture smaller than that, it says how wide
// (`fitWidth`) and a JPEG is decoded at a scale near it.
// ColourImageSize reads only the headers, for layout that needs the size
// and not the pixels.
//
// Every failure -- a position in no image, a short read, undecodable data,
// a refused size -- gives false, with the size outputs set to 0 by 0.
#ifndef TOMELING_DECODE_IMAGE_LOADER_H_
#define TOMELING_DECODE_IMAGE_LOADER_H_

#include <cstdint>

#include "decode/bitmap_image.h"
#include "decode/media_source.h"

constexpr int kMaxMonoSide = 2048;
constexpr uint32_t kMaxColourData = 16u << 20;

bool LoadMonoBitmap(CMediaSource& source, int32_t page, int offset, int width, int height, CBitmapImage* image);

// `outWidth` and `outHeight` (either may be null) get the size of the image
// as decoded. `fitWidth` > 0: the picture will be drawn at most that wide.
bool LoadColourImage(CMediaSource& source, int32_t page, int offset, int* outWidth, int* outHeight,
                     CBitmapImage* image, int fitWidth = 0);

// The size LoadColourImage gives without `fitWidth`, from the headers
// alone; false (0 by 0) where it would find no usable image before
// decoding.
bool ColourImageSize(CMediaSource& source, int32_t page, int offset, int* width, int* height);

// The length of a "data" header from its four length bytes.
uint32_t DataHeaderLength(const uint8_t bytes[4]);

#endif  // TOMELING_DECODE_IMAGE_LOADER_H_
