#include "storage/huffman_tree.h"

#include <cstdint>
#include <queue>
#include <utility>

#include "storage/byte_order.h"

bool ParseFrequencyTable(const uint8_t* table, size_t size, bool withQuads, std::vector<HuffmanNode>& nodes) {
  nodes.clear();
  size_t quads = 0, pairs = 0;
  if (withQuads) {
    if (size < kMinFrequencyTableWithQuads) return false;
    quads = (size - kMinFrequencyTableWithQuads) / 6;
    pairs = 1024;
  } else {
    if (size < kMinFrequencyTable) return false;
    pairs = (size - kMinFrequencyTable) / 4;
  }
  // Node indexes are 32-bit; no real table comes near this.
  if (quads + pairs > (static_cast<size_t>(INT32_MAX) - 513) / 2) return false;
  nodes.reserve(2 * (quads + pairs) + 513);
  const uint8_t* p = table;
  for (size_t i = 0; i < quads; ++i, p += 6) {
    HuffmanNode n;
    n.type = kHuffmanByte4;
    for (int k = 0; k < 4; ++k) n.value[k] = p[k];
    n.weight = LoadBE16(p + 4);
    nodes.push_back(n);
  }
  for (size_t i = 0; i < pairs; ++i, p += 4) {
    HuffmanNode n;
    n.type = kHuffmanByte2;
    n.value[0] = p[0];
    n.value[1] = p[1];
    n.weight = LoadBE16(p + 2);
    nodes.push_back(n);
  }
  for (int i = 0; i < 256; ++i, p += 2) {
    HuffmanNode n;
    n.type = kHuffmanByte1;
    n.value[0] = static_cast<uint8_t>(i);
    n.weight = LoadBE16(p);
    nodes.push_back(n);
  }
  HuffmanNode end;
  end.type = kHuffmanEnd;
  end.weight = 1;
  nodes.push_back(end);
  return true;
}

namespace {

// Replays "for each i, swap in the first largest of i..n-1" with a segment
// tree holding, per range, the position of its first largest weight.
class CMaxTree {
 public:
  explicit CMaxTree(const std::vector<HuffmanNode>& nodes) : m_nodes(nodes) {
    while (m_width < nodes.size()) m_width *= 2;
    m_tree.assign(2 * m_width, kNone);
    for (size_t i = 0; i < nodes.size(); ++i) m_tree[m_width + i] = i;
    for (size_t i = m_width - 1; i >= 1; --i) m_tree[i] = Better(m_tree[2 * i], m_tree[2 * i + 1]);
  }
  void Update(size_t pos) {
    for (size_t i = (m_width + pos) / 2; i >= 1; i /= 2) m_tree[i] = Better(m_tree[2 * i], m_tree[2 * i + 1]);
  }
  // First position of the largest weight in [from, end).
  size_t Query(size_t from) const {
    size_t best = kNone;
    size_t lo = from + m_width, hi = m_nodes.size() + m_width;  // [lo, hi)
    size_t right[64];  // one per tree level at most
    size_t rightCount = 0;
    while (lo < hi) {
      if (lo & 1) best = Better(best, m_tree[lo++]);
      if (hi & 1) right[rightCount++] = m_tree[--hi];
      lo /= 2;
      hi /= 2;
    }
    while (rightCount > 0) best = Better(best, right[--rightCount]);
    return best;
  }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);
  // The left operand always lies before the right one, so on equal weights
  // it is the one kept.
  size_t Better(size_t a, size_t b) const {
    if (a == kNone) return b;
    if (b == kNone) return a;
    return m_nodes[b].weight > m_nodes[a].weight ? b : a;
  }
  const std::vector<HuffmanNode>& m_nodes;
  size_t m_width = 1;
  std::vector<size_t> m_tree;
};

void SortLeaves(std::vector<HuffmanNode>& nodes) {
  if (nodes.size() < 2) return;
  CMaxTree tree(nodes);
  for (size_t i = 0; i + 1 < nodes.size(); ++i) {
    size_t j = tree.Query(i);
    if (j == i) continue;
    std::swap(nodes[i], nodes[j]);
    tree.Update(i);
    tree.Update(j);
  }
}

}  // namespace

int BuildHuffmanTree(std::vector<HuffmanNode>& nodes) {
  if (nodes.empty()) return -1;
  SortLeaves(nodes);
  // Smallest weight on top; among equal weights the later node.
  using Live = std::pair<uint64_t, int32_t>;
  auto after = [](const Live& a, const Live& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  };
  std::priority_queue<Live, std::vector<Live>, decltype(after)> live(after);
  for (size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].weight != 0) live.push({nodes[i].weight, static_cast<int32_t>(i)});
  while (live.size() >= 2) {
    Live n1 = live.top();
    live.pop();
    Live n2 = live.top();
    live.pop();
    HuffmanNode inner;
    inner.type = kHuffmanInner;
    inner.left = n1.second;
    inner.right = n2.second;
    inner.weight = n1.first + n2.first;
    nodes[n1.second].weight = 0;
    nodes[n2.second].weight = 0;
    nodes.push_back(inner);
    live.push({inner.weight, static_cast<int32_t>(nodes.size() - 1)});
  }
  return static_cast<int>(nodes.size() - 1);
}
