// The FreePWING test dictionary as the tests see it: the book built by
// build_book.sh, a model of what the parser (fpwtomeling) put into it, and
// the fixture that opens it with the engine.
//
// build_book.sh builds the book into the build directory, in FreePWING's
// own lower-case layout. The fixture reads the same entries.tsv, plus
// positions.txt (where FreePWING put each entry's text and heading in its
// own files), so that every test knows the text and heading position each
// entry must have.
//
// FreePWING is installed by scripts/setup.sh; on a developer machine without
// it the tests are skipped, in CI (CI set) its absence is a failure.
#ifndef TOMELING_TESTS_FREEPWING_FREEPWING_BOOK_H_
#define TOMELING_TESTS_FREEPWING_FREEPWING_BOOK_H_

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/book_list.h"
#include "catalog/catalog.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "decode/utf8.h"
#include "reader/eb_reader.h"
#include "reader/keyword_search.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

inline const std::string kSourceDir = std::string(TOMELING_SOURCE_DIR) + "/tests/freepwing";

// ---- text helpers (the book is Shift_JIS inside, the data file UTF-8)

inline std::u16string ToUtf16(const std::string& utf8) {
  std::u16string out(utf8.size(), u'\0');
  long n = Utf8ToUtf16(utf8.data(), utf8.size(), out.data());
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

inline std::string ToUtf8(const std::u16string& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(Utf16ToUtf8(text.data(), text.size(), out.data(), out.size()));
  return out;
}

inline std::string ToSjis(const std::string& utf8) { return Utf16ToCp932(ToUtf16(utf8)); }

inline std::vector<std::string> Split(const std::string& line, char sep) {
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
inline std::string PlainText(const std::string& markup) {
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

inline std::vector<uint8_t> ReadSourceFile(const std::string& file) { return ReadWholeFile(kSourceDir + "/" + file); }

// The targets of the references in display markup, in order.
inline std::vector<std::pair<int32_t, int>> LinkTargets(const std::string& markup) {
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
inline std::vector<std::pair<std::string, std::string>> ReadCharacterList(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> chars;
  std::ifstream in(kSourceDir + "/" + file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() == 2) chars.emplace_back(f[0], f[1]);
  }
  return chars;
}

inline uint16_t CharacterCode(size_t i) { return static_cast<uint16_t>(0xA121 + i / 94 * 0x100 + i % 94); }

// An XBM bitmap as the book stores glyphs: leftmost dot in the high bit.
inline std::vector<uint8_t> ReadXbm(const std::string& file, int* width) {
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
inline std::string AsDecoded(std::string text) {
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
inline std::u16string IndexForm(const std::string& word) {
  std::u16string out;
  for (char16_t c : ToUtf16(word)) {
    if (c == u' ' || c == u'\'' || c == u'-' || c == u'　' || c == u'’' || c == u'－' || c == u'・' ||
        c == u'‐')
      continue;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c > 0x20 && c < 0x7F) c = static_cast<char16_t>(c - 0x20 + 0xFF00);
    if (c >= u'ａ' && c <= u'ｚ') c = static_cast<char16_t>(c - u'ａ' + u'Ａ');
    out.push_back(c);
  }
  return out;
}

// FreePWING files a word holding katakana twice: as written and with the
// katakana turned into hiragana, row for row -- "ヴ" too, which gives a code
// JIS X 0208 lacks (0x2474) and no one can type.
inline std::vector<std::u16string> IndexForms(const Entry& e) {
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

inline bool Matches(const std::u16string& form, const std::u16string& key, Match how) {
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

  // Names and a hash of the contents of the files the book is built from.
  static std::string SourceStamp() {
    std::vector<std::filesystem::path> files;
    for (const auto& f : std::filesystem::recursive_directory_iterator(kSourceDir)) {
      const auto ext = f.path().extension();
      if (f.is_regular_file() && ext != ".cc" && ext != ".h") files.push_back(f.path());
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

  static inline std::string s_bookDir;
  static inline int s_status = -1;

  Catalog m_catalog;
  CBookList m_books;
  SubbookEntry* m_entry = nullptr;
  CEBReader* m_reader = nullptr;
  std::string m_honmon;
  std::vector<Entry> m_entries;
};

#endif  // TOMELING_TESTS_FREEPWING_FREEPWING_BOOK_H_
