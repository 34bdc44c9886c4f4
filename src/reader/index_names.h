// Index identifiers: their names and the leaf layout class of the word
// indexes.
//
// An area of a subbook is known by a one-byte identifier (0x00 the text,
// 0x90 the kana word index, 0xF1 the 16-dot font, ...). The names are the
// ones the books' own documentation uses, shown in the index list and in
// the field list of the multi-field search. EB books name three of them
// differently (0x09, 0x21, 0x22).
#ifndef TOMELING_READER_INDEX_NAMES_H_
#define TOMELING_READER_INDEX_NAMES_H_

#include <cstdint>
#include <string>

// UTF-8 name of identifier `id`; an identifier without a name of its own
// gets the name of its range, or "" when it is in none.
const char* IndexName(uint8_t id, bool ebBook);

// "[%02X]%s": the identifier in hex followed by its name.
std::string IndexDisplayName(uint8_t id, bool ebBook);

// How the leaf entries of an index are laid out (see index_search.cc):
// 1 for 0x30 0x40 0x50 0x60; 2 for 0x61 0x70-0x72 0x90-0x92; 3 for 0x80
// 0x81; 4 for 0xA0 0xA1; 0 for identifiers that are no word index.
int IndexClass(uint8_t id);

// Indexes read from the end of the word (0x70 to 0x72).
inline bool IsEndwordIndex(uint8_t id) { return id >= 0x70 && id <= 0x72; }
// Kana indexes (0x30, 0x70, 0x90).
inline bool IsKanaIndex(uint8_t id) { return id == 0x30 || id == 0x70 || id == 0x90; }

#endif  // TOMELING_READER_INDEX_NAMES_H_
