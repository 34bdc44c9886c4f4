#include "storage/huffman_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace {

// The tree built the slow, obvious way: quadratic selection sort and a full
// scan for the two smallest live weights. The fast build must match it node
// for node, since the tie order decides every code.
int ReferenceTree(std::vector<HuffmanNode>& nodes) {
  for (size_t i = 0; i + 1 < nodes.size(); ++i) {
    size_t best = i;
    for (size_t j = i + 1; j < nodes.size(); ++j)
      if (nodes[j].weight > nodes[best].weight) best = j;
    std::swap(nodes[i], nodes[best]);
  }
  for (;;) {
    int n1 = -1, n2 = -1;
    for (size_t i = 0; i < nodes.size(); ++i)
      if (nodes[i].weight != 0 && (n1 < 0 || nodes[i].weight <= nodes[n1].weight)) n1 = static_cast<int>(i);
    for (size_t i = 0; i < nodes.size(); ++i)
      if (static_cast<int>(i) != n1 && nodes[i].weight != 0 && (n2 < 0 || nodes[i].weight <= nodes[n2].weight))
        n2 = static_cast<int>(i);
    if (n2 < 0) break;
    HuffmanNode inner;
    inner.type = kHuffmanInner;
    inner.left = n1;
    inner.right = n2;
    inner.weight = nodes[n1].weight + nodes[n2].weight;
    nodes[n1].weight = nodes[n2].weight = 0;
    nodes.push_back(inner);
  }
  return static_cast<int>(nodes.size()) - 1;
}

std::vector<uint8_t> RandomTable(std::mt19937& rng, size_t size) {
  std::vector<uint8_t> table(size);
  for (auto& b : table) b = static_cast<uint8_t>(rng());
  return table;
}

// Small frequencies so that ties abound.
void SetFrequencies(std::vector<uint8_t>& table, bool withQuads, std::mt19937& rng, int maxFrequency) {
  std::uniform_int_distribution<int> freq(0, maxFrequency);
  auto put = [&](size_t at) {
    int f = freq(rng);
    table[at] = static_cast<uint8_t>(f >> 8);
    table[at + 1] = static_cast<uint8_t>(f);
  };
  size_t quads = withQuads ? (table.size() - kMinFrequencyTableWithQuads) / 6 : 0;
  size_t pairs = withQuads ? 1024 : (table.size() - kMinFrequencyTable) / 4;
  size_t at = 0;
  for (size_t i = 0; i < quads; ++i, at += 6) put(at + 4);
  for (size_t i = 0; i < pairs; ++i, at += 4) put(at + 2);
  for (int i = 0; i < 256; ++i, at += 2) put(at);
}

// Follows bits (1 left, 0 right) from the root to a leaf.
const HuffmanNode& Walk(const std::vector<HuffmanNode>& nodes, int root, const char* bits) {
  int n = root;
  for (const char* b = bits; *b != '\0'; ++b) n = *b == '1' ? nodes[n].left : nodes[n].right;
  return nodes[n];
}

}  // namespace

TEST(HuffmanTreeTest, FastBuildMatchesTheQuadraticProcedureOnTies) {
  std::mt19937 rng(4242);
  const struct {
    bool quads;
    size_t size;
    int maxFrequency;
  } cases[] = {{false, 512, 3}, {false, 512 + 4 * 300, 2}, {false, 512 + 4 * 1000 + 3, 40},
               {true, 4608, 1}, {true, 4608 + 6 * 200 + 5, 5}, {false, 512 + 4 * 64, 65535}};
  for (const auto& c : cases) {
    for (int round = 0; round < 3; ++round) {
      std::vector<uint8_t> table = RandomTable(rng, c.size);
      SetFrequencies(table, c.quads, rng, c.maxFrequency);
      std::vector<HuffmanNode> fast, slow;
      ASSERT_TRUE(ParseFrequencyTable(table.data(), table.size(), c.quads, fast));
      ASSERT_TRUE(ParseFrequencyTable(table.data(), table.size(), c.quads, slow));
      int fastRoot = BuildHuffmanTree(fast);
      int slowRoot = ReferenceTree(slow);
      ASSERT_EQ(fastRoot, slowRoot);
      ASSERT_EQ(fast.size(), slow.size());
      for (size_t i = 0; i < fast.size(); ++i) {
        ASSERT_EQ(fast[i].type, slow[i].type) << "node " << i;
        ASSERT_EQ(fast[i].left, slow[i].left) << "node " << i;
        ASSERT_EQ(fast[i].right, slow[i].right) << "node " << i;
        ASSERT_EQ(0, std::memcmp(fast[i].value, slow[i].value, 4)) << "node " << i;
      }
    }
  }
}

TEST(HuffmanTreeTest, TiesGoToTheLastSmallestAndTheSortIsNotStable) {
  // One-byte leaves 'A' and 'B' and the end leaf, all of weight 1. The
  // selection sort leaves them as A, B, End; pairing takes End then B (the
  // last of equal weights first), then A with that pair.
  std::vector<uint8_t> table(kMinFrequencyTable, 0);
  table[2 * 'A' + 1] = 1;
  table[2 * 'B' + 1] = 1;
  std::vector<HuffmanNode> nodes;
  ASSERT_TRUE(ParseFrequencyTable(table.data(), table.size(), false, nodes));
  ASSERT_EQ(nodes.size(), 257u);
  int root = BuildHuffmanTree(nodes);
  EXPECT_EQ(root, 258);
  EXPECT_EQ(Walk(nodes, root, "1").value[0], 'A');
  EXPECT_EQ(Walk(nodes, root, "00").value[0], 'B');
  EXPECT_EQ(Walk(nodes, root, "01").type, kHuffmanEnd);

  // The sort is a selection sort: swapping the largest into place moves
  // equal weights past each other. Bytes 0, 1, 2 weigh 1, 1, 5: 2 swaps with
  // 0, giving 2, 1, 0 where a stable sort would give 2, 0, 1.
  std::vector<uint8_t> swaps(kMinFrequencyTable, 0);
  swaps[1] = 1;
  swaps[3] = 1;
  swaps[5] = 5;
  ASSERT_TRUE(ParseFrequencyTable(swaps.data(), swaps.size(), false, nodes));
  BuildHuffmanTree(nodes);
  EXPECT_EQ(nodes[0].value[0], 2);
  EXPECT_EQ(nodes[1].value[0], 1);
  EXPECT_EQ(nodes[2].value[0], 0);
  EXPECT_EQ(nodes[3].type, kHuffmanEnd);
}

TEST(HuffmanTreeTest, ZeroFrequencyLeavesStayOutAndShortTablesFail) {
  // Two-byte leaves all of frequency 0: only one-byte leaves and the end
  // leaf are reachable.
  std::mt19937 rng(7);
  std::vector<uint8_t> table(kMinFrequencyTable + 4 * 50, 0);
  for (size_t i = 0; i < 50; ++i) table[4 * i] = static_cast<uint8_t>(rng());
  for (int i = 0; i < 256; ++i) table[4 * 50 + 2 * i + 1] = static_cast<uint8_t>(1 + i % 7);
  std::vector<HuffmanNode> nodes;
  ASSERT_TRUE(ParseFrequencyTable(table.data(), table.size(), false, nodes));
  int root = BuildHuffmanTree(nodes);
  int leaves = 0;
  std::vector<int> todo = {root};
  while (!todo.empty()) {
    const HuffmanNode& n = nodes[todo.back()];
    todo.pop_back();
    if (n.type == kHuffmanInner) {
      todo.push_back(n.left);
      todo.push_back(n.right);
    } else {
      EXPECT_TRUE(n.type == kHuffmanByte1 || n.type == kHuffmanEnd);
      ++leaves;
    }
  }
  EXPECT_EQ(leaves, 257);

  EXPECT_FALSE(ParseFrequencyTable(table.data(), kMinFrequencyTable - 1, false, nodes));
  EXPECT_FALSE(ParseFrequencyTable(table.data(), table.size(), true, nodes));  // below 4608
}
