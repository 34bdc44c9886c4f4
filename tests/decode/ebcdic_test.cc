#include "decode/ebcdic.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/iconv_oracle.h"

namespace {

TEST(EbcdicTest, PrintableCodePage037ExceptTheBookCharacters) {
  CIconvOracle cp037("ASCII", "CP037");
  int printable = 0;
  for (unsigned b = 0; b < 256; ++b) {
    char byte = static_cast<char>(b);
    auto ascii = cp037.Convert(std::string_view(&byte, 1));
    char want = '.';
    if (ascii && ascii->size() == 1 && (*ascii)[0] >= 0x20 && (*ascii)[0] <= 0x7E) {
      want = (*ascii)[0];
      ++printable;
    }
    if (b == 0x4F || b == 0x5A || b == 0xB0 || b == 0xBA || b == 0xBB) want = '.';
    EXPECT_EQ(EbcdicToAscii(static_cast<unsigned char>(b)), want) << std::hex << b;
  }
  EXPECT_EQ(printable, 95);
  EXPECT_EQ(EbcdicToAscii(0xC1), 'A');
  EXPECT_EQ(EbcdicToAscii(0x5A), '.');
  EXPECT_EQ(EbcdicToAscii(0x40), ' ');
}

}  // namespace
