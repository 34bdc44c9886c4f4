// Whole-string conversions for the registry's text files: UTF-8 and code
// page 932 on the file side, UTF-16 in memory.
//
// The converters in decode/ work on caller-sized buffers; these wrap them
// for std::string and settle their edge cases the same way everywhere: a
// UTF-8 sequence cut off by the end of the text becomes U+FFFD, and cutting
// a string never leaves half a surrogate pair or half a double-byte
// character behind.
#ifndef TOMELING_CATALOG_TEXT_CONVERT_H_
#define TOMELING_CATALOG_TEXT_CONVERT_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "decode/cp932.h"

std::u16string WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::u16string_view text);

// The first `units` UTF-16 units of `text`, one less when that would split
// a surrogate pair.
std::u16string CutUnits(std::u16string_view text, size_t units);

// `text` in code page 932, cut to at most `bytes` bytes on a character
// boundary.
std::string Cp932Cut(std::u16string_view text, size_t bytes);

// `text` as one field of a tab-separated line of output: a backslash, tab,
// carriage return or line feed inside is written as a backslash followed by
// a backslash, "t", "r" or "n", so that a path holding one can neither split
// its line nor its field.
std::string EscapeField(std::string_view text);

#endif  // TOMELING_CATALOG_TEXT_CONVERT_H_
