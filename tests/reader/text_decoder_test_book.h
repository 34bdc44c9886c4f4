// Test support for the text decoder: a builder for escape-coded text and a
// fixture that writes it as the text file of a book (an index table on page
// 1, the text from page 2) and opens it with CEBReader, so that the decoder
// runs over the real page cursor.
#ifndef TOMELING_TESTS_READER_TEXT_DECODER_TEST_BOOK_H_
#define TOMELING_TESTS_READER_TEXT_DECODER_TEST_BOOK_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

// Escape-coded text, big-endian like the books.
class CText {
 public:
  CText& Byte(uint8_t b) {
    m_bytes.push_back(b);
    return *this;
  }
  CText& Word(uint16_t w) { return Byte(static_cast<uint8_t>(w >> 8)).Byte(static_cast<uint8_t>(w)); }
  CText& Esc(uint8_t low) { return Byte(0x1F).Byte(low); }
  // `value` as 2 * `n` decimal digits.
  CText& Bcd(uint32_t value, int n) {
    std::vector<uint8_t> out(static_cast<size_t>(n));
    for (int i = n - 1; i >= 0; --i) {
      out[static_cast<size_t>(i)] = static_cast<uint8_t>((value % 10) | (value / 10 % 10) << 4);
      value /= 100;
    }
    m_bytes.insert(m_bytes.end(), out.begin(), out.end());
    return *this;
  }
  CText& Pos(uint32_t page, uint32_t offset) { return Bcd(page, 4).Bcd(offset, 2); }
  CText& Append(const CText& other) {
    m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
    return *this;
  }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }
  size_t Size() const { return m_bytes.size(); }

 private:
  std::vector<uint8_t> m_bytes;
};

// JIS X 0208 codes used in the tests and their Shift_JIS bytes.
constexpr uint16_t kJisA = 0x2422;          // あ
inline const std::string kSjisA = "\x82\xA0";

enum class BookKindForText { kEb, kEpwing, kOther };

constexpr int32_t kTextPage = 2;

class TextBookTest : public ::testing::Test {
 protected:
  struct Area {
    uint8_t id;
    uint32_t start;
    uint32_t count;
  };

  // Writes `text` from page 2 of a text file of the given kind, behind an
  // index table listing the text (area 0) and `extra` areas, and opens it.
  void OpenBook(BookKindForText kind, const CText& text, const std::vector<Area>& extra = {}) {
    std::vector<uint8_t> file(2048, 0);
    uint32_t textPages = static_cast<uint32_t>(text.Size() / 2048 + 1);
    uint32_t areaPages = m_textPages > 0 ? static_cast<uint32_t>(m_textPages) : textPages;
    std::vector<Area> areas{{m_textAreaId, kTextPage, areaPages}};
    areas.insert(areas.end(), extra.begin(), extra.end());
    file[1] = static_cast<uint8_t>(areas.size());
    for (size_t i = 0; i < areas.size(); ++i) {
      uint8_t* e = &file[16 + 16 * i];
      e[0] = areas[i].id;
      for (int k = 0; k < 4; ++k) {
        e[2 + k] = static_cast<uint8_t>(areas[i].start >> (24 - 8 * k));
        e[6 + k] = static_cast<uint8_t>(areas[i].count >> (24 - 8 * k));
      }
    }
    file.insert(file.end(), text.Bytes().begin(), text.Bytes().end());
    file.resize(static_cast<size_t>(textPages + 1) * 2048, 0);
    const char* name = kind == BookKindForText::kEb       ? "sub/START"
                       : kind == BookKindForText::kEpwing ? "sub/DATA/HONMON"
                                                          : "sub/DATA/HONMONS";
    m_decoder.reset();
    m_source.reset();
    m_reader = std::make_unique<CEBReader>();
    ASSERT_EQ(m_reader->Open(m_dir.Write(name, file), 1, 0), 1);
    m_source = std::make_unique<CReaderTextSource>(*m_reader);
    m_decoder = std::make_unique<CTextDecoder>(*m_source);
  }

  // Decodes the entry text from `offset` of the first text page.
  std::string Entry(int offset = 0, bool stopAtNext = false, int maxPages = 0, int capacity = 8192) {
    return Decode(EntryHookTable(), offset, stopAtNext, maxPages, capacity);
  }
  std::string Heading(int offset = 0, int capacity = 2048) {
    return Decode(HeadingHookTable(), offset, true, 0, capacity);
  }

  std::string Decode(const TextHookTable& table, int offset, bool stopAtNext, int maxPages, int capacity) {
    m_reader->SeekPage(kTextPage);
    if (offset > 0) m_reader->SeekOffset(offset);
    std::vector<char> buffer(static_cast<size_t>(capacity) + 1, '\x55');
    int length = -1;
    int n = m_decoder->DecodeText(table, buffer.data(), capacity, &length, stopAtNext, maxPages);
    EXPECT_EQ(n, length);
    EXPECT_LT(n, capacity);
    EXPECT_EQ(buffer[static_cast<size_t>(n)], '\0');
    EXPECT_EQ(buffer[static_cast<size_t>(capacity)], '\x55') << "wrote past the capacity";
    return std::string(buffer.data(), static_cast<size_t>(n));
  }

  // Where the cursor stands, as bytes from the start of the text.
  int64_t TextPosition() const {
    return (static_cast<int64_t>(m_reader->CurrentPage()) - kTextPage) * 2048 + m_reader->CurrentOffset();
  }

  int m_textPages = 0;  // pages of the text area; 0: as many as the text needs
  uint8_t m_textAreaId = 0x00;
  CTempDir m_dir;
  std::unique_ptr<CEBReader> m_reader;
  std::unique_ptr<CReaderTextSource> m_source;
  std::unique_ptr<CTextDecoder> m_decoder;
};

#endif  // TOMELING_TESTS_READER_TEXT_DECODER_TEST_BOOK_H_
