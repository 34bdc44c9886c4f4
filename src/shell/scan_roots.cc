// See scan_roots.h.
#include "shell/scan_roots.h"

#include <QStorageInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "shell/app_dir.h"

namespace {

// `path` lies strictly below `parent`.
bool IsBelow(std::string_view path, std::string parent) {
  parent = WithTrailingSlash(std::move(parent));
  return path.size() > parent.size() && path.substr(0, parent.size()) == parent;
}

}  // namespace

std::vector<std::string> RemovableMountParents() { return {"/media", "/run/media"}; }

std::vector<std::string> MountedVolumes() {
  std::vector<std::string> mounts;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) mounts.push_back(volume.rootPath().toStdString());
  return mounts;
}

std::vector<std::string> RemovableVolumes(const std::vector<std::string>& mountPoints,
                                          const std::vector<std::string>& parents) {
  std::vector<std::string> volumes;
  for (const std::string& mount : mountPoints) {
    bool removable = std::any_of(parents.begin(), parents.end(),
                                 [&](const std::string& parent) { return !parent.empty() && IsBelow(mount, parent); });
    if (removable) volumes.push_back(mount);
  }
  std::sort(volumes.begin(), volumes.end());
  volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());
  return volumes;
}

std::string UserBookFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return WithTrailingSlash(data) + "tomeling/books/";
  const char* home = std::getenv("HOME");
  std::string base = home != nullptr && *home != '\0' ? home : "/tmp";
  return WithTrailingSlash(base) + ".local/share/tomeling/books/";
}

bool EnsureUserBookFolder() {
  std::string folder = UserBookFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return DirectoryExists(folder);
}

std::vector<std::string> ScanRoots(bool findAllDrv, const std::vector<std::string>& volumes,
                                   const std::string& bookFolder) {
  if (findAllDrv) return {"/"};
  std::vector<std::string> roots(volumes.begin(), volumes.begin() + std::min(volumes.size(), kMaxScannedVolumes));
  if (!bookFolder.empty()) roots.push_back(bookFolder);
  return roots;
}
