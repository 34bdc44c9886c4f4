// See spawn_movie_player.h.
#include "decode/spawn_movie_player.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

void CSpawnMoviePlayer::Stop() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  m_pid = 0;
}

int CSpawnMoviePlayer::Wait() {
  if (m_pid <= 0) return -1;
  int status = 0;
  pid_t got;
  while ((got = waitpid(m_pid, &status, 0)) < 0 && errno == EINTR) {
  }
  m_pid = 0;
  return got > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CSpawnMoviePlayer::Play(const std::string& moviePath) {
  Stop();
  if (m_program.empty() || !CopyMovieForPlayer(moviePath, m_copyPath)) return false;
  std::string program = m_program, argument = m_copyPath;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  m_pid = pid;
  return true;
}
