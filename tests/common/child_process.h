// Runs a program of this build as a child process with a time limit, and
// measures it: its exit status, its output and its peak resident memory.
//
//   ChildRun run = RunChild({kTomeling, "search", "--book", dir, "word"}, 30);
//   EXPECT_FALSE(run.timedOut);
//   EXPECT_LT(run.peakKiB, 300 * 1024);
//
// A child still running at the time limit is killed, so a fault that makes
// a command loop fails its test instead of hanging the suite. The peak
// memory is the kernel's count for the child alone (wait4's ru_maxrss),
// which under AddressSanitizer says more about the sanitizer than about
// the program: kUnderSanitizer tells tests to skip such figures there.
#ifndef TOMELING_TESTS_COMMON_CHILD_PROCESS_H_
#define TOMELING_TESTS_COMMON_CHILD_PROCESS_H_

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

struct ChildRun {
  int status = -1;        // exit status; -1 when killed or it could not run
  bool timedOut = false;  // killed at the time limit
  long peakKiB = 0;       // peak resident set size
  std::string out, err;   // the first MiB of each
};

inline ChildRun RunChild(const std::vector<std::string>& argv, int timeoutSeconds) {
  ChildRun run;
  int outPipe[2], errPipe[2];
  if (argv.empty() || pipe2(outPipe, O_CLOEXEC) != 0) return run;
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    close(outPipe[0]), close(outPipe[1]);
    return run;
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    int null = open("/dev/null", O_RDONLY);
    if (null >= 0) dup2(null, 0);
    execv(args[0], args.data());
    _exit(127);
  }
  close(outPipe[1]), close(errPipe[1]);
  if (pid < 0) {
    close(outPipe[0]), close(errPipe[0]);
    return run;
  }
  constexpr size_t kKeep = 1 << 20;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int live = 2;
  while (live > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --live;
      } else if (sinks[i]->size() < kKeep) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      }
    }
  }
  for (pollfd& f : fds)
    if (f.fd >= 0) close(f.fd);
  // A child may close its output and still run on.
  int status = 0;
  rusage usage{};
  pid_t done = 0;
  while ((done = wait4(pid, &status, run.timedOut ? 0 : WNOHANG, &usage)) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      run.timedOut = true;
      kill(pid, SIGKILL);
    } else {
      usleep(10000);
    }
  }
  if (done == pid) {
    run.peakKiB = usage.ru_maxrss;
    if (WIFEXITED(status) && !run.timedOut) run.status = WEXITSTATUS(status);
  }
  return run;
}

#endif  // TOMELING_TESTS_COMMON_CHILD_PROCESS_H_
