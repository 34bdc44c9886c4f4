// The state shared by the text decoder and its writers during one decoding
// call: TextOutput (where the markup goes and what is being written) and
// MediaArgs (the parameters of the object whose closing tag comes later).
//
// Writers append whole items or nothing: every append first checks that its
// bytes and the terminating NUL fit strictly below the capacity; if not, the
// output is marked full, decoding is told to stop, and nothing more is ever
// written in this call, so the markup never holds a cut tag or a hole.
#ifndef TOMELING_READER_TEXT_OUTPUT_H_
#define TOMELING_READER_TEXT_OUTPUT_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "decode/markup.h"

class CTextSource;

struct TextOutput {
  int32_t m_page = 0;      // position of the code being decoded
  uint16_t m_offset = 0;
  uint16_t m_code = 0;     // escape code being handled (after code rules)
  uint16_t m_param = 0;    // character code, or the escape's parameter
  uint8_t m_narrow = 0;    // narrow mode (0x1F04 .. 0x1F05)
  uint8_t m_stop = 0;      // ends decoding after the current code
  uint8_t m_full = 0;      // a writer did not fit: write nothing more
  uint8_t m_halfWidth = 0; // the dictionary asks for half-width letters
  int32_t m_refPage = 0;   // target or data position for the next closing tag
  uint16_t m_refOffset = 0;
  int32_t m_refPage2 = 0;  // end of sound data
  uint16_t m_refOffset2 = 0;
  char* m_buf = nullptr;
  uint16_t m_len = 0;
  uint16_t m_capacity = 0;
  const CTextSource* m_reader = nullptr;
};

// One clickable area of an image map, found after the image's closing code.
struct MapArea {
  int32_t x = 0, y = 0;
  bool sound = false;
  int32_t page = 0;      // target page, or the start frame of a sound
  int32_t offset = 0;    // target offset, or the end frame of a sound
};

struct MediaArgs {
  static constexpr int kMaxAreas = 9;

  uint16_t m_arg0 = 0, m_arg1 = 0, m_arg2 = 0;
  // Signed and wide: book values may be -1 (bad digits) or larger than a
  // 16-bit field; writers fit them into their fixed-width fields.
  int32_t m_x = 0, m_y = 0, m_width = 0, m_height = 0;
  int32_t m_start = 0, m_end = 0;
  uint8_t m_name[16] = {};
  MapArea m_areas[kMaxAreas];
  int m_areaCount = 0;
};

// Runs one markup writer (decode/markup.h) on the output as one whole item.
// The writer sees a capacity one short of the real one, so that an item
// plus its NUL must fit strictly below the capacity. A writer that does not
// fit marks the output full and stopped; after that nothing is written.
template <typename Writer>
bool Emit(TextOutput& out, Writer&& write) {
  if (out.m_full || out.m_capacity == 0) {
    out.m_full = out.m_stop = 1;
    return false;
  }
  MarkupBuffer buffer{out.m_buf, static_cast<size_t>(out.m_capacity - 1), out.m_len};
  if (!write(&buffer)) {
    out.m_full = out.m_stop = 1;
    return false;
  }
  out.m_len = static_cast<uint16_t>(buffer.length);
  return true;
}

inline bool EmitText(TextOutput& out, std::string_view bytes) {
  return Emit(out, [bytes](MarkupBuffer* b) { return AppendMarkup(b, bytes); });
}

#endif  // TOMELING_READER_TEXT_OUTPUT_H_
