// Reading a book's catalog: the list of its subbooks.
//
// A book is a directory holding "CATALOGS" (an EPWING book) or "CATALOG"
// (an EB book), plain or EBZip-compressed, and one directory per subbook.
// Only the first page of the catalog matters:
//
//   0   entry count (16-bit)        16  entries, back to back
//
//   EB entry, 40 bytes (at most 50)    EPWING entry, 164 bytes (at most 12)
//   0   type (0xF0: not a subbook)     0   type,  1 EPWING version
//   2   title, 30 bytes of JIS         2   title, 80 bytes of JIS
//   32  directory, 8 bytes             82  directory, 8 bytes
//                                      95  index table page (signed; < 1 -> 1)
//                                      100 full-width font names 16/24/32/48
//                                      132 half-width font names, same sizes
//
// EB books may carry a "LANGUAGE" file whose byte 1 set to 1 marks a book
// of single-byte text (see OpenSubbook in subbook_entry.h).
#ifndef TOMELING_CATALOG_CATALOG_H_
#define TOMELING_CATALOG_CATALOG_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMaxEbSubbooks = 50;
constexpr int kMaxEpwingSubbooks = 12;
constexpr uint8_t kUnusableSubbook = 0xF0;
constexpr int kFontSlots = 8;

// Font slots in catalog order: half 16, full 16, half 24, full 24, half 32,
// full 32, half 48, full 48; and the index identifiers of the same fonts in
// EB books.
constexpr std::array<uint8_t, kFontSlots> kFontSlotIds = {0xF2, 0xF1, 0xF4, 0xF3, 0xF6, 0xF5, 0xF8, 0xF7};
inline bool IsHalfWidthSlot(int slot) { return slot % 2 == 0; }

struct CatalogEntry {
  int index = 0;           // place in the catalog
  uint8_t type = 0;
  uint8_t version = 0;     // EPWING version, the storage hint of its files
  std::string title;       // Shift_JIS
  std::string rawTitle;    // EB: the 30 JIS bytes as stored
  std::string directory;   // trailing spaces removed
  int indexPage = 1;
  std::array<std::string, kFontSlots> fontNames;  // "" for an empty slot
};

struct Catalog {
  std::string path;        // the catalog file read
  bool isEpwing = false;
  bool languageFlag = false;
  std::vector<CatalogEntry> entries;
};

// True for "CATALOGS" in any case (with .ebz or ;1 after it): the catalog
// of an EPWING book.
bool IsEpwingCatalogName(std::string_view fileName);

// Finds the catalog of the book in `bookDir` and reads it. Returns the
// number of entries (0 when the book has no catalog).
int ReadCatalog(const std::string& bookDir, bool isEpwing, Catalog* out);

// The same for a catalog file already found.
int ReadCatalogFile(const std::string& catalogPath, bool isEpwing, Catalog* out);

#endif  // TOMELING_CATALOG_CATALOG_H_
