// See subbook_file.h.
#include "catalog/subbook_file.h"

#include <cstring>

#include "catalog/notice.h"

int CSubbookFile::Open(const std::string& path, int versionHint, bool notify) {
  Close();
  if (m_file.Open(path, versionHint) != 0) return -1;
  m_path = path;
  m_notify = notify;
  return 0;
}

void CSubbookFile::Close() {
  m_file.Close();
  m_path.clear();
  m_cachedPage = 0;
  m_cachedOk = false;
  m_table = IndexTable();
}

const uint8_t* CSubbookFile::Fetch(int32_t page, bool* ok) {
  if (page != m_cachedPage || page <= 0) {
    if (m_file.SetPage(page) != 0 && m_notify) Notice("Cannot seek");
    std::memset(m_page, 0, sizeof(m_page));
    m_cachedOk = m_file.ReadPage(m_page) == 1;
    // A page that failed is not worth keeping: the next try may succeed.
    m_cachedPage = m_cachedOk ? page : 0;
  }
  if (ok != nullptr) *ok = m_cachedOk;
  return m_page;
}

bool CSubbookFile::LoadIndexTable(int32_t page, int maxEntries) {
  bool ok = false;
  const uint8_t* data = Fetch(page, &ok);
  if (!ok) {
    m_table = IndexTable();
    return false;
  }
  return ParseIndexTable(data, maxEntries, &m_table);
}

int32_t CSubbookFile::PageCount() const {
  uint64_t size = m_file.DataSize();
  return static_cast<int32_t>((size + kPageSize - 1) / kPageSize);
}
