// Helpers shared by the reader and catalog tests: Shift_JIS from UTF-8
// literals, and books written by the project's book writer into a scratch
// directory.
#ifndef TOMELING_TESTS_READER_READER_TEST_UTIL_H_
#define TOMELING_TESTS_READER_READER_TEST_UTIL_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "common/temp_dir.h"
#include "decode/char_conv.h"
#include "decode/cp932.h"
#include "decode/utf8.h"

// Code page 932 bytes of a UTF-8 literal.
inline std::string Sjis(const std::string& utf8) {
  std::u16string wide(utf8.size(), u'\0');
  long n = Utf8ToUtf16(utf8.data(), utf8.size(), wide.data());
  wide.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return Utf16ToCp932(wide);
}

// UTF-8 of code page 932 bytes.
inline std::string Utf8(const std::string& sjis) {
  std::u16string wide = Cp932ToUtf16(sjis);
  std::string out(wide.size() * 3, '\0');
  out.resize(Utf16ToUtf8(wide.data(), wide.size(), out.data(), out.size()));
  return out;
}

// JIS X 0208 key bytes of a UTF-8 literal of two-byte characters.
inline std::string JisOf(const std::string& utf8) {
  std::string sjis = Sjis(utf8), out(sjis.size() + 1, '\0');
  out.resize(SjisStringToJis(out.data(), sjis.data(), sjis.size()));
  return out;
}

inline BookEntry Entry(const std::string& heading, std::vector<SearchWord> words) {
  BookEntry e;
  e.heading = heading;
  e.body = {heading + " の本文"};
  e.words = std::move(words);
  return e;
}

inline IndexOptions Index(uint8_t id, std::array<uint8_t, 4> style = {0, 0, 0, 0}, int keyLength = 0,
                          bool groups = false, int pageFill = 0) {
  IndexOptions options;  // by field: the writer's options grow
  options.id = id;
  options.style = style;
  options.keyLength = keyLength;
  options.groups = groups;
  options.pageFill = pageFill;
  return options;
}

inline KeywordGroup Group(uint8_t id, const std::string& keyword, std::vector<int> members) {
  KeywordGroup group;
  group.indexId = id;
  group.keyword = keyword;
  group.members = std::move(members);
  return group;
}

inline WriteOptions Names(bool lowerCase, bool versionSuffix) {
  WriteOptions options;
  options.lowerCaseNames = lowerCase;
  options.versionSuffix = versionSuffix;
  return options;
}

// Writes `book` below `dir` (subdirectory `name`); fails the test on error.
inline WrittenBook Write(const BookSource& book, const CTempDir& dir, const std::string& name = "book",
                         WriteOptions options = {}) {
  WrittenBook written;
  std::string error;
  EXPECT_TRUE(WriteBook(book, dir.File(name), options, &written, &error)) << error;
  return written;
}

#endif  // TOMELING_TESTS_READER_READER_TEST_UTIL_H_
