// CEBReader: the reader of one subbook file, and its search engine.
//
// A reader is opened on one file of a subbook. How it reads depends on the
// file (the mode, chosen from the file name by Open):
//
//   0  an EB START file: index table on page 1, fonts in areas 0xF1/0xF2
//   1  an EPWING HONMON/HONMON2 file: index table on the catalog's page
//   2  a font file of the GAIJI directory (OpenRaw): no index table
//   3  anything else (HONMONG, HONMONS, SOUND...): one pseudo area that
//      covers the whole file
//
// Page cursor. Everything that reads the book -- the index search here and
// the text decoder -- reads through one cursor: SeekPage, SeekOffset, then
// ReadByte/ReadWord16/ReadWord32/ReadBytes, which run on into the next page
// at the end of a page. Reading beyond the file yields zero bytes and still
// advances the page number, so a caller's page limit ends its loop.
//
// Searching. The word indexes are B-tree-like: FindLeaf descends from the
// root to the first leaf page that may hold the key, ScanLeaves walks the
// leaves in key order recording matches in the hit list (the CHitList
// base), and WordSearch/EndwordSearch pick the indexes to try. Keys are
// Shift_JIS; each index's style says how the key is folded first
// (key_normalise.h). Damaged index pages end a search quietly with the hits
// found so far; no page content makes a search loop or read out of bounds.
//
// A long scan calls the progress hook before every leaf page; the desktop
// program pumps its event loop there so that an Abort (from the hit list)
// can arrive, and the scan stops at the next page.
//
// Not thread-safe; one reader is used by one thread at a time.
#ifndef TOMELING_READER_EB_READER_H_
#define TOMELING_READER_EB_READER_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/external_font.h"
#include "catalog/index_entry.h"
#include "catalog/subbook_file.h"
#include "reader/hit_list.h"

class CEBReader : public CHitList {
 public:
  enum OpenMode : int { kModeEb = 0, kModeEpwing = 1, kModeRaw = 2, kModeOther = 3 };
  static constexpr int kMaxIndexes = 53;
  using ProgressHook = std::function<void()>;

  CEBReader() = default;
  ~CEBReader() { Close(); }
  CEBReader(const CEBReader&) = delete;
  CEBReader& operator=(const CEBReader&) = delete;

  // Opens a subbook file (modes 0, 1, 3 by name). `indexPage` is where an
  // EPWING text file keeps its index table (EB: always 1); `versionHint` the
  // catalog's version byte, which picks the storage variant. Returns 1 or 0.
  int Open(const std::string& path, int indexPage, int versionHint);
  // Opens a font file (mode 2) and reads its header as the half-width font.
  int OpenRaw(const std::string& path);
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }
  int Mode() const { return m_mode; }
  bool IsEb() const { return m_mode == kModeEb; }
  const std::string& Path() const { return m_file.Path(); }

  // ---- index table
  const std::vector<IndexEntry>& Indexes() const { return m_indexes; }
  const IndexEntry* FindIndex(uint8_t id) const;
  // The area holding `page` (the first in table order), or nullptr: tells
  // what kind of item lies at a position.
  const IndexEntry* IndexForPage(int32_t page) const;
  // Largest end page of any area.
  int32_t HighestPage() const { return m_highestPage; }
  // Pages the file's data really holds (rounded up): a damaged index table
  // may claim far more than that.
  int32_t PageCount() const { return m_file.PageCount(); }
  // Whether a text position (offset 0 to 2048) lies within those pages:
  // one beyond them reads as zeros, an empty entry rather than an error.
  bool HoldsPosition(int32_t page, int offset) const;
  // Header byte 4 of the index table: 0 styles per entry, 1 meaningless,
  // 2 all valid.
  uint8_t StyleMode() const { return m_styleMode; }
  // Replaces the styles of the kana indexes (0x30 0x70 0x90) and of the
  // other word indexes where the book allows it; a triple with any 0xFF
  // byte overrides nothing.
  void SetStyleOverrides(const uint8_t kana[3], const uint8_t form[3]);

  // ---- page cursor
  // Makes `page` current with the read position at its start; re-uses the
  // buffer when it is current already. False when the page could not be
  // read (it then reads as zeros).
  bool SeekPage(int32_t page);
  // Moves within the current page to `offset` (1 to 2048; 2048 means the
  // next read starts the next page). Any other value fails and leaves the
  // position alone.
  bool SeekOffset(int offset);
  bool NextPage();
  uint8_t ReadByte();
  uint16_t ReadWord16();  // big-endian
  uint32_t ReadWord32();  // big-endian
  // Reads `n` bytes (crossing pages as needed); returns n, or 0 for n < 0.
  int ReadBytes(uint8_t* out, int n);
  int32_t CurrentPage() const { return m_page; }
  // False when the current page could not be read (it holds zeros).
  bool PageLoaded() const { return m_loaded; }
  // 0 to 2048; 2048 stands for offset 0 of the next page.
  int CurrentOffset() const { return m_pos; }
  // Bytes of the current page (kPageSize).
  const uint8_t* PageData() const { return m_buf; }
  // Reads `count` pages from `first` on into `out` (count * kPageSize
  // bytes) without moving the cursor: for scans of a whole area. Returns
  // the pages read before the first that could not be read.
  int ReadPages(int32_t first, int count, uint8_t* out);
  // Pages actually fetched from the file since the last reset (for
  // measurements).
  uint64_t PageReads() const { return m_pageReads; }
  void ResetPageReads() { m_pageReads = 0; }

  // ---- fonts
  const FontInfo& HalfFont() const { return m_fonts.HalfFont(); }
  const FontInfo& FullFont() const { return m_fonts.FullFont(); }
  void SetHalfFont(const FontInfo& font) { m_fonts.SetHalfFont(font); }
  void SetFullFont(const FontInfo& font) { m_fonts.SetFullFont(font); }
  bool GetGlyph(int width, int height, uint16_t code, Glyph* out);
  size_t CachedGlyphs() const { return m_fonts.CachedGlyphs(); }

  // ---- settings (SetMaxHits, SetLimit50 and Abort are the hit list's)
  void SetRetryShorter(bool on) { m_retryShorter = on; }
  void SetSeion(bool on) { m_seion = on; }
  bool Seion() const { return m_seion; }
  void SetStrict(bool on) { m_strict = on; }
  bool Strict() const { return m_strict; }
  // 1 for books of single-byte text and keys; -1 leaves the flag.
  void SetSingleByte(int flag) {
    if (flag >= 0) m_singleByte = flag != 0;
  }
  bool SingleByte() const { return m_singleByte; }
  void SetProgressHook(ProgressHook hook) { m_progressHook = std::move(hook); }

  // ---- searches; keys are Shift_JIS, at most 255 bytes
  // Forward search (exact: whole-word). Returns the number of sorted hits.
  int WordSearch(std::string_view key, bool exact = false);
  int ExactSearch(std::string_view key) { return WordSearch(key, true); }
  // Search by the end of the word.
  int EndwordSearch(std::string_view key);
  // The first leaf page of `index` that may hold `key` (the key as typed;
  // the index's style is applied here), or 0.
  int32_t FindLeaf(const IndexEntry& index, std::string_view key);
  // Records the matches of `key` from leaf page `startPage` on; returns the
  // hits recorded so far (unsorted). `level` > 0 narrows the sorted hits of
  // the keys before instead (see hit_list.h, AND searches).
  int ScanLeaves(const IndexEntry& index, int32_t startPage, std::string_view key, bool exact, int level = 0);
  // What the user typed, made ready for FindLeaf on `index`: letters (of
  // either width) upper-cased and widened, spaces and (unless the index
  // keeps them) marks taken out.
  std::string BuildSearchKey(std::string_view typed, const IndexEntry& index) const;

 private:
  struct SearchKeys;
  struct GroupScan;

  void BuildIndexList();
  void ApplyStyles();
  void ReadEbFonts();
  SearchKeys PrepareKeys(const IndexEntry& index, std::string_view key) const;
  std::string PrepareDescentKey(const IndexEntry& index, std::string_view key) const;
  int SearchCandidates(const std::vector<const IndexEntry*>& candidates, std::string_view typed, bool exact);
  bool ScanLeafPage(const IndexEntry& index, const SearchKeys& keys, bool exact, GroupScan* group, bool* stop);
  bool Record(uint32_t textPage, uint32_t textOffset, uint32_t headingPage, uint32_t headingOffset);

  CSubbookFile m_file;
  int m_mode = kModeOther;
  std::vector<IndexEntry> m_tableEntries;  // as read, before styles
  std::vector<IndexEntry> m_indexes;
  int32_t m_highestPage = 0;
  uint8_t m_styleMode = 0;
  uint8_t m_kanaOverride[3] = {0xFF, 0xFF, 0xFF};
  uint8_t m_formOverride[3] = {0xFF, 0xFF, 0xFF};

  uint8_t m_buf[kPageSize] = {};
  int32_t m_page = 0;
  int m_pos = kPageSize;
  bool m_loaded = false;
  uint64_t m_pageReads = 0;

  CExternalFonts m_fonts;

  bool m_retryShorter = false;
  bool m_seion = false;
  bool m_strict = true;
  bool m_singleByte = false;
  int m_scanLevel = 0;  // level of the running ScanLeaves
  ProgressHook m_progressHook;
};

#endif  // TOMELING_READER_EB_READER_H_
