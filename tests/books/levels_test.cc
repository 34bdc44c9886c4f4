// Index shapes: several inner levels, fixed key lengths, and random books
// large enough to spread every index over many pages.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "sample_dictionary.h"

namespace {

void ExpectSampleFound(OpenedBook& b) {
  ASSERT_EQ(b.added, 1) << b.error;
  CEBReader& r = *b.Reader(0);
  const WrittenSubbook& w = b.written.subbooks[0];
  const auto& words = SampleWords();
  for (size_t i = 0; i < words.size(); ++i) {
    for (const char* word : {words[i].kana, words[i].kanji, words[i].latin}) {
      SCOPED_TRACE(word);
      EXPECT_TRUE(HasHit(Find(r, Method::kExact, word), w.text[i], w.heading[i]));
      EXPECT_TRUE(HasHit(Find(r, Method::kForward, word), w.text[i], w.heading[i]));
      EXPECT_TRUE(HasHit(Find(r, Method::kBackward, word), w.text[i], w.heading[i]));
    }
  }
  EXPECT_EQ(Find(r, Method::kForward, "あか").size(), 2u);
  EXPECT_EQ(Find(r, Method::kExact, "あか").size(), 1u);
}

TEST(LevelsTest, SmallPagesMakeSeveralInnerLevels) {
  for (int fill : {1, 2, 3, 5}) {
    SCOPED_TRACE(fill);
    BookSource book;
    book.subbooks = {SampleSubbook("LEVELS", "段")};
    for (IndexOptions& x : book.subbooks[0].indexes) x.pageFill = fill;
    auto b = WriteAndOpen(book);
    ExpectSampleFound(*b);
  }
}

TEST(LevelsTest, FixedKeyLengths) {
  for (BookKind kind : {BookKind::kEpwing, BookKind::kEb}) {
    BookSource book;
    book.kind = kind;
    book.subbooks = {SampleSubbook("FIXED", "固定")};
    for (IndexOptions& x : book.subbooks[0].indexes) {
      x.keyLength = -1;
      x.pageFill = 4;
    }
    auto b = WriteAndOpen(book);
    ExpectSampleFound(*b);
  }
}

TEST(LevelsTest, RandomBooksFindEveryWord) {
  const std::pair<BookKind, FileStorage> layouts[] = {
      {BookKind::kEpwing, {FileStorage::kEbzip, 2}},
      {BookKind::kEb, {FileStorage::kSebxa, 0}},
      {BookKind::kEpwing, {FileStorage::kHuffman, 4}}};
  for (const auto& [kind, storage] : layouts) {
    BookSource book = RandomBook(20261208, 1000, kind);
    book.subbooks[0].textStorage = storage;
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    r.SetMaxHits(100000);
    const SubbookSource& s = book.subbooks[0];
    const WrittenSubbook& w = b->written.subbooks[0];
    int misses = 0;
    for (size_t i = 0; i < s.entries.size(); ++i) {
      for (const SearchWord& word : s.entries[i].words) {
        Method m = word.indexId >= 0x70 && word.indexId <= 0x72 ? Method::kBackward : Method::kExact;
        // Kana words go to 0x90 and kanji to 0x91 whatever their index, so
        // each is searched once, by the method of its index.
        if (!HasHit(Find(r, m, word.word), w.text[i], w.heading[i])) {
          if (++misses <= 5) ADD_FAILURE() << "entry " << i << " index " << std::hex << int(word.indexId);
        }
      }
    }
    EXPECT_EQ(misses, 0);
    // Headings and texts spread over many pages of compressed text.
    for (size_t i = 0; i < s.entries.size(); i += 97) {
      EXPECT_EQ(HeadingAt(r, w.heading[i]), s.entries[i].heading) << i;
      EXPECT_EQ(EntryTextAt(r, w.text[i]).rfind(s.entries[i].heading + "\r\n", 0), 0u) << i;
    }
  }
}

}  // namespace
