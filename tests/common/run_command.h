// Runs the project's command-line programs from tests, as a user would.
#ifndef TOMELING_TESTS_COMMON_RUN_COMMAND_H_
#define TOMELING_TESTS_COMMON_RUN_COMMAND_H_

#include <sys/wait.h>

#include <cstdio>
#include <string>

// The `tomeling` program of this build tree.
inline const std::string kTomeling = std::string(TOMELING_BINARY_DIR) + "/apps/tomeling/tomeling";

// `s` in single quotes for the shell, whatever it holds.
inline std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs `command` through the shell and collects its standard output in
// `*out`. Returns the exit status, or -1 when it could not run or did not
// exit normally.
inline int RunCommand(const std::string& command, std::string* out) {
  out->clear();
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out->append(buffer, n);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif  // TOMELING_TESTS_COMMON_RUN_COMMAND_H_
