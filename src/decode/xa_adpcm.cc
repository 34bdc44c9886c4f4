// See xa_adpcm.h.
#include "decode/xa_adpcm.h"

namespace {

constexpr int32_t kK0[4] = {0, 240, 460, 392};
constexpr int32_t kK1[4] = {0, 0, -208, -220};

}  // namespace

void DecodeXaSoundGroup(const uint8_t* group, XaState* state, int16_t* out) {
  for (int u = 0; u < 8; ++u) {
    uint8_t header = group[4 + u];
    int filter = header >> 4;
    if (filter > 3) filter = 0;
    int shift = 12 - (header & 0x0F);
    for (int j = 0; j < 28; ++j) {
      uint8_t b = group[16 + 4 * j + u / 2];
      int nibble = (u % 2 == 0) ? b & 0x0F : b >> 4;
      if (nibble >= 8) nibble -= 16;
      int32_t sample = (kK0[filter] * state->prev1 + kK1[filter] * state->prev2) / 256;
      if (shift >= 0) sample += nibble * (1 << shift);
      if (sample > 32767) sample = 32767;
      if (sample < -32768) sample = -32768;
      out[u * 28 + j] = static_cast<int16_t>(sample);
      state->prev2 = state->prev1;
      state->prev1 = sample;
    }
  }
}
