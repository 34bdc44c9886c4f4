// CReaderTextSource: the page source of the text decoder over an open
// CEBReader, so that decoding reads through the reader's own cursor and
// leaves it behind the last code read.
//
//   CReaderTextSource source(reader);
//   CTextDecoder decoder(source);
#ifndef TOMELING_READER_READER_TEXT_SOURCE_H_
#define TOMELING_READER_READER_TEXT_SOURCE_H_

#include "reader/eb_reader.h"
#include "reader/text_source.h"

class CReaderTextSource : public CTextSource {
 public:
  explicit CReaderTextSource(CEBReader& reader) : m_reader(reader) {}

  int SeekPage(int32_t page) override;
  int SeekOffset(int offset) override { return m_reader.SeekOffset(offset) ? 0 : -1; }
  uint8_t ReadByte() override { return m_reader.ReadByte(); }
  uint16_t ReadWord16() override { return m_reader.ReadWord16(); }
  int32_t CurrentPage() const override { return m_reader.CurrentPage(); }
  int CurrentOffset() const override { return m_reader.CurrentOffset(); }
  bool PageReadable() const override { return m_reader.PageLoaded(); }
  bool FindIndex(uint8_t id, TextArea* area) const override;
  bool IndexForPage(int32_t page, TextArea* area) const override;
  int32_t LastPage() const override;
  int OpenMode() const override { return m_reader.Mode(); }
  bool IsSingleByte() const override { return m_reader.SingleByte(); }
  GaijiRange HalfGaiji() const override { return Range(m_reader.HalfFont()); }
  GaijiRange FullGaiji() const override { return Range(m_reader.FullFont()); }

 private:
  static GaijiRange Range(const FontInfo& font);

  CEBReader& m_reader;
};

#endif  // TOMELING_READER_READER_TEXT_SOURCE_H_
