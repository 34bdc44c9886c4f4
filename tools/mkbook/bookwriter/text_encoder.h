// Entry text as a book stores it: JIS X 0208 characters and 0x1Fxx escape
// codes, appended to one growing text area.
//
// An entry is laid out as
//   1F02  <- text position recorded one code later, at the keyword start
//   1F41 0100  heading  1F61  1F0A
//   body line 1F0A ... body line 1F0A
//   1F03
// so a reader that starts at the recorded position (or steps back over the
// 1F02) sees the heading first and stops at the 1F03 or at the next
// keyword start. Headings in a heading area are the heading's characters
// followed by 1F0A, which ends a heading read.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_ENCODER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_ENCODER_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bookwriter/book_writer.h"

enum : uint8_t {
  kEscBeginText = 0x02,
  kEscEndText = 0x03,
  kEscNewline = 0x0A,
  kEscKeywordStart = 0x41,
  kEscKeywordEnd = 0x61,
};

class CTextEncoder {
 public:
  // Text goes in as single bytes instead of JIS characters.
  void SetSingleByte(bool on) { m_singleByte = on; }
  void Escape(uint8_t code) { Word(static_cast<uint16_t>(0x1F00 | code)); }
  void Word(uint16_t w) {
    m_bytes.push_back(static_cast<uint8_t>(w >> 8));
    m_bytes.push_back(static_cast<uint8_t>(w));
  }
  // Appends UTF-8 text as JIS characters, ASCII widened; in single-byte
  // mode as ASCII bytes. False (nothing appended) when a character has no
  // such form.
  bool Text(const std::string& utf8);

  size_t Size() const { return m_bytes.size(); }
  // Position of byte `at` of an area that starts at page `startPage`.
  static BookPos PosOf(int32_t startPage, size_t at);
  std::vector<uint8_t>& Bytes() { return m_bytes; }
  // Link targets by entry heading, filled in once the text is placed
  // (text_markup.h): byte offset of the six position bytes, heading.
  std::vector<std::pair<size_t, std::string>>& Links() { return m_links; }

 private:
  std::vector<uint8_t> m_bytes;
  std::vector<std::pair<size_t, std::string>> m_links;
  bool m_singleByte = false;
};

// Appends one entry; returns the byte offset of its keyword start.
bool EncodeEntry(const BookEntry& entry, CTextEncoder* text, size_t* start,
                 std::string* error);

// Appends a heading line; returns its byte offset.
bool EncodeHeading(const std::string& heading, CTextEncoder* text,
                   size_t* start, std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_ENCODER_H_
