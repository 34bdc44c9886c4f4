// CMoviePlayer: what the platform does with a movie of a book, and the
// step from a MOV tag in the markup to a playing movie.
//
// A movie is a file of the subbook's MOVIE folder named by the MOV tag.
// Players get a copy at one fixed place (DefaultMovieCopyPath), so that
// players that want a file extension get one and the book's disc can stay
// read-only. Starting another movie first ends the player started before,
// so there is at most one. The command-line tool and the tests start the
// player with posix_spawn (spawn_movie_player.h); the desktop program
// through QProcess. PlayMovieTag stops the old player, finds the file and
// hands its path over; nothing is started when the tag is malformed or
// the file is missing.
#ifndef TOMELING_DECODE_MOVIE_PLAYER_H_
#define TOMELING_DECODE_MOVIE_PLAYER_H_

#include <string>
#include <string_view>
#include <utility>

#include "decode/media_book.h"

class CMoviePlayer {
 public:
  virtual ~CMoviePlayer() = default;
  // Copies the movie at `moviePath` and starts the player on the copy,
  // ending the old player first. False when nothing was started (no
  // player configured, the copy failed, the program would not start).
  virtual bool Play(const std::string& moviePath) = 0;
  // Ends the player started last, if any, and waits for it.
  virtual void Stop() = 0;
};

// $XDG_CACHE_HOME/tomeling/MOVIE.mpg, else ~/.cache/tomeling/MOVIE.mpg.
std::string DefaultMovieCopyPath();

// What the players that start a program on a copy of the movie share:
// the program and the place of the copy.
class CProgramMoviePlayer : public CMoviePlayer {
 public:
  CProgramMoviePlayer() : m_copyPath(DefaultMovieCopyPath()) {}

  // The player program; empty for none. A name without "/" is looked up
  // in PATH.
  void SetProgram(std::string program) { m_program = std::move(program); }
  const std::string& Program() const { return m_program; }
  // Where movies are copied.
  void SetCopyPath(std::string path) { m_copyPath = std::move(path); }
  const std::string& CopyPath() const { return m_copyPath; }

 protected:
  std::string m_program;
  std::string m_copyPath;
};

// Copies `from` over `to` a piece at a time through a temporary beside it
// (storage/atomic_file.h), so a player never sees half a file and a movie
// of any size takes little memory; the copy is readable and writable by its
// owner (and readable by others) whatever the disc's modes were. False on
// failure, when `to` is left as it was.
bool CopyMovieForPlayer(const std::string& from, const std::string& to);

// The movie file `name` in the subbook's MOVIE folder (letters matched
// without regard to case), or "".
std::string FindMovieFile(const MediaBook& book, const std::string& name);

// The first "</MOV" tag in `text`.
bool PlayMovieTag(const MediaBook& book, std::u16string_view text, CMoviePlayer& player);
bool PlayMovieTag(const MediaBook& book, std::string_view text, CMoviePlayer& player);

#endif  // TOMELING_DECODE_MOVIE_PLAYER_H_
