// Reproducible random books for property tests and benchmarks.
#include <random>

#include "bookwriter/book_writer.h"

namespace {

void AppendUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    s.push_back(static_cast<char>(0xC0 | (c >> 6)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xE0 | (c >> 12)));
    s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Level-1 kanji that every code page 932 table has.
constexpr char32_t kKanji[] = {
    U'日', U'本', U'語', U'辞', U'典', U'山', U'川', U'水', U'火', U'木', U'金', U'土',
    U'人', U'大', U'小', U'中', U'学', U'生', U'先', U'年', U'月', U'上', U'下', U'左',
    U'右', U'花', U'雨', U'空', U'海', U'風', U'雪', U'石', U'村', U'町', U'車', U'電',
    U'話', U'書', U'読', U'見', U'行', U'来', U'食', U'飲', U'白', U'黒', U'赤', U'青'};

struct Gen {
  std::mt19937 rng;
  int Pick(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }
  std::string Kana(bool katakana) {
    std::string s;
    int n = 2 + Pick(5);
    for (int i = 0; i < n; ++i) {
      char32_t c = U'ぁ' + static_cast<char32_t>(Pick(U'ん' - U'ぁ' + 1));
      AppendUtf8(s, katakana ? c + (U'ァ' - U'ぁ') : c);
    }
    return s;
  }
  std::string Kanji() {
    std::string s;
    int n = 1 + Pick(3);
    for (int i = 0; i < n; ++i) AppendUtf8(s, kKanji[Pick(sizeof kKanji / sizeof kKanji[0])]);
    return s;
  }
  std::string Latin() {
    std::string s;
    int n = 3 + Pick(6);
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + Pick(26)));
    return s;
  }
};

}  // namespace

BookSource RandomBook(uint32_t seed, int entries, BookKind kind) {
  Gen g{std::mt19937(seed)};
  BookSource book;
  book.kind = kind;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.title = "ランダム辞書";
  sub.directory = "RANDOM";
  for (uint8_t id : {0x90, 0x91, 0x92, 0x70, 0x71, 0x72, 0x80}) {
    sub.indexes.push_back(IndexOptions{id, {0, 0, 0, 0}, false, 0, id == 0x80, 0});
  }
  sub.entries.reserve(static_cast<size_t>(std::max(entries, 0)));
  for (int i = 0; i < entries; ++i) {
    BookEntry& e = sub.entries.emplace_back();
    std::string kana = g.Kana(g.Pick(3) == 0), kanji = g.Kanji(), latin = g.Latin();
    e.heading = kanji + "【" + kana + "】";
    e.body = {latin, kanji + kana};
    e.words = {{0x90, kana}, {0x70, kana}, {0x91, kanji}, {0x71, kanji},
               {0x92, latin}, {0x72, latin}};
  }
  for (int k = 0; entries > 0 && k < entries / 10; ++k) {
    KeywordGroup& kg = sub.groups.emplace_back();
    kg.keyword = g.Latin();
    for (int m = 0; m < 3; ++m) kg.members.push_back(g.Pick(entries));
  }
  return book;
}
