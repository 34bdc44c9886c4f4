// Pixels of the content view as the screen shows them: a selection, a
// highlighted search word and a gaiji bitmap appear exactly where the
// view's PointFromChar says their characters are. Screenshots of demo
// entries are kept for reviewers.
#include <QImage>

#include "catalog/index_entry.h"
#include "content_view_fixture.h"
#include "decode/cp932.h"
#include "reader/eb_reader.h"

namespace {

QImage Grab(CFolianView* view) {
  QApplication::processEvents();
  return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// How many pixels of `rect` satisfy `test`.
template <typename F>
int Count(const QImage& image, QRect rect, F test) {
  int n = 0;
  rect = rect.intersected(image.rect());
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

TEST_F(ContentViewTest, SelectionInvertsExactlyItsCharacters) {
  ASSERT_TRUE(Show(kCat));
  const int at = IndexOf(u"カタカナ");
  const QImage before = Grab(m_view.get());
  m_view->SelectRange(at, at + 4);
  const QImage after = Grab(m_view.get());
  const QPoint a = Window(m_view->PointFromChar(at)), b = Window(m_view->PointFromChar(at + 4));
  ASSERT_EQ(a.y(), b.y());
  const QRect cell(a.x(), a.y(), b.x() - a.x(), m_view->Model().LineMgr().GetLineHeight());
  auto inverted = [&](QRect r) {
    int changed = 0;
    r = r.intersected(after.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) changed += after.pixel(x, y) != before.pixel(x, y);
    return changed;
  };
  EXPECT_EQ(inverted(cell), cell.width() * cell.height()) << "every pixel of the range changes";
  EXPECT_EQ(inverted(QRect(0, 0, Viewport()->width(), cell.top())), 0) << "nothing above it";
  EXPECT_EQ(inverted(QRect(0, cell.bottom() + 1, Viewport()->width(), Viewport()->height())), 0);
  EXPECT_EQ(inverted(QRect(0, cell.top(), cell.left(), cell.height())), 0) << "nothing left of it";
  EXPECT_EQ(inverted(QRect(cell.right() + 1, cell.top(), Viewport()->width(), cell.height())), 0);
}

TEST_F(ContentViewTest, HighlightAndGaijiAppearAtTheirCharacters) {
  m_frame.searchBoxText = u"カタカナ";
  ASSERT_TRUE(Show(kCat));
  const CLineMgr& mgr = m_view->Model().LineMgr();
  ASSERT_EQ(mgr.GetHighlightCount(), 1);
  const HighlightRecord hl = mgr.GetHighlightTable()[0];
  EXPECT_EQ(hl.start, IndexOf(u"カタカナ"));
  const QImage image = Grab(m_view.get());
  const int fs = FontSize();
  auto red = [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; };
  const QPoint a = Window(m_view->PointFromChar(hl.start)), b = Window(m_view->PointFromChar(hl.start + hl.length));
  const QRect word(a.x(), a.y(), b.x() - a.x(), fs);
  EXPECT_GT(Count(image, word, red), word.width() * word.height() / 20) << "the word is in the highlight colour";
  EXPECT_EQ(Count(image, QRect(0, 0, word.left(), Viewport()->height()), red), 0) << "and nothing before it";
  EXPECT_EQ(Count(image, QRect(word.right() + 1, 0, Viewport()->width(), Viewport()->height()), red), 0);

  // The glyph is solid ink, stretched to the font size.
  const int gaiji = IndexOf(u"&zA121;");
  ASSERT_GT(gaiji, 0);
  m_view->verticalScrollBar()->setValue(m_view->PointFromChar(gaiji).y() - fs);
  const QImage scrolled = Grab(m_view.get());
  const QPoint g = Window(m_view->PointFromChar(gaiji));
  ASSERT_GT(g.y(), 2);
  auto dark = [](QRgb p) { return qGray(p) < 60; };
  EXPECT_EQ(Count(scrolled, QRect(g.x(), g.y(), fs, fs), dark), fs * fs);
  EXPECT_EQ(Count(scrolled, QRect(g.x() + fs, g.y(), 1, fs), dark), 0) << "the glyph ends at its cell";
  EXPECT_EQ(Count(scrolled, QRect(g.x(), g.y() - 2, fs, 1), dark), 0);
}

// Screenshots for reviewers: a menu of links, an entry with gaiji and a
// highlighted word, a selection, the inline picture and figure, and the
// cursor.
TEST(ContentViewScreenshots, DemoEntries) {
  EnsureApplication();
  CTempDir dir;
  SessionOptions options;
  options.home = dir.File("app");
  options.profilePath = dir.File("store.ini");
  CDictSession session(options);
  if (session.ScanBooks({TOMELING_BINARY_DIR "/data/demo"}, 1) == 0) GTEST_SKIP() << "the demo dictionary is not built";
  session.Settings().fontSize = 16;
  CRecordingFrame frame;
  CFolianView view(session);
  view.SetFrame(&frame);
  view.Model().ApplyFonts();
  view.resize(360, 300);
  ShowAndSettle(&view);
  DictDisplay d = session.Display(0);
  ASSERT_NE(d.reader, nullptr);
  const IndexEntry* menu = d.reader->FindIndex(0x01);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(view.ShowEntry(0, menu->startPage, 0, true, 0));
  SaveScreenshot(&view, QStringLiteral("content_view_menu"));

  auto show = [&](const std::u16string& word, const std::u16string& highlight) {
    frame.searchBoxText = highlight;
    std::vector<HitEntry> hits;
    if (d.reader->WordSearch(Utf16ToCp932(word)) > 0) d.reader->GetHitEntSorted(&hits);
    return !hits.empty() && view.ShowEntry(0, hits[0].textPage, hits[0].textOffset, true, 0);
  };
  ASSERT_TRUE(show(u"いち", u"いち"));
  SaveScreenshot(&view, QStringLiteral("content_view_gaiji_highlight"));
  const std::u16string& markup = view.Model().Markup();
  size_t english = markup.find(u"one");
  ASSERT_NE(english, std::u16string::npos);
  view.SelectRange(static_cast<int>(english) - 3, static_cast<int>(english) + 3);
  SaveScreenshot(&view, QStringLiteral("content_view_selection"));
  if (show(u"ねこ", u"")) SaveScreenshot(&view, QStringLiteral("content_view_picture"));

  // Cursor mode: the caret on the first character of the reading.
  session.Settings().bCursorMode = true;
  view.activateWindow();
  view.setFocus();
  QApplication::processEvents();
  view.SetCursorMode(true);
  size_t reading = view.Model().Markup().find(u"ねこ（");
  ASSERT_NE(reading, std::u16string::npos);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                    view.PointFromChar(static_cast<int>(reading)) - view.ScrollPosition() + QPoint(2, 4));
  QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
  SaveScreenshot(&view, QStringLiteral("content_view_cursor"));
}

}  // namespace
