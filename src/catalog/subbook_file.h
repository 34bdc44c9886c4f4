// CSubbookFile: the page source of one reader, with a one-page cache.
//
// The text file of a subbook is read page by page: the index descent reads
// an index page, then leaves, and the decoder reads the text, often the same
// page again (a heading right after the hit that named it). The last page
// fetched is kept, so asking for it again costs nothing. The subbook's index
// table header travels with the file, since the reader needs its style mode
// long after open.
//
// A page that cannot be selected is a sign of a damaged or vanished file:
// the user gets one "Cannot seek" notice (notice.h) and the read is still
// tried, which yields a zero page.
#ifndef TOMELING_CATALOG_SUBBOOK_FILE_H_
#define TOMELING_CATALOG_SUBBOOK_FILE_H_

#include <cstdint>
#include <string>

#include "catalog/index_table.h"
#include "storage/book_file.h"

class CSubbookFile {
 public:
  CSubbookFile() = default;
  CSubbookFile(const CSubbookFile&) = delete;
  CSubbookFile& operator=(const CSubbookFile&) = delete;

  // Returns 0, or -1 when the file cannot be opened. `notify` says whether a
  // failed seek is reported (the text files of a subbook) or silent.
  int Open(const std::string& path, int versionHint, bool notify);
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }

  // Page `page` (1-based): a pointer to kPageSize bytes that stays valid
  // until the next Fetch or Close. `ok` (optional) tells whether the page was
  // really read; an unreadable page reads as zeros.
  const uint8_t* Fetch(int32_t page, bool* ok = nullptr);
  // Reads pages `first` on into `out` past the one-page cache, for scans
  // of whole areas; see CBookFile::ReadPages.
  int ReadPages(int32_t first, int count, uint8_t* out) { return m_file.ReadPages(first, count, out); }

  // Reads and parses the index table on `page`; false when it holds none.
  bool LoadIndexTable(int32_t page, int maxEntries);
  const IndexTable& Table() const { return m_table; }

  const std::string& Path() const { return m_path; }
  // Number of pages the data holds (rounded up), as far as the storage
  // tells.
  int32_t PageCount() const;

 private:
  CBookFile m_file;
  std::string m_path;
  bool m_notify = false;
  uint8_t m_page[kPageSize] = {};
  int32_t m_cachedPage = 0;
  bool m_cachedOk = false;
  IndexTable m_table;
};

#endif  // TOMELING_CATALOG_SUBBOOK_FILE_H_
