// CQtCanvas: the line manager's canvas over a QPainter, for the windows and
// for rendering entries to images.
//
// Fonts are built from the manager's descriptions once and kept under
// their serial: pixel size, weight 700 for bold, italic, underline, and
// antialiasing only when ClearType is on. A font's ascent and descent are
// the face's own (QFontMetricsF), rounded up, so that an antialiased edge
// stays inside the line too. Text is measured as the sum of its
// characters' advances, each looked up once per font, and drawn without
// kerning or shaping where the script needs none, so what is drawn is
// exactly as wide as what was measured, as with GDI text. A face that
// fontconfig cannot find falls back to the Japanese face, so that the
// Windows default "ＭＳ Ｐゴシック" keeps working. Inversion XORs with white, so that doing
// it twice restores the pixels; the painter's device should be an RGB32
// image or a widget for that.
//
// The system colours are those of a text view in the palette (the
// application's unless SetPalette gives the widget's): Base behind the
// text, Text for it, disabled Text for ruled lines.
//
// Fine screens. Coordinates are the painter's logical pixels; the device
// may have more (DevicePixelRatio), and text, drawn by Qt at the device's
// resolution, stays sharp. Bitmaps are scaled to the size asked for: dot
// for dot where every dot becomes a whole square of device pixels (their
// own size, or a whole multiple of it: twice on a double-density screen),
// smoothly at any other scale, where some dots would come out wider than
// others.
#ifndef TOMELING_VIEWS_QT_CANVAS_H_
#define TOMELING_VIEWS_QT_CANVAS_H_

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

#include "layout/canvas.h"

class CBitmapImage;

// The face used when a configured one is not installed.
inline constexpr const char* kFallbackFace = "Noto Sans CJK JP";

QColor ToQColor(Colour colour);
// A book image as a QImage; 1-bit images take `ink` for their 0 bits and
// `paper` for their 1 bits.
QImage ToQImage(const CBitmapImage& image, QColor ink, QColor paper);
// Device pixels per logical pixel of what `painter` paints on: the
// screen's or the image's ratio, times any scale the painter applies.
double DevicePixelRatioOf(const QPainter& painter);
// Whether a bitmap of `image` pixels drawn over `device` pixels is
// smoothed (see above).
bool ScalesSmoothly(QSize image, QSizeF device);

class CQtCanvas : public CCanvas {
 public:
  explicit CQtCanvas(QPainter& painter);

  const FontDesc* SelectFont(const FontDesc* font) override;
  TextExtent MeasureText(const char16_t* text, int n) override;
  FontMetrics Metrics() override { return Current().vertical; }
  void DrawText(int x, int y, const char16_t* text, int n) override;
  void SetTextColour(Colour colour) override { m_text = ToQColor(colour); }
  void SetBackgroundColour(Colour colour) override { m_background = ToQColor(colour); }
  void FillRect(int x, int y, int width, int height, Colour colour) override;
  void InvertRect(int x, int y, int width, int height) override;
  void DashedLine(int x0, int x1, int y, Colour colour) override;
  void DrawImage(const CBitmapImage& image, int x, int y, int width, int height) override;
  Colour GetSystemColour(SystemColour which) override;
  double DevicePixelRatio() override { return DevicePixelRatioOf(m_painter); }
  // The palette the system colours come from.
  void SetPalette(const QPalette& palette) { m_palette = palette; }

 private:
  // Advances of the characters of one 256-character block; -1 unknown.
  using AdvanceBlock = std::array<int16_t, 256>;
  struct Built {
    QFont font;
    std::unique_ptr<QFontMetrics> metrics;
    FontMetrics vertical;  // rounded up from the exact measures
    int pixelSize = 0;
    std::array<std::unique_ptr<AdvanceBlock>, 256> advances;
  };
  Built& Current();
  static int Advance(Built& b, char16_t c);

  QPainter& m_painter;
  const FontDesc* m_font = nullptr;
  Built* m_current = nullptr;
  std::unordered_map<uint64_t, Built> m_fonts;
  QColor m_text{Qt::black};
  QColor m_background{Qt::white};
  std::optional<QPalette> m_palette;
};

#endif  // TOMELING_VIEWS_QT_CANVAS_H_
