// Romaji search words to hiragana, for the second try of a search that
// found nothing when romaji input is on.
//
// The word is read letter by letter, upper-cased, and matched against a
// fixed table of romaji keys (the first equal key wins). A doubled
// consonant writes a small "っ"; an "N" before anything but "Y" or a vowel
// writes "ん". The V row gives katakana "ヴ" forms, every other row
// hiragana; "L" stands for "R"; "-" gives "ー".

#ifndef TOMELING_DECODE_ROMAJI_H_
#define TOMELING_DECODE_ROMAJI_H_

#include <cstddef>

// Capacity the search cycle passes.
constexpr size_t kRomajiKanaCapacity = 64;

// Converts the NUL-terminated word `in` into Shift_JIS kana in `out`
// (capacity `capacity` bytes, NUL included; always NUL-terminated when
// capacity > 0). Returns 1 when the whole word was converted, 0 when it
// holds a byte of 0x80 or above, ends in letters no key takes (such as
// "kx" or a trailing consonant other than N), or does not fit.
int RomajiToKana(const char* in, char* out, size_t capacity);

#endif  // TOMELING_DECODE_ROMAJI_H_
