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

// The scan lines (filter byte 0, then the row) deflated one at a time.
bool DeflateRows(int width, int height, const PngRowFunction& row, std::vector<uint8_t>* packed) {
  z_stream z{};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
  std::vector<uint8_t> line(1 + 3 * static_cast<size_t>(width), 0);
  uint8_t out[65536];
  bool ok = true;
  for (int y = 0; ok && y <= height; ++y) {
    const bool last = y == height;
    if (!last) row(y, line.data() + 1);
    z.next_in = line.data();
    z.avail_in = last ? 0 : static_cast<uInt>(line.size());
    int status = Z_OK;
    do {
      z.next_out = out;
      z.avail_out = sizeof out;
      status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      ok = status != Z_STREAM_ERROR;
      packed->insert(packed->end(), out, out + (sizeof out - z.avail_out));
    } while (ok && (z.avail_out == 0 || (last && status != Z_STREAM_END)));
  }
  deflateEnd(&z);
  return ok;
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
  std::vector<uint8_t> packed;
  if (!DeflateRows(width, height, row, &packed)) return {};

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
