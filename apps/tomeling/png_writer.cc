// See png_writer.h.
#include "png_writer.h"

#include <zlib.h>

#include <cstring>


namespace {

void PutBe32(std::vector<uint8_t>* out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  size_t start = out->size();
  out->insert(out->end(), type, type + 4);
  out->insert(out->end(), data.begin(), data.end());
  uLong crc = crc32(0, out->data() + start, static_cast<uInt>(out->size() - start));
  PutBe32(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<uint8_t> EncodePng(const CBitmapImage& image) {
  return EncodePng(image.Width(), image.Height(), [&image](int y, uint8_t* rgb) {
    for (int x = 0; x < image.Width(); ++x, rgb += 3) {
      uint32_t pixel = image.PixelRgb(x, y);
      rgb[0] = static_cast<uint8_t>(pixel >> 16);
      rgb[1] = static_cast<uint8_t>(pixel >> 8);
      rgb[2] = static_cast<uint8_t>(pixel);
    }
  });
}

std::vector<uint8_t> EncodePng(int width, int height, const PngRowFunction& row) {
  if (width < 1 || height < 1) return {};
  const size_t stride = 1 + 3 * static_cast<size_t>(width);
  std::vector<uint8_t> raw(stride * static_cast<size_t>(height), 0);  // filter byte 0 leads each row
  for (int y = 0; y < height; ++y) row(y, raw.data() + stride * static_cast<size_t>(y) + 1);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  int level = Z_DEFAULT_COMPRESSION;
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), level) != Z_OK) return {};
  packed.resize(packedSize);

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBe32(&header, static_cast<uint32_t>(width));
  PutBe32(&header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, filter 0, no interlace
  Chunk(&png, "IHDR", header);
  Chunk(&png, "IDAT", packed);
  Chunk(&png, "IEND", {});
  return png;
}
