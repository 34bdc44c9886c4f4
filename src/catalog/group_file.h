// Group files: the list of dictionaries saved as text ("TOMELING.grp" and
// the user's ".GRP" files).
//
//   %%UTF-8=1
//   /books/kojien/CATALOGS|0|_|広辞苑|KOJIEN|国語|
//   /books/eiwa/CATALOG|1|G|EIWA|EIWA||
//   %%bWordInflect=0
//   %%searchType=2
//
// One line per dictionary: catalog path, entry index in the catalog, "G"
// for a book of single-byte text (else "_"), title, subbook directory, and
// the name the user gave the dictionary. Title and directory are there for
// people reading the file; on loading they come from the catalog again, so
// only the path, the index and the user's name are parsed. Lines are split
// at "|" with empty fields skipped, which is why the writer never leaves
// one of the first five fields empty.
//
// Files without the "%%UTF-8=1" line are older Shift_JIS lists; they are
// read in that code and always written back in UTF-8. Paths are file-system
// bytes: in UTF-8 files they are taken exactly as stored.
//
// "%%name=value" lines carry the search options saved with the group; other
// names are ignored so newer files still load.
#ifndef TOMELING_CATALOG_GROUP_FILE_H_
#define TOMELING_CATALOG_GROUP_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "storage/atomic_file.h"

// Longest user-given name kept, in UTF-16 units.
constexpr size_t kMaxUserNameLength = 30;
// Longest line used; longer lines are cut. Room for the longest Linux path
// (4096 bytes) and the rest of the record.
constexpr size_t kMaxGroupLineLength = 8192;
// Most bytes of a group file read: some 80,000 dictionaries. A FIFO or a
// device is not read at all (storage/regular_file.h).
constexpr size_t kMaxGroupFileBytes = 16u << 20;

struct GroupRecord {
  std::string catalogPath;
  int catalogIndex = 0;
  std::u16string userName;   // empty when the user gave none
  // Written only (not read back):
  bool singleByte = false;
  std::string title;         // UTF-8, or raw catalog bytes for single-byte books
  std::string directory;
};

struct GroupFile {
  std::vector<GroupRecord> records;
  int wordInflect = -1;      // -1: the file gave none
  int searchType = -1;
};

// Parses list-file text; never fails (unusable lines are skipped).
GroupFile ParseGroupFile(std::string_view text);

// Reads the file at `path`; false (and nothing read) when it cannot be
// opened or read, or is no regular file.
bool ReadGroupFile(const std::string& path, GroupFile* out);

// The file's text, in UTF-8. A record whose path cannot be stored in this
// format (it holds "|" or a line break, or begins with "%%") is left out:
// written as it is it would load as some other path.
std::string FormatGroupFile(const GroupFile& file);

// True when `path` survives a save and a load unchanged.
bool IsStorableGroupPath(std::string_view path);

// Writes FormatGroupFile(file) to `path` atomically (see atomic_file.h for
// `renameFn`). False when the file could not be written.
bool WriteGroupFile(const std::string& path, const GroupFile& file, RenameFunction renameFn = nullptr);

#endif  // TOMELING_CATALOG_GROUP_FILE_H_
