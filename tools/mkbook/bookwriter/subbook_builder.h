// The text file of one subbook (EB START, EPWING HONMON) as plain bytes:
// the index table page, the text area, the heading area, one area per
// index and, for EB books, the font areas. Storage compression is applied
// afterwards by the caller.
//
// File layout, in pages:
//   index table (page 1, or the catalog's index page for EPWING)
//   0x00 text area      every entry, see text_encoder.h
//   0x05 heading area   entry headings, then the runs of keyword groups
//   one area per index, in the order the source lists them
//   0xF2, 0xF1 font areas (EB only)
//   0x01 menu, 0x02 copyright (when the source has them)
//   the source's data areas
// An EB subbook with images has their area 0xD1 right after the index
// table (media_placement.h), so that it is placed before the text that
// points into it.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "bookwriter/media_placement.h"

// Identifier under which the heading area is listed.
constexpr uint8_t kHeadingAreaId = 0x05;

// `media` receives the files of the subbook's media objects, which the
// caller writes beside the text file.
bool BuildSubbookText(const SubbookSource& sub, BookKind kind,
                      std::vector<uint8_t>* file, WrittenSubbook* written,
                      std::string* error, PlacedMedia* media);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_
