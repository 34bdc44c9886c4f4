// The areas of a subbook that serve searches and menus rather than entries:
// multi-search control areas (0xFF) over field indexes, the names of the
// search methods (0x16), the menu (0x01) and copyright (0x02) texts,
// graphic-menu areas, and colour charts (0xE0).
//
// They are written as data areas of the subbook (SubbookSource::dataAreas).
// A control area names its field indexes by page, which only the written
// book knows, so WriteBookWithSearchAreas writes the book twice: once to
// place everything, once with the control areas filled in. The areas keep
// their sizes, so nothing moves between the two.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_SEARCH_AREAS_WRITER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_SEARCH_AREAS_WRITER_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

// One multi search: its title (at most 15 JIS characters) and the indexes
// of its fields, each an index of the subbook (IndexOptions), in field
// order.
struct MultiSearchSource {
  std::string title;
  std::vector<uint8_t> fieldIndexes;
};

struct ColourChartSource {
  std::string name;  // ASCII, stored as EBCDIC (at most 20 characters)
  std::string text;  // UTF-8
};

struct SearchAreasSource {
  // One control area per element (a subbook may have several).
  std::vector<std::vector<MultiSearchSource>> multiAreas;
  // Method slots 0 to 9; "" leaves a slot unnamed. No area when all are "".
  std::array<std::string, 10> methodNames;
  // UTF-8 lines; no area when empty.
  std::vector<std::string> menu;
  std::vector<std::string> copyright;
  // Graphic-menu identifiers (0x10, 0x11, 0xEE, 0x0E, 0x0F) to list, each
  // with one page of menu text.
  std::vector<uint8_t> graphicMenus;
  std::vector<ColourChartSource> colourCharts;
};

// Escape-coded text of lines, one entry: 1F02, lines ended by 1F0A, 1F03.
bool EncodeTextArea(const std::vector<std::string>& lines, std::vector<uint8_t>* out, std::string* error);

// ASCII to EBCDIC (code page 037): letters, digits, space and . - /; other
// characters become a space.
uint8_t AsciiToEbcdic(char c);

// Writes `book` with `areas[i]` added to subbook i (missing elements add
// nothing), like WriteBook.
bool WriteBookWithSearchAreas(BookSource book, const std::vector<SearchAreasSource>& areas,
                              const std::string& dir, const WriteOptions& options, WrittenBook* written,
                              std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_SEARCH_AREAS_WRITER_H_
