// Pixels drawn by the line manager through the Qt canvas on an offscreen
// image: the selection's inversions, ruled lines and gaiji bitmaps.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "decode/bitmap_image.h"
#include "layout/line_mgr.h"
#include "views/qt_canvas.h"
#include "widget_test_util.h"

namespace {

class CGlyphBook : public CLayoutBook {
 public:
  bool GetGlyph(bool half, int size, uint16_t code, Glyph* out) override {
    if (code != 0x2121) return false;
    out->width = half ? size / 2 : size;
    out->height = size;
    for (int k = 0; k < kMaxGlyphBytes; ++k) out->bits[k] = 0xFF;  // all ink
    return true;
  }
};

class QtCanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  QtCanvasTest() : image(kWidth, kHeight, QImage::Format_RGB32) {
    mgr.SetFonts(u"ＭＳ Ｐゴシック", u"A", u"B", kSize, false, true, true);
    mgr.SetViewWidth(kWidth);
    options.searchString.clear();
  }

  void LayAndDraw(const std::u16string& t) {
    text = t;
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtCanvas canvas(painter);
    mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, &book, options);
    mgr.Draw(text.data(), 0, 0, kWidth, kHeight, 0, 0, canvas, &book, options);
  }
  template <typename F>
  void Paint(F f) {
    QPainter painter(&image);
    CQtCanvas canvas(painter);
    f(canvas);
  }
  bool RowBlank(int y) const {
    for (int x = 0; x < kWidth; ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    }
    return true;
  }

  static constexpr int kWidth = 200, kHeight = 120, kSize = 16;
  CLineMgr mgr;
  CGlyphBook book;
  LayoutOptions options;
  std::u16string text;
  QImage image;
};

TEST_F(QtCanvasTest, SelectionInvertsOnlyWhatChanges) {
  LayAndDraw(u"selection text\r\nそして日本語の行\r\nlast line");
  const QImage original = image.copy();
  Paint([&](CCanvas& c) { mgr.SetSelection(2, 20, c, 0, 0); });
  EXPECT_NE(image, original);
  Paint([&](CCanvas& c) { mgr.ClearSelection(c, 0, 0); });
  EXPECT_EQ(image, original);  // drawn twice: gone

  Paint([&](CCanvas& c) { mgr.SetSelection(2, 5, c, 0, 0); });
  const QImage before = image.copy();
  PagePoint p5, p6;
  Paint([&](CCanvas& c) {
    p5 = mgr.PointFromChar(5, c);
    p6 = mgr.PointFromChar(6, c);
    mgr.SetSelection(2, 6, c, 0, 0);
  });
  ASSERT_GT(p6.x, p5.x);
  int changed = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      bool inCell = x >= p5.x && x < p6.x && y >= p5.y && y < p5.y + kSize;
      bool differs = image.pixel(x, y) != before.pixel(x, y);
      EXPECT_EQ(differs, inCell) << x << "," << y;
      changed += differs;
      if (differs != inCell) return;
    }
  }
  EXPECT_EQ(changed, (p6.x - p5.x) * kSize);
}

TEST_F(QtCanvasTest, RuledLinesOnlyAboveTwoSixteenths) {
  options.bRuledLine = 1;
  options.lineSpacing = 8;  // 8 pixels between lines, the rule 5 above the next
  LayAndDraw(u"first\r\nsecond\r\nthird");
  int y1 = mgr.Lines()[1].y;
  EXPECT_FALSE(RowBlank(y1 - (8 / 2 + 0 + 1)));
  EXPECT_TRUE(RowBlank(y1 - 1));

  options.lineSpacing = 2;
  LayAndDraw(u"first\r\nsecond\r\nthird");
  const QImage ruled = image.copy();
  options.bRuledLine = 0;
  LayAndDraw(u"first\r\nsecond\r\nthird");
  EXPECT_EQ(image, ruled);
}

TEST_F(QtCanvasTest, GaijiGlyphAtItsPlace) {
  LayAndDraw(u"ab&z2121;cd&z9999;");
  PagePoint at;
  Paint([&](CCanvas& c) { at = mgr.PointFromChar(2, c); });
  // A glyph of all ink fills its cell with the text colour.
  for (int y = at.y; y < at.y + kSize; ++y) {
    for (int x = at.x; x < at.x + kSize; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
  }
  // A code without a glyph leaves its cell blank.
  PagePoint missing;
  Paint([&](CCanvas& c) { missing = mgr.PointFromChar(11, c); });
  for (int y = missing.y; y < missing.y + kSize; ++y) {
    for (int x = missing.x; x < missing.x + kSize; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255));
  }
}

}  // namespace
