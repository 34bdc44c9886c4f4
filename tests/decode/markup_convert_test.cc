// ConvertMarkup: the byte form to UTF-16, with gaiji resolved through a
// user's map file, addresses wrapped, and output bounded without cutting
// any item.
#include "decode/markup_convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "decode/gaiji_map.h"
#include "decode/markup.h"

namespace {

std::u16string Wide(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Converts with a capacity of `capacity` units and checks that nothing at
// or beyond it was touched and that the result is NUL-terminated.
std::u16string Convert(const MarkupBook& book, std::string_view in, size_t capacity = 4096) {
  std::vector<char16_t> out(capacity + 4, u'#');
  size_t count = 99;
  const size_t returned = ConvertMarkup(book, in.data(), in.size(), out.data(), capacity, &count);
  EXPECT_EQ(returned, count);
  for (size_t i = capacity; i < out.size(); ++i) EXPECT_EQ(out[i], u'#') << "written past capacity at " << i;
  if (capacity == 0) {
    EXPECT_EQ(count, 0u);
    return u"";
  }
  EXPECT_LT(count, capacity);
  EXPECT_EQ(out[count], u'\0');
  return std::u16string(out.data(), count);
}

class MarkupConvertTest : public ::testing::Test {
 protected:
  // Builds a map "TEST.MAP" from `lines` and returns its record.
  const GaijiMapRecord* Map(std::string_view lines) {
    m_dir.Write("GAIJI/TEST.MAP", lines);
    m_map = std::make_unique<CGaijiMap>(m_dir.Path().string());
    return m_map->FindMap("TEST.MAP");
  }

  CTempDir m_dir;
  std::unique_ptr<CGaijiMap> m_map;
};

TEST_F(MarkupConvertTest, EveryTagAndEntityPassesThroughUnchanged) {
  std::vector<char> bytes(4096);
  MarkupBuffer b{bytes.data(), bytes.size(), 0};
  for (std::string_view tag : {kTagBody, kTagHead, kTagHeadEnd, kTagPage, kTagLink, kTagMenu, kTagBold, kTagBoldEnd,
                               kTagItalic, kTagItalicEnd, kTagUnderline, kTagUnderlineEnd, kTagSup, kTagSupEnd,
                               kTagSub, kTagSubEnd, kTagColourEnd, kTagTable, kTagTableEnd, kTagFig, kTagInline,
                               kTagMap, kTagMapEnd, kTagWav, kTagUrl, kTagUrlEnd, kTagNb, kTagNbEnd, kTagNobr,
                               kTagNobrEnd, kNewLine})
    ASSERT_TRUE(AppendMarkup(&b, tag));
  const int digits[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(WriteIndent(&b, 3) && WriteTab(&b, 12) && WriteLinkEnd(&b, 0x1A, 0x2B) && WriteMenuEnd(&b, 1, 2) &&
              WriteColour(&b, 0x1112) && WriteColourChart(&b, 5) && WriteFigEnd(&b, 3, 4, 100, 200, 0) &&
              WriteInlineEnd(&b, 5, 6, 0, 0, 1) && WriteAreaHref(&b, 1, 2, 3, 4, 5, 6) &&
              WriteAreaSound(&b, 1, 2, 3, 4, 5, 6) && WriteWavEnd(&b, 1, 2, 3, 4, digits) &&
              WriteWavFramesEnd(&b, 7, 8) && WriteMovieEnd(&b, "CLIP", 4));
  for (uint16_t c : {uint16_t{'&'}, uint16_t{'<'}, uint16_t{'>'}, uint16_t{'Z'}})
    ASSERT_TRUE(WriteTextChar(&b, c));
  ASSERT_TRUE(WriteGaijiEntity(&b, 'h', 0xA121) && WriteGaijiEntity(&b, 'z', 0xB021) &&
              WriteGaijiEntity(&b, 'c', 0xA122) && WriteGaijiEntity(&b, 'g', 0xB0A1));
  const std::string ascii(bytes.data(), b.length);
  EXPECT_EQ(Convert(MarkupBook{}, ascii), Wide(ascii));
  // With a map that knows none of these codes, and in a single-byte book.
  MarkupBook mapped{false, Map("hA1FF u0041\n")};
  ASSERT_NE(mapped.gaijiMap, nullptr);
  EXPECT_EQ(Convert(mapped, ascii), Wide(ascii));
  EXPECT_EQ(Convert(MarkupBook{true, mapped.gaijiMap}, ascii), Wide(ascii));
}

TEST_F(MarkupConvertTest, TextConvertsOneUnitPerCharacter) {
  // "<B>日本</B>" and the movie arrow, in Shift_JIS.
  EXPECT_EQ(Convert(MarkupBook{}, "<B>\x93\xFA\x96\x7B</B>\r\n<MOV>\x81\xA8"), u"<B>日本</B>\r\n<MOV>→");
  // A trail byte that looks like "<" is no trail byte: the stray lead byte
  // is one unknown character and the tag survives.
  EXPECT_EQ(Convert(MarkupBook{}, "a\x93<B>"), u"a\uFFFD<B>");
  EXPECT_EQ(Convert(MarkupBook{}, "a\x93"), u"a\uFFFD");
  // Single-byte books: every byte is its own value.
  EXPECT_EQ(Convert(MarkupBook{true, nullptr}, "\xB1\x93\xFA<I>\xFF"), u"\u00B1\u0093\u00FA<I>\u00FF");
  // The text ends at a NUL even when the length says more.
  EXPECT_EQ(Convert(MarkupBook{}, std::string_view("ab\0<B>", 6)), u"ab");
}

TEST_F(MarkupConvertTest, GaijiEntitiesResolveThroughTheMapFile) {
  const GaijiMapRecord* map = Map(
      "# test map\n"
      "hA121 u00E9\n"
      "zB021 null\n"
      "zB022\t\tabc\n"
      "cA123\tU4E00\n"
      "h41 u0042\n");
  ASSERT_NE(map, nullptr);
  const MarkupBook book{false, map};
  // Known codes become their character, "null" removes the entity, a
  // text-only entry and unknown codes stay entities for the drawing code.
  EXPECT_EQ(Convert(book, "<BODY>&hA121;x&zB021;y&zB022;&hA122;&cA123;&h0041;&gB0A1;&zA121;</BODY>"),
            u"<BODY>éxy&zB022;&hA122;一B&gB0A1;&zA121;</BODY>");
  // Without a map nothing resolves.
  EXPECT_EQ(Convert(MarkupBook{}, "&hA121;&cA123;"), u"&hA121;&cA123;");
  // Single-byte books resolve h and z but not compound codes.
  EXPECT_EQ(Convert(MarkupBook{true, map}, "&hA121;&cA123;&zB021;"), u"é&cA123;");
  // Entities cut short by the end of the text stay as they are.
  EXPECT_EQ(Convert(book, "&hA121"), u"&hA121");
  EXPECT_EQ(Convert(book, "&hA12;"), u"&hA12;");
}

TEST_F(MarkupConvertTest, ATableWithoutEntriesAnswersNothing) {
  const GaijiMapRecord* map = Map("zB021 u3042\n");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(Convert(MarkupBook{false, map}, "&hB021;&zB021;&cB021;"), u"&hB021;あ&cB021;");
  // Compound entries resolve even when the map has no full-width entries.
  map = Map("cB021 u3044\n");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(Convert(MarkupBook{false, map}, "&zB021;&cB021;"), u"&zB021;い");
}

TEST_F(MarkupConvertTest, WebAddressesAreWrapped) {
  const MarkupBook book;
  EXPECT_EQ(Convert(book, "see http://example.com/a?b"), u"see <URL>http://example.com/a</URL>?b");
  EXPECT_EQ(Convert(book, "https://x.org/u/p_1%20-2.html"), u"<URL>https://x.org/u/p_1%20-2.html");
  EXPECT_EQ(Convert(book, "http://a.jp<LINK>x</LINK[00000001:0002]>"),
            u"<URL>http://a.jp</URL><LINK>x</LINK[00000001:0002]>");
  EXPECT_EQ(Convert(book, "http://a.jp\x93\xFA"), u"<URL>http://a.jp</URL>日");
  EXPECT_EQ(Convert(book, "http://a.jp&amp;b"), u"<URL>http://a.jp</URL>&amp;b");
  EXPECT_EQ(Convert(book, "http://a http://b\r\n"), u"<URL>http://a</URL> <URL>http://b</URL>\r\n");
  EXPECT_EQ(Convert(book, "ftp://a.jp/ httpx: HTTP://a"), u"ftp://a.jp/ httpx: HTTP://a");
  // "h" as the trail byte of a two-byte character starts nothing.
  EXPECT_EQ(Convert(book, "\x91\x68ttp://a"), Cp932ToUtf16("\x91\x68") + u"ttp://a");
  // Single-byte books have no addresses.
  EXPECT_EQ(Convert(MarkupBook{true, nullptr}, "http://a.jp?"), u"http://a.jp?");
}

// Whatever the capacity, the output is the longest run of whole items of the
// full conversion that fits with its NUL.
TEST_F(MarkupConvertTest, CapacityCutsOnlyBetweenWholeItems) {
  const MarkupBook book{false, Map("hA121 u00E9\nhA122 null\n")};
  const std::string in =
      "<BODY><HEAD>\x93\xFA&amp;x</HEAD>\r\n&hA121;&hA122;&hA123;<INDENT=02>ab"
      "</LINK[00000001:0002]>\x96\x7B&lt;</BODY>";
  const std::u16string full = Convert(book, in);
  ASSERT_EQ(full, u"<BODY><HEAD>日&amp;x</HEAD>\r\né&hA123;<INDENT=02>ab</LINK[00000001:0002]>本&lt;</BODY>");
  for (size_t capacity = 0; capacity <= full.size() + 2; ++capacity) {
    const std::u16string part = Convert(book, in, capacity);
    ASSERT_EQ(full.compare(0, part.size(), part), 0) << capacity;
    if (part.size() == full.size()) continue;
    size_t next = 1;
    if (full[part.size()] == u'<') next = full.find(u'>', part.size()) - part.size() + 1;
    if (full[part.size()] == u'&') next = full.find(u';', part.size()) - part.size() + 1;
    EXPECT_GT(part.size() + next + 1, capacity) << "stopped early at capacity " << capacity;
  }
}

TEST_F(MarkupConvertTest, AddressInsertionsThatDoNotFit) {
  const MarkupBook book;
  // "<URL>" does not fit: the address stays plain text, and no "</URL>"
  // follows it.
  EXPECT_EQ(Convert(book, "ab http://x.jp", 3 + 4 + 1), u"ab http");
  EXPECT_EQ(Convert(book, "ab http://x.jp ", 3 + 4 + 1), u"ab http");
  // "</URL>" does not fit: the conversion ends after the address rather
  // than let later text run into it.
  const std::u16string opened = u"<URL>http://x.jp";
  EXPECT_EQ(Convert(book, "http://x.jp?q", opened.size() + 5 + 1), opened);
  EXPECT_EQ(Convert(book, "http://x.jp?q", opened.size() + 6 + 1), opened + u"</URL>");
  EXPECT_EQ(Convert(book, "http://x.jp?q", opened.size() + 7 + 1), opened + u"</URL>?");
}

TEST_F(MarkupConvertTest, MalformedMarkupNeverYieldsACutTag) {
  const MarkupBook book;
  // A "<" without its ">" is a cut tag: the conversion ends before it.
  EXPECT_EQ(Convert(book, "ab<LINK"), u"ab");
  EXPECT_EQ(Convert(book, "ab</FIG[0000"), u"ab");
  // A lone "&" is a character of its own.
  EXPECT_EQ(Convert(book, "a & b"), u"a & b");
  EXPECT_EQ(Convert(book, "a&<B>"), u"a&<B>");
  EXPECT_EQ(Convert(book, ""), u"");
  EXPECT_EQ(Convert(book, "abc", 0), u"");
  EXPECT_EQ(Convert(book, "abc", 1), u"");
  EXPECT_EQ(ConvertMarkup(book, nullptr, 0, nullptr, 0, nullptr), 0u);
}

}  // namespace
