// See word_class.h.
#include "views/word_class.h"

int CharClass(char16_t c) {
  if (c == u' ') return kClassSpace;
  if (c >= 0x2000 && c <= 0x206F) return kClassPunctuation;
  if (c >= 0x3000 && c <= 0x303F) return kClassCjkSymbol;
  if (c >= 0x3040 && c <= 0x309F) return kClassHiragana;
  if (c >= 0x30A0 && c <= 0x30FF) return kClassKatakana;
  if (c >= 0x4E00 && c <= 0xABFF) return kClassIdeograph;
  if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' ||
      (c >= 0x00C0 && c <= 0x024F) || (c >= 0x1E00 && c <= 0x1EFE)) {
    return kClassWord;
  }
  if (c <= 0x0100) return kClassLatinOther;
  return kClassOther;
}

void WordAround(std::u16string_view text, int index, int* from, int* to) {
  const int n = static_cast<int>(text.size());
  if (index < 0) index = 0;
  if (index >= n) {
    *from = *to = n;
    return;
  }
  const int cls = CharClass(text[static_cast<size_t>(index)]);
  int a = index, b = index + 1;
  while (a > 0 && CharClass(text[static_cast<size_t>(a - 1)]) == cls) --a;
  while (b < n && CharClass(text[static_cast<size_t>(b)]) == cls) ++b;
  *from = a;
  *to = b;
}

bool IsSearchableClass(int wordClass) {
  return wordClass == kClassHiragana || wordClass == kClassKatakana || wordClass == kClassWord ||
         wordClass == kClassIdeograph;
}
