// See dict_features.h.
#include "shell/dict_features.h"

#include <initializer_list>

#include "reader/eb_reader.h"
#include "reader/menu_info.h"
#include "reader/multi_search.h"

namespace {

bool HasAny(const CEBReader& reader, std::initializer_list<uint8_t> ids) {
  for (uint8_t id : ids)
    if (reader.FindIndex(id) != nullptr) return true;
  return false;
}

}  // namespace

DictFeatures FeaturesOf(CEBReader& reader) {
  DictFeatures f;
  if (!reader.IsOpen()) return f;
  // The indexes WordSearch and EndwordSearch look in.
  f.word = HasAny(reader, {0x90, 0x91, 0x92, 0x40, 0x61, 0x50, 0x60, 0x80, 0x30});
  f.endword = HasAny(reader, {0x70, 0x71, 0x72});
  f.cross = HasAny(reader, {0x81});
  f.keyword = HasAny(reader, {0x80});
  f.menu = MenuArea(reader) != nullptr;
  f.graphicMenu = HasGraphicMenu(reader);
  f.copyright = HasCopyright(reader);
  CMultiSearch multi;
  multi.Load(reader);
  f.complex = multi.AreaCount() > 0;
  if (const IndexEntry* text = reader.FindIndex(0x00)) f.textStart = text->startPage;
  return f;
}
