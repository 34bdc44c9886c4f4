#include "decode/cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(Cp932Test, ConvertsBothWays) {
  // "表示" with ASCII around it and a half-width katakana "ｱ" (0xB1).
  const std::string sjis = "a\x95\x5C\x8E\xA6 \xB1\\~";
  const std::u16string utf16 = u"a表示 ｱ\\~";
  EXPECT_EQ(Cp932ToUtf16(sjis), utf16);
  EXPECT_EQ(Utf16ToCp932(utf16), sjis);
  // The code page 932 forms of the characters other tables map elsewhere.
  EXPECT_EQ(Cp932ToUtf16("\x81\x60\x81\x61\x81\x7C"), u"～∥－");
  EXPECT_EQ(Utf16ToCp932(u"～∥－"), "\x81\x60\x81\x61\x81\x7C");
  EXPECT_EQ(Cp932ToUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Cp932ToUtf16(""), u"");
  EXPECT_EQ(Utf16ToCp932(u""), "");
}

TEST(Cp932Test, InvalidBytesBecomeReplacementCharacters) {
  // 0x85 0x40 is an unassigned pair: one U+FFFD, its trail "@" not shown.
  EXPECT_EQ(Cp932ToUtf16("a\x85\x40" "b"), u"a\uFFFDb");
  // A byte that is no lead byte and no single character.
  EXPECT_EQ(Cp932ToUtf16("\xA0x\xFDy"), u"\uFFFDx\uFFFDy");
  // A lead byte with a byte that cannot be its trail: the next one stays.
  EXPECT_EQ(Cp932ToUtf16("\x95\x0A" "c"), u"\uFFFD\nc");
  // A lead byte cut off by the end of the string.
  EXPECT_EQ(Cp932ToUtf16("ab\x95"), u"ab\uFFFD");
  // The state after an error does not leak into the next call.
  EXPECT_EQ(Cp932ToUtf16("\x95\x5C"), u"表");
}

TEST(Cp932Test, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf16ToCp932(u"a€b"), "a?b");
  EXPECT_EQ(Utf16ToCp932(u"x😀y"), "x?y");  // a surrogate pair is one character
  const char16_t lone_high[] = {u'a', 0xD800, u'b', 0};
  EXPECT_EQ(Utf16ToCp932(lone_high), "a?b");
  const char16_t lone_low[] = {0xDC00, u'表', 0};
  EXPECT_EQ(Utf16ToCp932(lone_low), "?\x95\x5C");
  const char16_t high_at_end[] = {u'a', 0xD83D, 0};
  EXPECT_EQ(Utf16ToCp932(high_at_end), "a?");
  // Many failures in one string, each replaced, the string otherwise whole.
  std::u16string many;
  std::string expected;
  for (int i = 0; i < 500; ++i) {
    many += u"€表";
    expected += "?\x95\x5C";
  }
  EXPECT_EQ(Utf16ToCp932(many), expected);
  EXPECT_EQ(Utf16ToCp932(u"表"), "\x95\x5C");
}

TEST(Cp932Test, RandomBytesNeverFailTheString) {
  // Each input byte gives at most one unit, and going back never takes more
  // bytes: a replaced character comes back as one "?".
  std::mt19937 rng(932);
  for (int round = 0; round < 300; ++round) {
    std::string s(rng() % 40, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    std::u16string u = Cp932ToUtf16(s);
    ASSERT_LE(u.size(), s.size());
    ASSERT_LE(Utf16ToCp932(u).size(), s.size());
  }
}

}  // namespace
