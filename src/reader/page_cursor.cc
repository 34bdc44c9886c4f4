// The page cursor of CEBReader; see eb_reader.h.
//
// The cursor keeps its own copy of the current page, so a glyph or index
// table fetched through the file's one-page cache in between never moves
// what the decoder is reading.
#include <algorithm>
#include <climits>
#include <cstring>

#include "reader/eb_reader.h"

bool CEBReader::HoldsPosition(int32_t page, int offset) const {
  int32_t pages = PageCount();
  if (page < 1 || page > pages || offset < 0 || offset > kPageSize) return false;
  return page < pages || offset < kPageSize;  // offset 2048 is the next page
}

bool CEBReader::SeekPage(int32_t page) {
  if (m_loaded && page == m_page) {
    m_pos = 0;
    return true;
  }
  bool ok = false;
  // Pages below 1 go to the file too: a text file then tells the user it
  // cannot seek, as for any page it cannot select.
  if (m_file.IsOpen()) {
    std::memcpy(m_buf, m_file.Fetch(page, &ok), kPageSize);
    ++m_pageReads;
  }
  if (!ok) std::memset(m_buf, 0, kPageSize);
  m_page = page;
  m_pos = 0;
  m_loaded = ok;
  return ok;
}

int CEBReader::ReadPages(int32_t first, int count, uint8_t* out) {
  if (!m_file.IsOpen()) return 0;
  int done = m_file.ReadPages(first, count, out);
  m_pageReads += static_cast<uint64_t>(done);
  return done;
}

bool CEBReader::SeekOffset(int offset) {
  if (offset < 1 || offset > kPageSize) return false;
  m_pos = offset;
  return true;
}

bool CEBReader::NextPage() {
  if (m_page == INT32_MAX) {
    std::memset(m_buf, 0, kPageSize);
    m_loaded = false;
    m_pos = 0;
    return false;
  }
  return SeekPage(m_page + 1);
}

uint8_t CEBReader::ReadByte() {
  if (m_pos >= kPageSize) NextPage();
  return m_buf[m_pos++];
}

uint16_t CEBReader::ReadWord16() {
  uint16_t hi = ReadByte();
  return static_cast<uint16_t>(hi << 8 | ReadByte());
}

uint32_t CEBReader::ReadWord32() {
  uint32_t hi = ReadWord16();
  return hi << 16 | ReadWord16();
}

int CEBReader::ReadBytes(uint8_t* out, int n) {
  if (n < 0) return 0;
  for (int done = 0; done < n;) {
    if (m_pos >= kPageSize) NextPage();
    int chunk = std::min(n - done, kPageSize - m_pos);
    std::memcpy(out + done, m_buf + m_pos, static_cast<size_t>(chunk));
    m_pos += chunk;
    done += chunk;
  }
  return n;
}
