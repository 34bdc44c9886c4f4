// Search keys as a book stores them: the writer's own rendering of how an
// index folds the words it files, driven by the index's three style bytes.
//
// A word goes through three forms:
//   raw    what the reader builds from typed text before looking anything
//          up: single bytes upper-cased and widened, ideographic spaces
//          removed, the marks ’ － ・ ‐ removed unless the style keeps them;
//   K1     the raw form folded by the index's style (katakana to hiragana,
//          long vowels, small kana, voiced and semi-voiced marks...);
//   K2     for kana indexes the raw form with only katakana folded and the
//          marks removed (style 33 FF C0); for others the raw form itself.
// Keys are JIS X 0208 byte strings (two bytes per character, big-endian).
//
// Characters are handled as code page 932 values (a single byte, or lead
// byte * 256 + trail), because that is the form typed words arrive in.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_KEY_STYLE_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_KEY_STYLE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using SjisChars = std::vector<uint16_t>;

// UTF-8 text to code page 932 characters; false when some character has no
// code page 932 form.
bool Utf8ToSjisChars(const std::string& utf8, SjisChars* out);

// A two-byte code page 932 value to its JIS X 0208 code.
uint16_t SjisCharToJis(uint16_t sjis);

// The single-byte character 0x20..0x7E in its full-width form; other values
// unchanged.
uint16_t WidenChar(uint16_t c);

// The style an index is searched with, as S0 << 16 | S1 << 8 | S2, from the
// index table's header byte 4 (`mode`), the entry's availability flag and
// style bytes (`style` = flag, S0, S1, S2).
uint32_t EffectiveStyle(uint8_t id, uint8_t mode,
                        const std::array<uint8_t, 4>& style);

// Indexes the reader searches only with all-kana words and folds with the
// fixed kana style for K2.
bool IsKanaIndexId(uint8_t id);
// Endword indexes store their keys reversed.
bool IsEndwordIndexId(uint8_t id);
// Leaf class of an index: 1, 2, 3, 4, or 0 for identifiers without one.
int LeafClass(uint8_t id);

SjisChars RawForm(const SjisChars& word, uint32_t style);
SjisChars FoldForm(const SjisChars& raw, uint32_t style);

// JIS key bytes of characters (single bytes below 0x20 stay one byte).
std::string JisKey(const SjisChars& chars);

struct IndexKeys {
  std::string k1;  // sort and descent key
  std::string k2;  // member key of groups
};

// Both keys of a word for index `id` searched with `style`; endword keys
// come reversed by characters. Empty keys when the word folds to nothing.
IndexKeys MakeIndexKeys(const SjisChars& word, uint8_t id, uint32_t style);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_KEY_STYLE_H_
