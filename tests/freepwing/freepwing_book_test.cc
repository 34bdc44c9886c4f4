// The engine against a book that no one here wrote: a small dictionary made
// by FreePWING (an outside EPWING writer) from entries.tsv beside this file.
//
// build_book.sh builds the book into the build directory, in FreePWING's
// own lower-case layout. The tests read the same entries.tsv, plus
// positions.txt (where FreePWING put each entry's text and heading in its
// own files), and check that the catalog names the subbook; that every
// search word finds exactly the entries a model of the book's word lists
// says it should -- forward, backward and exact -- at the entry's own text
// and heading; that the decoded headings, texts, references, menu and
// copyright notice hold what the FreePWING parser wrote; that the
// external-character fonts give back the bitmaps of gaiji/*.xbm; and that
// the images and sounds of media/ load from the positions the text gives.
//
// FreePWING is installed by scripts/setup.sh; on a developer machine without
// it the tests are skipped, in CI (CI set) its absence is a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "bookwriter/ebzip_writer.h"
#include "catalog/book_list.h"
#include "catalog/catalog.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "decode/subbook_media.h"
#include "decode/utf8.h"
#include "reader/eb_reader.h"
#include "reader/full_text_search.h"
#include "reader/keyword_search.h"
#include "reader/menu_info.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

const std::string kSourceDir = std::string(TOMELING_SOURCE_DIR) + "/tests/freepwing";

// ---- text helpers (the book is Shift_JIS inside, the data file UTF-8)

std::u16string ToUtf16(const std::string& utf8) {
  std::u16string out(utf8.size(), u'\0');
  long n = Utf8ToUtf16(utf8.data(), utf8.size(), out.data());
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

std::string ToUtf8(const std::u16string& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(Utf16ToUtf8(text.data(), text.size(), out.data(), out.size()));
  return out;
}

std::string ToSjis(const std::string& utf8) { return Utf16ToCp932(ToUtf16(utf8)); }

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, sep)) fields.push_back(field);
  return fields;
}

// The text of display markup (byte form) without its tags, as UTF-8, with
// full-width ASCII made narrow: whether the decoder narrows the letters
// FreePWING marked as half-width is the layout's business, not the text's.
// External characters stay as their entities ("&hA121;").
std::string PlainText(const std::string& markup) {
  std::string sjis;
  for (size_t i = 0; i < markup.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(markup[i]);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      sjis += markup.substr(i, 2);
      ++i;
    } else if (c == '<') {
      size_t end = markup.find('>', i);
      if (end == std::string::npos) break;
      i = end;
    } else if (c == '&') {
      size_t end = markup.find(';', i);
      if (end == std::string::npos) break;
      std::string entity = markup.substr(i, end - i + 1);
      sjis += entity == "&amp;" ? "&" : entity == "&lt;" ? "<" : entity == "&gt;" ? ">" : entity;
      i = end;
    } else if (c != '\r') {
      sjis += static_cast<char>(c);
    }
  }
  std::u16string text = Cp932ToUtf16(sjis);
  for (char16_t& u : text) {
    if (u > 0xFF00 && u < 0xFF5F) u = static_cast<char16_t>(u - 0xFF00 + 0x20);
  }
  return ToUtf8(text);
}

std::vector<uint8_t> ReadSourceFile(const std::string& file) { return ReadWholeFile(kSourceDir + "/" + file); }

// The targets of the references in display markup, in order.
std::vector<std::pair<int32_t, int>> LinkTargets(const std::string& markup) {
  std::vector<std::pair<int32_t, int>> targets;
  const std::string prefix = "</LINK[";
  for (size_t at = markup.find(prefix); at != std::string::npos; at = markup.find(prefix, at + 1)) {
    unsigned page = 0, offset = 0;
    if (std::sscanf(markup.c_str() + at + prefix.size(), "%8X:%4X]", &page, &offset) == 2) {
      targets.emplace_back(static_cast<int32_t>(page), static_cast<int>(offset));
    }
  }
  return targets;
}

// ---- external characters

// The characters of halfchars.txt or fullchars.txt, name and XBM file, in
// order: FreePWING numbers them from 0xA121 in that order.
std::vector<std::pair<std::string, std::string>> ReadCharacterList(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> chars;
  std::ifstream in(kSourceDir + "/" + file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() == 2) chars.emplace_back(f[0], f[1]);
  }
  return chars;
}

uint16_t CharacterCode(size_t i) { return static_cast<uint16_t>(0xA121 + i / 94 * 0x100 + i % 94); }

// An XBM bitmap as the book stores glyphs: leftmost dot in the high bit.
std::vector<uint8_t> ReadXbm(const std::string& file, int* width) {
  std::ifstream in(kSourceDir + "/" + file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t at = text.find("_width ");
  *width = at == std::string::npos ? 0 : std::atoi(text.c_str() + at + 7);
  std::vector<uint8_t> bits;
  for (at = text.find("0x", text.find('{')); at != std::string::npos; at = text.find("0x", at + 2)) {
    unsigned v = static_cast<unsigned>(std::strtoul(text.c_str() + at, nullptr, 16));
    uint8_t msbFirst = 0;
    for (int b = 0; b < 8; ++b) {
      if (v & (1u << b)) msbFirst |= static_cast<uint8_t>(0x80 >> b);
    }
    bits.push_back(msbFirst);
  }
  return bits;
}

// A description as its decoded text reads: "{h:NAME}" and "{z:NAME}" as the
// decoder's entities, images and sounds as their captions.
std::string AsDecoded(std::string text) {
  for (const auto& [marker, caption] : {std::pair{"{jpeg:", "→図"}, {"{bmp:", "→図"}, {"{sound:", "→声"}}) {
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker)) {
      text.replace(at, text.find('}', at) + 1 - at, caption);
    }
  }
  for (const char* kind : {"h", "z"}) {
    auto chars = ReadCharacterList(*kind == 'h' ? "halfchars.txt" : "fullchars.txt");
    for (size_t i = 0; i < chars.size(); ++i) {
      std::string marker = "{" + std::string(kind) + ":" + chars[i].first + "}";
      char entity[16];
      std::snprintf(entity, sizeof entity, "&%s%04X;", kind, CharacterCode(i));
      for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker)) {
        text.replace(at, marker.size(), entity);
      }
    }
  }
  return text;
}

// ---- the model of the book's word lists

struct Entry {
  std::string group, reading, written, description, see;
  std::vector<std::string> english;
  int32_t textPage = 0, headingPage = 0;
  int textOffset = 0, headingOffset = 0;

  std::string Heading() const { return written.empty() ? reading : reading + "【" + written + "】"; }
  std::vector<std::string> Words() const {
    std::vector<std::string> words{reading};
    if (!written.empty()) words.push_back(written);
    words.insert(words.end(), english.begin(), english.end());
    return words;
  }
};

// A search word as the book's index holds it, in UTF-16: letters upper-case
// and full-width, and the separators space, "'" and "-" (either width),
// "・" and "‐" dropped. No kana folding: the index's style keeps katakana,
// small kana, voiced marks and the long vowel apart.
std::u16string IndexForm(const std::string& word) {
  std::u16string out;
  for (char16_t c : ToUtf16(word)) {
    if (c == u' ' || c == u'\'' || c == u'-' || c == u'　' || c == u'’' || c == u'－' || c == u'・' ||
        c == u'‐')
      continue;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c > 0x20 && c < 0x7F) c = static_cast<char16_t>(c - 0x20 + 0xFF00);
    out.push_back(c);
  }
  return out;
}

// FreePWING files a word holding katakana twice: as written and with the
// katakana turned into hiragana, row for row -- "ヴ" too, which gives a code
// JIS X 0208 lacks (0x2474) and no one can type.
std::vector<std::u16string> IndexForms(const Entry& e) {
  std::vector<std::u16string> forms;
  for (const std::string& w : e.Words()) {
    std::u16string f = IndexForm(w);
    forms.push_back(f);
    bool katakana = false;
    for (char16_t& c : f) {
      if (c >= u'ァ' && c <= u'ヶ') {
        c = static_cast<char16_t>(c - (u'ァ' - u'ぁ'));
        katakana = true;
      }
    }
    if (katakana) forms.push_back(f);
  }
  return forms;
}

enum class Match { kPrefix, kSuffix, kExact };

bool Matches(const std::u16string& form, const std::u16string& key, Match how) {
  if (key.size() > form.size()) return false;
  switch (how) {
    case Match::kPrefix:
      return form.compare(0, key.size(), key) == 0;
    case Match::kSuffix:
      return form.compare(form.size() - key.size(), key.size(), key) == 0;
    case Match::kExact:
      return form == key;
  }
  return false;
}

// ---- the book, built once per build directory

using Position = std::tuple<int32_t, int, int32_t, int>;  // text page, offset, heading page, offset

class FreePwingBook : public ::testing::Test {
 protected:
  // ctest runs every test in a process of its own, so the book is built
  // once per build directory and kept for as long as the sources beside
  // this file stay the same. The lock keeps parallel tests from building it
  // at the same time.
  static void SetUpTestSuite() {
    s_bookDir = std::string(TOMELING_BINARY_DIR) + "/freepwing-book";
    const std::string stamp = SourceStamp();
    int lock = open((s_bookDir + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
    if (lock >= 0) flock(lock, LOCK_EX);
    std::ifstream stampFile(s_bookDir + "/stamp");
    std::string built((std::istreambuf_iterator<char>(stampFile)), std::istreambuf_iterator<char>());
    if (built == stamp) {
      s_status = 0;
    } else {
      std::error_code ec;
      std::filesystem::remove_all(s_bookDir, ec);
      std::string command = "'" + kSourceDir + "/build_book.sh' '" + s_bookDir + "' 2>&1";
      int status = std::system(command.c_str());
      s_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      if (s_status == 0) std::ofstream(s_bookDir + "/stamp") << stamp;
    }
    if (lock >= 0) close(lock);
  }

  // Names, sizes and a hash of the contents of the files the book is built
  // from.
  static std::string SourceStamp() {
    std::vector<std::filesystem::path> files;
    for (const auto& f : std::filesystem::recursive_directory_iterator(kSourceDir)) {
      if (f.is_regular_file() && f.path().extension() != ".cc") files.push_back(f.path());
    }
    std::sort(files.begin(), files.end());
    std::string stamp;
    for (const auto& f : files) {
      uint64_t hash = 14695981039346656037ull;
      for (uint8_t b : ReadWholeFile(f.string())) hash = (hash ^ b) * 1099511628211ull;
      stamp += f.lexically_relative(kSourceDir).string() + " " + std::to_string(hash) + "\n";
    }
    return stamp;
  }

  std::string BookFile(const std::string& name) const { return s_bookDir + "/" + name; }

  void SetUp() override {
    if (s_status == 77) {
      if (std::getenv("CI") != nullptr) FAIL() << "FreePWING (fpwmake) is not installed; run scripts/setup.sh";
      GTEST_SKIP() << "FreePWING (fpwmake) is not installed";
    }
    ASSERT_EQ(s_status, 0) << "build_book.sh failed";
    ASSERT_EQ(ReadCatalog(s_bookDir, true, &m_catalog), 1);
    // The book is found and opened the way the program does it.
    ASSERT_EQ(m_books.ScanBooks(s_bookDir, 0), 1);
    m_entry = m_books.GetEntry(0);
    ASSERT_NE(m_entry, nullptr);
    ASSERT_TRUE(m_entry->opened);
    ASSERT_NE(m_entry->textReader, nullptr);
    m_reader = m_entry->textReader.get();
    m_honmon = m_reader->Path();
    LoadEntries();
  }

  void LoadEntries() {
    const IndexEntry* text = m_reader->FindIndex(0x00);
    const IndexEntry* heading = m_reader->FindIndex(0x05);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(heading, nullptr);
    std::ifstream data(kSourceDir + "/entries.tsv");
    for (std::string line; std::getline(data, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> f = Split(line, '\t');
      ASSERT_EQ(f.size(), 6u) << line;
      Entry e{f[0], f[1], f[2] == "-" ? "" : f[2], f[4], f[5] == "-" ? "" : f[5], Split(f[3], ',')};
      m_entries.push_back(e);
    }
    // FreePWING's offsets count from the start of its text and heading
    // files, which become the text and heading areas of HONMON.
    std::ifstream positions(BookFile("positions.txt"));
    size_t i = 0;
    for (std::string line; std::getline(positions, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> f = Split(line, '\t');
      ASSERT_EQ(f.size(), 3u) << line;
      ASSERT_LT(i, m_entries.size());
      Entry& e = m_entries[i++];
      ASSERT_EQ(f[0], e.reading);
      long textAt = std::stol(f[1], nullptr, 16), headingAt = std::stol(f[2], nullptr, 16);
      e.textPage = text->startPage + static_cast<int32_t>(textAt / 2048);
      e.textOffset = static_cast<int>(textAt % 2048);
      e.headingPage = heading->startPage + static_cast<int32_t>(headingAt / 2048);
      e.headingOffset = static_cast<int>(headingAt % 2048);
    }
    ASSERT_EQ(i, m_entries.size());
    ASSERT_GE(m_entries.size(), 40u);
  }

  static Position PositionOf(const Entry& e) {
    return {e.textPage, e.textOffset, e.headingPage, e.headingOffset};
  }

  // The entries the model says `word` finds.
  std::set<Position> Expected(const std::string& word, Match how) const {
    std::u16string key = IndexForm(word);
    std::set<Position> found;
    for (const Entry& e : m_entries) {
      for (const std::u16string& form : IndexForms(e)) {
        if (Matches(form, key, how)) found.insert(PositionOf(e));
      }
    }
    return found;
  }

  std::set<Position> Search(const std::string& word, Match how) {
    std::string key = ToSjis(word);
    int n = how == Match::kSuffix ? m_reader->EndwordSearch(key) : m_reader->WordSearch(key, how == Match::kExact);
    std::vector<HitEntry> hits;
    m_reader->GetHitEntSorted(&hits);
    std::set<Position> found;
    for (int i = 0; i < n && i < static_cast<int>(hits.size()); ++i) {
      found.insert({hits[i].textPage, hits[i].textOffset, hits[i].headingPage, hits[i].headingOffset});
    }
    EXPECT_EQ(found.size(), static_cast<size_t>(n)) << "duplicate hits for " << word;
    return found;
  }

  std::string Names(const std::set<Position>& positions) const {
    std::string names;
    for (const Entry& e : m_entries) {
      if (positions.count(PositionOf(e))) names += e.reading + " ";
    }
    for (const Position& p : positions) {
      bool known = std::any_of(m_entries.begin(), m_entries.end(),
                               [&](const Entry& e) { return PositionOf(e) == p; });
      if (!known) names += "?" + std::to_string(std::get<0>(p)) + ":" + std::to_string(std::get<1>(p)) + " ";
    }
    return names.empty() ? "(none)" : names;
  }

  void ExpectSearch(const std::string& word, Match how) {
    static const char* const kNames[] = {"forward", "backward", "exact"};
    std::set<Position> expected = Expected(word, how), found = Search(word, how);
    EXPECT_EQ(Names(found), Names(expected)) << kNames[static_cast<int>(how)] << " search for " << word;
  }

  // The entries a keyword search for `input` finds: those with, for every
  // word, a keyword that begins with it.
  std::set<Position> KeywordExpected(const std::vector<std::string>& words) const {
    std::set<Position> found;
    for (const Entry& e : m_entries) {
      Entry keywords = e;
      keywords.english.push_back(e.group);
      std::vector<std::u16string> forms = IndexForms(keywords);
      bool all = !words.empty();
      for (const std::string& w : words) {
        all = all && std::any_of(forms.begin(), forms.end(),
                                 [&](const std::u16string& f) { return Matches(f, IndexForm(w), Match::kPrefix); });
      }
      if (all) found.insert(PositionOf(e));
    }
    return found;
  }

  std::set<Position> KeywordHits(const std::string& input) {
    int keys = 0;
    KeywordSearch(*m_reader, ToSjis(input), &keys);
    std::vector<HitEntry> hits;
    int n = m_reader->GetHitEntSorted(&hits, 0, keys);
    std::set<Position> found;
    for (int i = 0; i < n && i < static_cast<int>(hits.size()); ++i) {
      found.insert({hits[i].textPage, hits[i].textOffset, hits[i].headingPage, hits[i].headingOffset});
    }
    return found;
  }

  // Decodes at `page`:`offset` with the entry table, or with the heading
  // table, stopping at the next entry.
  std::string Decode(int32_t page, int offset, bool heading) {
    CReaderTextSource source(*m_reader);
    CTextDecoder decoder(source);
    EXPECT_TRUE(m_reader->SeekPage(page));
    if (offset > 0) {
      EXPECT_TRUE(m_reader->SeekOffset(offset));
    }
    std::string buffer(8192, '\0');
    int n = heading ? decoder.ReadHeadingText(buffer.data(), static_cast<int>(buffer.size()), nullptr)
                    : decoder.ReadEntryText(buffer.data(), static_cast<int>(buffer.size()), nullptr, true, 0);
    buffer.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return buffer;
  }

  std::vector<uint8_t> ReadAt(int32_t page, int offset, size_t n) {
    std::vector<uint8_t> bytes(n);
    EXPECT_TRUE(m_reader->SeekPage(page));
    if (offset > 0) {
      EXPECT_TRUE(m_reader->SeekOffset(offset));
    }
    EXPECT_EQ(m_reader->ReadBytes(bytes.data(), static_cast<int>(n)), static_cast<int>(n));
    return bytes;
  }

  const Entry* EntryAt(int32_t page, int offset) const {
    for (const Entry& e : m_entries) {
      if (e.textPage == page && e.textOffset == offset) return &e;
    }
    return nullptr;
  }

  const Entry* EntryByReading(const std::string& reading) const {
    for (const Entry& e : m_entries) {
      if (e.reading == reading) return &e;
    }
    return nullptr;
  }

  static std::string s_bookDir;
  static int s_status;

  Catalog m_catalog;
  CBookList m_books;
  SubbookEntry* m_entry = nullptr;
  CEBReader* m_reader = nullptr;
  std::string m_honmon;
  std::vector<Entry> m_entries;
};

std::string FreePwingBook::s_bookDir;
int FreePwingBook::s_status = -1;

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

TEST_F(FreePwingBook, HeadingsAndTextsHoldWhatTheParserWrote) {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const Entry& e = m_entries[i];
    EXPECT_EQ(PlainText(Decode(e.headingPage, e.headingOffset, true)), e.Heading());

    std::string markup = Decode(e.textPage, e.textOffset, false);
    std::string text = PlainText(markup);
    std::string english;
    for (const std::string& w : e.english) english += (english.empty() ? "" : ", ") + w;
    std::string expected = e.Heading() + "\n" + english + "\n" + AsDecoded(e.description) + "\n";
    if (!e.see.empty()) expected += "→" + e.see + "\n";
    // The text stops where the next entry begins.
    EXPECT_EQ(text.substr(0, expected.size()), expected) << markup;
    if (i + 1 < m_entries.size()) {
      EXPECT_EQ(text.find(m_entries[i + 1].description), std::string::npos) << e.reading << ": " << markup;
    }

    // A see-also reference leads to the other entry's text.
    std::vector<std::pair<int32_t, int>> links = LinkTargets(markup);
    if (e.see.empty()) {
      EXPECT_TRUE(links.empty()) << markup;
    } else {
      const Entry* target = EntryByReading(e.see);
      ASSERT_NE(target, nullptr);
      ASSERT_EQ(links.size(), 1u) << markup;
      EXPECT_EQ(links[0], std::make_pair(target->textPage, target->textOffset)) << e.reading;
    }
  }
}

TEST_F(FreePwingBook, MenuLeadsThroughTheGroupsToEveryEntry) {
  const IndexEntry* menu = MenuArea(*m_reader);
  ASSERT_NE(menu, nullptr);
  std::string top = Decode(menu->startPage, 0, false);
  const std::string heading = "くだもの・どうぶつ・いろ\n果物\n動物\n色\n";
  EXPECT_EQ(PlainText(top).substr(0, heading.size()), heading) << top;

  std::set<const Entry*> reached;
  std::vector<std::pair<int32_t, int>> groups = LinkTargets(top);
  ASSERT_EQ(groups.size(), 3u) << top;
  for (const auto& [page, offset] : groups) {
    EXPECT_TRUE(menu->HoldsPage(page));
    std::string list = Decode(page, offset, false);
    std::string text = PlainText(list);
    for (const auto& [entryPage, entryOffset] : LinkTargets(list)) {
      const Entry* e = EntryAt(entryPage, entryOffset);
      ASSERT_NE(e, nullptr) << entryPage << ":" << entryOffset << " in " << list;
      EXPECT_NE(text.find(e->Heading()), std::string::npos) << text;
      EXPECT_NE(text.find("【" + e->group + "】"), std::string::npos) << text;
      reached.insert(e);
    }
  }
  EXPECT_EQ(reached.size(), m_entries.size());
}

TEST_F(FreePwingBook, ExternalCharacterFontsHoldTheBitmaps) {
  // The text reader knows both fonts (for the decoder's gaiji ranges); the
  // glyphs come from the font file of the slot.
  EXPECT_EQ(m_reader->HalfFont().width, 8);
  EXPECT_EQ(m_reader->FullFont().width, 16);
  for (int slot : {0, 1}) {
    const bool half = slot == 0;
    auto chars = ReadCharacterList(half ? "halfchars.txt" : "fullchars.txt");
    CEBReader* font = m_entry->fontReaders[slot].get();
    ASSERT_NE(font, nullptr) << slot;
    const FontInfo& info = font->HalfFont();
    EXPECT_EQ(info.width, half ? 8 : 16);
    EXPECT_EQ(info.height, 16);
    EXPECT_EQ(info.firstCode, 0xA121);
    EXPECT_EQ(info.count, static_cast<int>(chars.size()));

    for (size_t i = 0; i < chars.size(); ++i) {
      int width = 0;
      std::vector<uint8_t> bits = ReadXbm(chars[i].second, &width);
      ASSERT_EQ(width, info.width) << chars[i].first;
      ASSERT_EQ(bits.size(), static_cast<size_t>(width / 8 * 16)) << chars[i].first;
      Glyph glyph;
      ASSERT_TRUE(font->GetGlyph(width, 16, CharacterCode(i), &glyph)) << chars[i].first;
      EXPECT_EQ(glyph.width, width);
      EXPECT_EQ(glyph.height, 16);
      EXPECT_EQ(std::vector<uint8_t>(glyph.bits, glyph.bits + bits.size()), bits) << chars[i].first;
    }
    Glyph none;
    EXPECT_FALSE(font->GetGlyph(info.width, 16, CharacterCode(chars.size()), &none));
  }
}

TEST_F(FreePwingBook, ImagesAndSoundsLoadFromTheirData) {
  const IndexEntry* imageArea = m_reader->FindIndex(0xD2);
  const IndexEntry* sounds = m_reader->FindIndex(0xD8);
  ASSERT_NE(imageArea, nullptr);
  ASSERT_NE(sounds, nullptr);

  CSubbookMedia media(*m_entry);
  std::vector<CBitmapImage> images;

  // FreePWING keeps a colour image behind an 8-byte header: "data" and the
  // length, little-endian.
  for (const auto& [reading, file] : {std::pair{"りんご", "media/apple.jpg"}, {"あお", "media/sky.bmp"}}) {
    const Entry* e = EntryByReading(reading);
    ASSERT_NE(e, nullptr);
    std::string markup = Decode(e->textPage, e->textOffset, false);
    size_t at = markup.find("</FIG[");
    ASSERT_NE(at, std::string::npos) << markup;
    unsigned page = 0, offset = 0, width = 0, height = 0, kind = 0;
    ASSERT_EQ(std::sscanf(markup.c_str() + at, "</FIG[%8X:%4X](%4u*%4u:%1u)>", &page, &offset, &width, &height, &kind),
              5)
        << markup;
    EXPECT_EQ(kind, 1u) << markup;
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(height, 0u);
    EXPECT_TRUE(imageArea->HoldsPage(static_cast<int32_t>(page))) << markup;

    std::vector<uint8_t> data = ReadSourceFile(file);
    ASSERT_FALSE(data.empty()) << file;
    std::vector<uint8_t> stored = ReadAt(static_cast<int32_t>(page), static_cast<int>(offset), 8 + data.size());
    const uint8_t header[8] = {'d', 'a', 't', 'a', static_cast<uint8_t>(data.size()),
                               static_cast<uint8_t>(data.size() >> 8), 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(stored.begin(), stored.begin() + 8), std::vector<uint8_t>(header, header + 8));
    EXPECT_EQ(std::vector<uint8_t>(stored.begin() + 8, stored.end()), data) << file;

    ImageTag tag;
    ASSERT_TRUE(FindImageTag(std::string_view(markup).substr(at), &tag)) << markup;
    CBitmapImage image;
    ASSERT_TRUE(LoadTagImage(media.Book(), tag, &image)) << file;
    images.push_back(std::move(image));
  }

  // The JPEG: 12 x 10, a red disc on white. The BMP: 6 x 4 sky blue with a
  // white line in its second row.
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].Width(), 12);
  EXPECT_EQ(images[0].Height(), 10);
  uint32_t centre = images[0].PixelRgb(6, 5), corner = images[0].PixelRgb(0, 0);
  EXPECT_TRUE((centre >> 16) > 150 && (centre >> 8 & 0xFF) < 90) << std::hex << centre;
  EXPECT_TRUE((corner >> 16) > 220 && (corner >> 8 & 0xFF) > 220 && (corner & 0xFF) > 220) << std::hex << corner;
  EXPECT_EQ(images[1].Width(), 6);
  EXPECT_EQ(images[1].Height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(images[1].PixelRgb(x, y), y == 1 && x >= 1 && x <= 4 ? 0xFFFFFFu : 0x87CEEBu) << x << "," << y;
    }
  }

  // A sound is the wave file from its "fmt " chunk on; FreePWING gives the
  // position of its first and of its last byte, and digits that tell a
  // wave carrying its own chunks, mono, 16 or 8 bits. (The rate digit is
  // always 2: FreePWING compares the rate with 441000 and 220500.)
  for (const auto& [reading, file, digits] :
       {std::tuple{"ねこ", "media/meow.wav", "(1:0:0:0:2)"}, {"いぬ", "media/woof.wav", "(1:0:0:1:2)"}}) {
    const Entry* e = EntryByReading(reading);
    ASSERT_NE(e, nullptr);
    std::string markup = Decode(e->textPage, e->textOffset, false);
    size_t at = markup.find("</WAV[");
    ASSERT_NE(at, std::string::npos) << markup;
    unsigned page = 0, offset = 0, endPage = 0, endOffset = 0;
    ASSERT_EQ(std::sscanf(markup.c_str() + at, "</WAV[%8X:%4X][%8X:%4X]", &page, &offset, &endPage, &endOffset), 4)
        << markup;
    EXPECT_EQ(markup.substr(at + 35, 11), digits) << markup;
    EXPECT_TRUE(sounds->HoldsPage(static_cast<int32_t>(page))) << markup;
    std::vector<uint8_t> wave = ReadSourceFile(file);
    ASSERT_GT(wave.size(), 12u);
    std::vector<uint8_t> tail(wave.begin() + 12, wave.end());
    EXPECT_EQ(ReadAt(static_cast<int32_t>(page), static_cast<int>(offset), tail.size()), tail) << file;
    const int64_t last = (int64_t{page} - 1) * 2048 + offset + static_cast<int64_t>(tail.size()) - 1;
    EXPECT_EQ((int64_t{endPage} - 1) * 2048 + endOffset, last) << markup;

    // The wave built for playing is the file again, except that FreePWING's
    // end is the last byte while the builder takes the end as the byte
    // after the sound: the last data byte is left out.
    WaveTag tag;
    ASSERT_TRUE(FindWaveTag(std::string_view(markup).substr(at), &tag)) << markup;
    std::vector<uint8_t> built = BuildTagWave(media.Book(), tag);
    ASSERT_GE(built.size() + 1, wave.size()) << file;
    ASSERT_LE(built.size(), wave.size()) << file;
    EXPECT_EQ(std::vector<uint8_t>(built.begin() + 8, built.end()),
              std::vector<uint8_t>(wave.begin() + 8, wave.begin() + static_cast<std::ptrdiff_t>(built.size())))
        << file;
    const uint32_t riffSize = built[4] | built[5] << 8 | built[6] << 16 | static_cast<uint32_t>(built[7]) << 24;
    EXPECT_EQ(riffSize, built.size() - 8) << file;
  }
}

TEST_F(FreePwingBook, CopyrightNoticeDecodes) {
  ASSERT_TRUE(HasCopyright(*m_reader));
  const IndexEntry* copyright = CopyrightArea(*m_reader);
  ASSERT_NE(copyright, nullptr);
  EXPECT_EQ(PlainText(Decode(copyright->startPage, 0, false)),
            "トメリング試験用辞書\nこの辞書はトメリングの試験のために作った。\n"
            "Copyright (C) 2026 Tomeling authors\n");
}

}  // namespace
