// Big-endian numbers, the byte order of every number in a book file.
//
// Writers build files in std::vector<uint8_t>; these helpers store or append
// 16-, 24- and 32-bit values most-significant byte first.
#ifndef TOMELING_BOOKWRITER_BIG_ENDIAN_H_
#define TOMELING_BOOKWRITER_BIG_ENDIAN_H_

#include <cstdint>
#include <vector>

inline void PutBE16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

inline void PutBE24(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 16);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v);
}

inline void PutBE32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v >> 24);
  p[1] = static_cast<uint8_t>(v >> 16);
  p[2] = static_cast<uint8_t>(v >> 8);
  p[3] = static_cast<uint8_t>(v);
}

// Stores the low `width` (1 to 4) bytes of `v`.
inline void PutBE(uint8_t* p, uint32_t v, int width) {
  for (int i = width - 1; i >= 0; --i, v >>= 8) p[i] = static_cast<uint8_t>(v);
}

inline uint32_t GetBE16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }

inline uint32_t GetBE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | p[3];
}

inline void AppendBE16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

inline void AppendBE32(std::vector<uint8_t>& out, uint32_t v) {
  AppendBE16(out, v >> 16);
  AppendBE16(out, v & 0xFFFF);
}

#endif  // TOMELING_BOOKWRITER_BIG_ENDIAN_H_
