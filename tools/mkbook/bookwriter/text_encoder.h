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

struct MarkupContext;

// A reference whose six position bytes are filled in once the text is
// placed (text_markup.h).
struct TextRef {
  size_t at = 0;        // offset of the position bytes; 0 while still open
  std::string entry;    // heading of the entry it points at
  uint8_t open = 0x42;  // begin code: 0x42 link, 0x43 menu; 0 internal
  size_t target = 0;    // internal: the byte of the tail it points at
  bool inTail = false;  // `at` counts from the tail's start
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
  // `value` as `bytes` bytes of binary-coded decimal, most significant
  // first (digits beyond the width are dropped).
  void Bcd(uint32_t value, int bytes) {
    size_t end = m_bytes.size() + static_cast<size_t>(bytes);
    m_bytes.resize(end);
    for (int i = 1; i <= bytes; ++i, value /= 100)
      m_bytes[end - static_cast<size_t>(i)] = static_cast<uint8_t>((value % 10) | (value / 10 % 10) << 4);
  }
  void Pos(BookPos at) {
    Bcd(static_cast<uint32_t>(at.page), 4);
    Bcd(at.offset, 2);
  }
  // Appends UTF-8 text as JIS characters, ASCII widened; in single-byte
  // mode as ASCII bytes. False (nothing appended) when a character has no
  // such form.
  bool Text(const std::string& utf8);

  size_t Size() const { return m_bytes.size(); }
  // Position of byte `at` of an area that starts at page `startPage`.
  static BookPos PosOf(int32_t startPage, size_t at);
  std::vector<uint8_t>& Bytes() { return m_bytes; }
  std::vector<TextRef>& Links() { return m_links; }
  // Bytes that go after all entries (image-map records), appended by
  // AppendTail once the entries are written.
  std::vector<uint8_t>& Tail() { return m_tail; }
  void AppendTail();
  // What the inline markup may refer to (book kind, placed media); none
  // for plain text.
  void SetContext(const MarkupContext* context) { m_context = context; }
  const MarkupContext* Context() const { return m_context; }

 private:
  std::vector<uint8_t> m_bytes;
  std::vector<TextRef> m_links;
  std::vector<uint8_t> m_tail;
  const MarkupContext* m_context = nullptr;
  bool m_singleByte = false;
};

// Appends one entry; returns the byte offset of its keyword start.
bool EncodeEntry(const BookEntry& entry, CTextEncoder* text, size_t* start,
                 std::string* error);

// Appends a heading line; returns its byte offset.
bool EncodeHeading(const std::string& heading, CTextEncoder* text,
                   size_t* start, std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_TEXT_ENCODER_H_
