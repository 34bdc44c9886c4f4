// See wav_reader.h.
#include "bookwriter/wav_reader.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<uint32_t>(p[3]) << 24;
}
uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool Format(const uint8_t* p, uint32_t size, WavSound* sound, std::string* error) {
  if (size < 16 || Le16(p) != 1) return Fail(error, "not a PCM wave");
  sound->channels = static_cast<int>(Le16(p + 2));
  sound->rate = static_cast<int>(Le32(p + 4));
  sound->bits = static_cast<int>(Le16(p + 14));
  if (sound->channels < 1 || sound->channels > 2) return Fail(error, "wave must have 1 or 2 channels");
  if (sound->bits != 8 && sound->bits != 16) return Fail(error, "wave must have 8- or 16-bit samples");
  if (sound->rate < 1000 || sound->rate > 192000) return Fail(error, "bad wave sample rate");
  return true;
}

}  // namespace

bool ReadWav(const std::vector<uint8_t>& file, WavSound* sound, std::string* error) {
  *sound = WavSound();
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0)
    return Fail(error, "not a RIFF wave");
  bool haveFormat = false, haveData = false;
  for (size_t at = 12; at + 8 <= file.size();) {
    const uint8_t* chunk = file.data() + at;
    size_t size = Le32(chunk + 4);
    size_t room = file.size() - at - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size > room) return Fail(error, "wave format chunk runs past the file");
      if (!Format(chunk + 8, static_cast<uint32_t>(size), sound, error)) return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      // A data chunk cut short by the file keeps what is there.
      size = std::min(size, room);
      sound->data.assign(chunk + 8, chunk + 8 + size);
      haveData = true;
    }
    if (size > room) break;
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) return Fail(error, "wave without format or data");
  size_t frame = static_cast<size_t>(sound->channels * sound->bits / 8);
  sound->data.resize(sound->data.size() / frame * frame);
  return true;
}

std::vector<int16_t> WavMono16(const WavSound& sound) {
  std::vector<int16_t> out;
  size_t bytes = static_cast<size_t>(sound.bits / 8), frame = bytes * static_cast<size_t>(sound.channels);
  for (size_t at = 0; at + frame <= sound.data.size(); at += frame) {
    int sum = 0;
    for (size_t c = 0; c < static_cast<size_t>(sound.channels); ++c) {
      const uint8_t* p = &sound.data[at + c * bytes];
      sum += bytes == 1 ? (p[0] - 128) * 256 : static_cast<int16_t>(p[0] | p[1] << 8);
    }
    out.push_back(static_cast<int16_t>(sum / sound.channels));
  }
  return out;
}
