// WriteFileAtomically: replaces a whole file so that a crash or a full disk
// never leaves it half written.
//
// The bytes go to a temporary file in the same folder (so the rename stays
// on one file system), are flushed to disk with fsync, and the temporary is
// renamed over the target. On any failure the old file is left untouched and
// the temporary removed. An existing file's permission bits are kept; a new
// file gets 0666 less the umask.
//
// What stands at the target decides where the bytes go:
//   - a symbolic link is followed to the file it names, which is replaced
//     atomically there (created when the link dangles, as the shell's ">"
//     would); the link stays a link;
//   - a FIFO or a character device (a pipe, a terminal, /dev/null, or
//     /dev/stdout naming either) is written straight into: there is nothing
//     to replace. A FIFO is written only while a reader has it open; with
//     none, the write fails rather than wait for one that may never come;
//   - a folder, a socket or a block device is refused.
//
// Used for every file the program rewrites: group files, history, the key
// table, caches, and the files the command line writes with --out, where
// "-" names standard output (WriteOutputFile, CopyToOutputFile).
#ifndef TOMELING_STORAGE_ATOMIC_FILE_H_
#define TOMELING_STORAGE_ATOMIC_FILE_H_

#include <string>
#include <string_view>

// Signature of rename(2); tests pass a failing one to exercise the cleanup.
using RenameFunction = int (*)(const char* from, const char* to);

// Returns true when `path` now holds exactly `bytes`. `renameFn` defaults to
// the system rename.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, RenameFunction renameFn = nullptr);

// Copies the regular file `from` to `to` as WriteFileAtomically would write
// it, a piece at a time, so a file of any size takes a small fixed amount
// of memory. False (the old `to` kept) when `from` is no regular file or
// cannot be read, or `to` cannot be written.
bool CopyFileAtomically(const std::string& from, const std::string& to, RenameFunction renameFn = nullptr);

// The command line's name for standard output.
inline constexpr std::string_view kStandardOutputName = "-";

// As WriteFileAtomically and CopyFileAtomically, except that a `path` of
// "-" writes to standard output.
bool WriteOutputFile(const std::string& path, std::string_view bytes);
bool CopyToOutputFile(const std::string& from, const std::string& path);

#endif  // TOMELING_STORAGE_ATOMIC_FILE_H_
