// See movie_player.h.
#include "decode/movie_player.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "decode/media_tags.h"
#include "storage/atomic_file.h"

namespace fs = std::filesystem;

namespace {

bool SameNameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The entry of `dir` spelled `name` in any case, exact spelling first.
std::string FindNoCase(const std::string& dir, const std::string& name, bool wantDirectory) {
  std::error_code ec;
  fs::path exact = fs::path(dir) / name;
  auto fits = [&](const fs::path& p) { return wantDirectory ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec); };
  if (fits(exact)) return exact.string();
  std::vector<std::string> matches;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (SameNameNoCase(it->path().filename().string(), name) && fits(it->path())) matches.push_back(it->path().string());
  }
  if (matches.empty()) return "";
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

template <typename View>
bool PlayMovie(const MediaBook& book, View text, CMoviePlayer& player) {
  std::string name;
  if (!FindMovieTag(text, &name)) return false;
  std::string path = FindMovieFile(book, name);
  player.Stop();
  if (path.empty()) return false;
  return player.Play(path);
}

}  // namespace

std::string DefaultMovieCopyPath() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::string base;
  if (cache != nullptr && cache[0] == '/') {
    base = cache;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr && home[0] != '\0' ? home : ".") + "/.cache";
  }
  return base + "/tomeling/MOVIE.mpg";
}

bool CopyMovieForPlayer(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::path target(to);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  // Streamed through a temporary beside the copy: a movie of any size takes
  // little memory, and a failed copy leaves the old one.
  if (!CopyFileAtomically(from, to)) return false;
  fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                  ec);
  return true;
}

std::string FindMovieFile(const MediaBook& book, const std::string& name) {
  if (book.subbookDir.empty() || name.empty()) return "";
  std::string dir = FindNoCase(book.subbookDir, "MOVIE", true);
  return dir.empty() ? "" : FindNoCase(dir, name, false);
}

bool PlayMovieTag(const MediaBook& book, std::u16string_view text, CMoviePlayer& player) {
  return PlayMovie(book, text, player);
}

bool PlayMovieTag(const MediaBook& book, std::string_view text, CMoviePlayer& player) {
  return PlayMovie(book, text, player);
}
