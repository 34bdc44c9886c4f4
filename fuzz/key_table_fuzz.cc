// "keycode.ini" parsing on arbitrary text. Beyond the sanitizers' checks:
// at most 64 entries, each with a named key, a named command and only the
// known flag bits; the table written and read again is the same; and every
// entry's key press finds the first entry bound to it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/key_table.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<KeyEntry> entries = ParseKeyTable(std::string_view(reinterpret_cast<const char*>(data), size));
  Check(entries.size() <= static_cast<size_t>(kMaxKeyEntries));
  for (const KeyEntry& e : entries) {
    Check((e.flags & kKeyVirtual) && (e.flags & ~(kKeyVirtual | kKeyModifiers)) == 0);
    Check(CKeyTable::KeyName(e.key) != nullptr && CKeyTable::CommandName(e.command) != nullptr);
  }
  Check(ParseKeyTable(FormatKeyTable(entries)) == entries);
  CKeyTable table;
  table.SetEntries(entries);
  for (const KeyEntry& e : entries) {
    uint16_t command = 0xFFFF;
    Check(table.MatchKey(e.key, e.flags, &command));
    for (const KeyEntry& first : entries) {
      if (first.key == e.key && first.flags == e.flags) {
        Check(command == first.command);
        break;
      }
    }
  }
  return 0;
}
