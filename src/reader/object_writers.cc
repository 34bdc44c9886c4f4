// Closing tags of the objects in an entry: images, image maps, inline
// images, sounds and movies. Their parameters come from the MediaArgs that
// the opening code (or the image-map parse) filled.
#include "reader/decoder_hooks.h"
#include "reader/text_source.h"

namespace {

constexpr uint16_t kJisLowLine = 0x2132;

int ImageKind(const TextOutput& out, const MediaArgs& media) {
  switch (out.m_code & 0xFF) {
    case 0x52: return kImageMonochrome;
    case 0x5F:
    case 0x6D: return kImageColour;
    default: return media.m_arg2;
  }
}

bool WriteArea(MarkupBuffer* b, const MapArea& area) {
  if (area.sound) {
    return WriteAreaSound(b, area.x, area.y, 0, 0, static_cast<uint32_t>(area.page),
                          static_cast<uint32_t>(area.offset));
  }
  return WriteAreaHref(b, area.x, area.y, 0, 0, static_cast<uint32_t>(area.page),
                       static_cast<uint16_t>(area.offset));
}

}  // namespace

// The closing tag and the areas of its image map go in as one item, so that
// a full buffer never leaves an image with half of its areas.
void WriteFigureClose(TextOutput& out, const MediaArgs& media) {
  size_t need = kFigEndTagLength;
  for (int i = 0; i < media.m_areaCount; ++i) {
    need += media.m_areas[i].sound ? kAreaSoundTagLength : kAreaHrefTagLength;
  }
  auto page = static_cast<uint32_t>(out.m_refPage);
  uint16_t offset = out.m_refOffset;
  int kind = ImageKind(out, media);
  Emit(out, [&](MarkupBuffer* b) {
    if (!HasRoom(*b, need)) return false;
    bool ok = WriteFigEnd(b, page, offset, media.m_width, media.m_height, kind);
    for (int i = 0; ok && i < media.m_areaCount; ++i) ok = WriteArea(b, media.m_areas[i]);
    return ok;
  });
}

void WriteInlineClose(TextOutput& out, const MediaArgs& media) {
  auto page = static_cast<uint32_t>(out.m_refPage);
  uint16_t offset = out.m_refOffset;
  Emit(out, [&](MarkupBuffer* b) {
    return WriteInlineEnd(b, page, offset, media.m_width, media.m_height, kImageColour);
  });
}

// EB books give a sound as a range of audio frames; the others as the
// positions of its data and the digits that pick its wave header.
void WriteSoundClose(TextOutput& out, const MediaArgs& media) {
  if (out.m_reader != nullptr && out.m_reader->OpenMode() == kModeEb) {
    auto start = static_cast<uint32_t>(media.m_start), end = static_cast<uint32_t>(media.m_end);
    Emit(out, [=](MarkupBuffer* b) { return WriteWavFramesEnd(b, start, end); });
    return;
  }
  const int digits[5] = {media.m_arg1 % 10, media.m_arg2 / 1000 % 10, media.m_arg2 / 100 % 10,
                         media.m_arg2 / 10 % 10, media.m_arg2 % 10};
  auto page = static_cast<uint32_t>(out.m_refPage), page2 = static_cast<uint32_t>(out.m_refPage2);
  uint16_t offset = out.m_refOffset, offset2 = out.m_refOffset2;
  Emit(out, [&](MarkupBuffer* b) { return WriteWavEnd(b, page, offset, page2, offset2, digits); });
}

void WriteMovieOpen(TextOutput& out, const MediaArgs&) { Emit(out, WriteMovieStart); }

// The name is stored as eight JIS codes; row 3 letters and digits have the
// ASCII code as their low byte, and the low line is the one symbol used.
void WriteMovieClose(TextOutput& out, const MediaArgs& media) {
  char name[8];
  for (int i = 0; i < 8; ++i) {
    uint16_t code = static_cast<uint16_t>(media.m_name[2 * i] << 8 | media.m_name[2 * i + 1]);
    name[i] = code == kJisLowLine ? '_' : static_cast<char>(code & 0xFF);
  }
  Emit(out, [&](MarkupBuffer* b) { return WriteMovieEnd(b, name, sizeof name); });
}

void WriteAreaHrefTag(TextOutput& out, const MediaArgs& media) {
  auto page = static_cast<uint32_t>(out.m_refPage);
  uint16_t offset = out.m_refOffset;
  Emit(out, [&](MarkupBuffer* b) {
    return WriteAreaHref(b, media.m_x, media.m_y, media.m_width, media.m_height, page, offset);
  });
}

void WriteAreaSoundTag(TextOutput& out, const MediaArgs& media) {
  Emit(out, [&](MarkupBuffer* b) {
    return WriteAreaSound(b, media.m_x, media.m_y, media.m_width, media.m_height,
                            static_cast<uint32_t>(media.m_start), static_cast<uint32_t>(media.m_end));
  });
}
