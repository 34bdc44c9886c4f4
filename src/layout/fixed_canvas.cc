#include "layout/fixed_canvas.h"

const FontDesc* CFixedCanvas::SelectFont(const FontDesc* font) {
  const FontDesc* previous = m_font;
  m_font = font;
  return previous;
}

TextExtent CFixedCanvas::MeasureText(const char16_t* text, int n) {
  ++m_measureCalls;
  int size = m_font != nullptr ? m_font->pixelSize : 13;
  int width = 0;
  for (int i = 0; i < n; ++i) width += text[i] < 0x100 ? size / 2 : size;
  FontMetrics m = Metrics();
  return {width, m.ascent + m.descent};
}

FontMetrics CFixedCanvas::Metrics() {
  int size = m_font != nullptr ? m_font->pixelSize : 13;
  return {(size * m_ascentPercent + 99) / 100, (size * m_descentPercent + 99) / 100};
}

void CFixedCanvas::DrawText(int x, int y, const char16_t* text, int n) {
  if (!m_recording) return;
  FontMetrics m = Metrics();
  int height = m.ascent + m.descent;
  int width = MeasureText(text, n).width;
  m_records.push_back({Op::kText, x, y, width, height, std::u16string(text, static_cast<size_t>(n)),
                       m_textColour, m_font});
}

void CFixedCanvas::FillRect(int x, int y, int width, int height, Colour colour) {
  if (m_recording) m_records.push_back({Op::kFill, x, y, width, height, {}, colour, nullptr});
}

void CFixedCanvas::InvertRect(int x, int y, int width, int height) {
  if (m_recording) m_records.push_back({Op::kInvert, x, y, width, height, {}, 0, nullptr});
}

void CFixedCanvas::DashedLine(int x0, int x1, int y, Colour colour) {
  if (m_recording) m_records.push_back({Op::kDashedLine, x0, y, x1 - x0, 1, {}, colour, nullptr});
}

void CFixedCanvas::DrawImage(const CBitmapImage& /*image*/, int x, int y, int width, int height) {
  if (m_recording) m_records.push_back({Op::kImage, x, y, width, height, {}, m_textColour, nullptr});
}

Colour CFixedCanvas::GetSystemColour(SystemColour which) {
  switch (which) {
    case SystemColour::kWindowText: return 0x000000;
    case SystemColour::kWindow: return 0xFFFFFF;
    case SystemColour::kGrayText: return 0x808080;
  }
  return 0;
}
