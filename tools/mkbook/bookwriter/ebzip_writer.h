// EbzipCompress: turns the bytes of a book file into its EBZip (.ebz) form.
//
// The file is cut into slices of 2048 << level bytes (level 0 to 5, so 2 KB
// to 64 KB); each slice is deflated on its own as a zlib stream, so that a
// reader can fetch any page by inflating one slice. Layout:
//
//   0   "EBZip"
//   5   mode (1, zlib) in the high nibble, level in the low nibble
//   10  uncompressed size, 32-bit
//   14  CRC-32 of the uncompressed data
//   22  slice index: the file offset where each slice starts, then one
//       closing entry for the end of the last slice. Entries are 2 bytes
//       wide when the size is below 64 KB, 3 up to 16 MB inclusive, else 4.
//
// A slice is stored raw when deflating does not make it smaller than the
// slice; readers recognise a raw slice by its stored length being exactly
// the slice size, so a compressed slice is always kept strictly shorter.
// The last slice is padded with zeros to a whole slice: readers always
// produce whole slices, and both raw and deflated slices must fill one.
//
// Because the entry width follows the uncompressed size, data that does not
// compress can overflow its index (e.g. 65,535 random bytes: the closing
// offset passes 65,535); such input is refused.
#ifndef TOMELING_BOOKWRITER_EBZIP_WRITER_H_
#define TOMELING_BOOKWRITER_EBZIP_WRITER_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

constexpr int kEbzipMaxLevel = 5;

struct EbzipOptions {
  int level = 0;                // slice size 2048 << level
  int zlibLevel = -1;           // deflate effort, zlib's -1 (default) to 9
  bool storeAllRaw = false;     // every slice raw, to exercise the copy path
};

// Returns the .ebz image, or nothing (with a reason in `error` if given)
// when the level is out of range or the data does not fit the format.
std::optional<std::vector<uint8_t>> EbzipCompress(std::span<const uint8_t> data, const EbzipOptions& options = {},
                                                  std::string* error = nullptr);

// Width in bytes of one slice-index entry for a file of `size` bytes.
int EbzipIndexWidth(uint64_t size);

#endif  // TOMELING_BOOKWRITER_EBZIP_WRITER_H_
