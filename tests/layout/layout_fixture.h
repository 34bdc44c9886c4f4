// Shared set-up of the layout tests: a line manager with a 16-pixel font on
// the fixed canvas (8 pixels below U+0100, 16 above), 160 pixels wide, and
// a book that answers what the tests give it.
#ifndef TOMELING_TESTS_LAYOUT_LAYOUT_FIXTURE_H_
#define TOMELING_TESTS_LAYOUT_LAYOUT_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/bitmap_image.h"
#include "layout/fixed_canvas.h"
#include "layout/line_mgr.h"

class CTestBook : public CLayoutBook {
 public:
  int Face() const override { return face; }
  bool IsEbCatalog() const override { return ebCatalog; }
  int GaijiSizes() const override { return sizes; }
  bool GetGlyph(bool half, int size, uint16_t code, Glyph* out) override {
    if (code != glyphCode) return false;
    out->width = half ? size / 2 : size;
    out->height = size;
    for (int k = 0; k < kMaxGlyphBytes; ++k) out->bits[k] = 0xFF;
    return true;
  }
  bool LoadImage(int, int32_t, int, int width, int height, int fitWidth, CBitmapImage* out) override {
    fitWidths.push_back(fitWidth);
    return out->Allocate(width > 0 ? width : imageWidth, height > 0 ? height : imageHeight, 24, false);
  }
  // With `headerSizes`, colour images tell their size without loading.
  bool ImageSize(int kind, int32_t, int, int* width, int* height) override {
    if (!headerSizes || kind != 1) return false;
    *width = imageWidth;
    *height = imageHeight;
    ++sizeReads;
    return true;
  }
  bool GetColourChart(int number, std::u16string* name, Colour* colour) override {
    if (number != 7) return false;
    *name = u"red";
    *colour = MakeColour(255, 0, 0);
    return true;
  }
  int face = 0;
  bool ebCatalog = true;
  int sizes = kGaiji16;
  uint16_t glyphCode = 0xA121;
  int imageWidth = 40, imageHeight = 30;
  bool headerSizes = false;
  int sizeReads = 0;
  std::vector<int> fitWidths;  // of every LoadImage
};

class LayoutTest : public ::testing::Test {
 protected:
  static constexpr int kSize = 16;
  static constexpr int kWidth = 160;

  LayoutTest() {
    mgr.SetFonts(u"A", u"B", u"C", kSize, true, true, true);
    mgr.SetViewWidth(kWidth);
    mgr.SetIndent(0, 2);
  }

  int Lay(const std::u16string& t) {
    text = t;
    mgr.SetIndent(0, leftMargin);
    return mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, &book, options);
  }
  int Start(int line) const { return mgr.Lines()[static_cast<size_t>(line)].start; }
  const LineRecord& Line(int line) const { return mgr.Lines()[static_cast<size_t>(line)]; }
  void DrawAll() {
    canvas.ClearRecords();
    int w = 0, h = 0;
    mgr.GetExtent(&w, &h);
    mgr.Draw(text.data(), 0, 0, w, h, 0, 0, canvas, &book, options);
  }
  // The text runs drawn, in order.
  std::u16string DrawnText() const {
    std::u16string all;
    for (const auto& r : canvas.Records()) {
      if (r.op == CFixedCanvas::Op::kText) all += r.text;
    }
    return all;
  }

  CLineMgr mgr;
  CFixedCanvas canvas;
  CTestBook book;
  LayoutOptions options;
  std::u16string text;
  int leftMargin = 2;
};

#endif  // TOMELING_TESTS_LAYOUT_LAYOUT_FIXTURE_H_
