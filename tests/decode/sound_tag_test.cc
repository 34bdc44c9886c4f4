// Sounds from the tags of decoded entries: the file each book keeps its
// sounds in, the XA tone decoding back to its own pitch, what stops and
// what plays, and tags that do not parse.
#include <gtest/gtest.h>

#include <cstring>

#include "common/recording_player.h"
#include "decode/media_tags.h"
#include "decode/sound_player.h"
#include "media_book_fixture.h"

namespace {

uint32_t Le32(const std::vector<uint8_t>& w, size_t at) {
  return w[at] | w[at + 1] << 8 | w[at + 2] << 16 | static_cast<uint32_t>(w[at + 3]) << 24;
}

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(SoundTag, EpwingSoundsFromTheSoundFileAndTheTextFile) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  const MediaSampleBook& s = book->sample;
  CRecordingPlayer player;

  // Raw PCM in HONMONS, digits 1, 0, 1, 0, 0: the full header in front.
  std::string raw = book->From(1, "</WAV", 0);
  WaveTag tag;
  ASSERT_TRUE(FindWaveTag(raw, &tag));
  EXPECT_EQ(tag.startPage, static_cast<uint32_t>(s.rawStart.page));
  EXPECT_EQ(tag.endOffset, s.rawEnd.offset);
  EXPECT_EQ(std::vector<int>(tag.digits, tag.digits + 5), (std::vector<int>{1, 0, 1, 0, 0}));
  ASSERT_TRUE(PlaySoundTag(book->Book(), raw, player));
  ASSERT_EQ(player.waves.size(), 1u);
  const std::vector<uint8_t>& w = player.waves[0];
  ASSERT_EQ(w.size(), 44 + s.rawPcm.size());
  EXPECT_EQ(Le32(w, 24), 44100u);
  EXPECT_EQ(std::memcmp(&w[44], s.rawPcm.data(), s.rawPcm.size()), 0);

  // A wave body in the text file's sound area: only RIFF and WAVE added.
  std::u16string body = Wide(book->From(1, "</WAV", 1));
  ASSERT_TRUE(PlaySoundTag(book->Book(), body, player));
  ASSERT_EQ(player.waves.size(), 2u);
  ASSERT_EQ(player.waves[1].size(), 12 + s.waveBody.size());
  EXPECT_EQ(std::memcmp(&player.waves[1][12], s.waveBody.data(), s.waveBody.size()), 0);
  EXPECT_EQ(player.events, "SPSP");

  // Without a sound file the HONMONS sound cannot be built; the text
  // file's still can.
  MediaBook noSound = book->Book();
  noSound.sound = nullptr;
  EXPECT_FALSE(PlaySoundTag(noSound, raw, player));
  EXPECT_TRUE(PlaySoundTag(noSound, body, player));
}

// Zero crossings of the samples, as a frequency.
double Frequency(const std::vector<uint8_t>& wave, int rate) {
  size_t samples = (wave.size() - 44) / 2;
  int crossings = 0;
  int16_t previous = 0;
  for (size_t i = 0; i < samples; ++i) {
    auto s = static_cast<int16_t>(wave[44 + 2 * i] | wave[45 + 2 * i] << 8);
    if (i > 0 && (previous < 0) != (s < 0)) ++crossings;
    previous = s;
  }
  return crossings / 2.0 / (static_cast<double>(samples) / rate);
}

TEST(SoundTag, EbXaToneKeepsItsPitch) {
  auto book = OpenMediaTestBook(BookKind::kEb);
  ASSERT_TRUE(book);
  const MediaSampleBook& s = book->sample;
  std::string text = book->From(1, "</WAV");
  WaveTag tag;
  ASSERT_TRUE(FindWaveTag(text, &tag));
  EXPECT_EQ(tag.startPage, static_cast<uint32_t>(s.firstFrame));
  EXPECT_EQ(tag.endPage, static_cast<uint32_t>(s.lastFrame));

  CRecordingPlayer player;
  ASSERT_TRUE(PlaySoundTag(book->Book(), text, player));
  ASSERT_EQ(player.waves.size(), 1u);
  const std::vector<uint8_t> w = player.waves[0];
  ASSERT_EQ(w.size(), 44u + 2 * 8064u);
  EXPECT_EQ(Le32(w, 24), 18900u);
  EXPECT_NEAR(Frequency(w, 18900), s.toneHz, s.toneHz * 0.02);
  // The coding error stays small against a 12000 amplitude.
  int worst = 0;
  for (size_t i = 0; i < s.tone.size(); ++i) {
    auto got = static_cast<int16_t>(w[44 + 2 * i] | w[45 + 2 * i] << 8);
    worst = std::max(worst, std::abs(got - s.tone[i]));
  }
  EXPECT_LT(worst, 1500);

  // The sampling setting goes into the header: played at twice the rate,
  // the same samples sound an octave higher.
  CSubbookMedia fast(*book->entry);
  fast.SetXaSampling(37800);
  ASSERT_TRUE(PlaySoundTag(fast.Book(), Wide(text), player));
  EXPECT_EQ(Le32(player.waves[1], 24), 37800u);
  EXPECT_EQ(Le32(player.waves[1], 28), 75600u);
  EXPECT_EQ(std::memcmp(&player.waves[1][44], &w[44], w.size() - 44), 0);

  // The same sound from an image-map area.
  char area[64];
  std::snprintf(area, sizeof area, "<AREA COORDS=010,020,000,000 SOUND=[%08X:%08X]>", s.firstFrame, s.lastFrame);
  ASSERT_TRUE(PlayAreaSoundTag(book->Book(), Wide(area), player));
  EXPECT_EQ(player.waves.back(), w);
  EXPECT_FALSE(PlayAreaSoundTag(book->Book(), u"<AREA COORDS=010,020,000,000 SOUND=[00000000:00000000]>", player));
  EXPECT_FALSE(PlayAreaSoundTag(book->Book(), u"<AREA COORDS=010,020,000,000 HREF=[00000001:0000]>", player));
}

TEST(SoundTag, TagsThatDoNotPlay) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  CRecordingPlayer player;
  // Another format digit plays nothing and leaves the current sound alone.
  EXPECT_FALSE(PlaySoundTag(book->Book(), u"</WAV[00000001:0000][00000002:0000](2:0:1:0:0)>", player));
  EXPECT_EQ(player.events, "");
  // Tags that are cut, misspelt or out of shape.
  for (const char16_t* bad : {u"</WAV[00000001:0000][00000002:0000](1:0:1:0:0)", u"</WAV[0000000G:0000][00000002:0000](1:0:1:0:0)>",
                              u"</WAV[00000001:0000][00000002:0000](1:0:1:0:X)>", u"</WAV[00000001-0000][00000002:0000](1:0:1:0:0)>",
                              u"<WAV>", u""}) {
    EXPECT_FALSE(PlaySoundTag(book->Book(), bad, player)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
  }
  EXPECT_EQ(player.events, "");
  // A range that starts past the end of the sound file: stopped, nothing new.
  EXPECT_FALSE(PlaySoundTag(book->Book(), u"</WAV[00100000:0000][7FFFFFFF:0000](1:0:1:0:0)>", player));
  EXPECT_EQ(player.events, "S");
  // The frame form read back from an EB tag.
  WaveTag tag;
  ASSERT_TRUE(FindWaveTag(std::string("x</WAV[00000064:0000][00000083:0000](1:0:0:0:0)>"), &tag));
  EXPECT_EQ(tag.startPage, 100u);
  EXPECT_EQ(tag.endPage, 131u);
}

}  // namespace
