#include "reader/memory_text_source.h"

#include <cstddef>
#include <utility>

CMemoryTextSource::CMemoryTextSource(std::vector<uint8_t> image) : m_image(std::move(image)) {}

void CMemoryTextSource::AddArea(uint8_t id, int32_t startPage, int32_t pageCount) {
  m_areas.push_back(TextArea{id, startPage, pageCount});
}

int CMemoryTextSource::SeekPage(int32_t page) {
  m_page = page;
  m_offset = 0;
  return page < 1 ? -1 : 0;
}

int CMemoryTextSource::SeekOffset(int offset) {
  if (offset < 1 || offset > kPage) return -1;
  m_offset = offset;
  return 0;
}

uint8_t CMemoryTextSource::ReadByte() {
  if (m_offset >= kPage) {
    // The page number stops short of overflow; a decoder bounded by
    // LastPage never gets near it.
    if (m_page < INT32_MAX) ++m_page;
    m_offset = 0;
  }
  int64_t at = (static_cast<int64_t>(m_page) - 1) * kPage + m_offset;
  ++m_offset;
  return at >= 0 && static_cast<uint64_t>(at) < m_image.size() ? m_image[static_cast<size_t>(at)] : 0;
}

bool CMemoryTextSource::PageReadable() const {
  return m_page >= 1 && static_cast<uint64_t>(m_page - 1) * kPage < m_image.size();
}

uint16_t CMemoryTextSource::ReadWord16() {
  uint16_t high = ReadByte();
  return static_cast<uint16_t>(high << 8 | ReadByte());
}

bool CMemoryTextSource::FindIndex(uint8_t id, TextArea* area) const {
  for (const TextArea& a : m_areas) {
    if (a.id == id) {
      *area = a;
      return true;
    }
  }
  return false;
}

bool CMemoryTextSource::IndexForPage(int32_t page, TextArea* area) const {
  for (const TextArea& a : m_areas) {
    if (page >= a.startPage && static_cast<int64_t>(page) < static_cast<int64_t>(a.startPage) + a.pageCount) {
      *area = a;
      return true;
    }
  }
  return false;
}

int32_t CMemoryTextSource::LastPage() const {
  return static_cast<int32_t>((m_image.size() + kPage - 1) / kPage);
}
