// Where a subbook's media objects (SubbookSource::media) go, decided before
// the text is encoded so that the markup naming them can carry their
// positions:
//
//   EPWING  images  DATA/HONMONG, from page 1
//           sounds  DATA/HONMONS, from page 1 (raw PCM or wave bodies)
//   EB      images  a data area 0xD1 of START right after the index table,
//                   which readers take both kinds of image from
//           sounds  SOUND: XA sectors, each sound from a frame 16 past the
//                   last frame of the one before
//   both    movies  MOVIE/<name>, copied as they are
//
// A kind the book cannot play (PCM in an EB book, XA in an EPWING book)
// or a bad name fails with the object's name in the message.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_PLACEMENT_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_PLACEMENT_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

// Identifier of the EB area that holds images.
constexpr uint8_t kEbImageAreaId = 0xD1;

struct PlacedObject {
  const MediaObject* object = nullptr;
  // Images: the first byte and the byte after the last; PCM sounds: the
  // first and the last byte.
  BookPos start, end;
  int firstFrame = 0, lastFrame = 0;  // XA sounds
};

struct PlacedMedia {
  std::map<std::string, PlacedObject> byName;
  std::vector<uint8_t> imageArea;  // EB: area 0xD1 of START
  std::vector<uint8_t> graphics;   // EPWING: HONMONG
  std::vector<uint8_t> sound;      // EPWING: HONMONS; EB: SOUND

  const PlacedObject* Find(const std::string& name) const {
    auto it = byName.find(name);
    return it == byName.end() ? nullptr : &it->second;
  }
};

// `imageAreaPage`: the page the EB image area will start at.
bool PlaceMedia(const SubbookSource& sub, BookKind kind, int32_t imageAreaPage, PlacedMedia* out,
                std::string* error);

// A movie file name readers accept: 1 to 8 letters, digits and "_".
bool ValidMovieName(const std::string& name);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_PLACEMENT_H_
