// The engine's searches against a book that no one here wrote: the
// FreePWING dictionary of freepwing_book.h. Every search word finds exactly
// the entries the model of the book's word lists says it should -- forward,
// backward, exact, keyword and full text -- at the entry's own text and
// heading; the catalog names the subbook; an EBZip copy reads the same.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>

#include "bookwriter/ebzip_writer.h"
#include "freepwing/freepwing_book.h"
#include "reader/full_text_search.h"

namespace {

TEST_F(FreePwingBook, CatalogNamesTheSubbookAndItsAreas) {
  const CatalogEntry& entry = m_catalog.entries[0];
  EXPECT_TRUE(m_catalog.isEpwing);
  EXPECT_EQ(entry.directory, "TOMELING");
  EXPECT_EQ(ToUtf8(Cp932ToUtf16(entry.title)), "トメリング試験辞書　果物・動物・色");
  EXPECT_EQ(entry.indexPage, 1);
  EXPECT_EQ(entry.fontNames[0], "GAI16H");
  EXPECT_EQ(entry.fontNames[1], "GAI16F");
  for (int slot = 2; slot < kFontSlots; ++slot) EXPECT_EQ(entry.fontNames[slot], "") << slot;

  // Text, headings, menu, copyright, the word and keyword indexes, images
  // and sounds, each inside the file.
  const int32_t pages = static_cast<int32_t>(std::filesystem::file_size(m_honmon) / 2048);
  for (uint8_t id : {0x00, 0x01, 0x02, 0x05, 0x07, 0x71, 0x80, 0x91, 0xD2, 0xD8}) {
    const IndexEntry* area = m_reader->FindIndex(id);
    ASSERT_NE(area, nullptr) << "area " << int(id);
    EXPECT_GE(area->startPage, 2) << "area " << int(id);
    EXPECT_LE(area->endPage, pages) << "area " << int(id);
  }
}

TEST_F(FreePwingBook, EveryWordFindsItsEntryForwardBackwardAndExact) {
  for (const Entry& e : m_entries) {
    for (const std::string& word : e.Words()) {
      for (Match how : {Match::kPrefix, Match::kSuffix, Match::kExact}) {
        std::set<Position> found = Search(word, how);
        EXPECT_TRUE(found.count(PositionOf(e))) << word << " does not find " << e.reading << " (" << int(how) << ")";
        ExpectSearch(word, how);
      }
    }
  }
}

TEST_F(FreePwingBook, PartialWordsFindExactlyTheEntriesThatBeginOrEndSo) {
  // Every beginning and every ending of every reading and written form,
  // which sends the searches to both leaf pages and across their border.
  for (const Entry& e : m_entries) {
    for (const std::string& word : {e.reading, e.written}) {
      std::u16string w = ToUtf16(word);
      for (size_t n = 1; n < w.size(); ++n) {
        ExpectSearch(ToUtf8(w.substr(0, n)), Match::kPrefix);
        ExpectSearch(ToUtf8(w.substr(0, n)), Match::kExact);
        ExpectSearch(ToUtf8(w.substr(w.size() - n)), Match::kSuffix);
      }
    }
  }
}

// The English words typed in full-width letters, as an input method left
// in full-width mode gives them: every beginning, ending and whole word
// finds what the ASCII form finds.
TEST_F(FreePwingBook, FullWidthLettersFindWhatAsciiFinds) {
  auto wide = [](const std::string& ascii, bool upper) {
    std::u16string out;
    for (char c : ascii) {
      char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (l >= 'a' && l <= 'z') {
        out.push_back(static_cast<char16_t>((upper ? u'Ａ' : u'ａ') + (l - 'a')));
      } else {
        out.push_back(c == ' ' ? u'　' : static_cast<char16_t>(c));
      }
    }
    return ToUtf8(out);
  };
  size_t checked = 0;
  for (const Entry& e : m_entries) {
    for (const std::string& word : e.english) {
      for (size_t n = 1; n <= word.size(); ++n) {
        for (bool upper : {false, true}) {
          std::string head = wide(word.substr(0, n), upper), tail = wide(word.substr(word.size() - n), upper);
          EXPECT_EQ(Search(head, Match::kPrefix), Search(word.substr(0, n), Match::kPrefix)) << head;
          EXPECT_EQ(Search(head, Match::kExact), Search(word.substr(0, n), Match::kExact)) << head;
          EXPECT_EQ(Search(tail, Match::kSuffix), Search(word.substr(word.size() - n), Match::kSuffix)) << tail;
          ++checked;
        }
      }
      EXPECT_FALSE(Search(wide(word, false), Match::kExact).empty()) << word;
      EXPECT_EQ(KeywordHits(wide(word, false)), KeywordHits(word)) << word;
    }
  }
  EXPECT_GT(checked, 400u);
  // Mixed widths in one word.
  EXPECT_EQ(Search(ToUtf8(u"ｃｈｅｒry"), Match::kExact), Search("cherry", Match::kExact));
}

TEST_F(FreePwingBook, KeysAreFoldedTheWayTheBookFiledItsWords) {
  // Case, spaces and the middle dot do not count; kana as typed does.
  for (const char* word : {"APPLE", "Apple", "raccoon dog", "RaccoonDog", "sea otter", "light blue",
                           "lemon yellow", "グレープ・フルーツ", "ばなな", "ぐれーぷふるーつ", "ペンギン",
                           "ぺんぎん", "オレンジ", "おれんじいろ"}) {
    ExpectSearch(word, Match::kExact);
    EXPECT_FALSE(Search(word, Match::kExact).empty()) << word;
  }
  // The book's style keeps katakana, voiced kana and the long vowel apart:
  // a hiragana word typed in katakana, or a word spelt without its marks,
  // is not in the book.
  for (const char* word : {"リンゴ", "ぐれえぷふるうつ", "はなな", "ヘンキン", "グレープフルーツX", "orangey"}) {
    EXPECT_TRUE(Search(word, Match::kExact).empty()) << word;
    EXPECT_TRUE(Search(word, Match::kPrefix).empty()) << word;
  }
  // Words shared by several entries find them all.
  EXPECT_EQ(Search("orange", Match::kExact).size(), 2u);
  EXPECT_EQ(Search("lemon", Match::kPrefix).size(), 2u);
  EXPECT_EQ(Search("lemon", Match::kExact).size(), 1u);
  EXPECT_EQ(Search("いろ", Match::kSuffix).size(), 6u);
  EXPECT_EQ(Search("色", Match::kSuffix).size(), 6u);
}

TEST_F(FreePwingBook, ShorterKeysAreTriedOnlyWhenAsked) {
  const Entry* apple = EntryByReading("りんご");
  ASSERT_NE(apple, nullptr);
  EXPECT_TRUE(Search("りんごジャム", Match::kPrefix).empty());

  m_reader->SetRetryShorter(true);
  EXPECT_EQ(Search("りんごジャム", Match::kPrefix), std::set<Position>{PositionOf(*apple)});
  EXPECT_EQ(Names(Search("ぶどうしゅ", Match::kPrefix)), "ぶどう ");
  // Never below three characters, and never for an exact search.
  EXPECT_TRUE(Search("あかい", Match::kPrefix).empty());
  EXPECT_TRUE(Search("りんごジャム", Match::kExact).empty());
}

TEST_F(FreePwingBook, KeywordSearchFindsTheEntriesThatHaveEveryWord) {
  // Each entry's group with each of its words, each word alone, and a few
  // pairs across groups.
  std::vector<std::vector<std::string>> queries{{"色", "orange"}, {"果物", "orange"}, {"動物", "orange"},
                                                {"light", "blue"}, {"色", "レモン"}, {"果物", "レモン"}};
  for (const Entry& e : m_entries) {
    queries.push_back({e.group});
    for (const std::string& w : e.Words()) {
      queries.push_back({w});
      queries.push_back({e.group, w});
    }
  }
  // Words are separated by either width of space, as typed; a word of the
  // book with a space in it is two words here.
  for (size_t q = 0; q < queries.size(); ++q) {
    std::string input;
    for (const std::string& w : queries[q]) input += (input.empty() ? "" : q % 2 ? "　" : " ") + w;
    std::string spaced = input;
    for (size_t at = spaced.find("　"); at != std::string::npos; at = spaced.find("　")) spaced.replace(at, 3, " ");
    std::vector<std::string> words;
    for (const std::string& w : Split(spaced, ' ')) {
      if (!w.empty()) words.push_back(w);
    }
    EXPECT_EQ(Names(KeywordHits(input)), Names(KeywordExpected(words))) << "keyword search for " << input;
  }

  // Spot checks of the model: the colour and the fruit are told apart, and
  // quotes keep a phrase together.
  EXPECT_EQ(Names(KeywordHits("色 orange")), "オレンジいろ ");
  EXPECT_EQ(Names(KeywordHits("果物　orange")), "オレンジ ");
  EXPECT_EQ(KeywordHits("果物").size(), 15u);
  EXPECT_EQ(Names(KeywordHits("\"light blue\"")), "みずいろ ");
  EXPECT_TRUE(KeywordHits("light blue").empty());
}

TEST_F(FreePwingBook, FullTextSearchFindsEveryEntryHoldingTheWord) {
  // The entries' text as the model reads it; external characters break a
  // match, a line end ends it. ASCII is compared without regard to case.
  auto fold = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  auto textOf = [&](const Entry& e) {
    std::string english;
    for (const std::string& w : e.english) english += (english.empty() ? "" : ", ") + w;
    std::string description = AsDecoded(e.description);
    for (size_t at = description.find('&'); at != std::string::npos; at = description.find('&', at + 1)) {
      description.replace(at, description.find(';', at) + 1 - at, "\x01");
    }
    return fold(e.Heading() + "\n" + english + "\n" + description + "\n" + (e.see.empty() ? "" : "→" + e.see));
  };

  std::vector<std::string> words{"柑橘", "動物", "のような色", "秋", "赤", "apple", "GRAPE", "Orange", "→", "いぬ"};
  for (const Entry& e : m_entries) words.push_back(e.description.substr(0, e.description.find('{')));
  for (const std::string& word : words) {
    std::set<const Entry*> expected, found;
    for (const Entry& e : m_entries) {
      if (textOf(e).find(fold(word)) != std::string::npos) expected.insert(&e);
    }
    int n = FullTextSearch(*m_reader, ToSjis(word), nullptr, nullptr);
    std::vector<HitEntry> hits;
    m_reader->GetHitEntSorted(&hits);
    // A hit is the entry's keyword code, which FreePWING writes behind the
    // indent code (4 bytes) that starts every entry.
    for (int i = 0; i < n && i < static_cast<int>(hits.size()); ++i) {
      int64_t at = (int64_t{hits[i].textPage} - 1) * 2048 + hits[i].textOffset - 4;
      const Entry* e = EntryAt(static_cast<int32_t>(at / 2048 + 1), static_cast<int>(at % 2048));
      EXPECT_NE(e, nullptr) << word << ": hit at " << hits[i].textPage << ":" << hits[i].textOffset;
      EXPECT_EQ(hits[i].headingPage, hits[i].textPage);
      EXPECT_EQ(hits[i].headingOffset, hits[i].textOffset);
      if (e != nullptr) found.insert(e);
    }
    EXPECT_EQ(found, expected) << "full-text search for " << word << " found " << n;
    EXPECT_FALSE(expected.empty()) << word;
  }

  // A match runs on over codes without parameters: here the end of the
  // keyword, the line end, emphasis and the half-width run of the English.
  const Entry* apple = EntryByReading("りんご");
  ASSERT_NE(apple, nullptr);
  ASSERT_EQ(FullTextSearch(*m_reader, ToSjis("林檎】apple"), nullptr, nullptr), 1);
  std::vector<HitEntry> hits;
  m_reader->GetHitEntSorted(&hits);
  EXPECT_EQ(EntryAt(hits[0].textPage, hits[0].textOffset - 4), apple);
}

TEST_F(FreePwingBook, EbzipCopyReadsTheSame) {
  // Every file of the book stored as EBZip under its name with ".ebz"
  // appended, the text in slices of four pages.
  CTempDir copy;
  for (const char* name : {"catalogs", "tomeling/data/honmon", "tomeling/gaiji/gai16h", "tomeling/gaiji/gai16f"}) {
    EbzipOptions options;
    options.level = std::string(name).find("honmon") != std::string::npos ? 2 : 0;
    std::optional<std::vector<uint8_t>> image = EbzipCompress(ReadWholeFile(BookFile(name)), options);
    ASSERT_TRUE(image.has_value()) << name;
    copy.Write(std::string(name) + ".ebz", *image);
  }
  CBookList books;
  ASSERT_EQ(books.ScanBooks(copy.Path().string(), 0), 1);
  SubbookEntry* entry = books.GetEntry(0);
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->textReader, nullptr);
  CEBReader& zipped = *entry->textReader;
  EXPECT_EQ(entry->catalogEntry.title, m_entry->catalogEntry.title);

  ASSERT_EQ(zipped.HighestPage(), m_reader->HighestPage());
  for (int32_t page = 1; page <= m_reader->HighestPage(); ++page) {
    ASSERT_TRUE(zipped.SeekPage(page));
    ASSERT_TRUE(m_reader->SeekPage(page));
    ASSERT_EQ(std::memcmp(zipped.PageData(), m_reader->PageData(), 2048), 0) << "page " << page;
  }
  for (const Entry& e : m_entries) {
    for (const std::string& word : e.Words()) {
      std::vector<HitEntry> plain, packed;
      ASSERT_GT(m_reader->WordSearch(ToSjis(word)), 0) << word;
      ASSERT_EQ(zipped.WordSearch(ToSjis(word)), m_reader->HitCount()) << word;
      m_reader->GetHitEntSorted(&plain);
      zipped.GetHitEntSorted(&packed);
      ASSERT_EQ(plain.size(), packed.size()) << word;
      for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(std::tie(plain[i].textPage, plain[i].textOffset, plain[i].headingPage, plain[i].headingOffset),
                  std::tie(packed[i].textPage, packed[i].textOffset, packed[i].headingPage, packed[i].headingOffset))
            << word;
      }
    }
  }
  for (int slot : {0, 1}) {
    ASSERT_NE(entry->fontReaders[slot], nullptr) << slot;
    Glyph a, b;
    const int width = slot == 0 ? 8 : 16;
    ASSERT_TRUE(entry->fontReaders[slot]->GetGlyph(width, 16, 0xA122, &a));
    ASSERT_TRUE(m_entry->fontReaders[slot]->GetGlyph(width, 16, 0xA122, &b));
    EXPECT_EQ(std::memcmp(a.bits, b.bits, sizeof a.bits), 0) << slot;
  }
}

}  // namespace
