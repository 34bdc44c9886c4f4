// Scanning a shelf of books: ScanBooks over a tree of 100 small books
// (EB and EPWING, one or two subbooks each, three folder levels deep, some
// folders holding other files), against `find` walking the same tree. The
// scan does more than find -- it reads every catalog and opens the text
// file of every EB subbook -- and should stay within three times find's
// time. An optional argument sets the number of rounds (default 20).
//
// Both are timed as wall time and as processor time (user + system; for
// find that of the child processes, shell included). The best round of
// each counts: the machine is shared, and the other load only adds time.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"

namespace fs = std::filesystem;

namespace {

struct Times {
  double wall = 1e9;
  double cpu = 1e9;
};

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

BookSource SmallBook(int n) {
  BookSource book;
  book.kind = n % 2 == 0 ? BookKind::kEpwing : BookKind::kEb;
  for (int s = 0; s < 1 + n % 2; ++s) {
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.title = "辞書" + std::to_string(n);
    sub.directory = "SUB" + std::to_string(s);
    IndexOptions index;
    index.id = 0x92;
    sub.indexes = {index};
    for (int e = 0; e < 5; ++e) {
      BookEntry entry;
      entry.heading = "語" + std::to_string(e);
      entry.body = {"本文"};
      entry.words = {{0x92, "word" + std::to_string(e)}};
      sub.entries.push_back(entry);
    }
  }
  return book;
}

// shelf/rN/sN/bookN: 5 x 5 x 4 books, with a few files beside them.
bool BuildShelf(const fs::path& shelf) {
  int n = 0;
  for (int r = 0; r < 5; ++r) {
    for (int s = 0; s < 5; ++s) {
      fs::path folder = shelf / ("r" + std::to_string(r)) / ("s" + std::to_string(s));
      for (int b = 0; b < 4; ++b, ++n) {
        std::string error;
        if (!WriteBook(SmallBook(n), (folder / ("book" + std::to_string(b))).string(), {}, nullptr, &error)) {
          std::fprintf(stderr, "cannot write book %d: %s\n", n, error.c_str());
          return false;
        }
      }
      fs::create_directories(folder / "notes");
      for (int f = 0; f < 5; ++f) std::ofstream(folder / "notes" / ("note" + std::to_string(f) + ".txt")) << "x";
    }
  }
  return true;
}

template <typename F>
void Measure(Times* best, int who, F&& run) {
  auto wall = std::chrono::steady_clock::now();
  double cpu = CpuSeconds(who);
  run();
  best->cpu = std::min(best->cpu, CpuSeconds(who) - cpu);
  best->wall = std::min(best->wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  fs::path shelf = fs::temp_directory_path() / ("tomeling-bench-scan-" + std::to_string(getpid()));
  if (!BuildShelf(shelf)) return 1;
  const std::string findCommand = "find '" + shelf.string() + "' > /dev/null";
  Times scan, find, warmScan, warmFind;
  int entries = 0;
  for (int round = 0; round <= rounds; ++round) {
    // Round 0 warms the caches and is not counted.
    Times& s = round == 0 ? warmScan : scan;
    Times& f = round == 0 ? warmFind : find;
    Measure(&s, RUSAGE_SELF, [&] {
      CBookList list;
      entries = list.ScanBooks(shelf.string(), 99);
    });
    Measure(&f, RUSAGE_CHILDREN, [&] {
      if (std::system(findCommand.c_str()) != 0) std::fprintf(stderr, "find failed\n");
    });
  }
  std::error_code ec;
  fs::remove_all(shelf, ec);
  std::printf("books 100, dictionaries %d, best of %d rounds\n", entries, rounds);
  std::printf("ScanBooks  wall %7.2f ms  cpu %7.2f ms\n", scan.wall * 1e3, scan.cpu * 1e3);
  std::printf("find       wall %7.2f ms  cpu %7.2f ms\n", find.wall * 1e3, find.cpu * 1e3);
  std::printf("ratio      wall %7.2f     cpu %7.2f     (goal: at most 3)\n", scan.wall / find.wall,
              scan.cpu / find.cpu);
  return entries == 150 ? 0 : 1;
}
