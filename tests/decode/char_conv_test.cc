#include "decode/char_conv.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "decode/iconv_oracle.h"

namespace {

TEST(JisSjisTest, RoundTripsEveryCellAndAgreesWithIconv) {
  // EUC-JP/Shift_JIS and EUC-JP-MS/CP932 are two pairs of iconv tables that
  // map JIS X 0208 alike within the pair; the arithmetic has to land on the
  // same character as the EUC form (the JIS code with bit 7 set) in both.
  CIconvOracle euc("UTF-16BE", "EUC-JP");
  CIconvOracle sjis("UTF-16BE", "SHIFT_JIS");
  CIconvOracle euc_ms("UTF-16BE", "EUC-JP-MS");
  CIconvOracle cp932("UTF-16BE", "CP932");
  int assigned = 0;
  for (unsigned row = 0x21; row <= 0x7E; ++row) {
    for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
      uint16_t jis = static_cast<uint16_t>(row << 8 | cell);
      uint16_t s = JisToSjis(jis);
      ASSERT_TRUE(IsSjisLead(static_cast<unsigned char>(s >> 8))) << std::hex << jis;
      ASSERT_EQ(SjisToJis(s), jis) << std::hex << jis;
      auto from_euc = euc.Convert(TwoBytes(jis | 0x8080));
      if (!from_euc) continue;
      ++assigned;
      EXPECT_EQ(sjis.Convert(TwoBytes(s)), from_euc) << std::hex << jis;
      EXPECT_EQ(cp932.Convert(TwoBytes(s)), euc_ms.Convert(TwoBytes(jis | 0x8080)))
          << std::hex << jis;
    }
  }
  EXPECT_GT(assigned, 6800);  // JIS X 0208 has 6879 characters
}

TEST(JisSjisTest, InvertsEveryShiftJisTwoByteValue) {
  for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
    if (!IsSjisLead(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      uint16_t s = static_cast<uint16_t>(lead << 8 | trail);
      ASSERT_EQ(JisToSjis(SjisToJis(s)), s) << std::hex << s;
    }
  }
  EXPECT_EQ(JisToSjis(0x2121), 0x8140);
  EXPECT_EQ(JisToSjis(0x222A), 0x81A8);
  EXPECT_EQ(JisToSjis(0x3F5E), 0x907D);
  EXPECT_EQ(JisToSjis(0x7E7E), 0xEFFC);
}

TEST(JisSjisTest, LeadByteRule) {
  int leads = 0;
  for (unsigned b = 0; b < 256; ++b) {
    bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsSjisLead(static_cast<unsigned char>(b)), expected) << b;
    leads += expected;
  }
  EXPECT_EQ(leads, 60);
}

TEST(JisSjisTest, StringForms) {
  // "漢字" in JIS is 0x3441 0x3B7A; Shift_JIS 0x8ABF 0x8E9A.
  const char jis[] = "\x34\x41\x3B\x7A\0\x30\x21";
  char out[16];
  EXPECT_EQ(JisStringToSjis(out, jis, sizeof jis - 1), 4u);
  EXPECT_STREQ(out, "\x8A\xBF\x8E\x9A");
  // The length ends it too, and an odd last byte is not half a character.
  EXPECT_EQ(JisStringToSjis(out, jis, 3), 2u);
  EXPECT_STREQ(out, "\x8A\xBF");
  EXPECT_EQ(JisStringToSjis(out, jis, 0), 0u);
  EXPECT_STREQ(out, "");

  // Single bytes pass through; a lone lead byte at the end is dropped.
  const char sjis[] = "A\x8A\xBF" "b\x8E\x9A\x81";
  EXPECT_EQ(SjisStringToJis(out, sjis, sizeof sjis - 1), 6u);
  EXPECT_STREQ(out, "A\x34\x41" "b\x3B\x7A");
  // The length cuts before a character split by it.
  EXPECT_EQ(SjisStringToJis(out, sjis, 2), 1u);
  EXPECT_STREQ(out, "A");
}

TEST(WidthTest, FullWidthAndBackForEveryPrintableByte) {
  for (unsigned b = 0x20; b <= 0x7E; ++b) {
    uint16_t full = ToFullWidth(static_cast<uint16_t>(b));
    EXPECT_TRUE(IsSjisLead(static_cast<unsigned char>(full >> 8))) << b;
    EXPECT_EQ(ToHalfWidth(full), b) << std::hex << full;
  }
  // The symbols whose full-width partner is not the obvious one.
  EXPECT_EQ(ToFullWidth(0x5C), 0x818F);  // backslash, not yen
  EXPECT_EQ(ToFullWidth(0x7E), 0x8150);
  EXPECT_EQ(ToFullWidth('\''), 0x8166);
  EXPECT_EQ(ToFullWidth('`'), 0x8165);
  EXPECT_EQ(ToFullWidth('"'), 0x8168);
  EXPECT_EQ(ToFullWidth('0'), 0x824F);
  EXPECT_EQ(ToFullWidth('z'), 0x829A);
  for (uint16_t v : {0x00, 0x1F, 0x7F, 0x80, 0xA5, 0xFF, 0x100, 0x8140}) {
    EXPECT_EQ(ToFullWidth(v), v);
  }
}

TEST(WidthTest, HalfWidthLeavesCharactersWithoutAnAsciiForm) {
  EXPECT_EQ(ToHalfWidth(0x8250), 0x31);
  EXPECT_EQ(ToHalfWidth(0x8260), 'A');
  EXPECT_EQ(ToHalfWidth(0x8281), 'a');
  EXPECT_EQ(ToHalfWidth(0x8140), ' ');
  for (uint16_t v : {
           0x815B,  // long-vowel mark
           0x8160,  // wave dash
           0x814A, 0x814B,  // voiced and semi-voiced sound marks
           0x8145,  // middle dot
           0x8167,  // left double quotation mark (only the right one maps)
           0x8259, 0x825F, 0x827A, 0x8280, 0x829B,  // gaps around the letters
           0x827F, 0x817F,  // trail 0x7F is no character
           0x823F, 0x82FD,  // trails outside 0x40 to 0xFC
           0x82A0, 0x8341, 0x8ABF,  // kana and kanji
           0x0041, 0x0000}) {
    EXPECT_EQ(ToHalfWidth(v), v) << std::hex << v;
  }
}

TEST(CharClassTest, ClassesOfFirstCharacter) {
  struct Case {
    const char* text;
    int klass;
  } cases[] = {
      {"\x81\x40", 5},  {" x", 6},        {"!", 12},        {"", 12},
      {"\x81", 12},     {"\x82\x9F", 13}, {"\x82\xF1", 13}, {"\x82\xF2", 8},
      {"\x81\x45", 14}, {"\x81\x5B", 14}, {"\x83\x40", 14}, {"\x83\x96", 14},
      {"\x83\x97", 8},  {"\x82\x4F", 15}, {"\x82\x9A", 15}, {"7", 15},
      {"_", 15},        {"q", 15},        {"\x88\x9F", 16}, {"\x9F\xFC", 16},
      {"\xE0\x40", 16}, {"\xEF\xFC", 16}, {"\x81\x58", 16}, {"\x81\xAC", 16},
      {"\x88\x9E", 8},  {"\xF0\x40", 8},  {"\x81\x41", 17}, {"\x81\x44", 17},
      {"\x81\x69", 18}, {"\x81\x7A", 18}, {"\x81\x7B", 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharClass(c.text), c.klass) << testing::PrintToString(std::string(c.text));
  }
}

}  // namespace
