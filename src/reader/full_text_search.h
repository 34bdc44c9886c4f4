// Full-text search: a scan of a subbook's whole text area (area 0x00) for a
// word, for books whose indexes cannot find it.
//
//   FullTextSearch(reader, sjisWord, Progress, &ui);
//   reader.GetHitEntSorted(&hits);
//
// Every occurrence counts, also one that runs across a page end. Two-byte
// books are compared code by code with full-width letters folded to upper
// case; inside a match the text may carry escape codes (0x1Fxx) and
// ideographic spaces (0x2121) that the word does not, so markup and spacing
// do not hide a word. Single-byte books are compared byte by byte, folding
// ASCII case. A hit is the start of the entry holding the match: the last
// entry boundary at or before the match (the dictionary's stop code when
// one is configured, else the escape 0x1F41 or 0x1F02; the area start
// before the first). Several matches in one entry give one hit.
//
// Speed. The area is read in runs of pages and searched for the word's
// first code, eight codes at a time (memchr for the first byte in
// single-byte books); only candidates are compared further, and entry
// boundaries are looked for backwards from a candidate. The results are
// those of a plain scan over every code.
//
// The progress callback runs before every page, with the hits so far, the
// pages of the area and the index of the page about to be read; it is the
// place to let the user abort (CHitList::Abort), which ends the search with
// the hits of the pages read, sorted. A hit refused by a full hit list ends
// the search too.
//
// Damage. The scan covers the area's pages only as far as the file holds
// them (an area may claim two billion), and the first page that cannot be
// read ends it with the hits of the pages before.
#ifndef TOMELING_READER_FULL_TEXT_SEARCH_H_
#define TOMELING_READER_FULL_TEXT_SEARCH_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/eb_reader.h"

using FullTextProgress = void (*)(void* userData, int hits, int pages, int pageIndex);

// The dictionary's configured entry boundary: an escape and the parameter
// word it must carry (code 0: none, the default boundaries apply).
struct FullTextStop {
  uint16_t code = 0;
  uint16_t param = 0;
};

// Returns the number of hits (sorted). `progress` may be null.
int FullTextSearch(CEBReader& reader, std::string_view key, FullTextProgress progress, void* userData,
                   FullTextStop stop = {});

// The word as the scan compares it: single-byte mode, the bytes upper-cased;
// otherwise big-endian JIS codes, single-byte characters widened, letters
// upper-cased, ideographic spaces removed. Empty when nothing is left.
std::string FullTextKey(std::string_view key, bool singleByte);

#endif  // TOMELING_READER_FULL_TEXT_SEARCH_H_
