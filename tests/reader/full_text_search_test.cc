// Full-text search on written books of every storage kind: every
// occurrence is found (across page ends, letter case, escapes and
// ideographic spaces), an abort keeps the hits of the pages read, and the
// fast scan agrees with a plain scan of every code on random books.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>

#include "decode/char_conv.h"
#include "decode/iconv_oracle.h"
#include "reader/full_text_search.h"
#include "search_methods_fixture.h"

namespace {

struct Storage {
  const char* name;
  BookKind kind;
  FileStorage text;
};

const Storage kStorages[] = {
    {"EbPlain", BookKind::kEb, {FileStorage::kPlain, 0}},
    {"EbEbzip", BookKind::kEb, {FileStorage::kEbzip, 2}},
    {"EbSebxa", BookKind::kEb, {FileStorage::kSebxa, 0}},
    {"EpwingPlain", BookKind::kEpwing, {FileStorage::kPlain, 0}},
    {"EpwingEbzip", BookKind::kEpwing, {FileStorage::kEbzip, 0}},
    {"EpwingHuffman", BookKind::kEpwing, {FileStorage::kHuffman, 4}},
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Entry 0 runs "ＳＰＡＮ" across the end of the first page: its body starts
// at byte 12 of the area (1F02, 1F41 0100, one heading character, 1F61
// 1F0A), so 1017 characters of filler put the word at byte 2046.
BookSource Sample(const Storage& st) {
  BookSource book;
  book.kind = st.kind;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "SAMPLE";
  s.title = "見本";
  s.textStorage = st.text;
  s.useHonmon2 = st.text.kind == FileStorage::kHuffman;
  s.indexes = {IndexOptions{0x91, {0, 0, 0, 0}, true, 0, false}};
  s.entries = {
      Entry("一", {Repeat("あ", 1017) + "ＳＰＡＮ"}),
      Entry("二", {"ａｂｃ　ｘｙｚ"}),
      Entry("三", {"ＡＢ　　ＣＤ", "ｓｐａｎ"}),
      Entry("四", {"ＥＦ"}),
      Entry("五", {"なにもない"}),
      Entry("六", {"ううういえ"}),
  };
  // Escapes inside a word: narrow start and end around "Ｇ".
  s.entries[3].codes = {0x23, 0x46, 0x1F, 0x04, 0x23, 0x47, 0x1F, 0x05, 0x23, 0x48};
  return book;
}

TextSet Find(CEBReader& r, const std::string& utf8) {
  FullTextSearch(r, Sjis(utf8), nullptr, nullptr);
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits);
  for (const HitEntry& h : hits) EXPECT_EQ(std::make_pair(h.headingPage, h.headingOffset), std::make_pair(h.textPage, h.textOffset));
  return TextsOf(hits);
}

class FullTextSearchTest : public ::testing::TestWithParam<Storage> {};

TEST_P(FullTextSearchTest, FindsEveryOccurrenceInItsEntry) {
  auto b = WriteAndOpen(Sample(GetParam()));
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  ASSERT_EQ(w.text[0].page, w.text[1].page - 1) << "entry 0 must cross a page end";
  // Across the page end, and in either letter case.
  EXPECT_EQ(Find(r, "span"), TextsOfEntries(w, {0, 2}));
  EXPECT_EQ(Find(r, "ＳＰＡＮ"), TextsOfEntries(w, {0, 2}));
  EXPECT_EQ(Find(r, "ａｂｃ"), TextsOfEntries(w, {1, 2}));  // entry 2 has "ＡＢ　　ＣＤ"
  EXPECT_EQ(Find(r, "ＡＢＣ　Ｘ"), TextsOfEntries(w, {1}));
  EXPECT_EQ(Find(r, "ＸＹＺ"), TextsOfEntries(w, {1}));
  EXPECT_EQ(Find(r, "c x"), TextsOfEntries(w, {1}));  // the space typed is no part of the key
  // Over ideographic spaces and escape codes in the text.
  EXPECT_EQ(Find(r, "ABCD"), TextsOfEntries(w, {2}));
  EXPECT_EQ(Find(r, "ＦＧＨ"), TextsOfEntries(w, {3}));
  EXPECT_EQ(Find(r, "ＣＤＳＰ"), TextsOfEntries(w, {2}));  // across the line end
  EXPECT_EQ(Find(r, "あああ"), TextsOfEntries(w, {0}));
  EXPECT_EQ(Find(r, "にも"), TextsOfEntries(w, {4}));
  // A failed try does not skip the start of a later match.
  EXPECT_EQ(Find(r, "ううい"), TextsOfEntries(w, {5}));
  EXPECT_TRUE(Find(r, "ＡＣ").empty());
  EXPECT_TRUE(Find(r, "　").empty());
  EXPECT_TRUE(Find(r, "").empty());
}

INSTANTIATE_TEST_SUITE_P(Storages, FullTextSearchTest, ::testing::ValuesIn(kStorages),
                         [](const auto& info) { return std::string(info.param.name); });

struct Progress {
  std::vector<int> pageIndexes;
  int pages = 0;
  int lastHits = 0;
  bool hitsShrank = false;
  int abortAt = -1;
  CEBReader* reader = nullptr;
};

void OnProgress(void* data, int hits, int pages, int pageIndex) {
  auto* p = static_cast<Progress*>(data);
  p->pageIndexes.push_back(pageIndex);
  p->pages = pages;
  if (hits < p->lastHits) p->hitsShrank = true;
  p->lastHits = hits;
  if (pageIndex == p->abortAt) p->reader->Abort();
}

// Sixty entries of about a page each, every one holding the word.
BookSource Long() {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "LONG";
  s.title = "長い本";
  s.indexes = {IndexOptions{0x91, {0, 0, 0, 0}, true, 0, false}};
  for (int i = 0; i < 60; ++i) s.entries.push_back(Entry("項目", {Repeat("いろは", 300) + "ことば"}));
  return book;
}

TEST(FullTextSearchProgressTest, ReportsEveryPageAndAbortKeepsThePagesRead) {
  auto b = WriteAndOpen(Long());
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const IndexEntry* text = r.FindIndex(0x00);
  ASSERT_NE(text, nullptr);
  ASSERT_GE(text->pageCount, 50);

  Progress all;
  all.reader = &r;
  EXPECT_EQ(FullTextSearch(r, Sjis("ことば"), OnProgress, &all), 60);
  EXPECT_EQ(all.pages, text->pageCount);
  ASSERT_EQ(static_cast<int>(all.pageIndexes.size()), text->pageCount);
  for (int i = 0; i < text->pageCount; ++i) EXPECT_EQ(all.pageIndexes[static_cast<size_t>(i)], i);
  EXPECT_FALSE(all.hitsShrank);

  Progress part;
  part.reader = &r;
  part.abortAt = 20;
  int found = FullTextSearch(r, Sjis("ことば"), OnProgress, &part);
  EXPECT_EQ(part.pageIndexes.back(), 20);
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits);
  ASSERT_EQ(static_cast<int>(hits.size()), found);
  EXPECT_GT(found, 0);
  EXPECT_LT(found, 60);
  // Exactly the entries whose word lies in the first 20 pages.
  const WrittenSubbook& w = b->written.subbooks[0];
  int expected = 0;
  for (size_t e = 0; e < w.text.size(); ++e) {
    // The word closes the entry, right before 1F0A 1F03.
    size_t next = e + 1 < w.text.size() ? (w.text[e + 1].page - text->startPage) * 2048 + w.text[e + 1].offset
                                        : static_cast<size_t>(text->pageCount) * 2048;
    if (next <= 20 * 2048) ++expected;
  }
  EXPECT_NEAR(found, expected, 1);

  // The hit list's maximum ends the search too.
  r.SetMaxHits(5);
  EXPECT_EQ(FullTextSearch(r, Sjis("ことば"), nullptr, nullptr), 5);
  EXPECT_TRUE(r.Overflowed() || r.HitCount() == 5);
}

// A text file cut short under an open book: the pages past its end read
// as nothing, and the scan keeps the hits of the pages that are there.
TEST(FullTextSearchProgressTest, AreaPastTheEndOfAShortenedFile) {
  auto b = WriteAndOpen(Long());
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const IndexEntry* text = r.FindIndex(0x00);
  ASSERT_NE(text, nullptr);
  const WrittenSubbook& w = b->written.subbooks[0];
  std::filesystem::resize_file(w.textPath, static_cast<uintmax_t>(text->startPage - 1 + 20) * 2048 + 100);
  int found = FullTextSearch(r, Sjis("ことば"), nullptr, nullptr);
  int expected = 0;
  for (size_t e = 0; e + 1 < w.text.size(); ++e)
    if ((w.text[e + 1].page - text->startPage) * 2048 + w.text[e + 1].offset <= 20 * 2048) ++expected;
  EXPECT_GT(found, 0);
  EXPECT_NEAR(found, expected, 1);
}

// An area claiming 0x7FFFFF00 pages is scanned only as far as the file
// goes; a page that cannot be read (an EBZip slice of garbage) ends the
// scan with the hits of the pages before it.
TEST(FullTextSearchDamageTest, ScanEndsAtTheFileEndAndAtAnUnreadablePage) {
  CBookList list;
  ASSERT_EQ(list.ScanBooks(std::string(TOMELING_TEST_DATA_DIR) + "/reader/text-area-claims-0x7fffff00-pages", 0), 1);
  CEBReader& big = *list.GetEntry(0)->textReader;
  ASSERT_EQ(big.FindIndex(0x00)->pageCount, 0x7FFFFF00);
  const int held = big.PageCount() - big.FindIndex(0x00)->startPage + 1;
  Progress all;
  all.reader = &big;
  all.abortAt = held + kPageSize;  // a scan past the file fails here, not after hours
  big.ResetPageReads();
  EXPECT_GE(FullTextSearch(big, Sjis("見出し４９"), OnProgress, &all), 1);
  EXPECT_EQ(all.pages, held);
  EXPECT_EQ(static_cast<int>(all.pageIndexes.size()), held);
  EXPECT_LE(big.PageReads(), static_cast<uint64_t>(held) + 2);

  BookSource book = Long();
  book.subbooks[0].textStorage = {FileStorage::kEbzip, 0};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  const int32_t start = b->Reader(0)->FindIndex(0x00)->startPage;
  std::vector<uint8_t> file = ReadWholeFile(b->written.subbooks[0].textPath);
  ASSERT_GT(file.size(), 22u);
  const uint32_t original = static_cast<uint32_t>(file[10] << 24 | file[11] << 16 | file[12] << 8 | file[13]);
  const size_t width = original < 65536 ? 2 : original <= 16777216 ? 3 : 4;
  auto entry = [&](size_t slice) {
    size_t v = 0;
    for (size_t i = 0; i < width; ++i) v = v << 8 | file[22 + slice * width + i];
    return v;
  };
  const size_t damaged = static_cast<size_t>(start - 1 + 20);
  for (size_t at = entry(damaged); at < entry(damaged + 1); ++at) file[at] = static_cast<uint8_t>(at * 7);
  std::FILE* out = std::fopen(b->written.subbooks[0].textPath.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  CBookList again;
  ASSERT_EQ(again.AddBook(b->written.catalogPath), 1);
  CEBReader& r = *again.GetEntry(0)->textReader;
  ASSERT_FALSE(r.SeekPage(start + 20));
  Progress part;
  part.reader = &r;
  int found = FullTextSearch(r, Sjis("ことば"), OnProgress, &part);
  // Progress is told a run ahead; the scan itself ends at the damage.
  EXPECT_GE(part.pageIndexes.back(), 20);
  EXPECT_GT(found, 0);
  EXPECT_LT(found, 30);
}

TEST(FullTextSearchStopTest, ConfiguredStopCodeMarksTheEntries) {
  auto b = WriteAndOpen(Sample(kStorages[3]));
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  const WrittenSubbook& w = b->written.subbooks[0];
  // The writer starts each entry with 1F41 0100.
  FullTextSearch(r, Sjis("ＥＦ"), nullptr, nullptr, FullTextStop{0x1F41, 0x0100});
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits);
  EXPECT_EQ(TextsOf(hits), TextsOfEntries(w, {3}));
  // A stop code the book never uses leaves every hit at the area start.
  FullTextSearch(r, Sjis("ＥＦ"), nullptr, nullptr, FullTextStop{0x1F42, 0x0001});
  r.GetHitEntSorted(&hits);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].textPage, r.FindIndex(0x00)->startPage);
  EXPECT_EQ(hits[0].textOffset, 0);
}

// ---- the plain scan the fast one must agree with

struct Reference {
  std::vector<uint8_t> text;
  int unit = 2;
  std::string key;
  FullTextStop stop;

  uint16_t Fold(size_t p) const {
    if (unit == 1) {
      uint8_t b = text[p];
      return b >= 'a' && b <= 'z' ? b - 0x20 : b;
    }
    uint16_t c = static_cast<uint16_t>(text[p] << 8 | text[p + 1]);
    return c >= 0x2361 && c <= 0x237A ? c - 0x20 : c;
  }
  uint16_t KeyUnit(size_t j) const {
    if (unit == 1) return static_cast<uint8_t>(key[j]);
    return static_cast<uint16_t>(static_cast<uint8_t>(key[2 * j]) << 8 | static_cast<uint8_t>(key[2 * j + 1]));
  }
  bool Boundary(size_t q) const {
    if (stop.code != 0) {
      return q + 4 <= text.size() && (text[q] << 8 | text[q + 1]) == stop.code &&
             (text[q + 2] << 8 | text[q + 3]) == stop.param;
    }
    return q + 2 <= text.size() && text[q] == 0x1F && (text[q + 1] == 0x41 || text[q + 1] == 0x02);
  }
  bool MatchAt(size_t p) const {
    size_t units = key.size() / static_cast<size_t>(unit), j = 0;
    for (size_t q = p; q + static_cast<size_t>(unit) <= text.size(); q += static_cast<size_t>(unit)) {
      uint16_t c = Fold(q);
      if (c == KeyUnit(j)) {
        if (++j == units) return true;
      } else if (j == 0 || unit == 1 || !((c >> 8) == 0x1F || c == 0x2121)) {
        return false;
      }
    }
    return false;
  }
  std::set<size_t> Entries() const {
    std::set<size_t> out;
    size_t boundary = 0;
    for (size_t p = 0; p + static_cast<size_t>(unit) <= text.size(); p += static_cast<size_t>(unit)) {
      if (Boundary(p)) boundary = p;
      if (MatchAt(p)) out.insert(boundary);
    }
    return out;
  }
};

// The word as the plain scan compares it, worked out apart from the
// program's own conversions: the typed Shift_JIS through iconv to Unicode,
// letters of both widths upper-cased, ASCII widened to its full-width form,
// spaces and controls dropped, and back through iconv to EUC-JP, whose
// two-byte codes are JIS X 0208 with the top bits set. A single-byte book
// compares bytes, ASCII letters upper-cased.
std::string ReferenceKey(const std::string& sjis, bool singleByte) {
  std::string out;
  if (singleByte) {
    for (char c : sjis) out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
  }
  CIconvOracle toUnicode("UTF-16BE", "CP932"), toEuc("EUC-JP-MS", "UTF-16BE");
  std::optional<std::string> utf16 = toUnicode.Convert(sjis);
  if (!utf16) return out;
  for (char16_t c : FromUtf16Be(*utf16)) {
    if (c <= 0x20 || c == u'　') continue;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c < 0x7F) c = static_cast<char16_t>(c - 0x21 + u'！');
    if (c >= u'ａ' && c <= u'ｚ') c = static_cast<char16_t>(c - u'ａ' + u'Ａ');
    const char be[2] = {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    std::optional<std::string> euc = toEuc.Convert(std::string_view(be, 2));
    if (!euc || euc->size() != 2) continue;  // no two-byte form
    out.push_back(static_cast<char>((*euc)[0] & 0x7F));
    out.push_back(static_cast<char>((*euc)[1] & 0x7F));
  }
  return out;
}

TEST(FullTextSearchRandomTest, ReferenceKeyAgreesWithTheProgramOnTypedWords) {
  for (const char* word : {"ａｂｃ", "ＡＢＣ", "abc", "Ab　c", "かなカナ漢字", "x-y"})
    EXPECT_EQ(FullTextKey(Sjis(word), false), ReferenceKey(Sjis(word), false)) << word;
  EXPECT_EQ(ReferenceKey(Sjis("ａｂｃ"), false), "\x23\x41\x23\x42\x23\x43");
  EXPECT_EQ(FullTextKey("aBc", true), ReferenceKey("aBc", true));
}

TextSet ReferenceScan(CEBReader& r, const std::string& sjisKey, FullTextStop stop) {
  Reference ref;
  const IndexEntry* area = r.FindIndex(0x00);
  for (int i = 0; i < area->pageCount; ++i) {
    r.SeekPage(area->startPage + i);
    ref.text.insert(ref.text.end(), r.PageData(), r.PageData() + 2048);
  }
  ref.unit = r.SingleByte() ? 1 : 2;
  ref.key = ReferenceKey(sjisKey, r.SingleByte());
  ref.stop = stop;
  TextSet out;
  if (ref.key.empty()) return out;
  for (size_t at : ref.Entries()) out.insert({area->startPage + static_cast<int32_t>(at / 2048), static_cast<int>(at % 2048)});
  return out;
}

// ASCII letters as full-width lower-case ones and full-width letters as
// ASCII upper-case ones; other characters unchanged.
std::string OtherCaseAndWidth(const std::string& sjis) {
  std::string out;
  for (size_t i = 0; i < sjis.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(sjis[i]);
    if (IsSjisLead(b) && i + 1 < sjis.size()) {
      unsigned c = b << 8 | static_cast<uint8_t>(sjis[++i]);
      if (c >= 0x8260 && c <= 0x8279) {
        out.push_back(static_cast<char>('A' + (c - 0x8260)));
      } else if (c >= 0x8281 && c <= 0x829A) {
        out.push_back(static_cast<char>('A' + (c - 0x8281)));
      } else {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
      }
    } else if (std::isalpha(b)) {
      out.push_back('\x82');
      out.push_back(static_cast<char>(0x81 + (std::tolower(b) - 'a')));
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  return out;
}

// Characters of an entry's text in order (heading, then the body lines),
// as Shift_JIS.
std::vector<std::string> EntryChars(const BookEntry& e) {
  std::vector<std::string> chars;
  std::string all = Sjis(e.heading);
  for (const std::string& line : e.body) all += Sjis(line);
  for (size_t i = 0; i < all.size();) {
    size_t n = IsSjisLead(static_cast<uint8_t>(all[i])) ? 2 : 1;
    chars.push_back(all.substr(i, n));
    i += n;
  }
  return chars;
}

TEST(FullTextSearchRandomTest, AgreesWithAPlainScanOnRandomBooks) {
  std::mt19937 rng(20261208);
  for (int seed = 0; seed < 50; ++seed) {
    const Storage& st = kStorages[static_cast<size_t>(seed) % std::size(kStorages)];
    BookSource book = RandomBook(static_cast<uint32_t>(seed), 150, st.kind);
    book.subbooks[0].textStorage = st.text;
    book.subbooks[0].useHonmon2 = st.text.kind == FileStorage::kHuffman;
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const bool singleByte = seed % 5 == 4;
    r.SetSingleByte(singleByte ? 1 : 0);
    FullTextStop stop = seed % 7 == 3 ? FullTextStop{0x1F41, 0x0100} : FullTextStop{};
    const auto& entries = book.subbooks[0].entries;
    for (int q = 0; q < 12; ++q) {
      std::string key;
      if (singleByte) {
        // Raw bytes of the text, as a single-byte book would hold them.
        const IndexEntry* area = r.FindIndex(0x00);
        r.SeekPage(area->startPage + static_cast<int>(rng() % static_cast<uint32_t>(area->pageCount)));
        size_t at = rng() % 2040;
        for (size_t i = 0; i < 1 + rng() % 4; ++i)
          if (r.PageData()[at + i] != 0) key.push_back(static_cast<char>(r.PageData()[at + i]));
      } else {
        std::vector<std::string> chars = EntryChars(entries[rng() % entries.size()]);
        size_t length = 1 + rng() % 4;
        size_t from = rng() % chars.size();
        for (size_t i = from; i < chars.size() && i < from + length; ++i) key += chars[i];
        // Every third word with its letters turned to the other case and
        // width, which the key must fold back.
        if (q % 3 == 0) key = OtherCaseAndWidth(key);
      }
      FullTextSearch(r, key, nullptr, nullptr, stop);
      std::vector<HitEntry> hits;
      r.GetHitEntSorted(&hits);
      ASSERT_EQ(TextsOf(hits), ReferenceScan(r, key, stop)) << "seed " << seed << " key " << Utf8FromSjis(key);
    }
  }
}

// The scan reads the area in runs of 64 pages: a word across the end of
// one run, with a space inside, and a random book of well over a run.
TEST(FullTextSearchRandomTest, AgreesWithAPlainScanAcrossReadRuns) {
  BookSource book = RandomBook(7, 2500);
  BookEntry& first = book.subbooks[0].entries[0];
  first.heading = "一";
  first.body = {Repeat("あ", 65529) + "ＳＰ　ＡＮ"};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  ASSERT_GT(r.FindIndex(0x00)->pageCount, 128);
  const WrittenSubbook& w = b->written.subbooks[0];
  EXPECT_EQ(Find(r, "ＳＰＡＮ"), TextsOfEntries(w, {0}));
  std::mt19937 rng(99);
  const auto& entries = book.subbooks[0].entries;
  for (int q = 0; q < 20; ++q) {
    std::vector<std::string> chars = EntryChars(entries[1 + rng() % (entries.size() - 1)]);
    size_t from = rng() % chars.size();
    std::string key;
    for (size_t i = from; i < chars.size() && i < from + 1 + rng() % 3; ++i) key += chars[i];
    for (FullTextStop stop : {FullTextStop{}, FullTextStop{0x1F41, 0x0100}}) {
      FullTextSearch(r, key, nullptr, nullptr, stop);
      std::vector<HitEntry> hits;
      r.GetHitEntSorted(&hits);
      ASSERT_EQ(TextsOf(hits), ReferenceScan(r, key, stop)) << Utf8FromSjis(key);
    }
  }
}

}  // namespace
