// Deterministic sample contents for book files: tests and benchmarks need
// data that compresses like a dictionary's text, and data that does not
// compress at all.
#ifndef TOMELING_BOOKWRITER_SAMPLE_DATA_H_
#define TOMELING_BOOKWRITER_SAMPLE_DATA_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// `size` bytes of pseudo-random data from `seed`.
std::vector<uint8_t> MakeRandomBytes(size_t size, uint32_t seed);

// `size` bytes resembling an EB text area: JIS X 0208 characters (two
// bytes, big-endian) forming words of a skewed vocabulary, with newline
// and emphasis escape codes (0x1F xx) and some ASCII-range runs. The last
// character may be cut in half.
std::vector<uint8_t> MakeJisText(size_t size, uint32_t seed);

#endif  // TOMELING_BOOKWRITER_SAMPLE_DATA_H_
