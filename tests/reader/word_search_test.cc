// Word, exact and endword searches on books written by the book writer, in
// every layout the reader must handle: EB and EPWING, plain and EBZip text,
// keys with their own length byte or of fixed length, group leaves, and
// indexes deep enough to need several inner levels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

struct Layout {
  const char* name;
  BookKind kind;
  FileStorage storage;
  int keyLength;   // 0 own length bytes, -1 fixed
  bool groups;
  int pageFill;    // small: several inner levels
};

const Layout kLayouts[] = {
    {"EpwingPlain", BookKind::kEpwing, {}, 0, false, 0},
    {"EpwingEbzip2", BookKind::kEpwing, {FileStorage::kEbzip, 2}, 0, false, 0},
    {"EbPlain", BookKind::kEb, {}, 0, false, 0},
    {"EbEbzip0", BookKind::kEb, {FileStorage::kEbzip, 0}, 0, false, 3},
    {"FixedKeys", BookKind::kEpwing, {}, -1, false, 0},
    {"GroupLeaves", BookKind::kEpwing, {}, 0, true, 0},
    {"DeepIndex", BookKind::kEpwing, {}, 0, false, 2},
    {"DeepGroupsFixed", BookKind::kEb, {}, -1, true, 2},
};

struct Word {
  uint8_t index;
  const char* text;
};

const std::vector<std::vector<Word>> kWords = {
    {{0x90, "コーヒー"}, {0x91, "珈琲"}, {0x70, "コーヒー"}, {0x71, "珈琲"}},
    {{0x92, "apple"}, {0x72, "apple"}},
    {{0x92, "application"}, {0x72, "application"}},
    {{0x92, "apply"}, {0x72, "apply"}},
    {{0x90, "きゃっぷ"}, {0x91, "帽子"}, {0x70, "きゃっぷ"}},
    {{0x92, "ab"}, {0x72, "ab"}},
    {{0x92, "abc"}, {0x72, "abc"}},
    {{0x90, "がっこう"}, {0x91, "学校"}, {0x70, "がっこう"}, {0x71, "学校"}},
    {{0x92, "zoo"}, {0x72, "zoo"}},
};

BookSource MakeBook(const Layout& layout) {
  BookSource book;
  book.kind = layout.kind;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.title = "試験辞書";
  sub.directory = "TEST";
  sub.textStorage = layout.storage;
  for (uint8_t id : {0x90, 0x91, 0x92, 0x70, 0x71, 0x72})
    sub.indexes.push_back(Index(id, {0, 0, 0, 0}, layout.keyLength, layout.groups, layout.pageFill));
  for (size_t i = 0; i < kWords.size(); ++i) {
    std::vector<SearchWord> words;
    for (const Word& w : kWords[i]) words.push_back({w.index, w.text});
    sub.entries.push_back(Entry("見出し" + std::to_string(i), words));
  }
  return book;
}

class WordSearchTest : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override {
    m_written = Write(MakeBook(GetParam()), m_dir);
    ASSERT_EQ(m_list.ScanBooks(m_dir.File("book"), 0), 1);
    m_entry = m_list.GetEntry(0);
    ASSERT_NE(m_entry, nullptr);
    ASSERT_TRUE(m_entry->opened);
    m_reader = m_entry->textReader.get();
  }

  // Text positions of the hits, as entry numbers (-1 for an unknown place).
  std::vector<int> Hits() {
    std::vector<HitEntry> hits;
    m_reader->GetHitEntSorted(&hits);
    std::vector<int> entries;
    const WrittenSubbook& sub = m_written.subbooks[0];
    for (const HitEntry& h : hits) {
      int found = -1;
      for (size_t i = 0; i < sub.text.size(); ++i)
        if (sub.text[i].page == h.textPage && sub.text[i].offset == h.textOffset) found = static_cast<int>(i);
      EXPECT_NE(found, -1) << "hit at " << h.textPage << ":" << h.textOffset;
      if (found >= 0) {
        EXPECT_EQ(h.headingPage, sub.heading[static_cast<size_t>(found)].page);
        EXPECT_EQ(h.headingOffset, sub.heading[static_cast<size_t>(found)].offset);
      }
      entries.push_back(found);
    }
    return entries;
  }

  std::vector<int> Word(const std::string& utf8, bool exact = false) {
    m_reader->WordSearch(Sjis(utf8), exact);
    return Hits();
  }
  std::vector<int> Endword(const std::string& utf8) {
    m_reader->EndwordSearch(Sjis(utf8));
    return Hits();
  }

  CTempDir m_dir;
  WrittenBook m_written;
  CBookList m_list;
  SubbookEntry* m_entry = nullptr;
  CEBReader* m_reader = nullptr;
};

using V = std::vector<int>;

TEST_P(WordSearchTest, EveryWordFindsItsEntryExactly) {
  for (size_t i = 0; i < kWords.size(); ++i) {
    for (const struct Word& w : kWords[i]) {
      std::string typed = Sjis(w.text);
      bool endword = w.index >= 0x70 && w.index <= 0x72;
      if (endword) m_reader->EndwordSearch(typed);
      else m_reader->WordSearch(typed, true);
      EXPECT_EQ(Hits(), V{static_cast<int>(i)}) << w.text << " in " << std::hex << int(w.index);
    }
  }
}

TEST_P(WordSearchTest, PrefixExactAndFolding) {
  EXPECT_EQ(Word("app"), (V{1, 2, 3}));
  EXPECT_EQ(Word("app", true), V{});
  EXPECT_EQ(Word("ab"), (V{5, 6}));
  EXPECT_EQ(Word("ab", true), V{5});
  EXPECT_EQ(Word("APPLE", true), V{1});  // letters fold to upper case
  EXPECT_EQ(Word("ＡＰＰＬＹ"), V{3});   // full-width typed the same
  EXPECT_EQ(Word("コーヒー"), V{0});
  EXPECT_EQ(Word("キャップ"), V{4});
  // Kana folded by the index style 00 00 00. Group members keep the word as
  // written, so there only SEION matches by the folded group key.
  V folded = GetParam().groups ? V{} : V{0};
  EXPECT_EQ(Word("こおひい", true), folded);
  EXPECT_EQ(Word("かっこう"), GetParam().groups ? V{} : V{7});
  m_reader->SetSeion(true);
  EXPECT_EQ(Word("こおひい", true), V{0});
  EXPECT_EQ(Word("かっこう"), V{7});
  EXPECT_EQ(Word("コーヒー"), V{0});
  m_reader->SetSeion(false);
  EXPECT_EQ(Word("珈"), V{0});
  EXPECT_EQ(Word("zz"), V{});
  EXPECT_EQ(Word("a"), (V{1, 2, 3, 5, 6}));
}

TEST_P(WordSearchTest, EndwordSearchMatchesWordEnds) {
  EXPECT_EQ(Endword("ヒー"), V{0});
  EXPECT_EQ(Endword("ple"), V{1});
  EXPECT_EQ(Endword("c"), V{6});
  EXPECT_EQ(Endword("校"), V{7});
  EXPECT_EQ(Endword("xyz"), V{});
}

TEST_P(WordSearchTest, ShortenedKeyRetryStopsAtThreeCharacters) {
  EXPECT_EQ(Word("applesauce"), V{});
  m_reader->SetRetryShorter(true);
  EXPECT_EQ(Word("applesauce"), V{1});
  EXPECT_EQ(Word("applesauce", true), V{});  // exact searches never retry
  // "abxdef" goes down to "abx" and stops: "ab" would find two entries.
  EXPECT_EQ(Word("abxdef"), V{});
  EXPECT_EQ(Word("abcdef"), V{6});
}

TEST_P(WordSearchTest, HitLimitsEndTheScanWithOverflow) {
  m_reader->SetMaxHits(2);
  EXPECT_EQ(m_reader->WordSearch("a", false), 2);
  EXPECT_TRUE(m_reader->Overflowed());
  m_reader->SetMaxHits(100);
  EXPECT_EQ(m_reader->WordSearch("a", false), 5);
  EXPECT_FALSE(m_reader->Overflowed());
}

INSTANTIATE_TEST_SUITE_P(Layouts, WordSearchTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
