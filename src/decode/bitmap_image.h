// CBitmapImage: a decoded book image in the layout the drawing code blits
// from: rows of `stride` bytes (a multiple of 4), `bitsPerPixel` 1, 4, 8,
// 16, 24 or 32, and a palette for the indexed depths.
//
//   1 bit    most significant bit leftmost; monochrome book bitmaps come as
//            top-down rows with 0 = ink (palette {black, white})
//   4, 8     palette indexes (JPEG greys use the 256-grey palette)
//   16       little-endian x-R5-G5-B5
//   24       blue, green, red bytes
//   32       blue, green, red, unused
//
// Colour images keep the device-independent order of their source: rows
// bottom-up (the first row in memory is the bottom line of the picture)
// unless the source says top-down. ScanLine() hides the difference.
//
// The Qt layer wraps the rows without copying where the depth and order
// allow (Format_Mono, Format_Indexed8, Format_RGB555, Format_BGR888,
// Format_RGB32 over top-down rows); palette entries are 0xFFRRGGBB, which
// is a QRgb.
#ifndef TOMELING_DECODE_BITMAP_IMAGE_H_
#define TOMELING_DECODE_BITMAP_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

class CBitmapImage {
 public:
  // Largest width or height, number of pixels and pixel buffer that any
  // image may have; larger declared sizes are refused before allocating.
  // 4096 x 4096 pixels is four times the largest plates books hold, and
  // keeps an image, its copy for drawing and its PNG well within what a
  // small machine has.
  static constexpr int kMaxSide = 16384;
  static constexpr int64_t kMaxPixels = int64_t{4096} * 4096;
  static constexpr size_t kMaxBytes = 64u << 20;

  // Row stride for `width` pixels of `bits` bits, rounded up to 4 bytes.
  static size_t StrideFor(int width, int bits) {
    return (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
  }

  // A zero-filled image, or false when the size is out of range.
  bool Allocate(int width, int height, int bitsPerPixel, bool bottomUp);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BitsPerPixel() const { return m_bits; }
  size_t Stride() const { return m_stride; }
  bool BottomUp() const { return m_bottomUp; }
  // Rows in memory order.
  uint8_t* Bits() { return m_pixels.data(); }
  const uint8_t* Bits() const { return m_pixels.data(); }
  size_t ByteSize() const { return m_pixels.size(); }
  // Row `y` of the picture counted from the top.
  const uint8_t* ScanLine(int y) const;
  uint8_t* ScanLine(int y);

  std::vector<uint32_t>& Palette() { return m_palette; }
  const std::vector<uint32_t>& Palette() const { return m_palette; }
  void SetGreyPalette();

  // The colour at (x, y) from the top-left as 0xRRGGBB; black outside the
  // image or for an index beyond the palette.
  uint32_t PixelRgb(int x, int y) const;

 private:
  int m_width = 0;
  int m_height = 0;
  int m_bits = 0;
  size_t m_stride = 0;
  bool m_bottomUp = true;
  std::vector<uint8_t> m_pixels;
  std::vector<uint32_t> m_palette;
};

#endif  // TOMELING_DECODE_BITMAP_IMAGE_H_
