#include "reader/reader_text_source.h"

#include <algorithm>

namespace {

void CopyArea(const IndexEntry& entry, TextArea* area) {
  area->id = entry.id;
  area->startPage = entry.startPage;
  area->pageCount = entry.pageCount;
}

}  // namespace

// A page that cannot be read still becomes the cursor's page (as zeros);
// the decoder treats that as text that decodes to nothing.
int CReaderTextSource::SeekPage(int32_t page) {
  m_reader.SeekPage(page);
  return page > 0 ? 0 : -1;
}

// The index table alone would let a damaged area of two billion pages keep
// the decoder reading zero pages; the file's own size is the real end.
int32_t CReaderTextSource::LastPage() const {
  int32_t pages = m_reader.PageCount();
  if (pages <= 0) return m_reader.HighestPage();
  return std::min(pages, m_reader.HighestPage());
}

bool CReaderTextSource::FindIndex(uint8_t id, TextArea* area) const {
  const IndexEntry* entry = m_reader.FindIndex(id);
  if (entry == nullptr) return false;
  CopyArea(*entry, area);
  return true;
}

bool CReaderTextSource::IndexForPage(int32_t page, TextArea* area) const {
  const IndexEntry* entry = m_reader.IndexForPage(page);
  if (entry == nullptr) return false;
  CopyArea(*entry, area);
  return true;
}

GaijiRange CReaderTextSource::Range(const FontInfo& font) {
  if (!font.Present() || font.firstCode == 0) return GaijiRange{};
  uint32_t last = font.lastCode > 0xFFFF ? 0xFFFF : font.lastCode;
  return GaijiRange{font.firstCode, static_cast<uint16_t>(last)};
}
