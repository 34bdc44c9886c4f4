// The text form of a book source: a description using every statement
// becomes a book the reader searches; bad lines are refused by number.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "bookwriter/book_source.h"

namespace {

const char kSource[] = R"(# a book with two subbooks
book epwing
catalog-storage ebzip 1
names lower
subbook FRUIT 果物辞典
  version 2
  index-page 2
  style-mode 0
  text-file honmon2
  storage ebzip 2
  font-storage plain
  index 90 style 00 00 00 00 headings
  index 92 fill 2 fixed auto
  index 70
  index 80 groups
  font narrow 8 16 A121 file HALF16
    glyph 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF
  font wide 16 16 B121
    glyph 000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
  entry りんご
    body 赤い 果物。
    word 92 red apple
    word 70 りんご
  entry みかん
    word 92 orange
  group 80 fruit 0 1
subbook OLD 古い辞書
  type F0
  entry むかし
)";

TEST(SourceTest, EveryStatementReachesTheBook) {
  BookSource book;
  WriteOptions options;
  std::string error;
  ASSERT_TRUE(ParseBookSource(kSource, &book, &options, &error)) << error;
  EXPECT_TRUE(options.lowerCaseNames);
  ASSERT_EQ(book.subbooks.size(), 2u);
  const SubbookSource& s = book.subbooks[0];
  EXPECT_EQ(s.title, "果物辞典");
  EXPECT_EQ(s.entries[0].body[0], "赤い 果物。");
  EXPECT_EQ(s.entries[0].words[0].word, "red apple");
  EXPECT_EQ(s.indexes[1].keyLength, -1);
  EXPECT_EQ(s.indexes[1].pageFill, 2);
  EXPECT_EQ(s.narrowFonts[0].glyphs[0].size(), 16u);
  EXPECT_EQ(s.wideFonts[0].glyphs[0][31], 0x1F);

  CTempDir dir;
  WrittenBook written;
  ASSERT_TRUE(WriteBook(book, dir.File("b"), options, &written, &error)) << error;
  CBookList list;
  ASSERT_EQ(list.AddBook(written.catalogPath), 1);
  CEBReader& r = *list.GetEntry(0)->textReader;
  const WrittenSubbook& w = written.subbooks[0];
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "リンゴ"), w.text[0], w.heading[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "red apple"), w.text[0], w.heading[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kForward, "ora"), w.text[1], w.heading[1]));
  EXPECT_TRUE(HasHit(Find(r, Method::kBackward, "ご"), w.text[0], w.heading[0]));
  Glyph g;
  ASSERT_TRUE(list.GetEntry(0)->fontReaders[0]->GetGlyph(8, 16, 0xA121, &g));
  EXPECT_EQ(g.bits[15], 0xFF);
}

TEST(SourceTest, BadLinesAreRefusedWithTheirNumber) {
  const std::pair<const char*, const char*> bad[] = {
      {"book cdrom", "line 1: "},
      {"subbook A 辞書\nindex 90 style 00 00\n", "line 2: "},
      {"subbook A 辞書\n\nstorage ebzip 9", "line 3: "},
      {"entry 見出し", "line 1: "},
      {"subbook A 辞書\nbody 本文", "line 2: "},
      {"subbook A 辞書\nglyph 00", "line 2: "},
      {"subbook A 辞書\ngroup 80 key x", "line 2: "},
      {"subbook A 辞書\nindex 90 fixed 0", "line 2: "},
  };
  for (const auto& [text, prefix] : bad) {
    BookSource book;
    WriteOptions options;
    std::string error;
    EXPECT_FALSE(ParseBookSource(text, &book, &options, &error)) << text;
    EXPECT_EQ(error.rfind(prefix, 0), 0u) << text << " -> " << error;
  }
}

TEST(SourceTest, UnwritableSourcesAreRefused) {
  CTempDir dir;
  std::string error;
  BookSource book;
  book.subbooks.emplace_back().directory = "TOOLONGNAME";
  EXPECT_FALSE(WriteBook(book, dir.File("a"), {}, nullptr, &error));
  book.subbooks[0].directory = "OK";
  book.subbooks[0].textStorage = {FileStorage::kSebxa, 0};
  EXPECT_FALSE(WriteBook(book, dir.File("b"), {}, nullptr, &error));
  book.subbooks[0].textStorage = {};
  book.subbooks[0].entries = {Entry("\xF0\x9F\x98\x80", {}, {})};  // no JIS form
  EXPECT_FALSE(WriteBook(book, dir.File("c"), {}, nullptr, &error));
  EXPECT_NE(error, "");
}

}  // namespace
