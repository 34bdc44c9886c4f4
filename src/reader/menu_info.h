// Which menus and notices a subbook offers, and the "kind" of a position.
//
// The shell enables its menu, graphic-menu and copyright commands from
// these, and shows the text of the menu or copyright area (decoded like any
// entry) from its start. The kind of the item at a position is the
// identifier of the area that holds the page (CEBReader::IndexForPage):
// 0x00 text, 0x01/0x20 menus, 0x10/0x11/0xEE graphic menus, 0x02 copyright,
// 0xE0 colour charts...
#ifndef TOMELING_READER_MENU_INFO_H_
#define TOMELING_READER_MENU_INFO_H_

#include <cstdint>

#include "reader/eb_reader.h"

// One of the areas 0x10, 0x11, 0xEE, 0x0E, 0x0F.
bool HasGraphicMenu(const CEBReader& reader);
// The graphic menu the graphic-menu command shows: the first found of the
// areas 0x11, 0x10, 0xEE, 0x0E, 0x0F, in this order; nullptr for none.
const IndexEntry* GraphicMenuArea(const CEBReader& reader);
// Area 0x02, or in EPWING text 0x21.
bool HasCopyright(const CEBReader& reader);

// The menu area (0x01, else 0x20), the copyright area (0x02, else in EPWING
// text 0x21), or nullptr.
const IndexEntry* MenuArea(const CEBReader& reader);
const IndexEntry* CopyrightArea(const CEBReader& reader);

// Identifier of the area holding `page`, or -1 when no area does.
int ItemKind(const CEBReader& reader, int32_t page);

#endif  // TOMELING_READER_MENU_INFO_H_
