// Books in every layout and storage open through the book list, and every
// word of every subbook is found by forward, backward and exact search at
// the text and heading positions the writer put it.
#include <gtest/gtest.h>

#include "book_fixture.h"
#include "sample_dictionary.h"

namespace {

struct Layout {
  const char* name;
  BookKind kind;
  FileStorage text;
  FileStorage catalog;
  bool lower = false;
  bool suffix = false;
  bool honmon2 = false;
  uint8_t version = 2;  // EPWING catalog version byte, the storage hint
};

using S = FileStorage;

const Layout kLayouts[] = {
    {"EbPlain", BookKind::kEb, {}, {}},
    {"EbZip0", BookKind::kEb, {S::kEbzip, 0}, {S::kEbzip, 0}},
    {"EbZip1", BookKind::kEb, {S::kEbzip, 1}, {}},
    {"EbZip2Lower", BookKind::kEb, {S::kEbzip, 2}, {S::kEbzip, 2}, true},
    {"EbZip3", BookKind::kEb, {S::kEbzip, 3}, {}},
    {"EbZip4Suffix", BookKind::kEb, {S::kEbzip, 4}, {}, false, true},
    {"EbZip5", BookKind::kEb, {S::kEbzip, 5}, {S::kEbzip, 5}},
    {"EbSebxa", BookKind::kEb, {S::kSebxa, 0}, {}},
    {"EbSebxaLowerSuffix", BookKind::kEb, {S::kSebxa, 0}, {}, true, true},
    {"EpwingPlain", BookKind::kEpwing, {}, {}},
    {"EpwingLower", BookKind::kEpwing, {}, {}, true},
    {"EpwingSuffix", BookKind::kEpwing, {}, {S::kEbzip, 1}, false, true},
    {"EpwingZip0", BookKind::kEpwing, {S::kEbzip, 0}, {}},
    {"EpwingZip2", BookKind::kEpwing, {S::kEbzip, 2}, {S::kEbzip, 0}},
    {"EpwingZip5Honmon2", BookKind::kEpwing, {S::kEbzip, 5}, {}, false, false, true},
    {"EpwingHuffman3", BookKind::kEpwing, {S::kHuffman, 3}, {}},
    {"EpwingHuffman4", BookKind::kEpwing, {S::kHuffman, 4}, {}},
    {"EpwingHuffman4LowerSuffix", BookKind::kEpwing, {S::kHuffman, 4}, {}, true, true},
    {"EpwingHuffman3Hint4", BookKind::kEpwing, {S::kHuffman, 3}, {}, false, false, false, 4},
    {"EpwingHuffman3Hint5", BookKind::kEpwing, {S::kHuffman, 3}, {}, false, false, false, 5},
    {"EpwingHuffman4Hint6", BookKind::kEpwing, {S::kHuffman, 4}, {}, false, false, false, 6},
};

class LayoutTest : public testing::TestWithParam<Layout> {};

BookSource TwoSubbooks(const Layout& l) {
  BookSource book;
  book.kind = l.kind;
  book.catalogStorage = l.catalog;
  book.subbooks = {SampleSubbook("DICA", "見本辞典"), SampleSubbook("DIC2", "第二辞典")};
  for (SubbookSource& s : book.subbooks) {
    s.textStorage = l.text;
    s.useHonmon2 = l.honmon2;
    s.epwingVersion = l.version;
  }
  // The second subbook keeps its headings in the entry text.
  book.subbooks[1].headingArea = false;
  return book;
}

TEST_P(LayoutTest, EveryWordIsFoundAtItsEntry) {
  const Layout& l = GetParam();
  WriteOptions options;
  options.lowerCaseNames = l.lower;
  options.versionSuffix = l.suffix;
  auto book = WriteAndOpen(TwoSubbooks(l), options);
  ASSERT_EQ(book->error, "");
  ASSERT_EQ(book->added, 2);
  const auto& words = SampleWords();
  for (int s = 0; s < 2; ++s) {
    CEBReader* r = book->Reader(s);
    ASSERT_NE(r, nullptr) << "subbook " << s;
    const WrittenSubbook& w = book->written.subbooks[static_cast<size_t>(s)];
    for (size_t i = 0; i < words.size(); ++i) {
      BookPos text = w.text[i], heading = w.heading[i];
      for (const char* word : {words[i].kana, words[i].kanji, words[i].latin}) {
        SCOPED_TRACE(testing::Message() << "subbook " << s << " word " << word);
        EXPECT_TRUE(HasHit(Find(*r, Method::kForward, word), text, heading));
        EXPECT_TRUE(HasHit(Find(*r, Method::kExact, word), text, heading));
        EXPECT_TRUE(HasHit(Find(*r, Method::kBackward, word), text, heading));
      }
      EXPECT_EQ(HeadingAt(*r, heading), words[i].kanji);
      // The entry's text ends where the next entry begins.
      EXPECT_EQ(EntryTextAt(*r, text), std::string(words[i].kanji) + "\r\n" + words[i].kana + "　" +
                                           FullWidth(words[i].latin) + "\r\n");
    }
    // Homographs: both entries of あめ; a prefix finds the longer word too,
    // an exact search does not.
    EXPECT_EQ(Find(*r, Method::kExact, "あめ").size(), 2u);
    EXPECT_EQ(Find(*r, Method::kExact, "あか").size(), 1u);
    EXPECT_EQ(Find(*r, Method::kForward, "あか").size(), 2u);
    EXPECT_EQ(Find(*r, Method::kBackward, "ちゃん").size(), 1u);
    EXPECT_TRUE(Find(*r, Method::kForward, "ぬぬぬ").empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Books, LayoutTest, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<Layout>& info) { return info.param.name; });

}  // namespace
