// Search keys: normalising a typed word the way an index was built, and
// comparing keys.
//
// An index stores its keys folded by rules the book names in three style
// bytes S0 S1 S2 (S = S0 << 16 | S1 << 8 | S2): a rule applies while its
// bits are clear, so style 00 00 00 folds everything.
//
//   0x300000  no upper-casing of letters (half-width and full-width)
//   0xC00000  no katakana -> hiragana
//   0x0C0000  keep the marks ’ － ・ ‐
//   0x030000  long vowel ー: 0 -> the vowel before it, 2 -> dropped, else kept
//   0x00C000  keep っ ヴ ッ           0x003000  keep small ゃゅょゎ etc.
//   0x000C00  keep small ぁぃぅぇぉ   0x000300  keep voiced marks (が...)
//   0x0000C0  keep semi-voiced marks (ぱ...)
//
// The typed word is Shift_JIS; NormaliseKey gives Shift_JIS with every
// printable character widened to its two-byte form; KeyToJis then turns it
// into the JIS X 0208 codes the index holds. A typed "&Gxxxx;" (or &H, &Z)
// names an external character by its code.
#ifndef TOMELING_READER_KEY_NORMALISE_H_
#define TOMELING_READER_KEY_NORMALISE_H_

#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t kMaxKeyBytes = 255;

// The rules of `style` applied to `sjis`. Single bytes below 0x20 pass
// unchanged; every other single byte becomes its full-width character, so
// the result is two-byte codes except for those control bytes and the
// half-width katakana bytes, which have no wide form here.
std::string NormaliseKey(std::string_view sjis, uint32_t style);

// Shift_JIS (as NormaliseKey leaves it) to JIS X 0208 code pairs, with the
// seven-character form ＆Ｇxxxx； (or Ｈ, Ｚ) turned into the external
// character xxxx (Ｇ clears its top bit).
std::string KeyToJis(std::string_view sjis);

// Reverses the characters of a Shift_JIS string, two-byte characters kept
// whole (for indexes of words read from their end).
std::string ReverseSjis(std::string_view sjis);

// Reverses a string of JIS code pairs.
std::string ReverseJis(std::string_view jis);

// A full-width lower-case letter (ａ-ｚ, 0x8281-0x829A) as its upper-case
// form; any other code unchanged. Typed words fold both widths alike, so an
// input method left in full-width mode finds what ASCII finds.
constexpr unsigned UpperWideLetter(unsigned c) { return c >= 0x8281 && c <= 0x829A ? c - 0x21 : c; }

// The key of a book whose text is single bytes: letters upper-cased, and
// full-width letters as their ASCII upper-case form (the book has no other
// letters); other characters left alone.
std::string SingleByteKey(std::string_view sjis);

// True when every character is hiragana or katakana, ignoring ・ ー ‐ －
// (and the word has at least one kana).
bool IsAllKana(std::string_view sjis);

// Number of characters of a Shift_JIS string.
size_t SjisLength(std::string_view sjis);
// The first `n` characters.
std::string SjisPrefix(std::string_view sjis, size_t n);

enum class KeyCompare {
  kDescent,  // a key equal to the start of the entry key is 0
  kPrefix,   // the same, but a key longer than the entry is > 0
  kExact,    // the lengths must be equal too
};

// Compares search key `key` with index key `entry` as unsigned bytes: the
// first difference decides; on a common part that is equal, see KeyCompare.
int CompareKey(std::string_view key, std::string_view entry, KeyCompare mode);

#endif  // TOMELING_READER_KEY_NORMALISE_H_
