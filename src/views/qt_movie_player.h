// CQtMoviePlayer: the desktop program's CMoviePlayer -- the movie copied
// to one fixed place (DefaultMovieCopyPath) and the player program (the
// mpegPlayerPath setting) started on the copy as a QProcess, with the
// copy's path as its one argument and no shell in between.
//
// There is at most one player: starting a movie kills the player started
// before and waits for it, so none is left behind. The player's own end is
// noticed by QProcess; Stop then has nothing to do.
//
//   CQtMoviePlayer player;
//   player.SetProgram(settings.mpegPlayerPath);
//   PlayMovieTag(media.Book(), markupFromTag, player);
#ifndef TOMELING_VIEWS_QT_MOVIE_PLAYER_H_
#define TOMELING_VIEWS_QT_MOVIE_PLAYER_H_

#include <QObject>
#include <string>

#include "decode/movie_player.h"

class QProcess;

class CQtMoviePlayer : public QObject, public CMoviePlayer {
  Q_OBJECT

 public:
  explicit CQtMoviePlayer(QObject* parent = nullptr);
  ~CQtMoviePlayer() override;

  // The player program; empty for none. A name without "/" is looked up
  // in PATH.
  void SetProgram(std::string program) { m_program = std::move(program); }
  const std::string& Program() const { return m_program; }
  // Where movies are copied (DefaultMovieCopyPath unless set).
  void SetCopyPath(std::string path) { m_copyPath = std::move(path); }
  const std::string& CopyPath() const { return m_copyPath; }

  bool Play(const std::string& moviePath) override;
  void Stop() override;

  // The player started last while it runs, else nullptr.
  QProcess* Process() const;

 private:
  std::string m_program;
  std::string m_copyPath;
  QProcess* m_process = nullptr;
};

#endif  // TOMELING_VIEWS_QT_MOVIE_PLAYER_H_
