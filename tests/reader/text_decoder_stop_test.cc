// Where decoding starts and ends: the back-up to the entry's start code,
// stop codes and stop counts, code rules, the page limit, full buffers and
// the heading table.
#include <string>

#include "reader/text_decoder_test_book.h"

namespace {

// Ten bytes of text that precede the entry under test.
CText Lead() {
  CText t;
  for (int i = 0; i < 5; ++i) t.Word(kJisA);
  return t;
}

// Three entries, each a keyword with parameter 0x0100 and one character.
CText ThreeEntries(uint16_t param = 0x0100) {
  CText t;
  for (uint16_t c : {uint16_t{0x2422}, uint16_t{0x2424}, uint16_t{0x2426}}) {
    t.Esc(0x41).Word(param).Word(c).Esc(0x61).Esc(0x0A);
  }
  return t.Esc(0x03);
}

const std::string kHeadA = "<HEAD>\x82\xA0</HEAD>\r\n";
const std::string kHeadI = "<HEAD>\x82\xA2</HEAD>\r\n";
const std::string kHeadU = "<HEAD>\x82\xA4</HEAD>\r\n";

using TextDecoderStartTest = TextBookTest;

TEST_F(TextDecoderStartTest, BacksUpOverTheStartOrKeywordCodeBeforeTheCursor) {
  OpenBook(BookKindForText::kEpwing,
           Lead().Esc(0x02).Esc(0x41).Word(0x0100).Word(kJisA).Esc(0x61).Esc(0x03));
  // Just behind the start code.
  EXPECT_EQ(Entry(12), "<BODY><HEAD>" + kSjisA + "</HEAD></BODY>");
  // Just behind the keyword code and its parameter.
  EXPECT_EQ(Entry(16), "<HEAD>" + kSjisA + "</HEAD></BODY>");
  // Anywhere else nothing moves: the text before is not repeated.
  EXPECT_EQ(Entry(18), "</HEAD></BODY>");
  // A start code that opens the page is found too; a keyword code there
  // is not looked for.
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x02).Word(kJisA).Esc(0x03));
  EXPECT_EQ(Entry(2), "<BODY>" + kSjisA + "</BODY>");
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x41).Word(kJisA).Esc(0x03));
  EXPECT_EQ(Entry(2), kSjisA + "</BODY>");
}

TEST_F(TextDecoderStartTest, ConfiguredStopCodeEndsAtTheNextEntry) {
  OpenBook(BookKindForText::kEpwing, ThreeEntries());
  m_decoder->SetStopCode(0x1F41, 0x0100);
  // The entry's own keyword is not counted, from the code or behind it.
  EXPECT_EQ(Entry(0, true), kHeadA + "<PAGE>");
  EXPECT_EQ(TextPosition(), 14);  // behind the next keyword code
  EXPECT_EQ(Entry(4, true), kHeadA + "<PAGE>");
  // Decoding on from there gives the second entry, the keyword backed up.
  EXPECT_EQ(Entry(14, true), kHeadI + "<PAGE>");
  // Without stopping, every later entry is marked.
  EXPECT_EQ(Entry(0, false), kHeadA + "<PAGE>" + kHeadI + "<PAGE>" + kHeadU + "</BODY>");
  // A different parameter is not the stop code.
  m_decoder->SetStopCode(0x1F41, 0x0200);
  EXPECT_EQ(Entry(0, true), kHeadA + kHeadI + kHeadU + "</BODY>");
}

TEST_F(TextDecoderStartTest, FirstKeywordOrIndentBecomesTheStopCode) {
  OpenBook(BookKindForText::kEpwing, ThreeEntries());
  EXPECT_EQ(Entry(0, true), kHeadA + "<PAGE>");
  // Indent codes serve as well, compared by their decimal value.
  CText text;
  text.Esc(0x09).Bcd(1, 2).Word(kJisA).Esc(0x09).Bcd(2, 2).Word(kJisA).Esc(0x09).Bcd(1, 2).Word(kJisA)
      .Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  EXPECT_EQ(Entry(0, true), "<INDENT=01>" + kSjisA + "<INDENT=02>" + kSjisA + "<PAGE>");
  m_decoder->SetStopCode(0x1F09, 2);
  EXPECT_EQ(Entry(0, true), "<INDENT=01>" + kSjisA + "<PAGE>");
}

TEST_F(TextDecoderStartTest, StopCountLetsEntriesThrough) {
  CText text;
  for (int i = 0; i < 5; ++i) text.Esc(0x41).Word(0x0100).Word(kJisA).Esc(0x61);
  OpenBook(BookKindForText::kEpwing, text.Esc(0x03));
  const std::string h = "<HEAD>" + kSjisA + "</HEAD>";
  m_decoder->SetStopCount(3);
  EXPECT_EQ(Entry(0, true), h + h + h + "<PAGE>");
  // The counter is never reset within a call: every later match is marked.
  EXPECT_EQ(Entry(0, false), h + h + h + "<PAGE>" + h + "<PAGE>" + h + "</BODY>");
  m_decoder->SetStopCount(0);  // taken as 1
  EXPECT_EQ(Entry(0, true), h + "<PAGE>");
}

TEST_F(TextDecoderStartTest, CodeRulesSkipOrReplaceEscapes) {
  CText text;
  text.Esc(0x1A).Word(kJisA).Word(kJisA).Word(0x2424).Esc(0x17).Word(kJisA).Esc(0x63).Pos(1, 2).Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  const CodeRule rules[] = {
      {0x1F17, 0x1F42, 2},       // kind 2: passed over
      {0x1F1A, 4, 0x0100},       // skip 4 bytes (the kind's high byte does not count)
      {0x1F17, 0x1F42, 1},       // replace with a reference: a space first
      {0x1F63, 0x1F6B, 1},       // never reached: a later rule for 0x1F17 would be
      {0, 0, 0},
      {0x1F02, 0x1F03, 1},       // behind the end of the list
  };
  m_decoder->SetCodeRules(rules, 6);
  // 0x1F63 becomes 0x1F6B, which reads no position: its 6 bytes decode as
  // text (codes that write nothing).
  EXPECT_EQ(Entry(), "\x82\xA2 <LINK>" + kSjisA + "</LINK[00000000:0000]></BODY>");
}

TEST_F(TextDecoderStartTest, PageLimitEndsTextsThatRunOn) {
  CText text;
  std::string first, second;
  for (int i = 0; i < 1024; ++i) text.Word(kJisA), first += kSjisA;
  for (int i = 0; i < 10; ++i) text.Word(0x2424), second += "\x82\xA2";
  OpenBook(BookKindForText::kEpwing, text.Esc(0x03));
  EXPECT_EQ(Entry(0, false, 1), first);  // cut: no "</BODY>"
  EXPECT_EQ(TextPosition(), 2048);
  EXPECT_EQ(Entry(0, false, 2), first + second + "</BODY>");
  EXPECT_EQ(Entry(0, false, 0), first + second + "</BODY>");

  // The text area ends the text whatever the page count asks for.
  m_textPages = 1;
  OpenBook(BookKindForText::kEpwing, text);
  EXPECT_EQ(Entry(0, false, 5), first);
}

TEST_F(TextDecoderStartTest, CharactersRunAcrossPageBoundaries) {
  CText text;
  text.Byte(0);
  std::string want;
  for (int i = 0; i < 1024; ++i) text.Word(kJisA), want += kSjisA;
  OpenBook(BookKindForText::kEpwing, text.Esc(0x03));
  EXPECT_EQ(Entry(1), want + "</BODY>");
}

TEST_F(TextDecoderStartTest, TextOutsideEveryAreaEndsAtTheLastPage) {
  OpenBook(BookKindForText::kEpwing, CText().Word(kJisA));
  // Page 1 (the index table) lies in no area: no page limit of its own,
  // but the book ends.
  m_reader->SeekPage(1);
  char buffer[256];
  int length = 0;
  m_decoder->ReadEntryText(buffer, sizeof buffer, &length, false, 0);
  EXPECT_LE(m_reader->CurrentPage(), m_reader->HighestPage() + 1);
}

}  // namespace
