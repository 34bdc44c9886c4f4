// Shift_JIS-aware versions of the C string operations.
//
// A plain byte walker splits two-byte characters and finds ASCII inside
// them: the trail byte of many kanji is 0x40 to 0x7E ("表" is 0x95 0x5C, a
// backslash). These walk NUL-terminated strings one character at a time by
// the lead-byte rule of IsSjisLead, treat a lead byte followed by NUL as the
// end of the string, and compare two-byte characters by their 16-bit value
// (lead * 256 + trail), so every two-byte character sorts after every
// single byte. Writers take the capacity of their output, write whole
// characters only and always NUL-terminate. Nothing allocates.

#ifndef TOMELING_DECODE_SJIS_STRING_H_
#define TOMELING_DECODE_SJIS_STRING_H_

#include <cstddef>

// Value of the character at `s` (0 at the end), and the bytes it takes
// (0 at the end, else 1 or 2).
unsigned SjisCharAt(const char* s, size_t* length = nullptr);

// Number of characters.
size_t SjisCharCount(const char* s);

// Bytes taken by the first `n` characters (fewer if the string ends).
size_t SjisByteCount(const char* s, size_t n);

// Pointer past the first `n` characters, or to the end of the string.
const char* SjisAdvance(const char* s, size_t n);
char* SjisAdvance(char* s, size_t n);

// strcmp and strncmp (n characters) by character value: <0, 0 or >0.
int SjisCompare(const char* a, const char* b);
int SjisCompareN(const char* a, const char* b, size_t n);

// Compare ignoring case: ASCII letters and the full-width small letters
// 0x8281 to 0x829A fold to their capitals; the rest compare by value.
int SjisCompareNoCase(const char* a, const char* b);
int SjisCompareNoCaseN(const char* a, const char* b, size_t n);

// Copies at most `n` characters of `src` to `dst` (capacity `cap` bytes,
// NUL included), stopping early rather than splitting a character.
// Returns the bytes written before the NUL. With cap 0 nothing is written.
size_t SjisCopyN(char* dst, size_t cap, const char* src, size_t n);

// Appends at most `n` characters of `src` to the string in `dst` (capacity
// `cap` bytes, NUL included). Returns the new length of `dst`.
size_t SjisAppendN(char* dst, size_t cap, const char* src, size_t n);

// Reverses the characters in place; a two-byte character keeps its byte
// order. A lone lead byte at the end stays where it is.
void SjisReverse(char* s);

// ASCII letters only, in place; trail bytes are never touched.
void SjisToUpper(char* s);
void SjisToLower(char* s);

// First character equal to `c` (a byte, or a two-byte value), or nullptr.
// Searching for 0 finds the terminating NUL, as strchr does.
const char* SjisFindChar(const char* s, unsigned c);
// Last such character, or nullptr.
const char* SjisFindLastChar(const char* s, unsigned c);

// First character of `s` that is in the Shift_JIS string `set`, or nullptr.
const char* SjisFindAny(const char* s, const char* set);

// Bytes of the leading characters of `s` that are (Span) or are not
// (SpanNot) in `set`.
size_t SjisSpan(const char* s, const char* set);
size_t SjisSpanNot(const char* s, const char* set);

// Substring search by whole characters, or nullptr.
const char* SjisFindString(const char* s, const char* needle);

// strtok_r: splits `s` (or, when `s` is nullptr, the rest kept in
// `*context`) at characters in `delims`, skipping leading delimiters;
// writes NULs into the string. Returns the next token or nullptr.
char* SjisTokenize(char* s, const char* delims, char** context);

#endif  // TOMELING_DECODE_SJIS_STRING_H_
