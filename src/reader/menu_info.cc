// Menus, copyright and position kinds; see menu_info.h.
#include "reader/menu_info.h"

bool HasGraphicMenu(const CEBReader& reader) { return GraphicMenuArea(reader) != nullptr; }

const IndexEntry* GraphicMenuArea(const CEBReader& reader) {
  for (uint8_t id : {0x11, 0x10, 0xEE, 0x0E, 0x0F})
    if (const IndexEntry* area = reader.FindIndex(id)) return area;
  return nullptr;
}

bool HasCopyright(const CEBReader& reader) { return CopyrightArea(reader) != nullptr; }

const IndexEntry* MenuArea(const CEBReader& reader) {
  const IndexEntry* area = reader.FindIndex(0x01);
  return area != nullptr ? area : reader.FindIndex(0x20);
}

const IndexEntry* CopyrightArea(const CEBReader& reader) {
  const IndexEntry* area = reader.FindIndex(0x02);
  // In EB books 0x21 is compressed text, not a notice.
  if (area == nullptr && reader.Mode() == CEBReader::kModeEpwing) area = reader.FindIndex(0x21);
  return area;
}

int ItemKind(const CEBReader& reader, int32_t page) {
  const IndexEntry* area = reader.IndexForPage(page);
  return area != nullptr ? area->id : -1;
}
