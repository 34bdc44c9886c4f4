// Images, sounds and movies for books: the byte forms a book stores them
// in, and the escape codes that put them into entries.
//
// Images:
//   PackMonoBitmap   rows of ceil(width / 8) bytes, leftmost pixel in the
//                    top bit, set bits ink
//   EncodeJpeg       grey (1 component) or colour (3, RGB) through libjpeg
//   EncodeBmp        an uncompressed BMP file, 8-bit with a palette or 24-bit
//   WithDataHeader   "data", the length (little- or big-endian), the image
// Sounds:
//   WaveChunks       a "fmt " and a "data" chunk: the body of a wave that
//                    holds its own format (books that store whole waves)
//   CXaSoundFile     a file of 2352-byte CD sectors behind a 44-byte header
//                    with 4-bit XA ADPCM sound groups, a sound coded into
//                    every 16th sector from its first frame
// Placing them:
//   CMediaFile       appends objects to a file or data area, reporting the
//                    book position of each
//   CObjectCodes     the escape codes of image, sound and movie links
//
// Pixels are given top-down, one byte per grey or ink pixel, three (R, G,
// B) per colour pixel.
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_WRITER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"

// `ink` holds width * height bytes, nonzero for ink.
std::vector<uint8_t> PackMonoBitmap(int width, int height, const std::vector<uint8_t>& ink);

// Empty on failure (bad sizes or a libjpeg error). `restartRows` > 0 puts
// a restart marker after every that many rows of blocks.
std::vector<uint8_t> EncodeJpeg(int width, int height, int components, const std::vector<uint8_t>& pixels,
                                int quality = 95, int restartRows = 0);

// 24-bit when `palette` is empty (pixels R, G, B), else 8-bit indexes into
// `palette` (0xRRGGBB entries, at most 256). Rows are stored bottom-up.
std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<uint8_t>& pixels,
                               const std::vector<uint32_t>& palette = {});

std::vector<uint8_t> WithDataHeader(const std::vector<uint8_t>& image, bool bigEndianLength = false);

std::vector<uint8_t> WaveChunks(int channels, int rate, int bits, const std::vector<uint8_t>& samples);

class CXaSoundFile {
 public:
  static constexpr int kSectorSize = 2352;
  static constexpr int kHeaderSize = 44;
  static constexpr int kSamplesPerSector = 18 * 224;

  // Codes `samples` (mono, 16-bit) into the sectors firstFrame,
  // firstFrame + 16, ...; returns the frame number of the last one (the
  // sound's last frame).
  int AddSound(int firstFrame, const std::vector<int16_t>& samples);
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }

 private:
  uint8_t* Sector(int frame);
  void EncodeGroup(const int16_t* samples, uint8_t* group);

  std::vector<uint8_t> m_bytes = std::vector<uint8_t>(kHeaderSize);
  int32_t m_prev1 = 0, m_prev2 = 0;
};

class CMediaFile {
 public:
  // Appends `bytes` at the next multiple of `align` bytes; returns where
  // they start, counting pages from `firstPage`.
  BookPos Add(const std::vector<uint8_t>& bytes, size_t align = 16);
  // The position of byte `at`.
  BookPos PosOf(size_t at) const;
  size_t Size() const { return m_bytes.size(); }
  void SetFirstPage(int32_t page) { m_firstPage = page; }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }

 private:
  std::vector<uint8_t> m_bytes;
  int32_t m_firstPage = 1;
};

// Escape codes of objects in an entry's text (BookEntry::codes). Positions
// are binary-coded decimal, page then offset.
class CObjectCodes {
 public:
  // EPWING colour image (1F4D ... 1F6D) with an optional caption.
  CObjectCodes& ColourFigure(BookPos at, int width, int height, const std::string& caption = "");
  // Monochrome bitmap (1F44 ... 1F64).
  CObjectCodes& MonoFigure(BookPos at, int width, int height, const std::string& caption = "");
  // Inline colour image (1F3C ... 1F5C).
  CObjectCodes& InlineImage(BookPos at);
  // EB image (1F31 ... 1F51) of `kind` 0 or 1.
  CObjectCodes& EbFigure(BookPos at, int kind, int width, int height);
  // EPWING PCM sound (1F4A ... 1F6A): format digit, then the four digits
  // channels - 1, raw-needs-header, 8-bit, rate code.
  CObjectCodes& PcmSound(BookPos start, BookPos end, int format, int digits, const std::string& caption);
  // EB XA sound (1F33 ... 1F53) from the first to the last frame.
  CObjectCodes& XaSound(int firstFrame, int lastFrame, const std::string& caption);
  // Movie (1F39 ... 1F59) of up to 8 ASCII letters, digits and "_".
  CObjectCodes& Movie(const std::string& name);
  CObjectCodes& Text(const std::string& utf8);

  const std::vector<uint8_t>& Bytes() const { return m_bytes; }

 private:
  CObjectCodes& Esc(uint8_t code);
  CObjectCodes& Word(uint16_t w);
  CObjectCodes& Bcd(uint32_t value, int bytes);
  CObjectCodes& Pos(BookPos at);

  std::vector<uint8_t> m_bytes;
};

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_MEDIA_WRITER_H_
