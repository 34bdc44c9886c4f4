// Colour-chart records (area 0xE0): one record per page, numbered from 1.
// A record starts with the colour's name in EBCDIC (up to 20 bytes, ended
// by a 0 byte or by the 20th) and carries JIS X 0208 text from byte 20 on,
// which describes the colour. The layout shows "<COLCHART=n>" with it,
// looking the name up in the program's colour-name table.
#ifndef TOMELING_READER_COLOUR_CHART_H_
#define TOMELING_READER_COLOUR_CHART_H_

#include <string>

#include "reader/eb_reader.h"

// Reads record `number`: `*name` the ASCII name (at most 20 characters),
// `*text` the text as Shift_JIS. Returns 1, or 0 when the subbook has no
// colour charts or no record of that number (outputs then empty).
int ReadColourChart(CEBReader& reader, int number, std::string* name, std::string* text);

#endif  // TOMELING_READER_COLOUR_CHART_H_
