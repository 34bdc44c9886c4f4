// Map markup for the graphic window's tests, written as the decoder writes
// it: AREA tags of both forms and FIG closing tags, and the frame call a
// text position becomes.
#ifndef TOMELING_TESTS_COMMON_MAP_MARKUP_H_
#define TOMELING_TESTS_COMMON_MAP_MARKUP_H_

#include <cstdio>
#include <string>

inline std::string AreaTag(int x, int y, int w, int h, unsigned page, unsigned offset = 0) {
  char s[64];
  std::snprintf(s, sizeof s, "<AREA COORDS=%03d,%03d,%03d,%03d HREF=[%08X:%04X]>", x, y, w, h, page, offset);
  return s;
}

inline std::string SoundAreaTag(int x, int y, int w, int h, unsigned startFrame, unsigned endFrame) {
  char s[64];
  std::snprintf(s, sizeof s, "<AREA COORDS=%03d,%03d,%03d,%03d SOUND=[%08X:%08X]>", x, y, w, h, startFrame,
                endFrame);
  return s;
}

inline std::string FigEndTag(unsigned page, unsigned offset, int w, int h, int kind) {
  char s[48];
  std::snprintf(s, sizeof s, "</FIG[%08X:%04X](%04d*%04d:%d)>", page, offset, w, h, kind);
  return s;
}

// What CRecordingFrame records for CFrame::ShowText.
inline std::string ShowTextCall(unsigned page, unsigned offset) {
  char s[32];
  std::snprintf(s, sizeof s, "ShowText(%08X:%04X)", page, offset);
  return s;
}

inline std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

#endif  // TOMELING_TESTS_COMMON_MAP_MARKUP_H_
