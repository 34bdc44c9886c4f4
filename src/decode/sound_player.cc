// See sound_player.h.
#include "decode/sound_player.h"

namespace {

bool Play(std::vector<uint8_t> wave, CSoundPlayer& player) {
  if (wave.empty()) return false;
  player.PlayWave(std::move(wave));
  return true;
}

template <typename View>
bool PlayWaveTag(const MediaBook& book, View text, CSoundPlayer& player) {
  WaveTag tag;
  if (!FindWaveTag(text, &tag) || tag.digits[0] != 1) return false;
  player.Stop();
  return Play(BuildTagWave(book, tag), player);
}

}  // namespace

bool PlaySoundTag(const MediaBook& book, std::string_view text, CSoundPlayer& player) {
  return PlayWaveTag(book, text, player);
}

bool PlaySoundTag(const MediaBook& book, std::u16string_view text, CSoundPlayer& player) {
  return PlayWaveTag(book, text, player);
}

bool PlayAreaSoundTag(const MediaBook& book, std::u16string_view text, CSoundPlayer& player) {
  AreaSoundTag tag;
  if (!FindAreaSoundTag(text, &tag)) return false;
  player.Stop();
  return Play(BuildAreaWave(book, tag), player);
}
