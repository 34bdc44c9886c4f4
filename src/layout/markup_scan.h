// Small readers of the wide-form markup shared by layout, drawing and hit
// testing, so that all three agree on where an object ends and how wide a
// character is taken to be.
#ifndef TOMELING_LAYOUT_MARKUP_SCAN_H_
#define TOMELING_LAYOUT_MARKUP_SCAN_H_

#include <cstddef>
#include <string_view>

inline constexpr int kMaxTagScan = 512;
inline constexpr int kMaxEntityScan = 8;

// Length of the tag at text[i] ('<' up to the first '>' within 512
// characters), or 0 when it has none: the '<' is then an ordinary character.
inline int TagLength(const char16_t* text, int i, int len) {
  int end = i + kMaxTagScan < len ? i + kMaxTagScan : len;
  for (int j = i + 1; j < end; ++j) {
    if (text[j] == u'>') return j - i + 1;
    if (text[j] == 0) return 0;
  }
  return 0;
}

// Length of the entity at text[i] (up to the first ';' within the next 7
// characters), or 0 when there is none.
inline int EntityLength(const char16_t* text, int i, int len) {
  int end = i + kMaxEntityScan < len ? i + kMaxEntityScan : len;
  for (int j = i + 1; j < end; ++j) {
    if (text[j] == u';') return j - i + 1;
    if (text[j] == 0) return 0;
  }
  return 0;
}

// True when the `n` characters at p are exactly the ASCII `s`.
inline bool MarkupIs(const char16_t* p, int n, std::string_view s) {
  if (static_cast<size_t>(n) != s.size()) return false;
  for (int k = 0; k < n; ++k) {
    if (p[k] != static_cast<unsigned char>(s[static_cast<size_t>(k)])) return false;
  }
  return true;
}

inline bool MarkupStarts(const char16_t* p, int n, std::string_view s) {
  if (static_cast<size_t>(n) < s.size()) return false;
  return MarkupIs(p, static_cast<int>(s.size()), s);
}

inline bool IsIdeograph(char16_t c) { return c >= 0x4E00 && c <= 0xABFF; }
inline bool IsKana(char16_t c) { return c >= 0x3040 && c <= 0x30FF; }

// Characters that may not begin a line after kana or kanji.
inline bool IsClosingPunct(char16_t c) {
  switch (c) {
    case 0x0029: case 0x002C: case 0x002E: case 0x005D: case 0x007D: case 0x3001: case 0x3002:
    case 0x3009: case 0x300B: case 0x300D: case 0x300F: case 0x3011: case 0x3015: case 0x30FC:
    case 0xFF09: case 0xFF0C: case 0xFF0E: case 0xFF3D: case 0xFF5D: case 0xFF63:
      return true;
    default:
      return false;
  }
}

// Letters of words that word wrap keeps together.
inline bool IsWordChar(char16_t c) {
  if (c < 0x100) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return true;
    return c >= 0xA0;
  }
  return c <= 0x02AF || (c >= 0x1E00 && c <= 0x1EFF) || (c >= 0x0401 && c <= 0x052F);
}

#endif  // TOMELING_LAYOUT_MARKUP_SCAN_H_
