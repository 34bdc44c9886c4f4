// Decoding the entries and headings of whole books made by the project's
// book writer, EPWING and EB, with text, headings and objects where the
// writer puts them.
#include <gtest/gtest.h>

#include <string>

#include "bookwriter/book_writer.h"
#include "bookwriter/media_writer.h"
#include "common/temp_dir.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

const std::string kAI = "\x82\xA0\x82\xA2";          // あい
const std::string kUE = "\x82\xA4\x82\xA6";          // うえ
const std::string kOTO = "\x82\xA8\x82\xC6";         // おと
const std::string kWideAB1 = "\x82\x60\x82\x61\x82\x50";

BookEntry Entry(const std::string& heading, const std::vector<uint8_t>& codes) {
  BookEntry e;
  e.heading = heading;
  e.body = {"うえ", "AB1"};
  e.codes = codes;
  return e;
}

class TextDecoderBookTest : public ::testing::Test {
 protected:
  void Write(BookKind kind, std::vector<BookEntry> entries) {
    BookSource book;
    book.kind = kind;
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.directory = "DICT";
    sub.entries = std::move(entries);
    IndexOptions index;
    index.id = 0x91;
    index.fromHeadings = true;
    sub.indexes = {index};
    std::string error;
    ASSERT_TRUE(WriteBook(book, m_dir.Path().string(), WriteOptions(), &m_written, &error)) << error;
    ASSERT_EQ(m_reader.Open(m_written.subbooks[0].textPath, 1, 2), 1);
  }

  std::string Decode(BookPos at, bool heading) {
    m_reader.SeekPage(at.page);
    if (at.offset > 0) m_reader.SeekOffset(at.offset);
    return DecodeHere(heading);
  }

  std::string DecodeHere(bool heading) {
    char buffer[8000];
    int length = 0;
    if (heading) m_decoder.ReadHeadingText(buffer, sizeof buffer, &length);
    else m_decoder.ReadEntryText(buffer, sizeof buffer, &length, true, 0);
    return std::string(buffer, static_cast<size_t>(length));
  }

  CTempDir m_dir;
  WrittenBook m_written;
  CEBReader m_reader;
  CReaderTextSource m_source{m_reader};
  CTextDecoder m_decoder{m_source};
};

TEST_F(TextDecoderBookTest, EpwingEntriesHeadingsAndObjects) {
  CObjectCodes first, second, third;
  first.ColourFigure(BookPos{5, 16}, 320, 200, "おと");
  second.MonoFigure(BookPos{6, 32}, 64, 48).PcmSound(BookPos{7, 0}, BookPos{8, 2}, 1, 1234, "おと");
  third.Movie("MV_01").InlineImage(BookPos{9, 4});
  Write(BookKind::kEpwing, {Entry("あい", first.Bytes()), Entry("あい", second.Bytes()),
                            Entry("あい", third.Bytes())});
  const std::string text = "<BODY><HEAD>" + kAI + "</HEAD>\r\n" + kUE + "\r\n" + kWideAB1 + "\r\n";
  const std::string objects[] = {
      "<FIG>" + kOTO + "</FIG[00000005:0010](0320*0200:1)>",
      "<FIG>\x81\xA8\x90\x7D</FIG[00000006:0020](0064*0048:0)><WAV>" + kOTO +
          "</WAV[00000007:0000][00000008:0002](1:1:2:3:4)>",
      "<MOV>\x81\xA8</MOV[MV_01   ]><INL></INL[00000009:0004](0000*0000:1)>",
  };
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Decode(m_written.subbooks[0].text[i], false), text + objects[i] + "</BODY>");
    EXPECT_EQ(Decode(m_written.subbooks[0].heading[i], true), kAI);
  }
  // Each entry ends where the next begins: reading on gives the next one.
  Decode(m_written.subbooks[0].text[0], false);
  EXPECT_EQ(DecodeHere(false), text + objects[1] + "</BODY>");
  // With the half-width setting the widened ASCII of the book reads narrow.
  m_decoder.SetHalfWidth(true);
  EXPECT_EQ(Decode(m_written.subbooks[0].text[0], false),
            "<BODY><HEAD>" + kAI + "</HEAD>\r\n" + kUE + "\r\nAB1\r\n" + objects[0] + "</BODY>");
}

TEST_F(TextDecoderBookTest, EbEntriesWithPicturesAndFrameSounds) {
  CObjectCodes codes;
  codes.EbFigure(BookPos{5, 16}, 1, 64, 48).XaSound(100, 200, "おと");
  Write(BookKind::kEb, {Entry("あい", codes.Bytes()), Entry("あい", {})});
  ASSERT_EQ(m_reader.Mode(), CEBReader::kModeEb);
  const std::string text = "<BODY><HEAD>" + kAI + "</HEAD>\r\n" + kUE + "\r\n" + kWideAB1 + "\r\n";
  EXPECT_EQ(Decode(m_written.subbooks[0].text[0], false),
            text + "<FIG></FIG[00000005:0010](0064*0048:1)><WAV>" + kOTO +
                "</WAV[00000064:0000][000000C8:0000](1:0:0:0:0)></BODY>");
  EXPECT_EQ(Decode(m_written.subbooks[0].text[1], false), text + "</BODY>");
  EXPECT_EQ(Decode(m_written.subbooks[0].heading[1], true), kAI);
}

}  // namespace
