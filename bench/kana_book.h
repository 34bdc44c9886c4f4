// Entries for the benchmarks' books of the windows: readings of random
// kana, each entry found by its reading in index 0x90 (the kana index)
// and showing it in its body.
//
//   std::mt19937 rng(seed);
//   std::u16string reading = RandomKana(rng, 5);
//   SubbookSource& sub = AddReadingSubbook(book, "BIG", "大辞典");
//   sub.entries.push_back(ReadingEntry("見出し語1", reading, "本文の例です。"));
#ifndef TOMELING_BENCH_KANA_BOOK_H_
#define TOMELING_BENCH_KANA_BOOK_H_

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "bookwriter/book_writer.h"
#include "shell/plain_text.h"

inline constexpr uint8_t kReadingIndex = 0x90;
inline constexpr char16_t kBenchKana[] =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ";

// `length` kana drawn from the 45 above.
inline std::u16string RandomKana(std::mt19937& rng, int length) {
  std::u16string kana;
  for (int k = 0; k < length; ++k) kana += kBenchKana[rng() % (std::size(kBenchKana) - 1)];
  return kana;
}

// A new subbook of `book` with the kana index.
inline SubbookSource& AddReadingSubbook(BookSource& book, const std::string& directory, const std::string& title) {
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = directory;
  sub.title = title;
  sub.indexes = {IndexOptions{kReadingIndex}};
  return sub;
}

// "HEADING【reading】", its body the reading and `text`.
inline BookEntry ReadingEntry(const std::string& heading, const std::u16string& reading, const std::string& text) {
  std::string r = ToUtf8(reading);
  BookEntry e;
  e.heading = heading + "【" + r + "】";
  e.body = {"読み：" + r, text};
  e.words = {{kReadingIndex, r}};
  return e;
}

#endif  // TOMELING_BENCH_KANA_BOOK_H_
