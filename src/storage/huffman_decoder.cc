// CHuffmanDecoder; see huffman_decoder.h.
//
// Bits are kept in a 64-bit buffer, the next bit of the stream in its top
// bit. A refill tops it up to at least 56 bits with one unaligned load
// while eight input bytes are at hand, else byte by byte; bits below the
// count may already hold the bytes that follow, which the next refill
// writes again unchanged. Past the end of the input the buffer holds zeros,
// so a lookup there still lands on an entry; its bit count, larger than
// what is left, tells that the code was cut off.
#include "storage/huffman_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Subtables may take at most this many entries per node of the tree, on
// top of the root table: the tables stay in proportion to the frequency
// table, whatever shape it gives the tree.
constexpr size_t kEntriesPerNode = 8;

uint64_t LoadBE64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return __builtin_bswap64(v);
}

}  // namespace

class CHuffmanDecoder::CBits {
 public:
  explicit CBits(CCodeSource& source) : m_source(source) {}

  uint64_t Peek() const { return m_buf; }
  int Count() const { return m_count; }
  void Skip(int n) {  // n <= Count() < 64
    m_buf <<= n;
    m_count -= n;
  }

  // Brings the count to 56 or more, unless the input ends first.
  void Refill() {
    while (m_count < 56) {
      if (m_end - m_p >= 8) {
        m_buf |= LoadBE64(m_p) >> m_count;
        m_p += (63 - m_count) >> 3;
        m_count |= 56;
        return;
      }
      if (m_p == m_end && !NextBlock()) return;
      m_buf |= uint64_t{*m_p++} << (56 - m_count);
      m_count += 8;
    }
  }

 private:
  bool NextBlock() {
    size_t size = 0;
    if (m_done || !m_source.NextBlock(&m_p, &size) || m_p == nullptr || size == 0) {
      m_done = true;
      m_p = m_end = nullptr;
      return false;
    }
    m_end = m_p + size;
    return true;
  }

  CCodeSource& m_source;
  const uint8_t* m_p = nullptr;
  const uint8_t* m_end = nullptr;
  uint64_t m_buf = 0;
  int m_count = 0;
  bool m_done = false;
};

void CHuffmanDecoder::Clear() {
  std::vector<Entry>().swap(m_table);
  std::vector<Node>().swap(m_nodes);
}

bool CHuffmanDecoder::Build(const std::vector<HuffmanNode>& nodes, int root) {
  Clear();
  if (root < 0 || static_cast<size_t>(root) >= nodes.size()) return false;
  // Children come before their parents, so one pass in table order checks
  // the links and measures every subtree's height.
  std::vector<Node> tree(nodes.size());
  std::vector<uint8_t> height(nodes.size(), 0);
  for (size_t i = 0; i < nodes.size(); ++i) {
    const HuffmanNode& n = nodes[i];
    Node& t = tree[i];
    if (n.type == kHuffmanInner) {
      if (n.left < 0 || n.right < 0 || static_cast<size_t>(n.left) >= i || static_cast<size_t>(n.right) >= i)
        return false;
      t.child[1] = n.left;
      t.child[0] = n.right;
      int h = 1 + std::max(height[static_cast<size_t>(n.left)], height[static_cast<size_t>(n.right)]);
      height[i] = static_cast<uint8_t>(std::min(h, 255));
    } else {
      int length = HuffmanValueLength(n.type);
      if (n.type != kHuffmanEnd && length == 0) return false;
      t.leaf.kind = static_cast<uint8_t>(length);
      std::memcpy(&t.leaf.data, n.value, 4);
      if (length < 4) std::memset(reinterpret_cast<uint8_t*>(&t.leaf.data) + length, 0, 4 - static_cast<size_t>(length));
    }
  }
  m_nodes = std::move(tree);

  const size_t budget = (size_t{1} << kRootBits) + kEntriesPerNode * nodes.size();
  m_table.assign(size_t{1} << kRootBits, Entry());
  std::vector<size_t> pending;  // entries standing for an inner node
  FillTable(0, kRootBits, root, pending);
  for (size_t i = 0; i < pending.size(); ++i) {
    Entry& e = m_table[pending[i]];
    int32_t node = static_cast<int32_t>(e.data);
    int width = std::min<int>(height[static_cast<size_t>(node)], kSubBits);
    size_t start = m_table.size();
    if (start + (size_t{1} << width) > budget) continue;  // stays a walk
    e.kind = kSub;
    e.data = static_cast<uint32_t>(start);
    e.width = static_cast<uint8_t>(width);
    m_table.resize(start + (size_t{1} << width));
    FillTable(start, width, node, pending);
  }
  return true;
}

// Fills the table of 2^width entries at `start` for the subtree at `node`:
// a leaf at depth d takes the 2^(width-d) entries its code prefixes; an
// inner node at depth `width` becomes a walk entry, listed in `pending`.
void CHuffmanDecoder::FillTable(size_t start, int width, int32_t node, std::vector<size_t>& pending) {
  struct Step {
    int32_t node;
    int depth;
    uint32_t prefix;
  };
  std::vector<Step> stack = {{node, 0, 0}};
  while (!stack.empty()) {
    Step s = stack.back();
    stack.pop_back();
    const Node& n = m_nodes[static_cast<size_t>(s.node)];
    if (n.child[0] < 0) {
      Entry e = n.leaf;
      e.bits = static_cast<uint8_t>(s.depth);
      size_t first = start + (size_t{s.prefix} << (width - s.depth));
      std::fill_n(m_table.begin() + static_cast<std::ptrdiff_t>(first), size_t{1} << (width - s.depth), e);
    } else if (s.depth == width) {
      Entry& e = m_table[start + s.prefix];
      e.kind = kWalk;
      e.data = static_cast<uint32_t>(s.node);
      e.bits = static_cast<uint8_t>(width);
      pending.push_back(start + s.prefix);
    } else {
      stack.push_back({n.child[0], s.depth + 1, s.prefix << 1});
      stack.push_back({n.child[1], s.depth + 1, s.prefix << 1 | 1});
    }
  }
}

// Follows a subtable or walk entry to its leaf, consuming the code's bits.
// False when the input ends inside the code.
bool CHuffmanDecoder::DecodeLong(CBits& bits, Entry e, Entry* leaf) const {
  while (e.kind == kSub) {
    if (bits.Count() < e.bits + e.width) bits.Refill();
    if (bits.Count() < e.bits) return false;
    bits.Skip(e.bits);
    e = m_table[e.data + (bits.Peek() >> (64 - e.width))];
  }
  if (bits.Count() < e.bits) bits.Refill();
  if (bits.Count() < e.bits) return false;
  bits.Skip(e.bits);
  if (e.kind != kWalk) {
    *leaf = e;
    return true;
  }
  const Node* n = &m_nodes[e.data];
  while (n->child[0] >= 0) {
    if (bits.Count() == 0) {
      bits.Refill();
      if (bits.Count() == 0) return false;
    }
    n = &m_nodes[static_cast<size_t>(n->child[bits.Peek() >> 63])];
    bits.Skip(1);
  }
  *leaf = n->leaf;
  return true;
}

size_t CHuffmanDecoder::Decode(CCodeSource& source, uint8_t* out, size_t size) const {
  size_t produced = 0;
  if (!m_table.empty()) {
    CBits bits(source);
    const Entry* root = m_table.data();
    while (produced < size) {
      if (bits.Count() < kRootBits) bits.Refill();
      Entry e = root[bits.Peek() >> (64 - kRootBits)];
      if (e.kind <= 4) {
        if (e.bits > bits.Count()) break;  // code cut off by the end of the input
        bits.Skip(e.bits);
      } else if (!DecodeLong(bits, e, &e)) {
        break;
      }
      if (e.kind == kEnd) break;
      if (produced + 4 <= size) {
        // Unused value bytes are zero, and the next leaf writes over them.
        std::memcpy(out + produced, &e.data, 4);
        produced += e.kind;
      } else {
        size_t n = std::min<size_t>(e.kind, size - produced);
        std::memcpy(out + produced, &e.data, n);
        produced += n;
      }
    }
  }
  std::memset(out + produced, 0, size - produced);
  return produced;
}
