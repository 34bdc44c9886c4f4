// "profile.ini" parsing on arbitrary text. Beyond the sanitizers' checks:
// the limits of records, rules and field lengths hold whatever the text,
// and every kept record names a dictionary.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/dict_config.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DictConfigFile file;
  ParseDictConfig(std::string_view(reinterpret_cast<const char*>(data), size), &file);
  Check(file.records.size() <= static_cast<size_t>(kMaxDictConfigs));
  for (const DictConfig& r : file.records) {
    Check(!r.dict.empty() && r.dict.size() <= 8);
    Check(r.gaijiMap.size() <= 14);
    Check(r.abbrev.size() <= 30);
    Check(r.codeRules.size() <= static_cast<size_t>(kMaxCodeRules));
    for (const CodeRule& rule : r.codeRules) Check(rule.kind <= 1);
    // A record is found by any directory name it begins with (a name
    // never starts with a blank).
    if (r.dict[0] != ' ') Check(FindDictConfig(file.records, r.dict) != nullptr);
  }
  return 0;
}
