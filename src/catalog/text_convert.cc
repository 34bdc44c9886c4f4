// See text_convert.h.
#include "catalog/text_convert.h"

#include "decode/utf8.h"

std::u16string WideFromUtf8(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  long n = Utf8ToUtf16(text.data(), text.size(), out.data());
  if (n < 0) {
    // Only the last sequence can be cut off: decode up to its lead byte.
    size_t lead = text.size();
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead > 0) --lead;
    n = Utf8ToUtf16(text.data(), lead, out.data());
    if (n < 0) n = 0;
    out[static_cast<size_t>(n++)] = 0xFFFD;
  }
  out.resize(static_cast<size_t>(n));
  return out;
}

std::string Utf8FromWide(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  out.resize(Utf16ToUtf8(text.data(), text.size(), out.data(), out.size()));
  return out;
}

std::u16string CutUnits(std::u16string_view text, size_t units) {
  if (text.size() <= units) return std::u16string(text);
  size_t n = units;
  if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  return std::u16string(text.substr(0, n));
}

std::string Cp932Cut(std::u16string_view text, size_t bytes) {
  std::string out = Utf16ToCp932(text);
  if (out.size() <= bytes) return out;
  // Walk whole characters: a lead byte (0x81-0x9F, 0xE0-0xFC) takes two.
  size_t end = 0;
  while (end < out.size()) {
    unsigned char c = static_cast<unsigned char>(out[end]);
    size_t len = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
    if (end + len > bytes) break;
    end += len;
  }
  out.resize(end);
  return out;
}

std::string EscapeField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}
