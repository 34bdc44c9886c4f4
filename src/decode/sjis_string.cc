// Shift_JIS string walking. Everything goes through SjisCharAt so that the
// lead-byte rule and the lone-lead-byte end are decided in one place.

#include "decode/sjis_string.h"

#include "decode/char_conv.h"

namespace {

unsigned FoldCase(unsigned c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0x8281 && c <= 0x829A) return c - 0x21;  // full-width a-z to A-Z
  return c;
}

unsigned char Lower(unsigned char b) { return b >= 'A' && b <= 'Z' ? b + 0x20 : b; }
unsigned char Upper(unsigned char b) { return b >= 'a' && b <= 'z' ? b - 0x20 : b; }

bool InSet(const char* set, unsigned c) {
  size_t len = 0;
  for (unsigned d; (d = SjisCharAt(set, &len)) != 0; set += len) {
    if (d == c) return true;
  }
  return false;
}

// Compares at most `n` characters, optionally folding case.
int CompareChars(const char* a, const char* b, size_t n, bool fold) {
  for (; n > 0; --n) {
    size_t la = 0, lb = 0;
    unsigned ca = SjisCharAt(a, &la);
    unsigned cb = SjisCharAt(b, &lb);
    if (fold) {
      ca = FoldCase(ca);
      cb = FoldCase(cb);
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
    a += la;
    b += lb;
  }
  return 0;
}

void ChangeCase(char* s, unsigned char (*change)(unsigned char)) {
  size_t len = 0;
  while (SjisCharAt(s, &len) != 0) {
    if (len == 1) *s = static_cast<char>(change(static_cast<unsigned char>(*s)));
    s += len;
  }
}

}  // namespace

unsigned SjisCharAt(const char* s, size_t* length) {
  unsigned char b = static_cast<unsigned char>(s[0]);
  size_t len = 1;
  unsigned value = b;
  if (b == 0) {
    len = 0;
  } else if (IsSjisLead(b)) {
    unsigned char t = static_cast<unsigned char>(s[1]);
    value = t == 0 ? 0 : (b << 8 | t);
    len = t == 0 ? 0 : 2;
  }
  if (length != nullptr) *length = len;
  return value;
}

size_t SjisCharCount(const char* s) {
  size_t count = 0;
  size_t len = 0;
  for (; SjisCharAt(s, &len) != 0; s += len) ++count;
  return count;
}

size_t SjisByteCount(const char* s, size_t n) {
  return static_cast<size_t>(SjisAdvance(s, n) - s);
}

const char* SjisAdvance(const char* s, size_t n) {
  size_t len = 0;
  for (; n > 0 && SjisCharAt(s, &len) != 0; --n) s += len;
  return s;
}

char* SjisAdvance(char* s, size_t n) {
  return s + (SjisAdvance(static_cast<const char*>(s), n) - s);
}

int SjisCompare(const char* a, const char* b) {
  return CompareChars(a, b, static_cast<size_t>(-1), false);
}

int SjisCompareN(const char* a, const char* b, size_t n) {
  return CompareChars(a, b, n, false);
}

int SjisCompareNoCase(const char* a, const char* b) {
  return CompareChars(a, b, static_cast<size_t>(-1), true);
}

int SjisCompareNoCaseN(const char* a, const char* b, size_t n) {
  return CompareChars(a, b, n, true);
}

size_t SjisCopyN(char* dst, size_t cap, const char* src, size_t n) {
  if (cap == 0) return 0;
  size_t used = 0;
  size_t len = 0;
  for (; n > 0 && SjisCharAt(src, &len) != 0; --n) {
    if (used + len >= cap) break;
    for (size_t i = 0; i < len; ++i) dst[used++] = src[i];
    src += len;
  }
  dst[used] = '\0';
  return used;
}

size_t SjisAppendN(char* dst, size_t cap, const char* src, size_t n) {
  size_t start = 0;
  while (start < cap && dst[start] != '\0') ++start;
  if (start >= cap) return start;  // not terminated within cap: leave it
  return start + SjisCopyN(dst + start, cap - start, src, n);
}

void SjisReverse(char* s) {
  // Swap the bytes of each two-byte character first, so that reversing
  // all the bytes afterwards puts them back in order.
  char* end = s;
  size_t len = 0;
  for (; SjisCharAt(end, &len) != 0; end += len) {
    if (len == 2) {
      char t = end[0];
      end[0] = end[1];
      end[1] = t;
    }
  }
  for (char* hi = end; s < hi && s < --hi; ++s) {
    char t = *s;
    *s = *hi;
    *hi = t;
  }
}

void SjisToUpper(char* s) { ChangeCase(s, Upper); }

void SjisToLower(char* s) { ChangeCase(s, Lower); }

const char* SjisFindChar(const char* s, unsigned c) {
  size_t len = 0;
  for (;; s += len) {
    unsigned d = SjisCharAt(s, &len);
    if (d == c) return s;
    if (d == 0) return nullptr;
  }
}

const char* SjisFindLastChar(const char* s, unsigned c) {
  const char* found = nullptr;
  size_t len = 0;
  for (;; s += len) {
    unsigned d = SjisCharAt(s, &len);
    if (d == c) found = s;
    if (d == 0) return found;
  }
}

const char* SjisFindAny(const char* s, const char* set) {
  size_t len = 0;
  for (unsigned c; (c = SjisCharAt(s, &len)) != 0; s += len) {
    if (InSet(set, c)) return s;
  }
  return nullptr;
}

size_t SjisSpan(const char* s, const char* set) {
  const char* p = s;
  size_t len = 0;
  for (unsigned c; (c = SjisCharAt(p, &len)) != 0 && InSet(set, c);) p += len;
  return static_cast<size_t>(p - s);
}

size_t SjisSpanNot(const char* s, const char* set) {
  const char* p = s;
  size_t len = 0;
  for (unsigned c; (c = SjisCharAt(p, &len)) != 0 && !InSet(set, c);) p += len;
  return static_cast<size_t>(p - s);
}

const char* SjisFindString(const char* s, const char* needle) {
  size_t count = SjisCharCount(needle);
  size_t len = 0;
  for (;; s += len) {
    if (SjisCompareN(s, needle, count) == 0) return s;
    if (SjisCharAt(s, &len) == 0) return nullptr;
  }
}

char* SjisTokenize(char* s, const char* delims, char** context) {
  if (s == nullptr) s = *context;
  if (s == nullptr) return nullptr;
  s += SjisSpan(s, delims);
  if (SjisCharAt(s) == 0) {
    *context = nullptr;
    return nullptr;
  }
  char* end = s + SjisSpanNot(s, delims);
  size_t len = 0;
  if (SjisCharAt(end, &len) == 0) {
    *end = '\0';  // drops a lone lead byte from the last token
    *context = nullptr;
  } else {
    for (size_t i = 0; i < len; ++i) end[i] = '\0';
    *context = end + len;
  }
  return s;
}
