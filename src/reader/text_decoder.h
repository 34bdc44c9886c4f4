// CTextDecoder: turns the escape-coded text of a subbook into display markup
// (decode/markup.h).
//
// The decoder reads through the page cursor of its reader (a CTextSource),
// so an entry may run across pages, and it leaves the cursor behind the last
// code it read: that is how callers find where the next entry starts. What
// each code writes comes from a hook table (decoder_hooks.h): the entry
// table for full markup, the heading table for hit-list headings.
//
// Usage:
//
//   CTextDecoder decoder(reader);          // one per reader
//   decoder.SetStopCode(0x1F41, 0x0100);   // per-dictionary configuration
//   reader.SeekPage(page); reader.SeekOffset(offset);
//   decoder.ReadEntryText(buffer, sizeof buffer, &length, true, 0);
//
// Where an entry ends. Text ends at its end code (0x1F03), when the buffer is
// full, at the end of a graphic menu, past the page limit (the last page of
// the index area the text starts in, or `maxPages` pages), or, with
// `stopAtNext`, at the start of the next entry: the stop code (an escape and
// its parameter, from the configuration or else the first keyword or indent
// code met) seen for the stop-count-th time. "<PAGE>" marks that boundary.
//
// Code rules from the configuration can drop an escape with the bytes after
// it (skip) or decode it as another escape (replace).
//
// No input makes the decoder read beyond the source's last page, write past
// the buffer or loop without consuming bytes. It allocates nothing.
// Not thread-safe; one call at a time per decoder.
#ifndef TOMELING_READER_TEXT_DECODER_H_
#define TOMELING_READER_TEXT_DECODER_H_

#include <cstdint>
#include <vector>

#include "reader/decoder_hooks.h"
#include "reader/text_output.h"
#include "reader/text_source.h"

// One code rule: kind 0 skips the escape `code` and the `operand` bytes after
// it; kind 1 decodes it as the escape `operand`. Only the low byte of the
// kind counts; rules of other kinds are ignored.
struct CodeRule {
  uint16_t code = 0;
  uint16_t operand = 0;
  uint16_t kind = 0;
};

class CTextDecoder {
 public:
  static constexpr int kMaxCapacity = 65535;

  explicit CTextDecoder(CTextSource& reader);
  CTextDecoder(const CTextDecoder&) = delete;
  CTextDecoder& operator=(const CTextDecoder&) = delete;

  // Per-dictionary configuration, kept until changed. A stop code of 0 means
  // none; a stop count of 0 is taken as 1. Rules are copied up to the first
  // rule whose code is 0.
  void SetStopCode(uint16_t code, uint16_t param);
  void SetStopCount(uint16_t count);
  void SetCodeRules(const CodeRule* rules, size_t count);
  void SetHalfWidth(bool on) { m_halfWidth = on; }

  // Decodes from the reader's cursor into `buffer` (`capacity` bytes, at
  // most 65,535; the markup is NUL-terminated whenever capacity > 0).
  // `stopAtNext` ends at the start of the next entry; `maxPages` >= 1 limits
  // decoding to that many pages from the start page. Returns the bytes
  // written, also stored in `*outLength` when it is not null.
  int DecodeText(const TextHookTable& table, char* buffer, int capacity, int* outLength,
                 bool stopAtNext, int maxPages);

  // A heading: the heading table, stopping at the next entry.
  int ReadHeadingText(char* buffer, int capacity, int* outLength);
  // An entry's text in full markup.
  int ReadEntryText(char* buffer, int capacity, int* outLength, bool stopAtNext, int maxPages);

  // Reads `n` bytes (at most 4) of binary-coded decimal, first byte most
  // significant; -1 when any digit is above 9 (the bytes are consumed).
  int32_t ReadBcd(int n);

 private:
  // Start of a call (text_decoder.cc).
  void BeginCall(const TextHookTable& table, char* buffer, int capacity, bool stopAtNext);
  void SetPageLimit(int maxPages);
  void BackUpToStart();
  void SeekTo(int32_t page, int offset);
  bool MatchesConfiguredStop(uint16_t code, uint16_t param) const;

  // Main loop.
  int32_t Page() const;
  int64_t Position() const;
  // Past the page limit, or on a page that holds no text: below page 1 or
  // one the source could not read.
  bool PastLimit() const { return Page() > m_limitPage || Page() < 1 || !m_reader.PageReadable(); }
  uint16_t ReadCode();
  void DecodeCode(uint16_t code);
  void DecodeSingleByteCode(uint16_t code);
  void Hook(int slot);
  void WriteChar(uint16_t code);

  // Escapes (escape_codes.cc).
  void DecodeEscape(uint16_t code);
  bool ApplyCodeRule(uint16_t code);
  void DispatchEscape(uint8_t low);
  bool DispatchTypography(uint8_t low);
  bool DispatchEbOnly(uint8_t low);
  bool DispatchEpwingOrOther(uint8_t low);
  bool DispatchObject(uint8_t low);
  bool DispatchReference(uint8_t low);
  void DecodeColourChart();
  void DecodeCompoundRun();
  void DecodeIndexArea();
  void DecodeSoundFrames();
  void DecodeMovie();
  void DecodeImageBegin(uint8_t low);
  void DecodeGraphicData();
  void ReadPosition(int32_t* page, uint16_t* offset);
  void ReadOrigin();
  bool StopCheck(uint16_t param);
  void CloseImage(bool checkEmpty);
  bool InGraphicArea() const { return m_graphicArea; }
  void ClearMedia();

  // Image maps (image_map.cc).
  void ParseImageMap();
  void AddMapArea(const MapArea& area);

  CTextSource& m_reader;

  // Configuration.
  uint16_t m_stopCode = 0, m_stopParam = 0;
  uint16_t m_stopCount = 1;
  std::vector<CodeRule> m_codeRules;
  bool m_halfWidth = false;

  // State of one call.
  TextOutput m_out;
  MediaArgs m_media;
  const TextHookTable* m_table = nullptr;
  bool m_stopAtNext = false;
  int32_t m_limitPage = 0;
  int32_t m_lastPage = 0;
  bool m_graphicArea = false;
  bool m_noNewLine = false;
  bool m_italic = false;
  int m_stopCounter = 0;
  bool m_haveStop = false;       // a stop code is configured or was found
  uint16_t m_callStopCode = 0, m_callStopParam = 0;
  int64_t m_objectStart = -1;    // behind the parameters of the last image
};

#endif  // TOMELING_READER_TEXT_DECODER_H_
