// Fuzzes CBookFile: the input, less its last byte, becomes a book file; the
// last byte picks the file's name (which decides the compression tests run)
// and the EPWING version hint. Every page up to a bound, and a few far ones,
// is read; the sanitizers catch any overrun, and a page read must return 0
// or 1 with a failed compressed page zero-filled.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "storage/book_file.h"

namespace {

const char* const kNames[] = {"HONMON2", "START", "HONMON.ebz", "CATALOGS"};
const int kHints[] = {0, 1, 2, 3, 4, 5, 6, 7};

char g_scratch[] = "/tmp/tomeling-fuzz-XXXXXX";

void RemoveScratchDir() { rmdir(g_scratch); }

// One folder for the whole run; each input's file is removed after use.
const char* ScratchDir() {
  static const bool made = [] {
    if (mkdtemp(g_scratch) == nullptr) std::abort();
    std::atexit(RemoveScratchDir);
    return true;
  }();
  (void)made;
  return g_scratch;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void ReadPage(CBookFile& file, int32_t page) {
  static uint8_t buffer[kPageSize];
  if (file.SetPage(page) != 0) return;
  int result = file.ReadPage(buffer);
  Check(result == 0 || result == 1);
  if (result == 0 && file.StorageKind() != CBookFile::kPlain)
    for (uint8_t b : buffer) Check(b == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  uint8_t selector = data[size - 1];
  std::string path = std::string(ScratchDir()) + "/" + kNames[selector & 3];
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return 0;
  bool written = std::fwrite(data, 1, size - 1, out) == size - 1;
  if (std::fclose(out) != 0 || !written) return 0;

  CBookFile file;
  if (file.Open(path, kHints[(selector >> 2) & 7]) == 0) {
    for (int32_t page = 1; page <= 40; ++page) ReadPage(file, page);
    int64_t last = file.DataSize() / kPageSize;
    for (int64_t page : {last, last + 1, last / 2, int64_t{INT32_MAX}})
      if (page >= 1 && page <= INT32_MAX) ReadPage(file, static_cast<int32_t>(page));
    // Sequential reads after the far jumps, through the cache again.
    ReadPage(file, 2);
    uint8_t buffer[kPageSize];
    file.ReadPage(buffer);
  }
  std::remove(path.c_str());
  return 0;
}
