// Whole strings between code page 932 (Shift_JIS) and UTF-16.
//
// Settings, history, group and key files, search words and the display
// markup cross this edge. It goes through iconv's "CP932", opened in this
// one place (one descriptor per direction and thread, kept open). A bad
// character never fails the whole string: undecodable bytes become U+FFFD
// and characters code page 932 lacks become "?".

#ifndef TOMELING_DECODE_CP932_H_
#define TOMELING_DECODE_CP932_H_

#include <string>
#include <string_view>

// Code page 932 bytes to UTF-16. An invalid lead/trail pair or stray byte
// becomes one U+FFFD, as does a lead byte cut off at the end. A NUL byte is
// converted like any other (to U+0000).
std::u16string Cp932ToUtf16(std::string_view text);

// UTF-16 to code page 932. Each unmappable character (a surrogate pair
// counts as one, a lone surrogate too) becomes "?".
std::string Utf16ToCp932(std::u16string_view text);

#endif  // TOMELING_DECODE_CP932_H_
