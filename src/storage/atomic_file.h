// WriteFileAtomically: replaces a whole file so that a crash or a full disk
// never leaves it half written.
//
// The bytes go to a temporary file in the same folder (so the rename stays
// on one file system), are flushed to disk with fsync, and the temporary is
// renamed over the target. On any failure the old file is left untouched and
// the temporary removed. An existing file's permission bits are kept; a new
// file gets 0666 less the umask.
//
// Used for every file the program rewrites: group files, history, the key
// table, caches.
#ifndef TOMELING_STORAGE_ATOMIC_FILE_H_
#define TOMELING_STORAGE_ATOMIC_FILE_H_

#include <string>
#include <string_view>

// Signature of rename(2); tests pass a failing one to exercise the cleanup.
using RenameFunction = int (*)(const char* from, const char* to);

// Returns true when `path` now holds exactly `bytes`. `renameFn` defaults to
// the system rename.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, RenameFunction renameFn = nullptr);

#endif  // TOMELING_STORAGE_ATOMIC_FILE_H_
