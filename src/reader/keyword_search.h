// Keyword and cross search: several words typed in one line, and only the
// entries that every word finds.
//
//   int keys = 0;
//   KeywordSearch(reader, sjisInput, &keys);   // or CrossSearch
//   reader.GetHitEntSorted(&hits, 0, keys);    // the entries all words found
//
// The input is split at ASCII spaces and ideographic spaces (0x81 0x40);
// runs of them count as one. An input that starts and ends with a double
// quote is one word with its spaces, quotes removed. The first word fills
// the hit list; each later word only raises the match level of the hits it
// finds again (hit_list.h), so `keys` is the level that keeps the entries
// found by all.
//
// Keyword indexes (0x80) file a keyword once for a group of entries, and
// only the group's first hit carries a heading; the others' headings follow
// it in the heading area. The search reads them through `headings` (a
// decoder over the reader, configured with the dictionary's stop code; a
// plain one is made when null) so that every hit lists its own heading.
#ifndef TOMELING_READER_KEYWORD_SEARCH_H_
#define TOMELING_READER_KEYWORD_SEARCH_H_

#include <string>
#include <string_view>
#include <vector>

#include "reader/eb_reader.h"
#include "reader/text_decoder.h"

// Both return the number of hits after the first word (sorted); `*keyCount`
// gets the number of words searched (0 for an empty input).
int KeywordSearch(CEBReader& reader, std::string_view input, int* keyCount, CTextDecoder* headings = nullptr);
int CrossSearch(CEBReader& reader, std::string_view input, int* keyCount, CTextDecoder* headings = nullptr);

// The words of a Shift_JIS input as the two searches split it.
std::vector<std::string> SplitSearchWords(std::string_view input);

// Fills in the heading of every hit found so far whose heading is 0:0 with
// the position where the heading of the hit before it ends.
void CompleteHeadings(CEBReader& reader, CTextDecoder* headings);

#endif  // TOMELING_READER_KEYWORD_SEARCH_H_
