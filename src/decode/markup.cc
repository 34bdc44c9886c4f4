#include "decode/markup.h"

#include <cstring>

namespace {

// Builds one tag in a local buffer before it is appended whole.
class TagText {
 public:
  void Put(std::string_view s) {
    for (char c : s) PutChar(c);
  }
  void PutChar(char c) {
    if (m_length < sizeof(m_text)) m_text[m_length++] = c;
  }
  void PutHex(uint32_t value, int digits) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) PutChar(kHex[(value >> shift) & 0xF]);
  }
  // Zero-padded decimal of exactly `digits` characters; see the header for
  // how values that do not fit are clamped.
  void PutDecimal(int value, int digits) {
    int limit = 1;
    for (int i = 0; i < digits; ++i) limit *= 10;
    int64_t v = value;
    if (v < 0 && digits > 1) {
      PutChar('-');
      --digits;
      limit /= 10;
      v = -v;
    } else if (v < 0) {
      v = 0;
    }
    if (v >= limit) v = limit - 1;
    char text[10];
    for (int i = digits - 1; i >= 0; --i) {
      text[i] = static_cast<char>('0' + v % 10);
      v /= 10;
    }
    Put(std::string_view(text, static_cast<size_t>(digits)));
  }
  void PutPosition(uint32_t page, uint16_t offset) {
    PutChar('[');
    PutHex(page, 8);
    PutChar(':');
    PutHex(offset, 4);
    PutChar(']');
  }
  std::string_view View() const { return std::string_view(m_text, m_length); }

 private:
  char m_text[kMaxTagLength + 1];
  size_t m_length = 0;
};

bool WriteRefEnd(MarkupBuffer* out, std::string_view prefix, uint32_t page, uint16_t offset) {
  TagText tag;
  tag.Put(prefix);
  tag.PutPosition(page, offset);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteImageEnd(MarkupBuffer* out, std::string_view prefix, uint32_t page, uint16_t offset, int width,
                   int height, int kind) {
  TagText tag;
  tag.Put(prefix);
  tag.PutHex(page, 8);
  tag.PutChar(':');
  tag.PutHex(offset, 4);
  tag.Put("](");
  tag.PutDecimal(width, 4);
  tag.PutChar('*');
  tag.PutDecimal(height, 4);
  tag.PutChar(':');
  tag.PutDecimal(kind, 1);
  tag.Put(")>");
  return AppendMarkup(out, tag.View());
}

void PutAreaCoords(TagText* tag, int x, int y, int width, int height) {
  tag->Put(kTagAreaPrefix);
  tag->PutDecimal(x, 3);
  tag->PutChar(',');
  tag->PutDecimal(y, 3);
  tag->PutChar(',');
  tag->PutDecimal(width, 3);
  tag->PutChar(',');
  tag->PutDecimal(height, 3);
}

}  // namespace

bool AppendMarkup(MarkupBuffer* out, std::string_view bytes) {
  if (!HasRoom(*out, bytes.size())) return false;
  if (!bytes.empty()) std::memcpy(out->data + out->length, bytes.data(), bytes.size());
  out->length += bytes.size();
  out->data[out->length] = '\0';
  return true;
}

bool WriteTextChar(MarkupBuffer* out, uint16_t value) {
  if (value > 0xFF) {
    const char pair[2] = {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
    return AppendMarkup(out, std::string_view(pair, 2));
  }
  switch (value) {
    case 0:
      return true;
    case '&':
      return AppendMarkup(out, "&amp;");
    case '<':
      return AppendMarkup(out, "&lt;");
    case '>':
      return AppendMarkup(out, "&gt;");
    default: {
      const char c = value < 0x20 ? ' ' : static_cast<char>(value);
      return AppendMarkup(out, std::string_view(&c, 1));
    }
  }
}

bool WriteGaijiEntity(MarkupBuffer* out, char letter, uint16_t code) {
  TagText tag;
  tag.PutChar('&');
  tag.PutChar(letter);
  tag.PutHex(code, 4);
  tag.PutChar(';');
  return AppendMarkup(out, tag.View());
}

bool WriteIndent(MarkupBuffer* out, int level) {
  if (level < 0 || level > 99) return true;
  TagText tag;
  tag.Put(kTagIndentPrefix);
  tag.PutDecimal(level, 2);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteTab(MarkupBuffer* out, int column) {
  if (column < 0 || column > 99) return true;
  TagText tag;
  tag.Put(kTagTabPrefix);
  tag.PutDecimal(column, 2);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteLinkEnd(MarkupBuffer* out, uint32_t page, uint16_t offset) {
  return WriteRefEnd(out, "</LINK", page, offset);
}

bool WriteMenuEnd(MarkupBuffer* out, uint32_t page, uint16_t offset) {
  return WriteRefEnd(out, "</MENU", page, offset);
}

uint32_t BookColourValue(uint16_t bookCode) {
  static const uint32_t kColours[15] = {
      0xFFFFFF, 0x00FFFF, 0xFFFF00, 0x00FF00, 0xC0C0C0, 0x808080, 0x008080, 0xFF00FF,
      0x808000, 0x0000FF, 0x008000, 0x800080, 0x000080, 0xFF0000, 0x800000,
  };
  if (bookCode >= 0x1110 && bookCode < 0x1110 + 15) return kColours[bookCode - 0x1110];
  return 0x000000;
}

bool WriteColour(MarkupBuffer* out, uint16_t bookCode) {
  TagText tag;
  tag.Put(kTagColourPrefix);
  tag.PutHex(BookColourValue(bookCode), 6);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteColourChart(MarkupBuffer* out, int number) {
  if (number == 0) return true;
  TagText tag;
  tag.Put(kTagColourChartPrefix);
  tag.PutDecimal(number, 3);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteFigEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, int width, int height, int kind) {
  return WriteImageEnd(out, kTagFigEndPrefix, page, offset, width, height, kind);
}

bool WriteInlineEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, int width, int height, int kind) {
  return WriteImageEnd(out, kTagInlineEndPrefix, page, offset, width, height, kind);
}

bool WriteAreaHref(MarkupBuffer* out, int x, int y, int width, int height, uint32_t page, uint16_t offset) {
  TagText tag;
  PutAreaCoords(&tag, x, y, width, height);
  tag.Put(" HREF=");
  tag.PutPosition(page, offset);
  tag.PutChar('>');
  return AppendMarkup(out, tag.View());
}

bool WriteAreaSound(MarkupBuffer* out, int x, int y, int width, int height, uint32_t startFrame,
                    uint32_t endFrame) {
  TagText tag;
  PutAreaCoords(&tag, x, y, width, height);
  tag.Put(" SOUND=[");
  tag.PutHex(startFrame, 8);
  tag.PutChar(':');
  tag.PutHex(endFrame, 8);
  tag.Put("]>");
  return AppendMarkup(out, tag.View());
}

bool WriteWavEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, uint32_t page2, uint16_t offset2,
                 const int digits[5]) {
  TagText tag;
  tag.Put("</WAV");
  tag.PutPosition(page, offset);
  tag.PutPosition(page2, offset2);
  tag.PutChar('(');
  for (int i = 0; i < 5; ++i) {
    if (i > 0) tag.PutChar(':');
    tag.PutDecimal(digits[i], 1);
  }
  tag.Put(")>");
  return AppendMarkup(out, tag.View());
}

bool WriteWavFramesEnd(MarkupBuffer* out, uint32_t startFrame, uint32_t endFrame) {
  TagText tag;
  tag.Put("</WAV");
  tag.PutPosition(startFrame, 0);
  tag.PutPosition(endFrame, 0);
  tag.Put("(1:0:0:0:0)>");
  return AppendMarkup(out, tag.View());
}

bool WriteMovieStart(MarkupBuffer* out) {
  char text[kTagMov.size() + kMovieArrow.size()];
  std::memcpy(text, kTagMov.data(), kTagMov.size());
  std::memcpy(text + kTagMov.size(), kMovieArrow.data(), kMovieArrow.size());
  return AppendMarkup(out, std::string_view(text, sizeof(text)));
}

bool WriteMovieEnd(MarkupBuffer* out, const char* name, size_t size) {
  TagText tag;
  tag.Put(kTagMovEndPrefix);
  size_t i = 0;
  for (; i < kMovNameLength && i < size && name[i] != '\0'; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool safe = c >= 0x20 && c < 0x7F && c != '<' && c != '>' && c != '&';
    tag.PutChar(safe ? static_cast<char>(c) : '_');
  }
  for (; i < kMovNameLength; ++i) tag.PutChar(' ');
  tag.Put("]>");
  return AppendMarkup(out, tag.View());
}
