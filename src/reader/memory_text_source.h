// CMemoryTextSource: a book file image held in memory, read through the same
// page cursor as the reader of a real book.
//
// Used where the decoder must run without a book on disk: the fuzz target
// (any bytes as a text page) and tests that need a cursor over a few pages.
// The caller states the facts a reader would take from the book: open mode,
// single-byte flag, external-character ranges and the index areas.
//
// Past the end of the image, and on any page below 1, every page reads as
// zeros and the page number keeps advancing, as with a reader of a short
// file or a damaged position.
#ifndef TOMELING_READER_MEMORY_TEXT_SOURCE_H_
#define TOMELING_READER_MEMORY_TEXT_SOURCE_H_

#include <cstdint>
#include <vector>

#include "reader/text_source.h"

class CMemoryTextSource : public CTextSource {
 public:
  static constexpr int kPage = 2048;

  explicit CMemoryTextSource(std::vector<uint8_t> image);

  void SetOpenMode(int mode) { m_mode = mode; }
  void SetSingleByte(bool flag) { m_singleByte = flag; }
  void SetHalfGaiji(GaijiRange range) { m_half = range; }
  void SetFullGaiji(GaijiRange range) { m_full = range; }
  void AddArea(uint8_t id, int32_t startPage, int32_t pageCount);

  int SeekPage(int32_t page) override;
  int SeekOffset(int offset) override;
  uint8_t ReadByte() override;
  uint16_t ReadWord16() override;
  int32_t CurrentPage() const override { return m_page; }
  int CurrentOffset() const override { return m_offset; }
  bool PageReadable() const override;
  bool FindIndex(uint8_t id, TextArea* area) const override;
  bool IndexForPage(int32_t page, TextArea* area) const override;
  int32_t LastPage() const override;
  int OpenMode() const override { return m_mode; }
  bool IsSingleByte() const override { return m_singleByte; }
  GaijiRange HalfGaiji() const override { return m_half; }
  GaijiRange FullGaiji() const override { return m_full; }

 private:
  std::vector<uint8_t> m_image;
  std::vector<TextArea> m_areas;
  int32_t m_page = 1;
  int m_offset = 0;
  int m_mode = kModeEpwing;
  bool m_singleByte = false;
  GaijiRange m_half, m_full;
};

#endif  // TOMELING_READER_MEMORY_TEXT_SOURCE_H_
