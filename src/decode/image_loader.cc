// See image_loader.h.
#include "decode/image_loader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "decode/bmp_decoder.h"
#include "decode/jpeg_decoder.h"
#include "decode/jpeg_stream.h"

namespace {

bool IsJpeg(const std::vector<uint8_t>& data) { return data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8; }
bool IsBmp(const std::vector<uint8_t>& data) { return data.size() >= 2 && data[0] == 'B' && data[1] == 'M'; }

bool DecodeColourData(const std::vector<uint8_t>& data, CBitmapImage* image, int fitWidth) {
  if (IsJpeg(data)) return DecodeJpeg(data.data(), data.size(), image, fitWidth);
  if (IsBmp(data)) return DecodeBmp(data.data(), data.size(), image);
  return false;
}

// The image data at the position: the "data" block or the bare stream.
std::vector<uint8_t> ReadColourData(CMediaSource& source, int32_t page, int offset) {
  CMediaCursor cursor(source);
  int64_t start = LinearPosition(page, offset);
  cursor.Seek(start);
  uint8_t head[8];
  if (!cursor.Read(head, sizeof head)) return {};
  if (std::memcmp(head, "data", 4) == 0) {
    uint32_t length = std::min(DataHeaderLength(head + 4), kMaxColourData);
    std::vector<uint8_t> data;
    size_t wanted = static_cast<size_t>(std::min<int64_t>(length, cursor.Remaining()));
    data.reserve(wanted);
    cursor.Append(&data, wanted);
    return data;
  }
  if (head[0] == 0xFF && head[1] == 0xD8) return ExtractJpegStream(source, page, offset);
  return {};
}

}  // namespace

uint32_t DataHeaderLength(const uint8_t bytes[4]) {
  uint32_t le = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  if (le <= 0xFFFFFF) return le;
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

bool LoadMonoBitmap(CMediaSource& source, int32_t page, int offset, int width, int height, CBitmapImage* image) {
  if (width < 1 || height < 1 || width > kMaxMonoSide || height > kMaxMonoSide || page < 1 || offset < 0) return false;
  size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  std::vector<uint8_t> rows(rowBytes * static_cast<size_t>(height));
  CMediaCursor cursor(source);
  cursor.Seek(LinearPosition(page, offset));
  if (!cursor.Read(rows.data(), rows.size())) return false;
  // Rows padded to 32 bits, the padding zero (ink) as the drawing code
  // has always had it; only `width` pixels of a row are ever shown.
  CBitmapImage bitmap;
  if (!bitmap.Allocate(width, height, 1, false)) return false;
  for (int y = 0; y < height; ++y) {
    const uint8_t* from = rows.data() + rowBytes * static_cast<size_t>(y);
    uint8_t* to = bitmap.ScanLine(y);
    for (size_t i = 0; i < rowBytes; ++i) to[i] = static_cast<uint8_t>(~from[i]);
  }
  bitmap.Palette() = {0xFF000000u, 0xFFFFFFFFu};
  *image = std::move(bitmap);
  return true;
}

bool LoadColourImage(CMediaSource& source, int32_t page, int offset, int* outWidth, int* outHeight,
                     CBitmapImage* image, int fitWidth) {
  if (outWidth != nullptr) *outWidth = 0;
  if (outHeight != nullptr) *outHeight = 0;
  if (page < 1 || offset < 0) return false;
  std::vector<uint8_t> data = ReadColourData(source, page, offset);
  CBitmapImage decoded;
  if (!DecodeColourData(data, &decoded, fitWidth)) return false;
  if (outWidth != nullptr) *outWidth = decoded.Width();
  if (outHeight != nullptr) *outHeight = decoded.Height();
  *image = std::move(decoded);
  return true;
}

bool ColourImageSize(CMediaSource& source, int32_t page, int offset, int* width, int* height) {
  *width = *height = 0;
  if (page < 1 || offset < 0) return false;
  std::vector<uint8_t> data = ReadColourData(source, page, offset);
  int w = 0, h = 0;
  bool ok = IsJpeg(data) ? ReadJpegSize(data.data(), data.size(), &w, &h)
                         : IsBmp(data) && ReadBmpSize(data.data(), data.size(), &w, &h);
  if (ok) *width = w, *height = h;
  return ok;
}
