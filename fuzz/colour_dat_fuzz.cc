// "color.dat" parsing on arbitrary text: at most 512 entries, names of at
// most 23 bytes, and every entry found again by its name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/colour_names.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CColourNames names;
  names.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  Check(names.Entries().size() <= static_cast<size_t>(kMaxColourNames));
  for (const ColourName& c : names.Entries()) {
    Check(!c.name.empty() && c.name.size() <= kMaxColourNameBytes);
    int32_t r, g, b;
    Check(names.LookUpColor(c.name, &r, &g, &b));
  }
  return 0;
}
