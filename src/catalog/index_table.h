// The index table page of a subbook: a 16-byte header and 16-byte entries.
//
//   header  0-1 entry count (trusted only from 1 to 255)
//           4   how to take the entries' style bytes: 0 per entry,
//               1 not meaningful, 2 all valid
//   entry   0 identifier, 2-5 start page, 6-9 page count,
//           10 availability flag, 11-13 style bytes
//
// Entries with start page 0 are placeholders and skipped. The parser never
// reads past the page, whatever the count says, and drops areas whose page
// numbers make no sense (negative, or an end page that overflows).
#ifndef TOMELING_CATALOG_INDEX_TABLE_H_
#define TOMELING_CATALOG_INDEX_TABLE_H_

#include <cstdint>
#include <vector>

#include "catalog/index_entry.h"

struct IndexTable {
  uint8_t header[16] = {};
  std::vector<IndexEntry> entries;  // names left empty
  int32_t highestPage = 0;          // largest end page of any area

  uint8_t StyleMode() const { return header[4]; }
};

// Parses one 2048-byte page, keeping at most `maxEntries` areas. Returns
// false (and an empty table) when the count is 0 or above 255.
bool ParseIndexTable(const uint8_t* page, int maxEntries, IndexTable* out);

#endif  // TOMELING_CATALOG_INDEX_TABLE_H_
