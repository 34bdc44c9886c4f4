// How one dictionary of the book list is shown: what its "profile.ini"
// record changes between the book and the screen, gathered in one place
// for the content view and the command-line renderer.
//
//   reader    opened and configured with the record (index styles, seion,
//             strict, single-byte mode), as every search uses it;
//   decoder   the record's stop code and count, code rules and half-width
//             flag (ConfigureDecoder);
//   gaiji     "&h" and "&z" entities resolved through the ".MAP" file the
//             record names (GAIJIMAP) in the GAIJI folder;
//   face      the EBXA-C face for a book the record marks EBXA-C (or whose
//             directory is "ZHONG_RI"), else the EBG face for a reader in
//             single-byte mode, else the Japanese face.
//
// Without a record the book is shown as it stands.
#ifndef TOMELING_SHELL_DICT_DISPLAY_H_
#define TOMELING_SHELL_DICT_DISPLAY_H_

#include <cstdint>
#include <string>

class CBookList;
class CSettings;
struct DictConfig;
struct GaijiMapRecord;
struct SubbookEntry;

struct DictDisplay {
  SubbookEntry* entry = nullptr;  // opened, with a text reader; else nullptr
  const DictConfig* config = nullptr;
  const GaijiMapRecord* gaijiMap = nullptr;
  bool ebxac = false;  // the record's EBXA-C flag
  bool ebg = false;    // the reader reads single-byte (EBG) text
};

// Opens dictionary i of `list` and applies its record; `settings` must have
// had the list handed to ApplyDictConfigs. `entry` is nullptr when the
// dictionary cannot be opened.
DictDisplay PrepareDisplay(CSettings& settings, CBookList& list, int i);

// The entry at page:offset in the wide markup the layout reads: decoded up
// to the next entry (at most `pageLimit` pages, 0 for no limit) and
// converted through the dictionary's map. Empty without an entry.
std::u16string DecodeEntryWide(const DictDisplay& display, int32_t page, int offset, int pageLimit = 0);

#endif  // TOMELING_SHELL_DICT_DISPLAY_H_
