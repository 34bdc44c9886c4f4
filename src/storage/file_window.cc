#include "storage/file_window.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

bool CFileWindow::Load(uint64_t offset) {
  m_length = m_next = 0;
  if (m_block.size() != m_blockSize) m_block.assign(m_blockSize, 0);
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  m_offset = offset;
  m_length = m_file.ReadAt(static_cast<int64_t>(offset), m_block.data(), m_block.size());
  return m_length > 0;
}

bool CFileWindow::Start(uint64_t offset) {
  if (m_length > 0 && offset >= m_offset && offset - m_offset < m_length) {
    m_next = static_cast<size_t>(offset - m_offset);
    return true;
  }
  return Load(offset);
}

bool CFileWindow::NextBlock(const uint8_t** data, size_t* size) {
  if (m_next == m_length && (m_length == 0 || !Load(m_offset + m_length))) return false;
  *data = m_block.data() + m_next;
  *size = m_length - m_next;
  m_next = m_length;
  return true;
}

size_t CFileWindow::Read(uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    if (m_next == m_length && (m_length == 0 || !Load(m_offset + m_length))) break;
    size_t n = std::min(size - done, m_length - m_next);
    std::memcpy(out + done, m_block.data() + m_next, n);
    m_next += n;
    done += n;
  }
  return done;
}

void CFileWindow::Forget() {
  std::vector<uint8_t>().swap(m_block);
  m_offset = 0;
  m_length = m_next = 0;
}
