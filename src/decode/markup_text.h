// MarkupToPlainText: the wide form of the display markup as the plain text
// a copy puts on the clipboard (and the command-line tool prints).
//
// Tags are dropped; "&amp;", "&lt;" and "&gt;" become "&", "<" and ">";
// "&g" codes become their GB2312 character; "&h", "&z" and "&c" codes
// become what the dictionary's external-character map gives for them (its
// Unicode value, else its replacement text, nothing for a removed code),
// else "_" for a half-width code and "__" for the others, so that copied
// text keeps the width of what was shown. Other entities pass through
// unchanged; carriage returns are dropped when asked.
#ifndef TOMELING_DECODE_MARKUP_TEXT_H_
#define TOMELING_DECODE_MARKUP_TEXT_H_

#include <string>
#include <string_view>

#include "decode/gaiji_map.h"

// `map` may be null (no map for the dictionary).
std::u16string MarkupToPlainText(std::u16string_view markup, const GaijiMapRecord* map, bool dropReturns);

#endif  // TOMELING_DECODE_MARKUP_TEXT_H_
