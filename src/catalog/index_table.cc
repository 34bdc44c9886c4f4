// Parsing of the index table page; see index_table.h.
#include "catalog/index_table.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kPage = 2048;
constexpr int kEntrySize = 16;

uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
         p[3];
}

}  // namespace

bool ParseIndexTable(const uint8_t* page, int maxEntries, IndexTable* out) {
  *out = IndexTable();
  std::memcpy(out->header, page, sizeof(out->header));
  int count = page[0] << 8 | page[1];
  if (count < 1 || count > 255) return false;
  // A count beyond the page would read other data as entries.
  count = std::min(count, (kPage - kEntrySize) / kEntrySize);
  for (int i = 0; i < count && static_cast<int>(out->entries.size()) < maxEntries; ++i) {
    const uint8_t* e = page + kEntrySize + i * kEntrySize;
    uint32_t start = Be32(e + 2), pages = Be32(e + 6);
    if (start == 0) continue;
    constexpr uint32_t kMax = std::numeric_limits<int32_t>::max();
    if (start > kMax || pages > kMax || pages > kMax - start + 1) continue;
    IndexEntry entry;
    entry.id = e[0];
    entry.startPage = static_cast<int32_t>(start);
    entry.pageCount = static_cast<int32_t>(pages);
    entry.endPage = static_cast<int32_t>(start + pages) - 1;
    entry.availability = e[10];
    std::memcpy(entry.style, e + 11, 3);
    if (entry.endPage > out->highestPage) out->highestPage = entry.endPage;
    out->entries.push_back(entry);
  }
  return true;
}
