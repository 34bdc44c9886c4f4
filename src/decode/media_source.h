// CMediaSource: the pages of one book file that holds images or sounds, as
// the media code reads them, and CMediaCursor, a byte reader over it.
//
// Images and sounds are fetched by book position (page from 1, offset 0 to
// 2047; an offset of 2048 or more carries into the following pages). Unlike
// the text decoder, which reads past the end of a file as zeros, the media
// code must know where the data stops: a tag may name a range far beyond the
// file, and the object is then cut at the last page that exists (or refused)
// rather than padded out with gigabytes of silence. So a source tells which
// pages it can really read, and every buffer here grows only with bytes that
// were actually read.
//
// Sources: a reader of an open book (subbook_media.h), or a file image in
// memory (CMemoryMediaSource, for fuzzing and tests).
#ifndef TOMELING_DECODE_MEDIA_SOURCE_H_
#define TOMELING_DECODE_MEDIA_SOURCE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kMediaPageSize = 2048;

class CMediaSource {
 public:
  virtual ~CMediaSource() = default;
  // Copies page `page` (from 1) into `out` (kMediaPageSize bytes). False
  // when the page does not exist or cannot be read.
  virtual bool ReadPage(int32_t page, uint8_t* out) = 0;
  // The last page that may hold data; reads beyond it are not tried.
  virtual int32_t PageCount() const = 0;
  // Identifier of the index area holding `page`, or -1 when the file has
  // no such area (files without an index table).
  virtual int AreaIdForPage(int32_t /*page*/) const { return -1; }
};

// A whole file image held in memory; page 1 is its first 2048 bytes, and
// the last page may be short (it reads with zeros after the end).
class CMemoryMediaSource : public CMediaSource {
 public:
  explicit CMemoryMediaSource(std::vector<uint8_t> image) : m_image(std::move(image)) {}
  bool ReadPage(int32_t page, uint8_t* out) override;
  int32_t PageCount() const override;

 private:
  std::vector<uint8_t> m_image;
};

// A book position as one byte number from the start of the file: page 1
// offset 0 is byte 0. Negative for positions before the file.
inline int64_t LinearPosition(int64_t page, int64_t offset) { return (page - 1) * kMediaPageSize + offset; }

// Sequential reads from a byte position, one page cached.
class CMediaCursor {
 public:
  explicit CMediaCursor(CMediaSource& source) : m_source(source) {}

  // Moves to byte `position` of the file (see LinearPosition).
  void Seek(int64_t position) { m_pos = position; }
  int64_t Position() const { return m_pos; }
  // Bytes left from the position to the end of the last page (0 when the
  // position lies outside the file).
  int64_t Remaining() const;

  // Reads `n` bytes into `out`; false (and the position left where the
  // failure was) when some page of them cannot be read.
  bool Read(uint8_t* out, size_t n);
  // Appends up to `n` bytes to `out`, growing it only by what was read;
  // returns the number appended (short at the first page that fails).
  size_t Append(std::vector<uint8_t>* out, size_t n);
  // One byte; false at the end of the data.
  bool ReadByte(uint8_t* out);

 private:
  bool Load(int32_t page);

  CMediaSource& m_source;
  int64_t m_pos = 0;
  int32_t m_page = 0;  // page held in m_buf, 0 for none
  uint8_t m_buf[kMediaPageSize] = {};
};

#endif  // TOMELING_DECODE_MEDIA_SOURCE_H_
