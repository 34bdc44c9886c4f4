// Output bounds and the heading table: a full buffer keeps whole items only,
// and headings stop at their first line.
#include <string>

#include "reader/text_decoder_test_book.h"

namespace {

// An entry with every kind of item: tags with parameters, entities,
// one- and two-byte characters, an image with its caption, a sound.
CText RichEntry() {
  return CText()
      .Esc(0x02).Esc(0x41).Word(0x0100).Word(kJisA).Esc(0x61).Esc(0x0A)
      .Esc(0x09).Bcd(2, 2).Esc(0x04).Word(0x2175).Word(0x2331).Esc(0x05).Word(0xA121)
      .Esc(0x42).Word(kJisA).Esc(0x62).Pos(0x10, 0x20)
      .Esc(0x44).Bcd(1, 2).Bcd(10, 4).Bcd(20, 4).Esc(0x64).Pos(0x11, 0x22)
      .Esc(0x4A).Bcd(1, 2).Bcd(2, 2).Pos(3, 4).Pos(5, 6).Esc(0x6A)
      .Esc(0x39).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 2).Bcd(0, 4).Bcd(0, 4)
      .Word(0x2341).Word(0).Word(0).Word(0).Word(0).Word(0).Word(0).Word(0).Bcd(0, 2).Bcd(0, 4).Bcd(0, 2)
      .Esc(0x59).Esc(0x03);
}

using TextDecoderBufferTest = TextBookTest;

TEST_F(TextDecoderBufferTest, SmallBufferStopsBeforeTheItemThatDoesNotFit) {
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x02).Word(kJisA).Esc(0x03));
  // "<BODY>" and its NUL take 7 bytes of 8; a character would leave no
  // room below the capacity.
  EXPECT_EQ(Entry(0, false, 0, 8), "<BODY>");
  EXPECT_EQ(TextPosition(), 4);  // the character that did not fit was read
  EXPECT_EQ(Entry(0, false, 0, 7), "");
  EXPECT_EQ(Entry(0, false, 0, 10), "<BODY>" + kSjisA);
  // No capacity: nothing is written at all.
  m_reader->SeekPage(kTextPage);
  char untouched = 'x';
  int length = -1;
  EXPECT_EQ(m_decoder->ReadEntryText(&untouched, 0, &length, false, 0), 0);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(untouched, 'x');
}

TEST_F(TextDecoderBufferTest, EveryCapacityGivesAPrefixOfWholeItems) {
  OpenBook(BookKindForText::kEpwing, RichEntry());
  const std::string whole = Entry();
  ASSERT_EQ(whole.substr(whole.size() - 7), "</BODY>");
  size_t previous = 0;
  for (int capacity = 1; capacity <= static_cast<int>(whole.size()) + 2; ++capacity) {
    SCOPED_TRACE(capacity);
    std::string part = Entry(0, false, 0, capacity);
    ASSERT_EQ(whole.compare(0, part.size(), part), 0);
    ASSERT_GE(part.size(), previous);
    previous = part.size();
    // A cut never falls inside a tag, an entity or a two-byte character.
    if (part.size() < whole.size()) {
      char next = whole[part.size()];
      size_t lastOpen = part.find_last_of("<&");
      ASSERT_TRUE(lastOpen == std::string::npos || part.find_first_of(">;", lastOpen) != std::string::npos);
      ASSERT_FALSE(part.size() >= 1 && static_cast<unsigned char>(part.back()) == 0x82 &&
                   static_cast<unsigned char>(next) == 0xA0);
    }
  }
  EXPECT_EQ(previous, whole.size());
}

TEST_F(TextDecoderBufferTest, CapacityAboveTheLimitIsTheLimit) {
  CText text;
  for (int i = 0; i < 40000; ++i) text.Word(kJisA);
  OpenBook(BookKindForText::kEpwing, text.Esc(0x03));
  std::string markup = Entry(0, false, 0, 100000);
  // Two-byte characters up to 65,532 bytes; one more and its NUL would
  // reach 65,535.
  EXPECT_EQ(markup.size(), 65532u);
}

TEST_F(TextDecoderBufferTest, HeadingsEndAtTheirFirstLineAndHoldNoObjects) {
  CText text;
  text.Esc(0x41).Word(0x0100)
      .Esc(0x42).Word(kJisA).Esc(0x62).Pos(1, 2)
      .Esc(0x4B).Pos(1, 2).Word(kJisA).Esc(0x6B)
      .Esc(0x44).Bcd(0, 2).Bcd(0, 4).Bcd(0, 4).Esc(0x64).Pos(1, 2)
      .Esc(0x4A).Bcd(0, 2).Bcd(0, 2).Pos(1, 2).Pos(3, 4).Esc(0x6A)
      .Esc(0x3C).Bcd(0, 2).Bcd(0, 2).Word(0).Word(0).Word(0).Word(0).Pos(1, 2).Esc(0x5C)
      .Esc(0x06).Word(0x2331).Esc(0x07).Esc(0x61).Esc(0x0A).Word(kJisA).Esc(0x03);
  OpenBook(BookKindForText::kEpwing, text);
  // Figure captions stay: the arrow and the ideograph of an empty one too.
  EXPECT_EQ(Heading(), "<HEAD>" + kSjisA + kSjisA + "\x81\xA8\x90\x7D<SUB>\x82\x50</SUB></HEAD>");
  // The cursor stands behind the new line, where the next heading of a
  // hit without its own position begins.
  EXPECT_EQ(TextPosition(), static_cast<int64_t>(text.Size()) - 4);

  // A menu reference ends a heading; the next keyword code does too, silently.
  OpenBook(BookKindForText::kEpwing,
           CText().Esc(0x43).Word(kJisA).Esc(0x63).Pos(1, 2).Word(kJisA).Esc(0x03));
  EXPECT_EQ(Heading(), kSjisA);
  OpenBook(BookKindForText::kEpwing, CText().Esc(0x41).Word(1).Word(kJisA).Esc(0x41).Word(1).Word(kJisA));
  EXPECT_EQ(Heading(), "<HEAD>" + kSjisA);
}

}  // namespace
