// S-EBXA storage: the text area of an EB START file compressed with LZSS in
// slices of two pages. Page 1 (the subbook's index table) names the text
// area (0x00), the compression index (0x22, an array of 32-bit slice end
// offsets) and the compressed data (0x21). Pages outside the text area are
// stored plainly.
#include <algorithm>
#include <cstring>

#include "storage/book_file.h"
#include "storage/byte_order.h"

namespace {

constexpr uint32_t kSebxaSliceSize = 4096;
constexpr int kAreaTableOffset = 16;
constexpr int kAreaEntrySize = 16;
constexpr int kMaxAreaEntries = (kPageSize - kAreaTableOffset) / kAreaEntrySize;
// The ring's write position starts at 4078 and the slice doubles as the
// ring, so ring position r lives at slice offset (r + 18) mod 4096.
constexpr uint32_t kRingShift = 18;

// Hands out at most `count` bytes from the file, a block at a time.
class CCountedReader {
 public:
  CCountedReader(CFileStream& file, uint32_t count) : m_file(file), m_left(count) {}
  bool Next(uint8_t& byte) {
    if (m_pos == m_len) {
      if (m_left == 0) return false;
      m_len = m_file.Read(m_block, 1, std::min<uint32_t>(m_left, sizeof m_block));
      m_pos = 0;
      if (m_len == 0) return false;
      m_left -= static_cast<uint32_t>(m_len);
    }
    byte = m_block[m_pos++];
    return true;
  }

 private:
  CFileStream& m_file;
  uint32_t m_left;
  uint8_t m_block[1024];
  size_t m_len = 0, m_pos = 0;
};

}  // namespace

bool CBookFile::DetectSebxa() {
  uint8_t page[kPageSize] = {};
  if (m_file.Seek(0) != 0 || m_file.Read(page, 1, kPageSize) == 0) return false;
  int count = std::min<int>(LoadBE16(page), kMaxAreaEntries);
  SebxaArea area;
  // The first entry of each kind counts: a count running past the real
  // entries reaches zero-filled ones, which read as text areas.
  bool seenText = false, seenIndex = false, seenData = false;
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = page + kAreaTableOffset + i * kAreaEntrySize;
    uint32_t start = LoadBE32(e + 2), pages = LoadBE32(e + 6);
    if (e[0] == 0x00 && !seenText) {
      area.textStart = start;
      area.textCount = pages;
      seenText = true;
    } else if (e[0] == 0x22 && !seenIndex) {
      area.indexStart = start;
      area.indexCount = pages;
      seenIndex = true;
    } else if (e[0] == 0x21 && !seenData) {
      area.dataStart = start;
      area.dataCount = pages;
      seenData = true;
    }
  }
  if (area.indexCount == 0 || area.dataCount == 0) return false;
  m_sebxa = area;
  m_kind = kSebxa;
  return true;
}

int CBookFile::ReadSebxaPage(uint8_t* buffer) {
  int64_t first = m_sebxa.textStart;
  int64_t last = first + static_cast<int64_t>(m_sebxa.textCount) - 1;
  // Page 0 starts no area; such an entry leaves the whole file plain.
  if (first == 0 || m_page < first || m_page > last) return ReadPlainPage(buffer);

  if (!m_prepared) {
    AllocateSlots(2, kSebxaSliceSize);
    m_prepared = true;
  }
  int64_t slice = (m_page - first) / 2;
  int slot = FindSlot(slice);
  if (slot < 0) {
    slot = NextSlot();
    if (!LoadSebxaSlice(slice, slot)) return 0;
  }
  m_slotPage[slot] = m_page;
  uint32_t half = ((m_page - first) % 2) * kPageSize;
  std::memcpy(buffer, m_slotBuffer[slot].data() + half, kPageSize);
  return 1;
}

bool CBookFile::LoadSebxaSlice(int64_t slice, int slot) {
  if (m_sebxa.indexStart == 0 || m_sebxa.dataStart == 0) return false;
  uint64_t index = static_cast<uint64_t>(m_sebxa.indexStart - 1) * kPageSize;
  uint64_t first = slice == 0 ? 0 : static_cast<uint64_t>(slice - 1);
  uint64_t at = index + first * 4;
  int entries = slice == 0 ? 1 : 2;
  uint8_t raw[8];
  if (at + 4u * entries > m_fileSize || m_file.Seek(static_cast<int64_t>(at)) != 0 ||
      m_file.Read(raw, 4, entries) != static_cast<size_t>(entries))
    return false;
  uint32_t start = slice == 0 ? 0 : LoadBE32(raw);
  uint32_t end = LoadBE32(raw + 4 * (entries - 1));
  if (end < start) return false;
  uint64_t data = static_cast<uint64_t>(m_sebxa.dataStart - 1) * kPageSize + start;
  if (data > m_fileSize || m_file.Seek(static_cast<int64_t>(data)) != 0) return false;
  return DecodeLzss(end - start, m_slotBuffer[slot].data());
}

bool CBookFile::DecodeLzss(uint32_t count, uint8_t* out) {
  std::memset(out, 0, kSebxaSliceSize);
  CCountedReader in(m_file, count);
  uint32_t produced = 0;
  uint8_t flags;
  while (produced < kSebxaSliceSize && in.Next(flags)) {
    for (int bit = 0; bit < 8 && produced < kSebxaSliceSize; ++bit) {
      uint8_t b0, b1;
      if (flags & (1u << bit)) {
        if (!in.Next(b0)) return true;
        out[produced++] = b0;
        continue;
      }
      if (!in.Next(b0) || !in.Next(b1)) return true;
      uint32_t source = b0 + (b1 & 0xF0u) * 16;
      uint32_t length = (b1 & 0x0Fu) + 3;
      // One byte at a time: a source just behind the output repeats bytes.
      for (uint32_t k = 0; k < length && produced < kSebxaSliceSize; ++k)
        out[produced++] = out[(source + kRingShift + k) % kSebxaSliceSize];
    }
  }
  return true;
}
