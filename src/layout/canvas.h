// CCanvas: the drawing surface the line manager measures and draws through.
//
// It names only what layout and drawing need, so the engine stays free of
// any toolkit: the Qt canvas (views/qt_canvas.h) draws on a QPainter, the
// fixed canvas (layout/fixed_canvas.h) gives every character a known
// advance so that layout can be checked without installed fonts.
//
// Colours are colour-reference values, 0x00BBGGRR (red in the low byte).
// Fonts are described by FontDesc records that the line manager owns; a
// canvas may cache whatever it builds from one under its `serial`, which
// changes whenever the description does.
#ifndef TOMELING_LAYOUT_CANVAS_H_
#define TOMELING_LAYOUT_CANVAS_H_

#include <cstdint>
#include <string>

class CBitmapImage;

using Colour = uint32_t;

inline constexpr Colour MakeColour(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct FontDesc {
  std::u16string face;
  int pixelSize = 13;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool antialias = true;  // ClearType on
  uint64_t serial = 0;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// The vertical measures of a font, in whole pixels rounded up: text drawn
// at y has its baseline at y + ascent, and no glyph of the font reaches
// above y or down to y + ascent + descent. Desktop CJK faces reach well
// beyond their pixel size (ascent and descent together near one and a
// half times it), so lines are as tall as this, not the pixel size.
struct FontMetrics {
  int ascent = 0;
  int descent = 0;
};

enum class SystemColour { kWindowText, kWindow, kGrayText };

class CCanvas {
 public:
  virtual ~CCanvas() = default;

  // Makes `font` current (nullptr keeps none) and returns the one before.
  virtual const FontDesc* SelectFont(const FontDesc* font) = 0;
  // Extent of `n` characters in the current font; the height is the font's
  // ascent plus descent.
  virtual TextExtent MeasureText(const char16_t* text, int n) = 0;
  // Of the current font.
  virtual FontMetrics Metrics() = 0;
  // Draws `n` characters with their top-left at (x, y), in the text colour:
  // the baseline at y + Metrics().ascent.
  virtual void DrawText(int x, int y, const char16_t* text, int n) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetBackgroundColour(Colour colour) = 0;
  virtual void FillRect(int x, int y, int width, int height, Colour colour) = 0;
  // Inverts every pixel of the rectangle; doing it twice restores it.
  virtual void InvertRect(int x, int y, int width, int height) = 0;
  // A dashed horizontal line from x0 to x1 (exclusive) at y.
  virtual void DashedLine(int x0, int x1, int y, Colour colour) = 0;
  // Draws `image` with its top-left at (x, y), scaled to width x height
  // when they differ from the image's own size. Monochrome images draw
  // their 0 bits (ink) in the text colour and 1 bits in the background.
  virtual void DrawImage(const CBitmapImage& image, int x, int y, int width, int height) = 0;
  virtual Colour GetSystemColour(SystemColour which) = 0;
  // Device pixels per unit of the coordinates above: 2 on a double-density
  // screen. Bitmaps drawn smaller than the device shows them (gaiji) may
  // be taken from a finer source.
  virtual double DevicePixelRatio() { return 1.0; }
};

#endif  // TOMELING_LAYOUT_CANVAS_H_
