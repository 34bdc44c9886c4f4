// See key_normalise.h.
#include "reader/key_normalise.h"

#include <algorithm>
#include <iterator>

#include "decode/char_conv.h"

namespace {

constexpr unsigned kLongVowel = 0x815B;       // ー
constexpr unsigned kMarks[] = {0x8166, 0x817C, 0x8145, 0x815D};  // ’ － ・ ‐
constexpr unsigned kVowelKana[] = {0x82A0, 0x82A2, 0x82A4, 0x82A6, 0x82A8};  // あいうえお

struct Substitution {
  unsigned from, to;
};

struct SubstitutionTable {
  uint32_t bits;
  const Substitution* rows;
  size_t count;
};

// っ ヴ ッ
constexpr Substitution kSokuon[] = {{0x82C1, 0x82C2}, {0x8394, 0x82A4}, {0x8362, 0x8363}};
// ゃ ゅ ょ ゎ ャ ュ ョ ヮ ヵ ヶ
constexpr Substitution kSmallY[] = {{0x82E1, 0x82E2}, {0x82E3, 0x82E4}, {0x82E5, 0x82E6}, {0x82EC, 0x82ED},
                                    {0x8383, 0x8384}, {0x8385, 0x8386}, {0x8387, 0x8388}, {0x838E, 0x838F},
                                    {0x8395, 0x834A}, {0x8396, 0x8350}};
// ぁ ぃ ぅ ぇ ぉ ァ ィ ゥ ェ ォ
constexpr Substitution kSmallVowel[] = {{0x829F, 0x82A0}, {0x82A1, 0x82A2}, {0x82A3, 0x82A4}, {0x82A5, 0x82A6},
                                        {0x82A7, 0x82A8}, {0x8340, 0x8341}, {0x8342, 0x8343}, {0x8344, 0x8345},
                                        {0x8346, 0x8347}, {0x8348, 0x8349}};
// が ぎ ぐ げ ご ざ じ ず ぜ ぞ だ ぢ づ で ど ば び ぶ べ ぼ
constexpr Substitution kVoiced[] = {
    {0x82AA, 0x82A9}, {0x82AC, 0x82AB}, {0x82AE, 0x82AD}, {0x82B0, 0x82AF}, {0x82B2, 0x82B1},
    {0x82B4, 0x82B3}, {0x82B6, 0x82B5}, {0x82B8, 0x82B7}, {0x82BA, 0x82B9}, {0x82BC, 0x82BB},
    {0x82BE, 0x82BD}, {0x82C0, 0x82BF}, {0x82C3, 0x82C2}, {0x82C5, 0x82C4}, {0x82C7, 0x82C6},
    {0x82CE, 0x82CD}, {0x82D1, 0x82D0}, {0x82D4, 0x82D3}, {0x82D7, 0x82D6}, {0x82DA, 0x82D9}};
// ぱ ぴ ぷ ぺ ぽ
constexpr Substitution kSemiVoiced[] = {
    {0x82CF, 0x82CD}, {0x82D2, 0x82D0}, {0x82D5, 0x82D3}, {0x82D8, 0x82D6}, {0x82DB, 0x82D9}};

constexpr SubstitutionTable kTables[] = {
    {0xC000, kSokuon, std::size(kSokuon)},         {0x3000, kSmallY, std::size(kSmallY)},
    {0xC00, kSmallVowel, std::size(kSmallVowel)}, {0x300, kVoiced, std::size(kVoiced)},
    {0xC0, kSemiVoiced, std::size(kSemiVoiced)},
};

// The kana of each vowel row: a, i, u, e, o.
constexpr unsigned kRowA[] = {0x82A0, 0x82A9, 0x82B3, 0x82BD, 0x82C8, 0x82CD, 0x82DC, 0x82E2, 0x82E7, 0x82ED};
constexpr unsigned kRowI[] = {0x82A2, 0x82AB, 0x82B5, 0x82BF, 0x82C9, 0x82D0, 0x82DD, 0x82E8};
constexpr unsigned kRowU[] = {0x82A4, 0x82AD, 0x82B7, 0x82C2, 0x82CA, 0x82D3, 0x82DE, 0x82E4, 0x82E9};
constexpr unsigned kRowE[] = {0x82A6, 0x82AF, 0x82B9, 0x82C4, 0x82CB, 0x82D6, 0x82DF, 0x82EA};
constexpr unsigned kRowO[] = {0x82A8, 0x82B1, 0x82BB, 0x82C6, 0x82CC, 0x82D9, 0x82E0, 0x82E6, 0x82EB, 0x82F0};

template <size_t N>
bool In(const unsigned (&row)[N], unsigned c) {
  return std::find(std::begin(row), std::end(row), c) != std::end(row);
}

// Index into kVowelKana of the vowel a kana ends in, or -1.
int VowelOf(unsigned c) {
  if (In(kRowA, c)) return 0;
  if (In(kRowI, c)) return 1;
  if (In(kRowU, c)) return 2;
  if (In(kRowE, c)) return 3;
  if (In(kRowO, c)) return 4;
  return -1;
}

unsigned KatakanaToHiragana(unsigned c) {
  if (c >= 0x8340 && c <= 0x837E) return c - 0xA1;
  if (c >= 0x8380 && c <= 0x8393) return c - 0xA2;
  if (c == 0x8395) return 0x82A9;  // ヵ -> か
  if (c == 0x8396) return 0x82AF;  // ヶ -> け
  return c;
}

unsigned Substitute(unsigned c, uint32_t style) {
  for (const SubstitutionTable& table : kTables) {
    if (style & table.bits) continue;
    for (size_t i = 0; i < table.count; ++i)
      if (table.rows[i].from == c) return table.rows[i].to;
  }
  return c;
}

// Reads one character at `*i`; false at the end (a NUL or a lone lead byte).
bool NextChar(std::string_view s, size_t* i, unsigned* c) {
  if (*i >= s.size()) return false;
  uint8_t b = static_cast<uint8_t>(s[*i]);
  if (b == 0) return false;
  if (IsSjisLead(b)) {
    if (*i + 1 >= s.size() || s[*i + 1] == 0) return false;
    *c = static_cast<unsigned>(b) << 8 | static_cast<uint8_t>(s[*i + 1]);
    *i += 2;
    return true;
  }
  *c = b;
  *i += 1;
  return true;
}

void Emit(std::string* out, unsigned c) {
  if (c > 0xFF) out->push_back(static_cast<char>(c >> 8));
  out->push_back(static_cast<char>(c & 0xFF));
}

int HexDigit(unsigned c) {
  if (c >= 0x824F && c <= 0x8258) return static_cast<int>(c - 0x824F);
  if (c >= 0x8260 && c <= 0x8265) return static_cast<int>(c - 0x8260 + 10);
  if (c >= 0x8281 && c <= 0x8286) return static_cast<int>(c - 0x8281 + 10);
  return -1;
}

// The ＆Ｇxxxx； form at `at`: true with the code and the bytes it takes.
bool GaijiReference(std::string_view s, size_t at, uint16_t* code, size_t* length) {
  size_t i = at;
  unsigned c[7];
  for (unsigned& x : c)
    if (!NextChar(s, &i, &x)) return false;
  if (c[0] != 0x8195 || c[6] != 0x8147) return false;  // ＆ ；
  bool g = c[1] == 0x8266 || c[1] == 0x8287;           // Ｇ ｇ
  bool hz = c[1] == 0x8267 || c[1] == 0x8288 || c[1] == 0x8279 || c[1] == 0x829A;
  if (!g && !hz) return false;
  unsigned value = 0;
  for (int k = 2; k < 6; ++k) {
    int d = HexDigit(c[k]);
    if (d < 0) return false;
    value = value << 4 | static_cast<unsigned>(d);
  }
  *code = static_cast<uint16_t>(g ? value & 0x7FFF : value);
  *length = i - at;
  return true;
}

}  // namespace

std::string NormaliseKey(std::string_view sjis, uint32_t style) {
  std::string out;
  int vowel = -1;
  size_t i = 0;
  unsigned c = 0;
  while (NextChar(sjis, &i, &c)) {
    if (c < 0x20) {
      out.push_back(static_cast<char>(c));
      vowel = -1;
      continue;
    }
    if (c <= 0xFF) {
      if (!(style & 0x300000) && c >= 'a' && c <= 'z') c -= 'a' - 'A';
      c = ToFullWidth(static_cast<uint16_t>(c));
    } else if (!(style & 0x300000)) {
      c = UpperWideLetter(c);
    }
    if (c >= 0xEB40) {
      vowel = -1;
      continue;
    }
    if (!(style & 0xC00000)) c = KatakanaToHiragana(c);
    if (!(style & 0xC0000) && In(kMarks, c)) continue;
    if (c == kLongVowel && vowel >= 0) {
      uint32_t mode = (style >> 16) & 3;
      if (mode == 0) {
        c = kVowelKana[vowel];
      } else if (mode == 2) {
        continue;
      }
    }
    c = Substitute(c, style);
    vowel = VowelOf(c);
    Emit(&out, c);
  }
  return out;
}

std::string KeyToJis(std::string_view sjis) {
  std::string out;
  size_t i = 0;
  while (i < sjis.size()) {
    uint16_t code = 0;
    size_t length = 0;
    if (GaijiReference(sjis, i, &code, &length)) {
      Emit(&out, 0x10000 | code);  // always two bytes
      i += length;
      continue;
    }
    unsigned c = 0;
    if (!NextChar(sjis, &i, &c)) break;
    if (c > 0xFF) c = SjisToJis(static_cast<uint16_t>(c));
    else if (c == 0) break;
    else {
      out.push_back(static_cast<char>(c));
      continue;
    }
    out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

std::string ReverseSjis(std::string_view sjis) {
  std::string out;
  size_t i = 0, start = 0;
  unsigned c = 0;
  std::string_view rest = sjis;
  while (NextChar(rest, &i, &c)) {
    out.insert(0, sjis.substr(start, i - start));
    start = i;
  }
  return out;
}

std::string ReverseJis(std::string_view jis) {
  std::string out;
  size_t n = jis.size() / 2 * 2;
  for (size_t i = n; i >= 2; i -= 2) out.append(jis.substr(i - 2, 2));
  if (jis.size() % 2) out.push_back(jis.back());
  return out;
}

std::string SingleByteKey(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size());
  for (size_t i = 0; i < sjis.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(sjis[i]);
    if (IsSjisLead(b) && i + 1 < sjis.size()) {
      unsigned c = UpperWideLetter(static_cast<unsigned>(b) << 8 | static_cast<uint8_t>(sjis[++i]));
      if (c >= 0x8260 && c <= 0x8279) {
        out.push_back(static_cast<char>('A' + (c - 0x8260)));
      } else {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
      }
    } else {
      out.push_back(static_cast<char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b));
    }
  }
  return out;
}

bool IsAllKana(std::string_view sjis) {
  size_t i = 0;
  unsigned c = 0;
  bool kana = false;
  while (NextChar(sjis, &i, &c)) {
    if (c == 0x8145 || c == kLongVowel || c == 0x815D || c == 0x817C) continue;
    if ((c >= 0x829F && c <= 0x82F1) || (c >= 0x8340 && c <= 0x8396)) {
      kana = true;
      continue;
    }
    return false;
  }
  return kana;
}

size_t SjisLength(std::string_view sjis) {
  size_t i = 0, n = 0;
  unsigned c = 0;
  while (NextChar(sjis, &i, &c)) ++n;
  return n;
}

std::string SjisPrefix(std::string_view sjis, size_t n) {
  size_t i = 0;
  unsigned c = 0;
  for (size_t k = 0; k < n && NextChar(sjis, &i, &c); ++k) {
  }
  return std::string(sjis.substr(0, i));
}

int CompareKey(std::string_view key, std::string_view entry, KeyCompare mode) {
  size_t common = std::min(key.size(), entry.size());
  for (size_t i = 0; i < common; ++i) {
    int d = static_cast<uint8_t>(key[i]) - static_cast<uint8_t>(entry[i]);
    if (d != 0) return d;
  }
  if (mode == KeyCompare::kDescent) return 0;
  int diff = static_cast<int>(key.size()) - static_cast<int>(entry.size());
  if (diff > 0) return diff;
  return mode == KeyCompare::kExact ? diff : 0;
}
