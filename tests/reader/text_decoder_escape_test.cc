// Every escape code of the text, in an EB book and in an EPWING book, with
// the markup compared byte for byte. Each text ends with a character and the
// end code, so a code that reads too few or too many parameter bytes shows
// up as stray characters or a missing one.
#include <string>
#include <vector>

#include "reader/text_decoder_test_book.h"

namespace {

struct EscapeRow {
  const char* name;
  CText text;
  std::string eb;      // markup before the closing character
  std::string epwing;
};

CText E(uint8_t low) { return CText().Esc(low); }

std::vector<EscapeRow> Rows() {
  const std::string link = "</LINK[00000123:0456]>";
  return {
      {"02 body", E(0x02), "<BODY>", "<BODY>"},
      {"04 05 narrow", E(0x04).Esc(0x05), "", ""},
      {"06 07 subscript", E(0x06).Esc(0x07), "<SUB></SUB>", "<SUB></SUB>"},
      {"09 indent", E(0x09).Bcd(3, 2), "<INDENT=03>", "<INDENT=03>"},
      {"09 indent of 100", E(0x09).Bcd(100, 2), "", ""},
      {"0A new line", E(0x0A), "\r\n", "\r\n"},
      {"0B 0C table", E(0x0B).Esc(0x0C), "<TABLE></TABLE>", "<TABLE></TABLE>"},
      {"0E 0F superscript", E(0x0E).Esc(0x0F), "<SUP></SUP>", "<SUP></SUP>"},
      {"10 11 no break", E(0x10).Esc(0x11), "", ""},
      {"12 13 emphasis", E(0x12).Esc(0x13), "<UL></UL>", "<B></B>"},
      // EB has no colour charts: the number's bytes decode to nothing.
      {"14 colour chart", E(0x14).Byte(0x1E).Bcd(1, 1).Byte(0x1E).Bcd(23, 1).Word(0), "", "<COLCHART=123>"},
      {"14 colour chart 0", E(0x14).Word(0), "", ""},
      {"15 ignored", E(0x15), "", ""},
      {"16 17 bold", E(0x16).Esc(0x17), "<B></B>", ""},
      {"A0 A1 bold", E(0xA0).Esc(0xA1), "<B></B>", ""},
      {"1A 1B italic or tab", E(0x1A).Bcd(12, 2).Esc(0x1B).Bcd(0, 2), "<I></I>", "<TAB=12>"},
      {"1A tab of 100", E(0x1A).Bcd(100, 2), "<I>", ""},
      {"1C compound", E(0x1C).Word(0x0000).Word(0xB021).Esc(0x1D).Word(0), "&c0000;&cB021;", "&zB021;"},
      // Bad digits still consume the parameter; unread, it would be "あ".
      {"1D parameter", E(0x1D).Word(kJisA), kSjisA, ""},
      {"1E 1F parameters", E(0x1E).Word(kJisA).Esc(0x1F).Bcd(5, 2), "", ""},
      {"27 28 underline", E(0x27).Esc(0x28), "<UL></UL>", ""},
      {"29 2A underline", E(0x29).Esc(0x2A), "<UL></UL>", ""},
      {"2B 2C underline", E(0x2B).Esc(0x2C), "<UL></UL>", ""},
      {"31 51 figure", E(0x31).Word(1).Bcd(320, 2).Bcd(240, 2).Word(kJisA).Esc(0x51).Pos(0x123, 0x456),
       "<FIG>" + kSjisA + "</FIG[00000123:0456](0320*0240:1)>", kSjisA},
      {"32 picture", E(0x32), "<FIG>", ""},
      {"33 sound", E(0x33), "<WAV>", ""},
      {"3F picture", E(0x3F), "<FIG>", ""},
      {"36 sub-menu area", E(0x36).Bcd(10, 2).Bcd(20, 2).Word(0x90),
       "<AREA COORDS=010,020,000,000 HREF=[00000005:0000]>", ""},
      {"36 missing index", E(0x36).Bcd(10, 2).Bcd(20, 2).Word(0x92), "", ""},
      {"39 59 movie",
       E(0x39).Bcd(1, 2).Bcd(2, 2).Bcd(3, 2).Bcd(4, 2).Bcd(5, 2).Bcd(6, 2).Bcd(7, 4).Bcd(8, 4)
           .Word(0x2341).Word(0x2342).Word(0x2132).Word(0x2331).Word(0).Word(0).Word(0).Word(0)
           .Bcd(0, 2).Bcd(0, 4).Bcd(0, 2).Esc(0x59),
       "<MOV>\x81\xA8</MOV[AB_1    ]>", "<MOV>\x81\xA8</MOV[AB_1    ]>"},
      {"3A ignored", E(0x3A), "", ""},
      {"3C 5C inline image",
       E(0x3C).Bcd(1, 2).Bcd(2, 2).Word(1).Word(2).Word(3).Word(4).Pos(0x123, 0x456).Esc(0x5C),
       "<INL></INL[00000123:0456](0000*0000:1)>", "<INL></INL[00000123:0456](0000*0000:1)>"},
      {"41 61 keyword", E(0x41).Word(0x0100).Esc(0x61), "<HEAD></HEAD>", "<HEAD></HEAD>"},
      {"42 62 reference", E(0x42).Word(kJisA).Esc(0x62).Pos(0x123, 0x456),
       "<LINK>" + kSjisA + link, "<LINK>" + kSjisA + link},
      {"43 63 menu", E(0x43).Esc(0x63).Pos(0x123, 0x456), "<MENU></MENU[00000123:0456]>",
       "<MENU></MENU[00000123:0456]>"},
      {"44 64 image", E(0x44).Bcd(1, 2).Bcd(240, 4).Bcd(320, 4).Word(kJisA).Esc(0x64).Pos(0x123, 0x456),
       "<FIG>" + kSjisA + "</FIG[00000123:0456](0320*0240:0)>",
       "<FIG>" + kSjisA + "</FIG[00000123:0456](0320*0240:0)>"},
      {"45 65 map", E(0x45).Word(0).Esc(0x65), "<MAP></MAP>", ""},
      {"4A 6A sound",
       E(0x4A).Bcd(13, 2).Bcd(1234, 2).Pos(0x100, 0x10).Pos(0x101, 0x200).Word(kJisA).Esc(0x6A),
       "<WAV>" + kSjisA + "</WAV[00000000:0000][00000000:0000](1:0:0:0:0)>",
       "<WAV>" + kSjisA + "</WAV[00000100:0010][00000101:0200](3:1:2:3:4)>"},
      {"4B 6B reference", E(0x4B).Pos(0x123, 0x456).Word(kJisA).Esc(0x6B),
       "<LINK>" + kSjisA + link, "<LINK>" + kSjisA + link},
      {"4C 6C map", E(0x4C).Bcd(7, 2).Esc(0x6C), "<MAP></MAP>", "<MAP></MAP>"},
      {"4D 6D colour image",
       E(0x4D).Bcd(1, 2).Bcd(2, 2).Bcd(3, 2).Bcd(4, 2).Bcd(640, 2).Bcd(480, 2).Pos(0x123, 0x456).Word(kJisA)
           .Esc(0x6D),
       "<FIG>" + kSjisA + "</FIG[00000123:0456](0640*0480:1)>",
       "<FIG>" + kSjisA + "</FIG[00000123:0456](0640*0480:1)>"},
      {"4F graphic data",
       E(0x4F).Bcd(1, 2).Bcd(2, 2).Bcd(3, 2).Bcd(4, 2).Bcd(5, 2).Bcd(6, 2).Bcd(7, 2).Bcd(8, 4).Bcd(9, 2)
           .Bcd(10, 4).Bcd(11, 2).Pos(0x123, 0x456),
       "", ""},
      {"52 image with no map", E(0x52).Pos(0x123, 0x456), "</FIG[00000123:0456](0000*0000:0)>", ""},
      {"53 sound frames", E(0x53).Word(0).Bcd(0, 1).Bcd(1, 1).Bcd(0, 1).Bcd(0, 1).Bcd(2, 1).Bcd(5, 1),
       "</WAV[0000004A:0000][0000009B:0000](1:0:0:0:0)>", ""},
      {"56 5A ignored", E(0x56).Esc(0x5A), "", ""},
      {"5F colour image with no map", E(0x5F).Pos(0x123, 0x456), "</FIG[00000123:0456](0000*0000:1)>", ""},
      {"6F area", E(0x6F), "<AREA COORDS=000,000,000,000 HREF=[00000000:0000]>",
       "<AREA COORDS=000,000,000,000 HREF=[00000000:0000]>"},
      {"A2 A3 colour", E(0xA2).Word(0x1119).Word(kJisA).Esc(0xA3), "<COL=0000FF>" + kSjisA + "</COL>", kSjisA},
      {"A2 unknown colour", E(0xA2).Word(0x1234), "<COL=000000>", ""},
      {"E0 E1 italic", E(0xE0).Word(1).Esc(0xE1), "<I></I>", "<I></I>"},
      {"E0 E1 bold", E(0xE0).Word(2).Esc(0xE1), "<B></B>", "<B></B>"},
      {"FE FF new lines", E(0xFE).Esc(0x0A).Esc(0xFF).Esc(0x0A), "\r\n", "\r\n\r\n"},
      // Unknown codes read nothing: what follows is text.
      {"unknown code", E(0x7A).Word(kJisA), kSjisA, kSjisA},
  };
}

class TextDecoderEscapeTest : public TextBookTest {
 protected:
  void CheckRows(BookKindForText kind) {
    for (const EscapeRow& row : Rows()) {
      SCOPED_TRACE(row.name);
      CText text = row.text;
      text.Word(kJisA).Esc(0x03);
      // Area 0x91 at page 5: the sub-menu fallback from 0x90.
      OpenBook(kind, text, {{0x91, 5, 1}});
      const std::string& want = kind == BookKindForText::kEb ? row.eb : row.epwing;
      EXPECT_EQ(Entry(), want + kSjisA + "</BODY>");
    }
  }
};

TEST_F(TextDecoderEscapeTest, EveryCodeInAnEbBook) { CheckRows(BookKindForText::kEb); }

TEST_F(TextDecoderEscapeTest, EveryCodeInAnEpwingBook) { CheckRows(BookKindForText::kEpwing); }

// Books that are neither EB nor EPWING share the EPWING readings except for
// the few codes that only EPWING gives a parameter.
TEST_F(TextDecoderEscapeTest, OtherBooksReadCompoundCharactersAndNoColourCharts) {
  OpenBook(BookKindForText::kOther, CText()
                                        .Esc(0x12).Esc(0x13)
                                        .Esc(0x1C).Word(0xB021).Word(0xB022).Esc(0x1D)
                                        .Esc(0x14).Esc(0x1D).Word(kJisA)
                                        .Esc(0x4A).Bcd(5, 2).Bcd(67, 2).Pos(1, 2).Pos(3, 4).Esc(0x6A)
                                        .Esc(0x03));
  EXPECT_EQ(Entry(), "<B></B>&cB021;&cB022;" + kSjisA + "<WAV></WAV[00000001:0002][00000003:0004](5:0:0:6:7)>" +
                         "</BODY>");
}

TEST_F(TextDecoderEscapeTest, EndCodeStopsBehindItself) {
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x02).Word(kJisA).Esc(0x03).Word(kJisA).Esc(0x03));
  EXPECT_EQ(Entry(), "<BODY>" + kSjisA + "</BODY>");
  EXPECT_EQ(TextPosition(), 6);
  // The following text starts where the cursor stopped.
  char buffer[64];
  int length = 0;
  m_decoder->ReadEntryText(buffer, sizeof buffer, &length, false, 0);
  EXPECT_EQ(std::string(buffer, static_cast<size_t>(length)), kSjisA + "</BODY>");
}

}  // namespace
