// Words typed in full-width letters, as an input method left in full-width
// mode gives them: "ｃｄ" finds what "cd" finds, "ｉｎｔｅｒ" every word
// "inter" finds, in every search method that takes a key from an index --
// forward, backward and exact word search, keyword, cross and multi-field
// search -- in EB and EPWING books, deep indexes and group leaves alike.
// (Single-byte books: tests/books/search_rules_test.cc.)
#include <gtest/gtest.h>

#include <cctype>

#include "decode/utf8.h"
#include "reader/keyword_search.h"
#include "reader/multi_search.h"
#include "search_methods_fixture.h"

namespace {

const char* const kInter[] = {"interact", "interest", "interface", "interior", "internal", "international",
                              "Internet", "interpret", "interval", "interview", "intern"};

struct Layout {
  const char* name;
  BookKind kind;
  bool groups;
  int fill;
};

// "CD", "cdrom" and the eleven words beginning "inter", filed as words
// (0x92 and endword 0x72), in a multi-search field (0xA0) and under three
// keywords (0x80, 0x81): "Compact disc" {0, 1}, "network" {3, 8} and
// "code" {1, 8}. A fill of 2 gives an index of several levels, so a key the
// descent and the scan read differently shows.
std::unique_ptr<OpenedBook> Words(const Layout& layout) {
  BookSource book;
  book.kind = layout.kind;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "WIDE";
  s.title = "全角";
  s.indexes = {IndexOptions{0x92, {0, 0, 0, 0}, false, 0, layout.groups, layout.fill},
               IndexOptions{0x72, {0, 0, 0, 0}, false, 0, layout.groups, layout.fill},
               IndexOptions{0x80, {0, 0, 0, 0}, false, 0, true, layout.fill},
               IndexOptions{0x81, {0, 0, 0, 0}, false, 0, true, layout.fill},
               IndexOptions{0xA0, {0, 0xCF, 0xFF, 0xC0}, false, 0, false, layout.fill}};
  std::vector<std::string> words = {"CD", "cdrom"};
  words.insert(words.end(), std::begin(kInter), std::end(kInter));
  for (const std::string& w : words)
    s.entries.push_back(Entry(w, {"説明"}, {{0x92, w}, {0x72, w}, {0xA0, w}}));
  s.groups = {KeywordGroup{0x80, "Compact disc", {0, 1}}, KeywordGroup{0x81, "Compact disc", {0, 1}},
              KeywordGroup{0x80, "network", {3, 8}}, KeywordGroup{0x81, "network", {3, 8}},
              KeywordGroup{0x80, "code", {1, 8}},    KeywordGroup{0x81, "code", {1, 8}}};
  SearchAreasSource areas;
  areas.multiAreas = {{MultiSearchSource{"語", {0xA0}}}};
  return WriteAreasAndOpen(book, {areas});
}

// Full-width forms of an ASCII word: letters lower-case (the input method's
// usual output), upper-case, or alternating with ASCII.
enum class Wide { kLower, kUpper, kMixed };

std::string Widen(const std::string& ascii, Wide how) {
  std::u16string out;
  for (size_t i = 0; i < ascii.size(); ++i) {
    char c = ascii[i];
    bool letter = std::isalpha(static_cast<unsigned char>(c)) != 0;
    if (!letter || (how == Wide::kMixed && i % 2 == 1)) {
      out.push_back(c == ' ' ? u'　' : static_cast<char16_t>(c));
      continue;
    }
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out.push_back(static_cast<char16_t>((how == Wide::kUpper ? u'Ａ' : u'ａ') + (l - 'a')));
  }
  std::string utf8(out.size() * 3, '\0');
  utf8.resize(Utf16ToUtf8(out.data(), out.size(), utf8.data(), utf8.size()));
  return utf8;
}

TextSet Hits(CEBReader& r, int keys = 1) {
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits, 0, keys);
  return TextsOf(hits);
}

TextSet Word(CEBReader& r, const std::string& utf8, int method) {
  std::string key = Sjis(utf8);
  if (method == 1) {
    r.EndwordSearch(key);
  } else {
    r.WordSearch(key, method == 2);
  }
  return Hits(r);
}

TextSet Keywords(CEBReader& r, const std::string& utf8, bool cross) {
  int keys = 0;
  if (cross) {
    CrossSearch(r, Sjis(utf8), &keys);
  } else {
    KeywordSearch(r, Sjis(utf8), &keys);
  }
  return Hits(r, keys);
}

TextSet Field(CEBReader& r, const IndexEntry& field, const std::string& utf8) {
  MultiFieldSearch(r, field, Sjis(utf8), 0);
  return Hits(r);
}

const Layout kLayouts[] = {{"Epwing", BookKind::kEpwing, false, 0},
                           {"EpwingDeep", BookKind::kEpwing, false, 2},
                           {"EbDeepGroups", BookKind::kEb, true, 2},
                           {"EpwingGroups", BookKind::kEpwing, true, 3}};

TEST(FullWidthLetters, EveryIndexSearchFindsWhatAsciiFinds) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    auto b = Words(layout);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const WrittenSubbook& w = b->written.subbooks[0];

    EXPECT_EQ(Word(r, "ｃｄ", 0), TextsOfEntries(w, {0, 1}));
    EXPECT_EQ(Word(r, "ｃｄ", 2), TextsOfEntries(w, {0}));
    EXPECT_EQ(Word(r, "ｉｎｔｅｒ", 0), TextsOfEntries(w, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(Word(r, "ｒｏｍ", 1), TextsOfEntries(w, {1}));
    for (const char* ascii : {"cd", "inter", "internet", "intern", "interv", "nal", "rom", "t"}) {
      for (Wide how : {Wide::kLower, Wide::kUpper, Wide::kMixed}) {
        std::string wide = Widen(ascii, how);
        for (int method : {0, 1, 2}) EXPECT_EQ(Word(r, wide, method), Word(r, ascii, method)) << wide << " " << method;
      }
    }

    for (bool cross : {false, true}) {
      EXPECT_EQ(Keywords(r, "ｃｏｍｐａｃｔＤＩＳＣ", cross), TextsOfEntries(w, {0, 1})) << cross;
      EXPECT_EQ(Keywords(r, "ｎｅｔ", cross), TextsOfEntries(w, {3, 8})) << cross;
      EXPECT_EQ(Keywords(r, "ｃｏ　ｎｅ", cross), TextsOfEntries(w, {8})) << cross;
    }
    CMultiSearch multi;
    multi.Load(r);
    ASSERT_EQ(multi.Rows().size(), 2u);
    const IndexEntry field = multi.Rows()[1];
    EXPECT_EQ(Field(r, field, "ｉｎｔｅｒ").size(), 11u);
    EXPECT_EQ(Field(r, field, "ｃｄ"), TextsOfEntries(w, {0, 1}));
    EXPECT_EQ(Field(r, field, "ＩｎｔｅｒＮＥＴ"), TextsOfEntries(w, {8}));
  }
}

}  // namespace
