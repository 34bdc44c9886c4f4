// Romaji to kana by table lookup on the pending letters.

#include "decode/romaji.h"

#include <cstring>
#include <string>

namespace {

struct RomajiRow {
  const char* key;
  const char16_t* kana;
};

// In lookup order: the first equal key wins.
constexpr RomajiRow kRomajiTable[] = {
    {"A", u"あ"}, {"I", u"い"}, {"U", u"う"}, {"E", u"え"}, {"O", u"お"},
    {"BA", u"ば"}, {"BI", u"び"}, {"BU", u"ぶ"}, {"BE", u"べ"}, {"BO", u"ぼ"},
    {"BYA", u"びゃ"}, {"BYI", u"びぃ"}, {"BYU", u"びゅ"}, {"BYE", u"びぇ"},
    {"BYO", u"びょ"}, {"CA", u"か"}, {"CU", u"く"}, {"CO", u"こ"}, {"CHA", u"ちゃ"},
    {"CHI", u"ち"}, {"CHU", u"ちゅ"}, {"CHE", u"ちぇ"}, {"CHO", u"ちょ"},
    {"CYA", u"ちゃ"}, {"CYI", u"ちぃ"}, {"CYU", u"ちゅ"}, {"CYE", u"ちぇ"},
    {"CYO", u"ちょ"}, {"DA", u"だ"}, {"DI", u"ぢ"}, {"DU", u"づ"}, {"DE", u"で"},
    {"DO", u"ど"}, {"DHA", u"でゃ"}, {"DHI", u"でぃ"}, {"DHU", u"でゅ"},
    {"DHE", u"でぇ"}, {"DHO", u"でょ"}, {"DYA", u"ぢゃ"}, {"DYI", u"ぢぃ"},
    {"DYU", u"ぢゅ"}, {"DYE", u"ぢぇ"}, {"DYO", u"ぢょ"}, {"FA", u"ふぁ"},
    {"FI", u"ふぃ"}, {"FU", u"ふ"}, {"FE", u"ふぇ"}, {"FO", u"ふぉ"}, {"FYA", u"ふゃ"},
    {"FYI", u"ふぃ"}, {"FYU", u"ふゅ"}, {"FYE", u"ふぇ"}, {"FYO", u"ふょ"},
    {"GA", u"が"}, {"GI", u"ぎ"}, {"GU", u"ぐ"}, {"GE", u"げ"}, {"GO", u"ご"},
    {"GWA", u"ぐゎ"}, {"GWI", u"ぐぃ"}, {"GWU", u"ぐぅ"}, {"GWE", u"ぐぇ"},
    {"GWO", u"ぐぉ"}, {"GYA", u"ぎゃ"}, {"GYI", u"ぎぃ"}, {"GYU", u"ぎゅ"},
    {"GYE", u"ぎぇ"}, {"GYO", u"ぎょ"}, {"HA", u"は"}, {"HI", u"ひ"}, {"HU", u"ふ"},
    {"HE", u"へ"}, {"HO", u"ほ"}, {"HYA", u"ひゃ"}, {"HYI", u"ひぃ"},
    {"HYU", u"ひゅ"}, {"HYE", u"ひぇ"}, {"HYO", u"ひょ"}, {"JA", u"じゃ"},
    {"JI", u"じ"}, {"JU", u"じゅ"}, {"JE", u"じぇ"}, {"JO", u"じょ"}, {"JYA", u"じゃ"},
    {"JYI", u"じぃ"}, {"JYU", u"じゅ"}, {"JYE", u"じぇ"}, {"JYO", u"じょ"},
    {"KA", u"か"}, {"KI", u"き"}, {"KU", u"く"}, {"KE", u"け"}, {"KO", u"こ"},
    {"KWA", u"くゎ"}, {"KWI", u"くぃ"}, {"KWU", u"くぅ"}, {"KWE", u"くぇ"},
    {"KWO", u"くぉ"}, {"KYA", u"きゃ"}, {"KYI", u"きぃ"}, {"KYU", u"きゅ"},
    {"KYE", u"きぇ"}, {"KYO", u"きょ"}, {"LA", u"ら"}, {"LI", u"り"}, {"LU", u"る"},
    {"LE", u"れ"}, {"LO", u"ろ"}, {"LYA", u"りゃ"}, {"LYI", u"りぃ"},
    {"LYU", u"りゅ"}, {"LYE", u"りぇ"}, {"LYO", u"りょ"}, {"MA", u"ま"},
    {"MI", u"み"}, {"MU", u"む"}, {"ME", u"め"}, {"MO", u"も"}, {"MYA", u"みゃ"},
    {"MYI", u"みぃ"}, {"MYU", u"みゅ"}, {"MYE", u"みぇ"}, {"MYO", u"みょ"},
    {"N'", u"ん"}, {"NN", u"ん"}, {"NA", u"な"}, {"NI", u"に"}, {"NU", u"ぬ"},
    {"NE", u"ね"}, {"NO", u"の"}, {"NYA", u"にゃ"}, {"NYI", u"にぃ"},
    {"NYU", u"にゅ"}, {"NYE", u"にぇ"}, {"NYO", u"にょ"}, {"PA", u"ぱ"},
    {"PI", u"ぴ"}, {"PU", u"ぷ"}, {"PE", u"ぺ"}, {"PO", u"ぽ"}, {"PYA", u"ぴゃ"},
    {"PYI", u"ぴぃ"}, {"PYU", u"ぴゅ"}, {"PYE", u"ぴぇ"}, {"PYO", u"ぴょ"},
    {"QA", u"くぁ"}, {"QI", u"くぃ"}, {"QU", u"く"}, {"QE", u"くぇ"}, {"QO", u"くぉ"},
    {"QWA", u"くゎ"}, {"QWI", u"くぃ"}, {"QWU", u"くぅ"}, {"QWE", u"くぇ"},
    {"QWO", u"くぉ"}, {"RA", u"ら"}, {"RI", u"り"}, {"RU", u"る"}, {"RE", u"れ"},
    {"RO", u"ろ"}, {"RYA", u"りゃ"}, {"RYI", u"りぃ"}, {"RYU", u"りゅ"},
    {"RYE", u"りぇ"}, {"RYO", u"りょ"}, {"SA", u"さ"}, {"SI", u"し"}, {"SU", u"す"},
    {"SE", u"せ"}, {"SO", u"そ"}, {"SHA", u"しゃ"}, {"SHI", u"し"}, {"SHU", u"しゅ"},
    {"SHE", u"しぇ"}, {"SHO", u"しょ"}, {"SYA", u"しゃ"}, {"SYI", u"し"},
    {"SYU", u"しゅ"}, {"SYE", u"しぇ"}, {"SYO", u"しょ"}, {"TA", u"た"},
    {"TI", u"ち"}, {"TU", u"つ"}, {"TE", u"て"}, {"TO", u"と"}, {"TYA", u"ちゃ"},
    {"TYI", u"ちぃ"}, {"TYU", u"ちゅ"}, {"TYE", u"ちぇ"}, {"TYO", u"ちょ"},
    {"THA", u"てゃ"}, {"THI", u"てぃ"}, {"THU", u"てゅ"}, {"THE", u"てぇ"},
    {"THO", u"てょ"}, {"TSA", u"つぁ"}, {"TSI", u"つぃ"}, {"TSU", u"つ"},
    {"TSE", u"つぇ"}, {"TSO", u"つぉ"}, {"VA", u"ヴァ"}, {"VI", u"ヴィ"},
    {"VU", u"ヴ"}, {"VE", u"ヴェ"}, {"VO", u"ヴォ"}, {"WA", u"わ"}, {"WI", u"うぃ"},
    {"WU", u"う"}, {"WE", u"うぇ"}, {"WO", u"を"}, {"XA", u"ぁ"}, {"XI", u"ぃ"},
    {"XU", u"ぅ"}, {"XE", u"ぇ"}, {"XO", u"ぉ"}, {"XKA", u"ヵ"}, {"XCA", u"ヵ"},
    {"XKE", u"ヶ"}, {"XTU", u"っ"}, {"XWA", u"ゎ"}, {"XYA", u"ゃ"}, {"XYI", u"ぃ"},
    {"XYU", u"ゅ"}, {"XYE", u"ぇ"}, {"XYO", u"ょ"}, {"YA", u"や"}, {"YI", u"い"},
    {"YU", u"ゆ"}, {"YE", u"いぇ"}, {"YO", u"よ"}, {"ZA", u"ざ"}, {"ZI", u"じ"},
    {"ZU", u"ず"}, {"ZE", u"ぜ"}, {"ZO", u"ぞ"}, {"ZYA", u"じゃ"}, {"ZYI", u"じぃ"},
    {"ZYU", u"じゅ"}, {"ZYE", u"じぇ"}, {"ZYO", u"じょ"}, {"-", u"ー"},
};

static_assert(sizeof kRomajiTable / sizeof kRomajiTable[0] == 241);

constexpr size_t kMaxPending = 64;
constexpr size_t kKanaBytes = 2;
constexpr char16_t kSmallTsu = u'っ';
constexpr char16_t kN = u'ん';

// Shift_JIS value of the kana the table uses: hiragana, katakana and the
// long-vowel mark, all in contiguous runs of code page 932.
unsigned KanaToSjis(char16_t c) {
  if (c >= u'ぁ' && c <= u'ん') return 0x829F + (c - u'ぁ');
  if (c >= u'ァ' && c <= u'ミ') return 0x8340 + (c - u'ァ');
  if (c >= u'ム' && c <= u'ヶ') return 0x8380 + (c - u'ム');  // skips 0x837F
  if (c == u'ー') return 0x815B;
  return '?';
}

class KanaWriter {
 public:
  KanaWriter(char* out, size_t capacity) : m_out(out), m_capacity(capacity) {
    m_out[0] = '\0';
  }

  // Room left, the terminating NUL included.
  size_t Room() const { return m_capacity - m_used; }

  // Appends whole kana; false when they do not fit before the NUL.
  bool Write(const char16_t* kana) {
    size_t len = std::char_traits<char16_t>::length(kana);
    if (len * kKanaBytes + 1 > Room()) return false;
    for (size_t i = 0; i < len; ++i) {
      unsigned s = KanaToSjis(kana[i]);
      m_out[m_used++] = static_cast<char>(s >> 8);
      m_out[m_used++] = static_cast<char>(s & 0xFF);
    }
    m_out[m_used] = '\0';
    return true;
  }

 private:
  char* m_out;
  size_t m_capacity;
  size_t m_used = 0;
};

const char16_t* LookUp(const char* pending) {
  for (const RomajiRow& row : kRomajiTable) {
    if (std::strcmp(row.key, pending) == 0) return row.kana;
  }
  return nullptr;
}

void DropFirst(char* pending, size_t* count) {
  std::memmove(pending, pending + 1, *count);  // moves the NUL too
  --*count;
}

}  // namespace

int RomajiToKana(const char* in, char* out, size_t capacity) {
  if (capacity == 0) return 0;
  KanaWriter writer(out, capacity);
  const char16_t small_tsu[] = {kSmallTsu, 0};
  const char16_t n[] = {kN, 0};
  char pending[kMaxPending + 1] = {};
  size_t count = 0;
  for (; *in != '\0' && writer.Room() > 1; ++in) {
    unsigned char b = static_cast<unsigned char>(*in);
    if (b >= 0x80) return 0;
    pending[count++] = static_cast<char>(b >= 'a' && b <= 'z' ? b - 0x20 : b);
    pending[count] = '\0';
    if (count == 2 && pending[0] == pending[1] && pending[0] != 'N') {
      if (!writer.Write(small_tsu)) return 0;
      DropFirst(pending, &count);
    }
    if (const char16_t* kana = LookUp(pending)) {
      if (!writer.Write(kana)) return 0;
      count = 0;
      pending[0] = '\0';
    }
    if (count >= 2 && pending[0] == 'N' && pending[1] != 'Y') {
      if (!writer.Write(n)) return 0;
      DropFirst(pending, &count);
    }
    if (count >= kMaxPending) break;
  }
  if (*in != '\0') return 0;  // stopped before the end of the word
  if (count == 1 && pending[0] == 'N') {
    if (writer.Room() < 3 || !writer.Write(n)) return 0;
    count = 0;
  }
  return count == 0 ? 1 : 0;
}
