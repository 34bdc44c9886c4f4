// Index search speed: 10,000 random words looked up in a book of 300,000
// entries, once with plain text and once with the text file in EBZip
// level 2. Prints the median time of one search, the pages a search reads
// (median and most), and the time to fetch one page from the file.
//
//   bench_index_search [ENTRIES] [SEARCHES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "reader/eb_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string RandomWord(std::mt19937& rng) {
  std::string w;
  int length = 4 + static_cast<int>(rng() % 8);
  for (int i = 0; i < length; ++i) w += static_cast<char>('a' + rng() % 26);
  return w;
}

BookSource MakeBook(int entries, std::vector<std::string>* words, FileStorage storage) {
  std::mt19937 rng(300000);
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "BENCH";
  sub.textStorage = storage;
  sub.headingArea = false;
  IndexOptions index;
  index.id = 0x92;
  sub.indexes = {index};
  sub.entries.reserve(static_cast<size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    std::string w = RandomWord(rng) + std::to_string(i % 97);
    words->push_back(w);
    BookEntry& e = sub.entries.emplace_back();
    e.heading = w;
    e.words = {{0x92, w}};
  }
  return book;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

void Run(const char* label, int entries, int searches, FileStorage storage, const std::string& dir) {
  std::vector<std::string> words;
  BookSource book = MakeBook(entries, &words, storage);
  WrittenBook written;
  std::string error;
  auto start = Clock::now();
  if (!WriteBook(book, dir, {}, &written, &error)) {
    std::fprintf(stderr, "cannot write the book: %s\n", error.c_str());
    std::exit(1);
  }
  double writeSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  CBookList list;
  if (list.ScanBooks(dir, 0) != 1 || list.GetEntry(0) == nullptr) {
    std::fprintf(stderr, "cannot open the book\n");
    std::exit(1);
  }
  CEBReader& reader = *list.GetEntry(0)->textReader;
  const IndexEntry* index = reader.FindIndex(0x92);

  std::mt19937 rng(10000);
  std::vector<double> micros, pages;
  int found = 0;
  for (int i = 0; i < searches; ++i) {
    const std::string& w = words[rng() % words.size()];
    reader.ResetPageReads();
    auto t0 = Clock::now();
    found += reader.WordSearch(w, true) > 0;
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    pages.push_back(static_cast<double>(reader.PageReads()));
  }

  // One page fetch: index pages in random order, so no read hits the cache.
  std::vector<double> pageMicros;
  for (int i = 0; i < searches && index != nullptr; ++i) {
    int32_t page = index->startPage + static_cast<int32_t>(rng() % static_cast<uint32_t>(index->pageCount));
    reader.SeekPage(page == reader.CurrentPage() ? page + 1 : page);
    auto t0 = Clock::now();
    reader.SeekPage(index->startPage + static_cast<int32_t>(rng() % static_cast<uint32_t>(index->pageCount)));
    pageMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
  }
  std::printf("%-14s %d entries (written in %.1f s), index %d pages; %d/%d words found\n", label, entries,
              writeSeconds, index ? index->pageCount : 0, found, searches);
  std::printf("  median search %.1f us, pages read per search: median %.0f, most %.0f; one page %.1f us\n",
              Median(micros), Median(pages), *std::max_element(pages.begin(), pages.end()), Median(pageMicros));
}

}  // namespace

int main(int argc, char** argv) {
  int entries = argc > 1 ? std::atoi(argv[1]) : 300000;
  int searches = argc > 2 ? std::atoi(argv[2]) : 10000;
  if (entries < 1 || searches < 1) return 2;
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "tomeling-bench-index-search";
  std::filesystem::remove_all(dir);
  Run("plain", entries, searches, {}, (dir / "plain").string());
  Run("EBZip level 2", entries, searches, {FileStorage::kEbzip, 2}, (dir / "ebzip").string());
  std::filesystem::remove_all(dir);
  return 0;
}
