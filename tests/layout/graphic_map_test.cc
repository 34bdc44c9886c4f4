// The graphic window's reading of map markup and its tap rules, without a
// book: which tags count, where parsing stops, which pictures it takes,
// the EB point areas, the area limit, the edges of an area and the action
// each kind of target asks for.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/map_markup.h"
#include "layout/graphic_map.h"

namespace {

// Records the pictures asked for; refuses those on page 99.
struct Loader {
  std::vector<ImageTag> asked;
  MapImageLoader Fn() {
    return [this](const ImageTag& tag) {
      asked.push_back(tag);
      return tag.page != 99;
    };
  }
};

TEST(GraphicMap, EpwingMapLoadsItsPictureAndStopsAtTheMapEnd) {
  CGraphicMap map;
  Loader loader;
  std::string text = "<BODY><HEAD>x</HEAD>\r\n<MAP><FIG>&amp;" + FigEndTag(5, 0x10, 40, 30, 0) +
                     AreaTag(1, 2, 10, 20, 0x12, 0x34) + SoundAreaTag(7, 8, 5, 5, 0x4A, 0x96) +
                     "</MAP><LINK>y</LINK[00000001:0002]>" + AreaTag(0, 0, 5, 5, 1);
  MapParse parse = map.Parse(Wide(text), loader.Fn());
  EXPECT_EQ(parse.end, MapParse::kMapEnd);
  EXPECT_TRUE(parse.imageLoaded);
  ASSERT_EQ(loader.asked.size(), 1u);
  EXPECT_EQ(loader.asked[0].page, 5u);
  EXPECT_EQ(loader.asked[0].offset, 0x10);
  ASSERT_EQ(map.Areas().size(), 2u);
  const GraphicArea& a = map.Areas()[0];
  EXPECT_EQ(a.x, 1);
  EXPECT_EQ(a.y, 2);
  EXPECT_EQ(a.width, 10);
  EXPECT_EQ(a.height, 20);
  EXPECT_EQ(a.linkPage, 0x12);
  EXPECT_EQ(a.linkOffset, 0x34);
  EXPECT_EQ(a.soundEnd, 0);
  EXPECT_EQ(map.Areas()[1].soundStart, 0x4A);
  EXPECT_EQ(map.Areas()[1].soundEnd, 0x96);
  EXPECT_EQ(map.Areas()[1].linkPage, 0);
}

TEST(GraphicMap, TakesColourPicturesAndMonochromeOnesUpTo1023Pixels) {
  struct Case {
    std::string tag;
    bool asked;
  } cases[] = {
      {FigEndTag(5, 0x10, 0, 0, 1), true},        // colour: the size comes from the data
      {FigEndTag(5, 0x10, 1023, 1023, 0), true},  {FigEndTag(5, 0x10, 1, 1, 0), true},
      {FigEndTag(5, 0x10, 1024, 10, 0), false},   // the content view's figure window shows it; here refused
      {FigEndTag(5, 0x10, 10, 1024, 0), false},   {FigEndTag(5, 0x10, 0, 10, 0), false},
      {FigEndTag(0, 0x10, 10, 10, 0), false},     // page 0: no picture
      {FigEndTag(0, 0x10, 10, 10, 1), false},     {FigEndTag(5, 0x10, 10, 10, 2), false},
      {"</INL[00000005:0010](0010*0010:1)>", false},
      {"</FIG[00000005:0010](0010*0010:1", false},  // cut short
  };
  for (const Case& c : cases) {
    CGraphicMap map;
    Loader loader;
    map.Parse(Wide(c.tag), loader.Fn());
    EXPECT_EQ(loader.asked.size(), c.asked ? 1u : 0u) << c.tag;
  }
  // A picture that does not load is not shown.
  CGraphicMap map;
  Loader loader;
  EXPECT_FALSE(map.Parse(Wide(FigEndTag(99, 0x10, 10, 10, 0)), loader.Fn()).imageLoaded);
  EXPECT_EQ(loader.asked.size(), 1u);
}

TEST(GraphicMap, ReadsNoFurtherThan8191Characters) {
  std::string area = AreaTag(1, 1, 1, 1, 2);
  std::string fits(8191 - area.size(), 'x'), cut(8192 - area.size(), 'x');
  CGraphicMap map;
  map.Parse(Wide("<MAP>" + fits.substr(5) + area), {});
  EXPECT_EQ(map.Areas().size(), 1u);
  map.Parse(Wide("<MAP>" + cut.substr(5) + area), {});
  EXPECT_TRUE(map.Areas().empty());
  EXPECT_EQ(map.Parse(Wide(std::string(8191, 'x') + "</MAP>"), {}).end, MapParse::kTextEnd);
}

TEST(GraphicMap, KeepsTheFirst128Areas) {
  std::string text = "<MAP>";
  for (int i = 0; i < 130; ++i) text += AreaTag(i, 0, 1, 1, static_cast<unsigned>(i + 1));
  CGraphicMap map;
  map.Parse(Wide(text), {});
  ASSERT_EQ(map.Areas().size(), 128u);
  EXPECT_EQ(map.Areas().front().linkPage, 1);
  EXPECT_EQ(map.Areas().back().linkPage, 128);
  EXPECT_EQ(map.AreaAt(129, 0), -1);
}

TEST(GraphicMap, BrokenAreaTagsAreSkipped) {
  const char* bad[] = {
      "<AREA COORDS=001,002,003,004 LINK=[00000001:0000]>", "<AREA COORDS=001,002,003,04 HREF=[00000001:0000]>",
      "<AREA COORDS=00x,002,003,004 HREF=[00000001:0000]>", "<AREA COORDS=001,002,003,004 HREF=[0000001:0000]>",
      "<AREA COORDS=001,002,003,004 SOUND=[00000001:0000]>", "<AREA COORDS=001;002,003,004 HREF=[00000001:0000]>",
      "<AREA COORDS=001,002,003,004 HREF=[00000001:0000",
  };
  for (const char* tag : bad) {
    GraphicArea area;
    EXPECT_FALSE(ParseAreaTag(Wide(tag), &area)) << tag;
  }
  // Nor is a broken reference.
  CGraphicMap map;
  EXPECT_EQ(map.Parse(Wide("</LINK[0000ABCD:07F]>"), {}).end, MapParse::kTextEnd);
  // Negative values as the markup writes them.
  GraphicArea area;
  ASSERT_TRUE(ParseAreaTag(Wide("<AREA COORDS=-01,002,003,004 HREF=[00000001:0000]>"), &area));
  EXPECT_EQ(area.x, -1);
}

TEST(GraphicMap, EbPointAreasBecomeSquaresLeftOfThePoint) {
  auto placed = [](int x, int y) {
    GraphicArea a;
    a.x = static_cast<int16_t>(x);
    a.y = static_cast<int16_t>(y);
    a = PlaceEbPointArea(a);
    EXPECT_EQ(a.width, 16);
    EXPECT_EQ(a.height, 16);
    return std::make_pair(static_cast<int>(a.x), static_cast<int>(a.y));
  };
  EXPECT_EQ(placed(10, 5), std::make_pair(0, 0));
  EXPECT_EQ(placed(100, 60), std::make_pair(84, 52));
  EXPECT_EQ(placed(50, 192), std::make_pair(34, 184));  // reaches row 200 exactly
  EXPECT_EQ(placed(50, 193), std::make_pair(34, 184));  // would pass 200
  EXPECT_EQ(placed(50, 999), std::make_pair(34, 184));
  // x keeps to 256 the same way (see PlaceEbPointArea).
  EXPECT_EQ(placed(256, 10), std::make_pair(240, 2));
  EXPECT_EQ(placed(270, 195), std::make_pair(240, 184));
  EXPECT_EQ(placed(999, 0), std::make_pair(240, 0));

  // Only EB books, and only point areas.
  std::string text = "<MAP>" + AreaTag(10, 5, 0, 0, 1) + AreaTag(10, 5, 3, 0, 1) + AreaTag(10, 5, 0, 3, 1);
  CGraphicMap map;
  map.SetEbKind(true);
  map.Parse(Wide(text), {});
  ASSERT_EQ(map.Areas().size(), 3u);
  EXPECT_EQ(map.Areas()[0].width, 16);
  EXPECT_EQ(map.Areas()[1].x, 10);
  EXPECT_EQ(map.Areas()[2].x, 10);
  map.SetEbKind(false);
  map.Parse(Wide(text), {});
  EXPECT_EQ(map.Areas()[0].x, 10);
  EXPECT_EQ(map.Areas()[0].width, 0);
}

TEST(GraphicMap, EachTextHasItsOwnAreas) {
  CGraphicMap map;
  map.SetEbKind(true);
  Loader loader;
  // EB image maps have no <MAP>: the second picture's areas replace the first's.
  map.Parse(Wide("<FIG>a" + FigEndTag(5, 0x10, 8, 8, 1) + AreaTag(10, 5, 0, 0, 1) + AreaTag(40, 40, 0, 0, 2)),
            loader.Fn());
  ASSERT_EQ(map.Areas().size(), 2u);
  map.Parse(Wide("<FIG>b" + FigEndTag(6, 0x10, 8, 8, 1) + AreaTag(60, 60, 0, 0, 3)), loader.Fn());
  ASSERT_EQ(map.Areas().size(), 1u);
  EXPECT_EQ(map.Areas()[0].linkPage, 3);
  // Areas before the picture in one text stay with it.
  map.Parse(Wide(AreaTag(60, 60, 0, 0, 4) + "<FIG>c" + FigEndTag(7, 0x10, 8, 8, 1)), loader.Fn());
  ASSERT_EQ(map.Areas().size(), 1u);
  EXPECT_EQ(map.Areas()[0].linkPage, 4);
  // A text that shows nothing new leaves them: a picture that does not
  // load, or a reference.
  map.Parse(Wide("<FIG>d" + FigEndTag(99, 0x10, 8, 8, 1) + "<LINK>e</LINK[00000001:0000]>"), loader.Fn());
  EXPECT_EQ(map.Areas().size(), 1u);
  // <MAP> always starts again, also a second time in one text.
  map.Parse(Wide("<MAP>" + AreaTag(1, 1, 1, 1, 5) + "<MAP>" + AreaTag(1, 1, 1, 1, 6)), loader.Fn());
  ASSERT_EQ(map.Areas().size(), 1u);
  EXPECT_EQ(map.Areas()[0].linkPage, 6);
}

TEST(GraphicMap, AnAreaHoldsItsEdgesAndTheFirstAreaWins) {
  CGraphicMap map;
  map.Parse(Wide("<MAP>" + AreaTag(10, 20, 30, 40, 1) + AreaTag(30, 50, 30, 40, 2)), {});
  EXPECT_EQ(map.AreaAt(10, 20), 0);
  EXPECT_EQ(map.AreaAt(40, 60), 0);  // the right and bottom edges are inside
  EXPECT_EQ(map.AreaAt(40, 20), 0);
  EXPECT_EQ(map.AreaAt(10, 60), 0);
  EXPECT_EQ(map.AreaAt(9, 20), -1);
  EXPECT_EQ(map.AreaAt(10, 19), -1);
  EXPECT_EQ(map.AreaAt(41, 20), -1);
  EXPECT_EQ(map.AreaAt(10, 61), -1);
  EXPECT_EQ(map.AreaAt(35, 55), 0);  // both hold it
  EXPECT_EQ(map.AreaAt(41, 61), 1);
  EXPECT_EQ(map.AreaAt(60, 90), 1);
}

TEST(GraphicMap, TheKindAtTheLinkPageChoosesTheAction) {
  // Page p lies in an area of identifier kinds[p].
  const std::map<int32_t, int> kinds = {
      {1, 0x00},  {2, 0x01},  {3, 0x02},  {4, 0x20},  {5, 0x21},  {6, 0x0E},  {7, 0x11},  {8, 0xEE},
      {9, 0xEF},  {10, 0x70}, {11, 0x72}, {12, 0x80}, {13, 0x90}, {14, 0x92}, {15, 0xFF}, {16, 0x91},
      {17, 0xFF}, {18, 0x03}, {19, 0x81}, {20, 0x12}, {21, 0xFF},
  };
  PageKind kindAt = [&kinds](int32_t page) {
    auto it = kinds.find(page);
    return it == kinds.end() ? -1 : it->second;
  };
  std::string text = "<MAP>";
  for (int page = 1; page <= 22; ++page) text += AreaTag(page * 10, 0, 5, 5, static_cast<unsigned>(page), 0x40);
  text += SoundAreaTag(250, 0, 5, 5, 0x20, 0x40) + SoundAreaTag(270, 0, 5, 5, 0x20, 0);
  CGraphicMap map;
  map.Parse(Wide(text), {});
  auto tap = [&](int page) { return map.Tap(page * 10 + 2, 2, kindAt); };
  for (int page : {1, 2, 3, 4, 5}) {
    MapTap t = tap(page);
    EXPECT_EQ(t.action, MapTap::kShowText) << page;
    EXPECT_EQ(t.page, page);
    EXPECT_EQ(t.offset, 0x40);
  }
  for (int page : {6, 7, 8, 9}) EXPECT_EQ(tap(page).action, MapTap::kGraphicMenu) << page;
  auto command = [&](int page) {
    MapTap t = tap(page);
    EXPECT_EQ(t.action, MapTap::kFrameCommand) << page;
    return t.command;
  };
  EXPECT_EQ(command(10), 32909);
  EXPECT_EQ(command(11), 32909);
  EXPECT_EQ(command(12), 32911);
  EXPECT_EQ(command(13), 32908);
  EXPECT_EQ(command(14), 32908);
  EXPECT_EQ(command(16), 32908);
  // Complex search: the entry counts the areas before that lead to one.
  EXPECT_EQ(command(15), 32906);
  EXPECT_EQ(tap(15).complexEntry, 0);
  EXPECT_EQ(tap(17).complexEntry, 1);
  EXPECT_EQ(tap(21).complexEntry, 2);
  EXPECT_EQ(tap(13).complexEntry, -1);
  for (int page : {18, 19, 20, 22}) EXPECT_EQ(tap(page).action, MapTap::kNothing) << page;
  EXPECT_EQ(map.Tap(2, 2, kindAt).area, -1);
  // Sound areas play in EB books only, and only with an end frame.
  EXPECT_EQ(map.Tap(252, 2, kindAt).action, MapTap::kNothing);
  map.SetEbKind(true);
  MapTap sound = map.Tap(252, 2, kindAt);
  EXPECT_EQ(sound.action, MapTap::kPlaySound);
  EXPECT_EQ(sound.soundStart, 0x20u);
  EXPECT_EQ(sound.soundEnd, 0x40u);
  EXPECT_EQ(map.Tap(272, 2, kindAt).action, MapTap::kNothing);
}

}  // namespace
