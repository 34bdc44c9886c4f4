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

// The image's rows as PNG scan lines (filter byte 0, then RGB), deflated
// one row at a time: only the compressed stream is ever held whole.
bool DeflateRows(const CBitmapImage& image, std::vector<uint8_t>* packed) {
  z_stream z{};
  if (deflateInit(&z, 9) != Z_OK) return false;
  auto width = static_cast<size_t>(image.Width());
  std::vector<uint8_t> row(1 + 3 * width);
  uint8_t out[65536];
  bool ok = true;
  for (int y = 0; ok && y <= image.Height(); ++y) {
    const bool last = y == image.Height();
    if (!last) {
      for (size_t x = 0; x < width; ++x) {
        uint32_t rgb = image.PixelRgb(static_cast<int>(x), y);
        row[1 + 3 * x] = static_cast<uint8_t>(rgb >> 16);
        row[2 + 3 * x] = static_cast<uint8_t>(rgb >> 8);
        row[3 + 3 * x] = static_cast<uint8_t>(rgb);
      }
    }
    z.next_in = row.data();
    z.avail_in = last ? 0 : static_cast<uInt>(row.size());
    int status = Z_OK;
    do {
      z.next_out = out;
      z.avail_out = sizeof out;
      status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) ok = false;
      packed->insert(packed->end(), out, out + (sizeof out - z.avail_out));
    } while (ok && (z.avail_out == 0 || (last && status != Z_STREAM_END)));
  }
  deflateEnd(&z);
  return ok;
}

}  // namespace

std::vector<uint8_t> EncodePng(const CBitmapImage& image) {
  auto width = static_cast<size_t>(image.Width()), height = static_cast<size_t>(image.Height());
  std::vector<uint8_t> packed;
  if (!DeflateRows(image, &packed)) return {};

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
