// Character positions on the page: which character a point falls on and
// where a character starts. Both walk one line from its start with the
// widths the layout gave, measuring each plain character alone.
#include <algorithm>
#include <climits>
#include <utility>

#include "decode/markup.h"
#include "layout/line_mgr.h"
#include "layout/markup_scan.h"

struct CLineMgr::Walker {
  int pen = 0;
};

// Width of the object at i (its length in *len), switching fonts on the
// canvas as the layout does.
int CLineMgr::ObjectWidth(Walker& w, int i, int* len, CCanvas& canvas) {
  const char16_t* p = m_text + i;
  char16_t c = *p;
  int tagLen = c == u'<' ? TagLength(m_text, i, m_textLen) : 0;
  int entLen = c == u'&' ? EntityLength(m_text, i, m_textLen) : 0;
  if (entLen > 0) {
    *len = entLen;
    int width = 0, height = 0;
    EntitySize(i, entLen, &width, &height);
    return width;
  }
  if (tagLen == 0) {
    *len = 1;
    if (IsIdeograph(c)) return m_fontSize;
    return canvas.MeasureText(p, 1).width;
  }
  *len = tagLen;
  const int n = tagLen;
  auto font = [&](int variant) { canvas.SelectFont(&m_fonts[variant][m_face]); };
  if (MarkupIs(p, n, kTagSup) || MarkupIs(p, n, kTagSub)) font(1);
  else if (MarkupIs(p, n, kTagBold)) font(2);
  else if (MarkupIs(p, n, kTagItalic)) font(3);
  else if (MarkupIs(p, n, kTagUnderline)) font(4);
  else if (MarkupIs(p, n, kTagSupEnd) || MarkupIs(p, n, kTagSubEnd) || MarkupIs(p, n, kTagBoldEnd) ||
           MarkupIs(p, n, kTagUnderlineEnd)) font(0);
  else if (MarkupIs(p, n, kTagItalicEnd)) {
    font(0);
    return m_italicOverhang;
  } else if (MarkupStarts(p, n, kTagTabPrefix) && n == static_cast<int>(kTabTagLength)) {
    int column = 0;
    if (ReadMarkupDecimal(p + kTabValuePos, 2, &column)) {
      int x = column * m_fontSize;
      if (x > w.pen && x < m_viewWidth) return x - w.pen;
    }
  } else if (MarkupStarts(p, n, kTagColourChartPrefix) && n == static_cast<int>(kColourChartTagLength)) {
    return 2 * m_fontSize;
  } else if (m_inlineImage && MarkupStarts(p, n, kTagInlineEndPrefix) &&
             n == static_cast<int>(kFigEndTagLength)) {
    // The width the layout gave it, which for a 0 x 0 tag came from the
    // image itself.
    auto at = std::lower_bound(m_inlineWidths.begin(), m_inlineWidths.end(), std::make_pair(i, INT_MIN));
    if (at != m_inlineWidths.end() && at->first == i) return std::clamp(at->second, 0, m_viewWidth);
  }
  return 0;
}

int CLineMgr::CharFromPoint(int x, int y, CCanvas& canvas) {
  if (m_lineCount == 0 || m_text == nullptr) return 0;
  int line = LineFromY(y);
  const LineRecord& rec = m_lineT[static_cast<size_t>(line)];
  int end = m_lineT[static_cast<size_t>(line) + 1].start;
  const FontDesc* previous = canvas.SelectFont(&m_fonts[0][m_face]);
  Walker w{rec.x};
  int i = rec.start;
  while (i < end && m_text[i] != 0 && m_text[i] != u'\r') {
    int len = 1;
    int width = ObjectWidth(w, i, &len, canvas);
    int next = w.pen + width;
    if (next > m_viewWidth || next >= x) break;
    w.pen = next;
    i += len;
  }
  canvas.SelectFont(previous);
  return i;
}

PagePoint CLineMgr::PointFromChar(int index, CCanvas& canvas) {
  if (m_lineCount == 0 || m_text == nullptr) return {};
  index = std::clamp(index, 0, m_textLen);
  int line = 0;
  while (line + 1 < m_lineCount && m_lineT[static_cast<size_t>(line) + 1].start <= index) ++line;
  const LineRecord& rec = m_lineT[static_cast<size_t>(line)];
  const FontDesc* previous = canvas.SelectFont(&m_fonts[0][m_face]);
  Walker w{rec.x};
  int i = rec.start;
  while (i < index && m_text[i] != 0 && m_text[i] != u'\r') {
    int len = 1;
    w.pen += ObjectWidth(w, i, &len, canvas);
    i += len;
  }
  canvas.SelectFont(previous);
  return {w.pen, rec.y};
}
