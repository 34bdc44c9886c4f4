// ConvertMarkup: the byte form of the display markup (what the decoder
// writes, Shift_JIS) to the wide form (UTF-16) that the layout reads.
//
// On the way, gaiji entities that the book's external-character map knows
// become their characters ("&hA121;" -> U+00E9; a value of 0xFFFF removes
// the entity), and web addresses ("http:" or "https:" and the letters,
// digits and "%-./:_~" after it) are wrapped in "<URL>" ... "</URL>".
// Everything else keeps its syntax: each ASCII byte of a tag or entity
// becomes one unit, each text character one unit.
//
// Resolved entities:   two-byte books "&h" (half-width table, only when it
//                      has entries), "&z" (full-width), "&c" (compound);
//                      single-byte books "&h" and "&z" only.
// Addresses:           not in single-byte books, whose bytes are not
//                      Shift_JIS and convert one unit per byte.
//
// The output is bounded by `capacity` units including the terminating NUL,
// and holds whole items only: a tag, an entity, a URL insertion or a
// character that does not fit ends the conversion there (an opening "<URL>"
// that does not fit is dropped instead, and the address left plain). A "<"
// without its ">" before the end of the input is a cut tag and ends the
// conversion too. The input ends at `length` bytes or at a NUL before that.
// An address that runs to the end of the text gets no closing tag.
#ifndef TOMELING_DECODE_MARKUP_CONVERT_H_
#define TOMELING_DECODE_MARKUP_CONVERT_H_

#include <cstddef>

#include "decode/gaiji_map.h"

// What the conversion needs to know of the book the markup came from.
struct MarkupBook {
  bool singleByte = false;                  // one-byte text (half-width gaiji below 0x1F00)
  const GaijiMapRecord* gaijiMap = nullptr;  // the book's map, or none
};

// Converts `length` bytes of `in` into `out` (room for `capacity` units).
// Returns the units written before the NUL (also stored in `*outCount` when
// given); with a capacity of 0 nothing is written at all.
size_t ConvertMarkup(const MarkupBook& book, const char* in, size_t length, char16_t* out, size_t capacity,
                     size_t* outCount);

#endif  // TOMELING_DECODE_MARKUP_CONVERT_H_
