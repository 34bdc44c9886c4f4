// UTF-8 to and from UTF-16, for the group files written in UTF-8.
//
// Each UTF-16 unit is encoded on its own, so a surrogate pair becomes two
// three-byte sequences (the form the group files have always been written
// in); decoding accepts both that form and four-byte sequences. Nothing
// allocates: the caller sizes the output, using the counting call or the
// bounds given below.

#ifndef TOMELING_DECODE_UTF8_H_
#define TOMELING_DECODE_UTF8_H_

#include <cstddef>

// Encodes `count` units of `in`. With `out` nullptr only counts; otherwise
// writes whole characters while they fit in `capacity` bytes (3 * count
// always suffices). No NUL is added. Returns the bytes written or counted.
size_t Utf16ToUtf8(const char16_t* in, size_t count, char* out,
                   size_t capacity = static_cast<size_t>(-1));

// Decodes `len` bytes of `in` into `out`, which must hold `len` units.
// Values from 0x10000 become a surrogate pair. A byte that cannot start a
// sequence, or a sequence with a bad continuation byte, gives U+FFFD. No
// NUL is added. Returns the units written, or -1 when a sequence is cut off
// by the end of the input.
long Utf8ToUtf16(const char* in, size_t len, char16_t* out);

#endif  // TOMELING_DECODE_UTF8_H_
