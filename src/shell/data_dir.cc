// See data_dir.h.
#include "shell/data_dir.h"

#include <filesystem>

#include "shell/app_dir.h"

#ifndef TOMELING_DATA_FROM_BIN
#define TOMELING_DATA_FROM_BIN "../share/tomeling"
#endif

std::string FindDataDirectory(const std::string& programDir) {
  if (programDir.empty()) return "";
  std::string here = WithTrailingSlash(programDir);
  // build/data is one level up from build/tests and build/bench, two from
  // build/apps/NAME; the nearer first, as two levels up from build/tests
  // is the source tree's data/, which holds no built dictionary.
  for (const char* rel : {TOMELING_DATA_FROM_BIN, "../data", "../../data"}) {
    std::string dir = WithTrailingSlash(here + rel);
    // The program's directory has no links in it (/proc/self/exe), so
    // ".." can go without changing the place; group files and dialogs
    // then show /usr/share/..., not /usr/bin/../share/...
    if (DirectoryExists(dir + "demo") || DirectoryExists(dir + "help"))
      return std::filesystem::path(dir).lexically_normal().string();
  }
  return "";
}

std::string DataDirectory() { return FindDataDirectory(ProgramDirectory()); }
