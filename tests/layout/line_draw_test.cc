// Drawing on the fixed canvas: which runs are drawn, where, in which font
// and colour; entities, gaiji bitmaps, figures, ruled lines and the
// selection's inversions.
#include <string>

#include "layout_fixture.h"

namespace {

using Op = CFixedCanvas::Op;

const CFixedCanvas::Record* FindText(const CFixedCanvas& c, const std::u16string& s) {
  for (const auto& r : c.Records()) {
    if (r.op == Op::kText && r.text == s) return &r;
  }
  return nullptr;
}

int Count(const CFixedCanvas& c, Op op) {
  int n = 0;
  for (const auto& r : c.Records()) n += r.op == op;
  return n;
}

}  // namespace

TEST_F(LayoutTest, ColoursNestAndStylesEnd) {
  options.linkColour = 0x00AA00;
  options.titleColour = 0x0000FF;
  Lay(u"<HEAD>t</HEAD>a<LINK>l<COL=0000FF>c</COL>m</LINK[00000001:0000]>n"
      u"<B>b<I>bi</B>p<I>i</I>q<SUB>s</SUB><UL>u</UL>");
  DrawAll();
  ASSERT_NE(FindText(canvas, u"t"), nullptr);
  EXPECT_EQ(FindText(canvas, u"t")->colour, 0x0000FFu);
  EXPECT_EQ(FindText(canvas, u"a")->colour, options.textColour);
  EXPECT_EQ(FindText(canvas, u"l")->colour, 0x00AA00u);
  EXPECT_EQ(FindText(canvas, u"c")->colour, 0x0000FFu);
  EXPECT_EQ(FindText(canvas, u"m")->colour, 0x00AA00u);  // back to the link's colour
  EXPECT_EQ(FindText(canvas, u"n")->colour, options.textColour);
  // </B> ends italic too; bold wins over italic.
  EXPECT_EQ(FindText(canvas, u"bi")->font, &mgr.Font(2, 0));
  EXPECT_EQ(FindText(canvas, u"p")->font, &mgr.Font(0, 0));
  EXPECT_EQ(FindText(canvas, u"i")->font, &mgr.Font(3, 0));
  // </I> leaves the italic overhang (16 / 4) before the next run.
  EXPECT_EQ(FindText(canvas, u"q")->x, FindText(canvas, u"i")->x + 8 + 4);
  const auto* sub = FindText(canvas, u"s");
  EXPECT_EQ(sub->font, &mgr.Font(1, 0));
  EXPECT_EQ(sub->y, kSize / 2 - 2);
  EXPECT_EQ(FindText(canvas, u"u")->font, &mgr.Font(4, 0));
  EXPECT_EQ(FindText(canvas, u"u")->y, 0);

  // Underlined links when asked; an unbalanced pop falls back to the text
  // colour; the system colours replace the configured ones.
  options.bULLink = 1;
  options.useSystemColours = true;
  options.textColour = 0x123456;
  Lay(u"<LINK>x</LINK[00000001:0000]></COL>y");
  DrawAll();
  EXPECT_EQ(FindText(canvas, u"x")->font, &mgr.Font(4, 0));
  EXPECT_EQ(FindText(canvas, u"y")->colour, 0u);
  EXPECT_EQ(FindText(canvas, u"y")->font, &mgr.Font(0, 0));
}

TEST_F(LayoutTest, EntitiesAndGaiji) {
  options.bAdjustGaiji = 1;
  mgr.SetFonts(u"A", u"B", u"C", 20, true, true, true);
  mgr.SetViewWidth(400);
  Lay(u"&amp;&lt;&gt;&c2121;&gB0A1;&gA2A1;&g2121;&hA121;&zA121;&h0000;x");
  DrawAll();
  // The characters gather in one run up to the first bitmap.
  EXPECT_EQ(DrawnText(), u"&<>\u25A1\u554A?\u25A1x");  // A2A1 is "?" in the table
  ASSERT_EQ(Count(canvas, Op::kImage), 2);
  std::vector<CFixedCanvas::Record> images;
  for (const auto& r : canvas.Records()) {
    if (r.op == Op::kImage) images.push_back(r);
  }
  // 16-dot glyphs stretched to the 20-pixel font.
  EXPECT_EQ(images[0].width, 10);
  EXPECT_EQ(images[0].height, 20);
  EXPECT_EQ(images[1].x, images[0].x + 10);
  EXPECT_EQ(images[1].width, 20);
  // A code without a glyph draws nothing but keeps its place.
  EXPECT_EQ(FindText(canvas, u"x")->x, images[1].x + 20 + 10);
}

TEST_F(LayoutTest, FiguresSwatchesAndRules) {
  options.bStretchImg = 1;
  Lay(u"a\r\n<FIG>cap</FIG[00000010:0000](0320*0100:0)>b\r\nc<COLCHART=007>d<COLCHART=008>e"
      u"<INL></INL[00000010:0000](0020*0010:1)>f\r\ng");
  DrawAll();
  std::vector<CFixedCanvas::Record> images, fills, rules;
  for (const auto& r : canvas.Records()) {
    if (r.op == Op::kImage) images.push_back(r);
    if (r.op == Op::kFill) fills.push_back(r);
    if (r.op == Op::kDashedLine) rules.push_back(r);
  }
  ASSERT_EQ(images.size(), 2u);
  // The figure below its caption, scaled to the view.
  EXPECT_EQ(images[0].y, 19 + kSize);
  EXPECT_EQ(images[0].width, kWidth);
  EXPECT_EQ(images[0].height, 50);
  EXPECT_EQ(FindText(canvas, u"cap")->colour, options.linkColour);
  // The swatch of a known colour, its name after it; an unknown one draws
  // nothing.
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].colour, MakeColour(255, 0, 0));
  EXPECT_EQ(fills[0].width, 32);
  EXPECT_EQ(FindText(canvas, u"red")->x, fills[0].x + 36);
  EXPECT_EQ(images[1].width, 20);
  // Ruled lines between the drawn lines, none under the figure's line.
  int lines = mgr.GetLineCount();
  EXPECT_EQ(static_cast<int>(rules.size()), lines - 1 - 1);
  EXPECT_EQ(rules[0].y, 19 - (3 / 2 + 0 + 1));
  EXPECT_EQ(rules[0].x, kSize / 4);

  options.lineSpacing = 2;
  Lay(u"a\r\nb\r\nc");
  DrawAll();
  EXPECT_EQ(Count(canvas, Op::kDashedLine), 0);
  options.lineSpacing = 8;
  options.bRuledLine = 0;
  DrawAll();
  EXPECT_EQ(Count(canvas, Op::kDashedLine), 0);
}

// A colour picture whose size the book reads from its headers is measured
// without being loaded, and one drawn narrower than it is (stretched to
// the view) is asked for at that width, so a large one decodes small;
// inline images are drawn at their own size.
TEST_F(LayoutTest, PicturesAreMeasuredWithoutLoadingAndLoadedAtTheirDrawnWidth) {
  book.headerSizes = true;
  book.imageWidth = 640;
  book.imageHeight = 480;
  options.bStretchImg = 1;
  Lay(u"<FIG>cap</FIG[00000010:0000](0000*0000:1)>b\r\n<INL></INL[00000010:0000](0000*0000:1)>\r\n");
  EXPECT_TRUE(book.fitWidths.empty());
  EXPECT_EQ(book.sizeReads, 2);
  EXPECT_EQ(Line(0).height, kSize + 480 * kWidth / 640);
  DrawAll();
  ASSERT_EQ(book.fitWidths.size(), 2u);
  EXPECT_EQ(book.fitWidths[0], kWidth);
  EXPECT_EQ(book.fitWidths[1], 0);
  std::vector<CFixedCanvas::Record> images;
  for (const auto& r : canvas.Records())
    if (r.op == Op::kImage) images.push_back(r);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].width, kWidth);
  EXPECT_EQ(images[0].height, 480 * kWidth / 640);
  EXPECT_EQ(images[1].width, 640);
  // Without stretching the figure is drawn whole and asked for whole.
  options.bStretchImg = 0;
  book.fitWidths.clear();
  Lay(u"<FIG>cap</FIG[00000010:0000](0000*0000:1)>b\r\n");
  DrawAll();
  ASSERT_EQ(book.fitWidths.size(), 1u);
  EXPECT_EQ(book.fitWidths[0], 0);
}

TEST_F(LayoutTest, DrawsOnlyVisibleLinesWithStateFromAbove) {
  std::u16string t = u"<COL=0000FF>";
  for (int k = 0; k < 100; ++k) t += u"line" + std::u16string(1, static_cast<char16_t>(u'A' + k % 26)) + u"\r\n";
  Lay(t);
  canvas.ClearRecords();
  // Lines 50 to 52 (19 pixels apart) in a 40-pixel window.
  ASSERT_EQ(mgr.Draw(text.data(), 0, 0, kWidth, 40, 0, 50 * 19, canvas, &book, options), 0);
  EXPECT_EQ(Count(canvas, Op::kText), 3);
  const auto& first = canvas.Records()[0];
  EXPECT_EQ(first.text, u"lineY");  // line 50
  EXPECT_EQ(first.y, 0);
  EXPECT_EQ(first.colour, 0x0000FFu);  // the colour opened on line 0
  EXPECT_EQ(mgr.Draw(text.data(), 0, 0, kWidth, 40, 0, 0, canvas, &book, options), 0);
  EXPECT_EQ(mgr.Draw(text.data(), 0, 0, kWidth, 40, 0, 0, canvas, nullptr, options), -1);

  // A line longer than 512 characters is drawn up to 512.
  mgr.SetViewWidth(100000);
  Lay(std::u16string(600, u'x'));
  DrawAll();
  EXPECT_EQ(DrawnText().size(), 512u);
}

TEST_F(LayoutTest, HighlightColours) {
  options.searchString = u"ab";
  options.highlightColour = 0x0000EE;
  Lay(u"xab<LINK>y</LINK[00000001:0000]>a<B>b</B>z");
  DrawAll();
  EXPECT_EQ(FindText(canvas, u"x")->colour, options.textColour);
  EXPECT_EQ(FindText(canvas, u"ab")->colour, 0x0000EEu);
  EXPECT_EQ(FindText(canvas, u"y")->colour, options.linkColour);
  EXPECT_EQ(FindText(canvas, u"a")->colour, 0x0000EEu);
  EXPECT_EQ(FindText(canvas, u"b")->colour, 0x0000EEu);
  EXPECT_EQ(FindText(canvas, u"z")->colour, options.textColour);
}

TEST_F(LayoutTest, SelectionInvertsOnlyTheDifference) {
  Lay(u"abcdefghij\r\nklmnopqrst\r\nuvwxyz");
  canvas.ClearRecords();
  mgr.SetSelection(2, 5, canvas, 0, 0);
  ASSERT_EQ(canvas.Records().size(), 1u);
  EXPECT_EQ(canvas.Records()[0].x, 16);
  EXPECT_EQ(canvas.Records()[0].width, 24);
  EXPECT_EQ(canvas.Records()[0].height, kSize);
  canvas.ClearRecords();
  mgr.SetSelection(6, 2, canvas, 0, 0);  // extended by one character
  ASSERT_EQ(canvas.Records().size(), 1u);
  EXPECT_EQ(canvas.Records()[0].x, 40);
  EXPECT_EQ(canvas.Records()[0].width, 8);
  canvas.ClearRecords();
  mgr.SetSelection(2, 6, canvas, 0, 0);
  EXPECT_TRUE(canvas.Records().empty());
  // Over three lines: the rest of the first, the gap and middle, the start
  // of the last.
  canvas.ClearRecords();
  mgr.SetSelection(3, 27, canvas, 0, 0);
  mgr.ClearSelection(canvas, 0, 0);
  EXPECT_EQ(mgr.SelectionStart(), 0);
  EXPECT_EQ(mgr.SelectionEnd(), 0);
  canvas.ClearRecords();
  mgr.SetSelection(3, 27, canvas, 0, 0);
  ASSERT_EQ(canvas.Records().size(), 3u);
  EXPECT_EQ(canvas.Records()[0].x, 24);
  EXPECT_EQ(canvas.Records()[0].width, kWidth - 24);
  EXPECT_EQ(canvas.Records()[1].y, kSize);
  EXPECT_EQ(canvas.Records()[1].height, 38 - kSize);
  EXPECT_EQ(canvas.Records()[2].y, 38);
  EXPECT_EQ(canvas.Records()[2].width, 24);
  // Clipped to the text.
  mgr.SetSelection(-5, 1000, canvas, 0, 0);
  EXPECT_EQ(mgr.SelectionStart(), 0);
  EXPECT_EQ(mgr.SelectionEnd(), static_cast<int>(text.size()));
}

// A face whose ascent and descent exceed its pixel size, as the CJK faces
// of a Linux desktop do: every line is as tall as its text really is, text
// (subscripts too) stays inside its line, every rule lies in the space
// between two lines, and what sits below a caption or at a link's bottom
// follows the taller line.
TEST_F(LayoutTest, TallFontsKeepTextInsideItsLineAndRulesBetween) {
  canvas.SetMetrics(116, 29);
  const int lineHeight = (kSize * 116 + 99) / 100 + (kSize * 29 + 99) / 100;
  for (int spacing : {3, 8}) {
    SCOPED_TRACE("spacing " + std::to_string(spacing));
    options.lineSpacing = static_cast<int16_t>(spacing);
    Lay(u"gjpqy() 日本（語）\r\n<B>bold gj</B> x<SUB>gj</SUB>y\r\n漢字だけの行\r\n"
        u"<LINK>link</LINK[00000001:0000]>\r\n\r\nlast gjpqy");
    EXPECT_EQ(mgr.GetLineHeight(), lineHeight);
    DrawAll();
    const int lines = mgr.GetLineCount();
    for (int i = 0; i < lines; ++i) EXPECT_GE(Line(i).height, lineHeight) << "line " << i;
    for (const auto& r : canvas.Records()) {
      if (r.op == Op::kText) {
        const LineRecord& line = Line(mgr.LineFromY(r.y));
        EXPECT_GE(r.y, line.y);
        EXPECT_LE(r.y + r.height, line.y + line.height) << std::string(r.text.begin(), r.text.end());
      } else if (r.op == Op::kDashedLine) {
        int below = mgr.LineFromY(r.y) + 1;
        ASSERT_LT(below, lines + 1);
        EXPECT_GE(r.y, Line(below - 1).y + Line(below - 1).height);
        EXPECT_LT(r.y, Line(below).y);
      }
    }
    EXPECT_EQ(Count(canvas, Op::kDashedLine), lines - 1);
    ASSERT_EQ(mgr.GetAttrCount(), 1);
    EXPECT_EQ(mgr.GetAttrTable()[0].y1, Line(3).y + lineHeight);
  }

  // The figure below its caption's full line.
  Lay(u"a\r\n<FIG>cap</FIG[00000010:0000](0040*0030:0)>b");
  DrawAll();
  for (const auto& r : canvas.Records()) {
    if (r.op == Op::kImage) {
      EXPECT_EQ(r.y, Line(1).y + lineHeight);
    }
  }
}
