#include "decode/sjis_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

// "表" is 0x95 0x5C: its trail byte is a backslash. "ア" is 0x83 0x41: its
// trail byte is "A". "　" (0x81 0x40) has "@" as trail byte.
#define HYO "\x95\x5C"
#define KATA_A "\x83\x41"
#define IDEO_SPACE "\x81\x40"

TEST(SjisWalkTest, CountsAndAdvancesByWholeCharacters) {
  const char* s = "a" HYO "b" KATA_A "\\";
  EXPECT_EQ(SjisCharCount(s), 5u);
  EXPECT_EQ(SjisByteCount(s, 2), 3u);
  EXPECT_EQ(SjisByteCount(s, 99), 7u);
  EXPECT_EQ(SjisAdvance(s, 4), s + 6);
  EXPECT_EQ(SjisAdvance(s, 0), s);

  size_t len = 0;
  EXPECT_EQ(SjisCharAt(s + 1, &len), 0x955Cu);
  EXPECT_EQ(len, 2u);

  // A lone lead byte ends the string, wherever the walk meets it.
  const char* cut = "ab" HYO "\x95";
  EXPECT_EQ(SjisCharCount(cut), 3u);
  EXPECT_EQ(SjisAdvance(cut, 9), cut + 4);
  EXPECT_EQ(SjisCharAt(cut + 4, &len), 0u);
  EXPECT_EQ(len, 0u);
  EXPECT_EQ(SjisCharCount(""), 0u);
}

TEST(SjisCompareTest, OrdersByCharacterValue) {
  EXPECT_EQ(SjisCompare(HYO "x", HYO "x"), 0);
  EXPECT_LT(SjisCompare("a", "ab"), 0);
  EXPECT_GT(SjisCompare("ab", "a"), 0);
  // Every two-byte character is above every single byte, even 0xFF-ish ones
  // (a signed-char compare gets this wrong).
  EXPECT_GT(SjisCompare(IDEO_SPACE, "\x7E"), 0);
  EXPECT_LT(SjisCompare("\xA0", IDEO_SPACE), 0);
  EXPECT_LT(SjisCompare("\x81\x40", "\x81\x41"), 0);
  // A string cut at a lone lead byte equals the string without it.
  EXPECT_EQ(SjisCompare("ab\x95", "ab"), 0);

  EXPECT_EQ(SjisCompareN(HYO "abc", HYO "abd", 3), 0);
  EXPECT_LT(SjisCompareN(HYO "abc", HYO "abd", 4), 0);
  EXPECT_EQ(SjisCompareN("x", "y", 0), 0);
}

TEST(SjisCompareTest, IgnoringCaseFoldsAsciiAndFullWidthLettersOnly) {
  EXPECT_EQ(SjisCompareNoCase("Hello", "hELLO"), 0);
  // Full-width "ａｂ" (0x8281 0x8282) against "ＡＢ" (0x8260 0x8261).
  EXPECT_EQ(SjisCompareNoCase("\x82\x81\x82\x82", "\x82\x60\x82\x61"), 0);
  // No folding across widths, and none of trail bytes that look like
  // letters: 0x8A61 and 0x8A41 are different kanji.
  EXPECT_NE(SjisCompareNoCase("a", "\x82\x60"), 0);
  EXPECT_NE(SjisCompareNoCase("\x8A\x61", "\x8A\x41"), 0);
  EXPECT_NE(SjisCompareNoCase(KATA_A, "\x83\x61"), 0);
  EXPECT_LT(SjisCompareNoCase("a", "B"), 0);
  EXPECT_EQ(SjisCompareNoCaseN("abX", "ABy", 2), 0);
  EXPECT_NE(SjisCompareNoCaseN("abX", "ABy", 3), 0);
}

TEST(SjisCopyTest, CopiesAndAppendsWholeCharactersWithinCapacity) {
  char buf[8];
  EXPECT_EQ(SjisCopyN(buf, sizeof buf, "a" HYO "b", 2), 3u);
  EXPECT_STREQ(buf, "a" HYO);
  // Room for 5 bytes before the NUL: the two-byte character that would
  // need the sixth and seventh is left out whole.
  char small[6];
  EXPECT_EQ(SjisCopyN(small, sizeof small, "abcd" HYO "e", 9), 4u);
  EXPECT_STREQ(small, "abcd");
  EXPECT_EQ(SjisCopyN(small, sizeof small, "ab\x95", 9), 2u);
  EXPECT_STREQ(small, "ab");
  EXPECT_EQ(SjisCopyN(small, 0, "abc", 9), 0u);

  std::strcpy(buf, HYO);
  EXPECT_EQ(SjisAppendN(buf, sizeof buf, "x" KATA_A "yz", 3), 6u);
  EXPECT_STREQ(buf, HYO "x" KATA_A "y");
  EXPECT_EQ(SjisAppendN(buf, sizeof buf, KATA_A, 1), 6u);  // 2 bytes + NUL > 1
  EXPECT_STREQ(buf, HYO "x" KATA_A "y");
  EXPECT_EQ(SjisAppendN(buf, sizeof buf, "z", 1), 7u);
  EXPECT_STREQ(buf, HYO "x" KATA_A "yz");
}

TEST(SjisEditTest, ReverseAndCaseKeepTwoByteCharactersIntact) {
  char s[] = "a" HYO "b" KATA_A "c";
  SjisReverse(s);
  EXPECT_STREQ(s, "c" KATA_A "b" HYO "a");
  char one[] = HYO;
  SjisReverse(one);
  EXPECT_STREQ(one, HYO);
  char empty[] = "";
  SjisReverse(empty);
  EXPECT_STREQ(empty, "");
  char cut[] = "ab" HYO "\x95";
  SjisReverse(cut);
  EXPECT_STREQ(cut, HYO "ba\x95");

  // 0x8A61 has trail "a" and 0x8341 trail "A": neither may change.
  char mixed[] = "x\x8A\x61y" KATA_A "Z";
  SjisToUpper(mixed);
  EXPECT_STREQ(mixed, "X\x8A\x61Y" KATA_A "Z");
  SjisToLower(mixed);
  EXPECT_STREQ(mixed, "x\x8A\x61y" KATA_A "z");
}

TEST(SjisSearchTest, NeverMatchesInsideATwoByteCharacter) {
  const char* s = "a" HYO "b\\c";
  EXPECT_EQ(SjisFindChar(s, '\\'), s + 4);
  const char* twice = HYO "\\x\\" HYO;
  EXPECT_EQ(SjisFindLastChar(twice, '\\'), twice + 4);
  EXPECT_EQ(SjisFindLastChar(HYO, '\\'), nullptr);
  EXPECT_EQ(SjisFindChar(HYO HYO, '\\'), nullptr);
  EXPECT_EQ(SjisFindChar(s, 0x955C), s + 1);
  EXPECT_EQ(SjisFindChar(s, 'z'), nullptr);
  EXPECT_EQ(SjisFindChar(s, 0), s + std::strlen(s));
  const char* kata = KATA_A "A";
  EXPECT_EQ(SjisFindChar(kata, 'A'), kata + 2);

  // 0x81 0x81 then "@": the bytes "\x81\x40" straddle two characters.
  const char* straddle = "\x81\x81@";
  EXPECT_EQ(SjisFindString(straddle, IDEO_SPACE), nullptr);
  EXPECT_EQ(SjisFindString(straddle, "@"), straddle + 2);
  EXPECT_EQ(SjisFindString(s, "b\\"), s + 3);
  EXPECT_EQ(SjisFindString(s, ""), s);
  EXPECT_EQ(SjisFindString(HYO, "\\"), nullptr);

  EXPECT_EQ(SjisFindAny(s, "\\c"), s + 4);
  EXPECT_EQ(SjisFindAny(s, "z" HYO), s + 1);
  EXPECT_EQ(SjisFindAny(HYO, "\\\x95"), nullptr);

  EXPECT_EQ(SjisSpan(HYO "a" HYO "b", "a" HYO), 5u);
  EXPECT_EQ(SjisSpan(HYO, "\\"), 0u);
  EXPECT_EQ(SjisSpanNot("ab" HYO "\\", "\\"), 4u);
  EXPECT_EQ(SjisSpanNot("ab" HYO, "x"), 4u);
}

TEST(SjisTokenizeTest, SplitsAtSingleAndTwoByteDelimiters) {
  char s[] = IDEO_SPACE " " HYO "\\a" IDEO_SPACE "b\\\\" KATA_A "\x95";
  const char* delims = " \\" IDEO_SPACE;
  char* context = nullptr;
  char* token = SjisTokenize(s, delims, &context);
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, HYO);  // not cut at the trail byte 0x5C
  token = SjisTokenize(nullptr, delims, &context);
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, "a");
  token = SjisTokenize(nullptr, delims, &context);
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, "b");
  token = SjisTokenize(nullptr, delims, &context);
  ASSERT_NE(token, nullptr);
  EXPECT_STREQ(token, KATA_A);  // the lone lead byte after it is dropped
  EXPECT_EQ(SjisTokenize(nullptr, delims, &context), nullptr);
  EXPECT_EQ(SjisTokenize(nullptr, delims, &context), nullptr);

  char only[] = "  ";
  EXPECT_EQ(SjisTokenize(only, delims, &context), nullptr);
}

TEST(SjisWalkTest, RandomBytesKeepEveryWalkOnCharacterBoundaries) {
  // Lead bytes, ASCII-looking trails, NULs and lone leads at the end, in
  // every mixture: the walks must agree with each other and never step
  // past the terminating NUL (the sanitizer build checks the reads).
  std::mt19937 rng(4471);
  const unsigned char alphabet[] = {'a', 'A', '\\', '@', ' ', 0x81, 0x95, 0x9F,
                                    0xE0, 0xFC, 0x40, 0x5C, 0x7F, 0xA0, 0xFD, 0};
  for (int round = 0; round < 2000; ++round) {
    std::string s(rng() % 12, '\0');
    for (char& c : s) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
    const char* p = s.c_str();
    size_t count = SjisCharCount(p);
    const char* end = SjisAdvance(p, count);
    ASSERT_EQ(SjisAdvance(p, count + 5), end);
    ASSERT_EQ(SjisCharAt(end), 0u);
    ASSERT_EQ(SjisCompare(p, p), 0);
    ASSERT_EQ(SjisCompareNoCase(p, p), 0);
    const char* hit = SjisFindAny(p, "\\@\x81\x40");
    if (hit != nullptr) {
      size_t before = SjisByteCount(p, count);
      ASSERT_LT(static_cast<size_t>(hit - p), before);
      ASSERT_EQ(SjisAdvance(p, SjisCharCount(std::string(p, hit).c_str())), hit);
    }

    std::string copy = s;
    SjisReverse(copy.data());
    ASSERT_EQ(SjisCharCount(copy.c_str()), count);
    SjisReverse(copy.data());
    ASSERT_EQ(copy, s);

    char out[8];
    size_t copied = SjisCopyN(out, sizeof out, p, 99);
    ASSERT_LT(copied, sizeof out);
    ASSERT_EQ(std::strlen(out), copied);

    char* context = nullptr;
    size_t tokens = 0;
    for (char* t = SjisTokenize(copy.data(), " \\", &context); t != nullptr;
         t = SjisTokenize(nullptr, " \\", &context)) {
      ASSERT_EQ(SjisFindAny(t, " \\"), nullptr);
      ASSERT_LE(++tokens, s.size());
    }
  }
}

}  // namespace
