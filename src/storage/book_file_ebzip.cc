// EBZip storage (.ebz files): a 22-byte header, an index of slice start
// offsets, then each slice of 2048 << level bytes either zlib-compressed or,
// when compression would not shrink it, stored as is.
//
// Nothing is allocated from the sizes in the header except the two slice
// buffers (64 KiB at most), and every index entry is clamped to the file,
// so a header that lies can only make pages fail.
#include <algorithm>
#include <cstring>

#include "storage/book_file.h"
#include "storage/byte_order.h"
#include "storage/zip_inflater.h"

namespace {

constexpr int kEbzipHeaderSize = 22;
// Level 5 (64 KiB slices) is the largest ebzip writes; larger slices would
// also outgrow what a small device should keep twice.
constexpr int kEbzipMaxLevel = 5;

}  // namespace

int CBookFile::OpenEbzip(const uint8_t* header) {
  m_zipMode = header[5] >> 4;
  m_zipLevel = header[5] & 0x0F;
  if (m_zipLevel > kEbzipMaxLevel) return -1;
  m_originalSize = LoadBE32(header + 10);
  m_crc = LoadBE32(header + 14);
  // Writers size the entries by the data size; exactly 16 MiB still takes
  // three bytes.
  m_indexWidth = m_originalSize < 65536 ? 2 : m_originalSize <= 16777216 ? 3 : 4;
  m_kind = kEbzip;
  AllocateSlots(2, static_cast<uint32_t>(kPageSize) << m_zipLevel);
  return 0;
}

int CBookFile::ReadEbzipPage(uint8_t* buffer) {
  uint64_t offset = static_cast<uint64_t>(m_page - 1) * kPageSize;
  // A page past the data has no slice; the index there would be read from
  // the compressed bytes that follow it.
  if (offset >= m_originalSize) return 0;
  uint64_t slice = offset / m_sliceSize;
  uint32_t inSlice = static_cast<uint32_t>(offset % m_sliceSize);
  int slot = FindSlot(static_cast<int64_t>(slice));
  if (slot >= 0) {
    m_lastSlot = slot;
  } else {
    slot = NextSlot();
    if (!LoadEbzipSlice(slice, slot)) return 0;
  }
  m_slotPage[slot] = m_page;
  std::memcpy(buffer, m_slotBuffer[slot].data() + inSlice, kPageSize);
  return 1;
}

bool CBookFile::LoadEbzipSlice(uint64_t slice, int slot) {
  uint64_t at = kEbzipHeaderSize + slice * m_indexWidth;
  uint8_t entries[8];
  const size_t want = 2u * m_indexWidth;
  if (at + want > m_fileSize || !m_indexWindow.Start(at) || m_indexWindow.Read(entries, want) != want) return false;
  uint32_t start = std::min(LoadBE(entries, m_indexWidth), m_fileSize);
  uint32_t end = std::min(LoadBE(entries + m_indexWidth, m_indexWidth), m_fileSize);

  uint8_t* out = m_slotBuffer[slot].data();
  // Within a run of pages the slices come through the code window, else
  // straight from the file.
  CFileWindow* window = m_readingRun ? &m_codeWindow : nullptr;
  if (end >= start && end - start == m_sliceSize) {
    return window ? window->Start(start) && window->Read(out, m_sliceSize) == m_sliceSize
                  : m_file.ReadAt(start, out, m_sliceSize) == m_sliceSize;
  }
  // The last slice may inflate to less than a full slice.
  return InflateSlice(m_file, window, start, end >= start ? end - start : 0, out, m_sliceSize);
}
