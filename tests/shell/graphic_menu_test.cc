// The graphic window's state over real books: graphic menus decoded from
// the book, image maps handed over by the content view, pictures loaded
// from the files their areas say, and taps that reach the frame, the sound
// player, the next graphic menu or the window's commands.
#include <gtest/gtest.h>

#include "common/map_books.h"
#include "common/map_markup.h"
#include "common/recording_frame.h"
#include "common/recording_player.h"
#include "decode/media_book.h"
#include "reader/subbook_media.h"
#include "shell/graphic_menu.h"

namespace {

class GraphicMenuTest : public ::testing::Test {
 protected:
  void WriteEpwing() { ASSERT_TRUE(m_book.WriteEpwing()) << m_book.Error(); }
  void WriteEb() { ASSERT_TRUE(m_book.Write(kEbMapSource)) << m_book.Error(); }
  CGraphicMenu& Menu() {
    if (!m_menu) m_menu = std::make_unique<CGraphicMenu>(m_book.Session(), m_frame, m_player);
    return *m_menu;
  }
  MapParse ShowEntry(size_t entry) { return Menu().ShowGraphicMenu(0, m_book.Text(entry).page, m_book.Text(entry).offset); }
  std::string TextCall(size_t entry) { return ShowTextCall(m_book.Text(entry).page, m_book.Text(entry).offset); }

  CMapBook m_book;
  CRecordingFrame m_frame;
  CRecordingPlayer m_player;
  std::unique_ptr<CGraphicMenu> m_menu;
};

TEST_F(GraphicMenuTest, AnEpwingMapFromTheBookWithItsPictureAndAreas) {
  WriteEpwing();
  MapParse parse = ShowEntry(0);
  EXPECT_EQ(parse.end, MapParse::kMapEnd);
  EXPECT_TRUE(parse.imageLoaded);
  EXPECT_EQ(Menu().Image().Width(), 40);  // sakura
  EXPECT_EQ(Menu().Image().Height(), 40);
  EXPECT_FALSE(Menu().EbKind());
  ASSERT_EQ(Menu().Areas().size(), 2u);
  EXPECT_TRUE(m_frame.Calls().empty());
  // The right and bottom edges of an area are in it.
  Menu().Tap(20, 20);
  Menu().Tap(40, 40);
  Menu().Tap(41, 40);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(1), TextCall(2)}));
}

TEST_F(GraphicMenuTest, AGraphicMenuAreaOfTheBook) {
  WriteEpwing();
  int32_t page = m_book.AreaStart(0x10);
  ASSERT_GT(page, 0);
  MapParse parse = Menu().ShowGraphicMenu(0, page, 0);
  EXPECT_EQ(parse.end, MapParse::kMapEnd);
  EXPECT_EQ(Menu().Image().Width(), 320);
  EXPECT_EQ(Menu().Image().Height(), 240);
  ASSERT_EQ(Menu().Areas().size(), 1u);
  EXPECT_EQ(Menu().AreaAt(60, 60), 0);
  EXPECT_EQ(Menu().Tap(60, 60).action, MapTap::kShowText);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(2)}));
}

TEST_F(GraphicMenuTest, AMonochromePicture1024PixelsWideIsRefusedHere) {
  WriteEpwing();
  ShowEntry(0);
  unsigned serial = Menu().ImageSerial();
  MapParse parse = ShowEntry(3);
  EXPECT_FALSE(parse.imageLoaded);
  EXPECT_EQ(Menu().ImageSerial(), serial);
  EXPECT_EQ(Menu().Image().Width(), 40);  // the previous picture stays
  // The content view's figure window takes it.
  std::u16string text = m_book.MapText(3);
  ImageTag tag;
  ASSERT_TRUE(FindImageTag(text, &tag));
  EXPECT_EQ(tag.width, 1024);
  std::unique_ptr<CSubbookMedia> media = m_book.Session().Media(0);
  CBitmapImage wide;
  ASSERT_TRUE(LoadTagImage(media->Book(), tag, &wide));
  EXPECT_EQ(wide.Width(), 1024);
}

TEST_F(GraphicMenuTest, AReferenceOutsideAreasGoesToTheFrame) {
  WriteEpwing();
  BookPos dog = m_book.Text(2);
  char link[40];
  std::snprintf(link, sizeof link, "</LINK[%08X:%04X]>", static_cast<unsigned>(dog.page), dog.offset);
  MapParse parse = Menu().ShowMapText(u"<BODY><LINK>犬" + Wide(link) + u"</BODY>", 0);
  EXPECT_EQ(parse.end, MapParse::kLink);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(2)}));
}

TEST_F(GraphicMenuTest, EachKindOfTargetHasItsAction) {
  WriteEpwing();
  auto start = [this](uint8_t id) { return static_cast<unsigned>(m_book.AreaStart(id)); };
  std::vector<unsigned> targets = {static_cast<unsigned>(m_book.Text(1).page), start(0x10), start(0x70),
                                   start(0x80), start(0x90), start(0xFF), start(0x01), start(0xFF), start(0x05)};
  std::string text = "<MAP>";
  for (size_t i = 0; i < targets.size(); ++i) {
    ASSERT_GT(targets[i], 0u) << i;
    text += AreaTag(static_cast<int>(i) * 10, 0, 9, 9, targets[i]);
  }
  Menu().ShowMapText(Wide(text + "</MAP>"), 0);
  ASSERT_EQ(Menu().Areas().size(), targets.size());
  auto tap = [this](int i) { return Menu().Tap(i * 10 + 4, 4); };

  EXPECT_EQ(tap(0).action, MapTap::kShowText);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{ShowTextCall(targets[0], 0)}));
  EXPECT_EQ(tap(6).action, MapTap::kShowText);  // the menu
  EXPECT_EQ(m_frame.Count("ShowText("), 2);
  struct {
    int area, command, entry;
  } commands[] = {{2, 32909, -1}, {3, 32911, -1}, {4, 32908, -1}, {5, 32906, 0}, {7, 32906, 1}};
  for (const auto& c : commands) {
    MapTap t = tap(c.area);
    EXPECT_EQ(t.action, MapTap::kFrameCommand) << c.area;
    EXPECT_EQ(t.command, c.command) << c.area;
    EXPECT_EQ(t.complexEntry, c.entry) << c.area;
  }
  EXPECT_EQ(tap(8).action, MapTap::kNothing);  // the heading area
  EXPECT_EQ(m_frame.Count("ShowText("), 2);
  EXPECT_EQ(m_player.events, "");
  // A graphic menu replaces this one in the same window.
  unsigned serial = Menu().ImageSerial();
  EXPECT_EQ(tap(1).action, MapTap::kGraphicMenu);
  EXPECT_NE(Menu().ImageSerial(), serial);
  EXPECT_EQ(Menu().Image().Width(), 320);
  EXPECT_EQ(Menu().Areas().size(), 1u);
}

TEST_F(GraphicMenuTest, EbPointAreasAndSoundAreas) {
  WriteEb();
  MapParse parse = Menu().ShowMapText(m_book.MapText(0), 0);
  EXPECT_TRUE(parse.imageLoaded);
  EXPECT_TRUE(Menu().EbKind());
  EXPECT_EQ(Menu().Image().Width(), 320);
  ASSERT_EQ(Menu().Areas().size(), 3u);
  const GraphicArea& first = Menu().Areas()[0];  // given as 0 x 0 at (10, 5)
  EXPECT_EQ(first.x, 0);
  EXPECT_EQ(first.y, 0);
  EXPECT_EQ(first.width, 16);
  EXPECT_EQ(first.height, 16);
  EXPECT_EQ(Menu().Areas()[1].x, 84);
  EXPECT_EQ(Menu().Areas()[2].x, 240);  // from (270, 195)
  EXPECT_EQ(Menu().Areas()[2].y, 184);
  Menu().Tap(16, 16);
  Menu().Tap(17, 16);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{TextCall(1)}));

  // The book's sound, as an area plays it, stopping the sound before.
  const WrittenSubbook::Media* bell = m_book.Media("bell");
  ASSERT_NE(bell, nullptr);
  auto first_ = static_cast<unsigned>(bell->firstFrame), last = static_cast<unsigned>(bell->lastFrame);
  Menu().ShowMapText(Wide("<MAP>" + SoundAreaTag(5, 5, 0, 0, first_, last) + "</MAP>"), 0);
  MapTap tap = Menu().Tap(0, 0);
  EXPECT_EQ(tap.action, MapTap::kPlaySound);
  EXPECT_EQ(m_player.events, "SP");
  ASSERT_EQ(m_player.waves.size(), 1u);
  EXPECT_EQ(m_player.waves[0].size(), 44u + ((last - first_) / 16 + 1) * 8064u);
  EXPECT_EQ(m_frame.Count("ShowText("), 1);
}

TEST_F(GraphicMenuTest, EpwingBooksPlayNoSoundAreas) {
  WriteEpwing();
  Menu().ShowMapText(Wide("<MAP>" + SoundAreaTag(0, 0, 9, 9, 1, 20) + "</MAP>"), 0);
  EXPECT_EQ(Menu().Tap(4, 4).action, MapTap::kNothing);
  EXPECT_EQ(m_player.events, "");
}

TEST_F(GraphicMenuTest, ClearAndDictionariesThatCannotBeRead) {
  WriteEpwing();
  ShowEntry(0);
  // Nothing changes for a dictionary the list does not have.
  EXPECT_FALSE(Menu().ShowGraphicMenu(7, m_book.Text(4).page, m_book.Text(4).offset).imageLoaded);
  EXPECT_FALSE(Menu().ShowMapText(m_book.MapText(4), 7).imageLoaded);
  EXPECT_EQ(Menu().Dict(), 0);
  EXPECT_EQ(Menu().Areas().size(), 2u);
  EXPECT_EQ(Menu().Image().Width(), 40);
  Menu().Clear();
  EXPECT_EQ(Menu().Dict(), -1);
  EXPECT_FALSE(Menu().HasImage());
  EXPECT_TRUE(Menu().Areas().empty());
  EXPECT_EQ(Menu().Tap(10, 10).action, MapTap::kNothing);
  EXPECT_TRUE(m_frame.Calls().empty());
}

}  // namespace
