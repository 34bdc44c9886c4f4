// CRecordingPlayer: a CSoundPlayer for tests. It keeps every wave handed
// to it and writes what was asked, in order, as letters: "P" play, "S"
// stop -- "SP" is a sound that stopped the one before and started.
#ifndef TOMELING_TESTS_COMMON_RECORDING_PLAYER_H_
#define TOMELING_TESTS_COMMON_RECORDING_PLAYER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "decode/sound_player.h"

class CRecordingPlayer : public CSoundPlayer {
 public:
  void PlayWave(std::vector<uint8_t> wave) override {
    waves.push_back(std::move(wave));
    events += "P";
  }
  void Stop() override { events += "S"; }

  std::vector<std::vector<uint8_t>> waves;
  std::string events;
};

#endif  // TOMELING_TESTS_COMMON_RECORDING_PLAYER_H_
