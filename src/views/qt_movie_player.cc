// See qt_movie_player.h.
#include "views/qt_movie_player.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace {

// How long to wait for the player to start, and to go once killed.
constexpr int kStartMs = 5000;
constexpr int kEndMs = 5000;

}  // namespace

CQtMoviePlayer::CQtMoviePlayer(QObject* parent) : QObject(parent) {}

CQtMoviePlayer::~CQtMoviePlayer() { Stop(); }

bool CQtMoviePlayer::Play(const std::string& moviePath) {
  Stop();
  if (m_program.empty() || !CopyMovieForPlayer(moviePath, m_copyPath)) return false;
  auto* process = new QProcess(this);
  process->setProgram(QString::fromStdString(m_program));
  process->setArguments({QString::fromStdString(m_copyPath)});
  // The player talks to the user, not to us: nothing is read from it, so
  // nothing may fill a pipe and stall it.
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->start();
  if (!process->waitForStarted(kStartMs)) {
    delete process;
    return false;
  }
  m_process = process;
  return true;
}

void CQtMoviePlayer::Stop() {
  if (m_process == nullptr) return;
  if (m_process->state() != QProcess::NotRunning) {
    m_process->kill();
    m_process->waitForFinished(kEndMs);
  }
  delete m_process;
  m_process = nullptr;
}

QProcess* CQtMoviePlayer::Process() const {
  return m_process != nullptr && m_process->state() != QProcess::NotRunning ? m_process : nullptr;
}
