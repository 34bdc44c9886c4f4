#include "shell/app_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

std::string WithTrailingSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ProgramDirectory() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string path(buf, static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string FindAppDirectory(const std::string& programDir) {
  const char* home = std::getenv("TOMELING_HOME");
  if (home != nullptr && *home != '\0') return WithTrailingSlash(home);
  if (!programDir.empty() && FileExists(WithTrailingSlash(programDir) + "profile.ini"))
    return WithTrailingSlash(programDir);
  const char* config = std::getenv("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid by the XDG rules and ignored.
  if (config != nullptr && config[0] == '/') return WithTrailingSlash(config) + "tomeling/";
  const char* user = std::getenv("HOME");
  std::string base = user != nullptr && *user != '\0' ? user : "/tmp";
  return WithTrailingSlash(base) + ".config/tomeling/";
}

std::string ResolveAppDirectory(const std::string& given) {
  return given.empty() ? FindAppDirectory(ProgramDirectory()) : WithTrailingSlash(given);
}

std::string FindOnPath(const std::string& name) {
  if (name.empty()) return "";
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : "";
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::string_view rest(path);
  while (true) {
    size_t colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    std::string candidate = WithTrailingSlash(std::string(dir.empty() ? std::string_view(".") : dir)) + name;
    if (FileExists(candidate) && access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return "";
}
