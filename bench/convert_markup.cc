// Cost of turning a decoded entry into the wide form: a 60 KB entry of
// Japanese text broken by tags, gaiji entities (half of them mapped) and a
// few web addresses, converted with a user's map; and the cost of building
// the gaiji map itself, from three 20,000-line map files and then from the
// cache they were compiled into. Prints the median and the spread of runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "decode/gaiji_map.h"
#include "decode/markup.h"
#include "decode/markup_convert.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
void Measure(const char* what, int runs, double unitsPerRun, const char* unit, F f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  std::printf("%-34s median %8.3f ms (min %.3f, max %.3f), %.1f %s/s\n", what, median, ms.front(), ms.back(),
              unitsPerRun / (median / 1000.0), unit);
}

std::string MakeEntry() {
  std::vector<char> bytes(60000);
  MarkupBuffer b{bytes.data(), bytes.size(), 0};
  AppendMarkup(&b, kTagBody);
  for (int line = 0; b.length < bytes.size() - 400; ++line) {
    AppendMarkup(&b, kTagHead);
    for (int i = 0; i < 12; ++i) WriteTextChar(&b, static_cast<uint16_t>(0x889F + (line * 7 + i) % 90));
    AppendMarkup(&b, kTagHeadEnd);
    WriteIndent(&b, line % 4);
    for (int i = 0; i < 60; ++i) WriteTextChar(&b, static_cast<uint16_t>(0x82A0 + (line + i) % 80));
    WriteGaijiEntity(&b, 'h', static_cast<uint16_t>(0xA121 + line % 200));
    WriteGaijiEntity(&b, 'z', static_cast<uint16_t>(0xB021 + line % 200));
    if (line % 10 == 0) AppendMarkup(&b, " http://example.com/dict/entry_1 ");
    AppendMarkup(&b, kTagLink);
    AppendMarkup(&b, "see also");
    WriteLinkEnd(&b, static_cast<uint32_t>(line + 100), 0x10);
    AppendMarkup(&b, kNewLine);
  }
  AppendMarkup(&b, kTagBodyEnd);
  return std::string(bytes.data(), b.length);
}

void WriteMap(const fs::path& path, char letter) {
  std::ofstream out(path, std::ios::binary);
  char line[32];
  for (int i = 0; i < 20000; ++i) {
    std::snprintf(line, sizeof(line), "%c%04X u%04X\n", letter, 0xA121 + i * 2, 0x4E00 + i);
    out << line;
  }
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / "tomeling-bench-markup";
  fs::remove_all(dir);
  fs::create_directories(dir / "GAIJI");
  WriteMap(dir / "GAIJI" / "HALF.MAP", 'h');
  WriteMap(dir / "GAIJI" / "FULL.MAP", 'z');
  WriteMap(dir / "GAIJI" / "CHI.MAP", 'c');

  Measure("gaiji map from 3 map files", 5, 60000, "lines", [&] {
    fs::remove(dir / "GaijiMap.db");
    CGaijiMap map(dir.string());
  });
  Measure("gaiji map from the cache", 20, 60000, "entries", [&] { CGaijiMap map(dir.string()); });

  CGaijiMap map(dir.string());
  const MarkupBook book{false, map.FindMap("HALF.MAP")};
  const std::string entry = MakeEntry();
  std::vector<char16_t> out(entry.size() * 2);
  size_t count = 0;
  Measure("ConvertMarkup, 60 KB entry", 50, static_cast<double>(entry.size()) / 1e6, "MB", [&] {
    ConvertMarkup(book, entry.data(), entry.size(), out.data(), out.size(), &count);
  });
  std::printf("(%zu bytes -> %zu units)\n", entry.size(), count);
  fs::remove_all(dir);
  return 0;
}
