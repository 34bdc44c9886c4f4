// Plain RIFF WAV files (PCM, 8 or 16 bits, one or two channels), the input
// of `sound` statements. Chunk sizes are checked against the file; other
// chunks are passed over.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_WAV_READER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_WAV_READER_H_

#include <cstdint>
#include <string>
#include <vector>

struct WavSound {
  int channels = 1;
  int rate = 0;
  int bits = 16;
  std::vector<uint8_t> data;  // the samples as the file holds them
};

bool ReadWav(const std::vector<uint8_t>& file, WavSound* sound, std::string* error);

// One channel of 16-bit samples: channels averaged, 8-bit samples widened.
std::vector<int16_t> WavMono16(const WavSound& sound);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_WAV_READER_H_
