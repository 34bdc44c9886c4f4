// Search-word history parsing on arbitrary text. Beyond the sanitizers'
// checks: every word is non-empty, bounded, without trailing blanks and
// ended by a tab, and after one save and load (which turns what code page
// 932 cannot hold into "?") further saves and loads change nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalog/word_history.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckWords(std::u16string_view list) {
  Check(list.empty() || list.back() == u'\t');
  while (!list.empty()) {
    size_t tab = list.find(u'\t');
    Check(tab != std::u16string_view::npos && tab > 0 && tab <= kMaxHistoryLine);
    char16_t last = list[tab - 1];
    Check(last != u' ' && last != u'\u3000' && last != u'\r' && last != u'\n');
    list.remove_prefix(tab + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string list = ParseHistory(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckWords(list);
  std::u16string once = ParseHistory(FormatHistory(list));
  CheckWords(once);
  Check(ParseHistory(FormatHistory(once)) == once);
  return 0;
}
