// See bitmap_image.h.
#include "decode/bitmap_image.h"

bool CBitmapImage::Allocate(int width, int height, int bitsPerPixel, bool bottomUp) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
  if (int64_t{width} * height > kMaxPixels) return false;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
      bitsPerPixel != 32)
    return false;
  size_t stride = StrideFor(width, bitsPerPixel);
  if (stride * static_cast<size_t>(height) > kMaxBytes) return false;
  m_width = width;
  m_height = height;
  m_bits = bitsPerPixel;
  m_stride = stride;
  m_bottomUp = bottomUp;
  m_pixels.assign(stride * static_cast<size_t>(height), 0);
  m_palette.clear();
  return true;
}

const uint8_t* CBitmapImage::ScanLine(int y) const {
  int row = m_bottomUp ? m_height - 1 - y : y;
  return m_pixels.data() + static_cast<size_t>(row) * m_stride;
}

uint8_t* CBitmapImage::ScanLine(int y) {
  int row = m_bottomUp ? m_height - 1 - y : y;
  return m_pixels.data() + static_cast<size_t>(row) * m_stride;
}

void CBitmapImage::SetGreyPalette() {
  m_palette.resize(256);
  for (uint32_t i = 0; i < 256; ++i) m_palette[i] = 0xFF000000u | i << 16 | i << 8 | i;
}

uint32_t CBitmapImage::PixelRgb(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const uint8_t* row = ScanLine(y);
  size_t index = 0;
  switch (m_bits) {
    case 1:
      index = row[x / 8] >> (7 - x % 8) & 1;
      break;
    case 4:
      index = row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0x0F;
      break;
    case 8:
      index = row[x];
      break;
    case 16: {
      unsigned v = row[2 * x] | row[2 * x + 1] << 8;
      unsigned r = v >> 10 & 31, g = v >> 5 & 31, b = v & 31;
      return (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
    }
    case 24:
    case 32: {
      const uint8_t* p = row + static_cast<size_t>(x) * static_cast<size_t>(m_bits / 8);
      return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
    default:
      return 0;
  }
  return index < m_palette.size() ? m_palette[index] & 0xFFFFFF : 0;
}
