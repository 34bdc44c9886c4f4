// tomeling page FILE N [--raw] [--hint N]: shows one page of a book file as
// the reader sees it, after any decompression. For looking into books and
// for checking what the storage layer makes of a damaged file. --home is
// taken as by every command, but a file's pages need nothing from the
// application directory.
#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command.h"
#include "storage/book_file.h"

namespace {

bool ParseInt(const std::string& text, long long min, long long max, long long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < min || v > max) return false;
  *value = v;
  return true;
}

void PrintHexDump(const uint8_t* page, int32_t pageNumber) {
  uint64_t base = static_cast<uint64_t>(pageNumber - 1) * kPageSize;
  for (int line = 0; line < kPageSize; line += 16) {
    std::printf("%08" PRIX64 " ", base + line);
    for (int i = 0; i < 16; ++i) std::printf("%s%02X", i == 8 ? "  " : " ", page[line + i]);
    std::printf("  ");
    for (int i = 0; i < 16; ++i) {
      uint8_t c = page[line + i];
      std::putchar(c >= 0x20 && c < 0x7F ? c : '.');
    }
    std::putchar('\n');
  }
}

int RunPage(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  bool raw = false;
  long long hint = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--raw") {
      raw = true;
    } else if (args[i] == "--home") {
      if (++i >= args.size()) return UsageError("page");
    } else if (args[i] == "--hint") {
      if (i + 1 >= args.size() || !ParseInt(args[++i], 0, 255, &hint)) return UsageError("page");
    } else {
      positional.push_back(args[i]);
    }
  }
  long long page = 0;
  if (positional.size() != 2 || !ParseInt(positional[1], 1, INT32_MAX, &page)) return UsageError("page");

  const std::string& path = positional[0];
  CBookFile file;
  if (file.Open(path, static_cast<int>(hint)) != 0) {
    std::fprintf(stderr, "tomeling page: cannot open \"%s\" or its storage is not supported\n", path.c_str());
    return 1;
  }
  uint8_t buffer[kPageSize];
  if (file.SetPage(static_cast<int32_t>(page)) != 0 || file.ReadPage(buffer) != 1) {
    std::fprintf(stderr, "tomeling page: cannot read page %lld of \"%s\"\n", page, path.c_str());
    return 1;
  }
  if (raw) {
    if (std::fwrite(buffer, 1, kPageSize, stdout) != static_cast<size_t>(kPageSize)) return 1;
  } else {
    PrintHexDump(buffer, static_cast<int32_t>(page));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

CCommandRegistration g_page("page", "FILE N [--raw] [--hint N]",
                            "print page N of a book file (after decompression) as a hex dump", RunPage);

}  // namespace
