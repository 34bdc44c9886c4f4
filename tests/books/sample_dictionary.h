// A small dictionary that exercises the usual folding: hiragana and
// katakana words, long vowels, small kana, voiced sounds, kanji and Latin
// words, and words that are prefixes of others.
#ifndef TOMELING_TESTS_BOOKS_SAMPLE_DICTIONARY_H_
#define TOMELING_TESTS_BOOKS_SAMPLE_DICTIONARY_H_

#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

struct SampleWord {
  const char* kanji;  // also the heading
  const char* kana;
  const char* latin;
};

inline const std::vector<SampleWord>& SampleWords() {
  static const std::vector<SampleWord> words = {
      {"林檎", "りんご", "apple"},         {"珈琲", "コーヒー", "coffee"},
      {"学校", "がっこう", "school"},      {"東京", "とうきょう", "tokyo"},
      {"辞書", "じしょ", "dictionary"},    {"日本語", "にほんご", "japanese"},
      {"電車", "でんしゃ", "train"},       {"切手", "きって", "stamp"},
      {"葉書", "はがき", "postcard"},      {"牛乳", "ぎゅうにゅう", "milk"},
      {"赤", "あか", "red"},               {"赤ちゃん", "あかちゃん", "baby"},
      {"麺麭", "パン", "bread"},           {"洋菓子", "ケーキ", "cake"},
      {"雨", "あめ", "rain"},              {"飴", "あめ", "candy"},
  };
  return words;
}

// Indexes of a subbook filing the sample words: forward and endword for
// kana, kanji and Latin.
inline SubbookSource SampleSubbook(const std::string& dir, const std::string& title) {
  SubbookSource sub;
  sub.directory = dir;
  sub.title = title;
  for (uint8_t id : {0x90, 0x91, 0x92, 0x70, 0x71, 0x72}) sub.indexes.push_back(IndexOptions{id});
  for (const SampleWord& w : SampleWords()) {
    BookEntry e;
    e.heading = w.kanji;
    e.body = {std::string(w.kana) + "　" + w.latin};
    e.words = {{0x90, w.kana}, {0x70, w.kana}, {0x91, w.kanji},
               {0x71, w.kanji}, {0x92, w.latin}, {0x72, w.latin}};
    sub.entries.push_back(std::move(e));
  }
  return sub;
}

#endif  // TOMELING_TESTS_BOOKS_SAMPLE_DICTIONARY_H_
