// CSpawnMoviePlayer: the movie player of the command-line tool and of
// tests -- the player program (the mpegPlayerPath setting) started
// directly with posix_spawn, no shell, with the copy's path as its one
// argument. Stop kills it and waits, so no zombie is left behind.
#ifndef TOMELING_DECODE_SPAWN_MOVIE_PLAYER_H_
#define TOMELING_DECODE_SPAWN_MOVIE_PLAYER_H_

#include <sys/types.h>

#include <string>

#include "decode/movie_player.h"

class CSpawnMoviePlayer : public CProgramMoviePlayer {
 public:
  CSpawnMoviePlayer() = default;
  ~CSpawnMoviePlayer() override { Stop(); }
  CSpawnMoviePlayer(const CSpawnMoviePlayer&) = delete;
  CSpawnMoviePlayer& operator=(const CSpawnMoviePlayer&) = delete;

  bool Play(const std::string& moviePath) override;
  void Stop() override;
  // Waits until the player started last ends by itself; its exit status,
  // or -1 when none runs or it was ended by a signal.
  int Wait();
  // The running player's process, or 0.
  pid_t Process() const { return m_pid; }

 private:
  pid_t m_pid = 0;
};

#endif  // TOMELING_DECODE_SPAWN_MOVIE_PLAYER_H_
