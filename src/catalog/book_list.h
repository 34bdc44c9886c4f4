// CBookList: the ordered list of dictionaries (subbook entries) the program
// knows, filled by scanning directories for books or by loading a group
// file (group_file.h), and the back/forward history of the positions shown.
//
// The list owns its entries and, through them, every open reader. The index
// of an entry is the dictionary number used by the settings, the hit list
// and the command line; it changes only through RemoveEntry and MoveEntry,
// which renumber the navigation history with it (a removed dictionary's
// places leave the history). Other holders of numbers -- the current
// dictionary of the settings, a hit list -- are the caller's to renumber.
//
// The entries live in a vector: a pointer from GetEntry or PeekEntry holds
// only until the list next changes (an add, a scan or load, a removal, a
// move, Clear). Callers keep the index, not the pointer, across such calls.
//
// ScanBooks walks a directory tree for catalog files ("CATALOG",
// "CATALOGS", either with ".ebz", any case, ISO ";1" names) and adds each
// book's usable subbooks in catalog order. The walk never enters a
// directory twice (symbolic links may point back up the tree) and never
// enters /proc, /sys or /dev, which a scan of "/" would otherwise wander
// into, also not through a link. Names within a directory are taken in
// sorted order, so the list is the same on every run.
//
// The list remembers the path of its group file: LoadList and SaveList with
// a path change it, ReloadList and SaveList without one use it. Saving
// opens every entry (the single-byte flag written for each is known only
// once its text file is open). Entries of a group file whose book or
// subbook is gone are dropped on loading, the rest load in order.
#ifndef TOMELING_CATALOG_BOOK_LIST_H_
#define TOMELING_CATALOG_BOOK_LIST_H_

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalog/nav_history.h"
#include "catalog/subbook_entry.h"
#include "storage/atomic_file.h"

// The group file used until the program names another.
inline constexpr const char* kDefaultListName = "TOMELING.grp";

class CBookList {
 public:
  CBookList() = default;
  ~CBookList() { Clear(); }
  CBookList(const CBookList&) = delete;
  CBookList& operator=(const CBookList&) = delete;

  // Told of each directory before the scan reads it; false ends the scan
  // there, keeping what was found before (a cancel button, a progress bar).
  using ScanProgress = std::function<bool(const std::string& directory)>;

  // Adds every book found in `directory` and, while `depth` is above 0, in
  // its subdirectories with depth - 1. Returns the number of entries added.
  // The list is not emptied first: a new scan starts with Clear.
  int ScanBooks(const std::string& directory, int depth, const ScanProgress& progress = nullptr);
  // ScanBooks of each directory in turn as one walk: a directory reached
  // from two of them (a card holding a link to the user's book folder, say)
  // is entered once, so its books are listed once.
  int ScanBooks(const std::vector<std::string>& directories, int depth, const ScanProgress& progress = nullptr);

  // Adds the usable subbooks of the book whose catalog is `catalogPath`;
  // EB subbooks are opened at once. Returns the number added.
  int AddBook(const std::string& catalogPath);

  // Adds catalog entry `entryIndex` of the book; returns the new entry's
  // index, or -1 when the entry is unusable or its directory is missing.
  // The name is kept to its first 30 UTF-16 units.
  int AddSubbook(const std::string& catalogPath, int entryIndex, const std::u16string& extraName = u"");

  // Empties the list, remembers `path` and reads the group file there.
  // 1 when the file could be opened, else 0 (the list stays empty).
  int LoadList(const std::string& path);
  // LoadList of the remembered path.
  int ReloadList();
  // Writes the group file to `path` (and remembers it), or to the
  // remembered path when `path` is empty. Catalog paths are stored from the
  // root, so the group reads the same from any directory. 0 when the list
  // is empty, when some entry's path cannot be stored (nothing is written;
  // see UnstorableEntries) or the file cannot be written, else 1. The file
  // is replaced atomically; `renameFn` is the test seam of atomic_file.h.
  int SaveList(const std::string& path = "", RenameFunction renameFn = nullptr);
  // The entries whose catalog path a group file cannot hold (one with "|"
  // or a line break, say), in list order.
  std::vector<int> UnstorableEntries() const;
  // Empties the list and remembers a new group file path.
  void SetListPath(const std::string& path);
  const std::string& ListPath() const { return m_listPath; }

  // The entry, its files opened first (nullptr out of range).
  SubbookEntry* GetEntry(int i);
  // The entry as it is, without opening (nullptr out of range).
  SubbookEntry* PeekEntry(int i);
  // The entries whose files could not be opened when they were last
  // needed, in list order: a search skips them, and says so only if asked.
  std::vector<int> FailedEntries() const;
  int Count() const { return static_cast<int>(m_entries.size()); }

  // Closes the entry's readers and removes it; later entries move up. The
  // entry's records leave the navigation history.
  bool RemoveEntry(int i);
  // Exchanges entry i with the one before (direction < 0) or after
  // (direction > 0); false at the ends or out of range. Navigation records
  // follow their entries.
  bool MoveEntry(int i, int direction);

  // Closes every reader, empties the list and the navigation history.
  void Clear();

  // The search options stored with the group file (-1: none given).
  void GetTrailer(int* inflect, int* searchType) const;
  void SetTrailer(int inflect, int searchType);

  // Back/forward history (nav_history.h).
  void PushPosition(const NavRecord& record) { m_navHistory.PushPosition(record); }
  bool StepBack(NavRecord* record) { return m_navHistory.StepBack(record); }
  bool StepForward(NavRecord* record) { return m_navHistory.StepForward(record); }
  const CNavHistory& NavHistory() const { return m_navHistory; }

 private:
  using DirId = std::pair<unsigned long long, unsigned long long>;  // device, inode
  struct ScanState;

  void Scan(const std::string& directory, const std::string& canonical, int depth, ScanState* state);
  int AddFromCatalog(const Catalog& catalog, int entryIndex, const std::u16string& extraName);
  bool LanguageFlagOf(const std::string& catalogPath);

  std::string m_listPath = kDefaultListName;
  std::vector<SubbookEntry> m_entries;
  int m_inflect = -1;
  int m_searchType = -1;
  CNavHistory m_navHistory;
};

#endif  // TOMELING_CATALOG_BOOK_LIST_H_
