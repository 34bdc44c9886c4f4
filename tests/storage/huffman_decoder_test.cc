// The table decoder against a plain bit-by-bit walk of the same tree: codes
// of every length around the table widths and far past 64 bits, trees too
// bushy for the table budget, input cut anywhere, pages cut inside a leaf,
// input handed over in blocks of any size, and node tables that are no tree.
#include "storage/huffman_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Hands over a byte string in blocks of `block` bytes.
class CMemorySource : public CCodeSource {
 public:
  CMemorySource(const std::vector<uint8_t>& bytes, size_t block) : m_bytes(bytes), m_block(block) {}
  bool NextBlock(const uint8_t** data, size_t* size) override {
    if (m_at >= m_bytes.size()) return false;
    *data = m_bytes.data() + m_at;
    *size = std::min(m_block, m_bytes.size() - m_at);
    m_at += *size;
    return true;
  }

 private:
  const std::vector<uint8_t>& m_bytes;
  size_t m_block;
  size_t m_at = 0;
};

// The decoding the tables replace: one bit, one step down the tree.
std::vector<uint8_t> WalkDecode(const std::vector<HuffmanNode>& nodes, int root, const std::vector<uint8_t>& in,
                                size_t size) {
  std::vector<uint8_t> out;
  size_t bit = 0;
  while (out.size() < size) {
    int n = root;
    while (nodes[n].type == kHuffmanInner) {
      if (bit == in.size() * 8) return out;
      n = (in[bit / 8] >> (7 - bit % 8)) & 1 ? nodes[n].left : nodes[n].right;
      ++bit;
    }
    if (nodes[n].type == kHuffmanEnd) break;
    for (int i = 0; i < HuffmanValueLength(nodes[n].type) && out.size() < size; ++i) out.push_back(nodes[n].value[i]);
  }
  return out;
}

std::vector<uint8_t> TableDecode(const CHuffmanDecoder& decoder, const std::vector<uint8_t>& in, size_t size,
                                 size_t block = 4096) {
  std::vector<uint8_t> out(size, 0xA5);
  CMemorySource source(in, block);
  size_t produced = decoder.Decode(source, out.data(), size);
  // The rest of the page is zero.
  for (size_t i = produced; i < size; ++i)
    if (out[i] != 0) ADD_FAILURE() << "byte " << i << " past the " << produced << " produced is " << int(out[i]);
  out.resize(produced);
  return out;
}

HuffmanNode Leaf(uint8_t type, uint32_t value) {
  HuffmanNode n;
  n.type = type;
  for (int i = 0; i < 4; ++i) n.value[i] = static_cast<uint8_t>(value >> (8 * i));
  return n;
}

HuffmanNode Inner(int left, int right) {
  HuffmanNode n;
  n.type = kHuffmanInner;
  n.left = left;
  n.right = right;
  return n;
}

// A lopsided tree with one leaf at every depth from 1 to `depth` (two at
// the bottom), the sides alternating so that codes mix ones and zeros.
// Leaf k (0-based) has a code of k + 1 bits; the last leaf ends the page.
int ChainTree(std::vector<HuffmanNode>& nodes, int depth) {
  nodes.clear();
  const uint8_t types[] = {kHuffmanByte1, kHuffmanByte2, kHuffmanByte4};
  for (int k = 0; k < depth; ++k) nodes.push_back(Leaf(types[k % 3], 0x01020304u * static_cast<uint32_t>(k + 1)));
  nodes.push_back(Leaf(kHuffmanEnd, 0));
  int below = depth;  // the end leaf, deepest
  for (int k = depth - 1; k >= 0; --k) {
    nodes.push_back(k % 2 ? Inner(k, below) : Inner(below, k));
    below = static_cast<int>(nodes.size()) - 1;
  }
  return below;
}

// Bits of each leaf's code, by walking the tree.
std::vector<std::vector<int>> Codes(const std::vector<HuffmanNode>& nodes, int root) {
  std::vector<std::vector<int>> codes(nodes.size());
  std::vector<std::pair<int, std::vector<int>>> stack = {{root, {}}};
  while (!stack.empty()) {
    auto [n, code] = stack.back();
    stack.pop_back();
    if (nodes[n].type != kHuffmanInner) {
      codes[n] = code;
      continue;
    }
    auto one = code, zero = code;
    one.push_back(1);
    zero.push_back(0);
    stack.push_back({nodes[n].left, one});
    stack.push_back({nodes[n].right, zero});
  }
  return codes;
}

std::vector<uint8_t> Encode(const std::vector<std::vector<int>>& codes, const std::vector<int>& leaves) {
  std::vector<uint8_t> out;
  size_t bit = 0;
  for (int leaf : leaves) {
    for (int b : codes[leaf]) {
      if (bit % 8 == 0) out.push_back(0);
      if (b) out.back() |= static_cast<uint8_t>(0x80 >> (bit % 8));
      ++bit;
    }
  }
  return out;
}

// A frequency table turned into a tree as a book file's would be.
int FrequencyTree(std::vector<HuffmanNode>& nodes, std::mt19937& rng, bool withQuads, int maxFrequency) {
  size_t size = withQuads ? kMinFrequencyTableWithQuads + 6 * 300 : kMinFrequencyTable + 4 * 700;
  std::vector<uint8_t> table(size);
  for (auto& b : table) b = static_cast<uint8_t>(rng());
  // Frequencies spread over orders of magnitude make codes of many lengths.
  std::uniform_int_distribution<int> shift(0, 15);
  auto put = [&](size_t at) {
    int f = static_cast<int>(rng() & 0xFFFF) >> shift(rng);
    f = std::min(f, maxFrequency);
    table[at] = static_cast<uint8_t>(f >> 8);
    table[at + 1] = static_cast<uint8_t>(f);
  };
  size_t quads = withQuads ? 300 : 0, pairs = withQuads ? 1024 : 700, at = 0;
  for (size_t i = 0; i < quads; ++i, at += 6) put(at + 4);
  for (size_t i = 0; i < pairs; ++i, at += 4) put(at + 2);
  for (int i = 0; i < 256; ++i, at += 2) put(at);
  EXPECT_TRUE(ParseFrequencyTable(table.data(), table.size(), withQuads, nodes));
  return BuildHuffmanTree(nodes);
}

TEST(HuffmanDecoder, CodesOfEveryLengthUpToFarPast64Bits) {
  std::vector<HuffmanNode> nodes;
  const int depth = 90;
  int root = ChainTree(nodes, depth);
  CHuffmanDecoder decoder;
  ASSERT_TRUE(decoder.Build(nodes, root));
  auto codes = Codes(nodes, root);
  ASSERT_EQ(codes[depth - 1].size(), static_cast<size_t>(depth));

  // Every leaf, in an order that puts each length beside every other.
  std::mt19937 rng(7);
  std::vector<int> leaves;
  for (int round = 0; round < 6; ++round)
    for (int k = 0; k < depth; ++k) leaves.push_back(k);
  std::shuffle(leaves.begin(), leaves.end(), rng);
  leaves.push_back(depth);  // end of page
  std::vector<uint8_t> in = Encode(codes, leaves);
  std::vector<uint8_t> want = WalkDecode(nodes, root, in, 4096);
  ASSERT_GT(want.size(), 1000u);
  for (size_t block : {size_t{1}, size_t{2}, size_t{7}, size_t{8}, size_t{9}, size_t{4096}}) {
    SCOPED_TRACE("blocks of " + std::to_string(block));
    EXPECT_EQ(TableDecode(decoder, in, 4096, block), want);
  }
}

// Each code length from 1 to 24 on its own, so that a slip at one table
// boundary (root width, a subtable's width, their sum) shows by itself.
TEST(HuffmanDecoder, EachLengthAtTheTableBoundaries) {
  std::vector<HuffmanNode> nodes;
  int root = ChainTree(nodes, 24);
  CHuffmanDecoder decoder;
  ASSERT_TRUE(decoder.Build(nodes, root));
  auto codes = Codes(nodes, root);
  for (int k = 0; k < 24; ++k) {
    SCOPED_TRACE("code of " + std::to_string(codes[k].size()) + " bits");
    std::vector<uint8_t> in = Encode(codes, {k, k, k, 24});
    EXPECT_EQ(TableDecode(decoder, in, 2048), WalkDecode(nodes, root, in, 2048));
    EXPECT_EQ(TableDecode(decoder, in, 2048, 1), WalkDecode(nodes, root, in, 2048));
  }
}

// Trees from random frequency tables, with and without four-byte leaves,
// over random input of random length: the tables decode exactly as the
// walk, including where the input ends inside a code and where a page of
// odd size ends inside a leaf's bytes.
TEST(HuffmanDecoder, MatchesTheTreeWalkOnRandomTreesAndInput) {
  std::mt19937 rng(11);
  for (int t = 0; t < 12; ++t) {
    std::vector<HuffmanNode> nodes;
    int root = FrequencyTree(nodes, rng, t % 2 == 1, t < 6 ? 0xFFFF : 3);
    CHuffmanDecoder decoder;
    ASSERT_TRUE(decoder.Build(nodes, root));
    for (int r = 0; r < 20; ++r) {
      std::vector<uint8_t> in(rng() % 3000);
      for (auto& b : in) b = static_cast<uint8_t>(rng());
      const size_t sizes[] = {2048, 2047, 5, 1};
      size_t size = sizes[r % 4];
      SCOPED_TRACE("tree " + std::to_string(t) + ", input " + std::to_string(in.size()) + ", page " +
                   std::to_string(size));
      EXPECT_EQ(TableDecode(decoder, in, size, 1 + rng() % 64), WalkDecode(nodes, root, in, size));
    }
  }
}

TEST(HuffmanDecoder, InputCutAnywhereKeepsWhatWasDecoded) {
  std::mt19937 rng(5);
  std::vector<HuffmanNode> nodes;
  int root = FrequencyTree(nodes, rng, true, 0xFFFF);
  CHuffmanDecoder decoder;
  ASSERT_TRUE(decoder.Build(nodes, root));
  auto codes = Codes(nodes, root);
  std::vector<int> leaves;
  for (size_t i = 0; i + 1 < nodes.size() && leaves.size() < 400; ++i)
    if (nodes[i].type != kHuffmanInner && nodes[i].type != kHuffmanEnd && !codes[i].empty())
      leaves.push_back(static_cast<int>(i));
  std::vector<uint8_t> full = Encode(codes, leaves);
  std::vector<uint8_t> all = TableDecode(decoder, full, 1 << 16);
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    std::vector<uint8_t> in(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
    std::vector<uint8_t> got = TableDecode(decoder, in, 1 << 16, 3);
    ASSERT_EQ(got, WalkDecode(nodes, root, in, 1 << 16)) << "cut at " << cut;
    ASSERT_TRUE(std::equal(got.begin(), got.end(), all.begin())) << "cut at " << cut;
  }
}

// Thousands of inner nodes at the root table's edge, each over a chain
// that wants a full subtable: the tables stop at their budget and the rest
// is walked, with the same result.
TEST(HuffmanDecoder, BushyDeepTreeStaysWithinItsBudget) {
  std::vector<HuffmanNode> nodes;
  std::vector<int> level;
  const int fan = 1 << CHuffmanDecoder::kRootBits;
  for (int i = 0; i < fan; ++i) {
    std::vector<HuffmanNode> chain;
    ChainTree(chain, CHuffmanDecoder::kSubBits + 2);
    int base = static_cast<int>(nodes.size());
    for (HuffmanNode n : chain) {
      if (n.type == kHuffmanInner) {
        n.left += base;
        n.right += base;
      }
      nodes.push_back(n);
    }
    level.push_back(static_cast<int>(nodes.size()) - 1);
  }
  while (level.size() > 1) {
    std::vector<int> up;
    for (size_t i = 0; i < level.size(); i += 2) {
      nodes.push_back(Inner(level[i], level[i + 1]));
      up.push_back(static_cast<int>(nodes.size()) - 1);
    }
    level = up;
  }
  int root = level[0];
  CHuffmanDecoder decoder;
  ASSERT_TRUE(decoder.Build(nodes, root));
  EXPECT_LE(decoder.TableSize(), (size_t{1} << CHuffmanDecoder::kRootBits) + 8 * nodes.size());
  std::mt19937 rng(3);
  for (int r = 0; r < 10; ++r) {
    std::vector<uint8_t> in(4000);
    for (auto& b : in) b = static_cast<uint8_t>(rng() | rng());  // ones lead down the chains
    EXPECT_EQ(TableDecode(decoder, in, 2048, 13), WalkDecode(nodes, root, in, 2048));
  }
}

TEST(HuffmanDecoder, TreesOfOneLeaf) {
  CHuffmanDecoder decoder;
  std::vector<uint8_t> in = {0xFF, 0x00};
  // Only the end leaf: every page is empty, whatever the input.
  ASSERT_TRUE(decoder.Build({Leaf(kHuffmanEnd, 0)}, 0));
  EXPECT_TRUE(TableDecode(decoder, in, 2048).empty());
  // A value leaf with a code of no bits fills the page, with no input.
  ASSERT_TRUE(decoder.Build({Leaf(kHuffmanByte4, 0x44434241)}, 0));
  EXPECT_EQ(TableDecode(decoder, {}, 6), (std::vector<uint8_t>{0x41, 0x42, 0x43, 0x44, 0x41, 0x42}));
}

TEST(HuffmanDecoder, NodeTablesThatAreNoTreeAreRefused) {
  const std::vector<std::vector<HuffmanNode>> bad = {
      {},
      {Leaf(kHuffmanByte1, 1), Inner(0, -1)},             // a child missing
      {Leaf(kHuffmanByte1, 1), Inner(0, 1)},              // its own child
      {Leaf(kHuffmanByte1, 1), Inner(0, 2), Leaf(kHuffmanEnd, 0)},  // child after the parent
      {Leaf(kHuffmanByte1, 1), Inner(0, 7)},              // child out of range
      {Leaf(7, 1), Leaf(kHuffmanEnd, 0), Inner(0, 1)},    // no such leaf type
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE("table " + std::to_string(i));
    CHuffmanDecoder decoder;
    EXPECT_FALSE(decoder.Build(bad[i], static_cast<int>(bad[i].size()) - 1));
    EXPECT_FALSE(decoder.IsReady());
    EXPECT_TRUE(TableDecode(decoder, {0x12, 0x34}, 16).empty());
  }
  CHuffmanDecoder decoder;
  EXPECT_FALSE(decoder.Build({Leaf(kHuffmanEnd, 0)}, 1));  // root out of range
  EXPECT_FALSE(decoder.Build({Leaf(kHuffmanEnd, 0)}, -1));
}

}  // namespace
