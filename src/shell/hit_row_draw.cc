// See hit_row_draw.h.
#include "shell/hit_row_draw.h"

#include <algorithm>
#include <string>

#include "decode/bitmap_image.h"
#include "decode/gb2312.h"
#include "decode/markup.h"
#include "layout/layout_book.h"
#include "layout/markup_scan.h"
#include "layout/readable_colour.h"

namespace {

constexpr Colour kOwnSelection = MakeColour(0, 0, 255);
constexpr Colour kOwnUnfocusedSelection = MakeColour(0xC4, 0xC4, 0xC4);
constexpr Colour kWhite = MakeColour(255, 255, 255);
constexpr Colour kBlue = MakeColour(0, 0, 255);
constexpr char16_t kMissingGlyph = u'\u25A1';  // □
constexpr int kGaijiDots = 16;
constexpr int kRowPadding = 2;

// Draws one row's heading: runs of text, and gaiji as bitmaps.
class CHeadingPainter {
 public:
  CHeadingPainter(CCanvas& canvas, const HitRowGeometry& row, CLayoutBook* book, int x, int textTop)
      : m_canvas(canvas), m_row(row), m_book(book), m_x(x), m_right(row.left + row.width), m_textTop(textTop) {}

  void Paint(std::u16string_view text) {
    const char16_t* t = text.data();
    const int len = static_cast<int>(text.size());
    for (int i = 0; i < len && m_x < m_right;) {
      char16_t c = t[i];
      if (c == 0 || c == u'\r' || c == u'\n') break;
      int tagLen = c == u'<' ? TagLength(t, i, len) : 0;
      int entLen = c == u'&' ? EntityLength(t, i, len) : 0;
      if (tagLen > 0) {
        i += tagLen;
      } else if (entLen > 0 && Entity(t + i, entLen)) {
        i += entLen;
      } else {
        m_run.push_back(c);
        ++i;
      }
    }
    Flush();
  }

 private:
  // False for an entity that is only text.
  bool Entity(const char16_t* p, int len) {
    if (MarkupIs(p, len, "&amp;")) return Add(u'&');
    if (MarkupIs(p, len, "&lt;")) return Add(u'<');
    if (MarkupIs(p, len, "&gt;")) return Add(u'>');
    uint32_t code = 0;
    if (len != static_cast<int>(kGaijiEntityLength) || !ReadMarkupHex(p + 2, 4, &code)) return false;
    switch (p[1]) {
      case u'c':
        return Add(kMissingGlyph);
      case u'g': {
        char16_t u = IsGb2312Code(code) ? Gb2312ToUtf16(code) : 0;
        return Add(u != 0 ? u : kMissingGlyph);
      }
      case u'h':
      case u'z':
        Flush();
        if (m_x < m_right) Gaiji(p[1] == u'h', static_cast<uint16_t>(code));
        return true;
      default:
        return false;
    }
  }

  bool Add(char16_t c) {
    m_run.push_back(c);
    return true;
  }

  void Gaiji(bool half, uint16_t code) {
    int w = 0, h = 0;
    HitRowGaijiSize(half, m_row.fontSize, m_row.adjustGaiji, &w, &h);
    Glyph glyph;
    // The 16-dot font, or on a fine screen the one nearest the device
    // pixels the gaiji covers.
    double ratio = m_canvas.DevicePixelRatio();
    int dots = ratio == 1 || m_book == nullptr ? kGaijiDots : NearestGaijiSize(m_book->GaijiSizes(), h * ratio);
    if (m_book != nullptr && m_book->GetGlyph(half, dots, code, &glyph)) {
      CBitmapImage image;
      GlyphToImage(glyph, &image);
      if (image.Width() > 0) m_canvas.DrawImage(image, m_x, m_row.top + (m_row.height - h) / 2, w, h);
    }
    m_x += w;
  }

  void Flush() {
    if (m_run.empty()) return;
    int n = static_cast<int>(m_run.size());
    m_canvas.DrawText(m_x, m_textTop, m_run.data(), n);
    m_x += m_canvas.MeasureText(m_run.data(), n).width;
    m_run.clear();
  }

  CCanvas& m_canvas;
  const HitRowGeometry& m_row;
  CLayoutBook* m_book;
  int m_x;
  int m_right;
  int m_textTop;
  std::u16string m_run;
};

}  // namespace

RowColours HitRowColours(bool selected, bool listFocused, const RowColourSet& set,
                         const SystemRowColours& system) {
  constexpr Colour kRgbMask = 0xFFFFFF;
  if (set.useSystemColours) {
    if (selected && listFocused) return {system.highlight, system.highlightedText, system.highlightedText};
    if (selected) return {system.window, system.windowText, system.windowText};
    // Blue names were made for a white list; a dark one needs them lighter.
    return {system.base, ReadableOn(kBlue, system.base), ReadableOn(system.windowText, system.base)};
  }
  if (selected && listFocused) return {kOwnSelection, ~set.title & kRgbMask, kWhite};
  if (selected) return {kOwnUnfocusedSelection, set.text, set.text};
  return {set.background, set.title, set.text};
}

void HitRowGaijiSize(bool half, int fontSize, bool adjustGaiji, int* width, int* height) {
  int size = adjustGaiji && fontSize != kGaijiDots && fontSize > 0 ? fontSize : kGaijiDots;
  *height = size;
  *width = half ? size / 2 : size;
}

int HitRowHeight(CCanvas& canvas, const FontDesc* const fonts[], int count, int fontSize, bool adjustGaiji) {
  int width = 0, tallest = 0;
  HitRowGaijiSize(false, fontSize, adjustGaiji, &width, &tallest);
  const FontDesc* previous = canvas.SelectFont(nullptr);
  for (int f = 0; f < count; ++f) {
    canvas.SelectFont(fonts[f]);
    FontMetrics m = canvas.Metrics();
    tallest = std::max(tallest, m.ascent + m.descent);
  }
  canvas.SelectFont(previous);
  return tallest + 2 * kRowPadding;
}

void DrawHitRow(CCanvas& canvas, const HitRowGeometry& row, const RowColours& colours, const FontDesc& font,
                std::u16string_view name, std::u16string_view heading, CLayoutBook* book) {
  canvas.FillRect(row.left, row.top, row.width, row.height, colours.background);
  canvas.SetBackgroundColour(colours.background);
  const FontDesc* previous = canvas.SelectFont(&font);
  FontMetrics m = canvas.Metrics();
  int textTop = row.top + (row.height - m.ascent - m.descent) / 2;
  // The name keeps out of the heading's way, whatever its font's widths.
  int n = row.headingX > 0 ? static_cast<int>(name.size()) : 0;
  while (n > 0 && canvas.MeasureText(name.data(), n).width > row.headingX) --n;
  if (n > 0) {
    canvas.SetTextColour(colours.name);
    canvas.DrawText(row.left, textTop, name.data(), n);
  }
  canvas.SetTextColour(colours.heading);
  CHeadingPainter(canvas, row, book, row.left + row.headingX, textTop).Paint(heading);
  canvas.SelectFont(previous);
}
