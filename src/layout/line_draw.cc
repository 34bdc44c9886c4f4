// CLineMgr::Draw: paints the lines of the last layout that meet the
// visible rectangle.
//
// Each line is walked again: plain characters gather in a run that is
// drawn with one text call; tags change the style flags and the colour
// stack; entities draw as their characters or as gaiji bitmaps; figures
// are drawn below their caption. Styles and colours carry from one line to
// the next, and the lines above the first visible one are walked without
// drawing so that a span opened there shows right.
//
// With the desktop's colours the page may be dark: the accent colours and
// the book's own text colours are then kept readable on it
// (readable_colour.h). The program's own colours are drawn as they are.
#include <algorithm>
#include <cmath>

#include "decode/bitmap_image.h"
#include "decode/gb2312.h"
#include "decode/markup.h"
#include "layout/line_mgr.h"
#include "layout/markup_scan.h"
#include "layout/readable_colour.h"

namespace {

enum : int { kSmall = 1, kBold = 2, kItalic = 4, kUnderline = 8 };
constexpr int kNoColour = -1;
constexpr char16_t kMissingGlyph = u'\u25A1';  // □
constexpr int kSwatchWidth = 32, kSwatchHeight = 16, kSwatchAdvance = 36;
constexpr size_t kMaxChartName = 256;

}  // namespace

void GlyphToImage(const Glyph& glyph, CBitmapImage* image) {
  if (!image->Allocate(glyph.width, glyph.height, 1, false)) return;
  image->Palette() = {0xFF000000u, 0xFFFFFFFFu};
  int rowBytes = (glyph.width + 7) / 8;
  for (int y = 0; y < glyph.height; ++y) {
    uint8_t* row = image->ScanLine(y);
    for (int b = 0; b < rowBytes; ++b) row[b] = static_cast<uint8_t>(~glyph.bits[y * rowBytes + b]);
  }
}

struct CLineMgr::DrawState {
  CCanvas* canvas = nullptr;
  CLayoutBook* book = nullptr;
  const DrawOptions* options = nullptr;
  bool drawing = false;  // false while catching up on the lines above
  int scrollX = 0, scrollY = 0, right = 0;
  int x = 0;             // pen, page coordinates
  int top = 0;           // line top, page coordinates
  int flags = 0;
  int baseline = 0;
  Colour defaultColour = 0;
  Colour colour = 0;
  Colour background = 0;
  bool readable = false;  // text colours are fitted to the background
  Colour title = 0, link = 0, highlight = 0;
  int hl = 0;            // next highlight record
  bool inHighlight = false;
  bool lineHasFigure = false;
  double pixelRatio = 1;  // device pixels per page pixel
  int gaijiSizes = 0;     // the book's gaiji fonts, read on a fine screen
  char16_t run[kMaxDrawnLine];
  int runLen = 0;
};

const FontDesc* CLineMgr::StyleFont(int flags) const {
  int v = 0;
  if (flags & kSmall) v = (flags & kUnderline) ? 5 : 1;
  else if (flags & kUnderline) v = 4;
  else if (flags & kBold) v = 2;
  else if (flags & kItalic) v = 3;
  return &m_fonts[v][m_face];
}

void CLineMgr::FlushRun(DrawState& d) {
  if (d.runLen == 0) return;
  if (!d.drawing) {
    d.runLen = 0;  // catching up: only styles and colours matter
    return;
  }
  d.canvas->SelectFont(StyleFont(d.flags));
  d.canvas->DrawText(d.x - d.scrollX, d.top + d.baseline - d.scrollY, d.run, d.runLen);
  d.x += d.canvas->MeasureText(d.run, d.runLen).width;
  d.runLen = 0;
}

Colour CLineMgr::TextColour(const DrawState& d, Colour colour) {
  return d.readable ? ReadableOn(colour, d.background) : colour;
}

void CLineMgr::PushColour(DrawState& d, Colour colour) {
  m_colourStack.Push(static_cast<int32_t>(d.colour));
  d.colour = colour;
  d.canvas->SetTextColour(colour);
}

void CLineMgr::PopColour(DrawState& d) {
  int32_t c = m_colourStack.Pop();
  d.colour = c == kNoColour ? d.defaultColour : static_cast<Colour>(c);
  d.canvas->SetTextColour(d.colour);
}

int CLineMgr::Draw(const char16_t* text, int /*left*/, int /*top*/, int right, int bottom, int scrollX,
                   int scrollY, CCanvas& canvas, CLayoutBook* book, const DrawOptions& options) {
  if (book == nullptr) return -1;
  if (text != m_text || m_lineCount == 0) return 0;
  DrawState d;
  d.canvas = &canvas;
  d.book = book;
  d.options = &options;
  d.scrollX = scrollX;
  d.scrollY = scrollY;
  d.right = right;
  Colour background = options.useSystemColours ? canvas.GetSystemColour(SystemColour::kWindow)
                                               : options.backgroundColour;
  d.defaultColour = options.useSystemColours ? canvas.GetSystemColour(SystemColour::kWindowText)
                                             : options.textColour;
  d.colour = d.defaultColour;
  d.background = background;
  d.readable = options.useSystemColours;
  d.pixelRatio = canvas.DevicePixelRatio();
  if (d.pixelRatio != 1) d.gaijiSizes = book->GaijiSizes();
  d.title = TextColour(d, options.titleColour);
  d.link = TextColour(d, options.linkColour);
  d.highlight = TextColour(d, options.highlightColour);
  canvas.SetBackgroundColour(background);
  canvas.SetTextColour(d.colour);
  m_colourStack.Clear();
  const FontDesc* previous = canvas.SelectFont(&m_fonts[0][m_face]);
  bool ruled = options.bRuledLine && options.lineSpacing > 2;
  Colour grey = canvas.GetSystemColour(SystemColour::kGrayText);
  int rule = options.lineSpacing / 2 + (m_fontSize < 17 ? 0 : m_fontSize / 16) + 1;
  // The rule stays in the space between the line and the one above it,
  // clear of the glyphs of both.
  auto drawRule = [&](int line) {
    if (line < 1) return;
    const LineRecord& below = m_lineT[static_cast<size_t>(line)];
    const LineRecord& above = m_lineT[static_cast<size_t>(line) - 1];
    int gapTop = above.y + above.height;
    if (gapTop >= below.y) return;
    int y = std::clamp(below.y - rule, gapTop, below.y - 1);
    canvas.DashedLine(m_fontSize / 4, right - m_fontSize / 4, y - scrollY, grey);
  };

  int first = LineFromY(scrollY);
  for (int line = 0; line < first; ++line) DrawLine(d, line);
  d.drawing = true;
  bool previousFigure = false;
  for (int line = first; line < m_lineCount; ++line) {
    if (m_lineT[static_cast<size_t>(line)].y > bottom + scrollY) {
      if (ruled && !previousFigure) drawRule(line);
      break;
    }
    if (ruled && line > first && !previousFigure) drawRule(line);
    DrawLine(d, line);
    previousFigure = d.lineHasFigure;
  }
  canvas.SelectFont(previous);
  return 0;
}

void CLineMgr::DrawLine(DrawState& d, int line) {
  const LineRecord& rec = m_lineT[static_cast<size_t>(line)];
  int end = std::min<int>(m_lineT[static_cast<size_t>(line) + 1].start, rec.start + kMaxDrawnLine);
  d.x = rec.x;
  d.top = rec.y;
  d.lineHasFigure = false;
  d.runLen = 0;
  bool highlight = d.options->bHighlight != 0;
  int i = rec.start;
  while (i < end && m_text[i] != 0) {
    if (highlight) {
      while (d.inHighlight && d.hl < m_colorCount) {
        const HighlightRecord& h = m_colorT[static_cast<size_t>(d.hl)];
        if (i < h.start + h.length) break;
        FlushRun(d);
        PopColour(d);
        d.inHighlight = false;
        ++d.hl;
      }
      if (!d.inHighlight && d.hl < m_colorCount && i >= m_colorT[static_cast<size_t>(d.hl)].start) {
        FlushRun(d);
        PushColour(d, d.highlight);
        d.inHighlight = true;
      }
    }
    char16_t c = m_text[i];
    if (c == u'\r' || c == u'\n') break;
    int tagLen = c == u'<' ? TagLength(m_text, i, m_textLen) : 0;
    int entLen = c == u'&' ? EntityLength(m_text, i, m_textLen) : 0;
    if (tagLen > 0) {
      FlushRun(d);
      DrawTag(d, i, tagLen);
      i += tagLen;
    } else if (entLen > 0) {
      DrawEntity(d, i, entLen);
      i += entLen;
    } else {
      if (d.runLen < kMaxDrawnLine) d.run[d.runLen++] = c;
      ++i;
    }
  }
  FlushRun(d);
}

void CLineMgr::DrawEntity(DrawState& d, int i, int len) {
  const char16_t* p = m_text + i;
  auto add = [&](char16_t c) {
    if (d.runLen < kMaxDrawnLine) d.run[d.runLen++] = c;
  };
  if (MarkupIs(p, len, "&amp;")) return add(u'&');
  if (MarkupIs(p, len, "&lt;")) return add(u'<');
  if (MarkupIs(p, len, "&gt;")) return add(u'>');
  uint32_t code = 0;
  bool gaiji = len == static_cast<int>(kGaijiEntityLength) && ReadMarkupHex(p + 2, 4, &code);
  char16_t kind = gaiji ? p[1] : 0;
  if (kind == u'c') return add(kMissingGlyph);
  if (kind == u'g') {
    char16_t u = IsGb2312Code(code) ? Gb2312ToUtf16(code) : 0;
    return add(u != 0 ? u : kMissingGlyph);
  }
  FlushRun(d);
  int w = 0, h = 0;
  EntitySize(i, len, &w, &h);
  if (kind == u'h' || kind == u'z') {
    Glyph glyph;
    // On a fine screen the glyph comes from the font nearest the device
    // pixels it covers, so that a 16-dot gaiji shown at twice the density
    // is drawn from the book's 32-dot font where it has one.
    int size = d.pixelRatio == 1 ? m_gaijiSize : NearestGaijiSize(d.gaijiSizes, h * d.pixelRatio);
    if (d.drawing && d.book->GetGlyph(kind == u'h', size, static_cast<uint16_t>(code), &glyph)) {
      CBitmapImage image;
      GlyphToImage(glyph, &image);
      if (image.Width() > 0) d.canvas->DrawImage(image, d.x - d.scrollX, d.top - d.scrollY, w, h);
    }
  }
  d.x += w;
}

void CLineMgr::DrawTag(DrawState& d, int i, int tagLen) {
  const char16_t* p = m_text + i;
  const int n = tagLen;
  const bool ul = d.options->bULLink != 0;
  if (MarkupIs(p, n, kTagLink) || MarkupIs(p, n, kTagMenu) || MarkupIs(p, n, kTagMov) ||
      MarkupIs(p, n, kTagWav) || MarkupIs(p, n, kTagUrl)) {
    if (ul) d.flags |= kUnderline;
    PushColour(d, d.link);
  } else if (MarkupStarts(p, n, "</LINK") || MarkupStarts(p, n, "</MENU") || MarkupStarts(p, n, "</MOV") ||
             MarkupStarts(p, n, "</WAV") || MarkupStarts(p, n, "</URL")) {
    if (ul) d.flags &= ~kUnderline;
    PopColour(d);
  } else if (MarkupIs(p, n, kTagHead)) {
    PushColour(d, d.title);
  } else if (MarkupIs(p, n, kTagHeadEnd) || MarkupIs(p, n, kTagColourEnd)) {
    PopColour(d);
  } else if (MarkupIs(p, n, kTagBold)) {
    d.flags |= kBold;
  } else if (MarkupIs(p, n, kTagItalic)) {
    d.flags |= kItalic;
  } else if (MarkupIs(p, n, kTagBoldEnd)) {
    d.flags &= ~(kBold | kItalic);
  } else if (MarkupIs(p, n, kTagItalicEnd)) {
    d.flags &= ~(kBold | kItalic);
    d.x += m_italicOverhang;
  } else if (MarkupIs(p, n, kTagUnderline)) {
    d.flags |= kUnderline;
  } else if (MarkupIs(p, n, kTagUnderlineEnd)) {
    d.flags &= ~kUnderline;
  } else if (MarkupIs(p, n, kTagSup) || MarkupIs(p, n, kTagSupEnd)) {
    d.flags = p[1] == u'/' ? d.flags & ~kSmall : d.flags | kSmall;
    d.baseline = 0;
  } else if (MarkupIs(p, n, kTagSub) || MarkupIs(p, n, kTagSubEnd)) {
    bool on = p[1] != u'/';
    d.flags = on ? d.flags | kSmall : d.flags & ~kSmall;
    d.baseline = on ? m_fontSize / 2 - 2 : 0;
  } else if (MarkupStarts(p, n, kTagColourPrefix) && n == static_cast<int>(kColourTagLength)) {
    uint32_t value = 0;
    if (ReadMarkupHex(p + kColourValuePos, 6, &value)) PushColour(d, TextColour(d, value));
  } else if (MarkupStarts(p, n, kTagTabPrefix) && n == static_cast<int>(kTabTagLength)) {
    int column = 0;
    if (ReadMarkupDecimal(p + kTabValuePos, 2, &column)) {
      int x = column * m_fontSize;
      if (x > d.x && x < m_viewWidth) d.x = x;
    }
  } else if (MarkupStarts(p, n, kTagIndentPrefix)) {
    d.colour = d.defaultColour;
    d.canvas->SetTextColour(d.colour);
  } else if (MarkupIs(p, n, kTagFig)) {
    PushColour(d, d.link);
  } else if (MarkupStarts(p, n, kTagFigEndPrefix) && n == static_cast<int>(kFigEndTagLength)) {
    PopColour(d);
    DrawFigure(d, i, false);
  } else if (MarkupStarts(p, n, kTagInlineEndPrefix) && n == static_cast<int>(kFigEndTagLength)) {
    DrawFigure(d, i, true);
  } else if (MarkupStarts(p, n, kTagColourChartPrefix) && n == static_cast<int>(kColourChartTagLength)) {
    int number = 0;
    std::u16string name;
    Colour colour = 0;
    if (ReadMarkupDecimal(p + kColourChartValuePos, 3, &number) && d.drawing &&
        d.book->GetColourChart(number, &name, &colour)) {
      d.canvas->FillRect(d.x - d.scrollX, d.top - d.scrollY, kSwatchWidth, kSwatchHeight, colour);
      d.x += kSwatchAdvance;
      name.resize(std::min(name.size(), kMaxChartName));
      d.canvas->SelectFont(StyleFont(d.flags));
      d.canvas->DrawText(d.x - d.scrollX, d.top - d.scrollY, name.data(), static_cast<int>(name.size()));
      d.x += d.canvas->MeasureText(name.data(), static_cast<int>(name.size())).width;
    }
  }
}

// The size a picture of w x h is drawn at: a figure wider than the view is
// fitted to it when stretching is on; inline images are never scaled.
void CLineMgr::FigureDrawSize(bool inlineImage, bool stretch, int* w, int* h) const {
  if (inlineImage || !stretch || *w <= m_viewWidth || m_viewWidth <= 0) return;
  double scale = static_cast<double>(m_viewWidth) / *w;
  *w = static_cast<int>(*w * scale);
  *h = static_cast<int>(*h * scale);
}

// A figure below its caption, or an inline image at the pen.
void CLineMgr::DrawFigure(DrawState& d, int i, bool inlineImage) {
  if (!d.options->bInlineImage) return;
  const char16_t* p = m_text + i;
  uint32_t page = 0, offset = 0;
  int w = 0, h = 0, kind = 0;
  if (!ReadMarkupHex(p + kFigEndPagePos, 8, &page) || !ReadMarkupHex(p + kFigEndOffsetPos, 4, &offset) ||
      !ReadMarkupDecimal(p + kFigEndWidthPos, 4, &w) || !ReadMarkupDecimal(p + kFigEndHeightPos, 4, &h) ||
      !ReadMarkupDecimal(p + kFigEndKindPos, 1, &kind)) {
    return;
  }
  if (static_cast<int32_t>(page) < 1) return;
  if (!inlineImage) d.lineHasFigure = true;
  // Lines above the view are walked only for their styles and colours.
  if (!d.drawing) return;
  if (kind == kImageMonochrome && (w < 1 || w > 2048 || h < 1 || h > 2048)) return;
  // A colour picture's own size comes from its headers where the book can
  // read them, so that one drawn smaller than it is decodes smaller too.
  bool sized = kind != kImageMonochrome && d.book->ImageSize(kind, static_cast<int32_t>(page),
                                                             static_cast<int>(offset), &w, &h);
  int dw = w, dh = h;
  if (sized) FigureDrawSize(inlineImage, d.options->bStretchImg != 0, &dw, &dh);
  // A picture drawn smaller than it is decodes only as fine as the device
  // shows it.
  int fit = static_cast<int>(std::ceil(dw * d.pixelRatio));
  CBitmapImage image;
  if (!d.book->LoadImage(kind, static_cast<int32_t>(page), static_cast<int>(offset), w, h,
                         sized && fit < w ? fit : 0, &image))
    return;
  if (!sized) {
    dw = image.Width(), dh = image.Height();
    FigureDrawSize(inlineImage, d.options->bStretchImg != 0, &dw, &dh);
  }
  if (inlineImage) {
    if (d.drawing) d.canvas->DrawImage(image, d.x - d.scrollX, d.top - d.scrollY, dw, dh);
    d.x += dw;
    return;
  }
  int x = m_indent + dw < m_viewWidth ? m_indent : 0;
  d.canvas->DrawImage(image, x - d.scrollX, d.top + m_lineHeight - d.scrollY, dw, dh);
}
