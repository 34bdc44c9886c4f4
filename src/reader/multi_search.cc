// Multi search and search-method names; see multi_search.h.
//
// Control area (from its first page on):
//   0  number of searches (16-bit)      16  one record per search
// Record: field count (1), unused (1), title as 15 JIS codes (30), then per
// field 16 bytes: index identifier (1), unused (1), start page (32), page
// count (32), unused (6).
//
// Method names (area 0x16), at offset 350 of its first page: ten records
// of 70 bytes; byte 1 = 2 marks a name, the 32-byte name at 18 or, when
// that is empty, the 16-byte one at 2.
#include "reader/multi_search.h"

#include "decode/char_conv.h"
#include "decode/cp932.h"
#include "decode/utf8.h"
#include "reader/index_names.h"
#include "reader/key_normalise.h"

namespace {

constexpr uint8_t kMultiAreaId = 0xFF;
constexpr uint8_t kMethodNamesId = 0x16;
constexpr int kMethodNamesOffset = 350;
constexpr int kMethodRecordSize = 70;
constexpr uint8_t kFieldStyle[3] = {0xCF, 0xFF, 0xC0};

const std::string kNoName;

}  // namespace

std::string JisToUtf8(const uint8_t* jis, size_t length) {
  std::string sjis(length + 1, '\0');
  size_t n = JisStringToSjis(sjis.data(), reinterpret_cast<const char*>(jis), length);
  sjis.resize(n);
  std::u16string wide = Cp932ToUtf16(sjis);
  std::string out(wide.size() * 3, '\0');
  out.resize(Utf16ToUtf8(wide.data(), wide.size(), out.data(), out.size()));
  return out;
}

void CMultiSearch::Clear() {
  m_areas.clear();
  m_rows.clear();
  for (std::string& name : m_methodNames) name.clear();
}

void CMultiSearch::Load(CEBReader& reader) {
  Clear();
  for (const IndexEntry& e : reader.Indexes()) {
    if (e.id == kMultiAreaId && static_cast<int>(m_areas.size()) < kMaxAreas) m_areas.push_back(e);
  }
  LoadMethodNames(reader);
  if (!m_areas.empty()) SelectMultiSearch(reader, AreaCount() - 1);
}

int CMultiSearch::SelectMultiSearch(CEBReader& reader, int n) {
  m_rows.clear();
  if (n < 0 || n >= AreaCount() || !reader.IsOpen()) return 0;
  const bool eb = reader.IsEb();
  reader.SeekPage(m_areas[static_cast<size_t>(n)].startPage);
  int searches = reader.ReadWord16();
  uint8_t skip[14];
  reader.ReadBytes(skip, sizeof skip);
  for (int s = 0; s < searches && static_cast<int>(m_rows.size()) < kMaxRows; ++s) {
    int fields = reader.ReadByte();
    reader.ReadByte();
    uint8_t title[30];
    reader.ReadBytes(title, sizeof title);
    IndexEntry header;
    header.name = "--" + JisToUtf8(title, sizeof title);
    m_rows.push_back(header);
    for (int f = 0; f < fields && static_cast<int>(m_rows.size()) < kMaxRows; ++f) {
      uint8_t record[16];
      reader.ReadBytes(record, sizeof record);
      IndexEntry row;
      row.id = record[0];
      row.startPage = static_cast<int32_t>(record[2] << 24 | record[3] << 16 | record[4] << 8 | record[5]);
      row.pageCount = static_cast<int32_t>(record[6] << 24 | record[7] << 16 | record[8] << 8 | record[9]);
      // Damaged counts give an empty area rather than an overflow.
      row.endPage = row.startPage > 0 && row.pageCount > 0 && row.pageCount <= INT32_MAX - row.startPage + 1
                        ? row.startPage + row.pageCount - 1
                        : row.startPage - 1;
      row.name = IndexDisplayName(row.id, eb);
      for (int i = 0; i < 3; ++i) row.style[i] = kFieldStyle[i];
      m_rows.push_back(row);
    }
  }
  return static_cast<int>(m_rows.size());
}

void CMultiSearch::LoadMethodNames(CEBReader& reader) {
  const IndexEntry* area = reader.FindIndex(kMethodNamesId);
  if (area == nullptr || area->startPage <= 0) return;
  reader.SeekPage(area->startPage);
  const uint8_t* page = reader.PageData();
  for (int k = 0; k < kMethodSlots; ++k) {
    const uint8_t* record = page + kMethodNamesOffset + k * kMethodRecordSize;
    if (record[1] != 2) continue;
    const uint8_t* name = record[18] != 0 ? record + 18 : record + 2;
    size_t length = record[18] != 0 ? 32 : 16;
    if (name[0] == 0) continue;
    m_methodNames[k] = JisToUtf8(name, length);
  }
}

const std::string& CMultiSearch::SearchMethodName(int k) const {
  return k >= 0 && k < kMethodSlots ? m_methodNames[k] : kNoName;
}

namespace {

// Letters of either width upper-cased and widened as the field keys were
// filed; spaces and marks stay, the field's index may hold them.
std::string FieldKey(const CEBReader& reader, std::string_view typed) {
  if (reader.SingleByte()) return SingleByteKey(typed);
  std::string out;
  for (size_t i = 0; i < typed.size() && typed[i] != 0;) {
    uint8_t b = static_cast<uint8_t>(typed[i]);
    if (IsSjisLead(b)) {
      if (i + 1 >= typed.size() || typed[i + 1] == 0) break;
      unsigned c = UpperWideLetter(static_cast<unsigned>(b) << 8 | static_cast<uint8_t>(typed[i + 1]));
      out.push_back(static_cast<char>(c >> 8));
      out.push_back(static_cast<char>(c & 0xFF));
      i += 2;
      continue;
    }
    ++i;
    uint16_t c = b;
    if (b >= 0x20) c = ToFullWidth(b >= 'a' && b <= 'z' ? static_cast<uint16_t>(b - 0x20) : b);
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

}  // namespace

int MultiFieldSearch(CEBReader& reader, const IndexEntry& field, std::string_view key, int level) {
  if (level <= 0) reader.ClearHitList();
  if (!reader.IsOpen() || field.startPage <= 0 || field.endPage < field.startPage || key.empty() ||
      key.size() > kMaxKeyBytes)
    return reader.HitCount();
  std::string k = FieldKey(reader, key);
  int32_t leaf = reader.FindLeaf(field, k);
  if (leaf != 0 && field.HoldsPage(leaf)) reader.ScanLeaves(field, leaf, k, false, level < 0 ? 0 : level);
  if (level <= 0) reader.SortResult(false);
  return reader.HitCount();
}
