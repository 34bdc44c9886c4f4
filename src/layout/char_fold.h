// Character folding for matching search words in displayed text: letters of
// U+0020 to U+01FF with or without diacritics compare as their upper-case
// base letter, so "cafe" finds "Café". Letters without a base letter (Æ, ß)
// compare as themselves. Used by search-word highlighting and find in text.
#ifndef TOMELING_LAYOUT_CHAR_FOLD_H_
#define TOMELING_LAYOUT_CHAR_FOLD_H_

inline constexpr char16_t kCharFoldFirst = 0x20;
inline constexpr int kCharFoldSize = 480;

char16_t FoldChar(char16_t c);

// The marks that a match passes over: apostrophes, hyphens and dashes, the
// ideographic space and the middle dots, which books write inconsistently
// inside words.
bool IsSkippedInMatch(char16_t c);

#endif  // TOMELING_LAYOUT_CHAR_FOLD_H_
