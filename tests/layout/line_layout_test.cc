// Line breaking: the line table after layouts of texts that hit each rule
// (line ends, closing punctuation, word wrap, indents, gaiji and figure
// sizes), the attribute table of spans over several lines, and the limits
// of the tables.
#include <string>

#include "layout_fixture.h"

TEST_F(LayoutTest, EmptyTextAndLineEnds) {
  EXPECT_EQ(Lay(u""), 1);
  EXPECT_EQ(Start(0), 0);
  EXPECT_EQ(Start(1), 0);  // sentinel
  EXPECT_EQ(Line(1).height, 0);

  // CR LF breaks once; the next line starts after both characters, 19 pixels
  // down (a 16-pixel line and 3 * 16 / 16 of spacing).
  ASSERT_EQ(Lay(u"ab\r\ncd"), 2);
  EXPECT_EQ(Start(1), 4);
  EXPECT_EQ(Line(1).y, 19);
  EXPECT_EQ(Line(0).height, kSize);
  EXPECT_EQ(Start(2), 6);

  ASSERT_EQ(Lay(u"ab\rcd"), 2);
  EXPECT_EQ(Start(1), 3);
  // A lone LF is an ordinary character.
  EXPECT_EQ(Lay(u"ab\ncd"), 1);

  // An empty line still takes a line's height.
  ASSERT_EQ(Lay(u"\r\n\r\nx"), 3);
  EXPECT_EQ(Line(2).y, 38);
}

TEST_F(LayoutTest, ClosingPunctuationAtLineStart) {
  // Nine kana fill 144 of 160 pixels; the tenth object does not fit.
  std::u16string kana(9, u'あ');
  ASSERT_EQ(Lay(kana + u"。"), 2);
  EXPECT_EQ(Start(1), 8);  // the last kana goes along with the mark
  ASSERT_EQ(Lay(std::u16string(9, u'漢') + u"、x"), 2);
  EXPECT_EQ(Start(1), 8);

  // After a Latin letter the mark starts the next line alone.
  ASSERT_EQ(Lay(std::u16string(8, u'あ') + u"ab。"), 2);
  EXPECT_EQ(Start(1), 10);
  // A plain letter after kana is no closing mark.
  ASSERT_EQ(Lay(kana + u"x"), 1);
  ASSERT_EQ(Lay(kana + u"か"), 2);
  EXPECT_EQ(Start(1), 9);
}

TEST_F(LayoutTest, WordWrap) {
  // 19 half-width characters fit in 160 pixels.
  ASSERT_EQ(Lay(u"hello there wonderful"), 2);
  EXPECT_EQ(Start(1), 12);
  EXPECT_EQ(Line(1).x, 0);
  // A word that began at the line's start is cut where it overflows.
  ASSERT_EQ(Lay(u"abcdefghijklmnopqrstuvwxyz"), 2);
  EXPECT_EQ(Start(1), 19);
  // Accented letters and gaiji entities belong to words.
  ASSERT_EQ(Lay(u"some words h\u00e9ll\u00f6&h2121;sss"), 2);
  EXPECT_EQ(Start(1), 11);
  // Many lines: every line break moves forward and stays inside the width.
  std::u16string many;
  for (int k = 0; k < 40; ++k) many += u"word" + std::u16string(1, static_cast<char16_t>(u'a' + k % 26)) + u' ';
  int lines = Lay(many);
  ASSERT_GT(lines, 10);
  for (int k = 1; k < lines; ++k) {
    EXPECT_GT(Start(k), Start(k - 1));
    EXPECT_EQ(text[static_cast<size_t>(Start(k)) - 1], u' ') << "line " << k;
  }
}

TEST_F(LayoutTest, IndentClampedAndApplied) {
  // Level 1 is no indent (the line's x is placed one pixel in).
  ASSERT_EQ(Lay(u"<INDENT=01>x"), 1);
  EXPECT_EQ(Line(0).x, 1);
  // Level 9 is capped at leftMargin (2) font sizes; after text it waits for
  // the next line.
  ASSERT_EQ(Lay(u"<INDENT=09>x\r\ny"), 2);
  EXPECT_EQ(Line(0).x, 2 * kSize + 1);
  EXPECT_EQ(Line(1).x, 2 * kSize);
  ASSERT_EQ(Lay(u"ab<INDENT=03>cd\r\nef"), 2);
  EXPECT_EQ(Line(0).x, 0);
  EXPECT_EQ(Line(1).x, 2 * kSize);
  // A large margin is still bounded by the view: three font sizes stay.
  leftMargin = 50;
  ASSERT_EQ(Lay(u"<INDENT=40>x"), 1);
  EXPECT_EQ(Line(0).x, kWidth - 3 * kSize + 1);
  // A tab moves the pen only forward and only inside the view.
  leftMargin = 2;
  ASSERT_EQ(Lay(u"a<TAB=02>b<TAB=01>c<TAB=20>d"), 1);
  EXPECT_EQ(mgr.PointFromChar(9, canvas).x, 2 * kSize);
  EXPECT_EQ(mgr.PointFromChar(18, canvas).x, 2 * kSize + 8);
  EXPECT_EQ(mgr.PointFromChar(27, canvas).x, 2 * kSize + 16);
}

TEST_F(LayoutTest, GaijiSizes) {
  // 16-dot fonts only, 20-pixel text: adjusting draws half cells of the
  // text font, not adjusting keeps the font's 8 x 16.
  mgr.SetFonts(u"A", u"B", u"C", 20, true, true, true);
  ASSERT_EQ(Lay(u"&h2121;x&z2121;x"), 1);
  EXPECT_EQ(mgr.GetGaijiSize(), 16);
  EXPECT_EQ(mgr.PointFromChar(7, canvas).x, 10);
  EXPECT_EQ(mgr.PointFromChar(15, canvas).x, 10 + 10 + 20);
  options.bAdjustGaiji = 0;
  ASSERT_EQ(Lay(u"&h2121;x&z2121;x"), 1);
  EXPECT_EQ(mgr.PointFromChar(7, canvas).x, 8);
  EXPECT_EQ(mgr.PointFromChar(15, canvas).x, 8 + 10 + 16);
  EXPECT_EQ(Line(0).height, 20);
  // The size follows the font down to the largest one the book has.
  mgr.SetFonts(u"A", u"B", u"C", 40, true, true, true);
  book.sizes = kGaiji16 | kGaiji24;
  Lay(u"x");
  EXPECT_EQ(mgr.GetGaijiSize(), 24);
  book.sizes = kGaiji16 | kGaiji24 | kGaiji32 | kGaiji48;
  Lay(u"x");
  EXPECT_EQ(mgr.GetGaijiSize(), 32);
  // Other entities are half cells; compound and GB codes full ones.
  mgr.SetFonts(u"A", u"B", u"C", kSize, true, true, true);
  ASSERT_EQ(Lay(u"&amp;&c2121;&gB0A1;x"), 1);
  EXPECT_EQ(mgr.PointFromChar(19, canvas).x, 8 + 16 + 16);
}

TEST_F(LayoutTest, FiguresAndInlineImages) {
  const std::u16string fig = u"<FIG>see</FIG[00000010:0000](0400*0200:0)>after";
  options.bStretchImg = 1;
  ASSERT_EQ(Lay(fig), 2);
  int w = 0, h = 0;
  mgr.GetExtent(&w, &h);
  EXPECT_EQ(w, kWidth);  // scaled down to the view
  EXPECT_EQ(Line(0).height, kSize + 80);
  EXPECT_EQ(Start(1), 42);  // the figure breaks the line after its tag
  ASSERT_EQ(mgr.GetAttrCount(), 1);
  EXPECT_EQ(mgr.GetAttrTable()[0].flags, ATTR_MEDIA);
  EXPECT_EQ(mgr.GetAttrTable()[0].x1, 24);

  options.bStretchImg = 0;
  ASSERT_EQ(Lay(fig), 2);
  mgr.GetExtent(&w, &h);
  EXPECT_EQ(w, 400);
  EXPECT_EQ(Line(0).height, kSize + 200);
  // A colour figure of 0 x 0 is measured from the image.
  ASSERT_EQ(Lay(u"<FIG>x</FIG[00000010:0000](0000*0000:1)>"), 2);
  EXPECT_EQ(Line(0).height, kSize + book.imageHeight);

  // Inline images: the image sits in the line, never scaled; one that
  // comes within three font sizes of the edge starts a new line.
  options.bStretchImg = 1;
  ASSERT_EQ(Lay(u"ab<INL></INL[00000010:0000](0050*0040:1)>c"), 1);
  EXPECT_EQ(Line(0).height, 40);
  EXPECT_EQ(mgr.PointFromChar(41, canvas).x, 16 + 50);
  // Of 0 x 0, sized from the image: hit tests count it as the layout did.
  ASSERT_EQ(Lay(u"ab<INL></INL[00000010:0000](0000*0000:1)>cd"), 1);
  EXPECT_EQ(mgr.PointFromChar(41, canvas).x, 16 + book.imageWidth);
  EXPECT_EQ(mgr.CharFromPoint(16 + book.imageWidth + 4, 2, canvas), 41);
  // One that breaks its line is met twice by the walk, and counted once.
  ASSERT_EQ(Lay(u"abcdefghijklm<INL></INL[00000010:0000](0000*0000:1)>c<INL></INL[00000010:0000](0000*0000:1)>d"), 2);
  EXPECT_EQ(Start(1), 18);  // the image's closing tag
  EXPECT_EQ(mgr.PointFromChar(52, canvas).x, book.imageWidth);
  EXPECT_EQ(mgr.PointFromChar(92, canvas).x, 2 * book.imageWidth + 8);
  ASSERT_EQ(Lay(u"abcdefgh<INL></INL[00000010:0000](0300*0040:1)>"), 2);
  EXPECT_EQ(Start(1), 13);
  mgr.GetExtent(&w, &h);
  EXPECT_EQ(w, 300);

  // With images off, figures are just their captions.
  options.bInlineImage = 0;
  EXPECT_EQ(Lay(fig), 1);
  // In an EB book's image map, figures are map figures.
  options.bInlineImage = 1;
  Lay(u"<MAP><FIG>x</FIG[00000010:0000](0010*0010:0)></MAP><FIG>y</FIG[00000010:0000](0010*0010:0)>");
  ASSERT_EQ(mgr.GetAttrCount(), 2);
  EXPECT_EQ(mgr.GetAttrTable()[0].flags, ATTR_MAPFIG);
  EXPECT_EQ(mgr.GetAttrTable()[1].flags, ATTR_MEDIA);
  book.ebCatalog = false;
  Lay(u"<MAP><FIG>x</FIG[00000010:0000](0010*0010:0)>");
  EXPECT_EQ(mgr.GetAttrTable()[0].flags, ATTR_MEDIA);
}

TEST_F(LayoutTest, LinkSpanningLines) {
  std::u16string t = u"go <LINK>";
  for (int k = 0; k < 6; ++k) t += u"abc ";
  t += u"</LINK[0001E240:07FE]> ok <URL>http://x</URL><LINK>stray";
  int lines = Lay(t);
  ASSERT_EQ(lines, 3);
  ASSERT_EQ(mgr.GetAttrCount(), 3);
  const AttrRecord& a = mgr.GetAttrTable()[0];
  EXPECT_EQ(a.flags, ATTR_LINK);
  EXPECT_EQ(a.start, 3);
  EXPECT_EQ(a.length, 6 + 24);
  EXPECT_EQ(a.x0, 24);
  EXPECT_EQ(a.y0, 0);
  EXPECT_EQ(a.y1, Line(1).y + kSize);
  EXPECT_EQ(a.targetPage, 0x1E240);
  EXPECT_EQ(a.targetOffset, 0x7FE);
  EXPECT_EQ(mgr.GetAttrTable()[1].flags, ATTR_URL);
  EXPECT_EQ(mgr.GetAttrTable()[2].length, 0);  // never closed

  EXPECT_EQ(mgr.AttrFromPoint(a.x0 + 1, 2), &a);
  EXPECT_EQ(mgr.AttrFromPoint(a.x0 - 1, 2), nullptr);  // before it on its first line
  EXPECT_EQ(mgr.AttrFromPoint(a.x1 - 1, Line(1).y + 2), &a);
  EXPECT_EQ(mgr.AttrFromPoint(a.x1 + 1, Line(1).y + 2), nullptr);  // after it on its last line
  EXPECT_NE(mgr.AttrFromPoint(1, a.y1 + 1), &a);

  // A closing tag without an opening record is ignored.
  Lay(u"x</LINK[00000001:0002]></URL>");
  EXPECT_EQ(mgr.GetAttrCount(), 0);
}

TEST_F(LayoutTest, CharFromPointRoundTrip) {
  std::u16string t = u"<HEAD>見出し</HEAD>\r\n<B>bold</B> and <I>it</I>alic, かなと漢字の混ざった長い行、"
                     u"&h2121; &amp; the end.\r\nlast";
  int lines = Lay(t);
  ASSERT_GE(lines, 4);
  int checked = 0;
  for (int line = 0; line < lines; ++line) {
    int i = Start(line);
    int end = Start(line + 1);
    while (i < end && text[static_cast<size_t>(i)] != u'\r') {
      char16_t c = text[static_cast<size_t>(i)];
      int len = 1;
      if (c == u'<') len = static_cast<int>(text.find(u'>', static_cast<size_t>(i))) - i + 1;
      if (c == u'&') len = static_cast<int>(text.find(u';', static_cast<size_t>(i))) - i + 1;
      if (c != u'<') {
        PagePoint p = mgr.PointFromChar(i, canvas);
        EXPECT_EQ(p.y, Line(line).y);
        EXPECT_EQ(mgr.CharFromPoint(p.x + 1, p.y + 1, canvas), i) << "index " << i;
        ++checked;
      }
      i += len;
    }
  }
  EXPECT_GT(checked, 40);
  // Right of a line's end is its end; above the first line is line 0.
  EXPECT_EQ(mgr.CharFromPoint(kWidth - 1, 1, canvas), static_cast<int>(t.find(u'\r')));
  EXPECT_EQ(mgr.CharFromPoint(0, -50, canvas), 0);
  EXPECT_EQ(mgr.LineFromY(-5), 0);
  EXPECT_EQ(mgr.LineFromY(100000), lines - 1);
}

TEST_F(LayoutTest, TablesGrowAndTextIsBounded) {
  std::u16string t;
  for (int k = 0; k < 1000; ++k) t += u"a<LINK>b</LINK[00000001:0000]>\r\n";
  ASSERT_EQ(Lay(t), 1001);
  EXPECT_EQ(mgr.GetAttrCount(), 1000);
  EXPECT_GT(mgr.LineCapacity(), 1001);
  EXPECT_EQ((mgr.LineCapacity() - 300) % 100, 0);
  EXPECT_EQ(Line(1000).y, 1000 * 19);
  EXPECT_EQ(Start(1001), static_cast<int>(t.size()));

  // Indices are 16-bit: a longer text is laid out up to 65,535 characters.
  std::u16string big(70000, u'x');
  for (size_t k = 50; k < big.size(); k += 51) big[k] = u' ';
  int lines = Lay(big);
  EXPECT_EQ(Start(lines), CLineMgr::kMaxTextLength);
  for (int k = 1; k <= lines; ++k) ASSERT_GE(Start(k), Start(k - 1));

  // Without a book nothing changes.
  std::u16string keep = u"a\r\nb";
  Lay(keep);
  EXPECT_EQ(mgr.Layout(keep.data(), 4, canvas, nullptr, options), -1);
  EXPECT_EQ(mgr.GetLineCount(), 2);
  mgr.Clear();
  EXPECT_EQ(mgr.GetLineCount(), 0);
  EXPECT_EQ(mgr.CharFromPoint(5, 5, canvas), 0);
}

TEST_F(LayoutTest, SearchWordHighlights) {
  options.searchString = u"cafe\u3000 na-ka  ";
  Lay(u"Caf\u00e9 and CA<B>F</B>E, n\u30fbaka, nak, caf");
  ASSERT_EQ(mgr.GetHighlightCount(), 3);
  const HighlightRecord* h = mgr.GetHighlightTable();
  EXPECT_EQ(h[0].start, 0);
  EXPECT_EQ(h[0].length, 4);
  EXPECT_EQ(h[0].word, 0);
  EXPECT_EQ(h[1].start, 9);
  EXPECT_EQ(h[1].length, 11);  // the tags inside count
  EXPECT_EQ(h[2].start, 22);
  EXPECT_EQ(h[2].length, 5);
  EXPECT_EQ(h[2].word, 1);
  EXPECT_EQ(h[2].kind, kHighlightSearchWord);
  // A mark is skipped only after the first matched character; letters
  // without a base letter match only themselves.
  options.searchString = u"\u00c6r";
  Lay(u"-\u00c6r AEr \u00e6r");
  ASSERT_EQ(mgr.GetHighlightCount(), 1);
  EXPECT_EQ(mgr.GetHighlightTable()[0].start, 1);
  options.bHighlight = 0;
  Lay(u"\u00c6r");
  EXPECT_EQ(mgr.GetHighlightCount(), 0);
}
