#include "decode/gb2312.h"

#include <gtest/gtest.h>

#include "decode/iconv_oracle.h"

namespace {

bool IsQuestionCell(unsigned code) {
  return (code >= 0xA2A1 && code <= 0xA2B0) || code == 0xA2E3 || code == 0xA2E4 ||
         code == 0xA2EF || code == 0xA2F0 || code == 0xA2FD || code == 0xA2FE ||
         (code >= 0xD7FA && code <= 0xD7FE);
}

TEST(Gb2312Test, MatchesIconvEveryCellApartFromTheBookCells) {
  ResetGb2312Table();
  CIconvOracle euc_cn("UTF-16BE", "EUC-CN");
  int assigned = 0;
  for (unsigned row = 0xA1; row <= 0xFE; ++row) {
    for (unsigned cell = 0xA1; cell <= 0xFE; ++cell) {
      unsigned code = row << 8 | cell;
      auto expected = euc_cn.Convert(TwoBytes(code));
      char16_t want = 0;
      if (expected) {
        std::u16string units = FromUtf16Be(*expected);
        ASSERT_EQ(units.size(), 1u) << std::hex << code;
        want = units[0];
        ++assigned;
      }
      if (code == 0xA1AC) want = 0x2225;
      if (IsQuestionCell(code)) want = u'?';
      EXPECT_EQ(Gb2312ToUtf16(code), want) << std::hex << code;
    }
  }
  EXPECT_GT(assigned, 7400);  // GB2312 has 7445 characters
  EXPECT_EQ(Gb2312ToUtf16(0xB0A1), u'啊');
}

TEST(Gb2312Test, CellsCanBeOverwrittenAndReset) {
  ResetGb2312Table();
  EXPECT_TRUE(SetGb2312Cell(0xA1A1, u'X'));
  EXPECT_TRUE(SetGb2312Cell(0xFEFE, u'Y'));
  EXPECT_EQ(Gb2312ToUtf16(0xA1A1), u'X');
  EXPECT_EQ(Gb2312ToUtf16(0xFEFE), u'Y');
  EXPECT_EQ(Gb2312ToUtf16(0xA1A2), 0x3001);  // neighbours untouched
  EXPECT_EQ(Gb2312ToUtf16(0xFEFD), 0);

  // Codes outside the table are neither read nor written.
  for (unsigned code : {0x0000u, 0xA0A1u, 0xA1A0u, 0xA1FFu, 0xFFA1u, 0x2121u, 0x1A1A1u}) {
    EXPECT_FALSE(SetGb2312Cell(code, u'Z')) << std::hex << code;
    EXPECT_EQ(Gb2312ToUtf16(code), 0) << std::hex << code;
  }

  ResetGb2312Table();
  EXPECT_EQ(Gb2312ToUtf16(0xA1A1), 0x3000);
  EXPECT_EQ(Gb2312ToUtf16(0xFEFE), 0);
}

}  // namespace
