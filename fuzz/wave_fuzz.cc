// Fuzz target for sounds: any bytes as a sound file, built as PCM (with and
// without the header) between any two positions and as XA ADPCM over any
// frame range, and the same bytes read as markup by the tag parsers. A
// wave must always say its own size truthfully -- the RIFF size, a built
// header's data size (whole sample frames), each chunk of a body -- and
// never hold more than the file could give.
//
// Input: 18 bytes of parameters, then the file.
//   0      flags: bit 0 with header, bit 1 eight-bit, bits 4-7 channels - 1
//   1      rate code
//   2-9    start page, start offset, end page, end offset (16-bit each)
//   10-13  first and last XA frame (16-bit each)
//   14-17  XA sampling rate (32-bit, any value)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "decode/media_tags.h"
#include "decode/wave_builder.h"

namespace {

uint32_t Le16(const uint8_t* p) { return p[0] | p[1] << 8; }

uint32_t RiffSize(const std::vector<uint8_t>& w) {
  return w[4] | w[5] << 8 | w[6] << 16 | static_cast<uint32_t>(w[7]) << 24;
}

uint32_t Le32(const std::vector<uint8_t>& w, size_t at) {
  return w[at] | w[at + 1] << 8 | w[at + 2] << 16 | static_cast<uint32_t>(w[at + 3]) << 24;
}

// The size fields are the truth, and the data is no more than the file.
void CheckPcm(const std::vector<uint8_t>& w, size_t headerSize, size_t fileSize) {
  if (w.empty()) return;
  if (w.size() < headerSize || RiffSize(w) != w.size() - 8 || w.size() - headerSize > fileSize) std::abort();
  if (headerSize == kWaveHeaderSize) {
    size_t frame = Le16(&w[32]);
    if (Le32(w, 40) != w.size() - headerSize || frame == 0 || (w.size() - headerSize) % frame != 0) std::abort();
    return;
  }
  size_t at = 12;
  while (at + 8 <= w.size()) {
    size_t chunk = Le32(w, at + 4);
    if (at + 8 + chunk > w.size()) std::abort();
    at += 8 + chunk + (chunk % 2 == 1 && at + 8 + chunk < w.size() ? 1 : 0);
  }
  if (at != w.size()) std::abort();
}

void ParseTags(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ImageTag image;
  WaveTag wave;
  AreaSoundTag area;
  std::string name;
  FindImageTag(text, &image);
  FindWaveTag(text, &wave);
  FindAreaSoundTag(text, &area);
  if (FindMovieTag(text, &name) && (name.empty() || name.size() > 8 || name.find_first_of("./ ") != std::string::npos))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseTags(data, size);
  if (size < 18) return 0;
  const uint8_t* p = data;
  CMemoryMediaSource source(std::vector<uint8_t>(data + 18, data + size));
  // A short last page reads whole (with zeros), as book files do.
  size_t fileSize = (size - 18 + 2047) / 2048 * 2048;
  bool withHeader = (p[0] & 1) != 0;
  std::vector<uint8_t> pcm = BuildPcmWave(source, Le16(p + 2), Le16(p + 4), Le16(p + 6), Le16(p + 8), withHeader,
                                          p[0] >> 4, (p[0] & 2) != 0, p[1]);
  CheckPcm(pcm, withHeader ? kWaveHeaderSize : 12, fileSize);
  auto rate = static_cast<int32_t>(p[14] | p[15] << 8 | p[16] << 16 | static_cast<uint32_t>(p[17]) << 24);
  std::vector<uint8_t> xa = BuildXaWave(source, Le16(p + 10), Le16(p + 12), rate);
  // Each 128 bytes of the file give at most 448 bytes of samples.
  if (xa.size() < kWaveHeaderSize || RiffSize(xa) != xa.size() - 8 || (xa.size() - kWaveHeaderSize) % 448 != 0 ||
      (xa.size() - kWaveHeaderSize) / 448 > fileSize / 128 + 1)
    std::abort();
  return 0;
}
