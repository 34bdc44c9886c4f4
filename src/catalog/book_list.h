// CBookList: the ordered list of dictionaries (subbook entries) the program
// knows, filled by scanning directories for books.
//
// The list owns its entries and, through them, every open reader. Entries
// keep their place: the index of an entry is the dictionary number used by
// the settings and the command line.
//
// ScanBooks walks a directory tree for catalog files ("CATALOG",
// "CATALOGS", either with ".ebz", any case, ISO ";1" names) and adds each
// book's usable subbooks in catalog order. The walk never enters a
// directory twice (symbolic links may point back up the tree) and never
// enters /proc, /sys or /dev, which a scan of "/" would otherwise wander
// into. Names within a directory are taken in sorted order, so the list is
// the same on every run.
#ifndef TOMELING_CATALOG_BOOK_LIST_H_
#define TOMELING_CATALOG_BOOK_LIST_H_

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalog/subbook_entry.h"

class CBookList {
 public:
  CBookList() = default;
  ~CBookList() { Clear(); }
  CBookList(const CBookList&) = delete;
  CBookList& operator=(const CBookList&) = delete;

  // Adds every book found in `directory` and, while `depth` is above 0, in
  // its subdirectories with depth - 1. Returns the number of entries added.
  int ScanBooks(const std::string& directory, int depth);

  // Adds the usable subbooks of the book whose catalog is `catalogPath`;
  // EB subbooks are opened at once. Returns the number added.
  int AddBook(const std::string& catalogPath);

  // Adds catalog entry `entryIndex` of the book; returns the new entry's
  // index, or -1 when the entry is unusable or its directory is missing.
  int AddSubbook(const std::string& catalogPath, int entryIndex, const std::u16string& extraName = u"");

  // The entry, its files opened first (nullptr out of range).
  SubbookEntry* GetEntry(int i);
  // The entry as it is, without opening (nullptr out of range).
  SubbookEntry* PeekEntry(int i);
  int Count() const { return static_cast<int>(m_entries.size()); }

  // Closes every reader and empties the list.
  void Clear();

 private:
  using DirId = std::pair<unsigned long long, unsigned long long>;  // device, inode

  void Scan(const std::string& directory, int depth, std::set<DirId>* visited);
  bool LanguageFlagOf(const std::string& catalogPath);

  std::vector<SubbookEntry> m_entries;
};

#endif  // TOMELING_CATALOG_BOOK_LIST_H_
