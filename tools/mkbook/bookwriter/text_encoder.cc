#include "bookwriter/text_encoder.h"

#include "bookwriter/key_style.h"
#include "bookwriter/text_markup.h"

bool CTextEncoder::Text(const std::string& utf8) {
  if (m_singleByte) {
    for (char c : utf8) {
      if (c < 0x20 || c > 0x7E) return false;
    }
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
    return true;
  }
  SjisChars chars;
  if (!Utf8ToSjisChars(utf8, &chars)) return false;
  std::vector<uint16_t> codes;
  codes.reserve(chars.size());
  for (uint16_t c : chars) {
    c = WidenChar(c);
    if (c < 0x100) return false;  // controls and half-width katakana
    codes.push_back(SjisCharToJis(c));
  }
  for (uint16_t j : codes) Word(j);
  return true;
}

BookPos CTextEncoder::PosOf(int32_t startPage, size_t at) {
  return {static_cast<int32_t>(startPage + at / 2048), static_cast<uint16_t>(at % 2048)};
}

void CTextEncoder::AppendTail() {
  size_t base = m_bytes.size();
  m_bytes.insert(m_bytes.end(), m_tail.begin(), m_tail.end());
  m_tail.clear();
  for (TextRef& ref : m_links) {
    if (ref.open == 0) ref.target += base;
    if (ref.inTail) ref.at += base;
    ref.inTail = false;
  }
}

static bool Fail(std::string* error, const std::string& what, const std::string& text) {
  if (error) *error = what + " cannot be stored as JIS X 0208: " + text;
  return false;
}

bool EncodeEntry(const BookEntry& entry, CTextEncoder* text, size_t* start, std::string* error) {
  text->Escape(kEscBeginText);
  *start = text->Size();
  text->Escape(kEscKeywordStart);
  text->Word(0x0100);
  if (!text->Text(entry.heading)) return Fail(error, "heading", entry.heading);
  text->Escape(kEscKeywordEnd);
  text->Escape(kEscNewline);
  for (const std::string& line : entry.body) {
    if (!EncodeBodyLine(line, text, error)) return false;
    text->Escape(kEscNewline);
  }
  text->Bytes().insert(text->Bytes().end(), entry.codes.begin(), entry.codes.end());
  text->Escape(kEscEndText);
  return true;
}

bool EncodeHeading(const std::string& heading, CTextEncoder* text, size_t* start,
                   std::string* error) {
  *start = text->Size();
  if (!text->Text(heading)) return Fail(error, "heading", heading);
  text->Escape(kEscNewline);
  return true;
}
