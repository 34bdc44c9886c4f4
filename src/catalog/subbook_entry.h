// SubbookEntry: one dictionary of the book list -- a subbook of some book,
// with the readers of its files.
//
// An entry is made from a catalog entry whose directory exists. Its files
// are found when the subbook is opened (OpenSubbook): EB subbooks at once
// when their book is added, EPWING subbooks when first used, since a shelf
// of EPWING discs would otherwise open hundreds of files at start-up.
//
//   EB      <dir>/START, fonts inside START, sound <dir>/SOUND
//   EPWING  <dir>/DATA/HONMON (else HONMON2), fonts <dir>/GAIJI/<name>,
//           graphics DATA/HONMONG, sound DATA/HONMONS
//
// Every file may also exist with ".ebz" appended, and names are matched
// without regard to case (path_resolve.h).
#ifndef TOMELING_CATALOG_SUBBOOK_ENTRY_H_
#define TOMELING_CATALOG_SUBBOOK_ENTRY_H_

#include <array>
#include <memory>
#include <string>

#include "catalog/catalog.h"

class CEBReader;

struct SubbookEntry {
  SubbookEntry();
  ~SubbookEntry();
  SubbookEntry(SubbookEntry&&) noexcept;
  SubbookEntry& operator=(SubbookEntry&&) noexcept;

  std::string catalogPath;
  std::string bookDir;           // the directory holding the catalog
  int catalogIndex = 0;
  CatalogEntry catalogEntry;
  std::u16string extraName;      // the name the user gave the entry, if any
  bool m_isEpwing = false;
  uint8_t versionHint = 0;
  std::string directory;         // as in the catalog, spaces removed
  std::string subbookDir;        // the directory found on disk

  std::unique_ptr<CEBReader> textReader;
  std::unique_ptr<CEBReader> graphicsReader;
  std::unique_ptr<CEBReader> soundReader;
  std::array<std::unique_ptr<CEBReader>, kFontSlots> fontReaders;
  int largestHalfFont = -1;      // slot 0, 2, 4 or 6 of the last half font opened
  bool specialBook = false;      // directory name ends in "ZHONG_RI"
  bool opened = false;
  bool openFailed = false;       // the last OpenSubbook could not open it

  // Closes every reader; the entry can be opened again.
  void Close();
  // Whether the text reader reads single-byte (EBG) text; false while it
  // is not open.
  bool SingleByteText() const;
};

// Fills `entry` from catalog entry `index` of `catalog` (the text reader is
// created, not opened). False when the entry is unusable (type 0xF0) or its
// directory does not exist.
bool MakeSubbookEntry(const Catalog& catalog, int index, SubbookEntry* entry);

// Opens the subbook's files. True when this call opened them; false when
// they were open already or the text file cannot be opened.
bool OpenSubbook(SubbookEntry& entry, bool languageFlag);

// The subbook's directory below the book ("" when it does not exist).
std::string SubbookPath(const SubbookEntry& entry);

#endif  // TOMELING_CATALOG_SUBBOOK_ENTRY_H_
