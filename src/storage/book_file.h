// CBookFile: one book file read as a sequence of 2048-byte pages, whatever
// its storage.
//
// A book file (START, HONMON, HONMON2, CATALOG, CATALOGS, and their .ebz
// forms) is addressed by page: page 1 is the first 2048 bytes of the
// uncompressed file. The object detects on Open how the file is stored and
// hides it:
//
//   kind 0  plain (also anything not recognised as compressed)
//   kind 1  EBZip (.ebz), zlib slices of 2048 << level bytes, 2 cache slots
//   kind 3  EPWING Huffman, every page coded, 16 one-page slots
//   kind 4  EPWING Huffman, each page behind a raw/coded flag byte
//   kind 5  S-EBXA, LZSS-coded text area of a START file, 2 slots of 4096
//
// Usage: Open, then any number of SetPage followed by ReadPage calls (each
// ReadPage returns the current page and moves to the next), then Close.
//
// Errors are return values. An unreadable page reads as zeros and returns 0;
// every size taken from the file is checked against the file before it is
// used, so no file content makes the object read out of bounds or allocate
// more than the file could justify.
//
// Not thread-safe: all EBZip files share one inflater (see zip_inflater.h),
// so page reads must never run concurrently.
#ifndef TOMELING_STORAGE_BOOK_FILE_H_
#define TOMELING_STORAGE_BOOK_FILE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/file_stream.h"
#include "storage/file_window.h"
#include "storage/huffman_decoder.h"

constexpr int kPageSize = 2048;

class CBookFile {
 public:
  enum Kind : uint8_t {
    kPlain = 0,
    kEbzip = 1,
    kEpwingAllCoded = 3,
    kEpwingFlagged = 4,
    kSebxa = 5,
  };

  CBookFile();
  ~CBookFile();
  CBookFile(const CBookFile&) = delete;
  CBookFile& operator=(const CBookFile&) = delete;

  // Opens `path` (a native file-system path) and detects its storage. The
  // version hint is the book's EPWING version from the catalog (0 when
  // unknown); it picks the Huffman variant. Returns 0, or -1 on failure.
  int Open(const std::string& path, int versionHint);

  // Makes `page` (1-based) the page the next ReadPage returns. 0 or -1.
  int SetPage(int32_t page);

  // Fills `buffer` (kPageSize bytes) with the current page and advances to
  // the next one. Returns 1, or 0 when the page cannot be read (the buffer is
  // then zero-filled, except after an empty read of a plain file).
  int ReadPage(uint8_t* buffer);

  // Reads `count` pages from `first` on into `out` (count * kPageSize
  // bytes), as that many SetPage and ReadPage calls would, but a plain
  // file in one read. Returns the number of pages read before the first
  // that could not be; the pages from there on hold no data. The current
  // page is the one after the last page read.
  int ReadPages(int32_t first, int count, uint8_t* out);

  void Close();

  bool IsOpen() const { return m_file.IsOpen(); }
  uint8_t StorageKind() const { return m_kind; }
  int32_t CurrentPage() const { return m_page; }
  // Size of the file as stored on disk.
  uint32_t StoredSize() const { return m_fileSize; }
  // Size of the uncompressed data: what EBZip records, the pages an EPWING
  // page index covers, the end of an S-EBXA text area (at least the stored
  // size), else the stored size.
  uint32_t DataSize() const;

 private:
  // Implemented per storage kind (book_file_*.cc).
  int OpenEbzip(const uint8_t* header);
  int ReadEbzipPage(uint8_t* buffer);
  bool LoadEbzipSlice(uint64_t slice, int slot);
  bool DetectEpwing(const uint8_t* header, int versionHint);
  void PrepareEpwing();
  int ReadEpwingPage(uint8_t* buffer);
  bool LoadEpwingPage(int slot);
  bool DetectSebxa();
  int ReadSebxaPage(uint8_t* buffer);
  bool LoadSebxaSlice(int64_t slice, int slot);
  bool DecodeLzss(uint32_t count, uint8_t* out);
  int ReadPlainPage(uint8_t* buffer);

  // Cache slots shared by the compressed kinds. A slot is tagged with a
  // page of the slice it holds, and only once the slice is fully loaded.
  void AllocateSlots(int count, uint32_t sliceSize);
  int64_t SliceOf(int32_t page) const;
  int FindSlot(int64_t slice) const;
  int NextSlot();  // round robin; the slot comes back untagged

  void Reset();

  static constexpr int kMaxSlots = 16;

  uint8_t m_kind = kPlain;
  uint32_t m_fileSize = 0;
  CFileStream m_file;
  int32_t m_page = 0;
  uint32_t m_sliceSize = 0;
  int32_t m_slotPage[kMaxSlots] = {};
  std::vector<uint8_t> m_slotBuffer[kMaxSlots];
  int m_lastSlot = 0;
  int m_slotCount = 0;

  // EBZip
  uint8_t m_zipMode = 0, m_zipLevel = 0, m_indexWidth = 0;
  uint32_t m_originalSize = 0;
  uint32_t m_crc = 0;

  // EPWING Huffman
  uint32_t m_indexLocation = 0, m_indexLength = 0;
  uint32_t m_freqLocation = 0, m_freqLength = 0;
  uint32_t m_dataLocation = 0;
  CHuffmanDecoder m_huffman;
  // Coded pages are read through a window of the file: consecutive pages
  // mostly lie side by side. EBZip slices use it only while ReadPages
  // reads a run, which ends by letting go of what it read.
  CFileWindow m_codeWindow{m_file, 32768};
  bool m_readingRun = false;

  // Page-index records (EPWING) and slice-index entries (EBZip) are read
  // through a window too, for the same reason.
  CFileWindow m_indexWindow{m_file, 4096};

  // S-EBXA
  struct SebxaArea {
    uint32_t textStart = 0, textCount = 0;      // 0x00
    uint32_t indexStart = 0, indexCount = 0;    // 0x22
    uint32_t dataStart = 0, dataCount = 0;      // 0x21
  };
  SebxaArea m_sebxa;

  bool m_prepared = false;
};

#endif  // TOMELING_STORAGE_BOOK_FILE_H_
