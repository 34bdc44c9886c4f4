// The writer's inline body markup, decoded back: each tag comes out of the
// decoder as the display markup it stands for, and text that only looks
// like a tag stays text.
#include <gtest/gtest.h>

#include <vector>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

std::string DecodeFirstEntry(const std::vector<std::string>& body, std::string* error = nullptr) {
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "MARKUP";
  sub.indexes = {Index(0x91)};
  BookEntry e = Entry("x", {{0x91, "x"}});
  e.body = body;
  sub.entries = {e};
  CTempDir dir;
  WrittenBook written;
  std::string why;
  if (!WriteBook(book, dir.File("book"), {}, &written, &why)) {
    if (error != nullptr) *error = why;
    return "";
  }
  CBookList list;
  if (list.ScanBooks(dir.File("book"), 0) != 1) return "";
  CEBReader& r = *list.GetEntry(0)->textReader;
  CReaderTextSource source(r);
  CTextDecoder decoder(source);
  r.SeekPage(written.subbooks[0].text[0].page);
  r.SeekOffset(written.subbooks[0].text[0].offset);
  std::vector<char> buf(4096);
  int length = 0;
  decoder.ReadEntryText(buf.data(), static_cast<int>(buf.size()), &length, true, 0);
  std::string markup(buf.data(), static_cast<size_t>(length));
  size_t head = markup.find("</HEAD>\r\n");
  return Utf8(head == std::string::npos ? markup : markup.substr(head + 9));
}

TEST(TextMarkupBook, EveryTagDecodesToItsMarkup) {
  EXPECT_EQ(DecodeFirstEntry({"{b}太{/b}{i}斜{/i}H{sub}2{/sub}O x{sup}2{/sup}",
                              "{indent 2}字下げ{nl}改行", "{gaiji B021}{narrow}{gaiji A121}ab{/narrow}"}),
            "<B>太</B><I>斜</I>Ｈ<SUB>２</SUB>Ｏ　ｘ<SUP>２</SUP>\r\n<INDENT=02>字下げ\r\n改行\r\n"
            // Inside a narrow span text turns half width and every gaiji is a half-width one.
            "&zB021;&hA121;ab\r\n</BODY>");
}

TEST(TextMarkupBook, BracesThatAreNoTagStayText) {
  EXPECT_EQ(DecodeFirstEntry({"{{b}} {x} {b"}), "｛ｂ｝｝　｛ｘ｝　｛ｂ\r\n</BODY>");
  std::string error;
  EXPECT_EQ(DecodeFirstEntry({"{indent x}"}, &error), "");
  EXPECT_NE(error.find("indent"), std::string::npos);
  EXPECT_EQ(DecodeFirstEntry({"{gaiji 12}"}, &error), "");
  EXPECT_NE(error.find("gaiji"), std::string::npos);
}

}  // namespace
