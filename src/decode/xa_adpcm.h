// CD-ROM XA ADPCM, 4-bit mono: one 128-byte sound group holds 8 sound units
// of 28 samples, 224 samples in all.
//
//   bytes 4 + u      header of unit u: filter (high nibble), range (low)
//   bytes 16 + 4j + u/2   sample j of unit u: low nibble for even u, high
//                         nibble for odd u, signed (8..15 are -8..-1)
//
//   sample = (K0[f] * prev1 + K1[f] * prev2) / 256 + nibble * 2^(12 - range)
//
// with K0 = 0, 240, 460, 392 and K1 = 0, 0, -208, -220, the division
// truncating toward zero, a negative shift giving 0 for the nibble term,
// and the result clamped to 16 bits. The two previous samples carry on from
// one group to the next for the whole sound. Filter numbers above 3 have no
// coefficients; they decode as filter 0.
#ifndef TOMELING_DECODE_XA_ADPCM_H_
#define TOMELING_DECODE_XA_ADPCM_H_

#include <cstdint>

constexpr int kXaGroupBytes = 128;
constexpr int kXaGroupSamples = 224;

struct XaState {
  int32_t prev1 = 0;
  int32_t prev2 = 0;
};

// Decodes one sound group; `out` receives 224 samples in time order.
void DecodeXaSoundGroup(const uint8_t* group, XaState* state, int16_t* out);

#endif  // TOMELING_DECODE_XA_ADPCM_H_
