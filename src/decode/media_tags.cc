// See media_tags.h.
#include "decode/media_tags.h"

#include "decode/markup.h"

namespace {

template <typename Char>
class CTagFields {
 public:
  explicit CTagFields(std::basic_string_view<Char> tag) : m_tag(tag) {}

  bool Literal(size_t at, std::string_view text) const {
    if (at + text.size() > m_tag.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
      if (m_tag[at + i] != static_cast<Char>(static_cast<unsigned char>(text[i]))) return false;
    return true;
  }

  bool Hex(size_t at, size_t n, uint32_t* out) const {
    if (at + n > m_tag.size()) return false;
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) {
      auto c = static_cast<uint32_t>(m_tag[at + i]);
      uint32_t d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else return false;
      v = v << 4 | d;
    }
    *out = v;
    return true;
  }

  // Decimal, zero-padded; a leading "-" as the markup writes negatives.
  bool Decimal(size_t at, size_t n, int* out) const {
    if (at + n > m_tag.size() || n == 0) return false;
    bool negative = m_tag[at] == static_cast<Char>('-');
    int v = 0;
    for (size_t i = negative ? 1 : 0; i < n; ++i) {
      auto c = static_cast<uint32_t>(m_tag[at + i]);
      if (c < '0' || c > '9') return false;
      v = v * 10 + static_cast<int>(c - '0');
    }
    *out = negative ? -v : v;
    return true;
  }

  Char At(size_t at) const { return at < m_tag.size() ? m_tag[at] : Char{0}; }

 private:
  std::basic_string_view<Char> m_tag;
};

template <typename Char>
size_t FindAscii(std::basic_string_view<Char> text, std::string_view what, size_t from = 0) {
  CTagFields<Char> fields(text);
  for (size_t i = from; i + what.size() <= text.size(); ++i) {
    if (text[i] == static_cast<Char>('<') && fields.Literal(i, what)) return i;
  }
  return std::basic_string_view<Char>::npos;
}

template <typename Char>
bool ParseImage(std::basic_string_view<Char> tag, ImageTag* out) {
  CTagFields<Char> f(tag);
  uint32_t page = 0, offset = 0;
  ImageTag t;
  t.isInline = f.Literal(0, kTagInlineEndPrefix);
  if (!f.Hex(kFigEndPagePos, 8, &page) || !f.Literal(kFigEndPagePos + 8, ":") ||
      !f.Hex(kFigEndOffsetPos, 4, &offset) || !f.Literal(kFigEndOffsetPos + 4, "](") ||
      !f.Decimal(kFigEndWidthPos, 4, &t.width) || !f.Literal(kFigEndWidthPos + 4, "*") ||
      !f.Decimal(kFigEndHeightPos, 4, &t.height) || !f.Literal(kFigEndHeightPos + 4, ":") ||
      !f.Decimal(kFigEndKindPos, 1, &t.kind) || !f.Literal(kFigEndKindPos + 1, ")>"))
    return false;
  t.page = page;
  t.offset = static_cast<uint16_t>(offset);
  *out = t;
  return true;
}

template <typename Char>
bool FindImageT(std::basic_string_view<Char> text, ImageTag* tag) {
  size_t fig = FindAscii(text, kTagFigEndPrefix), inl = FindAscii(text, kTagInlineEndPrefix);
  size_t at = fig < inl ? fig : inl;
  return at != std::basic_string_view<Char>::npos && ParseImage(text.substr(at), tag);
}

template <typename Char>
bool FindWaveT(std::basic_string_view<Char> text, WaveTag* tag) {
  size_t at = FindAscii(text, "</WAV");
  if (at == std::basic_string_view<Char>::npos) return false;
  CTagFields<Char> f(text.substr(at));
  uint32_t p1 = 0, o1 = 0, p2 = 0, o2 = 0;
  WaveTag t;
  if (!f.Literal(0, kTagWavEndPrefix) || !f.Hex(kWavEndPagePos, 8, &p1) || !f.Literal(kWavEndPagePos + 8, ":") ||
      !f.Hex(kWavEndOffsetPos, 4, &o1) || !f.Literal(kWavEndOffsetPos + 4, "][") || !f.Hex(kWavEndPage2Pos, 8, &p2) ||
      !f.Literal(kWavEndPage2Pos + 8, ":") || !f.Hex(kWavEndOffset2Pos, 4, &o2) ||
      !f.Literal(kWavEndOffset2Pos + 4, "]("))
    return false;
  for (size_t i = 0; i < 5; ++i) {
    size_t pos = kWavEndDigitsPos + 2 * i;
    auto c = static_cast<uint32_t>(f.At(pos));
    if (c < '0' || c > '9' || !f.Literal(pos + 1, i < 4 ? ":" : ")>")) return false;
    t.digits[i] = static_cast<int>(c - '0');
  }
  t.startPage = p1;
  t.startOffset = static_cast<uint16_t>(o1);
  t.endPage = p2;
  t.endOffset = static_cast<uint16_t>(o2);
  *tag = t;
  return true;
}

template <typename Char>
bool FindAreaSoundT(std::basic_string_view<Char> text, AreaSoundTag* tag) {
  size_t at = FindAscii(text, kTagAreaPrefix);
  if (at == std::basic_string_view<Char>::npos) return false;
  CTagFields<Char> f(text.substr(at));
  uint32_t start = 0, end = 0;
  if (!f.Literal(kAreaKindPos, "SOUND=[") || !f.Hex(kAreaSoundStartPos, 8, &start) ||
      !f.Literal(kAreaSoundStartPos + 8, ":") || !f.Hex(kAreaSoundEndPos, 8, &end) ||
      !f.Literal(kAreaSoundEndPos + 8, "]>"))
    return false;
  tag->startFrame = start;
  tag->endFrame = end;
  return true;
}

bool IsNameChar(uint32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

template <typename Char>
bool FindMovieT(std::basic_string_view<Char> text, std::string* name) {
  name->clear();
  size_t at = FindAscii(text, kTagMovEndPrefix);
  if (at == std::basic_string_view<Char>::npos) return false;
  CTagFields<Char> f(text.substr(at));
  if (!f.Literal(kMovEndNamePos + kMovNameLength, "]>")) return false;
  std::string found;
  size_t i = 0;
  for (; i < kMovNameLength && IsNameChar(static_cast<uint32_t>(f.At(kMovEndNamePos + i))); ++i)
    found.push_back(static_cast<char>(f.At(kMovEndNamePos + i)));
  for (; i < kMovNameLength; ++i)
    if (f.At(kMovEndNamePos + i) != static_cast<Char>(' ')) return false;
  if (found.empty()) return false;
  *name = found;
  return true;
}

}  // namespace

bool FindImageTag(std::string_view text, ImageTag* tag) { return FindImageT(text, tag); }
bool FindImageTag(std::u16string_view text, ImageTag* tag) { return FindImageT(text, tag); }
bool FindWaveTag(std::string_view text, WaveTag* tag) { return FindWaveT(text, tag); }
bool FindWaveTag(std::u16string_view text, WaveTag* tag) { return FindWaveT(text, tag); }
bool FindAreaSoundTag(std::string_view text, AreaSoundTag* tag) { return FindAreaSoundT(text, tag); }
bool FindAreaSoundTag(std::u16string_view text, AreaSoundTag* tag) { return FindAreaSoundT(text, tag); }
bool FindMovieTag(std::string_view text, std::string* name) { return FindMovieT(text, name); }
bool FindMovieTag(std::u16string_view text, std::string* name) { return FindMovieT(text, name); }
