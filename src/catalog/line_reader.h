// CLineReader: the lines of the program's small text files (group lists,
// the search-word history, the key table), read with a fixed line buffer.
//
// A line ends at a line feed or a carriage return, neither kept, so CR LF
// files read as LF files with an empty line after each line; callers skip
// empty lines. A NUL byte ends the useful part of its line, as it would in
// the C strings these files were always parsed into. A line longer than the
// buffer is either cut (the rest dropped) or split (the rest read as the
// next line), so memory stays bounded whatever the file holds.
//
// The reader works over bytes in memory: the files are read whole, and
// only when they are regular files, with storage/regular_file.h.
#ifndef TOMELING_CATALOG_LINE_READER_H_
#define TOMELING_CATALOG_LINE_READER_H_

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

class CLineReader {
 public:
  enum class LongLines { kCut, kSplit };

  // Reads `text`; lines hold at most `limit` bytes (at least 1).
  CLineReader(std::string_view text, size_t limit, LongLines mode);

  // The next line into `*line`; false at the end of the input.
  bool Next(std::string* line);

 private:
  int Get();           // next byte, or EOF
  void Unget(int c);   // pushes back one byte (only after Get)

  std::string_view m_text;
  size_t m_pos = 0;
  size_t m_limit;
  LongLines m_mode;
  int m_pushed = EOF;
};

#endif  // TOMELING_CATALOG_LINE_READER_H_
