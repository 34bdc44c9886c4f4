// Inline markup of `body`, `menu` and `copyright` lines: the text features
// of a book written from a readable source instead of hand-written escape
// bytes. Where EB and EPWING books need different codes, the book's kind
// picks them; a tag the kind has no code for fails the write.
//
//   {b}…{/b}            bold            1FE0 0000 … 1FE1
//   {i}…{/i}            italic          1FE0 0001 … 1FE1
//   {u}…{/u}            emphasis        1F12 … 1F13 (underline in EB
//                                       books, bold in EPWING books)
//   {sub}…{/sub}        subscript       1F06 … 1F07
//   {sup}…{/sup}        superscript     1F0E … 1F0F
//   {narrow}…{/narrow}  narrow span     1F04 … 1F05
//   {nobr}…{/nobr}      no-break span   1F10 … 1F11
//   {table}…{/table}    table region    1F0B … 1F0C
//   {key}…{/key}        keyword span    1F41 0000 … 1F61
//   {indent N}          indent N        1F09 + N as 2 BCD bytes
//   {tab N}             tab column N    1F1A + N as 2 BCD bytes (EPWING)
//   {nl}                new line        1F0A
//   {nonl}…{/nonl}      new lines dropped  1FFE … 1FFF (EB)
//   {col C}…{/col}      colour          1FA2 C … 1FA3 (EB); C a colour
//                                       name or 4 hex digits
//   {colchart N}        colour chart N  1F14 1E nn … 00 00 (EPWING)
//   {compound}…{/compound}  one compound character  1F1C … 1F1D (EB)
//   {gaiji XXXX}        external character with the 4 hex digits as code
//                       (the font's range decides half or full width)
//   {link NAME}…{/link} reference       1F42 … 1F62 + position
//   {menu NAME}…{/menu} menu item       1F43 … 1F63 + position
//                       (the text position of the first entry headed
//                       NAME, filled in when the text is placed)
//   {fig NAME}…{/fig}   image NAME with a caption: monochrome 1F44 …
//                       1F64 (EPWING), EB 1F31 … 1F51; colour as {cfig}
//                       in EPWING books, EB 1F31 0001 … 1F51
//   {cfig NAME}…{/cfig} colour image    1F4D … 1F6D
//   {inline NAME}       inline image    1F3C … 1F5C
//   {map NAME}…{area X Y W H ENTRY}…{/map}
//                       image map: EPWING 1F4C <figure> 1F4F … 1F6F per
//                       area 1F6C; EB 1F32/1F3F … 1F52/1F5F pointing at a
//                       1F45 … 1F65 record after the entries
//   {sound NAME}…{/sound}  EPWING PCM 1F4A … 1F6A, EB XA 1F33 … 1F53
//   {movie NAME}…{/movie}  movie        1F39 … 1F59
//   {{                  a literal "{"
//
// Media NAMEs are SubbookSource::media objects, placed before the text
// (media_placement.h). Objects do not nest and close on their own line;
// links and menu items may run over lines. Anything else in braces is
// text, so older sources read as before.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/media_placement.h"
#include "bookwriter/text_encoder.h"

struct MarkupContext {
  BookKind kind = BookKind::kEpwing;
  const PlacedMedia* media = nullptr;
};

// Appends one line; false (with the reason) when its text has no JIS form
// or a tag's argument is bad.
bool EncodeBodyLine(const std::string& line, CTextEncoder* text, std::string* error);

// False (with the name) when a link or menu item names no entry's heading
// or is left open.
bool CheckLinks(CTextEncoder& text, const std::vector<BookEntry>& entries, std::string* error);

// Writes each reference's target: the text position of the entry it
// names, the entries' text starting at `textOff` bytes of an area from
// `textStart`; references into this text itself (image-map records) from
// `ownStart`.
void ResolveLinks(CTextEncoder* text, const std::vector<BookEntry>& entries, const std::vector<size_t>& textOff,
                  int32_t textStart, int32_t ownStart);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_MARKUP_H_
