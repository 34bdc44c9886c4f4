#include "decode/gaiji_map_cache.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "storage/fatal.h"
#include "storage/regular_file.h"

namespace {

constexpr char kMagic[4] = {'G', 'M', '0', '1'};
constexpr size_t kRecordHeaderSize = 46;
constexpr size_t kEntrySize = 8;
// A cache of dozens of full maps; a larger file (or a FIFO or a device) is
// not one this program wrote, and the maps are compiled again.
constexpr size_t kMaxGaijiCacheBytes = 64u << 20;

uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Le32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

void PutLe16(std::string* out, uint16_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>(v >> 8));
}

void PutLe32(std::string* out, uint32_t v) {
  PutLe16(out, static_cast<uint16_t>(v & 0xFFFF));
  PutLe16(out, static_cast<uint16_t>(v >> 16));
}

template <typename F>
void OrDie(const char* message, F f) {
  try {
    f();
  } catch (const std::bad_alloc&) {
    FatalError(message);
  }
}

// The bytes not yet read, so that no count taken from the file is trusted
// beyond what it holds.
struct CacheReader {
  std::string_view rest;

  bool Read(void* to, size_t n) {
    if (n > rest.size()) return false;
    std::memcpy(to, rest.data(), n);
    rest.remove_prefix(n);
    return true;
  }
  uint64_t left() const { return rest.size(); }
};

bool ReadTable(CacheReader* in, size_t count, std::vector<GaijiEntry>* table, const char* message) {
  if (count == 0) return true;
  // The caller has checked that the file holds the entries, so this buffer
  // is no larger than the file (and at most 512 KiB).
  std::vector<unsigned char> raw;
  OrDie(message, [&] {
    raw.resize(count * kEntrySize);
    table->resize(count);
  });
  if (!in->Read(raw.data(), raw.size())) return false;
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* p = raw.data() + i * kEntrySize;
    GaijiEntry& e = (*table)[i];
    e.code = Le16(p);
    e.value = Le16(p + 2);
    std::memcpy(e.text, p + 4, sizeof(e.text));
  }
  // A cache made elsewhere may hold surrogate halves, which a map file
  // cannot give; they would show as invalid text.
  table->erase(std::remove_if(table->begin(), table->end(),
                              [](const GaijiEntry& e) { return e.value >= 0xD800 && e.value <= 0xDFFF; }),
               table->end());
  // Look-ups search by halves; a cache made elsewhere may not be in order.
  std::sort(table->begin(), table->end(), [](const GaijiEntry& a, const GaijiEntry& b) { return a.code < b.code; });
  return true;
}

// Reads one record, or returns nullptr when the file cannot hold it.
std::unique_ptr<GaijiMapRecord> ReadRecord(CacheReader* in) {
  unsigned char head[kRecordHeaderSize];
  if (!in->Read(head, sizeof(head))) return nullptr;
  const size_t counts[3] = {Le16(head + 32), Le16(head + 34), Le16(head + 36)};
  if ((counts[0] + counts[1] + counts[2]) * kEntrySize > in->left()) return nullptr;
  std::unique_ptr<GaijiMapRecord> record;
  OrDie("malloc error in CGaijiMap::LoadCache[m_maps]", [&] { record = std::make_unique<GaijiMapRecord>(); });
  std::memcpy(record->name, head, kGaijiNameLength);
  record->name[kGaijiNameLength] = '\0';
  record->fileTime = Le32(head + 38) | (static_cast<uint64_t>(Le32(head + 42)) << 32);
  record->valid = 1;
  if (!ReadTable(in, counts[0], &record->gaiHanSorted, "malloc error in CGaijiMap::LoadCache[gaiHanSorted]") ||
      !ReadTable(in, counts[1], &record->gaiZenSorted, "malloc error in CGaijiMap::LoadCache[gaiZenSorted]") ||
      !ReadTable(in, counts[2], &record->gaiChiSorted, "malloc error in CGaijiMap::LoadCache[gaiChiSorted]"))
    return nullptr;
  return record;
}

void PutTable(std::string* out, const std::vector<GaijiEntry>& table) {
  for (const GaijiEntry& e : table) {
    PutLe16(out, e.code);
    PutLe16(out, e.value);
    out->append(e.text, sizeof(e.text));
  }
}

}  // namespace

GaijiCacheStatus ReadGaijiMapCache(const std::string& path, std::vector<std::unique_ptr<GaijiMapRecord>>* records) {
  FileRead read = ReadRegularFile(path, kMaxGaijiCacheBytes);
  if (!read.ok()) return GaijiCacheStatus::kMissing;
  CacheReader in{read.bytes};
  unsigned char head[8];
  if (!in.Read(head, sizeof(head)) || std::memcmp(head, kMagic, sizeof(kMagic)) != 0)
    return GaijiCacheStatus::kMissing;
  const int32_t count = static_cast<int32_t>(Le32(head + 4));
  GaijiCacheStatus status =
      count < 0 || read.truncated ? GaijiCacheStatus::kDamaged : GaijiCacheStatus::kWhole;
  // A record takes at least its header, which bounds what N can ask for.
  const uint64_t fits = in.left() / kRecordHeaderSize;
  OrDie("malloc error in CGaijiMap::LoadCache[m_maps]", [&] {
    records->reserve(records->size() + static_cast<size_t>(std::min<uint64_t>(fits, count < 0 ? 0 : count)));
  });
  for (int32_t i = 0; i < count; ++i) {
    std::unique_ptr<GaijiMapRecord> record = ReadRecord(&in);
    if (record == nullptr) {
      status = GaijiCacheStatus::kDamaged;
      break;
    }
    OrDie("malloc error in CGaijiMap::LoadCache[m_maps]", [&] { records->push_back(std::move(record)); });
  }
  return status;
}

std::string SerializeGaijiMapCache(const std::vector<std::unique_ptr<GaijiMapRecord>>& records) {
  std::string out(kMagic, sizeof(kMagic));
  int32_t count = 0;
  for (const auto& r : records) count += r->valid ? 1 : 0;
  PutLe32(&out, static_cast<uint32_t>(count));
  for (const auto& r : records) {
    if (!r->valid) continue;
    out.append(r->name, sizeof(r->name));
    PutLe16(&out, static_cast<uint16_t>(r->gaiHanSorted.size()));
    PutLe16(&out, static_cast<uint16_t>(r->gaiZenSorted.size()));
    PutLe16(&out, static_cast<uint16_t>(r->gaiChiSorted.size()));
    PutLe32(&out, static_cast<uint32_t>(r->fileTime & 0xFFFFFFFF));
    PutLe32(&out, static_cast<uint32_t>(r->fileTime >> 32));
    PutTable(&out, r->gaiHanSorted);
    PutTable(&out, r->gaiZenSorted);
    PutTable(&out, r->gaiChiSorted);
  }
  return out;
}
