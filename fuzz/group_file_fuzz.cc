// Group-file parsing on arbitrary text. Beyond the sanitizers' checks: names
// keep their 30-unit limit, and what is parsed survives a write and a
// second parse unchanged (records whose path the format cannot hold are
// the only ones left out).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalog/group_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  GroupFile file = ParseGroupFile(text);
  std::vector<GroupRecord> kept;
  for (const GroupRecord& r : file.records) {
    Check(r.userName.size() <= kMaxUserNameLength);
    Check(r.catalogPath.size() <= kMaxGroupLineLength);
    if (IsStorableGroupPath(r.catalogPath)) kept.push_back(r);
  }
  GroupFile back = ParseGroupFile(FormatGroupFile(file));
  Check(back.records.size() == kept.size());
  for (size_t i = 0; i < kept.size(); ++i) {
    Check(back.records[i].catalogPath == kept[i].catalogPath);
    Check(back.records[i].catalogIndex == kept[i].catalogIndex);
    Check(back.records[i].userName == kept[i].userName);
  }
  Check(back.wordInflect == file.wordInflect && back.searchType == file.searchType);
  return 0;
}
