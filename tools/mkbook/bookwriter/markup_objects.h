// The media tags of the inline markup (text_markup.h): images, image maps,
// sounds and movies named by SubbookSource::media objects. Internal to the
// markup encoder.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_MARKUP_OBJECTS_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_MARKUP_OBJECTS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/text_encoder.h"

struct PlacedObject;

// The object a line has opened and not yet closed.
class COpenObject {
 public:
  struct Area {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    std::string entry;
  };

  // False (with the tag) when an object is left open at the end of a line.
  bool CheckClosed(std::string* error) const {
    if (m_tag.empty()) return true;
    *error = "{" + m_tag + "} without {/" + m_tag + "}";
    return false;
  }

  std::string m_tag;                     // "fig", "map"...; empty: none open
  const PlacedObject* m_object = nullptr;
  std::vector<uint8_t> m_close;          // what the closing tag writes
  std::vector<Area> m_areas;             // of an open map
};

// Writes a media tag (opening, closing or {area}) and returns true; false
// when `name` is no media tag, or when it is bad (`*error` set).
bool ObjectTag(const std::string& name, const std::string& arg, CTextEncoder* text, COpenObject* open,
               std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_MARKUP_OBJECTS_H_
