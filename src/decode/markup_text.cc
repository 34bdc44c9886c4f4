#include "decode/markup_text.h"

#include <cstdint>

#include "decode/cp932.h"
#include "decode/gb2312.h"

namespace {

// The four upper-case hex digits of a gaiji entity, or -1.
int32_t HexCode(std::u16string_view digits) {
  int32_t code = 0;
  for (char16_t c : digits) {
    int v = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
    if (v < 0) return -1;
    code = code * 16 + v;
  }
  return code;
}

// The text of a gaiji entity ("&h", "&z", "&c"), through the map when it
// knows the code.
std::u16string GaijiText(char16_t kind, uint16_t code, const GaijiMapRecord* map) {
  int table = kind == u'h' ? kGaijiHalfWidth : kind == u'z' ? kGaijiFullWidth : kGaijiCompound;
  uint16_t value = 0;
  char text[5] = {0, 0, 0, 0, 0};
  if (CGaijiMap::LookUp(map, table, code, &value, text, 4) == 1) {
    if (value == kGaijiRemove) return u"";
    if (value != 0) return std::u16string(1, static_cast<char16_t>(value));
    if (text[0] != '\0') return Cp932ToUtf16(text);
  }
  return kind == u'h' ? u"_" : u"__";
}

// What the entity at the start of `rest` stands for; `*used` gets its
// length (0: not an entity, the "&" is text).
std::u16string Entity(std::u16string_view rest, const GaijiMapRecord* map, size_t* used) {
  *used = 0;
  for (auto [name, ch] : {std::pair{u"&amp;", u'&'}, std::pair{u"&lt;", u'<'}, std::pair{u"&gt;", u'>'}}) {
    std::u16string_view n(name);
    if (rest.substr(0, n.size()) == n) {
      *used = n.size();
      return std::u16string(1, ch);
    }
  }
  if (rest.size() < 7 || rest[6] != u';') return u"";
  int32_t code = HexCode(rest.substr(2, 4));
  char16_t kind = rest[1];
  if (code < 0) return u"";
  if (kind == u'g') {
    char16_t c = Gb2312ToUtf16(static_cast<uint32_t>(code));
    if (c == 0) return u"";
    *used = 7;
    return std::u16string(1, c);
  }
  if (kind != u'h' && kind != u'z' && kind != u'c') return u"";
  *used = 7;
  return GaijiText(kind, static_cast<uint16_t>(code), map);
}

}  // namespace

std::u16string MarkupToPlainText(std::u16string_view markup, const GaijiMapRecord* map, bool dropReturns) {
  std::u16string out;
  out.reserve(markup.size());
  for (size_t i = 0; i < markup.size();) {
    char16_t c = markup[i];
    if (c == u'<') {
      size_t end = markup.find(u'>', i);
      i = end == std::u16string_view::npos ? markup.size() : end + 1;
    } else if (c == u'&') {
      size_t used = 0;
      std::u16string text = Entity(markup.substr(i), map, &used);
      if (used == 0) {
        out += c;
        ++i;
      } else {
        out += text;
        i += used;
      }
    } else {
      if (c != u'\r' || !dropReturns) out += c;
      ++i;
    }
  }
  return out;
}
