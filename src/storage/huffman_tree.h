// The Huffman code of EPWING-compressed text files.
//
// A HONMON2-style file carries a table of symbol frequencies; the code tree
// is rebuilt from it on the reading side, so the build must reproduce the
// writer's tree exactly, ties included, or every page decodes to garbage.
// The rules that fix the tree:
//
//   - leaves are sorted by frequency, descending, with a plain selection
//     sort (first largest wins, then swapped into place), which is not a
//     stable sort: the swaps decide the order of equal frequencies;
//   - each step joins the two live nodes of smallest weight, taking the LAST
//     node in table order among equal weights; the first taken becomes the
//     left child (bit 1), the second the right child (bit 0);
//   - leaves of frequency 0 never enter the tree; the root is the last node
//     of the table.
//
// Both steps run in O(n log n) (a max segment tree replays the selection
// sort, a heap replays the smallest-last-wins pick) with exactly the result
// of the quadratic procedure.
//
// Weights are kept in 64 bits: a table of 65,537 or more leaves at the top
// frequency would wrap a 32-bit weight.
#ifndef TOMELING_STORAGE_HUFFMAN_TREE_H_
#define TOMELING_STORAGE_HUFFMAN_TREE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

enum HuffmanNodeType : uint8_t {
  kHuffmanEnd = 0,    // end of page, emits nothing
  kHuffmanByte1 = 1,  // one value byte
  kHuffmanByte2 = 2,  // two value bytes
  kHuffmanByte4 = 3,  // four value bytes
  kHuffmanInner = 4,
};

struct HuffmanNode {
  int32_t left = -1;   // taken on bit 1
  int32_t right = -1;  // taken on bit 0
  uint64_t weight = 0;
  uint8_t value[4] = {};
  uint8_t type = kHuffmanEnd;
};

// Number of value bytes a leaf of `type` emits.
inline int HuffmanValueLength(uint8_t type) {
  return type == kHuffmanByte1 ? 1 : type == kHuffmanByte2 ? 2 : type == kHuffmanByte4 ? 4 : 0;
}

// Smallest frequency table that can hold the fixed groups: 256 one-byte
// entries, plus 1024 two-byte entries when there are four-byte leaves.
constexpr uint32_t kMinFrequencyTable = 512;
constexpr uint32_t kMinFrequencyTableWithQuads = 4608;

// Turns the frequency table (`size` bytes) into the leaves: the four-byte
// group (only when `withQuads`), the two-byte group, the 256 one-byte
// leaves and the end-of-page leaf of frequency 1. Returns false when the
// table is smaller than its fixed groups. `nodes` gets room for the inner
// nodes too.
bool ParseFrequencyTable(const uint8_t* table, size_t size, bool withQuads, std::vector<HuffmanNode>& nodes);

// Sorts the leaves in `nodes` and appends the inner nodes. Returns the root
// index (the last node), or -1 when `nodes` is empty.
int BuildHuffmanTree(std::vector<HuffmanNode>& nodes);

#endif  // TOMELING_STORAGE_HUFFMAN_TREE_H_
