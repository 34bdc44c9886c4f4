// MediaBook: the files of one subbook that images and sounds come from,
// and the choice between them.
//
// Images lie in the text file when the index area holding their page says
// so (0x0F, 0xD1, 0xD2 for colour images; 0x0F, 0xD0, 0xD1 for monochrome
// bitmaps), else in the separate graphics file (EPWING HONMONG). Sounds of
// EPWING books lie in the text file when their start page is in an area
// 0xD8, else in the sound file (HONMONS); EB books keep XA sounds in their
// SOUND file, named by frame numbers.
//
// The sources are borrowed; subbook_media.h makes them from a SubbookEntry.
#ifndef TOMELING_DECODE_MEDIA_BOOK_H_
#define TOMELING_DECODE_MEDIA_BOOK_H_

#include <cstdint>
#include <string>
#include <vector>

#include "decode/bitmap_image.h"
#include "decode/media_source.h"
#include "decode/media_tags.h"
#include "decode/wave_builder.h"

struct MediaBook {
  bool isEpwing = false;
  CMediaSource* text = nullptr;
  CMediaSource* graphics = nullptr;  // null when the subbook has none
  CMediaSource* sound = nullptr;     // null when the subbook has none
  std::string subbookDir;            // the subbook's directory on disk
  // The rate XA sounds play at (the EBXA_sampling setting).
  int32_t xaSampling = kDefaultXaSampling;
};

// The file holding an image of `kind` (0 monochrome, 1 colour) at `page`,
// or null.
CMediaSource* ImageSourceFor(const MediaBook& book, uint32_t page, int kind);

// The image of a FIG or INL tag. Colour images take their size from the
// data; monochrome bitmaps need the tag's width and height (1 to 2048).
bool LoadTagImage(const MediaBook& book, const ImageTag& tag, CBitmapImage* image);

// The wave of a WAV tag, from the file its book keeps it in; empty when
// there is none (also when the format digit is not 1).
std::vector<uint8_t> BuildTagWave(const MediaBook& book, const WaveTag& tag);

// The wave of a sound area of an image map: EB books only, end frame at
// least 1.
std::vector<uint8_t> BuildAreaWave(const MediaBook& book, const AreaSoundTag& tag);

#endif  // TOMELING_DECODE_MEDIA_BOOK_H_
