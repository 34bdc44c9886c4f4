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

class CQtMoviePlayer : public QObject, public CProgramMoviePlayer {
  Q_OBJECT

 public:
  explicit CQtMoviePlayer(QObject* parent = nullptr);
  ~CQtMoviePlayer() override;

  bool Play(const std::string& moviePath) override;
  void Stop() override;

  // The player started last while it runs, else nullptr.
  QProcess* Process() const;

 private:
  QProcess* m_process = nullptr;
};

#endif  // TOMELING_VIEWS_QT_MOVIE_PLAYER_H_
