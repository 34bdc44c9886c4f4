// See graphic_map.h.
#include "layout/graphic_map.h"

#include <algorithm>

#include "decode/markup.h"

namespace {

constexpr std::string_view kMapPrefix = "<MAP";
constexpr std::string_view kMapEndPrefix = "</MAP";

// EB graphic menus are pictures of 256 x 200 pixels. The square of a point
// near the bottom is pulled up to end at row 200; one near the right edge
// is pulled in the same way to end at column 256. (Taking 256 - x for such
// a point instead would throw its square to the far side of the picture,
// and a point past 256, which only a damaged book has, off it.)
constexpr int kEbMenuWidth = 256;
constexpr int kEbMenuHeight = 200;

bool StartsWith(std::u16string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (text[i] != static_cast<char16_t>(static_cast<unsigned char>(prefix[i]))) return false;
  return true;
}

bool Literal(std::u16string_view tag, size_t at, std::string_view text) {
  return at <= tag.size() && StartsWith(tag.substr(at), text);
}

bool Decimal3(std::u16string_view tag, size_t at, int16_t* out) {
  int v = 0;
  if (at + 3 > tag.size() || !ReadMarkupDecimal(tag.data() + at, 3, &v)) return false;
  *out = static_cast<int16_t>(v);  // three characters: -99 to 999
  return true;
}

bool Hex(std::u16string_view tag, size_t at, size_t width, uint32_t* out) {
  return at + width <= tag.size() && ReadMarkupHex(tag.data() + at, width, out);
}

// "</LINK[%08X:%04X]>".
bool ParseLinkEnd(std::u16string_view tag, int32_t* page, int* offset) {
  uint32_t p = 0, o = 0;
  if (!Literal(tag, 0, kTagLinkEndPrefix) || !Hex(tag, kLinkEndPagePos, 8, &p) ||
      !Literal(tag, kLinkEndPagePos + 8, ":") || !Hex(tag, kLinkEndOffsetPos, 4, &o) ||
      !Literal(tag, kLinkEndOffsetPos + 4, "]>"))
    return false;
  *page = static_cast<int32_t>(p);
  *offset = static_cast<int>(o);
  return true;
}

// A picture the graphic window takes: monochrome bitmaps only up to 1,023
// pixels each way.
bool MapTakesImage(const ImageTag& tag) {
  if (tag.isInline || tag.page == 0) return false;
  if (tag.kind == kImageColour) return true;
  return tag.kind == kImageMonochrome && tag.width >= 1 && tag.width <= kMaxMapMonoSide && tag.height >= 1 &&
         tag.height <= kMaxMapMonoSide;
}

bool IsTextKind(int k) { return (k >= 0 && k <= 2) || k == 0x20 || k == 0x21; }
bool IsGraphicMenuKind(int k) { return (k >= 0x0E && k <= 0x11) || k == 0xEE || k == 0xEF; }
constexpr int kComplexSearchKind = 0xFF;

int KindOf(int32_t page, const PageKind& kindAt) { return page > 0 && kindAt ? kindAt(page) : -1; }

}  // namespace

GraphicArea PlaceEbPointArea(GraphicArea area) {
  if (area.width != 0 || area.height != 0) return area;
  // Left of the point and centred on it vertically, where EB players put
  // the marker, and kept on the picture.
  int x = std::max(0, area.x - kAreaMarkerSize);
  int y = std::max(0, area.y - kAreaMarkerSize / 2);
  if (x + kAreaMarkerSize > kEbMenuWidth) x = kEbMenuWidth - kAreaMarkerSize;
  if (y + kAreaMarkerSize > kEbMenuHeight) y = kEbMenuHeight - kAreaMarkerSize;
  area.x = static_cast<int16_t>(x);
  area.y = static_cast<int16_t>(y);
  area.width = kAreaMarkerSize;
  area.height = kAreaMarkerSize;
  return area;
}

bool ParseAreaTag(std::u16string_view tag, GraphicArea* area) {
  GraphicArea a;
  if (!Literal(tag, 0, kTagAreaPrefix) || !Decimal3(tag, kAreaXPos, &a.x) || !Literal(tag, kAreaXPos + 3, ",") ||
      !Decimal3(tag, kAreaYPos, &a.y) || !Literal(tag, kAreaYPos + 3, ",") ||
      !Decimal3(tag, kAreaWidthPos, &a.width) || !Literal(tag, kAreaWidthPos + 3, ",") ||
      !Decimal3(tag, kAreaHeightPos, &a.height) || !Literal(tag, kAreaHeightPos + 3, " "))
    return false;
  uint32_t first = 0, second = 0;
  if (Literal(tag, kAreaKindPos, "HREF=[")) {
    if (!Hex(tag, kAreaHrefPagePos, 8, &first) || !Literal(tag, kAreaHrefPagePos + 8, ":") ||
        !Hex(tag, kAreaHrefOffsetPos, 4, &second) || !Literal(tag, kAreaHrefOffsetPos + 4, "]>"))
      return false;
    a.linkPage = static_cast<int32_t>(first);
    a.linkOffset = static_cast<int32_t>(second);
  } else if (Literal(tag, kAreaKindPos, "SOUND=[")) {
    if (!Hex(tag, kAreaSoundStartPos, 8, &first) || !Literal(tag, kAreaSoundStartPos + 8, ":") ||
        !Hex(tag, kAreaSoundEndPos, 8, &second) || !Literal(tag, kAreaSoundEndPos + 8, "]>"))
      return false;
    a.soundStart = static_cast<int32_t>(first);
    a.soundEnd = static_cast<int32_t>(second);
  } else {
    return false;
  }
  *area = a;
  return true;
}

void CGraphicMap::StartList() {
  if (m_listStarted) return;
  m_areas.clear();
  m_listStarted = true;
}

void CGraphicMap::AddArea(GraphicArea area) {
  StartList();
  if (static_cast<int>(m_areas.size()) >= kMaxMapAreas) return;
  m_areas.push_back(m_ebKind ? PlaceEbPointArea(area) : area);
}

MapParse CGraphicMap::Parse(std::u16string_view markup, const MapImageLoader& loader) {
  markup = markup.substr(0, std::min(markup.size(), kMapMarkupLimit));
  MapParse result;
  m_listStarted = false;
  for (size_t i = markup.find(u'<'); i != std::u16string_view::npos; i = markup.find(u'<', i + 1)) {
    std::u16string_view tag = markup.substr(i);
    if (StartsWith(tag, kMapPrefix)) {
      m_areas.clear();
      m_listStarted = true;
    } else if (StartsWith(tag, kTagAreaPrefix)) {
      GraphicArea area;
      if (ParseAreaTag(tag, &area)) AddArea(area);
    } else if (StartsWith(tag, kTagFigEndPrefix)) {
      ImageTag image;
      if (FindImageTag(tag, &image) && MapTakesImage(image) && loader && loader(image)) {
        result.imageLoaded = true;
        StartList();
      }
    } else if (StartsWith(tag, kTagLinkEndPrefix)) {
      if (ParseLinkEnd(tag, &result.linkPage, &result.linkOffset)) {
        result.end = MapParse::kLink;
        return result;
      }
    } else if (StartsWith(tag, kMapEndPrefix)) {
      result.end = MapParse::kMapEnd;
      return result;
    }
  }
  return result;
}

int CGraphicMap::AreaAt(int x, int y) const {
  for (size_t i = 0; i < m_areas.size(); ++i)
    if (m_areas[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

MapTap CGraphicMap::Tap(int x, int y, const PageKind& kindAt) const {
  MapTap tap;
  tap.area = AreaAt(x, y);
  if (tap.area < 0) return tap;
  const GraphicArea& a = m_areas[static_cast<size_t>(tap.area)];
  if (m_ebKind && a.soundEnd >= 1) {
    tap.action = MapTap::kPlaySound;
    tap.soundStart = static_cast<uint32_t>(a.soundStart);
    tap.soundEnd = static_cast<uint32_t>(a.soundEnd);
    return tap;
  }
  tap.page = a.linkPage;
  tap.offset = a.linkOffset;
  int kind = KindOf(a.linkPage, kindAt);
  if (IsTextKind(kind)) {
    tap.action = MapTap::kShowText;
  } else if (IsGraphicMenuKind(kind)) {
    tap.action = MapTap::kGraphicMenu;
  } else if (kind >= 0x70 && kind <= 0x72) {
    tap.action = MapTap::kFrameCommand;
    tap.command = kCommandEndwordSearch;
  } else if (kind == 0x80) {
    tap.action = MapTap::kFrameCommand;
    tap.command = kCommandKeywordSearch;
  } else if (kind >= 0x90 && kind <= 0x92) {
    tap.action = MapTap::kFrameCommand;
    tap.command = kCommandWordSearch;
  } else if (kind == kComplexSearchKind) {
    tap.action = MapTap::kFrameCommand;
    tap.command = kCommandComplexSearch;
    tap.complexEntry = 0;
    for (int j = 0; j < tap.area; ++j)
      if (KindOf(m_areas[static_cast<size_t>(j)].linkPage, kindAt) == kComplexSearchKind) ++tap.complexEntry;
  }
  return tap;
}
