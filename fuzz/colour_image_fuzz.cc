// Fuzz target for colour images in book data: any bytes as a book file and
// a colour image loaded from any position in its first pages -- the "data"
// header and its length rule, bare JPEG streams, libjpeg on damaged data,
// BMP headers, palettes and pixel copies. A loaded image must agree with
// the size reported and with the size read from its headers alone, stay
// within the pixel limit, and come no larger when asked for a width to fit;
// a failure must report 0 by 0.
//
// Input: 1 byte page (mod 3, from 1), 2 bytes little-endian offset (mod
// 2048), then the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "decode/image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  int page = data[0] % 3 + 1;
  int offset = (data[1] | data[2] << 8) % 2048;
  CMemoryMediaSource source(std::vector<uint8_t>(data + 3, data + size));
  CBitmapImage image;
  int width = -1, height = -1;
  bool ok = LoadColourImage(source, page, offset, &width, &height, &image);
  if (!ok && (width != 0 || height != 0 || image.ByteSize() != 0)) std::abort();
  if (ok) {
    if (width != image.Width() || height != image.Height() || image.Stride() * static_cast<size_t>(height) != image.ByteSize())
      std::abort();
    if (int64_t{width} * height > CBitmapImage::kMaxPixels) std::abort();
    int headerWidth = 0, headerHeight = 0;
    if (ColourImageSize(source, page, offset, &headerWidth, &headerHeight) &&
        (headerWidth != width || headerHeight != height))
      std::abort();
    CBitmapImage fitted;
    if (LoadColourImage(source, page, offset, nullptr, nullptr, &fitted, 1 + data[0] % 64) &&
        (fitted.Width() > width || fitted.Height() > height))
      std::abort();
    // Every pixel is readable, whatever the depth and palette.
    uint32_t sum = 0;
    for (int y = 0; y < height; y += 7)
      for (int x = 0; x < width; x += 5) sum += image.PixelRgb(x, y);
    if (sum == 0xFFFFFFFFu) std::abort();
  }
  return 0;
}
