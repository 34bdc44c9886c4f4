// The graphic window over books written by mkbook: taps on the exact right
// and bottom edge of an area, taps through the scroll position, the EB
// point area and its marker, the monochrome picture it refuses, a
// reference outside the areas, the area limit, and what each kind of
// target does -- the frame's text, the same window's next graphic menu, a
// sound, the main window's commands. Screenshots go to
// build/artefacts/dialogs/graphic_*.png.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "common/map_books.h"
#include "common/map_markup.h"
#include "common/recording_frame.h"
#include "common/recording_player.h"
#include "views/graphic_window.h"
#include "widget_test_util.h"

namespace {

class GraphicWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void Open(bool eb) {
    ASSERT_TRUE(eb ? m_book.Write(kEbMapSource) : m_book.WriteEpwing()) << m_book.Error();
    m_window = std::make_unique<CGraphicWindow>(m_book.Session(), m_frame, m_player);
  }
  MapParse ShowEntry(size_t entry) {
    return m_window->ShowGraphicMenu(0, m_book.Text(entry).page, m_book.Text(entry).offset);
  }
  void Tap(int x, int y) { QTest::mouseClick(m_window->viewport(), Qt::LeftButton, {}, QPoint(x, y)); }
  void Release(Qt::Key key) { QTest::keyRelease(m_window.get(), key); }
  std::string TextCall(size_t entry) { return ShowTextCall(m_book.Text(entry).page, m_book.Text(entry).offset); }
  QRgb Pixel(int x, int y) { return m_window->viewport()->grab().toImage().pixel(x, y); }

  CMapBook m_book;
  CRecordingFrame m_frame;
  CRecordingPlayer m_player;
  std::unique_ptr<CGraphicWindow> m_window;
};

TEST_F(GraphicWindowTest, TapsOnTheRightAndBottomEdgeAreInside) {
  Open(false);
  EXPECT_EQ(ShowEntry(0).end, MapParse::kMapEnd);
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)40x(H)40"));
  EXPECT_TRUE(m_window->isWindow());
  ShowAndSettle(m_window.get());
  SaveScreenshot(m_window.get(), QStringLiteral("graphic_sakura"));
  Tap(20, 20);  // right and bottom edge of (0,0,20,20)
  Tap(40, 40);  // of (20,20,20,20)
  Tap(41, 40);
  Tap(40, 41);
  QTest::mouseClick(m_window->viewport(), Qt::RightButton, {}, QPoint(10, 10));
  QTest::mousePress(m_window->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(1), TextCall(2)}));  // pen down: nothing yet
  QTest::mouseRelease(m_window->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(m_frame.Count("ShowText("), 3);
}

TEST_F(GraphicWindowTest, TheBooksGraphicMenuScrollsAndTapsThroughTheScrollPosition) {
  Open(false);
  m_window->ShowGraphicMenu(0, m_book.AreaStart(0x10), 0);
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)320x(H)240"));
  ShowAndSettle(m_window.get());
  EXPECT_EQ(m_window->viewport()->size(), QSize(320, 240));  // sized to the picture
  SaveScreenshot(m_window.get(), QStringLiteral("graphic_menu"));
  m_window->resize(200, 150);
  ShowAndSettle(m_window.get());
  ASSERT_GT(m_window->horizontalScrollBar()->maximum(), 32);
  Release(Qt::Key_Right);
  Release(Qt::Key_Down);
  EXPECT_EQ(m_window->ScrollPosition(), QPoint(32, 32));
  Tap(60 - 32, 60 - 32);  // (60, 60): the corner of area (10,10,50,50)
  Tap(61 - 32, 60 - 32);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(2)}));
}

TEST_F(GraphicWindowTest, EbPointAreasGetSquaresAndMarkers) {
  Open(true);
  MapParse parse = m_window->ShowMapText(m_book.MapText(0), 0);
  EXPECT_TRUE(parse.imageLoaded);
  const std::vector<GraphicArea>& areas = m_window->Menu().Areas();
  ASSERT_EQ(areas.size(), 3u);
  // 0 x 0 at (10, 5) is 16 x 16 at (0, 0).
  EXPECT_EQ(areas[0].x, 0);
  EXPECT_EQ(areas[0].y, 0);
  EXPECT_EQ(areas[0].width, 16);
  EXPECT_EQ(areas[0].height, 16);
  ShowAndSettle(m_window.get());
  SaveScreenshot(m_window.get(), QStringLiteral("graphic_eb_markers"));
  // The marker: black edge, white inside, a black diamond in the middle.
  for (const GraphicArea& a : areas) {
    EXPECT_EQ(Pixel(a.x, a.y), qRgb(0, 0, 0));
    EXPECT_EQ(Pixel(a.x + 15, a.y + 15), qRgb(0, 0, 0));
    EXPECT_EQ(Pixel(a.x + 1, a.y + 1), qRgb(255, 255, 255));
    EXPECT_EQ(Pixel(a.x + 7, a.y + 7), qRgb(0, 0, 0));
  }
  Tap(16, 16);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(1)}));

  // The monochrome map of entry 2, as the content view hands it over.
  m_window->ShowMapText(m_book.MapText(2), 0);
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)48x(H)48"));
  ASSERT_EQ(m_window->Menu().Areas().size(), 1u);
  EXPECT_EQ(m_window->Menu().Areas()[0].x, 14);
  SaveScreenshot(m_window.get(), QStringLiteral("graphic_eb_mono"));
}

TEST_F(GraphicWindowTest, EpwingAreasGetNoMarkers) {
  Open(false);
  ShowEntry(4);  // the scene, area (0,0,100,100)
  ShowAndSettle(m_window.get());
  QRgb sky = Pixel(1, 1);
  EXPECT_NE(sky, qRgb(255, 255, 255));
  EXPECT_NE(Pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(GraphicWindowTest, AMonochromePicture1024PixelsWideLeavesThePreviousOne) {
  Open(false);
  ShowEntry(0);
  ShowAndSettle(m_window.get());
  QRgb before = Pixel(10, 10);
  MapParse parse = ShowEntry(3);
  EXPECT_EQ(parse.end, MapParse::kMapEnd);
  EXPECT_FALSE(parse.imageLoaded);
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)40x(H)40"));
  EXPECT_EQ(m_window->Image().width(), 40);
  EXPECT_EQ(Pixel(10, 10), before);
}

TEST_F(GraphicWindowTest, AReferenceOutsideTheAreasShowsItsText) {
  Open(false);
  BookPos cat = m_book.Text(1);
  char link[40];
  std::snprintf(link, sizeof link, "</LINK[%08X:%04X]>", static_cast<unsigned>(cat.page), cat.offset);
  EXPECT_EQ(m_window->ShowMapText(u"<BODY>猫は<LINK>こちら" + Wide(link), 0).end, MapParse::kLink);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(1)}));
}

TEST_F(GraphicWindowTest, AreasPast128AreDropped) {
  Open(false);
  ShowEntry(4);
  std::string text = "<MAP>";
  for (int i = 0; i < 130; ++i) text += AreaTag(i * 2, 0, 1, 1, static_cast<unsigned>(m_book.Text(1).page));
  m_window->ShowMapText(Wide(text + "</MAP>"), 0);
  EXPECT_EQ(m_window->Menu().Areas().size(), 128u);
  ShowAndSettle(m_window.get());
  Tap(128 * 2, 0);  // area 129
  Tap(129 * 2, 0);  // area 130
  EXPECT_TRUE(m_frame.Calls().empty());
  Tap(127 * 2, 0);
  EXPECT_EQ(m_frame.Count("ShowText("), 1);
}

TEST_F(GraphicWindowTest, EachKindOfTargetReachesItsAction) {
  Open(false);
  ShowEntry(4);
  auto start = [this](uint8_t id) { return static_cast<unsigned>(m_book.AreaStart(id)); };
  const unsigned targets[] = {start(0x70), start(0x80), start(0x90), start(0xFF), start(0x90), start(0xFF),
                              static_cast<unsigned>(m_book.Text(2).page), start(0x01), start(0x05), start(0x10)};
  std::string text = "<MAP>";
  for (int i = 0; i < 10; ++i) text += AreaTag(i * 20, 0, 10, 10, targets[i]);
  m_window->ShowMapText(Wide(text + "</MAP>"), 0);
  ShowAndSettle(m_window.get());
  QSignalSpy commands(m_window.get(), &CGraphicWindow::FrameCommand);
  QSignalSpy complex(m_window.get(), &CGraphicWindow::ComplexSearchSelected);
  std::vector<int> order;
  QObject::connect(m_window.get(), &CGraphicWindow::ComplexSearchSelected, [&order](int) { order.push_back(1); });
  QObject::connect(m_window.get(), &CGraphicWindow::FrameCommand, [&order](int) { order.push_back(2); });
  for (int i = 0; i < 6; ++i) Tap(i * 20 + 5, 5);
  ASSERT_EQ(commands.count(), 6);
  const int expected[] = {32909, 32911, 32908, 32906, 32908, 32906};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(commands.at(i).at(0).toInt(), expected[i]) << i;
  ASSERT_EQ(complex.count(), 2);
  EXPECT_EQ(complex.at(0).at(0).toInt(), 0);
  EXPECT_EQ(complex.at(1).at(0).toInt(), 1);  // one area before leads to a complex search
  EXPECT_EQ(order, (std::vector<int>{2, 2, 2, 1, 2, 2, 1, 2}));
  EXPECT_TRUE(m_frame.Calls().empty());

  Tap(6 * 20 + 10, 10);  // an entry
  Tap(7 * 20 + 10, 10);  // the menu
  Tap(8 * 20 + 10, 10);  // the heading area: nothing
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{ShowTextCall(targets[6], 0), ShowTextCall(targets[7], 0)}));
  // A graphic menu replaces the picture in the same window.
  Tap(9 * 20, 0);
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)320x(H)240"));
  ASSERT_EQ(m_window->Menu().Areas().size(), 1u);
  EXPECT_EQ(m_window->Menu().Areas()[0].x, 10);
  EXPECT_EQ(commands.count(), 6);
}

TEST_F(GraphicWindowTest, EbSoundAreasPlayTheBooksSound) {
  Open(true);
  const WrittenSubbook::Media* bell = m_book.Media("bell");
  ASSERT_NE(bell, nullptr);
  m_window->ShowMapText(m_book.MapText(0), 0);
  m_window->ShowMapText(
      Wide("<MAP>" + SoundAreaTag(40, 20, 0, 0, static_cast<unsigned>(bell->firstFrame),
                                  static_cast<unsigned>(bell->lastFrame)) + "</MAP>"), 0);
  ShowAndSettle(m_window.get());
  Tap(24, 12);  // (24, 12) to (40, 28)
  EXPECT_EQ(m_player.events, "SP");
  ASSERT_EQ(m_player.waves.size(), 1u);
  EXPECT_EQ(std::string(m_player.waves[0].begin(), m_player.waves[0].begin() + 4), "RIFF");
  EXPECT_TRUE(m_frame.Calls().empty());
}

TEST_F(GraphicWindowTest, EpwingSoundAreasPlayNothing) {
  Open(false);
  m_window->ShowMapText(Wide("<MAP>" + SoundAreaTag(0, 0, 9, 9, 1, 20) + "</MAP>"), 0);
  ShowAndSettle(m_window.get());
  Tap(4, 4);
  EXPECT_EQ(m_player.events, "");
}

TEST_F(GraphicWindowTest, ClearForgetsThePicture) {
  Open(false);
  ShowEntry(0);
  // A dictionary the list does not have changes nothing.
  EXPECT_FALSE(m_window->ShowGraphicMenu(7, m_book.Text(4).page, m_book.Text(4).offset).imageLoaded);
  EXPECT_FALSE(m_window->ShowMapText(m_book.MapText(4), 7).imageLoaded);
  EXPECT_EQ(m_window->Menu().Dict(), 0);
  EXPECT_EQ(m_window->Image().width(), 40);
  m_window->Clear();
  EXPECT_TRUE(m_window->Image().isNull());
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("(W)0x(H)0"));
  ShowAndSettle(m_window.get());
  Tap(10, 10);
  EXPECT_TRUE(m_frame.Calls().empty());
}

}  // namespace
