// Pixels drawn by the line manager through the Qt canvas on an offscreen
// image: the selection's inversions, ruled lines and gaiji bitmaps, and
// text in a real CJK face that stays off the ruled lines and out of the
// lines around it.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <cstdlib>
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
  // A cell is as tall as the line of text: the face's ascent and descent.
  const int cell = mgr.GetLineHeight();
  ASSERT_GE(cell, kSize);
  int changed = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      bool inCell = x >= p5.x && x < p6.x && y >= p5.y && y < p5.y + cell;
      bool differs = image.pixel(x, y) != before.pixel(x, y);
      EXPECT_EQ(differs, inCell) << x << "," << y;
      changed += differs;
      if (differs != inCell) return;
    }
  }
  EXPECT_EQ(changed, (p6.x - p5.x) * cell);
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

// Text with Latin descenders, parentheses and CJK brackets in Noto Sans
// CJK JP, whose ascent and descent together are near one and a half times
// its pixel size, at sizes around the rule formula's steps: with the ruled
// lines off, no row between two lines holds a glyph pixel; with them on,
// the rules appear exactly on rows where no glyph has a pixel.
TEST_F(QtCanvasTest, CjkTextStaysOffRuledLinesAndOutOfTheNextLine) {
  if (!QFontDatabase::families().contains(QString::fromLatin1(kFallbackFace))) {
    if (std::getenv("CI") != nullptr) FAIL() << kFallbackFace << " is not installed (fonts-noto-cjk)";
    GTEST_SKIP() << kFallbackFace << " is not installed";
  }
  const std::u16string entry =
      u"gjpqy() (gjpqy) [gjpqy] {gjpqy}\r\n日本語（括弧）「かぎ」『二重』gjpqy\r\n"
      u"<B>bold gjpqy()</B> <I>italic gjpqy</I> x<SUB>gjpqy</SUB> y<SUP>gj</SUP>\r\n"
      u"漢字ばかりの行です\r\n\r\n<UL>underlined gjpqy</UL>\r\nlast gjpqy()";
  for (int size : {12, 13, 16, 17, 24, 33}) {
    for (int spacing : {3, 8}) {
      SCOPED_TRACE("size " + std::to_string(size) + ", spacing " + std::to_string(spacing));
      CLineMgr m;
      m.SetFonts(QString::fromLatin1(kFallbackFace).toStdU16String(), u"", u"", size, true, true, true);
      m.SetViewWidth(40 * size);
      options.lineSpacing = static_cast<int16_t>(spacing);
      auto render = [&](bool ruled) {
        options.bRuledLine = ruled ? 1 : 0;
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter measure(&probe);
        CQtCanvas measureCanvas(measure);
        m.Layout(entry.data(), static_cast<int>(entry.size()), measureCanvas, &book, options);
        int w = 0, h = 0;
        m.GetExtent(&w, &h);
        QImage out(w, h + 2 * size, QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        CQtCanvas canvas(painter);
        m.Draw(entry.data(), 0, 0, out.width(), out.height(), 0, 0, canvas, &book, options);
        return out;
      };
      const QImage text = render(false);
      const QImage ruled = render(true);
      EXPECT_GT(m.GetLineHeight(), size);  // the face is taller than its size
      const auto& lines = m.Lines();
      const int count = m.GetLineCount();
      auto blankRow = [&](int y) {
        for (int x = 0; x < text.width(); ++x)
          if (text.pixel(x, y) != qRgb(255, 255, 255)) return false;
        return true;
      };
      // Between the lines: no ink.
      for (int i = 0; i + 1 < count; ++i) {
        for (int y = lines[static_cast<size_t>(i)].y + lines[static_cast<size_t>(i)].height;
             y < lines[static_cast<size_t>(i) + 1].y; ++y)
          ASSERT_TRUE(blankRow(y)) << "ink between lines " << i << " and " << i + 1 << " at row " << y;
      }
      // The rules, where the two renderings differ: never on a glyph, one
      // between every two lines.
      int ruleRows = 0;
      for (int y = 0; y < text.height(); ++y) {
        bool rule = false;
        for (int x = 0; x < text.width() && !rule; ++x) rule = text.pixel(x, y) != ruled.pixel(x, y);
        if (!rule) continue;
        ++ruleRows;
        for (int x = 0; x < text.width(); ++x)
          ASSERT_EQ(text.pixel(x, y), qRgb(255, 255, 255)) << "glyph pixel on the rule at " << x << "," << y;
      }
      EXPECT_GE(ruleRows, count - 1);
    }
  }
  // A look at one of them: CJK_RULES_PNG=path writes size 24 there.
  if (const char* path = std::getenv("CJK_RULES_PNG")) {
    CLineMgr m;
    m.SetFonts(QString::fromLatin1(kFallbackFace).toStdU16String(), u"", u"", 24, true, true, true);
    m.SetViewWidth(700);
    options.bRuledLine = 1;
    options.lineSpacing = 3;
    QImage out(700, 360, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    CQtCanvas canvas(painter);
    m.Layout(entry.data(), static_cast<int>(entry.size()), canvas, &book, options);
    m.Draw(entry.data(), 0, 0, out.width(), out.height(), 0, 0, canvas, &book, options);
    painter.end();
    out.save(QString::fromLocal8Bit(path));
  }
}

}  // namespace

// Bitmaps keep square dots where each dot becomes a whole square of device
// pixels and are smoothed at any other scale; the painter reports the
// ratio of the image it paints on.
TEST(QtCanvasFineScreen, SmoothOnlyWhereDotsWouldComeOutUneven) {
  EXPECT_FALSE(ScalesSmoothly(QSize(16, 16), QSizeF(16, 16)));
  EXPECT_FALSE(ScalesSmoothly(QSize(16, 16), QSizeF(32, 32))) << "twice: every dot 2 x 2";
  EXPECT_FALSE(ScalesSmoothly(QSize(8, 16), QSizeF(24, 48)));
  EXPECT_TRUE(ScalesSmoothly(QSize(16, 16), QSizeF(24, 24))) << "one and a half";
  EXPECT_TRUE(ScalesSmoothly(QSize(32, 32), QSizeF(16, 16))) << "shrunk";
  EXPECT_TRUE(ScalesSmoothly(QSize(32, 30), QSizeF(32, 32))) << "a 30-dot glyph in a 32-pixel cell";
  EXPECT_FALSE(ScalesSmoothly(QSize(), QSizeF(16, 16)));

  for (double ratio : {1.0, 1.5, 2.0}) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    EXPECT_DOUBLE_EQ(DevicePixelRatioOf(painter), ratio);
    CQtCanvas canvas(painter);
    EXPECT_DOUBLE_EQ(canvas.DevicePixelRatio(), ratio);
  }
}
