// IndexEntry: one area of a subbook's index table.
//
// The index table (one page of the subbook's text file) tells where each
// index and data area of the subbook lies: the identifier says what the area
// holds (a kana word index, the text, a font...), then its first page and
// page count. The three style bytes say how the keys of an index were
// normalised when the book was made, so that a search key can be normalised
// the same way; the reader settles them at open (see eb_reader.h).
#ifndef TOMELING_CATALOG_INDEX_ENTRY_H_
#define TOMELING_CATALOG_INDEX_ENTRY_H_

#include <cstdint>
#include <string>

struct IndexEntry {
  uint8_t id = 0;
  int32_t startPage = 0;
  int32_t pageCount = 0;
  int32_t endPage = 0;       // startPage + pageCount - 1
  std::string name;          // "[%02X]%s", UTF-8
  uint8_t availability = 0;  // 0 per entry, 1 style not meaningful, 2 valid
  uint8_t style[3] = {0, 0, 0};

  bool HoldsPage(int32_t page) const { return page >= startPage && page <= endPage; }
  // The style as one number, S0 in the high byte.
  uint32_t Style() const { return static_cast<uint32_t>(style[0]) << 16 | style[1] << 8 | style[2]; }
};

#endif  // TOMELING_CATALOG_INDEX_ENTRY_H_
