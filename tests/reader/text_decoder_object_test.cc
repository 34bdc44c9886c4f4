// Objects in the text: image captions, image maps, graphic menus, sounds and
// movies, with the closing tags that carry their parameters.
#include <string>

#include "reader/text_decoder_test_book.h"

namespace {

const std::string kArrowFigure = "\x81\xA8\x90\x7D";

using TextDecoderObjectTest = TextBookTest;

TEST_F(TextDecoderObjectTest, ImagesWithoutCaptionGetArrowAndFigure) {
  CText text;
  text.Esc(0x44).Bcd(0, 2).Bcd(10, 4).Bcd(20, 4).Esc(0x64).Pos(0x11, 0x22)
      .Esc(0x4D).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(30, 2).Bcd(40, 2).Pos(0x33, 0x44).Esc(0x6D)
      .Esc(0x44).Bcd(0, 2).Bcd(10, 4).Bcd(20, 4).Esc(0x0A).Esc(0x64).Pos(0x11, 0x22)
      .Esc(0x64).Pos(0x11, 0x22)  // a second end code: not behind a begin code
      .Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  EXPECT_EQ(Entry(), "<FIG>" + kArrowFigure + "</FIG[00000011:0022](0020*0010:0)>" +
                         "<FIG>" + kArrowFigure + "</FIG[00000033:0044](0030*0040:1)>" +
                         "<FIG>\r\n</FIG[00000011:0022](0020*0010:0)>" +
                         "</FIG[00000011:0022](0020*0010:0)></BODY>");
}

TEST_F(TextDecoderObjectTest, EmptyCaptionIsFoundAcrossAPageBoundary) {
  // The begin code's parameters end exactly at the end of the first page.
  CText text;
  for (int i = 0; i < (2048 - 12) / 2; ++i) text.Word(0);
  text.Esc(0x44).Bcd(0, 2).Bcd(10, 4).Bcd(20, 4).Esc(0x64).Pos(0x11, 0x22).Esc(0x03);
  ASSERT_EQ(text.Size(), 2048u + 2 + 6 + 2);
  OpenBook(BookKindForText::kEpwing, text);
  EXPECT_EQ(Entry(), "<FIG>" + kArrowFigure + "</FIG[00000011:0022](0020*0010:0)></BODY>");
}

TEST_F(TextDecoderObjectTest, BadDigitsPrintWithinTheirFields) {
  CText text;
  text.Esc(0x4D).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Word(0xFFFF).Bcd(9999, 2).Word(0xABCD).Word(0)
      .Word(0xFFFF).Word(kJisA).Esc(0x6D)
      .Esc(0x44).Bcd(0, 2).Bcd(99999999, 4).Bcd(12345, 4).Word(kJisA).Esc(0x64).Pos(1, 2)
      .Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  // -1 is "-001" in a four-digit field; a page of bad digits is FFFFFFFF;
  // sizes beyond four digits are written as 9999.
  EXPECT_EQ(Entry(), "<FIG>" + kSjisA + "</FIG[FFFFFFFF:FFFF](-001*9999:1)>" + "<FIG>" + kSjisA +
                         "</FIG[00000001:0002](9999*9999:0)></BODY>");
}

// The image map of an image: the areas stored at the image's position,
// written after its closing tag.
CText ImageMap(int extraAreas = 0) {
  CText m;
  m.Esc(0x45).Word(0)
      .Esc(0x31).Word(0).Bcd(320, 2).Bcd(200, 2).Word(0x1234).Esc(0x51).Pos(0x40, 0x80)
      .Esc(0x32).Bcd(1, 2).Bcd(2, 2).Esc(0x52).Pos(0x50, 0x10)
      .Esc(0x3F).Bcd(3, 2).Bcd(4, 2)                         // no target
      .Esc(0x42).Bcd(5, 2).Bcd(6, 2).Esc(0x62).Pos(0x51, 0x12)
      .Esc(0x33).Bcd(7, 2).Bcd(8, 2).Esc(0x53).Word(0)
      .Bcd(0, 1).Bcd(1, 1).Bcd(0, 1).Bcd(0, 1).Bcd(2, 1).Bcd(0, 1)
      .Esc(0x33).Bcd(9, 2).Bcd(9, 2)                         // no times: not an area
      .Esc(0x36).Bcd(10, 2).Bcd(11, 2).Word(0x91).Word(0)
      .Esc(0x36).Bcd(12, 2).Bcd(13, 2).Word(0x92).Word(0);   // no such index
  for (int i = 0; i < extraAreas; ++i) m.Esc(0x3F).Bcd(100 + i, 2).Bcd(0, 2);
  return m.Esc(0x65);
}

const char* const kMapAreas[] = {
    "<AREA COORDS=001,002,000,000 HREF=[00000050:0010]>",
    "<AREA COORDS=003,004,000,000 HREF=[00000000:0000]>",
    "<AREA COORDS=005,006,000,000 HREF=[00000051:0012]>",
    "<AREA COORDS=007,008,000,000 SOUND=[0000004A:00000096]>",
    "<AREA COORDS=010,011,000,000 HREF=[00000007:0000]>",
};

TEST_F(TextDecoderObjectTest, ImageMapsWriteTheirAreasAfterTheImage) {
  // The map lies at offset 1024 of the text page (page 2, 0x0400 in BCD 1024).
  CText text;
  text.Word(kJisA).Esc(0x52).Pos(2, 1024).Word(kJisA).Esc(0x5F).Pos(2, 1024).Esc(0x03);
  size_t at = text.Size();
  for (; at < 1024; ++at) text.Byte(0);
  text.Append(ImageMap());
  OpenBook(BookKindForText::kEb, text, {{0x91, 7, 1}});
  std::string areas;
  for (const char* a : kMapAreas) areas += a;
  EXPECT_EQ(Entry(), kSjisA + "</FIG[00000040:0080](0320*0200:0)>" + areas + kSjisA +
                         "</FIG[00000040:0080](0320*0200:1)>" + areas + "</BODY>");
  // The cursor went back: the text after the image decoded normally.
  EXPECT_EQ(TextPosition(), 2 + 8 + 2 + 8 + 2);
  // Images outside the text area (a menu, say) have no map.
  m_textAreaId = 0x01;
  OpenBook(BookKindForText::kEb, text, {{0x91, 7, 1}});
  EXPECT_EQ(Entry(), kSjisA + "</FIG[00000002:0400](0000*0000:0)>" + kSjisA + "</FIG[00000002:0400](0000*0000:1)>" +
                         "</BODY>");
}

TEST_F(TextDecoderObjectTest, ImageMapsKeepTheirFirstNineAreasWholeOrNothing) {
  CText text;
  text.Esc(0x52).Pos(2, 1024).Esc(0x03);
  for (size_t at = text.Size(); at < 1024; ++at) text.Byte(0);
  text.Append(ImageMap(10));
  OpenBook(BookKindForText::kEb, text, {{0x91, 7, 1}});
  std::string tag = "</FIG[00000040:0080](0320*0200:0)>";
  for (const char* a : kMapAreas) tag += a;
  for (int i = 0; i < 4; ++i) tag += "<AREA COORDS=10" + std::to_string(i) + ",000,000,000 HREF=[00000000:0000]>";
  EXPECT_EQ(Entry(), tag + "</BODY>");
  // The closing tag and its areas are one item; it and its NUL must fit
  // below the capacity.
  EXPECT_EQ(Entry(0, false, 0, static_cast<int>(tag.size()) + 1), "");
  EXPECT_EQ(Entry(0, false, 0, static_cast<int>(tag.size()) + 2), tag);
}

TEST_F(TextDecoderObjectTest, GraphicMenusWriteAreasAndEndAtTheirMapEnd) {
  CText text;
  text.Esc(0x4C).Bcd(1, 2)
      .Esc(0x42).Bcd(10, 2).Bcd(20, 2).Esc(0x62).Pos(0x100, 0x10)
      .Esc(0x32).Bcd(11, 2).Bcd(21, 2).Esc(0x52).Pos(0x101, 0x11)
      .Esc(0x3F).Bcd(12, 2).Bcd(22, 2).Esc(0x5F).Pos(0x102, 0x12)
      .Esc(0x33).Bcd(13, 2).Bcd(23, 2).Esc(0x53).Word(0).Bcd(0, 1).Bcd(0, 1).Bcd(1, 1).Bcd(0, 1).Bcd(0, 1)
      .Bcd(2, 1)
      .Esc(0x36).Bcd(14, 2).Bcd(24, 2).Word(0x70)
      .Esc(0x6C).Word(kJisA).Esc(0x03);
  m_textAreaId = 0x10;
  OpenBook(BookKindForText::kEb, text, {{0x71, 9, 1}});
  EXPECT_EQ(Entry(), std::string("<MAP>") +
                         "<AREA COORDS=010,020,000,000 HREF=[00000100:0010]>" +
                         "<AREA COORDS=011,021,000,000 HREF=[00000101:0011]>" +
                         "<AREA COORDS=012,022,000,000 HREF=[00000102:0012]>" +
                         "<AREA COORDS=013,023,000,000 SOUND=[00000000:00000002]>" +
                         "<AREA COORDS=014,024,000,000 HREF=[00000009:0000]>" + "</MAP>");
  // Outside a graphic menu the same codes are an ordinary link and images.
  m_textAreaId = 0x00;
  OpenBook(BookKindForText::kEb, text, {{0x71, 9, 1}});
  EXPECT_EQ(Entry().substr(0, 33), "<MAP><LINK></LINK[00000100:0010]>");
}

TEST_F(TextDecoderObjectTest, MovieNamesEndAtTheirFirstZero) {
  auto movie = [](std::initializer_list<uint16_t> name) {
    CText t;
    t.Esc(0x39);
    for (int i = 0; i < 6; ++i) t.Bcd(0, 2);
    t.Bcd(0, 4).Bcd(0, 4);
    size_t n = 0;
    for (uint16_t c : name) t.Word(c), ++n;
    for (; n < 8; ++n) t.Word(0);
    return t.Bcd(0, 2).Bcd(0, 4).Bcd(0, 2).Esc(0x59).Esc(0x03);
  };
  OpenBook(BookKindForText::kEpwing,
           movie({0x2330, 0x2331, 0x2332, 0x2333, 0x2334, 0x2335, 0x2336, 0x2337}));
  EXPECT_EQ(Entry(), "<MOV>\x81\xA8</MOV[01234567]></BODY>");
  OpenBook(BookKindForText::kEpwing, movie({0x2341, 0x0000, 0x2342}));
  EXPECT_EQ(Entry(), "<MOV>\x81\xA8</MOV[A       ]></BODY>");
  // A byte that would end the tag is not written as it is.
  OpenBook(BookKindForText::kEpwing, movie({0x213E, 0x2341}));
  EXPECT_EQ(Entry(), "<MOV>\x81\xA8</MOV[_A      ]></BODY>");
}

}  // namespace
