// CGraphicMap: the clickable areas of a graphic menu or of an image map, as
// the graphic window reads them from display markup, and what a tap on one
// of them asks for.
//
// The markup comes in two shapes (wide form):
//
//   EPWING  <MAP><FIG>caption</FIG[P:O](W*H:K)><AREA ...><AREA ...></MAP>
//   EB      <FIG>caption</FIG[P:O](W*H:K)><AREA COORDS=x,y,000,000 ...>...
//
// Parse walks its tags in order, looking no further than the first 8,191
// characters:
//
//   <MAP...       empties the area list
//   <AREA ...>    one area: HREF=[P:O] leads to a text position, SOUND=[S:E]
//                 plays audio frames S to E; areas past 128 are dropped
//   </FIG[...]>   a picture: handed to the loader when its page is above 0
//                 and it is a colour image, or a monochrome bitmap of 1 to
//                 1,023 pixels each way (larger ones are refused here,
//                 though the figure window shows them)
//   </LINK[P:O]>  the text is a reference, not a map: Parse stops and the
//                 caller shows P:O. An AREA tag carries its own target, so
//                 every LINK closing tag stands outside any area.
//   </MAP...      the map is complete: Parse stops
//
// In EB books (catalog CATALOG) an area is usually a point (0 x 0); it is
// made a 16 x 16 square left of and around the point (PlaceEbPointArea),
// where the graphic window also draws its marker.
//
// One list belongs to one text: the first <MAP, AREA or newly loaded
// picture of a Parse replaces the areas of the text before. (A text without
// <MAP -- an EB image map -- would otherwise add its areas to the previous
// picture's, and a tap could follow a link of a picture no longer shown.)
//
// A tap is routed by the kind of item at the area's link page (the
// identifier of the index area holding it):
//
//   EB book, sound end >= 1      play the sound
//   0-2, 0x20, 0x21              show the text at the link
//   0x0E-0x11, 0xEE, 0xEF        show that graphic menu in the same window
//   0x70-0x72                    frame command 32909 (endword search)
//   0x80                         frame command 32911 (keyword search)
//   0x90-0x92                    frame command 32908 (word search)
//   0xFF                         complex-search entry n, then command 32906,
//                                n counting the earlier areas leading to 0xFF
//   anything else                nothing
//
// Coordinates are image pixels (window point plus scroll position); an
// area's right and bottom edges belong to it.
#ifndef TOMELING_LAYOUT_GRAPHIC_MAP_H_
#define TOMELING_LAYOUT_GRAPHIC_MAP_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "decode/media_tags.h"

constexpr int kMaxMapAreas = 128;
constexpr size_t kMapMarkupLimit = 8191;
constexpr int kMaxMapMonoSide = 1023;
constexpr int kAreaMarkerSize = 16;

// The frame's menu commands a tap can ask for.
enum MapCommand : int {
  kCommandComplexSearch = 32906,
  kCommandWordSearch = 32908,
  kCommandEndwordSearch = 32909,
  kCommandKeywordSearch = 32911,
};

struct GraphicArea {
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  int32_t linkPage = 0;  // 0 for a sound area
  int32_t linkOffset = 0;
  int32_t soundStart = 0;  // audio frames; 0 for a link area
  int32_t soundEnd = 0;

  // Edges inclusive.
  bool Contains(int px, int py) const {
    return x <= px && px <= x + width && y <= py && py <= y + height;
  }
};

// The EB point area at (x, y) as the 16 x 16 square it is shown as.
GraphicArea PlaceEbPointArea(GraphicArea area);

// Reads an AREA tag starting at `tag` (HREF or SOUND form); false when it
// is not one.
bool ParseAreaTag(std::u16string_view tag, GraphicArea* area);

// Loads the picture of a FIG closing tag into the window; false when it
// cannot (the previous picture then stays).
using MapImageLoader = std::function<bool(const ImageTag& tag)>;

struct MapParse {
  enum End { kTextEnd, kMapEnd, kLink };
  End end = kTextEnd;
  int32_t linkPage = 0;  // kLink: the text to show
  int linkOffset = 0;
  bool imageLoaded = false;
};

// What a tap asks for.
struct MapTap {
  enum Action { kNothing, kPlaySound, kShowText, kGraphicMenu, kFrameCommand };
  Action action = kNothing;
  int area = -1;  // the area tapped, or -1
  int32_t page = 0;  // kShowText, kGraphicMenu
  int offset = 0;
  uint32_t soundStart = 0;  // kPlaySound: audio frames
  uint32_t soundEnd = 0;
  int command = 0;        // kFrameCommand: a MapCommand
  int complexEntry = -1;  // with kCommandComplexSearch: the entry to select
};

// The identifier of the index area holding a page, or -1.
using PageKind = std::function<int(int32_t page)>;

class CGraphicMap {
 public:
  // EB-kind books: point areas grow to 16 x 16 and carry markers, and
  // sound areas play.
  void SetEbKind(bool eb) { m_ebKind = eb; }
  bool EbKind() const { return m_ebKind; }

  MapParse Parse(std::u16string_view markup, const MapImageLoader& loader);
  void Clear() { m_areas.clear(); }

  const std::vector<GraphicArea>& Areas() const { return m_areas; }
  // The first area holding image point (x, y), or -1.
  int AreaAt(int x, int y) const;
  MapTap Tap(int x, int y, const PageKind& kindAt) const;

 private:
  void AddArea(GraphicArea area);
  void StartList();

  std::vector<GraphicArea> m_areas;
  bool m_ebKind = false;
  bool m_listStarted = false;  // during Parse: this text has its own list
};

#endif  // TOMELING_LAYOUT_GRAPHIC_MAP_H_
