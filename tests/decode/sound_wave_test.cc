// Wave images built from book data: the header fields the WAV digits ask
// for, bodies that bring their own chunks, end positions that name the last
// byte, size fields that always match the bytes present, XA group counts
// and the sectors they read, the XA sound-group decoder itself, and ranges
// that name more (or less) than the file holds.
#include <gtest/gtest.h>

#include <cstring>

#include "bookwriter/media_writer.h"
#include "decode/media_source.h"
#include "decode/wave_builder.h"
#include "decode/xa_adpcm.h"

namespace {

uint32_t Le32(const std::vector<uint8_t>& w, size_t at) {
  return w[at] | w[at + 1] << 8 | w[at + 2] << 16 | static_cast<uint32_t>(w[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& w, size_t at) { return static_cast<uint16_t>(w[at] | w[at + 1] << 8); }

// Every size field equals the bytes it covers: the RIFF size, the data size
// of a built header, and each chunk of a body, the last ending the image.
bool SelfConsistent(const std::vector<uint8_t>& w, bool header) {
  if (w.size() < 12 || Le32(w, 4) != w.size() - 8) return false;
  if (header) return w.size() >= 44 && Le32(w, 40) == w.size() - 44;
  size_t at = 12;
  while (at + 8 <= w.size()) {
    size_t size = Le32(w, at + 4);
    if (at + 8 + size > w.size()) return false;
    at += 8 + size + (size % 2 == 1 && at + 8 + size < w.size() ? 1 : 0);
  }
  return at == w.size();
}

std::vector<uint8_t> Counting(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + 7);
  return bytes;
}

TEST(SoundWave, PcmHeaderFollowsTheDigits) {
  CMemoryMediaSource source(Counting(100000));
  // Digits 1, 0, 1, 0, 0 over 88,200 bytes from page 2 offset 100; the end
  // is the last byte.
  std::vector<uint8_t> w = BuildPcmWave(source, 2, 100, 2 + 43, 100 + 135, true, 0, false, 0);
  ASSERT_EQ(w.size(), 88244u);
  EXPECT_EQ(std::memcmp(w.data(), "RIFF", 4), 0);
  EXPECT_EQ(Le32(w, 4), 88236u);
  EXPECT_EQ(std::memcmp(&w[8], "WAVEfmt ", 8), 0);
  EXPECT_EQ(Le32(w, 16), 16u);
  EXPECT_EQ(Le16(w, 20), 1);
  EXPECT_EQ(Le16(w, 22), 1);
  EXPECT_EQ(Le32(w, 24), 44100u);
  EXPECT_EQ(Le32(w, 28), 88200u);
  EXPECT_EQ(Le16(w, 32), 2);
  EXPECT_EQ(Le16(w, 34), 16);
  EXPECT_EQ(std::memcmp(&w[36], "data", 4), 0);
  EXPECT_EQ(Le32(w, 40), 88200u);
  std::vector<uint8_t> all = Counting(100000);
  EXPECT_EQ(std::memcmp(&w[44], &all[2048 + 100], 88200), 0);

  // Digits 1, 1, 1, 1, 2: stereo, 8-bit, 11,025 Hz.
  w = BuildPcmWave(source, 1, 0, 1, 9, true, 1, true, 2);
  ASSERT_EQ(w.size(), 54u);
  EXPECT_EQ(Le16(w, 22), 2);
  EXPECT_EQ(Le32(w, 24), 11025u);
  EXPECT_EQ(Le32(w, 28), 22050u);
  EXPECT_EQ(Le16(w, 32), 2);
  EXPECT_EQ(Le16(w, 34), 8);
  // Rate code 1 and an unknown code.
  EXPECT_EQ(Le32(BuildPcmWave(source, 1, 0, 1, 4, true, 0, false, 1), 24), 22050u);
  EXPECT_EQ(Le32(BuildPcmWave(source, 1, 0, 1, 4, true, 0, false, 7), 24), 0u);
}

TEST(SoundWave, BodyWithItsOwnChunksGetsOnlyTheRiffHeader) {
  std::vector<uint8_t> body = WaveChunks(1, 11025, 8, Counting(500));
  std::vector<uint8_t> file(2048, 0);
  file.insert(file.end(), body.begin(), body.end());
  CMemoryMediaSource source(file);
  std::vector<uint8_t> w = BuildPcmWave(source, 2, 0, 2, static_cast<int64_t>(body.size()) - 1, false, 0, false, 0);
  ASSERT_EQ(w.size(), body.size() + 12);
  EXPECT_EQ(std::memcmp(w.data(), "RIFF", 4), 0);
  // The RIFF size is what follows it, so a player never reads past the image.
  EXPECT_EQ(Le32(w, 4), body.size() + 4);
  EXPECT_EQ(std::memcmp(&w[8], "WAVE", 4), 0);
  EXPECT_EQ(std::memcmp(&w[12], body.data(), body.size()), 0);
}

// The end position names the sound's last byte, as FreePWING writes it and
// the RIFF header stored with a sound counts it: a wave file stored from
// its "fmt " chunk on comes back byte for byte. Size fields always match
// the bytes present: a data chunk that claims more than the file holds is
// cut to what it holds, a byte read beyond the last chunk (a book that
// named the byte after the sound) is dropped, and raw samples end on a
// whole sample frame.
TEST(SoundWave, EndIsTheLastByteAndSizesMatchTheBytes) {
  const std::vector<uint8_t> body = WaveChunks(1, 22050, 16, Counting(1000));
  std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  wav.insert(wav.end(), body.begin(), body.end());
  wav[4] = static_cast<uint8_t>(body.size() + 4), wav[5] = static_cast<uint8_t>((body.size() + 4) >> 8);
  std::vector<uint8_t> file(2048 + 100, 0xEE);
  file.insert(file.end(), body.begin(), body.end());
  file.insert(file.end(), 64, 0xEE);
  CMemoryMediaSource source(file);
  const int64_t last = 2048 + 100 + static_cast<int64_t>(body.size()) - 1;
  auto build = [&](int64_t end, bool header) {
    return BuildPcmWave(source, 2, 100, 1 + end / 2048, end % 2048, header, 0, false, 0);
  };
  std::vector<uint8_t> w = build(last, false);
  EXPECT_EQ(w, wav);
  // One byte further: the same image.
  EXPECT_EQ(build(last + 1, false), wav);
  // Data cut short by the tag: the data chunk says what is there.
  w = build(last - 10, false);
  ASSERT_EQ(w.size(), wav.size() - 10);
  EXPECT_TRUE(SelfConsistent(w, false));
  EXPECT_EQ(Le32(w, 40), 1000u - 10);
  // A data chunk claiming more than the file holds.
  std::vector<uint8_t> claims = file;
  claims[2048 + 100 + 28 + 1] = 0x40;  // the data size, 0x03E8, becomes 0x40E8
  CMemoryMediaSource liar(claims);
  w = BuildPcmWave(liar, 2, 100, 1 + last / 2048, last % 2048, false, 0, false, 0);
  EXPECT_EQ(w, wav);
  // Raw 16-bit samples over an odd number of bytes: whole samples only.
  w = build(last - 1, true);
  ASSERT_EQ(w.size(), 44u + body.size() - 2);
  EXPECT_TRUE(SelfConsistent(w, true));
  EXPECT_EQ(std::memcmp(&w[44], body.data(), body.size() - 2), 0);
  // Cut to an odd length: the size is odd too, and no pad byte is made up.
  w = build(last - 10 + 1, false);
  EXPECT_TRUE(SelfConsistent(w, false));
  EXPECT_EQ(w.size(), wav.size() - 9);
  EXPECT_EQ(Le32(w, 40), 1000u - 10 + 1);
}

TEST(SoundWave, PcmRangesOutsideTheFile) {
  CMemoryMediaSource source(Counting(3 * 2048));
  // Reversed: no sound. An end just before the start: a header without
  // data.
  EXPECT_TRUE(BuildPcmWave(source, 2, 0, 1, 0, true, 0, false, 0).empty());
  std::vector<uint8_t> empty = BuildPcmWave(source, 2, 0, 1, 2047, true, 0, false, 0);
  ASSERT_EQ(empty.size(), 44u);
  EXPECT_EQ(Le32(empty, 40), 0u);
  // Starting beyond the file, or at page 0: nothing.
  EXPECT_TRUE(BuildPcmWave(source, 4, 0, 5, 0, true, 0, false, 0).empty());
  EXPECT_TRUE(BuildPcmWave(source, 0, 0, 1, 0, false, 0, false, 0).empty());
  // Running past the end, even to the largest page a tag can name: the
  // part that exists, with sizes that say so.
  for (int64_t endPage : {int64_t{4}, int64_t{0xFFFFFFFF}}) {
    std::vector<uint8_t> w = BuildPcmWave(source, 3, 48, endPage, 0xFFFF, true, 0, false, 0);
    ASSERT_EQ(w.size(), 44u + 2000u) << endPage;
    EXPECT_EQ(Le32(w, 4), 2036u);
    EXPECT_EQ(Le32(w, 40), 2000u);
    w = BuildPcmWave(source, 3, 48, endPage, 0, false, 0, false, 0);
    ASSERT_LE(w.size(), 12u + 2000u);
    EXPECT_TRUE(SelfConsistent(w, false)) << endPage;
  }
  // An offset past 2047 carries into the next page.
  std::vector<uint8_t> carried = BuildPcmWave(source, 1, 2048 + 10, 2, 19, true, 0, true, 0);
  ASSERT_EQ(carried.size(), 54u);
  EXPECT_EQ(carried[44], Counting(3 * 2048)[2058]);
  carried = BuildPcmWave(source, 1, 2048 + 10, 2, 19, false, 0, false, 0);
  ASSERT_LE(carried.size(), 22u);
  EXPECT_EQ(carried[12], Counting(3 * 2048)[2058]);
}

TEST(SoundWave, XaSoundGroupDecoding) {
  uint8_t group[128] = {};
  for (int u = 0; u < 8; ++u) group[4 + u] = 0x0C;  // filter 0, shift 0
  for (int i = 16; i < 128; ++i) group[i] = static_cast<uint8_t>(i * 37);
  XaState state;
  int16_t out[224];
  DecodeXaSoundGroup(group, &state, out);
  for (int u = 0; u < 8; ++u) {
    for (int j = 0; j < 28; ++j) {
      uint8_t b = group[16 + 4 * j + u / 2];
      int nibble = u % 2 == 0 ? b & 0x0F : b >> 4;
      ASSERT_EQ(out[u * 28 + j], nibble >= 8 ? nibble - 16 : nibble) << u << "," << j;
    }
  }
  // Filters beyond the table decode as filter 0; a range above 12 drops
  // the nibble entirely.
  uint8_t odd[128];
  std::memcpy(odd, group, sizeof odd);
  for (int u = 0; u < 8; ++u) odd[4 + u] = 0xBC;
  int16_t again[224];
  XaState fresh;
  DecodeXaSoundGroup(odd, &fresh, again);
  EXPECT_EQ(std::memcmp(out, again, sizeof out), 0);
  for (int u = 0; u < 8; ++u) odd[4 + u] = 0x0D;
  DecodeXaSoundGroup(odd, &fresh, again);
  for (int16_t s : again) ASSERT_EQ(s, 0);

  // Filter 1 carries the previous sample on: 240/256 of it each step,
  // truncated toward zero, and across groups.
  uint8_t decay[128] = {};
  decay[4] = 0x00;  // unit 0: filter 0, shift 12
  decay[16] = 0x07;  // first sample 7 << 12 = 28672
  for (int u = 1; u < 8; ++u) decay[4 + u] = 0x1C;
  XaState carry;
  DecodeXaSoundGroup(decay, &carry, out);
  EXPECT_EQ(out[0], 28672);
  EXPECT_EQ(out[27], 0);  // the rest of unit 0 is filter 0 with zero nibbles
  std::memset(decay + 16, 0, 112);
  decay[4] = 0x1C;
  carry.prev1 = -1000;
  carry.prev2 = 0;
  DecodeXaSoundGroup(decay, &carry, out);
  EXPECT_EQ(out[0], -937);  // -240000 / 256 = -937.5, toward zero
  EXPECT_EQ(out[1], -878);
}

// An XA file whose sectors each hold one constant level (distinct per
// sector), so that which sectors were decoded shows in the samples.
std::vector<uint8_t> LevelledXaFile(int sectors) {
  std::vector<uint8_t> file(44 + static_cast<size_t>(sectors) * 2352, 0);
  for (int s = 0; s < sectors; ++s) {
    for (int g = 0; g < 18; ++g) {
      uint8_t* group = &file[44 + static_cast<size_t>(s) * 2352 + 24 + 128 * static_cast<size_t>(g)];
      for (int u = 0; u < 8; ++u) group[4 + u] = 0x0C;
      std::memset(group + 16, (s % 8) * 0x11, 112);
    }
  }
  return file;
}

TEST(SoundWave, XaGroupsComeFromEverySixteenthSector) {
  CMemoryMediaSource source(LevelledXaFile(140));
  std::vector<uint8_t> one = BuildXaWave(source, 5, 5);
  ASSERT_EQ(one.size(), 44u + 8064u);
  EXPECT_EQ(Le16(one, 22), 1);
  EXPECT_EQ(Le32(one, 24), 18900u);
  EXPECT_EQ(Le32(one, 28), 37800u);
  EXPECT_EQ(Le16(one, 32), 2);
  EXPECT_EQ(Le16(one, 34), 16);
  EXPECT_EQ(Le32(one, 40), 8064u);
  EXPECT_EQ(Le16(one, 44), 5);
  EXPECT_EQ(Le16(one, 44 + 8062), 5);

  // Frames 100 to 131: sectors 100 and 116, two groups.
  std::vector<uint8_t> two = BuildXaWave(source, 100, 131, 37800);
  ASSERT_EQ(two.size(), 44u + 2 * 8064u);
  EXPECT_EQ(Le32(two, 24), 37800u);
  EXPECT_EQ(Le32(two, 28), 75600u);
  EXPECT_EQ(Le16(two, 44), 100 % 8);
  EXPECT_EQ(Le16(two, 44 + 8064), 116 % 8);

  // Reversed: a header with no data. Past the end of the file: the groups
  // that exist. A nonsense rate: the default.
  std::vector<uint8_t> reversed = BuildXaWave(source, 10, 9);
  ASSERT_EQ(reversed.size(), 44u);
  EXPECT_EQ(Le32(reversed, 40), 0u);
  EXPECT_EQ(Le32(reversed, 4), 36u);
  EXPECT_EQ(BuildXaWave(source, 120, 0xFFFFFFFF).size(), 44u + 2 * 8064u);
  EXPECT_EQ(BuildXaWave(source, 0xFFFFFF00, 0xFFFFFFFF).size(), 44u);
  EXPECT_EQ(Le32(BuildXaWave(source, 1, 1, -5), 24), 18900u);
}

}  // namespace
