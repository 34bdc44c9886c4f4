// A small book with one of every kind of image and sound, for the tests,
// the fuzz seeds and trying the command-line tool: WriteMediaSampleBook
// writes it and reports the source pictures and sounds with where each
// went, so that a reader of the book can be checked against them.
//
// EPWING layout (subbook "MEDIA"):
//   DATA/HONMON   entry 0 "figures": a grey JPEG and a BMP (24-bit, "data"
//                 header with a big-endian length) as colour figures, the
//                 monochrome bitmap as a figure, a bare colour JPEG inline,
//                 an 8-bit BMP as a figure; entry 1 "sounds": the two PCM
//                 sounds and the movie. Data areas 0xD0 (the monochrome
//                 bitmap) and 0xD8 (a wave body with its own chunks).
//   DATA/HONMONG  the JPEGs and BMPs
//   DATA/HONMONS  raw 16-bit PCM (header digits 1, 0, 1, 0, 0)
//   MOVIE/CLIP_01 a few bytes standing for an MPEG file
// EB layout (subbook "MEDIA"):
//   START         entry 0 "figures": the monochrome bitmap (area 0xD0) and
//                 the colour JPEG with a "data" header (area 0xD2) as EB
//                 figures; entry 1 "sounds": the XA tone
//   SOUND         the XA tone, frames 100 and 116 (two groups)
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SAMPLE_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SAMPLE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

struct SamplePicture {
  int width = 0;
  int height = 0;
  int components = 0;            // 1 grey or ink, 3 RGB
  std::vector<uint8_t> pixels;   // top-down
  std::vector<uint32_t> palette; // 8-bit BMP only: pixels are indexes
  BookPos at;                    // where the stored form starts
  std::vector<uint8_t> stored;   // the stored form (with its header)
};

struct MediaSampleBook {
  BookKind kind = BookKind::kEpwing;
  std::string dir;
  std::string subbookDir;
  WrittenBook written;

  SamplePicture mono;        // components 1, nonzero = ink
  SamplePicture greyJpeg;    // EPWING
  SamplePicture colourJpeg;  // EPWING bare; EB with a "data" header
  SamplePicture bmp24;       // EPWING
  SamplePicture bmp8;        // EPWING

  // EPWING: raw PCM in HONMONS and a wave body in area 0xD8.
  std::vector<uint8_t> rawPcm;
  BookPos rawStart, rawEnd;
  std::vector<uint8_t> waveBody;  // "fmt " and "data" chunks
  BookPos bodyStart, bodyEnd;
  std::string movieName;
  std::vector<uint8_t> movieBytes;

  // EB: the XA tone.
  std::vector<int16_t> tone;
  int toneHz = 0;
  int firstFrame = 0, lastFrame = 0;
};

bool WriteMediaSampleBook(const std::string& dir, BookKind kind, MediaSampleBook* out, std::string* error);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_SAMPLE_H_
