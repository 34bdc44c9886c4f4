// Big-endian number access for book data. Every number stored in a book
// file is big-endian; these read from an in-memory copy, never past it.
#ifndef TOMELING_STORAGE_BYTE_ORDER_H_
#define TOMELING_STORAGE_BYTE_ORDER_H_

#include <cstdint>

inline uint16_t LoadBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

inline uint32_t LoadBE24(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

inline uint32_t LoadBE32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

// Reads a `width`-byte (1 to 4) big-endian number.
inline uint32_t LoadBE(const uint8_t* p, int width) {
  uint32_t v = 0;
  for (int i = 0; i < width; ++i) v = (v << 8) | p[i];
  return v;
}

#endif  // TOMELING_STORAGE_BYTE_ORDER_H_
