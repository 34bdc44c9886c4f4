// Where "辞書の再検索" looks for books, and which mounted volumes are
// storage cards.
//
// A storage card is a removable volume the desktop mounted for the user:
// a mount point below /media or /run/media (/media/USER/LABEL on Debian,
// /run/media/USER/LABEL elsewhere, /media/cdrom with fixed mount points).
// A rescan walks, in this order, the first two such volumes (sorted by
// path) and the user's book folder, $XDG_DATA_HOME/tomeling/books
// (~/.local/share/tomeling/books by default), which the programs create on
// their first start so that a user has an obvious place to copy books to.
// With bFindAllDrv the whole file system is walked from "/" instead;
// CBookList keeps every walk out of /proc, /sys and /dev and enters no
// folder twice, so links cannot make it loop.
//
//   std::vector<std::string> roots =
//       ScanRoots(settings.bFindAllDrv, RemovableVolumes(MountedVolumes()), UserBookFolder());
//   session.ScanBooks(roots, kRescanDepth);
//
// The volume list is a plain function of the mount points, so tests hand
// in their own; MountedVolumes asks the system (QStorageInfo).
#ifndef TOMELING_SHELL_SCAN_ROOTS_H_
#define TOMELING_SHELL_SCAN_ROOTS_H_

#include <string>
#include <vector>

// How deep a rescan goes below each root.
inline constexpr int kRescanDepth = 999;
// How many storage cards a rescan walks.
inline constexpr size_t kMaxScannedVolumes = 2;

// The folders below which the desktop mounts removable volumes.
std::vector<std::string> RemovableMountParents();

// The mount points of every mounted file system that is ready.
std::vector<std::string> MountedVolumes();

// The mount points strictly below one of `parents` (trailing '/' or not),
// sorted, each once.
std::vector<std::string> RemovableVolumes(const std::vector<std::string>& mountPoints,
                                          const std::vector<std::string>& parents = RemovableMountParents());

// The user's book folder, with a trailing '/'. $XDG_DATA_HOME counts only
// when it is an absolute path, as the XDG rules say.
std::string UserBookFolder();
// Creates the user's book folder (and its parents) when missing; false
// when it is not there afterwards.
bool EnsureUserBookFolder();

// The roots of a rescan: "/" alone with `findAllDrv`, else the first
// kMaxScannedVolumes of `volumes` and then `bookFolder`.
std::vector<std::string> ScanRoots(bool findAllDrv, const std::vector<std::string>& volumes,
                                   const std::string& bookFolder);

#endif  // TOMELING_SHELL_SCAN_ROOTS_H_
