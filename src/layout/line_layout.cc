// CLineMgr::Layout: one walk over the markup that places every object on a
// line, breaking lines at the view width.
//
// Breaks never cut an object in two. When an object does not fit, the walk
// goes back to where the new line must start (one character earlier for a
// closing mark after kana or kanji, the start of a Latin word for word
// wrap) and lays out from there again on the new line, so every character
// the new line holds is measured on it.
#include <algorithm>

#include "decode/bitmap_image.h"
#include "decode/markup.h"
#include "layout/layout_state.h"
#include "layout/line_mgr.h"
#include "layout/markup_scan.h"


namespace {

// Width of text[from, to) in the current font: ideographs one font size
// each, every stretch between them measured in one call. The height is the
// font's, plus `raise` for text drawn that far below the line's top.
int MeasureRun(CCanvas& canvas, const char16_t* text, int from, int to, int fontSize, int raise, int* height) {
  int width = 0;
  int i = from;
  while (i < to) {
    if (IsIdeograph(text[i])) {
      width += fontSize;
      FontMetrics m = canvas.Metrics();
      *height = std::max(*height, m.ascent + m.descent + raise);
      ++i;
      continue;
    }
    int j = i;
    while (j < to && !IsIdeograph(text[j])) ++j;
    TextExtent e = canvas.MeasureText(text + i, j - i);
    width += e.width;
    *height = std::max(*height, e.height + raise);
    i = j;
  }
  return width;
}

}  // namespace

int CLineMgr::GaijiSizeIndex(int sizes) const {
  static const int kBits[4] = {kGaiji16, kGaiji24, kGaiji32, kGaiji48};
  int want = m_fontSize >= 48 ? 3 : m_fontSize >= 32 ? 2 : m_fontSize >= 24 ? 1 : 0;
  while (want > 0 && (sizes & kBits[want]) == 0) --want;
  return want * 2;
}

void CLineMgr::EntitySize(int i, int len, int* w, int* h) const {
  char16_t kind = len > 1 ? m_text[i + 1] : 0;
  bool adjust = m_adjustGaiji != 0 && m_gaijiSize != m_fontSize;
  bool gaiji = len == static_cast<int>(kGaijiEntityLength);
  if (gaiji && (kind == u'c' || kind == u'g')) {
    *w = m_fontSize;
    *h = m_lineHeight;  // drawn as a character
  } else if (gaiji && kind == u'h') {
    *w = adjust ? m_halfWidth : m_gaijiSize / 2;
    *h = adjust ? m_fontSize : m_gaijiSize;
  } else if (gaiji && kind == u'z') {
    *w = adjust ? m_fullWidth : m_gaijiSize;
    *h = adjust ? m_fontSize : m_gaijiSize;
  } else {
    *w = m_halfWidth;
    *h = m_lineHeight;
  }
}

// Where the line must start when the object at `k` does not fit on the
// line that starts at `lineStart`.
int CLineMgr::BreakPoint(int k, int lineStart) const {
  const char16_t* t = m_text;
  if (k - 1 > lineStart && IsClosingPunct(t[k]) && (IsKana(t[k - 1]) || IsIdeograph(t[k - 1]))) return k - 1;
  auto inWord = [](char16_t c) { return IsWordChar(c) || c == u'&' || c == u';'; };
  if (k > 0 && inWord(t[k])) {
    int j = k;
    while (j - 1 > lineStart && inWord(t[j - 1])) --j;
    // A word that reaches back to the line's start fills the whole line:
    // it is broken where it overflows instead.
    if (j - 1 > lineStart || (j - 1 == lineStart && !inWord(t[lineStart]))) return j;
  }
  return k;
}

// Size of the image of a FIG or INL closing tag at i, from the tag or, for
// a colour image given as 0 x 0, from the image itself. Returns the kind.
int CLineMgr::ImageSize(LayoutState& s, int i, bool stretch, int* width, int* height) {
  const char16_t* p = m_text + i;
  uint32_t page = 0, offset = 0;
  int w = 0, h = 0, kind = 0;
  ReadMarkupHex(p + kFigEndPagePos, 8, &page);
  ReadMarkupHex(p + kFigEndOffsetPos, 4, &offset);
  ReadMarkupDecimal(p + kFigEndWidthPos, 4, &w);
  ReadMarkupDecimal(p + kFigEndHeightPos, 4, &h);
  ReadMarkupDecimal(p + kFigEndKindPos, 1, &kind);
  if (w == 0 && h == 0 && kind == kImageColour && static_cast<int32_t>(page) > 0 &&
      !s.book->ImageSize(kind, static_cast<int32_t>(page), static_cast<int>(offset), &w, &h)) {
    // Only a book that cannot read the size alone has the pixels decoded.
    CBitmapImage image;
    if (s.book->LoadImage(kind, static_cast<int32_t>(page), static_cast<int>(offset), 0, 0, 0, &image)) {
      w = image.Width();
      h = image.Height();
    }
  }
  w = std::clamp(w, 0, CBitmapImage::kMaxSide);
  h = std::clamp(h, 0, CBitmapImage::kMaxSide);
  FigureDrawSize(false, stretch, &w, &h);
  *width = w;
  *height = h;
  return kind;
}

int CLineMgr::Layout(const char16_t* text, int textLen, CCanvas& canvas, CLayoutBook* book,
                     const LayoutOptions& options) {
  if (book == nullptr) return -1;
  m_adjustGaiji = options.bAdjustGaiji;
  m_inlineImage = options.bInlineImage;
  m_maxWidth = 0;
  m_face = std::clamp(book->Face(), 0, kFaces - 1);
  m_isEbCatalog = book->IsEbCatalog();
  const FontDesc* previous = canvas.SelectFont(&m_fonts[0][m_face]);
  FontMetrics body = canvas.Metrics();
  m_lineHeight = std::clamp(body.ascent + body.descent, m_fontSize, 0xFFFF);
  m_text = text;
  m_textLen = text == nullptr ? 0 : std::clamp(textLen, 0, kMaxTextLength);
  m_bodyFlags = 0;
  m_gaijiSizeIndex = GaijiSizeIndex(book->GaijiSizes());
  static const int kGaijiSizes[8] = {16, 16, 24, 24, 32, 32, 48, 48};
  m_gaijiSize = kGaijiSizes[m_gaijiSizeIndex];
  m_lineCount = m_attrCount = m_colorCount = 0;
  m_inlineWidths.clear();
  m_selStart = m_selEnd = 0;
  m_words.clear();
  if (options.bHighlight) SplitWords(options.searchString);

  LayoutState s;
  s.canvas = &canvas;
  s.book = book;
  s.options = &options;
  s.lineSpacing = options.lineSpacing * m_fontSize / 16;
  // Ruled lines are drawn between lines: leave them a row.
  if (options.bRuledLine && options.lineSpacing > 2) s.lineSpacing = std::max(s.lineSpacing, 1);
  const int fs = m_fontSize;
  const int vw = m_viewWidth;
  const int zone = vw - 3 * fs;
  AddLine(0, m_indent, 0);
  s.pen = m_indent;

  auto newLine = [&](int start) {
    LineRecord& old = s.Line(*this);
    int y = old.y + old.height + s.lineSpacing;
    ++m_lineCount;
    AddLine(start, m_indent, y);
    s.pen = m_indent;
    s.runStart = start;
    s.runEstimate = 0;
  };
  auto grow = [&](int h) {
    LineRecord& line = s.Line(*this);
    line.height = static_cast<uint16_t>(std::clamp(std::max<int>(line.height, h), 0, 0xFFFF));
  };
  // Places the pending run [runStart, end). Returns the index the walk
  // resumes at when the run overflowed the line (a new line was opened),
  // else -1.
  auto placeRun = [&](int end) -> int {
    if (s.runStart >= end) return -1;
    int h = 0;
    int width = MeasureRun(canvas, m_text, s.runStart, end, fs, s.raise, &h);
    if (s.pen + width < vw) {
      s.pen += width;
      grow(h);
      s.runStart = end;
      s.runEstimate = 0;
      return -1;
    }
    // Find the first character that no longer fits.
    int k = s.runStart;
    for (; k < end; ++k) {
      int ch = 0;
      int cw = MeasureRun(canvas, m_text, k, k + 1, fs, s.raise, &ch);
      if (s.pen + cw >= vw && s.pen > s.Line(*this).x) break;
      s.pen += cw;
      grow(ch);
    }
    if (k >= end) {
      s.runStart = end;
      s.runEstimate = 0;
      return -1;
    }
    int at = BreakPoint(k, s.Line(*this).start);
    newLine(at);
    return at;
  };
  // An object of width w at k, len characters long. Returns where the
  // walk goes on.
  auto place = [&](int k, int len, int w, int h) -> int {
    if (s.pen + w >= vw && s.pen > s.Line(*this).x) {
      int at = BreakPoint(k, s.Line(*this).start);
      newLine(at);
      return at;
    }
    grow(h);
    s.pen += w;
    s.runStart = k + len;
    return k + len;
  };

  int i = 0;
  while (i < m_textLen && m_text[i] != 0) {
    char16_t c = m_text[i];
    int tagLen = c == u'<' ? TagLength(m_text, i, m_textLen) : 0;
    int entLen = c == u'&' ? EntityLength(m_text, i, m_textLen) : 0;
    if (c == u'\r' || tagLen > 0 || entLen > 0) {
      int resume = placeRun(i);
      if (resume >= 0) {
        i = resume;
        continue;
      }
    }
    if (c == u'\r') {
      grow(m_lineHeight);
      int len = (i + 1 < m_textLen && m_text[i + 1] == u'\n') ? 2 : 1;
      newLine(i + len);
      i += len;
    } else if (entLen > 0) {
      int w = 0, h = 0;
      EntitySize(i, entLen, &w, &h);
      i = place(i, entLen, w, h);
    } else if (tagLen > 0) {
      int w = 0, h = 0;
      switch (LayoutTag(s, i, tagLen, &w, &h)) {
        case kTagObject:
          i = place(i, tagLen, w, h);
          break;
        case kTagInline:
          if (s.pen + w >= zone && s.pen > s.Line(*this).x) {
            newLine(i);
            break;
          }
          grow(h);
          s.pen += w;
          m_maxWidth = std::max(m_maxWidth, s.pen);
          i += tagLen;
          s.runStart = i;
          break;
        case kTagBreakAfter:
          grow(h);
          newLine(i + tagLen);
          i += tagLen;
          break;
        default:
          i += tagLen;
          s.runStart = i;
          break;
      }
    } else {
      if (!m_words.empty() && i >= s.matchedTo) {
        MatchWords(i);
        s.matchedTo = i + 1;
      }
      s.runEstimate += c < 0x100 ? m_halfWidth : m_fullWidth;
      ++i;
      if (s.pen + s.runEstimate < zone) continue;
      int h = 0;
      int width = MeasureRun(canvas, m_text, s.runStart, i, fs, s.raise, &h);
      if (s.pen + width < zone) {
        s.pen += width;
        grow(h);
        s.runStart = i;
        s.runEstimate = 0;
        continue;
      }
      int resume = placeRun(i);
      if (resume >= 0) i = resume;
    }
  }
  placeRun(i);
  ++m_lineCount;
  const LineRecord& last = m_lineT[static_cast<size_t>(m_lineCount) - 1];
  int lastY = last.y;
  AddLine(i, 0, lastY);
  canvas.SelectFont(previous);
  return m_lineCount;
}
