// CMoviePlayer: movies of a book handed to an outside player program.
//
// A movie is a file of the subbook's MOVIE folder named by the MOV tag. It
// is copied to one fixed place first -- $XDG_CACHE_HOME/tomeling/MOVIE.mpg,
// or ~/.cache/tomeling/MOVIE.mpg -- so that players that want a file
// extension get one and the book's disc can stay read-only; the copy is
// made readable and writable by its owner whatever the disc's modes were.
// The player program (the mpegPlayerPath setting) is started directly, no
// shell, with that path as its one argument. Starting another movie first
// ends the player started before (kill, then wait for it), so there is at
// most one, and no zombie is left behind.
//
// No player configured, a name that is not a plain file name, a movie that
// cannot be found or copied, or a program that cannot be started: nothing
// is started and false is returned.
#ifndef TOMELING_DECODE_MOVIE_PLAYER_H_
#define TOMELING_DECODE_MOVIE_PLAYER_H_

#include <sys/types.h>

#include <string>
#include <string_view>

#include "decode/media_book.h"

class CMoviePlayer {
 public:
  CMoviePlayer();
  ~CMoviePlayer() { Stop(); }
  CMoviePlayer(const CMoviePlayer&) = delete;
  CMoviePlayer& operator=(const CMoviePlayer&) = delete;

  // The player program; empty for none. A name without "/" is looked up
  // in PATH.
  void SetProgram(std::string program) { m_program = std::move(program); }
  const std::string& Program() const { return m_program; }
  // Where movies are copied (the default comes from the environment).
  void SetCopyPath(std::string path) { m_copyPath = std::move(path); }
  const std::string& CopyPath() const { return m_copyPath; }
  static std::string DefaultCopyPath();

  // Ends the player started last, if any.
  void Stop();
  // Copies `moviePath` and starts the player on the copy, ending the old
  // player first.
  bool Play(const std::string& moviePath);
  // The running player's process, or 0.
  pid_t Process() const { return m_pid; }

 private:
  bool CopyMovie(const std::string& from) const;

  std::string m_program;
  std::string m_copyPath;
  pid_t m_pid = 0;
};

// The movie file `name` in the subbook's MOVIE folder (letters matched
// without regard to case), or "".
std::string FindMovieFile(const MediaBook& book, const std::string& name);

// The first "</MOV" tag in `text`.
bool PlayMovieTag(const MediaBook& book, std::u16string_view text, CMoviePlayer& player);
bool PlayMovieTag(const MediaBook& book, std::string_view text, CMoviePlayer& player);

#endif  // TOMELING_DECODE_MOVIE_PLAYER_H_
