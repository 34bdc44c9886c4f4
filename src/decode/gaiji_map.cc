#include "decode/gaiji_map.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

#include "decode/cp932.h"
#include "decode/char_conv.h"
#include "decode/gaiji_map_cache.h"
#include "decode/gaiji_map_file.h"
#include "decode/gb2312.h"
#include "decode/utf8.h"
#include "storage/atomic_file.h"
#include "storage/fatal.h"

namespace {

constexpr char kRecordsMessage[] = "realloc error in CGaijiMap::CGaijiMap[m_maps]";

// 100-ns ticks between 1601-01-01 and 1970-01-01: file times keep the
// platform-neutral form the cache has always stored.
constexpr uint64_t kEpochTicks = 116444736000000000ULL;

bool FileTime(const std::string& path, uint64_t* time, bool* isDirectory) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  *isDirectory = S_ISDIR(st.st_mode);
  int64_t ticks = static_cast<int64_t>(st.st_mtim.tv_sec) * 10000000 + st.st_mtim.tv_nsec / 100;
  *time = kEpochTicks + static_cast<uint64_t>(ticks);
  return true;
}

bool HasMapSuffix(const std::string& name) {
  if (name.size() < 4) return false;
  const char* s = name.c_str() + name.size() - 4;
  return s[0] == '.' && (s[1] == 'M' || s[1] == 'm') && (s[2] == 'A' || s[2] == 'a') &&
         (s[3] == 'P' || s[3] == 'p');
}

// The record name of a listed file: its name in Shift_JIS, cut to the
// field without splitting a two-byte character.
std::string RecordName(const std::string& fileName) {
  std::u16string wide(fileName.size(), u'\0');
  long units = Utf8ToUtf16(fileName.data(), fileName.size(), wide.data());
  std::string name = units < 0 ? fileName : Utf16ToCp932(std::u16string_view(wide.data(), static_cast<size_t>(units)));
  size_t keep = 0;
  while (keep < name.size()) {
    size_t step = IsSjisLead(static_cast<unsigned char>(name[keep])) ? 2 : 1;
    if (keep + step > kGaijiNameLength) break;
    keep += step;
  }
  name.resize(std::min(keep, name.size()));
  return name;
}

void ApplyGb2312Cells(const std::vector<std::unique_ptr<GaijiMapRecord>>& maps) {
  ResetGb2312Table();
  for (const auto& r : maps) {
    if (!r->valid) continue;
    for (const GaijiEntry& e : r->gaiChiSorted)
      if (IsGb2312Code(e.code)) SetGb2312Cell(e.code, static_cast<char16_t>(e.value));
  }
}

}  // namespace

const std::vector<GaijiEntry>* GaijiMapRecord::Table(int table) const {
  switch (table) {
    case kGaijiHalfWidth:
      return &gaiHanSorted;
    case kGaijiFullWidth:
      return &gaiZenSorted;
    case kGaijiCompound:
      return &gaiChiSorted;
    default:
      return nullptr;
  }
}

std::string_view GaijiMapRecord::Name() const { return std::string_view(name, strnlen(name, sizeof(name))); }

CGaijiMap::CGaijiMap(const std::string& appDir) {
  std::string dir = appDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  m_cachePath = dir + "GaijiMap.db";
  try {
    m_maps.reserve(16);
  } catch (const std::bad_alloc&) {
    FatalError(kRecordsMessage);
  }
  bool loaded = ReadGaijiMapCache(m_cachePath, &m_maps) == GaijiCacheStatus::kDamaged;
  ScanFolder(dir + "GAIJI", &loaded);
  if (loaded) WriteCache();
  ApplyGb2312Cells(m_maps);
}

CGaijiMap::~CGaijiMap() = default;

void CGaijiMap::ScanFolder(const std::string& folder, bool* loaded) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (HasMapSuffix(name)) names.push_back(std::move(name));
  }
  // Listing order is the file system's; sorting keeps record order, and so
  // which of two equal names FindMap sees, the same from run to run.
  std::sort(names.begin(), names.end());
  std::vector<std::string> taken;
  for (const std::string& fileName : names) {
    const std::string path = folder + "/" + fileName;
    uint64_t time = 0;
    bool isDirectory = false;
    if (!FileTime(path, &time, &isDirectory) || isDirectory) continue;
    std::string name = RecordName(fileName);
    // Names cut to the field, or with characters Shift_JIS lacks, can
    // collide; the first file keeps the name, or each start would reload
    // both and rewrite the cache.
    if (std::find(taken.begin(), taken.end(), name) != taken.end()) continue;
    taken.push_back(name);
    const GaijiMapRecord* current = FindMap(name);
    // Any change of time reloads, also a map put back from an older copy.
    if (current != nullptr && current->fileTime == time) continue;
    if (LoadMap(path, name, time)) *loaded = true;
  }
}

// A file that cannot be read leaves the record it had, if any: the cached
// copy is better than none, and the next start tries again.
bool CGaijiMap::LoadMap(const std::string& path, const std::string& name, uint64_t fileTime) {
  std::unique_ptr<GaijiMapRecord> record;
  try {
    record = std::make_unique<GaijiMapRecord>();
  } catch (const std::bad_alloc&) {
    FatalError(kRecordsMessage);
  }
  if (!ReadGaijiMapFile(path, record.get())) return false;
  for (auto& r : m_maps)
    if (r->valid && r->Name() == name) r->valid = 0;
  std::memcpy(record->name, name.data(), std::min(name.size(), kGaijiNameLength));
  record->valid = 1;
  record->fileTime = fileTime;
  AddRecord(std::move(record));
  return true;
}

void CGaijiMap::AddRecord(std::unique_ptr<GaijiMapRecord> record) {
  try {
    if (m_maps.size() == m_maps.capacity()) m_maps.reserve(m_maps.size() + 16);
    m_maps.push_back(std::move(record));
  } catch (const std::bad_alloc&) {
    FatalError(kRecordsMessage);
  }
}

void CGaijiMap::WriteCache() const {
  std::string image;
  try {
    image = SerializeGaijiMapCache(m_maps);
  } catch (const std::bad_alloc&) {
    FatalError("malloc error in CGaijiMap::WriteCache[GaijiMap.db]");
  }
  // A cache that cannot be written is rebuilt at the next start.
  WriteFileAtomically(m_cachePath, image);
}

const GaijiMapRecord* CGaijiMap::FindMap(std::string_view name) const {
  for (const auto& r : m_maps)
    if (r->valid && r->Name() == name) return r.get();
  return nullptr;
}

int CGaijiMap::LookUp(const GaijiMapRecord* record, int table, uint16_t code, uint16_t* value, char* text,
                      size_t textSize) {
  *value = 0;
  if (text != nullptr) std::memset(text, 0, textSize);
  const std::vector<GaijiEntry>* entries = record != nullptr ? record->Table(table) : nullptr;
  if (entries == nullptr || entries->empty()) return 0;
  size_t low = 0, high = entries->size();  // search [low, high)
  while (low < high) {
    const size_t probe = low + (high - low) / 2;
    const GaijiEntry& e = (*entries)[probe];
    if (e.code == code) {
      *value = e.value;
      if (text != nullptr) std::memcpy(text, e.text, std::min(textSize, sizeof(e.text)));
      return 1;
    }
    if (e.code < code) low = probe + 1;
    else high = probe;
  }
  return 0;
}
