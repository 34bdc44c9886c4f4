// CSoundPlayer: what the platform does with a finished wave image, and the
// steps from a tag in the markup to a playing sound.
//
// The desktop program plays through Qt Multimedia, the command-line tool
// writes the wave to a file; both implement CSoundPlayer. PlaySoundTag and
// PlayAreaSoundTag stop the sound that plays, build the new one from the
// book and hand it over; the player owns the image from then on, until the
// next sound replaces it. Nothing plays when the tag is not found, its
// format digit is not 1, or the book has nothing to build it from.
#ifndef TOMELING_DECODE_SOUND_PLAYER_H_
#define TOMELING_DECODE_SOUND_PLAYER_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "decode/media_book.h"

class CSoundPlayer {
 public:
  virtual ~CSoundPlayer() = default;
  // Starts playing `wave` (a complete RIFF/WAVE image) without waiting.
  virtual void PlayWave(std::vector<uint8_t> wave) = 0;
  virtual void Stop() = 0;
};

// The first "</WAV" tag in `text`. True when a sound was handed over.
bool PlaySoundTag(const MediaBook& book, std::string_view text, CSoundPlayer& player);
bool PlaySoundTag(const MediaBook& book, std::u16string_view text, CSoundPlayer& player);

// The first AREA tag in `text`, when it is a sound area.
bool PlayAreaSoundTag(const MediaBook& book, std::u16string_view text, CSoundPlayer& player);

#endif  // TOMELING_DECODE_SOUND_PLAYER_H_
