// Characters of the text: JIS X 0208 to Shift_JIS, the half-width forms of
// narrow mode and of the half-width setting, external characters, GB2312
// codes of EB books, and books of single-byte text.
#include <string>

#include "reader/text_decoder_test_book.h"

namespace {

FontInfo Font(int width, uint16_t first, uint16_t last) {
  FontInfo f;
  f.width = width;
  f.height = 16;
  f.firstCode = first;
  f.lastCode = last;
  f.count = 94;
  return f;
}

// Full-width "1", the long-vowel mark, "&" (JIS 0x2175), "@" (0x2177),
// "<", ">", the ideographic space and "あ": every rule of the narrow forms.
CText Symbols() {
  return CText().Word(0x2331).Word(0x213C).Word(0x2175).Word(0x2177).Word(0x2163).Word(0x2164).Word(0x2121)
      .Word(kJisA);
}

using TextDecoderCharTest = TextBookTest;

TEST_F(TextDecoderCharTest, NarrowModeAndHalfWidthSettingNarrowLettersAndSymbols) {
  const std::string wide = "\x82\x50\x81\x5B\x81\x95\x81\x97\x81\x83\x81\x84\x81\x40" + kSjisA;
  const std::string narrow = "1\x81\x5B&amp;@&lt;&gt; " + kSjisA;
  OpenBook(BookKindForText::kEpwing,
           CText().Append(Symbols()).Esc(0x04).Append(Symbols()).Esc(0x05).Append(Symbols()).Esc(0x03));
  EXPECT_EQ(Entry(), wide + narrow + wide + "</BODY>");
  m_decoder->SetHalfWidth(true);
  EXPECT_EQ(Entry(), narrow + narrow + narrow + "</BODY>");
  // Kanji and the special row have no narrow forms.
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x04).Word(0x3F5E).Word(0x222A).Esc(0x03));
  EXPECT_EQ(Entry(), "\x90\x7D\x81\xA8</BODY>");
}

TEST_F(TextDecoderCharTest, ExternalCharactersPickTheirWidth) {
  OpenBook(BookKindForText::kEpwing, CText()
                                         .Word(0xA121).Word(0xB021).Word(0xC021).Word(0xA321)
                                         .Esc(0x04).Word(0xA121).Word(0xC021).Esc(0x05).Esc(0x03));
  m_reader->SetFullFont(Font(16, 0xA121, 0xA17E));
  m_reader->SetHalfFont(Font(8, 0xB021, 0xB07E));
  EXPECT_EQ(Entry(), "&zA121;&hB021;&zC021;&zA321;&hA121;&hC021;</BODY>");
  // A code in both ranges is full-width.
  m_reader->SetFullFont(Font(16, 0xA121, 0xB07E));
  EXPECT_EQ(Entry(), "&zA121;&zB021;&zC021;&zA321;&hA121;&hC021;</BODY>");
}

TEST_F(TextDecoderCharTest, EbBooksWriteHighRowCodesAsGb2312) {
  CText text = CText().Word(0x21A1).Word(0x7EFE).Word(kJisA).Esc(0x03);
  OpenBook(BookKindForText::kEb, text);
  EXPECT_EQ(Entry(), "&gA1A1;&gFEFE;" + kSjisA + "</BODY>");
  // Elsewhere they are no JIS X 0208 characters and are dropped rather than
  // turned into broken Shift_JIS.
  OpenBook(BookKindForText::kEpwing, text);
  EXPECT_EQ(Entry(), kSjisA + "</BODY>");
}

TEST_F(TextDecoderCharTest, CodesOutsideEveryRangeWriteNothing) {
  OpenBook(BookKindForText::kEpwing,
           CText().Word(0x0005).Word(0x2000).Word(0x8000).Word(0xFF21).Word(0x7F21).Word(kJisA).Esc(0x03));
  EXPECT_EQ(Entry(), kSjisA + "</BODY>");
}

TEST_F(TextDecoderCharTest, SingleByteBooksReadBytes) {
  CText text;
  for (char c : std::string("a<b&c>")) text.Byte(static_cast<uint8_t>(c));
  text.Byte(0xB1).Byte(0x00).Byte(0x01).Byte(0x21).Byte(0x1E).Byte(0x7E).Byte(0x1E).Byte(0x7F);
  text.Esc(0x02).Esc(0x41).Word(0x0100).Byte('z').Esc(0x61).Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  m_reader->SetSingleByte(1);
  m_reader->SetHalfFont(Font(8, 0x0121, 0x1E7E));
  // Bytes 0x01 to 0x1E lead two-byte external characters; pairs beyond
  // 0x1E1E are no characters.
  EXPECT_EQ(Entry(), "a&lt;b&amp;c&gt;\xB1&h0121;<BODY><HEAD>z</HEAD></BODY>");
  // Without a half-width font every byte but 0x1F is a character, control
  // bytes written as spaces.
  m_reader->SetHalfFont(FontInfo());
  EXPECT_EQ(Entry(), "a&lt;b&amp;c&gt;\xB1 ! ~ \x7F<BODY><HEAD>z</HEAD></BODY>");
}

}  // namespace
