// Catalogs as the writer lays them out, read through the book list: entry
// limits, unusable entries, index table pages, directory names and titles.
#include <gtest/gtest.h>

#include "book_fixture.h"

namespace {

SubbookSource Tiny(const std::string& dir, const std::string& word) {
  SubbookSource s;
  s.directory = dir;
  s.title = "辞書" + dir;
  s.indexes = {IndexOptions{0x90}};
  s.entries = {Entry(word, {"本文"}, {{0x90, word}})};
  return s;
}

BookSource Many(BookKind kind, int n) {
  BookSource book;
  book.kind = kind;
  for (int i = 0; i < n; ++i) book.subbooks.push_back(Tiny("D" + std::to_string(i), "あ"));
  return book;
}

TEST(CatalogTest, CountsBeyondTheLimitAreCut) {
  auto epwing = WriteAndOpen(Many(BookKind::kEpwing, 15));
  ASSERT_EQ(epwing->error, "");
  EXPECT_EQ(epwing->added, 12);
  auto eb = WriteAndOpen(Many(BookKind::kEb, 60));
  ASSERT_EQ(eb->error, "");
  EXPECT_EQ(eb->added, 50);
  // The last subbook taken is the last one the limit allows.
  EXPECT_EQ(eb->list.PeekEntry(49)->directory, "D49");
  EXPECT_EQ(epwing->list.PeekEntry(11)->directory, "D11");
}

TEST(CatalogTest, UnusableEntriesAreNeverListed) {
  for (BookKind kind : {BookKind::kEb, BookKind::kEpwing}) {
    BookSource book;
    book.kind = kind;
    book.subbooks = {Tiny("ONE", "いち"), Tiny("TWO", "に"), Tiny("THREE", "さん")};
    book.subbooks[1].catalogType = 0xF0;
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->error, "");
    ASSERT_EQ(b->added, 2);
    EXPECT_EQ(b->list.PeekEntry(0)->directory, "ONE");
    EXPECT_EQ(b->list.PeekEntry(1)->directory, "THREE");
    CEBReader* r = b->Reader(1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Find(*r, Method::kExact, "さん").size(), 1u);
  }
}

TEST(CatalogTest, TitlesDirectoriesAndIndexPages) {
  BookSource book;
  book.subbooks = {Tiny("ABC", "あ"), Tiny("PAGE0", "い"), Tiny("PAGE3", "う")};
  book.subbooks[0].title = "見本 Dictionary";
  book.subbooks[1].indexPage = 0;  // read as page 1
  book.subbooks[2].indexPage = 3;
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->error, "");
  ASSERT_EQ(b->added, 3);
  // A three-letter directory comes back without its padding.
  EXPECT_EQ(b->list.PeekEntry(0)->directory, "ABC");
  EXPECT_EQ(b->list.PeekEntry(0)->catalogEntry.title, Sjis("見本　Ｄｉｃｔｉｏｎａｒｙ"));
  EXPECT_EQ(b->list.PeekEntry(2)->catalogEntry.indexPage, 3);
  const char* words[] = {"あ", "い", "う"};
  for (int i = 0; i < 3; ++i) {
    CEBReader* r = b->Reader(i);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(HasText(Find(*r, Method::kExact, words[i]), b->written.subbooks[i].text[0])) << i;
  }
}

TEST(CatalogTest, EbTitleKeepsItsRawBytes) {
  BookSource book;
  book.kind = BookKind::kEb;
  book.subbooks = {Tiny("EBDIC", "あ")};
  book.subbooks[0].title = "国語";
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1);
  const CatalogEntry& e = b->list.PeekEntry(0)->catalogEntry;
  EXPECT_EQ(e.title, Sjis("国語"));
  ASSERT_GE(e.rawTitle.size(), 4u);
  EXPECT_EQ(e.rawTitle.substr(0, 4), std::string("\x39\x71\x38\x6C", 4));
}

}  // namespace

namespace {

TEST(CatalogTest, LanguageFileMarksBooksWithoutNarrowFontsSingleByte) {
  for (bool flag : {false, true}) {
    for (bool narrowFont : {false, true}) {
      BookSource book;
      book.kind = BookKind::kEb;
      book.languageFlag = flag;
      book.subbooks = {Tiny("LANG", "あ")};
      if (narrowFont) {
        FontSource f;
        f.width = 8;
        f.glyphs.assign(3, std::vector<uint8_t>(16, 0x55));
        book.subbooks[0].narrowFonts = {f};
      }
      auto b = WriteAndOpen(book);
      ASSERT_EQ(b->added, 1) << b->error;
      EXPECT_EQ(b->Reader(0)->SingleByte(), flag && !narrowFont) << flag << narrowFont;
    }
  }
}

}  // namespace
