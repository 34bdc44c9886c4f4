#include "decode/markup_convert.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "decode/char_conv.h"
#include "decode/cp932.h"
#include "decode/markup.h"

namespace {

constexpr size_t kLongestEntity = 7;  // "&h%04X;"

bool IsSjisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

bool IsAddressByte(unsigned char b) {
  if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) return true;
  return b != 0 && std::strchr("%-./:_~", b) != nullptr;
}

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

class Converter {
 public:
  Converter(const MarkupBook& book, const unsigned char* in, size_t end, char16_t* out, size_t limit)
      : m_book(book), m_in(in), m_end(end), m_out(out), m_limit(limit) {}

  size_t Run();

 private:
  bool Room(size_t n) const { return n <= m_limit - m_count; }
  bool PutAscii(std::string_view s);
  bool Tag();
  bool Entity();
  bool ResolveGaiji();
  bool Text();
  bool StartsAddress(size_t at) const;
  size_t CharLength(size_t at) const;
  size_t ConvertRun(size_t start, size_t stop, size_t chars);

  const MarkupBook& m_book;
  const unsigned char* m_in;
  size_t m_end;
  char16_t* m_out;
  size_t m_limit;
  size_t m_pos = 0;
  size_t m_count = 0;
  bool m_inAddress = false;
  bool m_urlOpen = false;  // "<URL>" was written for the current address
};

size_t Converter::Run() {
  while (m_pos < m_end) {
    const unsigned char b = m_in[m_pos];
    if (m_inAddress && !IsAddressByte(b)) {
      m_inAddress = false;
      if (m_urlOpen) {
        m_urlOpen = false;
        if (!PutAscii(kTagUrlEnd)) break;
      }
    }
    bool more;
    if (b == '<') {
      more = Tag();
    } else if (b == '&') {
      more = Entity();
    } else {
      if (!m_inAddress && StartsAddress(m_pos)) {
        m_inAddress = true;
        m_urlOpen = PutAscii(kTagUrl);
      }
      more = Text();
    }
    if (!more) break;
  }
  return m_count;
}

bool Converter::PutAscii(std::string_view s) {
  if (!Room(s.size())) return false;
  for (char c : s) m_out[m_count++] = static_cast<char16_t>(c);
  return true;
}

bool Converter::StartsAddress(size_t at) const {
  if (m_book.singleByte || m_in[at] != 'h') return false;
  std::string_view rest(reinterpret_cast<const char*>(m_in + at), m_end - at);
  return rest.starts_with("http:") || rest.starts_with("https:");
}

size_t Converter::CharLength(size_t at) const {
  if (m_book.singleByte || !IsSjisLead(m_in[at])) return 1;
  return at + 1 < m_end && IsSjisTrail(m_in[at + 1]) ? 2 : 1;
}

// Converts [start, stop), which holds `chars` characters, one unit each,
// writing as many as fit; returns the number written.
size_t Converter::ConvertRun(size_t start, size_t stop, size_t chars) {
  const size_t room = m_limit - m_count;
  if (m_book.singleByte) {
    const size_t n = std::min(chars, room);
    for (size_t i = 0; i < n; ++i) m_out[m_count++] = m_in[start + i];
    return n;
  }
  const char* bytes = reinterpret_cast<const char*>(m_in);
  std::u16string units = Cp932ToUtf16(std::string_view(bytes + start, stop - start));
  if (units.size() != chars) {
    // Some bytes did not pair up as expected: convert character by character
    // so that each still gives exactly one unit.
    units.clear();
    for (size_t at = start; at < stop;) {
      const size_t n = CharLength(at);
      std::u16string one = Cp932ToUtf16(std::string_view(bytes + at, n));
      units.push_back(one.empty() ? u'\uFFFD' : one[0]);
      at += n;
    }
  }
  const size_t n = std::min(units.size(), room);
  std::memcpy(m_out + m_count, units.data(), n * sizeof(char16_t));
  m_count += n;
  return n;
}

// A tag is copied whole or ends the conversion.
bool Converter::Tag() {
  const void* close = std::memchr(m_in + m_pos, '>', m_end - m_pos);
  if (close == nullptr) return false;
  const size_t stop = static_cast<const unsigned char*>(close) - m_in + 1;
  size_t chars = 0;
  for (size_t at = m_pos; at < stop; at += CharLength(at)) ++chars;
  if (!Room(chars)) return false;
  ConvertRun(m_pos, stop, chars);
  m_pos = stop;
  return true;
}

bool Converter::Entity() {
  if (ResolveGaiji()) return true;
  // Anything else starting with "&" ("&amp;", an unknown gaiji) stays as it
  // is, copied whole; a lone "&" is one character.
  size_t stop = m_pos + 1;
  for (size_t at = m_pos + 1; at < m_end && at < m_pos + kLongestEntity; ++at) {
    if (m_in[at] == ';') {
      stop = at + 1;
      break;
    }
    if (m_in[at] >= 0x80 || m_in[at] == '<' || m_in[at] == '&') break;
  }
  if (!Room(stop - m_pos)) return false;
  ConvertRun(m_pos, stop, stop - m_pos);
  m_pos = stop;
  return true;
}

// Replaces a gaiji entity that the map knows; false when it does not.
bool Converter::ResolveGaiji() {
  if (m_book.gaijiMap == nullptr || m_end - m_pos < kLongestEntity || m_in[m_pos + 6] != ';') return false;
  int table;
  switch (m_in[m_pos + 1]) {
    case 'h':
      table = kGaijiHalfWidth;
      break;
    case 'z':
      table = kGaijiFullWidth;
      break;
    case 'c':
      if (m_book.singleByte) return false;
      table = kGaijiCompound;
      break;
    default:
      return false;
  }
  uint32_t code = 0;
  for (size_t i = 2; i < 6; ++i) {
    const int d = HexDigit(m_in[m_pos + i]);
    if (d < 0) return false;
    code = (code << 4) | static_cast<uint32_t>(d);
  }
  uint16_t value = 0;
  if (!CGaijiMap::LookUp(m_book.gaijiMap, table, static_cast<uint16_t>(code), &value, nullptr, 0) || value == 0)
    return false;
  if (value != kGaijiRemove) {
    if (!Room(1)) return false;
    m_out[m_count++] = value;
  }
  m_pos += kLongestEntity;
  return true;
}

// A run of ordinary characters up to the next tag, entity or address edge.
bool Converter::Text() {
  const size_t start = m_pos;
  size_t chars = 0;
  while (m_pos < m_end) {
    const unsigned char b = m_in[m_pos];
    if (b == '<' || b == '&') break;
    if (chars > 0 && (m_inAddress ? !IsAddressByte(b) : StartsAddress(m_pos))) break;
    m_pos += CharLength(m_pos);
    ++chars;
  }
  return ConvertRun(start, m_pos, chars) == chars;
}

}  // namespace

size_t ConvertMarkup(const MarkupBook& book, const char* in, size_t length, char16_t* out, size_t capacity,
                     size_t* outCount) {
  size_t count = 0;
  if (capacity > 0) {
    const void* nul = in != nullptr ? std::memchr(in, 0, length) : nullptr;
    const size_t end = in == nullptr ? 0 : nul != nullptr ? static_cast<const char*>(nul) - in : length;
    Converter converter(book, reinterpret_cast<const unsigned char*>(in), end, out, capacity - 1);
    count = converter.Run();
    out[count] = u'\0';
  }
  if (outCount != nullptr) *outCount = count;
  return count;
}
