// See media_source.h.
#include "decode/media_source.h"

#include <algorithm>
#include <climits>
#include <cstring>

bool CMemoryMediaSource::ReadPage(int32_t page, uint8_t* out) {
  if (page < 1 || page > PageCount()) return false;
  size_t start = static_cast<size_t>(page - 1) * kMediaPageSize;
  size_t n = std::min<size_t>(kMediaPageSize, m_image.size() - start);
  std::memcpy(out, m_image.data() + start, n);
  std::memset(out + n, 0, kMediaPageSize - n);
  return true;
}

int32_t CMemoryMediaSource::PageCount() const {
  size_t pages = (m_image.size() + kMediaPageSize - 1) / kMediaPageSize;
  return static_cast<int32_t>(std::min<size_t>(pages, INT32_MAX));
}

int64_t CMediaCursor::Remaining() const {
  int64_t end = static_cast<int64_t>(m_source.PageCount()) * kMediaPageSize;
  return m_pos >= 0 && m_pos < end ? end - m_pos : 0;
}

bool CMediaCursor::Load(int32_t page) {
  if (page == m_page) return true;
  m_page = 0;
  if (page < 1 || page > m_source.PageCount() || !m_source.ReadPage(page, m_buf)) return false;
  m_page = page;
  return true;
}

size_t CMediaCursor::Append(std::vector<uint8_t>* out, size_t n) {
  size_t done = 0;
  while (done < n) {
    if (m_pos < 0 || m_pos / kMediaPageSize >= INT32_MAX) break;
    auto page = static_cast<int32_t>(m_pos / kMediaPageSize + 1);
    if (!Load(page)) break;
    size_t at = static_cast<size_t>(m_pos % kMediaPageSize);
    size_t chunk = std::min(n - done, kMediaPageSize - at);
    out->insert(out->end(), m_buf + at, m_buf + at + chunk);
    m_pos += static_cast<int64_t>(chunk);
    done += chunk;
  }
  return done;
}

bool CMediaCursor::Read(uint8_t* out, size_t n) {
  size_t done = 0;
  while (done < n) {
    if (m_pos < 0 || m_pos / kMediaPageSize >= INT32_MAX) return false;
    auto page = static_cast<int32_t>(m_pos / kMediaPageSize + 1);
    if (!Load(page)) return false;
    size_t at = static_cast<size_t>(m_pos % kMediaPageSize);
    size_t chunk = std::min(n - done, kMediaPageSize - at);
    std::memcpy(out + done, m_buf + at, chunk);
    m_pos += static_cast<int64_t>(chunk);
    done += chunk;
  }
  return true;
}

bool CMediaCursor::ReadByte(uint8_t* out) {
  // Streams are walked byte by byte: stay on the page while it lasts.
  if (m_page != 0 && m_pos >= 0 && m_pos / kMediaPageSize + 1 == m_page) {
    *out = m_buf[m_pos % kMediaPageSize];
    ++m_pos;
    return true;
  }
  return Read(out, 1);
}
