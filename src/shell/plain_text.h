// Plain text of headings and entries, for the command-line tool and
// anything else that prints rather than draws: the decoder's markup with
// its tags taken out, entities resolved and the text turned into UTF-8.
// External characters have no glyphs here and print as "_" (half-width) or
// "__" (full-width), as copied text does.
#ifndef TOMELING_SHELL_PLAIN_TEXT_H_
#define TOMELING_SHELL_PLAIN_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "reader/hit_list.h"

class CEBReader;
struct DictConfig;
struct GaijiMapRecord;

// UTF-8 <-> UTF-16 for the program's edges (arguments, terminal output).
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);
// UTF-8 as typed in Shift_JIS (code page 932), as search keys are.
std::string Utf8ToCp932(std::string_view text);

// Byte-form markup (Shift_JIS, or single bytes for a single-byte book) in
// the wide form the layout reads, gaiji resolved through `map` (may be
// null). Nothing of it is lost for want of room.
std::u16string WideMarkup(std::string_view markup, bool singleByte, const GaijiMapRecord* map);

// Byte-form markup as UTF-8 text, gaiji resolved through `map` where it
// has them; lines end in "\n".
std::string MarkupToPlain(std::string_view markup, bool singleByte = false, const GaijiMapRecord* map = nullptr);

// The byte-form markup of `hit`'s heading, and of the entry at page:offset
// (reading at most `pageLimit` pages, 0 for no limit; at most `capacity`
// bytes, 0 for as much as the decoder writes; up to the next entry with
// `stopAtNext`), decoded with the dictionary's configuration; `config` may
// be null.
std::string HeadingMarkup(CEBReader& reader, const DictConfig* config, const HitEntry& hit);
std::string EntryMarkup(CEBReader& reader, const DictConfig* config, int32_t page, int offset, int pageLimit,
                        int capacity = 0, bool stopAtNext = true);

// The heading of `hit` and the text of its entry, read through the
// dictionary's configuration (stop code, code rules) and its external-
// character map; `config` and `map` may be null.
std::string HeadingPlain(CEBReader& reader, const DictConfig* config, const HitEntry& hit,
                         const GaijiMapRecord* map = nullptr);
std::string EntryPlain(CEBReader& reader, const DictConfig* config, const HitEntry& hit,
                       const GaijiMapRecord* map = nullptr);

#endif  // TOMELING_SHELL_PLAIN_TEXT_H_
