// Key folding by index style. The rule tables are written as UTF-8 text and
// turned into code page 932 values once, which keeps them readable.
#include "bookwriter/key_style.h"

#include <iconv.h>

#include <algorithm>
#include <utility>

namespace {

bool IsLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// One converter per thread, opened once: whole random books convert
// millions of words.
struct Converter {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
};

bool ToCp932(const std::string& utf8, std::string* out) {
  thread_local Converter conv;
  iconv_t cd = conv.cd;
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string buf(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* o = buf.data();
  size_t outLeft = buf.size();
  size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
  if (r == static_cast<size_t>(-1) || inLeft != 0) return false;
  buf.resize(buf.size() - outLeft);
  *out = std::move(buf);
  return true;
}

// Code page 932 value of one UTF-8 character (tables only).
uint16_t Ch(const char* utf8) {
  SjisChars c;
  Utf8ToSjisChars(utf8, &c);
  return c.size() == 1 ? c[0] : 0;
}

// Every character a folding rule touches lies in 0x8100-0x83FF (symbols,
// hiragana, katakana); the rules are flat tables over that span, 0 meaning
// "no rule", because whole books fold millions of characters.
constexpr uint16_t kSpanBase = 0x8100;
constexpr size_t kSpan = 0x300;
using RuleTable = std::array<uint16_t, kSpan>;

bool InSpan(uint16_t c) { return c >= kSpanBase && c < kSpanBase + kSpan; }

// Pairs "from to from to ..." given as one UTF-8 string of characters.
RuleTable PairTable(const char* utf8) {
  SjisChars c;
  Utf8ToSjisChars(utf8, &c);
  RuleTable t{};
  for (size_t i = 0; i + 1 < c.size(); i += 2) {
    if (InSpan(c[i])) t[c[i] - kSpanBase] = c[i + 1];
  }
  return t;
}

struct Tables {
  uint16_t longVowel = Ch("ー");
  std::array<uint16_t, 4> marks{Ch("’"), Ch("－"), Ch("・"), Ch("‐")};
  uint16_t ideographicSpace = Ch("　");
  uint16_t smallKa = Ch("ヵ");
  uint16_t smallKe = Ch("ヶ");
  uint16_t ka = Ch("か");
  uint16_t ke = Ch("け");
  // Applied in this order unless the style bit of each is set.
  std::array<std::pair<uint32_t, RuleTable>, 5> steps{{
      {0xC000, PairTable("っつヴうッツ")},
      {0x3000, PairTable("ゃやゅゆょよゎわャヤュユョヨヮワヵカヶケ")},
      {0xC00, PairTable("ぁあぃいぅうぇえぉおァアィイゥウェエォオ")},
      {0x300, PairTable("がかぎきぐくげけごこざさじしずすぜせぞそだたぢちづつでてどとばはびひぶふべへぼほ")},
      {0xC0, PairTable("ぱはぴひぷふぺへぽほ")},
  }};
  RuleTable vowelOf{};  // kana -> あいうえお
  Tables() {
    const char* rows[5] = {"あかさたなはまやらわ", "いきしちにひみり", "うくすつぬふむゆる",
                           "えけせてねへめれ", "おこそとのほもよろを"};
    SjisChars vowels;
    Utf8ToSjisChars("あいうえお", &vowels);
    for (int v = 0; v < 5; ++v) {
      SjisChars row;
      Utf8ToSjisChars(rows[v], &row);
      for (uint16_t c : row) vowelOf[c - kSpanBase] = vowels[static_cast<size_t>(v)];
    }
  }
};

const Tables& T() {
  static const Tables t;
  return t;
}

bool IsMark(uint16_t c) {
  const auto& m = T().marks;
  return std::find(m.begin(), m.end(), c) != m.end();
}

uint16_t Substitute(uint16_t c, uint32_t s) {
  if (!InSpan(c)) return c;
  for (const auto& [bits, table] : T().steps) {
    if (s & bits) continue;
    if (uint16_t to = table[c - kSpanBase]) return to;
  }
  return c;
}

uint16_t VowelOf(uint16_t c) { return InSpan(c) ? T().vowelOf[c - kSpanBase] : 0; }

uint16_t KatakanaToHiragana(uint16_t c) {
  if (c >= 0x8340 && c <= 0x837E) return static_cast<uint16_t>(c - 0xA1);
  if (c >= 0x8380 && c <= 0x8393) return static_cast<uint16_t>(c - 0xA2);
  if (c == T().smallKa) return T().ka;
  if (c == T().smallKe) return T().ke;
  return c;
}

// Full-width lower-case letters fold to upper case as ASCII ones do.
uint16_t UpperWide(uint16_t c) { return c >= 0x8281 && c <= 0x829A ? static_cast<uint16_t>(c - 0x21) : c; }

}  // namespace

bool Utf8ToSjisChars(const std::string& utf8, SjisChars* out) {
  std::string bytes;
  if (!ToCp932(utf8, &bytes)) return false;
  out->clear();
  for (size_t i = 0; i < bytes.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(bytes[i]);
    if (IsLead(b) && i + 1 < bytes.size()) {
      out->push_back(static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(bytes[++i])));
    } else {
      out->push_back(b);
    }
  }
  return true;
}

uint16_t SjisCharToJis(uint16_t sjis) {
  int hi = sjis >> 8, lo = sjis & 0xFF;
  if (hi >= 0xE0) hi -= 0x40;
  int row = (hi - 0x81) * 2 + 0x21;
  if (lo >= 0x9F) {
    ++row;
    lo = lo - 0x9F + 0x21;
  } else {
    if (lo >= 0x80) --lo;
    lo = lo - 0x40 + 0x21;
  }
  return static_cast<uint16_t>(row << 8 | lo);
}

uint16_t WidenChar(uint16_t c) {
  if (c < 0x20 || c > 0x7E) return c;
  static const std::array<uint16_t, 0x5F> wide = [] {
    std::array<uint16_t, 0x5F> t{};
    for (int d = 0; d < 10; ++d) t['0' + d - 0x20] = static_cast<uint16_t>(0x824F + d);
    for (int l = 0; l < 26; ++l) {
      t['A' + l - 0x20] = static_cast<uint16_t>(0x8260 + l);
      t['a' + l - 0x20] = static_cast<uint16_t>(0x8281 + l);
    }
    const std::pair<char, uint16_t> symbols[] = {
        {' ', 0x8140}, {',', 0x8143}, {'.', 0x8144}, {':', 0x8146}, {';', 0x8147},
        {'?', 0x8148}, {'!', 0x8149}, {'^', 0x814F}, {'~', 0x8150}, {'_', 0x8151},
        {'/', 0x815E}, {'|', 0x8162}, {'`', 0x8165}, {'\'', 0x8166}, {'"', 0x8168},
        {'(', 0x8169}, {')', 0x816A}, {'[', 0x816D}, {']', 0x816E}, {'{', 0x816F},
        {'}', 0x8170}, {'+', 0x817B}, {'-', 0x817C}, {'=', 0x8181}, {'<', 0x8183},
        {'>', 0x8184}, {'\\', 0x818F}, {'$', 0x8190}, {'%', 0x8193}, {'#', 0x8194},
        {'&', 0x8195}, {'*', 0x8196}, {'@', 0x8197}};
    for (const auto& [ch, code] : symbols) t[static_cast<size_t>(ch - 0x20)] = code;
    return t;
  }();
  return wide[c - 0x20];
}

uint32_t EffectiveStyle(uint8_t id, uint8_t mode, const std::array<uint8_t, 4>& style) {
  if (mode == 1 || style[0] == 1) {
    return (id == 0x30 || id == 0x70 || id == 0x90) ? 0 : 0x415540;
  }
  uint8_t s0 = style[1];
  switch (id) {
    case 0x40: case 0x50: case 0x60: case 0x61: case 0x91: case 0x92:
      s0 = static_cast<uint8_t>(s0 & ~0x0C);
      break;
    default:
      break;
  }
  return static_cast<uint32_t>(s0) << 16 | static_cast<uint32_t>(style[2]) << 8 | style[3];
}

bool IsKanaIndexId(uint8_t id) { return id == 0x30 || id == 0x70 || id == 0x90; }

bool IsEndwordIndexId(uint8_t id) { return id >= 0x70 && id <= 0x72; }

int LeafClass(uint8_t id) {
  switch (id) {
    case 0x30: case 0x40: case 0x50: case 0x60: return 1;
    case 0x61: case 0x70: case 0x71: case 0x72: case 0x90: case 0x91: case 0x92: return 2;
    case 0x80: case 0x81: return 3;
    case 0xA0: case 0xA1: return 4;
    default: return 0;
  }
}

SjisChars RawForm(const SjisChars& word, uint32_t style) {
  SjisChars out;
  for (uint16_t c : word) {
    if (c < 0x100 && c >= 'a' && c <= 'z') c = static_cast<uint16_t>(c - 0x20);
    c = UpperWide(WidenChar(c));
    if (c == T().ideographicSpace) continue;
    if (!(style & 0xC0000) && IsMark(c)) continue;
    out.push_back(c);
  }
  return out;
}

SjisChars FoldForm(const SjisChars& raw, uint32_t s) {
  SjisChars out;
  uint16_t vowel = 0;
  for (uint16_t c : raw) {
    if (c < 0x100) {
      if (c < 0x20) {
        out.push_back(c);
        vowel = 0;
        continue;
      }
      if (!(s & 0x300000) && c >= 'a' && c <= 'z') c = static_cast<uint16_t>(c - 0x20);
      c = WidenChar(c);
    } else if (!(s & 0x300000)) {
      c = UpperWide(c);
    }
    if (c >= 0xEB40) continue;
    if (!(s & 0xC00000)) c = KatakanaToHiragana(c);
    if (!(s & 0xC0000) && IsMark(c)) continue;
    if (c == T().longVowel && vowel != 0) {
      int mode = (s >> 16) & 3;
      if (mode == 0) {
        out.push_back(vowel);
        continue;
      }
      if (mode == 2) continue;
    }
    c = Substitute(c, s);
    vowel = VowelOf(c);
    out.push_back(c);
  }
  return out;
}

std::string JisKey(const SjisChars& chars) {
  std::string key;
  for (uint16_t c : chars) {
    if (c < 0x100) {
      key.push_back(static_cast<char>(c));
    } else {
      uint16_t j = SjisCharToJis(c);
      key.push_back(static_cast<char>(j >> 8));
      key.push_back(static_cast<char>(j & 0xFF));
    }
  }
  return key;
}

IndexKeys MakeIndexKeys(const SjisChars& word, uint8_t id, uint32_t style) {
  SjisChars raw = RawForm(word, style);
  SjisChars k1 = FoldForm(raw, style);
  SjisChars k2 = IsKanaIndexId(id) ? FoldForm(raw, 0x33FFC0) : raw;
  if (IsEndwordIndexId(id)) {
    std::reverse(k1.begin(), k1.end());
    std::reverse(k2.begin(), k2.end());
  }
  return {JisKey(k1), JisKey(k2)};
}
