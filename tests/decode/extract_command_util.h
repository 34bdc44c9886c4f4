// Running `tomeling extract` from the tests: the built command, its exit
// status, and the file it wrote.
#ifndef TOMELING_TESTS_DECODE_EXTRACT_COMMAND_UTIL_H_
#define TOMELING_TESTS_DECODE_EXTRACT_COMMAND_UTIL_H_

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/run_command.h"

inline const std::string& kTomelingCommand = kTomeling;

inline bool TomelingBuilt() { return std::filesystem::exists(kTomelingCommand); }

// Single quotes around an argument for the shell.
inline std::string Quoted(const std::string& s) { return ShellQuoted(s); }

// Runs `tomeling extract` with `args`; returns the exit status.
inline int RunExtract(const std::string& args) {
  std::string command = kTomelingCommand + " extract " + args + " >/dev/null 2>&1";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

#endif  // TOMELING_TESTS_DECODE_EXTRACT_COMMAND_UTIL_H_
