// CGraphicMenu: the graphic window without its window -- the picture of a
// graphic menu or image map, its areas, and what a tap on an area does --
// over the session, the frame and a sound player. The Qt graphic window
// owns one and adds scrolling, painting, markers and its commands.
//
//   CGraphicMenu menu(session, frame, player);
//   menu.ShowGraphicMenu(dict, page, offset);    // the frame's graphic menu
//   menu.ShowMapText(markup, dict);              // UM_SHOW_NAMED_GRAPHIC
//   MapTap tap = menu.Tap(x + scrollX, y + scrollY);
//   if (tap.action == MapTap::kFrameCommand) ...  // the window's to run
//
// ShowGraphicMenu decodes the text at a position as graphic menus are
// read (8,192 bytes at most, past the start of the next entry, no page
// limit), converts it through the dictionary's gaiji map and parses it
// (layout/graphic_map.h); ShowMapText parses markup the content view
// handed over. A FIG tag of the text loads its picture from the subbook's
// text file or its graphics file, whichever the area at its page says;
// a picture that cannot be loaded leaves the previous one. A reference
// outside any area asks the frame for that text (CFrame::ShowText).
//
// Tap does what it can itself: a sound area of an EB book plays through
// the player (stopping the sound before), a text goes to the frame, a
// graphic menu replaces this one. Searches and the complex search are the
// main window's menu commands; Tap returns them for the window to run.
//
// Only the dictionary's number is kept, never its readers, so that a
// rebuilt book list leaves nothing dangling; call Clear after one anyway,
// since the number may now name another dictionary.
#ifndef TOMELING_SHELL_GRAPHIC_MENU_H_
#define TOMELING_SHELL_GRAPHIC_MENU_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "decode/bitmap_image.h"
#include "layout/graphic_map.h"

class CDictSession;
class CFrame;
class CSoundPlayer;

// Bytes of the decoded text of a graphic menu.
constexpr int kGraphicMenuCapacity = 8192;

class CGraphicMenu {
 public:
  CGraphicMenu(CDictSession& session, CFrame& frame, CSoundPlayer& player);

  // The text at page:offset of dictionary `dict`; false when it cannot be
  // read (nothing changes then).
  MapParse ShowGraphicMenu(int dict, int32_t page, int offset);
  // Markup (wide form) of an image map of dictionary `dict`.
  MapParse ShowMapText(std::u16string_view markup, int dict);
  // Forgets the dictionary, the picture and the areas.
  void Clear();

  // Acts on a tap at image point (x, y); see above.
  MapTap Tap(int x, int y);

  int Dict() const { return m_dict; }
  bool HasImage() const { return m_image.Width() > 0; }
  const CBitmapImage& Image() const { return m_image; }
  // Counts the pictures loaded: a window redraws when it changes.
  unsigned ImageSerial() const { return m_imageSerial; }
  bool EbKind() const { return m_map.EbKind(); }
  const std::vector<GraphicArea>& Areas() const { return m_map.Areas(); }
  int AreaAt(int x, int y) const { return m_map.AreaAt(x, y); }

 private:
  MapParse Parse(std::u16string_view markup, int dict);
  bool LoadImage(const ImageTag& tag);
  int KindAt(int32_t page);
  void PlaySound(uint32_t startFrame, uint32_t endFrame);

  CDictSession& m_session;
  CFrame& m_frame;
  CSoundPlayer& m_player;
  int m_dict = -1;
  CGraphicMap m_map;
  CBitmapImage m_image;
  unsigned m_imageSerial = 0;
};

#endif  // TOMELING_SHELL_GRAPHIC_MENU_H_
