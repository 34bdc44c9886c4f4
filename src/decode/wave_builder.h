// Building a playable RIFF/WAVE image in memory from the sound data of a
// book.
//
// PCM sounds lie between two book positions, the start and the sound's
// last byte (the end position is inclusive: so books are written, and the
// RIFF header stored with a sound counts that byte), either as raw samples
// that need the whole 44-byte header (with the channel count, sample size
// and rate the WAV tag gives) or as a wave body that holds its own "fmt "
// and "data" chunks and only needs "RIFF", a size and "WAVE" in front.
//
// XA sounds (EB books) are CD sectors of 2352 bytes behind a 44-byte file
// header; a sound is a range of frame numbers, of which every 16th sector
// holds this sound's data (the others interleave other channels): group g
// is sector first + 16g, whose 18 sound groups of 128 bytes from byte
// sector * 2352 + 68 of the file decode to 4032 samples (xa_adpcm.h). The
// wave is 16-bit mono at the reader's XA sampling rate.
//
// Sizes come from the tag, so they are bounded by the file: a range that
// runs past the last page gives the part that exists (a PCM range must at
// least begin inside the file), an end just before the start an empty PCM
// sound, an end further back none, a reversed XA range an empty sound
// (header only). The buffer only ever grows by bytes that were read.
//
// Every image is self-consistent: each size field equals the bytes present.
// The RIFF size is the image size less 8; a built header's data size is the
// samples read, cut to whole sample frames; a body's chunks are walked and
// a chunk that claims more than is there is cut to what is, anything after
// the last whole chunk dropped.
#ifndef TOMELING_DECODE_WAVE_BUILDER_H_
#define TOMELING_DECODE_WAVE_BUILDER_H_

#include <cstdint>
#include <vector>

#include "decode/media_source.h"

constexpr int32_t kDefaultXaSampling = 18900;
constexpr int32_t kMaxXaSampling = 1000000;
constexpr size_t kWaveHeaderSize = 44;
constexpr int kXaSectorSize = 2352;
constexpr int kXaFileHeader = 44;
constexpr int kXaSectorHeader = 24;
constexpr int kXaGroupsPerSector = 18;
constexpr int kXaInterleave = 16;
constexpr size_t kXaPcmPerSector = 8064;  // 18 * 224 samples of 2 bytes

// Sample rate of a WAV tag's fifth digit: 44100, 22050, 11025, else 0.
int32_t WaveRateFromCode(int code);

// The canonical 44-byte PCM header for `dataSize` bytes.
void WriteWaveHeader(uint8_t* out, int channels, int32_t rate, int bits, uint32_t dataSize);

// An empty vector means no sound.
std::vector<uint8_t> BuildPcmWave(CMediaSource& source, int64_t startPage, int64_t startOffset, int64_t endPage,
                                  int64_t endOffset, bool withHeader, int channelsMinusOne, bool eightBit,
                                  int rateCode);

// `rate` outside 1 to kMaxXaSampling Hz is taken as the default, 18,900.
std::vector<uint8_t> BuildXaWave(CMediaSource& source, int64_t firstFrame, int64_t lastFrame,
                                 int32_t rate = kDefaultXaSampling);

#endif  // TOMELING_DECODE_WAVE_BUILDER_H_
