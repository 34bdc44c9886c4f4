// ConvertMarkup on arbitrary byte-form markup, with a map and without, in
// two-byte and single-byte books, into small and large outputs. Beyond the
// sanitizers' checks: the output stays within its capacity, is
// NUL-terminated, never holds a cut tag, and in single-byte books (no
// address insertions) a smaller output is a prefix of a larger one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "decode/gaiji_map.h"
#include "decode/markup_convert.h"

namespace {

const GaijiMapRecord& TestMap() {
  static const GaijiMapRecord* map = [] {
    auto* r = new GaijiMapRecord;
    r->valid = 1;
    r->gaiHanSorted = {{0x0041, 0x00C0, {}}, {0xA121, 0x00E9, {}}, {0xA122, kGaijiRemove, {}}};
    r->gaiZenSorted = {{0xB021, 0x3042, {}}, {0xB022, 0, {'a', 'b', 'c', 0}}, {0xB023, kGaijiRemove, {}}};
    r->gaiChiSorted = {{0xA121, 0x4E00, {}}};
    return r;
  }();
  return *map;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

size_t Run(const MarkupBook& book, const uint8_t* data, size_t size, size_t capacity, std::vector<char16_t>* out) {
  out->assign(capacity + 2, u'#');
  size_t count = 0;
  const size_t n = ConvertMarkup(book, reinterpret_cast<const char*>(data), size, out->data(), capacity, &count);
  Check(n == count);
  Check((*out)[capacity] == u'#' && (*out)[capacity + 1] == u'#');
  if (capacity == 0) {
    Check(n == 0);
    return 0;
  }
  Check(n < capacity && (*out)[n] == u'\0');
  // Every "<" has its ">" (the test map yields no "<" of its own).
  bool open = false;
  for (size_t i = 0; i < n; ++i) {
    if ((*out)[i] == u'<') open = true;
    if ((*out)[i] == u'>') open = false;
  }
  Check(!open);
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t flags = data[0];
  const size_t small = data[1];
  data += 2;
  size -= 2;
  MarkupBook book;
  book.singleByte = (flags & 1) != 0;
  book.gaijiMap = (flags & 2) != 0 ? &TestMap() : nullptr;
  std::vector<char16_t> large, part;
  // Room for the whole conversion: one unit per byte at most, plus the
  // 11 units of "<URL>" and "</URL>" for every address of at least 5 bytes.
  const size_t full = Run(book, data, size, size * 3 + 16, &large);
  const size_t cut = Run(book, data, size, small, &part);
  Check(cut <= full);
  if (book.singleByte)
    for (size_t i = 0; i < cut; ++i) Check(part[i] == large[i]);
  return 0;
}
