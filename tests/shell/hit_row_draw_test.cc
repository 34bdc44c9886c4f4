// A hit-list row on a canvas with known widths: where the name and the
// heading go, and how the heading's entities and gaiji draw. (The colours
// of each state are checked on the list's pixels.)
#include "shell/hit_row_draw.h"

#include <gtest/gtest.h>

#include <set>

#include "layout/fixed_canvas.h"
#include "layout/layout_book.h"

namespace {

using Op = CFixedCanvas::Op;

// A book whose gaiji are all one 8 x 16 or 16 x 16 block, except code
// 0xB000, which it lacks.
class CBlockBook : public CLayoutBook {
 public:
  bool GetGlyph(bool half, int size, uint16_t code, Glyph* out) override {
    requests.insert(size);
    if (code == 0xB000) return false;
    out->width = half ? size / 2 : size;
    out->height = size;
    return true;
  }
  std::set<int> requests;
};

class HitRowDrawTest : public ::testing::Test {
 protected:
  HitRowDrawTest() {
    font.pixelSize = 12;
    row.width = 400;
    row.height = 20;
    row.headingX = 36;
    row.fontSize = 12;
  }

  // The records of one drawn row, the fill left out. Text 12 pixels high
  // lies 4 pixels down in the 20-pixel row.
  std::vector<CFixedCanvas::Record> Draw(std::u16string_view name, std::u16string_view heading) {
    CFixedCanvas canvas;
    DrawHitRow(canvas, row, colours, font, name, heading, &book);
    std::vector<CFixedCanvas::Record> out = canvas.Records();
    EXPECT_FALSE(out.empty());
    if (!out.empty()) {
      EXPECT_EQ(out[0].op, Op::kFill);
      EXPECT_EQ(out[0].colour, colours.background);
      out.erase(out.begin());
    }
    return out;
  }

  FontDesc font;
  HitRowGeometry row;
  RowColours colours{MakeColour(1, 2, 3), MakeColour(4, 5, 6), MakeColour(7, 8, 9)};
  CBlockBook book;
};

TEST_F(HitRowDrawTest, NameFromTheLeftEdgeAndHeadingAtLenDictNameFontSizes) {
  auto r = Draw(u"ab ", u"<HEAD>猫</HEAD>");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].text, u"ab ");
  EXPECT_EQ(r[0].x, 0);
  EXPECT_EQ(r[0].y, 4);
  EXPECT_EQ(r[0].colour, colours.name);
  EXPECT_EQ(r[1].text, u"猫");
  EXPECT_EQ(r[1].x, 36);
  EXPECT_EQ(r[1].colour, colours.heading);

  // No name column: the heading from the left edge.
  row.headingX = 0;
  r = Draw(u"abc", u"猫");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].text, u"猫");
  EXPECT_EQ(r[0].x, 0);

  // A name wider than its column is cut before the heading.
  row.headingX = 24;
  r = Draw(u"動物辞典", u"x");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].text, u"動物");
}

TEST_F(HitRowDrawTest, EntitiesAndTagsOfTheHeading) {
  auto r = Draw(u"", u"<B>a&amp;b&lt;c&gt;</B>&cA121;&gA1A1;&g2121;&foo;<x");
  ASSERT_EQ(r.size(), 1u);
  // GB2312 A1A1 is the ideographic space; 2121 is no GB2312 code.
  EXPECT_EQ(r[0].text, u"a&b<c>□\u3000□&foo;<x");
  EXPECT_EQ(r[0].x, 36);
}

TEST_F(HitRowDrawTest, GaijiAreTheBooksSixteenDotBitmapsStretchedWhenAdjusted) {
  row.fontSize = 16;
  auto r = Draw(u"", u"a&hA121;b&zA122;&zB000;c");
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[0].text, u"a");
  // 8 x 16 and 16 x 16, centred in the 20-pixel row.
  EXPECT_EQ(r[1].op, Op::kImage);
  EXPECT_EQ(r[1].x, 36 + 6);
  EXPECT_EQ(r[1].y, 2);
  EXPECT_EQ(r[1].width, 8);
  EXPECT_EQ(r[1].height, 16);
  EXPECT_EQ(r[1].colour, colours.heading);  // ink in the heading's colour
  EXPECT_EQ(r[2].text, u"b");
  EXPECT_EQ(r[2].x, 36 + 6 + 8);
  EXPECT_EQ(r[3].op, Op::kImage);
  EXPECT_EQ(r[3].width, 16);
  // A code without a bitmap keeps its room.
  EXPECT_EQ(r[4].text, u"c");
  EXPECT_EQ(r[4].x, 36 + 6 + 8 + 6 + 16 + 16);
  EXPECT_EQ(book.requests, std::set<int>{16});

  row.fontSize = 12;
  r = Draw(u"", u"&hA121;&zA121;");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].width, 6);
  EXPECT_EQ(r[0].height, 12);
  EXPECT_EQ(r[1].x, 36 + 6);
  EXPECT_EQ(r[1].width, 12);
  row.adjustGaiji = false;
  r = Draw(u"", u"&zA121;");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].width, 16);
  EXPECT_EQ(book.requests, std::set<int>{16});  // always the 16-dot font
}

TEST_F(HitRowDrawTest, RowsAreAsTallAsTheirFontsAndGaijiAndTextIsCentred) {
  CFixedCanvas canvas;
  const FontDesc* fonts[] = {&font};
  EXPECT_EQ(HitRowHeight(canvas, fonts, 1, 12, true), 12 + 4);
  EXPECT_EQ(HitRowHeight(canvas, fonts, 1, 12, false), 16 + 4);  // the gaiji's own 16 dots
  // A desktop CJK face reaches well beyond its pixel size.
  canvas.SetMetrics(116, 29);
  EXPECT_EQ(HitRowHeight(canvas, fonts, 1, 12, false), 14 + 4 + 4);
  DrawHitRow(canvas, row, colours, font, u"", u"x", &book);
  EXPECT_EQ(canvas.Records().back().y, 1);
}

TEST_F(HitRowDrawTest, DrawingStopsAtTheRowsRightEdge) {
  row.width = 60;
  auto r = Draw(u"", u"一二三&zA121;四");
  ASSERT_EQ(r.size(), 1u);  // the text reached the edge: no gaiji, no more text
  EXPECT_EQ(r[0].text, u"一二三");
}

}  // namespace
