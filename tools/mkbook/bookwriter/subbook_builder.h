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
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

// Identifier under which the heading area is listed.
constexpr uint8_t kHeadingAreaId = 0x05;

bool BuildSubbookText(const SubbookSource& sub, BookKind kind,
                      std::vector<uint8_t>* file, WrittenSubbook* written,
                      std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_SUBBOOK_BUILDER_H_
