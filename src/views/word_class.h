// Word selection by character class: a double click (or Enter in cursor
// mode) selects the run of characters around the point that share the
// class of the character under it, so that a run of hiragana stops where
// katakana or kanji begin.
//
//   class  characters
//    6     space U+0020
//   17     general punctuation U+2000-U+206F
//   18     CJK symbols and punctuation U+3000-U+303F
//   13     hiragana U+3040-U+309F
//   14     katakana U+30A0-U+30FF (the long-vowel mark too)
//   16     CJK ideographs U+4E00-U+ABFF
//   15     0-9 A-Z a-z "_", U+00C0-U+024F, U+1E00-U+1EFE
//   12     any other character up to U+0100
//    8     everything else
#ifndef TOMELING_VIEWS_WORD_CLASS_H_
#define TOMELING_VIEWS_WORD_CLASS_H_

#include <string_view>

enum WordClass : int {
  kClassOther = 8,
  kClassLatinOther = 12,
  kClassHiragana = 13,
  kClassKatakana = 14,
  kClassWord = 15,
  kClassIdeograph = 16,
  kClassPunctuation = 17,
  kClassCjkSymbol = 18,
  kClassSpace = 6,
};

int CharClass(char16_t c);

// The run of characters of `text` around `index` whose class is that of
// text[index], as [*from, *to). An index at or past the end gives an empty
// run there.
void WordAround(std::u16string_view text, int index, int* from, int* to);

// Whether a word starting with `c` is worth searching: kana, Latin letters
// and digits, or ideographs.
bool IsSearchableClass(int wordClass);

#endif  // TOMELING_VIEWS_WORD_CLASS_H_
