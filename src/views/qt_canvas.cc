#include "views/qt_canvas.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QPen>
#include <QString>
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
    font.setStyleStrategy(d.antialias ? QFont::PreferAntialias : QFont::NoAntialias);
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

TextExtent CQtCanvas::MeasureText(const char16_t* text, int n) {
  Built& b = Current();
  const int height = b.vertical.ascent + b.vertical.descent;
  if (n <= 0) return {0, height};
  return {b.metrics->horizontalAdvance(QString::fromUtf16(text, n)), height};
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

void CQtCanvas::DashedLine(int x0, int x1, int y, Colour colour) {
  if (x1 <= x0) return;
  m_painter.save();
  m_painter.setPen(QPen(ToQColor(colour), 0, Qt::DashLine));
  m_painter.drawLine(x0, y, x1 - 1, y);
  m_painter.restore();
}

void CQtCanvas::DrawImage(const CBitmapImage& image, int x, int y, int width, int height) {
  QImage img = ToQImage(image, m_text, m_background);
  if (img.isNull() || width <= 0 || height <= 0) return;
  m_painter.drawImage(QRect(x, y, width, height), img);
}

Colour CQtCanvas::GetSystemColour(SystemColour which) {
  QPalette palette = QGuiApplication::palette();
  QColor c;
  switch (which) {
    case SystemColour::kWindowText: c = palette.color(QPalette::WindowText); break;
    case SystemColour::kWindow: c = palette.color(QPalette::Window); break;
    case SystemColour::kGrayText: c = palette.color(QPalette::Disabled, QPalette::Text); break;
  }
  return MakeColour(c.red(), c.green(), c.blue());
}
