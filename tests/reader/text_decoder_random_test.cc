// Random text through the real reader: escape codes with random parameters
// in every kind of book, from random offsets, with random page limits,
// buffer sizes and stop settings. Decoding must end inside the book, stay
// inside its buffer (checked by the fixture) and leave well-formed markup.
#include <random>
#include <string>

#include "reader/text_decoder_test_book.h"

namespace {

// Tags and entities close before the next one opens; no control bytes but
// CR LF; in two-byte books every Shift_JIS lead byte has a trail byte.
bool WellFormed(const std::string& m, bool twoByte) {
  for (size_t i = 0; i < m.size(); ++i) {
    auto c = static_cast<unsigned char>(m[i]);
    if (c == '<' || c == '&') {
      size_t end = m.find_first_of(c == '<' ? ">" : ";", i + 1);
      if (end == std::string::npos || m.find_first_of("<&", i + 1) < end) return false;
      i = end;
    } else if (c < 0x20) {
      if (c != '\r' || i + 1 >= m.size() || m[i + 1] != '\n') return false;
      ++i;
    } else if (twoByte && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))) {
      if (i + 1 >= m.size()) return false;
      ++i;
    }
  }
  return true;
}

// Mostly escape codes (a third of them known ones with valid parameters
// would be too regular; random bytes make them mis-parse in every way).
CText RandomText(std::mt19937& rng, size_t size) {
  CText t;
  while (t.Size() < size) {
    switch (rng() % 4) {
      case 0: t.Esc(static_cast<uint8_t>(rng())); break;
      case 1: t.Word(static_cast<uint16_t>(0x2121 + rng() % 0x5D5D)); break;
      case 2: t.Bcd(rng() % 10000, 2); break;
      default: t.Byte(static_cast<uint8_t>(rng())); break;
    }
  }
  return t;
}

using TextDecoderRandomTest = TextBookTest;

TEST_F(TextDecoderRandomTest, RandomTextDecodesSafelyInEveryBookKind) {
  std::mt19937 rng(4242);
  const BookKindForText kinds[] = {BookKindForText::kEb, BookKindForText::kEpwing, BookKindForText::kOther};
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    m_textAreaId = (round % 5 == 0) ? 0x10 : 0x00;
    CText text = RandomText(rng, 100 + rng() % 6000);
    OpenBook(kinds[round % 3], text, {{0x91, 3, 1}, {0x70, 2, 50}});
    m_reader->SetSingleByte(round % 7 == 0 ? 1 : 0);
    m_decoder->SetStopCode(rng() % 2 ? 0x1F41 : 0, static_cast<uint16_t>(rng() % 4));
    m_decoder->SetStopCount(static_cast<uint16_t>(rng() % 3));
    m_decoder->SetHalfWidth(rng() % 2);
    for (int call = 0; call < 8; ++call) {
      int offset = static_cast<int>(rng() % 2049);
      int maxPages = static_cast<int>(rng() % 4) - 1;
      int capacity = static_cast<int>(1 + rng() % 3000);
      bool heading = rng() % 4 == 0;
      std::string markup = heading ? Heading(offset, capacity) : Entry(offset, rng() % 2, maxPages, capacity);
      ASSERT_TRUE(WellFormed(markup, !m_reader->SingleByte())) << markup;
      // Never beyond the text area (the last page of the book), but for the
      // parameters of a code that begins on its last page.
      ASSERT_LE(TextPosition(), static_cast<int64_t>(text.Size() / 2048 + 1) * 2048 + 64);
    }
  }
}

}  // namespace
