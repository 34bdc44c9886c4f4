// Key folding by index style, index choice and search limits, each checked
// end to end: the writer files words with its own folding, the reader folds
// what is typed, and the two must meet.
#include <gtest/gtest.h>

#include "book_fixture.h"

namespace {

struct Case {
  uint8_t id;
  std::array<uint8_t, 4> style;  // availability, S0, S1, S2
  const char* stored;
  const char* typed;
  Method method;
  bool found;
};

// One subbook whose only index `id` files `word` for entry 0.
BookSource OneWord(uint8_t id, std::array<uint8_t, 4> style, const std::string& word,
                   uint8_t styleMode = 0) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "RULES";
  s.title = "規則";
  s.styleMode = styleMode;
  s.indexes = {IndexOptions{id, style}};
  s.entries = {Entry("見出し", {"本文"}, {{id, word}})};
  return book;
}

void Expect(const Case& c, uint8_t styleMode = 0) {
  auto b = WriteAndOpen(OneWord(c.id, c.style, c.stored), WriteOptions{});
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader* r = b->Reader(0);
  ASSERT_NE(r, nullptr);
  (void)styleMode;
  auto hits = Find(*r, c.method, c.typed);
  EXPECT_EQ(HasText(hits, b->written.subbooks[0].text[0]), c.found)
      << std::hex << "index " << int(c.id) << " style " << int(c.style[1]) << " " << int(c.style[2])
      << " " << int(c.style[3]) << ": stored " << c.stored << ", typed " << c.typed;
}

constexpr std::array<uint8_t, 4> kAll{0, 0x00, 0x00, 0x00};

TEST(SearchRulesTest, KanaFoldingFollowsTheStyle) {
  const Case cases[] = {
      // Katakana and hiragana meet unless S0 bits 6-7 keep them apart.
      {0x90, kAll, "コーヒー", "こーひー", Method::kExact, true},
      {0x90, kAll, "こーひー", "コーヒー", Method::kExact, true},
      {0x90, {0, 0xC0, 0, 0}, "コーヒー", "こーひー", Method::kExact, false},
      {0x90, {0, 0xC0, 0, 0}, "コーヒー", "コーヒー", Method::kExact, true},
      // Long vowels: spelled out, dropped, or kept.
      {0x90, kAll, "コーヒー", "こおひい", Method::kExact, true},
      {0x90, {0, 0x02, 0, 0}, "コーヒー", "こひ", Method::kExact, true},
      {0x90, {0, 0x02, 0, 0}, "コーヒー", "こおひい", Method::kExact, false},
      {0x90, {0, 0x01, 0, 0}, "コーヒー", "こおひい", Method::kExact, false},
      {0x90, {0, 0x01, 0, 0}, "コーヒー", "コーヒー", Method::kExact, true},
      // Small kana.
      {0x90, kAll, "きって", "きつて", Method::kExact, true},
      {0x90, {0, 0, 0xC0, 0}, "きって", "きつて", Method::kExact, false},
      {0x90, kAll, "でんしゃ", "でんしや", Method::kExact, true},
      {0x90, {0, 0, 0x30, 0}, "でんしゃ", "でんしや", Method::kExact, false},
      {0x90, kAll, "ティー", "てぃい", Method::kExact, true},
      {0x90, kAll, "ティー", "ていい", Method::kExact, true},
      {0x90, {0, 0, 0x0C, 0}, "ティー", "ていい", Method::kExact, false},
      // Voiced and semi-voiced marks.
      {0x90, kAll, "がっこう", "かっこう", Method::kExact, true},
      {0x90, {0, 0, 0x03, 0}, "がっこう", "かっこう", Method::kExact, false},
      {0x90, kAll, "パン", "はん", Method::kExact, true},
      {0x90, {0, 0, 0, 0xC0}, "パン", "はん", Method::kExact, false},
      {0x90, {0, 0, 0, 0xC0}, "パン", "ぱん", Method::kExact, true},
      // Marks are dropped unless S0 bits 2-3 keep them.
      {0x90, kAll, "ア・ラ・カルト", "あらかると", Method::kExact, true},
      {0x90, {0, 0x0C, 0, 0}, "ア・ラ・カルト", "あらかると", Method::kExact, false},
      {0x90, {0, 0x0C, 0, 0}, "ア・ラ・カルト", "ア・ラ・カルト", Method::kExact, true},
      // ... but never kept in the written-form and Latin indexes.
      {0x92, {0, 0x0C, 0, 0}, "rock-n-roll", "rocknroll", Method::kExact, true},
      // Letters meet in either case; full-width and typed half-width alike.
      {0x92, kAll, "Apple", "apple", Method::kExact, true},
      {0x92, kAll, "ａｐｐｌｅ", "APPLE", Method::kExact, true},
      {0x92, kAll, "ＡＰＰＬＥ", "apple", Method::kExact, true},
      {0x92, kAll, "apple", "ａｐｐｌｅ", Method::kExact, true},
      {0x92, {0, 0x30, 0, 0}, "Apple", "ａＰｐＬｅ", Method::kExact, true},
      {0x72, kAll, "Rainbow", "ｂｏｗ", Method::kBackward, true},
      // Endword keys fold before they are reversed.
      {0x70, kAll, "コーヒー", "ひい", Method::kBackward, true},
      {0x70, kAll, "コーヒー", "ヒー", Method::kBackward, true},
      {0x70, kAll, "がっこう", "こう", Method::kBackward, true},
      {0x70, kAll, "がっこう", "かつこう", Method::kBackward, true},
      {0x72, kAll, "Rainbow", "bow", Method::kBackward, true},
      {0x72, kAll, "Rainbow", "rain", Method::kBackward, false},
  };
  for (const Case& c : cases) Expect(c);
}

TEST(SearchRulesTest, BookWideStylesReplaceTheEntries) {
  // Header byte 4 = 1, or an availability flag of 1: kana indexes fold
  // everything whatever their entry says; other indexes keep kana apart.
  for (uint8_t mode : {0, 1}) {
    std::array<uint8_t, 4> style{static_cast<uint8_t>(mode == 1 ? 0 : 1), 0xC3, 0xFF, 0xC0};
    auto b = WriteAndOpen(OneWord(0x90, style, "がっこう", mode == 1 ? 1 : 0));
    ASSERT_EQ(b->added, 1) << b->error;
    EXPECT_TRUE(HasText(Find(*b->Reader(0), Method::kExact, "カッコウ"), b->written.subbooks[0].text[0]));
    auto f = WriteAndOpen(OneWord(0x91, style, "ガッコウ", mode == 1 ? 1 : 0));
    ASSERT_EQ(f->added, 1) << f->error;
    EXPECT_TRUE(Find(*f->Reader(0), Method::kExact, "がっこう").empty());
    EXPECT_FALSE(Find(*f->Reader(0), Method::kExact, "ガッコウ").empty());
  }
}

TEST(SearchRulesTest, KanaIndexFallsBackFrom90To30) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "FALL";
  s.title = "代替";
  s.indexes = {IndexOptions{0x30}, IndexOptions{0x50}};
  s.entries = {Entry("林檎", {}, {{0x30, "りんご"}, {0x50, "林檎"}})};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  BookPos at = b->written.subbooks[0].text[0];
  // Class 1 leaves carry one position, the heading being the text.
  EXPECT_TRUE(HasHit(Find(*b->Reader(0), Method::kExact, "りんご"), at, at));
  EXPECT_TRUE(HasHit(Find(*b->Reader(0), Method::kForward, "リン"), at, at));
  EXPECT_TRUE(HasHit(Find(*b->Reader(0), Method::kExact, "林檎"), at, at));

  // With 0x90 present, 0x30 is not consulted for kana.
  s.indexes.push_back(IndexOptions{0x90});
  s.entries.push_back(Entry("蜜柑", {}, {{0x90, "みかん"}}));
  auto both = WriteAndOpen(book);
  ASSERT_EQ(both->added, 1) << both->error;
  EXPECT_TRUE(Find(*both->Reader(0), Method::kExact, "りんご").empty());
  EXPECT_EQ(Find(*both->Reader(0), Method::kExact, "みかん").size(), 1u);
}

TEST(SearchRulesTest, ShortenedKeyRetry) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "RETRY";
  s.title = "再試行";
  s.indexes = {IndexOptions{0x90}, IndexOptions{0x92}};
  s.entries = {Entry("abc", {}, {{0x92, "abc"}}), Entry("りんご", {}, {{0x90, "りんご"}})};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const auto& w = b->written.subbooks[0];
  EXPECT_TRUE(Find(r, Method::kForward, "abcdef").empty());
  r.SetRetryShorter(true);
  EXPECT_TRUE(HasText(Find(r, Method::kForward, "abcdef"), w.text[0]));
  EXPECT_TRUE(HasText(Find(r, Method::kForward, "りんごじゅーす"), w.text[1]));
  // Never below three characters, and never for exact searches.
  EXPECT_TRUE(Find(r, Method::kForward, "abxdef").empty());
  EXPECT_TRUE(Find(r, Method::kForward, "りんとう").empty());
  EXPECT_TRUE(Find(r, Method::kExact, "abcdef").empty());
}

TEST(SearchRulesTest, KeysUpTo255Bytes) {
  std::string k127, k128;
  for (int i = 0; i < 127; ++i) k127 += "あ";
  k128 = k127 + "あ";
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "LONG";
  s.title = "長い";
  s.indexes = {IndexOptions{0x90}, IndexOptions{0x70}};
  s.entries = {Entry("長", {}, {{0x90, k127}, {0x70, k127}})};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  BookPos at = b->written.subbooks[0].text[0];
  EXPECT_TRUE(HasText(Find(r, Method::kExact, k127), at));
  EXPECT_TRUE(HasText(Find(r, Method::kBackward, k127), at));
  EXPECT_TRUE(Find(r, Method::kForward, k128).empty());
  EXPECT_TRUE(Find(r, Method::kBackward, k128).empty());
}

}  // namespace

namespace {

TEST(SearchRulesTest, WordIndexesOfEveryIdentifier) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "IDS";
  s.title = "索引";
  s.indexes = {IndexOptions{0x40}, IndexOptions{0x61}, IndexOptions{0x60}, IndexOptions{0x50}};
  s.entries = {Entry("林檎", {}, {{0x40, "apple"}, {0x60, "林檎"}}),
               Entry("跳躍", {}, {{0x61, "jump"}, {0x50, "跳躍"}})};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  // Class 1 leaves hold one position, so the heading is the text.
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "APPLE"), w.text[0], w.text[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "林檎"), w.text[0], w.text[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kForward, "跳"), w.text[1], w.text[1]));
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "jump"), w.text[1], w.heading[1]));
  // Without 0x70-0x72 there is no endword search.
  EXPECT_TRUE(Find(r, Method::kBackward, "jump").empty());
}

}  // namespace

namespace {

TEST(SearchRulesTest, SingleByteBooks) {
  BookSource book;
  book.kind = BookKind::kEb;
  book.languageFlag = true;  // and no narrow font: single-byte text
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "ENGLISH";
  s.title = "英語";
  s.singleByte = true;
  s.indexes = {IndexOptions{0x92, {0, 0, 0, 0}, true}, IndexOptions{0x72, {0, 0, 0, 0}, true}};
  s.entries = {Entry("abc", {"first letters"}), Entry("Rainbow", {"after rain"})};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  ASSERT_TRUE(r.SingleByte());
  const WrittenSubbook& w = b->written.subbooks[0];
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "ABC"), w.text[0], w.heading[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kForward, "rain"), w.text[1], w.heading[1]));
  EXPECT_TRUE(HasHit(Find(r, Method::kBackward, "BOW"), w.text[1], w.heading[1]));
  EXPECT_TRUE(Find(r, Method::kExact, "ab").empty());
  // Full-width letters are taken as ASCII; other full-width characters
  // match no single byte.
  EXPECT_TRUE(HasHit(Find(r, Method::kExact, "ａＢｃ"), w.text[0], w.heading[0]));
  EXPECT_TRUE(HasHit(Find(r, Method::kBackward, "ｂｏｗ"), w.text[1], w.heading[1]));
  EXPECT_TRUE(Find(r, Method::kForward, "ａｂ！").empty());
  EXPECT_EQ(HeadingAt(r, w.heading[1]), "Rainbow");
  EXPECT_EQ(EntryTextAt(r, w.text[0]), "abc\r\nfirst letters\r\n");
  // The shortened-key retry cuts one byte a round, down to three.
  r.SetRetryShorter(true);
  EXPECT_TRUE(HasText(Find(r, Method::kForward, "abcdef"), w.text[0]));
  EXPECT_TRUE(Find(r, Method::kForward, "abxdef").empty());
}

}  // namespace
