// CGaijiMap on arbitrary files: the input as a ".MAP" file (the first byte
// even) or as "GaijiMap.db" (odd; with bit 1 set the magic is forced so
// that record parsing is reached). Beyond the sanitizers' checks: tables
// stay sorted and bounded (also those read from a cache), every entry is
// found by LookUp and has no surrogate half for its value, and a map loaded
// from its file reads back the same from the cache it wrote.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "decode/gaiji_map.h"
#include "decode/gb2312.h"

namespace fs = std::filesystem;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Made once and never destroyed, so that the exit handler can still use it.
const std::string& WorkDir() {
  static const std::string* dir = [] {
    // Every loaded map rewrites the cache with fsync; in memory that costs
    // nothing, on a disk it would make a run take minutes.
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "tomeling-gaiji-fuzz-XXXXXX").string();
    if (mkdtemp(tmpl.data()) == nullptr) std::abort();
    return new std::string(tmpl);
  }();
  static const bool cleanup = std::atexit([] {
    std::error_code ec;
    fs::remove_all(WorkDir(), ec);
  }) == 0;
  (void)cleanup;
  return *dir;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CheckRecord(const GaijiMapRecord& r) {
  for (int t = 0; t < 3; ++t) {
    const auto& table = *r.Table(t);
    Check(table.size() <= kMaxGaijiEntries);
    for (size_t i = 0; i < table.size(); ++i) {
      if (i > 0) Check(table[i - 1].code <= table[i].code);
      uint16_t value = 1;
      Check(CGaijiMap::LookUp(&r, t, table[i].code, &value, nullptr, 0) == 1);
      Check(value < 0xD800 || value > 0xDFFF);  // never half a character
    }
  }
}

bool SameTables(const GaijiMapRecord& a, const GaijiMapRecord& b) {
  for (int t = 0; t < 3; ++t) {
    const auto& x = *a.Table(t);
    const auto& y = *b.Table(t);
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
      if (x[i].code != y[i].code || x[i].value != y[i].value || std::memcmp(x[i].text, y[i].text, 4) != 0)
        return false;
  }
  return a.fileTime == b.fileTime;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  const std::string dir = WorkDir();
  std::error_code ec;
  fs::remove_all(dir + "/GAIJI", ec);
  fs::remove(dir + "/GaijiMap.db", ec);
  if ((mode & 1) == 0) {
    fs::create_directories(dir + "/GAIJI");
    WriteFile(dir + "/GAIJI/F.MAP", data + 1, size - 1);
    CGaijiMap fromFile(dir);
    const GaijiMapRecord* a = fromFile.FindMap("F.MAP");
    Check(a != nullptr);
    CheckRecord(*a);
    CGaijiMap fromCache(dir);
    const GaijiMapRecord* b = fromCache.FindMap("F.MAP");
    Check(b != nullptr && SameTables(*a, *b));
  } else {
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((mode & 2) != 0) bytes.replace(0, std::min<size_t>(4, bytes.size()), "GM01");
    WriteFile(dir + "/GaijiMap.db", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    CGaijiMap map(dir);
    for (size_t i = 0; i < map.RecordCount(); ++i) {
      CheckRecord(map.Record(i));
      Check(map.Record(i).Name().size() <= kGaijiNameLength);
    }
  }
  ResetGb2312Table();
  return 0;
}
