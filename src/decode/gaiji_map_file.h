// The text form of an external-character map: one ".MAP" file per book in
// the GAIJI folder, Shift_JIS, one mapping a line:
//
//   # comment
//   hA121 u00E9            half-width gaiji 0xA121 shows as U+00E9
//   zB021 null             full-width gaiji 0xB021 shows as nothing
//   zB022<TAB><TAB>abc     no character; "abc" as replacement text
//   h41 U0041              a 3-character code field is a one-byte code
//   gB0A1 u554A           compound table, and GB2312 cell 0xB0A1
//
// Field 1 (ended by a space, tab or line end) is a table letter, h, z, c or
// g, and 2 or 4 hexadecimal digits. Field 2 (after any further spaces,
// ended by a tab or line end) is
// "u"/"U" and 4 hexadecimal digits, or "null" for 0xFFFF; anything else is 0.
// A line whose value is a surrogate half (uD800 to uDFFF) or, written with
// more digits, beyond 16 bits (u1F600, u110000) is ignored: the map holds
// one UTF-16 unit, and such a value would show as invalid text.
// Field 3 (ended by a tab or line end) is the replacement text, of which 4
// bytes are kept. Lines with another field 1, another letter, or value 0 and
// no text are ignored. Lines are read up to 255 bytes; the rest of a longer
// line is dropped. Each table takes at most kMaxGaijiEntries entries; further
// lines for a full table are ignored, so no file makes the map grow beyond a
// fixed bound.
#ifndef TOMELING_DECODE_GAIJI_MAP_FILE_H_
#define TOMELING_DECODE_GAIJI_MAP_FILE_H_

#include <string>
#include <string_view>

#include "decode/gaiji_map.h"

inline constexpr size_t kMaxGaijiMapLine = 255;
// Most bytes of a map file read: three full tables of long lines. A FIFO
// or a device is not read at all (storage/regular_file.h).
inline constexpr size_t kMaxGaijiMapFileBytes = 16u << 20;

// Parses one line (without its line end). Returns false for a line that
// gives no entry; otherwise sets `letter` and `entry`.
bool ParseGaijiMapLine(std::string_view line, char* letter, GaijiEntry* entry);

// Reads the map file at `path` into the three tables of `record`, each
// sorted by code ("c" and "g" lines both go to the compound table). Returns
// false, changing nothing, when the file cannot be opened or is no regular
// file.
bool ReadGaijiMapFile(const std::string& path, GaijiMapRecord* record);

#endif  // TOMELING_DECODE_GAIJI_MAP_FILE_H_
