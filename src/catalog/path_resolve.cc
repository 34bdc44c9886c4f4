// Case- and suffix-tolerant lookup of book files; see path_resolve.h.
#include "catalog/path_resolve.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The disc name without an ISO 9660 version (";1") and then a trailing dot.
std::string_view StripIsoSuffix(std::string_view name) {
  size_t semi = name.rfind(';');
  if (semi != std::string_view::npos && semi + 1 < name.size() &&
      std::all_of(name.begin() + static_cast<std::ptrdiff_t>(semi) + 1, name.end(),
                  [](char c) { return c >= '0' && c <= '9'; }))
    name = name.substr(0, semi);
  if (name.size() > 1 && name.back() == '.') name.remove_suffix(1);
  return name;
}

bool IsKind(const fs::path& p, bool wantDirectory) {
  std::error_code ec;
  fs::file_status st = fs::status(p, ec);
  if (ec) return false;
  return wantDirectory ? fs::is_directory(st) : fs::is_regular_file(st);
}

// The names in `dir` that stand for `name` with the right kind: the exact
// name first, then folded matches in sorted order.
std::vector<std::string> ResolveComponent(const std::string& dir, std::string_view name, bool wantDirectory) {
  // Names come from book data too (subbook directories in the catalog): they
  // must never climb out of the book.
  if (name == "." || name == ".." || name.find('\\') != std::string_view::npos) return {};
  std::vector<std::string> matches;
  fs::path exact = fs::path(dir) / std::string(name);
  std::error_code ec;
  fs::directory_iterator it(dir, ec), end;
  if (ec) return {};
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    std::string entry = it->path().filename().string();
    if (entry != name && BookNameMatches(entry, name) && IsKind(it->path(), wantDirectory))
      matches.push_back(it->path().string());
  }
  std::sort(matches.begin(), matches.end());
  if (IsKind(exact, wantDirectory)) matches.insert(matches.begin(), exact.string());
  return matches;
}

// Copies of discs may hold one directory in two spellings ("DATA", "data"),
// each with some of the files: every candidate is tried in turn.
std::string Resolve(const std::string& dir, std::string_view relative, bool wantDirectory, int depth) {
  while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
  if (relative.empty()) return dir;
  if (depth > 16) return "";
  size_t slash = relative.find('/');
  std::string_view part = relative.substr(0, slash);
  std::string_view rest = slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
  bool last = rest.find_first_not_of('/') == std::string_view::npos;
  for (const std::string& candidate : ResolveComponent(dir, part, last ? wantDirectory : true)) {
    std::string found = last ? candidate : Resolve(candidate, rest, wantDirectory, depth + 1);
    if (!found.empty()) return found;
  }
  return "";
}

}  // namespace

bool BookNameMatches(std::string_view onDisc, std::string_view wanted) {
  onDisc = StripIsoSuffix(onDisc);
  if (onDisc.size() != wanted.size()) return false;
  for (size_t i = 0; i < wanted.size(); ++i)
    if (FoldAscii(onDisc[i]) != FoldAscii(wanted[i])) return false;
  return true;
}

std::string JoinPath(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string out = dir;
  if (out.back() != '/') out += '/';
  out += name;
  return out;
}

std::string ResolveBookPath(const std::string& dir, std::string_view relative, bool wantDirectory) {
  return Resolve(dir.empty() ? std::string(".") : dir, relative, wantDirectory, 0);
}

std::string FindBookFile(const std::string& dir, std::string_view relative) {
  std::string plain = ResolveBookPath(dir, relative);
  if (!plain.empty()) return plain;
  return ResolveBookPath(dir, std::string(relative) + ".ebz");
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return "";
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(path, ec);
  if (ec) return "";
  std::filesystem::path out;
  for (const std::filesystem::path& part : full)
    if (part != "." && !part.empty()) out /= part;
  return out.string();
}
