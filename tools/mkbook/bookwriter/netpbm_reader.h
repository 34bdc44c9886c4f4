// Netpbm pictures (PBM, PGM, PPM in their plain P1-P3 and raw P4-P6
// forms), the input pixels of `image` statements: trivial to write by
// hand or with any image tool.
//
// The header's numbers are bounded (sides up to 9999 pixels, a maximum
// sample value of 1 to 65535) and the raster must be as long as they say;
// anything else is refused with the reason.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_NETPBM_READER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_NETPBM_READER_H_

#include <cstdint>
#include <string>
#include <vector>

struct NetpbmImage {
  int width = 0;
  int height = 0;
  bool bitmap = false;          // PBM: `pixels` are 1 for ink, 0 for paper
  int components = 1;           // 1 grey (or bitmap), 3 RGB
  std::vector<uint8_t> pixels;  // top-down; samples scaled to 0-255
};

bool ReadNetpbm(const std::vector<uint8_t>& file, NetpbmImage* image, std::string* error);

// Ink pixels (nonzero = ink) of any netpbm picture: PBM as it is, others
// darker than half grey.
std::vector<uint8_t> NetpbmInk(const NetpbmImage& image);

// Grey pixels (1 component) or RGB (3) for encoders; PBM ink is black.
std::vector<uint8_t> NetpbmSamples(const NetpbmImage& image, int components);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_NETPBM_READER_H_
