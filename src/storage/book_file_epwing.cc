// EPWING Huffman storage (HONMON2 and the like): a 32-byte header locating
// a page index, a frequency table and the coded data. Kind 3 codes every
// page; kind 4 puts a flag byte before each page, non-zero meaning the 2048
// bytes follow as they are.
//
// The tree is built at the first page read, not on open, because opening a
// book touches every subbook's files and most are never read.
#include <cstring>
#include <new>

#include "storage/book_file.h"
#include "storage/byte_order.h"

namespace {

constexpr int kIndexRecordSize = 36;  // base offset + 16 page offsets
constexpr int kPagesPerRecord = 16;

}  // namespace

bool CBookFile::DetectEpwing(const uint8_t* header, int versionHint) {
  uint32_t index = LoadBE32(header), indexLength = LoadBE32(header + 4);
  uint32_t freq = LoadBE32(header + 8), freqLength = LoadBE32(header + 12);
  uint32_t data = LoadBE32(header + 16);
  // Sums in 64 bits: a wrapped 32-bit sum must not pass for a layout.
  if (static_cast<uint64_t>(index) + indexLength != freq || static_cast<uint64_t>(freq) + freqLength != data ||
      data > m_fileSize)
    return false;
  uint8_t kind;
  if (versionHint == 4 || versionHint == 5)
    kind = kEpwingAllCoded;
  else if (versionHint == 6)
    kind = kEpwingFlagged;
  else
    kind = LoadBE32(header + 28) == 0xFFFFEDFFu ? kEpwingAllCoded : kEpwingFlagged;
  // A table too small for its fixed groups means the header only happens to
  // add up (an all-zero start does): the file is plain.
  if (freqLength < (kind == kEpwingFlagged ? kMinFrequencyTableWithQuads : kMinFrequencyTable)) return false;
  m_kind = kind;
  m_indexLocation = index;
  m_indexLength = indexLength;
  m_freqLocation = freq;
  m_freqLength = freqLength;
  m_dataLocation = data;
  return true;
}

void CBookFile::PrepareEpwing() {
  m_prepared = true;
  // The table lies inside the file (checked on open), so its size and the
  // node table's are in proportion to the file's. A huge file can still
  // exhaust memory; then the file just has no tree and its pages fail.
  try {
    std::vector<uint8_t> table(m_freqLength);
    if (m_file.Seek(m_freqLocation) != 0 || m_file.Read(table.data(), m_freqLength, 1) != 1) return;
    std::vector<HuffmanNode> nodes;
    if (!ParseFrequencyTable(table.data(), table.size(), m_kind == kEpwingFlagged, nodes)) return;
    int root = BuildHuffmanTree(nodes);
    if (!m_huffman.Build(nodes, root)) return;
    AllocateSlots(kMaxSlots, kPageSize);
  } catch (const std::bad_alloc&) {
    m_huffman.Clear();
  }
}

int CBookFile::ReadEpwingPage(uint8_t* buffer) {
  if (!m_prepared) PrepareEpwing();
  if (!m_huffman.IsReady()) return 0;
  int slot = FindSlot(m_page);
  if (slot < 0) {
    slot = NextSlot();
    if (!LoadEpwingPage(slot)) return 0;
    m_slotPage[slot] = m_page;
  }
  std::memcpy(buffer, m_slotBuffer[slot].data(), kPageSize);
  return 1;
}

bool CBookFile::LoadEpwingPage(int slot) {
  uint32_t record = static_cast<uint32_t>(m_page - 1) / kPagesPerRecord;
  uint64_t within = static_cast<uint64_t>(record) * kIndexRecordSize;
  uint8_t entry[kIndexRecordSize];
  // A page past the index has no record; the bytes after the index belong
  // to the frequency table.
  if (within + kIndexRecordSize > m_indexLength || !m_indexWindow.Start(m_indexLocation + within) ||
      m_indexWindow.Read(entry, sizeof entry) != sizeof entry)
    return false;
  uint64_t pos = LoadBE32(entry) + static_cast<uint64_t>(LoadBE16(entry + 4 + 2 * ((m_page - 1) % kPagesPerRecord)));
  if (pos >= m_fileSize || !m_codeWindow.Start(pos)) return false;

  uint8_t* out = m_slotBuffer[slot].data();
  if (m_kind == kEpwingFlagged) {
    uint8_t flag;
    if (m_codeWindow.Read(&flag, 1) != 1) return false;
    if (flag != 0) return m_codeWindow.Read(out, kPageSize) == static_cast<size_t>(kPageSize);
  }
  // A code cut off by the end of the file ends the page: what was decoded
  // is kept.
  m_huffman.Decode(m_codeWindow, out, kPageSize);
  return true;
}
