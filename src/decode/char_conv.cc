// JIS X 0208 / Shift_JIS arithmetic, the full/half-width tables and the
// word-boundary classes.

#include "decode/char_conv.h"

namespace {

// Symbols of lead byte 0x81 that have an ASCII form, both directions.
struct WidthPair {
  uint8_t trail;
  char ascii;
};

constexpr WidthPair kSymbols[] = {
    {0x40, ' '}, {0x43, ','}, {0x44, '.'},  {0x46, ':'}, {0x47, ';'},
    {0x48, '?'}, {0x49, '!'}, {0x4F, '^'},  {0x50, '~'}, {0x51, '_'},
    {0x5E, '/'}, {0x62, '|'}, {0x65, '`'},  {0x66, '\''}, {0x68, '"'},
    {0x69, '('}, {0x6A, ')'}, {0x6D, '['},  {0x6E, ']'}, {0x6F, '{'},
    {0x70, '}'}, {0x7B, '+'}, {0x7C, '-'},  {0x81, '='}, {0x83, '<'},
    {0x84, '>'}, {0x8F, '\\'}, {0x90, '$'}, {0x93, '%'}, {0x94, '#'},
    {0x95, '&'}, {0x96, '*'}, {0x97, '@'},
};

bool InRange(unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; }

}  // namespace

uint16_t JisToSjis(uint16_t code) {
  unsigned x = (code - 0x2121u) & 0xFFFF;
  x += (x & 0x100) ? 0x9E : 0x40;
  if ((x & 0xFF) >= 0x7F) ++x;
  unsigned value = ((((x >> 8) & 0xFF) / 2 + 0x81) << 8) | (x & 0xFF);
  if (value >= 0xA000) value += 0x4000;
  return static_cast<uint16_t>(value);
}

uint16_t SjisToJis(uint16_t value) {
  unsigned v = value;
  if (v >= 0xE000) v -= 0x4000;
  unsigned high = (2 * ((v >> 8) + 0x7F)) & 0xFF;
  unsigned trail = v & 0xFF;
  if (trail >= 0x80) --trail;
  unsigned x = (high << 8) + trail;
  if (trail >= 0x9E) {
    x += 0x62;
  } else {
    x -= 0x40;
  }
  return static_cast<uint16_t>(x + 0x2121);
}

size_t JisStringToSjis(char* out, const char* in, size_t len) {
  size_t n = 0;
  for (size_t i = 0; i + 1 < len; i += 2) {
    unsigned char high = static_cast<unsigned char>(in[i]);
    if (high == 0) break;
    unsigned char low = static_cast<unsigned char>(in[i + 1]);
    if (low == 0) break;
    uint16_t s = JisToSjis(static_cast<uint16_t>(high << 8 | low));
    out[n++] = static_cast<char>(s >> 8);
    out[n++] = static_cast<char>(s & 0xFF);
  }
  out[n] = '\0';
  return n;
}

size_t SjisStringToJis(char* out, const char* in, size_t len) {
  size_t n = 0;
  size_t i = 0;
  while (i < len && in[i] != '\0') {
    unsigned char lead = static_cast<unsigned char>(in[i]);
    if (!IsSjisLead(lead)) {
      out[n++] = in[i++];
      continue;
    }
    if (i + 1 >= len || in[i + 1] == '\0') break;
    uint16_t j = SjisToJis(static_cast<uint16_t>(
        lead << 8 | static_cast<unsigned char>(in[i + 1])));
    out[n++] = static_cast<char>(j >> 8);
    out[n++] = static_cast<char>(j & 0xFF);
    i += 2;
  }
  out[n] = '\0';
  return n;
}

uint16_t ToHalfWidth(uint16_t value) {
  unsigned lead = value >> 8;
  unsigned trail = value & 0xFF;
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return value;
  if (lead == 0x81) {
    for (const WidthPair& p : kSymbols) {
      if (p.trail == trail) return static_cast<uint16_t>(p.ascii);
    }
  } else if (lead == 0x82) {
    if (InRange(trail, 0x4F, 0x58) || InRange(trail, 0x60, 0x79)) {
      return static_cast<uint16_t>(trail - 0x1F);
    }
    if (InRange(trail, 0x81, 0x9A)) return static_cast<uint16_t>(trail - 0x20);
  }
  return value;
}

uint16_t ToFullWidth(uint16_t byte) {
  if (InRange(byte, '0', '9') || InRange(byte, 'A', 'Z')) {
    return static_cast<uint16_t>(0x8200 + byte + 0x1F);
  }
  if (InRange(byte, 'a', 'z')) return static_cast<uint16_t>(0x8200 + byte + 0x20);
  for (const WidthPair& p : kSymbols) {
    if (static_cast<unsigned char>(p.ascii) == byte) {
      return static_cast<uint16_t>(0x8100 | p.trail);
    }
  }
  return byte;
}

int CharClass(const char* text) {
  unsigned char b = static_cast<unsigned char>(text[0]);
  if (!IsSjisLead(b) || text[1] == '\0') {
    if (b == ' ') return kCharClassSpace;
    if (InRange(b, '0', '9') || InRange(b, 'A', 'Z') || InRange(b, 'a', 'z') ||
        b == '_') {
      return kCharClassAlnum;
    }
    return kCharClassSingleByte;
  }
  unsigned v = b << 8 | static_cast<unsigned char>(text[1]);
  if (v == 0x8140) return kCharClassIdeographicSpace;
  if (InRange(v, 0x829F, 0x82F1)) return kCharClassHiragana;
  if (v == 0x8145 || v == 0x815B || InRange(v, 0x8340, 0x8396)) {
    return kCharClassKatakana;
  }
  if (InRange(v, 0x824F, 0x8258) || InRange(v, 0x8260, 0x8279) ||
      InRange(v, 0x8281, 0x829A)) {
    return kCharClassAlnum;
  }
  if (InRange(v, 0x889F, 0x9FFC) || InRange(v, 0xE040, 0xEFFC) ||
      v == 0x8158 || v == 0x81AC) {
    return kCharClassKanji;
  }
  if (InRange(v, 0x8141, 0x8144)) return kCharClassPunctuation;
  if (InRange(v, 0x8169, 0x817A)) return kCharClassBracket;
  return kCharClassOther;
}
