// Multi search (a complex search over several fields) and the names a book
// gives its search methods.
//
// A book may offer searches whose user fills several fields (name, year,
// place...). Each is described in a control area (identifier 0xFF): a title
// and, per field, the index that searches it. CMultiSearch reads them into
// the multi-search list, rows shaped like index entries: for each search a
// header row "--" + title (identifier and pages 0), then one row per field
// named "[%02X]" + the index's name, with its index's pages and a style that
// folds letter case only. The list holds 53 rows at most.
//
// A subbook may have up to ten control areas, numbered from 0 in the order
// of its index table; one is loaded at a time (the last one after Load).
//
//   CMultiSearch multi;
//   multi.Load(reader);                     // when the subbook opens
//   MultiFieldSearch(reader, multi.Rows()[2], nameKey, 0);
//   MultiFieldSearch(reader, multi.Rows()[3], yearKey, 1);
//   reader.GetHitEntSorted(&hits, 0, 2);    // entries both fields found
//
// The search-method names (area 0x16) are ten slots of display names the
// shell puts on its method choices; slots the book does not name are "".
//
// Everything read comes from the book; a control area that claims more than
// the list holds is cut at 53 rows, and one beyond the file reads as zeros.
#ifndef TOMELING_READER_MULTI_SEARCH_H_
#define TOMELING_READER_MULTI_SEARCH_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/index_entry.h"
#include "reader/eb_reader.h"

class CMultiSearch {
 public:
  static constexpr int kMaxRows = 53;
  static constexpr int kMaxAreas = 10;
  static constexpr int kMethodSlots = 10;

  // Finds the control areas and the method names of `reader`'s subbook and
  // loads the list of the last control area.
  void Load(CEBReader& reader);
  void Clear();

  // Number of control areas (at most 10).
  int AreaCount() const { return static_cast<int>(m_areas.size()); }
  // Loads the list of control area `n`; returns its rows, or 0 (and an
  // empty list) when `n` is out of range.
  int SelectMultiSearch(CEBReader& reader, int n);
  const std::vector<IndexEntry>& Rows() const { return m_rows; }

  // UTF-8 name of method slot `k` (0 to 9); "" when the book names none.
  const std::string& SearchMethodName(int k) const;

 private:
  void LoadMethodNames(CEBReader& reader);

  std::vector<IndexEntry> m_areas;
  std::vector<IndexEntry> m_rows;
  std::string m_methodNames[kMethodSlots];
};

// Searches one field (a field row of the list) for `key` (Shift_JIS). The
// first filled field (level 0) clears the hit list and sorts its hits; each
// later one, with its position among the filled fields as the level, keeps
// only the entries found again. Returns the number of hits.
int MultiFieldSearch(CEBReader& reader, const IndexEntry& field, std::string_view key, int level);

// JIS X 0208 codes (big-endian pairs, ending at a 0 byte or after `length`
// bytes) as UTF-8, as the book's titles and names are shown.
std::string JisToUtf8(const uint8_t* jis, size_t length);

#endif  // TOMELING_READER_MULTI_SEARCH_H_
