// See line_reader.h.
#include "catalog/line_reader.h"

CLineReader::CLineReader(std::string_view text, size_t limit, LongLines mode)
    : m_text(text), m_limit(limit == 0 ? 1 : limit), m_mode(mode) {}

int CLineReader::Get() {
  if (m_pushed != EOF) {
    int c = m_pushed;
    m_pushed = EOF;
    return c;
  }
  if (m_pos >= m_text.size()) return EOF;
  return static_cast<unsigned char>(m_text[m_pos++]);
}

void CLineReader::Unget(int c) { m_pushed = c; }

bool CLineReader::Next(std::string* line) {
  line->clear();
  size_t taken = 0;
  bool sawNul = false;
  int c = Get();
  if (c == EOF) return false;
  for (; c != EOF && c != '\n' && c != '\r'; c = Get()) {
    if (taken == m_limit) {
      if (m_mode == LongLines::kSplit) {
        Unget(c);
        return true;
      }
      continue;  // cut: the rest of the line is dropped
    }
    ++taken;
    if (c == '\0') sawNul = true;
    if (!sawNul) line->push_back(static_cast<char>(c));
  }
  return true;
}
