// ReadRegularFile: a small file of the application directory or of the
// user's lists, read whole -- but only when it is a regular file, and only
// up to a bound.
//
// "profile.ini", "keycode.ini", "history.txt", "color.dat", group files, the
// ".MAP" files of the GAIJI folder and "GaijiMap.db" are read at every
// start. Anyone who can write there can put a FIFO, a device or a link to
// /dev/zero under one of those names; read naively, the first blocks every
// command forever and the others feed it without end. So the file is opened
// with O_NONBLOCK (a FIFO without a writer then opens at once instead of
// waiting for one), the open descriptor is checked with fstat (no window
// between the check and the read), and anything but a regular file is
// refused. A regular file larger than the caller's bound is read up to the
// bound; `truncated` says so, and the caller decides what a cut file is
// worth.
#ifndef TOMELING_STORAGE_REGULAR_FILE_H_
#define TOMELING_STORAGE_REGULAR_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

enum class FileReadStatus {
  kRead,        // the bytes are in `bytes` (all, or the first `limit`)
  kMissing,     // no such file, or it cannot be opened
  kNotRegular,  // a directory, FIFO, socket or device: not read
  kFailed,      // a read error part way: nothing kept
};

struct FileRead {
  FileReadStatus status = FileReadStatus::kMissing;
  std::string bytes;
  bool truncated = false;  // the file holds more than `limit` bytes
  bool ok() const { return status == FileReadStatus::kRead; }
};

// Reads `path` (following symbolic links) if it names a regular file.
FileRead ReadRegularFile(const std::string& path, size_t limit);

// The text of `read` for a line parser: when the file was cut at the bound,
// only up to its last line break, so that half a line never parses as a
// whole one.
std::string_view WholeLines(const FileRead& read);

#endif  // TOMELING_STORAGE_REGULAR_FILE_H_
