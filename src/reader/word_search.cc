// The forward, exact and backward word searches of CEBReader: which indexes
// to try and in what order, and the search key each is given.
#include <algorithm>

#include "decode/char_conv.h"
#include "reader/eb_reader.h"
#include "reader/index_names.h"
#include "reader/key_normalise.h"

namespace {

constexpr unsigned kMarks[] = {0x8166, 0x817C, 0x8145, 0x815D};  // ’ － ・ ‐
constexpr unsigned kWideSpace = 0x8140;
constexpr size_t kMinRetryChars = 3;

}  // namespace

// What the user typed, made ready for an index: letters of either width
// upper-cased and widened like the index keys, spaces and (unless the index keeps them)
// marks taken out. The index's own folding is applied later.
std::string CEBReader::BuildSearchKey(std::string_view typed, const IndexEntry& index) const {
  if (m_singleByte) return SingleByteKey(typed);
  const bool keepMarks = (index.Style() & 0xC0000) != 0;
  std::string out;
  for (size_t i = 0; i < typed.size();) {
    unsigned c = static_cast<uint8_t>(typed[i]);
    if (c == 0) break;
    size_t width = 1;
    if (IsSjisLead(static_cast<uint8_t>(c))) {
      if (i + 1 >= typed.size() || typed[i + 1] == 0) break;
      c = UpperWideLetter(c << 8 | static_cast<uint8_t>(typed[i + 1]));
      width = 2;
    } else if (c >= 0x20) {
      if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
      c = ToFullWidth(static_cast<uint16_t>(c));
    }
    i += width;
    if (c == kWideSpace) continue;
    if (!keepMarks && std::find(std::begin(kMarks), std::end(kMarks), c) != std::end(kMarks)) continue;
    // No cut at 255 bytes here: a cut key would find more than was typed.
    // The scan refuses keys that outgrow an index key.
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

// Tries each index in turn until one finds something; returns the hits.
int CEBReader::SearchCandidates(const std::vector<const IndexEntry*>& candidates, std::string_view typed,
                                bool exact) {
  for (const IndexEntry* index : candidates) {
    std::string key = BuildSearchKey(typed, *index);
    int32_t leaf = FindLeaf(*index, key);
    if (leaf != 0 && index->HoldsPage(leaf)) ScanLeaves(*index, leaf, key, exact);
    if (HitCount() > 0 || Overflowed() || Aborted()) break;
  }
  return HitCount();
}

int CEBReader::WordSearch(std::string_view key, bool exact) {
  ClearHitList();
  if (!IsOpen() || key.empty() || key.size() > kMaxKeyBytes) return 0;
  // 0x30 counts too: an EB book whose only word index is the kana one must
  // still be searchable.
  static const uint8_t kWordIndexes[] = {0x90, 0x91, 0x92, 0x40, 0x61, 0x50, 0x60, 0x80, 0x30};
  if (std::none_of(std::begin(kWordIndexes), std::end(kWordIndexes), [this](uint8_t id) { return FindIndex(id); }))
    return 0;
  std::vector<const IndexEntry*> candidates;
  if (IsAllKana(key)) {
    const IndexEntry* kana = FindIndex(0x90);
    if (kana == nullptr) kana = FindIndex(0x30);
    if (kana != nullptr) candidates.push_back(kana);
  }
  for (uint8_t id : {0x91, 0x92, 0x40, 0x61, 0x50, 0x60})
    if (const IndexEntry* e = FindIndex(id)) candidates.push_back(e);
  if (candidates.empty()) {
    for (uint8_t id : {0x81, 0x80})
      if (const IndexEntry* e = FindIndex(id)) candidates.push_back(e);
  }
  std::string typed(key);
  size_t chars = SjisLength(typed);
  while (SearchCandidates(candidates, typed, exact) == 0) {
    if (exact || !m_retryShorter || Overflowed() || Aborted() || chars <= kMinRetryChars) break;
    typed = SjisPrefix(typed, --chars);
  }
  return SortResult(false);
}

int CEBReader::EndwordSearch(std::string_view key) {
  ClearHitList();
  if (!IsOpen() || key.empty() || key.size() > kMaxKeyBytes) return 0;
  std::vector<const IndexEntry*> candidates;
  if (IsAllKana(key))
    if (const IndexEntry* e = FindIndex(0x70)) candidates.push_back(e);
  for (uint8_t id : {0x71, 0x72})
    if (const IndexEntry* e = FindIndex(id)) candidates.push_back(e);
  if (FindIndex(0x70) == nullptr && candidates.empty()) return 0;
  SearchCandidates(candidates, key, false);
  return SortResult(false);
}
