#include "bookwriter/sample_data.h"

#include <random>

namespace {

// std::mt19937 yields the same sequence everywhere; the standard
// distributions do not, so values are derived from raw draws.
uint32_t Below(std::mt19937& rng, uint32_t n) { return static_cast<uint32_t>(rng() % n); }

uint16_t RandomJisChar(std::mt19937& rng) {
  uint32_t pick = Below(rng, 10);
  uint32_t row = pick < 4 ? 0x24 : pick < 6 ? 0x25 : 0x30 + Below(rng, 0x20);
  uint32_t cell = 0x21 + Below(rng, row == 0x24 ? 0x53 : 0x5E);
  return static_cast<uint16_t>(row << 8 | cell);
}

}  // namespace

std::vector<uint8_t> MakeRandomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(size);
  for (auto& b : out) b = static_cast<uint8_t>(rng() >> 24);
  return out;
}

std::vector<uint8_t> MakeJisText(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<std::vector<uint16_t>> vocabulary(3000);
  for (auto& word : vocabulary) {
    word.resize(1 + Below(rng, 5));
    for (auto& c : word) c = RandomJisChar(rng);
  }
  std::vector<uint8_t> out;
  out.reserve(size + 64);
  uint32_t sinceNewline = 0;
  while (out.size() < size) {
    uint32_t roll = Below(rng, 100);
    if (roll < 3) {
      const char* ascii = "see also 1-23 ";
      for (const char* c = ascii; *c != '\0'; ++c) out.push_back(static_cast<uint8_t>(*c));
    } else if (roll < 6) {
      out.push_back(0x1F);
      out.push_back(roll == 3 ? 0x04 : 0x05);  // a narrow or wide emphasis escape
    } else {
      // Cubing a uniform draw skews the choice towards the first words.
      double u = static_cast<double>(rng()) / 4294967296.0;
      for (uint16_t c : vocabulary[static_cast<size_t>(u * u * u * vocabulary.size())]) {
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c));
      }
    }
    if (++sinceNewline > 20 + Below(rng, 40)) {
      out.push_back(0x1F);
      out.push_back(0x0A);
      sinceNewline = 0;
    }
  }
  out.resize(size);
  return out;
}
