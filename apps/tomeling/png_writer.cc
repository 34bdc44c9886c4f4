// See png_writer.h.
#include "png_writer.h"

#include <zlib.h>

#include <cstring>
#include <string_view>

#include "storage/atomic_file.h"

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
  auto width = static_cast<size_t>(image.Width()), height = static_cast<size_t>(image.Height());
  std::vector<uint8_t> raw;
  raw.reserve(height * (1 + 3 * width));
  for (size_t y = 0; y < height; ++y) {
    raw.push_back(0);
    for (size_t x = 0; x < width; ++x) {
      uint32_t rgb = image.PixelRgb(static_cast<int>(x), static_cast<int>(y));
      raw.insert(raw.end(), {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return {};
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

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
