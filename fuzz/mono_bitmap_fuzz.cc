// Fuzz target for monochrome bitmaps: any bytes as a book file and any
// width, height and position. A bitmap is either refused or comes back
// with exactly the book's bits inverted and rows padded to 32 bits.
//
// Input: 2 bytes width, 2 bytes height (little-endian, mod 2100, so that
// sizes beyond the 2048 limit occur), 2 bytes offset (mod 2049), then the
// file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "decode/image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  int width = (data[0] | data[1] << 8) % 2100;
  int height = (data[2] | data[3] << 8) % 2100;
  int offset = (data[4] | data[5] << 8) % 2049;
  std::vector<uint8_t> file(data + 6, data + size);
  CMemoryMediaSource source(file);
  CBitmapImage image;
  if (!LoadMonoBitmap(source, 1, offset, width, height, &image)) return 0;
  if (width < 1 || height < 1 || width > 2048 || height > 2048) std::abort();
  size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  if (image.Stride() != (rowBytes + 3) / 4 * 4 || image.Width() != width || image.Height() != height) std::abort();
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < rowBytes; ++i) {
      size_t at = static_cast<size_t>(offset) + static_cast<size_t>(y) * rowBytes + i;
      uint8_t book = at < file.size() ? file[at] : 0;
      if (image.ScanLine(y)[i] != static_cast<uint8_t>(~book)) std::abort();
    }
  }
  return 0;
}
