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

// Delivers the page's code bits most significant first. Reads the file in
// blocks; only the bits consumed matter, so reading ahead is harmless.
class CBitReader {
 public:
  explicit CBitReader(CFileStream& file) : m_file(file) {}
  // Next bit, or -1 at the end of the file.
  int Next() {
    if (m_bits == 0) {
      if (m_pos == m_len) {
        m_len = m_file.Read(m_block, 1, sizeof m_block);
        m_pos = 0;
        if (m_len == 0) return -1;
      }
      m_byte = m_block[m_pos++];
      m_bits = 8;
    }
    --m_bits;
    return (m_byte >> m_bits) & 1;
  }

 private:
  CFileStream& m_file;
  uint8_t m_block[512];
  size_t m_len = 0, m_pos = 0;
  uint8_t m_byte = 0;
  int m_bits = 0;
};

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
  m_root = -1;
  // The table lies inside the file (checked on open), so its size and the
  // node table's are in proportion to the file's. A huge file can still
  // exhaust memory; then the file just has no tree and its pages fail.
  try {
    std::vector<uint8_t> table(m_freqLength);
    if (m_file.Seek(m_freqLocation) != 0 || m_file.Read(table.data(), m_freqLength, 1) != 1) return;
    if (!ParseFrequencyTable(table.data(), table.size(), m_kind == kEpwingFlagged, m_nodes)) {
      std::vector<HuffmanNode>().swap(m_nodes);
      return;
    }
    m_root = BuildHuffmanTree(m_nodes);
    AllocateSlots(kMaxSlots, kPageSize);
  } catch (const std::bad_alloc&) {
    std::vector<HuffmanNode>().swap(m_nodes);
    m_root = -1;
  }
}

int CBookFile::ReadEpwingPage(uint8_t* buffer) {
  if (!m_prepared) PrepareEpwing();
  if (m_root < 0) return 0;
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
  uint64_t at = m_indexLocation + within;
  uint8_t entry[kIndexRecordSize];
  // A page past the index has no record; the bytes after the index belong
  // to the frequency table.
  if (within + kIndexRecordSize > m_indexLength || m_file.Seek(static_cast<int64_t>(at)) != 0 ||
      m_file.Read(entry, sizeof entry, 1) != 1)
    return false;
  uint64_t pos = LoadBE32(entry) + static_cast<uint64_t>(LoadBE16(entry + 4 + 2 * ((m_page - 1) % kPagesPerRecord)));
  if (pos >= m_fileSize || m_file.Seek(static_cast<int64_t>(pos)) != 0) return false;

  uint8_t* out = m_slotBuffer[slot].data();
  if (m_kind == kEpwingFlagged) {
    uint8_t flag;
    if (m_file.Read(&flag, 1, 1) != 1) return false;
    if (flag != 0) return m_file.Read(out, kPageSize, 1) == 1;
  }
  return DecodeHuffmanPage(out);
}

bool CBookFile::DecodeHuffmanPage(uint8_t* out) {
  std::memset(out, 0, kPageSize);
  CBitReader bits(m_file);
  const HuffmanNode* nodes = m_nodes.data();
  int produced = 0;
  while (produced < kPageSize) {
    int n = m_root;
    while (nodes[n].type == kHuffmanInner) {
      int bit = bits.Next();
      // Code cut off by the end of the file: keep what was decoded.
      if (bit < 0) return true;
      n = bit ? nodes[n].left : nodes[n].right;
    }
    if (nodes[n].type == kHuffmanEnd) break;
    int length = HuffmanValueLength(nodes[n].type);
    for (int i = 0; i < length && produced < kPageSize; ++i) out[produced++] = nodes[n].value[i];
  }
  return true;
}
