// UTF-8 coding, one UTF-16 unit at a time on the way out.

#include "decode/utf8.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

size_t EncodedLength(char16_t unit) {
  if (unit < 0x80) return 1;
  if (unit < 0x800) return 2;
  return 3;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

size_t Utf16ToUtf8(const char16_t* in, size_t count, char* out, size_t capacity) {
  size_t n = 0;
  for (size_t i = 0; i < count; ++i) {
    unsigned u = in[i];
    size_t len = EncodedLength(in[i]);
    if (out == nullptr) {
      n += len;
      continue;
    }
    if (len > capacity - n) break;
    if (len == 1) {
      out[n++] = static_cast<char>(u);
    } else if (len == 2) {
      out[n++] = static_cast<char>(0xC0 | (u >> 6));
      out[n++] = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out[n++] = static_cast<char>(0xE0 | (u >> 12));
      out[n++] = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out[n++] = static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return n;
}

long Utf8ToUtf16(const char* in, size_t len, char16_t* out) {
  size_t n = 0;
  size_t i = 0;
  while (i < len) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    size_t extra;
    unsigned value;
    unsigned minimum;
    if (b < 0x80) {
      out[n++] = b;
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1, value = b & 0x1F, minimum = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2, value = b & 0x0F, minimum = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3, value = b & 0x07, minimum = 0x10000;
    } else {
      out[n++] = kReplacement;  // stray continuation or impossible lead
      ++i;
      continue;
    }
    size_t k = 1;
    for (; k <= extra && i + k < len; ++k) {
      unsigned char c = static_cast<unsigned char>(in[i + k]);
      if (!IsContinuation(c)) break;
      value = value << 6 | (c & 0x3F);
    }
    if (k <= extra && i + k >= len) return -1;  // cut off by the end
    i += k;
    if (k <= extra || value < minimum || value > 0x10FFFF) {
      out[n++] = kReplacement;
    } else if (value >= 0x10000) {
      value -= 0x10000;
      out[n++] = static_cast<char16_t>(0xD800 | (value >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 | (value & 0x3FF));
    } else {
      out[n++] = static_cast<char16_t>(value);
    }
  }
  return static_cast<long>(n);
}
