// See wave_builder.h.
#include "decode/wave_builder.h"

#include <algorithm>
#include <cstring>

#include "decode/xa_adpcm.h"

namespace {

// Larger than any sound a disc holds; keeps the RIFF size in 32 bits.
constexpr int64_t kMaxWaveData = 0x7FFFFFFF - 64;

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// Tags carry pages, offsets and frames as 32-bit fields.
bool InTagRange(int64_t value) { return value >= 0 && value <= 0xFFFFFFFF; }

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// Sets the size fields of a finished image from its real length.
void FixSizes(std::vector<uint8_t>* wave, bool withHeader) {
  Put32(wave->data() + 4, static_cast<uint32_t>(wave->size() - 8));
  if (withHeader) Put32(wave->data() + 40, static_cast<uint32_t>(wave->size() - kWaveHeaderSize));
}

// A body's chunks from byte 12 on, each size made to match the bytes that
// follow it; the image ends with the last chunk (and its pad byte).
void FitChunks(std::vector<uint8_t>* wave) {
  size_t at = 12;
  while (at + 8 <= wave->size()) {
    uint8_t* head = wave->data() + at;
    size_t room = wave->size() - at - 8;
    if (Le32(head + 4) >= room) {
      Put32(head + 4, static_cast<uint32_t>(room));
      at = wave->size();
      break;
    }
    size_t size = Le32(head + 4);
    at += 8 + size + (size % 2 == 1 && size < room ? 1 : 0);
  }
  wave->resize(std::min(at, wave->size()));
}

}  // namespace

int32_t WaveRateFromCode(int code) {
  switch (code) {
    case 0: return 44100;
    case 1: return 22050;
    case 2: return 11025;
    default: return 0;
  }
}

void WriteWaveHeader(uint8_t* out, int channels, int32_t rate, int bits, uint32_t dataSize) {
  uint32_t blockAlign = static_cast<uint32_t>(channels * bits / 8);
  std::memcpy(out, "RIFF", 4);
  Put32(out + 4, dataSize + 36);
  std::memcpy(out + 8, "WAVEfmt ", 8);
  Put32(out + 16, 16);
  Put16(out + 20, 1);
  Put16(out + 22, static_cast<uint32_t>(channels));
  Put32(out + 24, static_cast<uint32_t>(rate));
  Put32(out + 28, static_cast<uint32_t>(rate) * blockAlign);
  Put16(out + 32, blockAlign);
  Put16(out + 34, static_cast<uint32_t>(bits));
  std::memcpy(out + 36, "data", 4);
  Put32(out + 40, dataSize);
}

std::vector<uint8_t> BuildPcmWave(CMediaSource& source, int64_t startPage, int64_t startOffset, int64_t endPage,
                                  int64_t endOffset, bool withHeader, int channelsMinusOne, bool eightBit,
                                  int rateCode) {
  if (!InTagRange(startPage) || !InTagRange(startOffset) || !InTagRange(endPage) || !InTagRange(endOffset)) return {};
  int64_t start = LinearPosition(startPage, startOffset);
  int64_t size = LinearPosition(endPage, endOffset) - start + 1;  // through the last byte
  CMediaCursor cursor(source);
  cursor.Seek(start);
  if (start < 0 || size < 0 || (size > 0 && cursor.Remaining() == 0)) return {};
  size = std::min({size, cursor.Remaining(), kMaxWaveData});
  std::vector<uint8_t> wave(withHeader ? kWaveHeaderSize : 12);
  const int channels = std::clamp(channelsMinusOne, 0, 9) + 1, bits = eightBit ? 8 : 16;
  if (withHeader) {
    WriteWaveHeader(wave.data(), channels, WaveRateFromCode(rateCode), bits, 0);
  } else {
    std::memcpy(wave.data(), "RIFF\0\0\0\0WAVE", 12);
  }
  wave.reserve(wave.size() + static_cast<size_t>(size));
  cursor.Append(&wave, static_cast<size_t>(size));
  if (withHeader) {
    const size_t frame = static_cast<size_t>(channels * bits / 8), data = wave.size() - kWaveHeaderSize;
    wave.resize(wave.size() - data % frame);  // whole sample frames
  } else {
    FitChunks(&wave);
  }
  FixSizes(&wave, withHeader);
  return wave;
}

std::vector<uint8_t> BuildXaWave(CMediaSource& source, int64_t firstFrame, int64_t lastFrame, int32_t rate) {
  if (rate < 1 || rate > kMaxXaSampling) rate = kDefaultXaSampling;
  std::vector<uint8_t> wave(kWaveHeaderSize);
  WriteWaveHeader(wave.data(), 1, rate, 16, 0);
  if (!InTagRange(firstFrame) || !InTagRange(lastFrame) || lastFrame < firstFrame) return wave;
  int64_t groups = (lastFrame - firstFrame) / kXaInterleave + 1;
  CMediaCursor cursor(source);
  XaState state;
  uint8_t group[kXaGroupBytes];
  int16_t samples[kXaGroupSamples];
  bool ended = false;
  for (int64_t g = 0; g < groups && !ended; ++g) {
    int64_t sector = firstFrame + kXaInterleave * g;
    cursor.Seek(sector * kXaSectorSize + kXaFileHeader + kXaSectorHeader);
    if (cursor.Remaining() == 0 || static_cast<int64_t>(wave.size()) > kMaxWaveData) break;
    for (int s = 0; s < kXaGroupsPerSector; ++s) {
      if (!cursor.Read(group, sizeof group)) {
        ended = true;
        break;
      }
      DecodeXaSoundGroup(group, &state, samples);
      size_t at = wave.size();
      wave.resize(at + 2 * kXaGroupSamples);
      for (int i = 0; i < kXaGroupSamples; ++i) Put16(&wave[at + 2 * static_cast<size_t>(i)], static_cast<uint16_t>(samples[i]));
    }
  }
  FixSizes(&wave, true);
  return wave;
}
