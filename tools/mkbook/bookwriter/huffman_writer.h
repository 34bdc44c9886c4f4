// EpwingHuffmanCompress: turns a text file (HONMON and the like) into the
// Huffman-coded form EPWING books carry (HONMON2).
//
// Layout of the result (all numbers big-endian, locations in bytes):
//
//   0   header: index location, index length, frequency-table location,
//       frequency-table length, data location; for kind 3 optionally the
//       signature FF FF ED FF at 28 (tells readers the variant without a
//       version hint)
//   32  page index: one 36-byte record per 16 pages, a 32-bit base offset
//       and sixteen 16-bit offsets from it to the start of each page's code
//       frequency table: kind 4 only, four-byte leaves (4 bytes + 16-bit
//       frequency); two-byte leaves (2 bytes + frequency; kind 4 always
//       has 1024 of them); then 256 16-bit frequencies of the byte values
//       data: each page coded on its own, starting on a byte boundary;
//       kind 4 puts a flag byte before each page: 0 coded, non-zero the page
//       follows as 2048 raw bytes
//
// The code is the one a reader derives from the frequency table alone: the
// leaves (four-, two-, one-byte, then an end-of-page leaf of weight 1)
// selection-sorted by descending frequency, then paired repeatedly taking
// the two smallest live weights (the last in table order on ties), bit 1
// for the first of a pair. The writer rebuilds that same tree, so the table
// it writes is the whole key to its codes. Leaves are chosen greedily
// (longest leaf in the table first); frequencies are counted over that
// parse and scaled to 16 bits.
//
// A page ends with the end-of-page leaf unless it is full; trailing zero
// bytes of a page are not coded at all, as readers fill unproduced bytes
// with zeros.
#ifndef TOMELING_BOOKWRITER_HUFFMAN_WRITER_H_
#define TOMELING_BOOKWRITER_HUFFMAN_WRITER_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct HuffmanOptions {
  int kind = 3;                      // 3: every page coded; 4: flag byte per page
  bool signature = true;             // kind 3: write FF FF ED FF at 28
  int maxTwoByteLeaves = 1024;       // kind 4: at most 1024, the table always has 1024 slots
  int maxFourByteLeaves = 256;       // kind 4
  bool endLeafOnFullPage = true;     // also end a page that fills 2048 bytes
  // Kind 4: pages (1-based) to store raw even when coding would shrink them.
  std::function<bool(uint32_t page)> forceRaw;
};

std::optional<std::vector<uint8_t>> EpwingHuffmanCompress(std::span<const uint8_t> data,
                                                          const HuffmanOptions& options = {},
                                                          std::string* error = nullptr);

#endif  // TOMELING_BOOKWRITER_HUFFMAN_WRITER_H_
