// One row of the hit list, drawn on a canvas: the colours of a row by its
// state, and the row itself -- the dictionary name from the row's left
// edge, cut where it would reach the heading, then the heading from
// `lenDictName` font sizes on.
//
// Colours. Either the program's own colour set (the title, text and
// background colours of the settings) or the desktop's (the five system
// colours below):
//
//   row                          background      name part        heading part
//   selected, list focused       highlight       highlighted text highlighted text
//                                blue            title inverted   white
//   selected, list not focused   window          window text      window text
//                                grey C4C4C4     text colour      text colour
//   not selected                 base            blue             window text
//                                background      title colour     text colour
//
// On the desktop's base colour the blue of the names and the window text
// are kept readable (layout/readable_colour.h): a dark list gets a light
// blue. The selected rows keep the desktop's own pairs.
//
// The heading. Tags are skipped; "&amp;", "&lt;" and "&gt;" draw as their
// characters; "&h" and "&z" draw the book's 16-dot gaiji bitmaps (8 x 16
// and 16 x 16; on a finer screen the book's font nearest the device pixels
// they cover), stretched to size/2 x size and size x size of the list's
// font size when gaiji are adjusted and that size is not 16 -- a code
// without a bitmap leaves its room empty; "&c" draws "□", "&g" its GB2312
// character or "□". Everything else is text, drawn in runs. The drawing
// stops at the right edge of the row.
#ifndef TOMELING_SHELL_HIT_ROW_DRAW_H_
#define TOMELING_SHELL_HIT_ROW_DRAW_H_

#include <string_view>

#include "layout/canvas.h"

class CLayoutBook;

// The desktop's colours a row may take.
struct SystemRowColours {
  Colour highlight = MakeColour(0, 0, 128);
  Colour highlightedText = MakeColour(255, 255, 255);
  Colour window = MakeColour(212, 208, 200);  // the scroll bar's colour
  Colour windowText = MakeColour(0, 0, 0);
  Colour base = MakeColour(255, 255, 255);    // a list's background
};

// The program's own colours a row takes, or the switch to the system's.
struct RowColourSet {
  Colour title = MakeColour(0, 0, 255);
  Colour text = MakeColour(0, 0, 0);
  Colour background = MakeColour(255, 255, 255);
  bool useSystemColours = false;
};

struct RowColours {
  Colour background = 0;
  Colour name = 0;
  Colour heading = 0;
};

RowColours HitRowColours(bool selected, bool listFocused, const RowColourSet& set,
                         const SystemRowColours& system);

struct HitRowGeometry {
  int left = 0, top = 0, width = 0, height = 0;  // the row
  int headingX = 0;     // from the row's left: lenDictName x fontSizeList
  int fontSize = 12;    // fontSizeList
  bool adjustGaiji = true;
};

// Size of a gaiji in the list: 16 dots high, or the font size when
// adjusted; half width for half-width gaiji.
void HitRowGaijiSize(bool half, int fontSize, bool adjustGaiji, int* width, int* height);

// The height of every row: the tallest of the fonts' text and the gaiji,
// with 2 pixels above and below.
int HitRowHeight(CCanvas& canvas, const FontDesc* const fonts[], int count, int fontSize, bool adjustGaiji);

// Fills the row and draws `name` and `heading` in `font`, text and gaiji
// centred in the row's height; `book` gives the gaiji bitmaps (may be
// null: gaiji leave their room empty).
void DrawHitRow(CCanvas& canvas, const HitRowGeometry& row, const RowColours& colours, const FontDesc& font,
                std::u16string_view name, std::u16string_view heading, CLayoutBook* book);

#endif  // TOMELING_SHELL_HIT_ROW_DRAW_H_
