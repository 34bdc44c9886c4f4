// See netpbm_reader.h.
#include "bookwriter/netpbm_reader.h"

#include <cctype>

namespace {

constexpr long kMaxSide = 9999;

struct Scanner {
  const std::vector<uint8_t>& bytes;
  size_t pos = 0;

  void SkipSpace() {
    while (pos < bytes.size()) {
      if (bytes[pos] == '#') {
        while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
      } else if (std::isspace(bytes[pos])) {
        ++pos;
      } else {
        return;
      }
    }
  }
  // A decimal number up to `max`; false at anything else.
  bool Number(long max, long* out) {
    SkipSpace();
    size_t start = pos;
    long v = 0;
    while (pos < bytes.size() && std::isdigit(bytes[pos]) && v <= max) v = v * 10 + (bytes[pos++] - '0');
    *out = v;
    return pos > start && v <= max;
  }
  // PBM's plain raster may run its digits together.
  bool Bit(long* out) {
    SkipSpace();
    if (pos >= bytes.size() || (bytes[pos] != '0' && bytes[pos] != '1')) return false;
    *out = bytes[pos++] - '0';
    return true;
  }
};

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool ReadRaster(Scanner& s, int form, long maxval, NetpbmImage* image, std::string* error) {
  size_t w = static_cast<size_t>(image->width), h = static_cast<size_t>(image->height);
  size_t samples = w * h * static_cast<size_t>(image->components);
  // Every sample takes at least a byte (a bit in P4) of the file, so the
  // pixels are never allocated for a raster that is not there.
  size_t least = form == 4 ? (w + 7) / 8 * h : form >= 5 ? samples * (maxval > 255 ? 2 : 1) : samples;
  if (s.bytes.size() - s.pos < least) return Fail(error, "netpbm raster is short");
  image->pixels.resize(samples);
  if (form == 4) {
    size_t row = (w + 7) / 8;
    for (size_t y = 0; y < h; ++y)
      for (size_t x = 0; x < w; ++x)
        image->pixels[y * w + x] = (s.bytes[s.pos + y * row + x / 8] >> (7 - x % 8)) & 1;
    return true;
  }
  if (form >= 5) {
    size_t width = maxval > 255 ? 2 : 1;
    for (size_t i = 0; i < samples; ++i) {
      const uint8_t* p = &s.bytes[s.pos + i * width];
      long v = width == 2 ? p[0] << 8 | p[1] : p[0];
      if (v > maxval) return Fail(error, "netpbm sample above its maximum");
      image->pixels[i] = static_cast<uint8_t>(v * 255 / maxval);
    }
    return true;
  }
  for (size_t i = 0; i < samples; ++i) {
    long v = 0;
    if (!(form == 1 ? s.Bit(&v) : s.Number(maxval, &v))) return Fail(error, "bad netpbm sample");
    image->pixels[i] = form == 1 ? static_cast<uint8_t>(v) : static_cast<uint8_t>(v * 255 / maxval);
  }
  return true;
}

}  // namespace

bool ReadNetpbm(const std::vector<uint8_t>& file, NetpbmImage* image, std::string* error) {
  *image = NetpbmImage();
  if (file.size() < 2 || file[0] != 'P' || file[1] < '1' || file[1] > '6') return Fail(error, "not a netpbm picture");
  int form = file[1] - '0';
  Scanner s{file, 2};
  long w = 0, h = 0, maxval = 1;
  if (!s.Number(kMaxSide, &w) || !s.Number(kMaxSide, &h) || w < 1 || h < 1) return Fail(error, "bad netpbm size");
  bool bitmap = form == 1 || form == 4;
  if (!bitmap && (!s.Number(65535, &maxval) || maxval < 1)) return Fail(error, "bad netpbm maximum value");
  // Raw rasters start after exactly one whitespace byte.
  if (form >= 4) {
    if (s.pos >= file.size() || !std::isspace(file[s.pos])) return Fail(error, "bad netpbm header");
    ++s.pos;
  }
  image->width = static_cast<int>(w);
  image->height = static_cast<int>(h);
  image->bitmap = bitmap;
  image->components = form == 3 || form == 6 ? 3 : 1;
  return ReadRaster(s, form, maxval, image, error);
}

std::vector<uint8_t> NetpbmInk(const NetpbmImage& image) {
  if (image.bitmap) return image.pixels;
  std::vector<uint8_t> ink;
  size_t n = static_cast<size_t>(image.components);
  for (size_t i = 0; i + n <= image.pixels.size(); i += n) {
    int sum = 0;
    for (size_t c = 0; c < n; ++c) sum += image.pixels[i + c];
    ink.push_back(sum < 128 * static_cast<int>(n) ? 1 : 0);
  }
  return ink;
}

std::vector<uint8_t> NetpbmSamples(const NetpbmImage& image, int components) {
  std::vector<uint8_t> out;
  size_t n = static_cast<size_t>(image.components);
  for (size_t i = 0; i + n <= image.pixels.size(); i += n) {
    uint8_t grey = image.bitmap ? (image.pixels[i] ? 0 : 255) : image.pixels[i];
    for (int c = 0; c < components; ++c) {
      out.push_back(n == 3 && components == 3 ? image.pixels[i + static_cast<size_t>(c)]
                    : n == 3 ? static_cast<uint8_t>((image.pixels[i] + image.pixels[i + 1] + image.pixels[i + 2]) / 3)
                             : grey);
    }
  }
  return out;
}
