// Character-level conversions shared by the decoder, the search-key
// preparation, the catalog reader and the layout.
//
// Books store text as JIS X 0208 two-byte codes; the engine works in
// Shift_JIS (code page 932) byte strings and shows text as UTF-16. The
// functions here convert single characters between JIS X 0208 and
// Shift_JIS, between the full-width and half-width (ASCII) forms, and
// classify characters for word boundaries. They are pure and allocate
// nothing.
//
// Related modules: "decode/sjis_string.h" (Shift_JIS-aware string walking),
// "decode/utf8.h", "decode/cp932.h" (whole strings through code page 932),
// "decode/ebcdic.h", "decode/gb2312.h", "decode/romaji.h".

#ifndef TOMELING_DECODE_CHAR_CONV_H_
#define TOMELING_DECODE_CHAR_CONV_H_

#include <cstddef>
#include <cstdint>

// True for a Shift_JIS lead byte: 0x81 to 0x9F or 0xE0 to 0xFC. Every
// string walker uses this one test; a lead byte followed by NUL ends the
// string.
constexpr bool IsSjisLead(unsigned char b) {
  return static_cast<unsigned char>((b ^ 0x20) - 0xA1) < 60;
}

// JIS X 0208 code (0x2121 to 0x7E7E) to its Shift_JIS value (lead * 256 +
// trail), by the usual arithmetic. Codes outside the range give some value
// without faulting; callers that care check the range first.
uint16_t JisToSjis(uint16_t code);

// Shift_JIS two-byte value to its JIS X 0208 code; the exact inverse of
// JisToSjis for every JIS X 0208 code.
uint16_t SjisToJis(uint16_t value);

// Converts the JIS code pairs of `in` (big-endian) to Shift_JIS until a 0
// byte or `len` bytes have been read (an odd last byte is ignored), and
// NUL-terminates. `out` must hold len + 1 bytes. Returns the bytes written
// before the NUL.
size_t JisStringToSjis(char* out, const char* in, size_t len);

// Converts a Shift_JIS string (at most `len` bytes, ending earlier at a NUL
// or a lone lead byte) to JIS: two-byte characters converted, single bytes
// copied. NUL-terminates; `out` must hold len + 1 bytes. Returns the bytes
// written before the NUL.
size_t SjisStringToJis(char* out, const char* in, size_t len);

// Full-width Shift_JIS symbol, digit or letter to its single-byte form;
// every value without one is returned unchanged (0x815B stays 0x815B).
uint16_t ToHalfWidth(uint16_t value);

// Byte 0x20 to 0x7E to its full-width Shift_JIS value (0x5C -> 0x818F,
// 0x7E -> 0x8150); every other value is returned unchanged.
uint16_t ToFullWidth(uint16_t byte);

// Character classes of CharClass, used for word boundaries.
enum : int {
  kCharClassIdeographicSpace = 5,  // 0x8140
  kCharClassSpace = 6,             // 0x20
  kCharClassOther = 8,             // any other two-byte character
  kCharClassSingleByte = 12,       // any other single byte (also NUL)
  kCharClassHiragana = 13,
  kCharClassKatakana = 14,         // with the middle dot and long-vowel mark
  kCharClassAlnum = 15,            // ASCII and full-width digits, letters, "_"
  kCharClassKanji = 16,            // with the iteration mark and 0x81AC
  kCharClassPunctuation = 17,      // 0x8141 to 0x8144
  kCharClassBracket = 18,          // 0x8169 to 0x817A
};

// Class of the first character of the NUL-terminated Shift_JIS string
// `text` (two bytes if the first is a lead byte). An empty string and a
// lone lead byte before the NUL count as a single byte.
int CharClass(const char* text);

#endif  // TOMELING_DECODE_CHAR_CONV_H_
