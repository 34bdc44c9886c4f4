#include "views/qt_canvas.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QBrush>
#include <QTransform>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "decode/bitmap_image.h"

QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QImage ToQImage(const CBitmapImage& image, QColor ink, QColor paper) {
  int w = image.Width(), h = image.Height();
  if (w <= 0 || h <= 0) return {};
  if (image.BitsPerPixel() == 1) {
    QImage out(w, h, QImage::Format_Mono);
    out.setColorTable({ink.rgb(), paper.rgb()});
    size_t bytes = std::min<size_t>(image.Stride(), static_cast<size_t>(out.bytesPerLine()));
    for (int y = 0; y < h; ++y) std::memcpy(out.scanLine(y), image.ScanLine(y), bytes);
    return out;
  }
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) row[x] = 0xFF000000u | image.PixelRgb(x, y);
  }
  return out;
}

CQtCanvas::CQtCanvas(QPainter& painter) : m_painter(painter) {}

CQtCanvas::Built& CQtCanvas::Current() {
  if (m_current != nullptr) return *m_current;
  static const FontDesc kDefault;
  const FontDesc& d = m_font != nullptr ? *m_font : kDefault;
  Built& b = m_fonts[d.serial];
  if (!b.metrics) {
    QString face = QString::fromStdU16String(d.face);
    QFont font;
    font.setFamilies({face, QString::fromLatin1(kFallbackFace)});
    font.setPixelSize(d.pixelSize > 0 ? d.pixelSize : 1);
    font.setWeight(d.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(
        (d.antialias ? QFont::PreferAntialias : QFont::NoAntialias) | QFont::PreferNoShaping));
    font.setKerning(false);
    b.font = font;
    b.metrics = std::make_unique<QFontMetrics>(font);
    QFontMetricsF exact(font);
    b.vertical.ascent = static_cast<int>(std::ceil(exact.ascent()));
    b.vertical.descent = static_cast<int>(std::ceil(exact.descent()));
    b.pixelSize = d.pixelSize;
  }
  m_current = &b;
  return b;
}

const FontDesc* CQtCanvas::SelectFont(const FontDesc* font) {
  const FontDesc* previous = m_font;
  if (font != m_font) {
    m_font = font;
    m_current = nullptr;
  }
  return previous;
}

int CQtCanvas::Advance(Built& b, char16_t c) {
  std::unique_ptr<AdvanceBlock>& block = b.advances[c >> 8];
  if (!block) {
    block = std::make_unique<AdvanceBlock>();
    block->fill(-1);
  }
  int16_t& advance = (*block)[c & 0xFF];
  if (advance < 0) advance = static_cast<int16_t>(std::clamp(b.metrics->horizontalAdvance(QChar(c)), 0, 0x7FFF));
  return advance;
}

TextExtent CQtCanvas::MeasureText(const char16_t* text, int n) {
  Built& b = Current();
  const int height = b.vertical.ascent + b.vertical.descent;
  if (n <= 0) return {0, height};
  int width = 0;
  for (int i = 0; i < n; ++i) {
    if (QChar::isSurrogate(text[i])) {
      // Characters beyond the BMP are rare: measured pair by pair.
      int len = QChar::isHighSurrogate(text[i]) && i + 1 < n && QChar::isLowSurrogate(text[i + 1]) ? 2 : 1;
      width += b.metrics->horizontalAdvance(QString::fromUtf16(text + i, len));
      i += len - 1;
    } else {
      width += Advance(b, text[i]);
    }
  }
  return {width, height};
}

void CQtCanvas::DrawText(int x, int y, const char16_t* text, int n) {
  if (n <= 0) return;
  Built& b = Current();
  m_painter.setFont(b.font);
  m_painter.setPen(m_text);
  m_painter.drawText(x, y + b.vertical.ascent, QString::fromUtf16(text, n));
}

void CQtCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  m_painter.fillRect(x, y, width, height, ToQColor(colour));
}

void CQtCanvas::InvertRect(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  m_painter.save();
  m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  m_painter.fillRect(x, y, width, height, Qt::white);
  m_painter.restore();
}

// A dashed line is a one-pixel span filled with a tile of one dash and its
// gap: much cheaper than stroking a dashed pen, which a paint does for
// every line of the screen.
void CQtCanvas::DashedLine(int x0, int x1, int y, Colour colour) {
  if (x1 <= x0) return;
  static constexpr int kDash = 4, kGap = 2;
  QImage tile(kDash + kGap, 1, QImage::Format_ARGB32_Premultiplied);
  tile.fill(Qt::transparent);
  const QRgb ink = ToQColor(colour).rgb();
  for (int x = 0; x < kDash; ++x) tile.setPixel(x, 0, ink);
  QBrush brush(tile);
  brush.setTransform(QTransform::fromTranslate(x0, y));
  m_painter.fillRect(x0, y, x1 - x0, 1, brush);
}

double DevicePixelRatioOf(const QPainter& painter) {
  // The device transform holds the device's ratio whether the painter is
  // on a widget, on an image with a ratio of its own, or redirected (a
  // widget rendered into an image).
  const QTransform t = painter.deviceTransform();
  double ratio = std::sqrt(std::fabs(t.determinant()));
  return ratio > 0 ? ratio : 1.0;
}

bool ScalesSmoothly(QSize image, QSizeF device) {
  if (image.isEmpty()) return false;
  auto whole = [](double device, int own) {
    double k = device / own;
    return k >= 1 - 1e-6 && std::fabs(k - std::round(k)) < 1e-6;
  };
  return !(whole(device.width(), image.width()) && whole(device.height(), image.height()));
}

void CQtCanvas::DrawImage(const CBitmapImage& image, int x, int y, int width, int height) {
  QImage img = ToQImage(image, m_text, m_background);
  if (img.isNull() || width <= 0 || height <= 0) return;
  const bool was = m_painter.testRenderHint(QPainter::SmoothPixmapTransform);
  const bool smooth = ScalesSmoothly(img.size(), QSizeF(width, height) * DevicePixelRatio());
  if (smooth != was) m_painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
  m_painter.drawImage(QRect(x, y, width, height), img);
  if (smooth != was) m_painter.setRenderHint(QPainter::SmoothPixmapTransform, was);
}

Colour CQtCanvas::GetSystemColour(SystemColour which) {
  const QPalette palette = m_palette ? *m_palette : QGuiApplication::palette();
  QColor c;
  switch (which) {
    case SystemColour::kWindowText: c = palette.color(QPalette::Text); break;
    case SystemColour::kWindow: c = palette.color(QPalette::Base); break;
    case SystemColour::kGrayText: c = palette.color(QPalette::Disabled, QPalette::Text); break;
  }
  return MakeColour(c.red(), c.green(), c.blue());
}
