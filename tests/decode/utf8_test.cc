#include "decode/utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/iconv_oracle.h"

namespace {

std::string ToUtf8(std::u16string_view in) {
  std::string out(Utf16ToUtf8(in.data(), in.size(), nullptr), '\0');
  EXPECT_EQ(Utf16ToUtf8(in.data(), in.size(), out.data(), out.size()), out.size());
  return out;
}

// Decodes, or returns "<cut>" when the input ends inside a sequence.
std::u16string ToUtf16(std::string_view in) {
  std::u16string out(in.size(), u'\0');
  long n = Utf8ToUtf16(in.data(), in.size(), out.data());
  if (n < 0) return u"<cut>";
  out.resize(static_cast<size_t>(n));
  return out;
}

TEST(Utf8Test, EncodesEachUnitAlone) {
  EXPECT_EQ(ToUtf8(u"A\u00E9\u0800\u8868\uFFFF"),
            "A\xC3\xA9\xE0\xA0\x80\xE8\xA1\xA8\xEF\xBF\xBF");
  // U+1F600 as two three-byte sequences, one per surrogate.
  EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_EQ(ToUtf8(u""), "");
  EXPECT_EQ(Utf16ToUtf8(u"\u007F\u0080\u07FF", 3, nullptr), 1u + 2 + 2);

  // Only whole characters are written when the output is short.
  char out[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(Utf16ToUtf8(u"a\u8868", 2, out, 3), 1u);
  EXPECT_EQ(out[1], 'x');
}

TEST(Utf8Test, DecodesAndRoundTripsTheBasicPlane) {
  EXPECT_EQ(ToUtf16("A\xC3\xA9\xE8\xA1\xA8"), u"Aé表");
  EXPECT_EQ(ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  // What the encoder writes for a pair reads back as the same pair.
  EXPECT_EQ(ToUtf16(ToUtf8(u"x\U0001F600y")), u"x\U0001F600y");
  CIconvOracle oracle("UTF-8", "UTF-16BE");
  for (unsigned u = 0; u <= 0xFFFF; u += 7) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    std::u16string one(1, static_cast<char16_t>(u));
    std::string utf8 = ToUtf8(one);
    ASSERT_EQ(std::optional<std::string>(utf8), oracle.Convert(TwoBytes(u))) << u;
    ASSERT_EQ(ToUtf16(utf8), one) << u;
  }
}

TEST(Utf8Test, BadInputGivesReplacementOrCutOff) {
  EXPECT_EQ(ToUtf16("a\x80" "b"), u"a\uFFFDb");    // stray continuation
  EXPECT_EQ(ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");   // overlong lead
  EXPECT_EQ(ToUtf16("\xE0\x80\xAF"), u"\uFFFD");     // overlong three bytes
  EXPECT_EQ(ToUtf16("\xE8\x41" "b"), u"\uFFFDAb");   // continuation missing
  EXPECT_EQ(ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD"); // above U+10FFFF
  EXPECT_EQ(ToUtf16("\xFF"), u"\uFFFD");
  EXPECT_EQ(ToUtf16("ab\xE8\xA1"), u"<cut>");
  EXPECT_EQ(ToUtf16("\xF0"), u"<cut>");
  EXPECT_EQ(ToUtf16(""), u"");
}

}  // namespace
