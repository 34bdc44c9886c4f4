// CTextSource: what the text decoder needs from the reader of a subbook
// file: the page cursor it reads through and the facts about the book that
// change how codes are read.
//
// The decoder is kept apart from the reader so that it can run over any page
// source: the reader of an open book (see reader_text_source.h), a book image
// held in memory (memory_text_source.h) for fuzzing and tests.
//
// Cursor contract, the same as the reader's: pages are 2048 bytes numbered
// from 1; SeekPage puts the cursor at the start of a page; SeekOffset moves
// within the current page for offsets 1 to 2048 (2048 = the end of the page,
// so that the next read starts the next page) and fails otherwise, leaving
// the cursor where it was; reads move on to the next page at the end of a
// page, and a page that cannot be read (also any page past the end of the
// file) reads as zeros while the page number still advances. PageReadable
// tells whether the cursor's page was read: the decoder ends an entry at a
// page that was not, since its zeros are no text and a damaged position
// (a page number with its top bit set, say) would otherwise have it step
// through two billion pages that all fail.
#ifndef TOMELING_READER_TEXT_SOURCE_H_
#define TOMELING_READER_TEXT_SOURCE_H_

#include <cstdint>

// One area of the subbook's index table, as far as the decoder cares.
struct TextArea {
  uint8_t id = 0;
  int32_t startPage = 0;
  int32_t pageCount = 0;
};

// First and last code of an external-character font; first == 0 means the
// book has no such font.
struct GaijiRange {
  uint16_t first = 0;
  uint16_t last = 0;
  bool Contains(uint16_t code) const { return first != 0 && code >= first && code <= last; }
};

// Open modes of a reader.
enum TextOpenMode : int {
  kModeEb = 0,      // START file of an EB book
  kModeEpwing = 1,  // HONMON / HONMON2 of an EPWING book
  kModeRaw = 2,
  kModeOther = 3,
};

class CTextSource {
 public:
  virtual ~CTextSource() = default;

  // Cursor. SeekPage and SeekOffset return 0, or -1 on failure.
  virtual int SeekPage(int32_t page) = 0;
  virtual int SeekOffset(int offset) = 0;
  virtual uint8_t ReadByte() = 0;
  virtual uint16_t ReadWord16() = 0;  // big-endian
  virtual int32_t CurrentPage() const = 0;
  virtual int CurrentOffset() const = 0;  // 0 to 2048
  virtual bool PageReadable() const = 0;

  // Index areas: by identifier, and the area whose pages hold `page`.
  virtual bool FindIndex(uint8_t id, TextArea* area) const = 0;
  virtual bool IndexForPage(int32_t page, TextArea* area) const = 0;

  // The last page that holds data (0 for an empty source). The decoder
  // never decodes beyond it, which bounds every loop over the zero pages
  // past the end of a file or over an area larger than the file.
  virtual int32_t LastPage() const = 0;

  virtual int OpenMode() const = 0;
  virtual bool IsSingleByte() const = 0;
  virtual GaijiRange HalfGaiji() const = 0;
  virtual GaijiRange FullGaiji() const = 0;
};

#endif  // TOMELING_READER_TEXT_SOURCE_H_
