// Reading the object tags of the display markup back: the FIG and INL
// closing tags of images, the WAV closing tag of sounds (its position form
// and its frame form, which share one layout), the SOUND form of AREA tags
// and the MOV closing tag of movies.
//
//   </FIG[PPPPPPPP:OOOO](WWWW*HHHH:K)>        also </INL[...]
//   </WAV[PPPPPPPP:OOOO][PPPPPPPP:OOOO](d:d:d:d:d)>
//   <AREA COORDS=xxx,yyy,www,hhh SOUND=[SSSSSSSS:EEEEEEEE]>
//   </MOV[NAME    ]>
//
// Every field is checked where the fixed layout puts it; a tag that does
// not match is not taken (the next one of its kind is not looked for
// either: the caller hands the text from the object it means). Both forms
// of the markup work: the byte form (std::string_view) and the wide form
// (std::u16string_view).
#ifndef TOMELING_DECODE_MEDIA_TAGS_H_
#define TOMELING_DECODE_MEDIA_TAGS_H_

#include <cstdint>
#include <string>
#include <string_view>

struct ImageTag {
  bool isInline = false;  // INL rather than FIG
  uint32_t page = 0;
  uint16_t offset = 0;
  int width = 0;          // 0 by 0: the size comes from the image data
  int height = 0;
  int kind = 0;           // 0 monochrome bitmap, 1 colour image
};

struct WaveTag {
  // Positions of the sound data, or in the frame form the first and last
  // frame in the page fields.
  uint32_t startPage = 0;
  uint16_t startOffset = 0;
  uint32_t endPage = 0;
  uint16_t endOffset = 0;
  // format (1 plays), channels - 1, 1 = raw PCM needing a header,
  // 1 = 8-bit samples, sample rate code.
  int digits[5] = {};
};

struct AreaSoundTag {
  uint32_t startFrame = 0;
  uint32_t endFrame = 0;
};

// The first FIG or INL closing tag in `text`, whichever comes first.
bool FindImageTag(std::string_view text, ImageTag* tag);
bool FindImageTag(std::u16string_view text, ImageTag* tag);

// The first "</WAV" in `text`, parsed.
bool FindWaveTag(std::string_view text, WaveTag* tag);
bool FindWaveTag(std::u16string_view text, WaveTag* tag);

// The first AREA tag in `text`, when it is a SOUND area.
bool FindAreaSoundTag(std::string_view text, AreaSoundTag* tag);
bool FindAreaSoundTag(std::u16string_view text, AreaSoundTag* tag);

// The name of the first "</MOV" in `text`, without its padding; false (and
// no name) unless it is 1 to 8 letters, digits and "_", so that a name can
// never lead out of the movie folder.
bool FindMovieTag(std::string_view text, std::string* name);
bool FindMovieTag(std::u16string_view text, std::string* name);

#endif  // TOMELING_DECODE_MEDIA_TAGS_H_
