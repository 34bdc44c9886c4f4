// See bmp_decoder.h.
//
//   file header  0 "BM", 2 file size, 10 pixel offset      (14 bytes)
//   info header  0 size, 4 width, 8 height, 12 planes, 14 bits,
//                16 compression, 32 colours used           (40 or more)
//   core header  0 size 12, 4 width, 6 height (16-bit), 10 planes, 12 bits
//   palette      4 bytes per entry (3 after a core header): blue, green, red
#include "decode/bmp_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kAllowance = 65536;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct BmpInfo {
  int64_t width = 0, height = 0;
  int bits = 0;
  uint32_t compression = 0;
  uint32_t colours = 0;
  size_t paletteAt = 0;     // first palette byte
  size_t paletteEntry = 4;  // bytes per palette entry
};

bool ReadInfo(const uint8_t* data, size_t infoEnd, BmpInfo* info) {
  if (infoEnd < kFileHeader + 4) return false;
  const uint8_t* h = data + kFileHeader;
  uint32_t headerSize = Le32(h);
  if (headerSize == 12 && infoEnd >= kFileHeader + 12) {
    info->width = Le16(h + 4);
    info->height = static_cast<int16_t>(Le16(h + 6));
    info->bits = Le16(h + 10);
    info->paletteEntry = 3;
  } else if (headerSize >= 40 && headerSize <= infoEnd - kFileHeader) {
    info->width = static_cast<int32_t>(Le32(h + 4));
    info->height = static_cast<int32_t>(Le32(h + 8));
    info->bits = Le16(h + 14);
    info->compression = Le32(h + 16);
    info->colours = Le32(h + 32);
  } else {
    return false;
  }
  info->paletteAt = kFileHeader + headerSize;
  return true;
}

// Palette entries between the info header and the pixels: as many as the
// depth has, or as the header says are used, as far as the bytes go.
void ReadPalette(const uint8_t* data, size_t pixelOffset, const BmpInfo& info, CBitmapImage* image) {
  if (info.bits > 8) return;
  size_t wanted = size_t{1} << info.bits;
  if (info.colours != 0 && info.colours < wanted) wanted = info.colours;
  size_t room = pixelOffset > info.paletteAt ? (pixelOffset - info.paletteAt) / info.paletteEntry : 0;
  std::vector<uint32_t>& palette = image->Palette();
  palette.assign(size_t{1} << info.bits, 0xFF000000u);
  for (size_t i = 0; i < std::min(wanted, room); ++i) {
    const uint8_t* e = data + info.paletteAt + i * info.paletteEntry;
    palette[i] = 0xFF000000u | static_cast<uint32_t>(e[2]) << 16 | static_cast<uint32_t>(e[1]) << 8 | e[0];
  }
}

// The headers of a picture the data can hold: `info`, its pixel offset and
// height (positive); false for anything DecodeBmp refuses before
// allocating.
bool ParseBmp(const uint8_t* data, size_t size, BmpInfo* info, size_t* pixelOffset, int64_t* height) {
  if (data == nullptr || size < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M') return false;
  *pixelOffset = std::min<size_t>(Le32(data + 10), size);
  if (!ReadInfo(data, *pixelOffset, info)) return false;
  if (info->width < 1 || info->height == 0 || info->height < -CBitmapImage::kMaxSide) return false;
  *height = info->height > 0 ? info->height : -info->height;
  if (info->width > CBitmapImage::kMaxSide || *height > CBitmapImage::kMaxSide) return false;
  if (info->width * *height > CBitmapImage::kMaxPixels) return false;
  const int b = info->bits;
  if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32) return false;
  size_t stride = CBitmapImage::StrideFor(static_cast<int>(info->width), info->bits);
  size_t imageBytes = stride * static_cast<size_t>(*height);
  size_t present = size - *pixelOffset;
  return imageBytes <= (info->compression == 0 ? present : present * 4) + kAllowance;
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, CBitmapImage* image) {
  BmpInfo info;
  size_t pixelOffset = 0;
  int64_t height = 0;
  if (!ParseBmp(data, size, &info, &pixelOffset, &height)) return false;
  CBitmapImage decoded;
  if (!decoded.Allocate(static_cast<int>(info.width), static_cast<int>(height), info.bits, info.height > 0))
    return false;
  ReadPalette(data, pixelOffset, info, &decoded);
  if (info.compression == 0)
    std::memcpy(decoded.Bits(), data + pixelOffset, std::min(size - pixelOffset, decoded.ByteSize()));
  *image = std::move(decoded);
  return true;
}

bool ReadBmpSize(const uint8_t* data, size_t size, int* width, int* height) {
  BmpInfo info;
  size_t pixelOffset = 0;
  int64_t rows = 0;
  if (!ParseBmp(data, size, &info, &pixelOffset, &rows)) return false;
  *width = static_cast<int>(info.width);
  *height = static_cast<int>(rows);
  return true;
}
