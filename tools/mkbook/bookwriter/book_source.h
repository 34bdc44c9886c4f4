// The text form of a book description, read by `mkbook book`.
//
// One statement per line; '#' starts a comment line; tokens are separated
// by spaces; the last field of `subbook`, `entry`, `body` and `word` is the
// rest of the line (UTF-8, spaces kept); so is that of `menu` and
// `copyright`, and the file name of media statements. Statements apply to
// the latest subbook, entry or font above them:
//
//   book eb|epwing               kind (default epwing)
//   language 0|1                 EB LANGUAGE flag
//   catalog-storage STORAGE
//   names lower|suffix           lower-case file names / ";1" suffixes
//   subbook DIR TITLE
//     type HH                    catalog type byte (F0: never used)
//     version N                  EPWING version byte
//     index-page N               EPWING index table page
//     style-mode N               index table byte 4
//     heading-area yes|no
//     text-file honmon|honmon2
//     single-byte                text and keys in ASCII bytes
//     storage STORAGE            START / HONMON storage
//     font-storage STORAGE       GAIJI file storage
//     index HH [style AA S0 S1 S2] [headings] [fixed N|fixed auto]
//              [groups] [fill N]
//     font narrow|wide W H FIRST [file NAME]
//       glyph HEX                one glyph, width/8*height bytes in hex
//     entry HEADING
//       body LINE
//       word HH WORD             search word filed in index HH
//     group HH KEYWORD N...      keyword group of entries N (0-based)
//     menu LINE                  a line of the menu area (0x01)
//     copyright LINE             a line of the copyright area (0x02)
//     image|sound|movie NAME ... a media object (media_source.h)
//
// `body`, `menu` and `copyright` lines carry inline markup (text_markup.h).
// STORAGE is `plain`, `ebzip LEVEL`, `huffman 3|4` or `sebxa`. Numbers
// written HH are hexadecimal, the others decimal.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_SOURCE_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_SOURCE_H_

#include <string>

#include "bookwriter/book_writer.h"

// Parses `text`; false with "line N: reason" in `error` on a bad line.
// Media files are read relative to `baseDir` (the source file's folder).
bool ParseBookSource(const std::string& text, BookSource* book,
                     WriteOptions* options, std::string* error,
                     const std::string& baseDir = "");

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_SOURCE_H_
