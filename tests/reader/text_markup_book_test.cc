// The writer's inline body markup, decoded back: each tag comes out of the
// decoder as the display markup it stands for, and text that only looks
// like a tag stays text.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

// Writes one entry with `body` (and a second, "target", to link to) and
// decodes the first; "" when the writer refuses. `target` gets the second
// entry's text position.
std::string DecodeFirstEntry(const std::vector<std::string>& body, std::string* error = nullptr,
                             BookPos* target = nullptr) {
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "MARKUP";
  sub.indexes = {Index(0x91)};
  BookEntry e = Entry("x", {{0x91, "x"}});
  e.body = body;
  sub.entries = {e, Entry("target", {{0x91, "t"}})};
  CTempDir dir;
  WrittenBook written;
  std::string why;
  if (!WriteBook(book, dir.File("book"), {}, &written, &why)) {
    if (error != nullptr) *error = why;
    return "";
  }
  if (target != nullptr) *target = written.subbooks[0].text[1];
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

TEST(TextMarkupBook, LinksPointAtTheEntryTheyName) {
  BookPos target;
  std::string markup = DecodeFirstEntry({"{link target}先{/link}"}, nullptr, &target);
  char tail[40];
  std::snprintf(tail, sizeof tail, "</LINK[%08X:%04X]>", static_cast<unsigned>(target.page), target.offset);
  EXPECT_EQ(markup, "<LINK>先" + std::string(tail) + "\r\n</BODY>");
  std::string error;
  for (const char* bad : {"{link nowhere}x{/link}", "{link target}x", "x{/link}"}) {
    error.clear();
    EXPECT_EQ(DecodeFirstEntry({bad}, &error), "") << bad;
    EXPECT_NE(error.find("link"), std::string::npos) << bad;
  }
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
