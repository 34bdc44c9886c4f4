// Inline markup of `body` lines: the text features of a book written from
// a readable source instead of hand-written escape bytes.
//
//   {b}…{/b}            bold            1FE0 0000 … 1FE1
//   {i}…{/i}            italic          1FE0 0001 … 1FE1
//   {sub}…{/sub}        subscript       1F06 … 1F07
//   {sup}…{/sup}        superscript     1F0E … 1F0F
//   {narrow}…{/narrow}  narrow span     1F04 … 1F05
//   {indent N}          indent N        1F09 + N as 2 BCD bytes
//   {nl}                new line        1F0A
//   {gaiji XXXX}        external character with the 4 hex digits as code
//                       (the font's range decides half or full width)
//   {link NAME}…{/link} reference      1F42 … 1F62 + the text position of
//                       the first entry headed NAME (filled in when the
//                       text is placed)
//   {{                  a literal "{"
//
// Anything else in braces is text, so older sources read as before.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/text_encoder.h"

// Appends one body line; false (with the reason) when its text has no JIS
// form or a tag's argument is bad.
bool EncodeBodyLine(const std::string& line, CTextEncoder* text, std::string* error);

// False (with the name) when a link names no entry's heading.
bool CheckLinks(CTextEncoder& text, const std::vector<BookEntry>& entries, std::string* error);

// Writes each link's target: the text position of the entry it names, the
// entries' text starting at `textOff` bytes of an area from `textStart`.
void ResolveLinks(CTextEncoder* text, const std::vector<BookEntry>& entries, const std::vector<size_t>& textOff,
                  int32_t textStart);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_
