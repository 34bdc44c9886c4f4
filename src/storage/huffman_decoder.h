// CHuffmanDecoder: table-driven decoding of EPWING Huffman pages.
//
// The code tree (huffman_tree.h) is turned into lookup tables so that one
// step takes several bits: the next kRootBits bits of the stream index the
// root table, whose entry either is a leaf (its value bytes and code
// length) or sends the decoder on to a subtable for the bits after them.
// Subtables are as wide as the subtree below them needs, up to kSubBits.
//
// The tree comes from a frequency table in the book, so its shape is the
// file's to choose: codes may be far longer than 64 bits and a few hundred
// bytes of table can make a deep, bushy tree. The tables are therefore
// bounded by the tree's size; the parts of a tree they do not cover are
// walked one bit at a time, which gives the same result, only slower.
// Decoding stops cleanly at an end-of-page leaf, a full page, or a code cut
// off by the end of the input.
//
//   CHuffmanDecoder decoder;
//   if (decoder.Build(nodes, root)) produced = decoder.Decode(source, page, 2048);
#ifndef TOMELING_STORAGE_HUFFMAN_DECODER_H_
#define TOMELING_STORAGE_HUFFMAN_DECODER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/huffman_tree.h"

// The code bytes of a page, in blocks: each call hands over the block that
// follows the previous one. The decoder reads ahead by up to eight bytes
// past the last code it uses.
class CCodeSource {
 public:
  virtual ~CCodeSource() = default;
  // The next block; false (or an empty block) at the end of the input.
  virtual bool NextBlock(const uint8_t** data, size_t* size) = 0;
};

class CHuffmanDecoder {
 public:
  static constexpr int kRootBits = 12;
  static constexpr int kSubBits = 8;

  // Builds the tables for the tree rooted at `root` in `nodes` (leaves as
  // ParseFrequencyTable makes them, inner nodes after their children, as
  // BuildHuffmanTree makes them). Returns false, leaving the decoder
  // empty, when the nodes do not form such a tree: a child missing or out
  // of range, or not before its parent.
  bool Build(const std::vector<HuffmanNode>& nodes, int root);

  bool IsReady() const { return !m_table.empty(); }
  void Clear();

  // Decodes into `out` (`size` bytes) until an end-of-page leaf, a full
  // page (a leaf's bytes cut at its end) or the end of the input, and fills
  // the rest of `out` with zeros. Returns the bytes produced.
  size_t Decode(CCodeSource& source, uint8_t* out, size_t size) const;

  // Table entries in use, for tests of the bound.
  size_t TableSize() const { return m_table.size(); }

 private:
  // Leaves carry their value bytes in `data` in stream order, their length
  // in `kind`; the other kinds lead on.
  enum Kind : uint8_t { kEnd = 0, kSub = 8, kWalk = 9 };
  struct Entry {
    uint32_t data = 0;   // leaf: value bytes; kSub: first entry; kWalk: node
    uint8_t bits = 0;    // bits of the stream this entry accounts for
    uint8_t kind = kEnd; // leaf value length (0 to 4), kSub or kWalk
    uint8_t width = 0;   // kSub: the subtable's index width
    uint8_t unused = 0;
  };
  struct Node {
    int32_t child[2] = {-1, -1};  // [bit]
    Entry leaf;                   // for leaves: kind and data
  };
  class CBits;

  void FillTable(size_t start, int width, int32_t node, std::vector<size_t>& pending);
  bool DecodeLong(CBits& bits, Entry e, Entry* leaf) const;

  std::vector<Entry> m_table;  // root table first, then the subtables
  std::vector<Node> m_nodes;   // the tree, for codes the tables leave out
};

#endif  // TOMELING_STORAGE_HUFFMAN_DECODER_H_
