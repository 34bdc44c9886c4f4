// S-EBXA: the LZSS compression EB books apply to the text area of START.
//
// The text area is cut into 4096-byte slices (two pages; an odd last page
// is completed with zeros), each compressed on its own:
//
//   a flag byte, its bits taken least-significant first, 1 = a literal
//   byte follows, 0 = a copy of 2 bytes b0 b1: ring position
//   b0 | (b1 & 0xF0) << 4, length (b1 & 0x0F) + 3.
//
// The slice being produced is itself the 4096-byte ring, ring position r
// standing for slice offset (r + 18) mod 4096; it starts zeroed, so a copy
// from a place not yet written yields zeros (the compressor uses that for
// runs of zeros).
//
// The compressed slices are stored one after another in a "compressed
// data" area; a "compression index" area holds, per slice, the 32-bit
// big-endian offset in the data area where that slice ends. Both areas are
// listed in the index table on page 1 of START (identifiers 0x21 data,
// 0x22 index), beside the text area's own entry (0x00).
#ifndef TOMELING_BOOKWRITER_SEBXA_WRITER_H_
#define TOMELING_BOOKWRITER_SEBXA_WRITER_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

constexpr size_t kSebxaSliceSize = 4096;

// Compresses one slice (`slice.size()` at most 4096; shorter is taken as
// followed by zeros) and appends the code to `out`.
void LzssCompressSlice(std::span<const uint8_t> slice, std::vector<uint8_t>& out);

struct SebxaText {
  std::vector<uint8_t> index;  // 32-bit end offset of each slice
  std::vector<uint8_t> data;   // the compressed slices
};

// Compresses a whole text area, slice by slice.
SebxaText SebxaCompressText(std::span<const uint8_t> text);

// Turns a plain START image into its S-EBXA form. The image's index table
// (page 1) must list the text area (identifier 0x00). Every page outside
// the text area keeps its place and content. The index and data areas take
// the text area's place when they fit in it, else they follow the image
// (the text area's pages are then zeros); the table gains (or has updated)
// its 0x22 and 0x21 entries.
std::optional<std::vector<uint8_t>> SebxaCompressStart(std::span<const uint8_t> start, std::string* error = nullptr);

#endif  // TOMELING_BOOKWRITER_SEBXA_WRITER_H_
