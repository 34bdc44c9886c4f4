// mkbook: writes book files for tests, benchmarks and the demo dictionary.
// Dispatches to the subcommand named by the first argument; see command.h.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"

std::vector<MkbookCommand>& MkbookCommands() {
  static std::vector<MkbookCommand> commands;
  return commands;
}

int MkbookUsage(const char* name) {
  for (const MkbookCommand& c : MkbookCommands())
    if (std::strcmp(c.name, name) == 0) std::fprintf(stderr, "usage: mkbook %s %s\n", c.name, c.usage);
  return 2;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    std::fprintf(stderr, "mkbook: cannot open %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  out.clear();
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) std::fprintf(stderr, "mkbook: cannot read %s\n", path.c_str());
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    std::fprintf(stderr, "mkbook: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) std::fprintf(stderr, "mkbook: cannot write %s\n", path.c_str());
  return ok;
}

bool ParseIntOption(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  int v = std::stoi(text);
  if (v < low || v > high) return false;
  value = v;
  return true;
}

static void PrintHelp(FILE* out) {
  std::vector<MkbookCommand> sorted = MkbookCommands();
  std::sort(sorted.begin(), sorted.end(),
            [](const MkbookCommand& a, const MkbookCommand& b) { return std::strcmp(a.name, b.name) < 0; });
  std::fprintf(out, "usage: mkbook COMMAND [ARGS]\n\ncommands:\n");
  for (const MkbookCommand& c : sorted) std::fprintf(out, "  %-10s %s\n             %s\n", c.name, c.usage, c.summary);
}

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintHelp(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const MkbookCommand& c : MkbookCommands()) {
    if (std::strcmp(c.name, argv[1]) == 0) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "mkbook: unknown command \"%s\"\n", argv[1]);
  PrintHelp(stderr);
  return 2;
}
