#include "bookwriter/sebxa_writer.h"

#include <algorithm>
#include <array>

#include "bookwriter/big_endian.h"

namespace {

constexpr size_t kPage = 2048;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
// Ring position of slice offset 0; a copy from offset kRingStart (ring
// position 4060) reads the ring's still-unwritten tail.
constexpr int kRingStart = 4078;
constexpr int kHashSize = 4096;
constexpr int kChainLimit = 64;

constexpr uint8_t kTextId = 0x00, kDataId = 0x21, kIndexId = 0x22;
constexpr size_t kTableHeader = 16, kTableEntry = 16;

void Fail(std::string* error, const std::string& message) {
  if (error != nullptr) *error = message;
}

int Hash3(const uint8_t* p) { return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1); }

// Longest copy at `i` for the slice `s`: back-references into bytes
// already produced (found through hash chains), or zeros from the ring's
// untouched part. Returns {length, source offset}.
struct CMatcher {
  const uint8_t* s;
  std::array<int16_t, kHashSize> head;
  std::array<int16_t, kSebxaSliceSize> prev;

  explicit CMatcher(const uint8_t* slice) : s(slice) {
    head.fill(-1);
    prev.fill(-1);
  }
  void Insert(int i) {
    if (i + kMinMatch > static_cast<int>(kSebxaSliceSize)) return;
    int h = Hash3(s + i);
    prev[i] = head[h];
    head[h] = static_cast<int16_t>(i);
  }
  std::pair<int, int> Find(int i) const {
    const int limit = std::min<int>(kMaxMatch, kSebxaSliceSize - i);
    int bestLen = 0, bestSrc = 0;
    if (i <= kRingStart) {
      int zeros = 0;
      while (zeros < limit && s[i + zeros] == 0) ++zeros;
      if (zeros >= kMinMatch) bestLen = zeros, bestSrc = kRingStart;
    }
    if (limit < kMinMatch) return {bestLen, bestSrc};
    int chain = 0;
    for (int j = head[Hash3(s + i)]; j >= 0 && chain < kChainLimit && bestLen < limit; j = prev[j], ++chain) {
      int len = 0;
      while (len < limit && s[j + len] == s[i + len]) ++len;
      if (len > bestLen) bestLen = len, bestSrc = j;
    }
    return {bestLen, bestSrc};
  }
};

}  // namespace

void LzssCompressSlice(std::span<const uint8_t> slice, std::vector<uint8_t>& out) {
  std::array<uint8_t, kSebxaSliceSize> s{};
  std::copy_n(slice.begin(), std::min(slice.size(), kSebxaSliceSize), s.begin());
  CMatcher matcher(s.data());
  size_t flagAt = 0;
  int bit = 8;
  for (int i = 0; i < static_cast<int>(kSebxaSliceSize);) {
    if (bit == 8) {
      flagAt = out.size();
      out.push_back(0);
      bit = 0;
    }
    auto [length, source] = matcher.Find(i);
    if (length >= kMinMatch) {
      int r = (source + kRingStart) & 0xFFF;
      out.push_back(static_cast<uint8_t>(r));
      out.push_back(static_cast<uint8_t>((r >> 8) << 4 | (length - kMinMatch)));
    } else {
      length = 1;
      out[flagAt] |= static_cast<uint8_t>(1 << bit);
      out.push_back(s[i]);
    }
    for (int k = 0; k < length; ++k) matcher.Insert(i + k);
    i += length;
    ++bit;
  }
}

SebxaText SebxaCompressText(std::span<const uint8_t> text) {
  SebxaText result;
  for (size_t at = 0; at < text.size(); at += kSebxaSliceSize) {
    LzssCompressSlice(text.subspan(at, std::min(kSebxaSliceSize, text.size() - at)), result.data);
    AppendBE32(result.index, static_cast<uint32_t>(result.data.size()));
  }
  return result;
}

namespace {

void AppendPages(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
  out.resize((out.size() + kPage - 1) / kPage * kPage, 0);
}

// Points the table entry `id` at [start, start + count), adding the entry
// when the table has none.
bool SetTableEntry(uint8_t* table, uint8_t id, uint32_t start, uint32_t count) {
  uint32_t entries = GetBE16(table);
  if (entries > (kPage - kTableHeader) / kTableEntry) return false;
  uint32_t slot = entries;
  for (uint32_t e = 0; e < entries; ++e)
    if (table[kTableHeader + e * kTableEntry] == id) slot = e;
  if (kTableHeader + (slot + 1) * kTableEntry > kPage) return false;
  uint8_t* entry = table + kTableHeader + slot * kTableEntry;
  std::fill_n(entry, kTableEntry, uint8_t{0});
  entry[0] = id;
  PutBE32(entry + 2, start);
  PutBE32(entry + 6, count);
  if (slot == entries) PutBE16(table, entries + 1);
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> SebxaCompressStart(std::span<const uint8_t> start, std::string* error) {
  if (start.size() < kPage || start.size() > 0x7FFFFFFFu) {
    Fail(error, "START image must hold its index table page (and be under 2 GB)");
    return std::nullopt;
  }
  const uint64_t pages = (start.size() + kPage - 1) / kPage;
  const uint32_t entries = std::min<uint32_t>(GetBE16(start.data()), (kPage - kTableHeader) / kTableEntry);
  uint64_t textStart = 0, textCount = 0;
  for (uint32_t e = 0; e < entries && textStart == 0; ++e) {
    const uint8_t* entry = start.data() + kTableHeader + e * kTableEntry;
    if (entry[0] == kTextId) textStart = GetBE32(entry + 2), textCount = GetBE32(entry + 6);
  }
  if (textStart < 2 || textCount == 0 || textStart + textCount - 1 > pages) {
    Fail(error, "index table has no text area (0x00) inside the image after page 1");
    return std::nullopt;
  }
  const uint64_t textEnd = textStart + textCount - 1;  // last text page
  const size_t textFrom = (textStart - 1) * kPage;
  const size_t textTo = std::min<size_t>(textEnd * kPage, start.size());
  SebxaText packed = SebxaCompressText(start.subspan(textFrom, textTo - textFrom));
  const uint64_t indexPages = (packed.index.size() + kPage - 1) / kPage;
  const uint64_t dataPages = (packed.data.size() + kPage - 1) / kPage;

  std::vector<uint8_t> out(start.begin(), start.begin() + textFrom);
  uint64_t indexStart;
  if (indexPages + dataPages <= textCount) {
    indexStart = textStart;
    AppendPages(out, packed.index);
    AppendPages(out, packed.data);
    if (textEnd < pages) {
      out.resize(textEnd * kPage, 0);
      out.insert(out.end(), start.begin() + textEnd * kPage, start.end());
    }
  } else {
    out.resize(textTo, 0);
    out.insert(out.end(), start.begin() + textTo, start.end());
    out.resize(pages * kPage, 0);
    indexStart = pages + 1;
    AppendPages(out, packed.index);
    AppendPages(out, packed.data);
  }
  if (!SetTableEntry(out.data(), kIndexId, static_cast<uint32_t>(indexStart), static_cast<uint32_t>(indexPages)) ||
      !SetTableEntry(out.data(), kDataId, static_cast<uint32_t>(indexStart + indexPages),
                     static_cast<uint32_t>(dataPages))) {
    Fail(error, "index table is full");
    return std::nullopt;
  }
  return out;
}
