#include "bookwriter/huffman_writer.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>

#include "bookwriter/big_endian.h"

namespace {

constexpr size_t kPage = 2048;
constexpr size_t kHeaderSize = 32;
constexpr size_t kRecordPages = 16;
constexpr size_t kRecordSize = 4 + 2 * kRecordPages;
constexpr int kKind4TwoByteLeaves = 1024;
constexpr int kMaxLeafOption = 8192;
// Four-byte candidates are counted on a prefix of the data: enough to find
// the common ones, and a hash map over a whole 64 MB file would be slow.
constexpr size_t kFourGramSample = 4u << 20;

void Fail(std::string* error, const std::string& message) {
  if (error != nullptr) *error = message;
}

// The leaves of the frequency table. A symbol is a leaf's place in table
// order: four-byte leaves, two-byte leaves, the 256 byte values, end of page.
class CLeafSet {
 public:
  std::vector<uint32_t> m_four;
  std::vector<uint16_t> m_two;

  void Index() {
    m_twoSymbol.assign(65536, -1);
    m_fourPrefix.assign(65536, false);
    m_fourSymbol.clear();
    for (size_t i = 0; i < m_four.size(); ++i) {
      m_fourSymbol.emplace(m_four[i], static_cast<int>(i));
      m_fourPrefix[m_four[i] >> 16] = true;
    }
    for (size_t i = 0; i < m_two.size(); ++i) m_twoSymbol[m_two[i]] = static_cast<int>(m_four.size() + i);
  }
  int SymbolCount() const { return static_cast<int>(m_four.size() + m_two.size()) + 257; }
  int ByteSymbol(uint8_t b) const { return static_cast<int>(m_four.size() + m_two.size()) + b; }
  int EndSymbol() const { return SymbolCount() - 1; }

  // Longest leaf at p[0..avail): returns its symbol and length.
  std::pair<int, int> Match(const uint8_t* p, size_t avail) const {
    if (avail >= 2) {
      uint32_t pair = static_cast<uint32_t>(p[0]) << 8 | p[1];
      if (avail >= 4 && m_fourPrefix[pair]) {
        auto it = m_fourSymbol.find(GetBE32(p));
        if (it != m_fourSymbol.end()) return {it->second, 4};
      }
      if (m_twoSymbol[pair] >= 0) return {m_twoSymbol[pair], 2};
    }
    return {ByteSymbol(p[0]), 1};
  }

 private:
  std::vector<int> m_twoSymbol;
  std::vector<bool> m_fourPrefix;
  std::unordered_map<uint32_t, int> m_fourSymbol;
};

// Bytes of page `k` up to its last non-zero byte: the rest need no code.
size_t CodedLength(std::span<const uint8_t> data, size_t k) {
  size_t begin = k * kPage, n = std::min(kPage, data.size() - begin);
  while (n > 0 && data[begin + n - 1] == 0) --n;
  return n;
}

template <typename Emit>
void ParsePage(const uint8_t* p, size_t n, const CLeafSet& leaves, Emit emit) {
  for (size_t i = 0; i < n;) {
    auto [symbol, length] = leaves.Match(p + i, n - i);
    emit(symbol);
    i += length;
  }
}

// Keeps the `limit` values counted most often (at least `minCount` times),
// most frequent first, ties by value so that the result is reproducible.
template <typename Value>
std::vector<Value> TopValues(std::vector<std::pair<uint64_t, Value>> counted, int limit, uint64_t minCount) {
  std::erase_if(counted, [&](const auto& c) { return c.first < minCount; });
  std::sort(counted.begin(), counted.end(),
            [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
  if (counted.size() > static_cast<size_t>(limit)) counted.resize(limit);
  std::vector<Value> values;
  for (const auto& c : counted) values.push_back(c.second);
  return values;
}

std::vector<uint32_t> ChooseFourByteLeaves(std::span<const uint8_t> data, size_t pages, int limit) {
  if (limit == 0) return {};
  std::unordered_map<uint32_t, uint64_t> counts;
  for (size_t k = 0; k < pages && k * kPage < kFourGramSample; ++k) {
    size_t n = CodedLength(data, k);
    const uint8_t* p = data.data() + k * kPage;
    for (size_t i = 0; i + 4 <= n; i += 2) ++counts[GetBE32(p + i)];
  }
  std::vector<std::pair<uint64_t, uint32_t>> counted;
  for (const auto& [value, count] : counts) counted.emplace_back(count, value);
  return TopValues(std::move(counted), limit, 3);
}

// Two-byte leaves are counted where the four-byte leaves already chosen
// leave the text uncovered.
std::vector<uint16_t> ChooseTwoByteLeaves(std::span<const uint8_t> data, size_t pages, const CLeafSet& four, int limit) {
  std::vector<uint64_t> counts(65536, 0);
  for (size_t k = 0; k < pages; ++k) {
    size_t n = CodedLength(data, k);
    const uint8_t* p = data.data() + k * kPage;
    for (size_t i = 0; i < n;) {
      auto [symbol, length] = four.Match(p + i, n - i);
      if (length == 4) {
        i += 4;
        continue;
      }
      if (i + 1 < n) ++counts[static_cast<uint32_t>(p[i]) << 8 | p[i + 1]];
      ++i;
    }
  }
  std::vector<std::pair<uint64_t, uint16_t>> counted;
  for (uint32_t v = 0; v < 65536; ++v)
    if (counts[v] != 0) counted.emplace_back(counts[v], static_cast<uint16_t>(v));
  return TopValues(std::move(counted), limit, 2);
}

// Frequencies of the symbols in the final parse, scaled into 16 bits with
// every used symbol kept at 1 or more.
std::vector<uint32_t> CountFrequencies(std::span<const uint8_t> data, size_t pages, const CLeafSet& leaves) {
  std::vector<uint64_t> counts(leaves.SymbolCount(), 0);
  for (size_t k = 0; k < pages; ++k)
    ParsePage(data.data() + k * kPage, CodedLength(data, k), leaves, [&](int s) { ++counts[s]; });
  counts[leaves.EndSymbol()] = 0;
  uint64_t most = *std::max_element(counts.begin(), counts.end());
  std::vector<uint32_t> freq(counts.size(), 0);
  for (size_t s = 0; s < counts.size(); ++s) {
    if (counts[s] == 0) continue;
    freq[s] = most <= 65535 ? static_cast<uint32_t>(counts[s])
                            : static_cast<uint32_t>(std::max<uint64_t>(1, counts[s] * 65535 / most));
  }
  // A tree needs two live leaves besides nothing: with only the end leaf
  // alive no pairing happens and the root would be an unused leaf.
  if (std::all_of(freq.begin(), freq.end(), [](uint32_t f) { return f == 0; })) freq[leaves.ByteSymbol(0)] = 1;
  freq[leaves.EndSymbol()] = 1;
  return freq;
}

struct Code {
  uint64_t bits = 0;
  int length = 0;
};

// Rebuilds the reader's tree from the table's frequencies (in table order)
// and returns each symbol's code; unused symbols get length 0.
std::optional<std::vector<Code>> BuildCodes(const std::vector<uint32_t>& freq) {
  struct Node {
    int left = -1, right = -1, symbol = -1;
    uint64_t weight = 0;
  };
  std::vector<Node> nodes;
  for (size_t s = 0; s < freq.size(); ++s) nodes.push_back({-1, -1, static_cast<int>(s), freq[s]});
  for (size_t i = 0; i + 1 < nodes.size(); ++i) {
    size_t best = i;
    for (size_t j = i + 1; j < nodes.size(); ++j)
      if (nodes[j].weight > nodes[best].weight) best = j;
    std::swap(nodes[i], nodes[best]);
  }
  // Live nodes ordered by weight, then by table position from the last:
  // the first is the smallest weight, the last of equal ones in the table.
  // A new inner node is last in the table, so it wins ties from then on.
  std::set<std::pair<uint64_t, int>> live;
  for (int j = 0; j < static_cast<int>(nodes.size()); ++j)
    if (nodes[j].weight != 0) live.emplace(nodes[j].weight, -j);
  while (live.size() >= 2) {
    int n1 = -live.begin()->second;
    live.erase(live.begin());
    int n2 = -live.begin()->second;
    live.erase(live.begin());
    nodes.push_back({n1, n2, -1, nodes[n1].weight + nodes[n2].weight});
    live.emplace(nodes.back().weight, -static_cast<int>(nodes.size() - 1));
  }
  std::vector<Code> codes(freq.size());
  std::vector<std::pair<int, Code>> stack{{static_cast<int>(nodes.size()) - 1, Code{}}};
  while (!stack.empty()) {
    auto [n, code] = stack.back();
    stack.pop_back();
    if (nodes[n].symbol >= 0) {
      codes[nodes[n].symbol] = code;
      continue;
    }
    if (code.length >= 64) return std::nullopt;
    stack.push_back({nodes[n].left, Code{code.bits << 1 | 1, code.length + 1}});
    stack.push_back({nodes[n].right, Code{code.bits << 1, code.length + 1}});
  }
  return codes;
}

class CBitWriter {
 public:
  explicit CBitWriter(std::vector<uint8_t>& out) : m_out(out) {}
  void Put(Code code) {
    for (int len = code.length; len > 0;) {
      int take = std::min(len, 32);
      m_acc = m_acc << take | ((code.bits >> (len - take)) & ((1ull << take) - 1));
      m_bits += take;
      len -= take;
      for (; m_bits >= 8; m_bits -= 8) m_out.push_back(static_cast<uint8_t>(m_acc >> (m_bits - 8)));
      m_acc &= (1ull << m_bits) - 1;
    }
  }
  void Flush() {
    if (m_bits > 0) m_out.push_back(static_cast<uint8_t>(m_acc << (8 - m_bits)));
    m_acc = 0;
    m_bits = 0;
  }

 private:
  std::vector<uint8_t>& m_out;
  uint64_t m_acc = 0;
  int m_bits = 0;
};

void WriteFrequencyTable(const CLeafSet& leaves, const std::vector<uint32_t>& freq, std::vector<uint8_t>& out) {
  int s = 0;
  for (uint32_t v : leaves.m_four) {
    AppendBE32(out, v);
    AppendBE16(out, freq[s++]);
  }
  for (uint16_t v : leaves.m_two) {
    AppendBE16(out, v);
    AppendBE16(out, freq[s++]);
  }
  for (int b = 0; b < 256; ++b) AppendBE16(out, freq[s++]);
}

}  // namespace

std::optional<std::vector<uint8_t>> EpwingHuffmanCompress(std::span<const uint8_t> data, const HuffmanOptions& options,
                                                          std::string* error) {
  const bool flagged = options.kind == 4;
  if (options.kind != 3 && options.kind != 4) {
    Fail(error, "Huffman kind must be 3 or 4");
    return std::nullopt;
  }
  if (options.maxTwoByteLeaves < 0 || options.maxTwoByteLeaves > kMaxLeafOption || options.maxFourByteLeaves < 0 ||
      options.maxFourByteLeaves > kMaxLeafOption) {
    Fail(error, "leaf counts must be 0 to " + std::to_string(kMaxLeafOption));
    return std::nullopt;
  }
  if (data.size() > 0xF0000000u) {
    Fail(error, "file too large");
    return std::nullopt;
  }
  const size_t pages = (data.size() + kPage - 1) / kPage;

  CLeafSet leaves;
  if (flagged) leaves.m_four = ChooseFourByteLeaves(data, pages, options.maxFourByteLeaves);
  leaves.Index();
  leaves.m_two = ChooseTwoByteLeaves(data, pages, leaves, flagged ? std::min(options.maxTwoByteLeaves, kKind4TwoByteLeaves) : options.maxTwoByteLeaves);
  // The kind-4 table always has 1024 two-byte slots; unused ones have
  // frequency 0 and stay out of the tree.
  if (flagged) leaves.m_two.resize(kKind4TwoByteLeaves, 0);
  // Padding slots repeat 0x0000; the lookup settles on one of them and the
  // counting and coding below both go through the same lookup.
  leaves.Index();
  std::vector<uint32_t> freq = CountFrequencies(data, pages, leaves);
  std::optional<std::vector<Code>> codes = BuildCodes(freq);
  if (!codes) {
    Fail(error, "Huffman code longer than 64 bits");
    return std::nullopt;
  }

  std::vector<uint8_t> table;
  WriteFrequencyTable(leaves, freq, table);
  const size_t records = (pages + kRecordPages - 1) / kRecordPages;
  const size_t indexAt = kHeaderSize, tableAt = indexAt + records * kRecordSize, dataAt = tableAt + table.size();
  std::vector<uint8_t> out(dataAt, 0);
  PutBE32(&out[0], static_cast<uint32_t>(indexAt));
  PutBE32(&out[4], static_cast<uint32_t>(records * kRecordSize));
  PutBE32(&out[8], static_cast<uint32_t>(tableAt));
  PutBE32(&out[12], static_cast<uint32_t>(table.size()));
  PutBE32(&out[16], static_cast<uint32_t>(dataAt));
  if (!flagged && options.signature) PutBE32(&out[28], 0xFFFFEDFFu);
  std::copy(table.begin(), table.end(), out.begin() + tableAt);

  std::vector<uint8_t> code, page(kPage);
  for (size_t k = 0; k < pages; ++k) {
    uint8_t* record = &out[indexAt + (k / kRecordPages) * kRecordSize];
    if (k % kRecordPages == 0) PutBE32(record, static_cast<uint32_t>(out.size()));
    uint64_t offset = out.size() - GetBE32(record);
    if (offset > 0xFFFF || out.size() > 0xFFFFFFFFu) {
      Fail(error, "page " + std::to_string(k + 1) + " starts too far from its index record");
      return std::nullopt;
    }
    PutBE16(record + 4 + 2 * (k % kRecordPages), static_cast<uint32_t>(offset));

    size_t n = CodedLength(data, k);
    code.clear();
    CBitWriter bits(code);
    ParsePage(data.data() + k * kPage, n, leaves, [&](int s) { bits.Put((*codes)[s]); });
    if (n < kPage || options.endLeafOnFullPage) bits.Put((*codes)[leaves.EndSymbol()]);
    bits.Flush();
    if (flagged) {
      bool raw = code.size() >= kPage || (options.forceRaw && options.forceRaw(static_cast<uint32_t>(k + 1)));
      out.push_back(raw ? 1 : 0);
      if (raw) {
        size_t begin = k * kPage, len = std::min(kPage, data.size() - begin);
        std::fill(std::copy_n(data.begin() + begin, len, page.begin()), page.end(), uint8_t{0});
        code = page;
      }
    }
    out.insert(out.end(), code.begin(), code.end());
  }
  return out;
}
