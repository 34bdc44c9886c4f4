// CFixedCanvas: a canvas with known advance widths, for tests, fuzzing and
// benchmarks, so that layout never depends on the fonts installed.
//
// A character below U+0100 is half the current font's pixel size wide, any
// other a full one. Ascent and descent are shares of the pixel size, by
// default all of it and nothing, so that an extent is as high as the font;
// SetMetrics gives the canvas the taller measures of a desktop CJK face.
// Drawing keeps a list of the operations (text runs with their colour and
// font, images, lines, inversions) instead of pixels.
#ifndef TOMELING_LAYOUT_FIXED_CANVAS_H_
#define TOMELING_LAYOUT_FIXED_CANVAS_H_

#include <string>
#include <vector>

#include "layout/canvas.h"

class CFixedCanvas : public CCanvas {
 public:
  enum class Op { kText, kFill, kInvert, kDashedLine, kImage };
  struct Record {
    Op op;
    int x, y, width, height;
    std::u16string text;
    Colour colour;          // text colour, or the fill or line colour
    const FontDesc* font;   // for text
  };

  const FontDesc* SelectFont(const FontDesc* font) override;
  TextExtent MeasureText(const char16_t* text, int n) override;
  FontMetrics Metrics() override;
  void DrawText(int x, int y, const char16_t* text, int n) override;
  void SetTextColour(Colour colour) override { m_textColour = colour; }
  void SetBackgroundColour(Colour colour) override { m_background = colour; }
  void FillRect(int x, int y, int width, int height, Colour colour) override;
  void InvertRect(int x, int y, int width, int height) override;
  void DashedLine(int x0, int x1, int y, Colour colour) override;
  void DrawImage(const CBitmapImage& image, int x, int y, int width, int height) override;
  Colour GetSystemColour(SystemColour which) override;

  const std::vector<Record>& Records() const { return m_records; }
  void ClearRecords() { m_records.clear(); }
  int MeasureCalls() const { return m_measureCalls; }
  // Records nothing when off (benchmarks).
  void SetRecording(bool on) { m_recording = on; }
  // Ascent and descent in percent of the pixel size (rounded up).
  void SetMetrics(int ascentPercent, int descentPercent) {
    m_ascentPercent = ascentPercent;
    m_descentPercent = descentPercent;
  }

 private:
  const FontDesc* m_font = nullptr;
  Colour m_textColour = 0;
  Colour m_background = 0xFFFFFF;
  std::vector<Record> m_records;
  int m_measureCalls = 0;
  bool m_recording = true;
  int m_ascentPercent = 100;
  int m_descentPercent = 0;
};

#endif  // TOMELING_LAYOUT_FIXED_CANVAS_H_
