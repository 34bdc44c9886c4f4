// Fuzz target: arbitrary bytes as the index pages of a subbook, searched
// every way the reader can; and the same bytes as a catalog.
//
// Input layout:
//   0      which index the pages form (one of the word index identifiers)
//   1      flags: bit 0 SEION, 1 single-byte, 2 exact, 3 retry, 4-5 style
//          mode of the index table, 6 group/EB mode (START instead of HONMON)
//   2-4    the index's three style bytes
//   5      search key length (at most 24), then the key bytes
//   rest   index pages from page 2 on (at most 32 pages)
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "reader/eb_reader.h"

namespace {

const uint8_t kIds[] = {0x90, 0x91, 0x92, 0x70, 0x71, 0x72, 0x80, 0x81, 0x30, 0x40, 0xA0, 0x61, 0x50, 0x60};

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// One scratch directory per process, removed at exit.
struct ScratchDir {
  ScratchDir() {
    path = (std::filesystem::temp_directory_path() / ("tomeling-index-fuzz-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

const std::string& Scratch() {
  static ScratchDir dir;
  return dir.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const uint8_t id = kIds[data[0] % sizeof(kIds)];
  const uint8_t flags = data[1];
  size_t keyLength = std::min<size_t>(data[5] % 25, size - 6);
  std::string key(reinterpret_cast<const char*>(data + 6), keyLength);
  size_t at = 6 + keyLength;
  size_t pagesBytes = std::min(size - at, static_cast<size_t>(32 * kPageSize));
  int32_t pages = static_cast<int32_t>((pagesBytes + kPageSize - 1) / kPageSize);

  std::vector<uint8_t> file(kPageSize, 0);
  file[1] = 1;                          // one index table entry
  file[4] = (flags >> 4) & 3;           // style mode
  uint8_t* e = &file[16];
  e[0] = id;
  e[5] = 2;                             // start page 2
  e[9] = static_cast<uint8_t>(pages);   // page count
  e[10] = static_cast<uint8_t>(flags & 3);
  e[11] = data[2], e[12] = data[3], e[13] = data[4];
  file.insert(file.end(), data + at, data + at + pagesBytes);
  std::string path = Scratch() + ((flags & 0x40) ? "/START" : "/HONMON");
  WriteFile(path, file);

  CEBReader reader;
  if (reader.Open(path, 1, 0) == 1) {
    reader.SetSeion(flags & 1);
    reader.SetSingleByte(flags & 2 ? 1 : 0);
    reader.SetRetryShorter(flags & 8);
    for (const std::string& k : {key, std::string("a"), std::string("\x82\xA0\x81\x5B", 4)}) {
      reader.WordSearch(k, flags & 4);
      reader.EndwordSearch(k);
    }
    if (const IndexEntry* index = reader.FindIndex(id)) {
      for (int32_t p = index->startPage; p <= index->endPage; ++p) reader.ScanLeaves(*index, p, key, false);
    }
    Glyph glyph;
    reader.GetGlyph(16, 16, 0xA121, &glyph);
  }

  // The same bytes as a catalog of each kind.
  std::vector<uint8_t> catalog(data, data + std::min(size, static_cast<size_t>(kPageSize)));
  WriteFile(Scratch() + "/CATALOGS", catalog);
  Catalog parsed;
  ReadCatalog(Scratch(), true, &parsed);
  ReadCatalogFile(Scratch() + "/CATALOGS", false, &parsed);
  return 0;
}
