// All-dictionary search over a shelf of books: 100 EPWING books of 2,000
// entries each (every tenth one EBZip-compressed), searched through the
// program's search cycle with bFindAllDict, as the desktop program does.
// Prints the time of one search over all books (first, median, slowest)
// and the peak resident memory of the searching process; the books are
// written by a child process so that the writer's memory does not count.
//
//   bench_all_dict_search [BOOKS] [ENTRIES] [DIR]
//
// Goal: peak resident memory under 50 MB.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "shell/plain_text.h"
#include "shell/search_cycle.h"
#include "shell/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

const char16_t kKana[] = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ";

std::u16string RandomKana(std::mt19937& rng, int length) {
  std::u16string w;
  for (int i = 0; i < length; ++i) w += kKana[rng() % (std::size(kKana) - 1)];
  return w;
}

bool WriteShelf(const std::string& dir, int books, int entries) {
  for (int b = 0; b < books; ++b) {
    std::mt19937 rng(static_cast<uint32_t>(1000 + b));
    BookSource book;
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.directory = "DICT";
    sub.title = "辞書";
    if (b % 10 == 9) sub.textStorage = FileStorage{FileStorage::kEbzip, 1};
    sub.indexes = {IndexOptions{0x90}, IndexOptions{0x70}, IndexOptions{0x92}};
    for (int i = 0; i < entries; ++i) {
      std::string reading = ToUtf8(RandomKana(rng, 2 + static_cast<int>(rng() % 5)));
      std::string english = "w" + std::to_string(b) + "x" + std::to_string(i);
      BookEntry& e = sub.entries.emplace_back();
      e.heading = reading;
      e.body = {"読み：" + reading, "英語：" + english, "見出しと本文の例文です。"};
      e.words = {{0x90, reading}, {0x70, reading}, {0x92, english}};
    }
    std::string error;
    if (!WriteBook(book, dir + "/book" + std::to_string(b), WriteOptions{}, nullptr, &error)) {
      std::fprintf(stderr, "writing book %d: %s\n", b, error.c_str());
      return false;
    }
  }
  return true;
}

class CQuietFrame : public CSearchFrame {
 public:
  bool TakeSelection(std::u16string*) override { return false; }
  std::u16string SearchBoxText() override { return word; }
  int SearchTypeSelection() override { return 0; }
  void SetStatusText(const std::u16string&) override {}
  void MoveFocus(FocusTarget) override {}
  void ShowNoHitNotice(bool) override {}
  void PutHistoryWord(const std::u16string&) override {}
  void SetWaitCursor(bool) override {}
  void LeaveFullScreen() override {}
  void StopSound() override {}
  std::u16string word;
};

long PeakKb() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  int books = argc > 1 ? std::atoi(argv[1]) : 100;
  int entries = argc > 2 ? std::atoi(argv[2]) : 2000;
  std::string dir = argc > 3 ? argv[3] : (std::filesystem::temp_directory_path() / "tomeling-bench-shelf").string();
  bool keep = argc > 3;
  if (books < 1 || entries < 1) return 2;

  if (!std::filesystem::exists(dir + "/book" + std::to_string(books - 1))) {
    std::filesystem::remove_all(dir);
    pid_t child = fork();
    if (child == 0) _exit(WriteShelf(dir, books, entries) ? 0 : 1);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  }
  long baseline = PeakKb();

  std::string app = dir + "/app";
  std::filesystem::create_directories(app);
  CSettings settings(app, app + "/store.ini");
  settings.LoadGlobals();
  settings.bFindAllDict = true;
  CBookList list;
  list.ScanBooks(dir, 1);
  settings.ApplyDictConfigs(list);
  CQuietFrame frame;
  CHitCollector collector(list);
  CSearchCycle cycle(settings, list, frame, collector);

  std::mt19937 rng(7);
  std::vector<double> ms;
  size_t hits = 0;
  for (int i = 0; i < 40; ++i) {
    // Short words find many entries in every book, long ones few.
    frame.word = RandomKana(rng, 1 + i % 3) + u"*";
    Clock::time_point start = Clock::now();
    cycle.RunSearch(true);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    hits += collector.Hits().size();
  }
  double first = ms.front();
  std::sort(ms.begin(), ms.end());
  std::printf("books %d x %d entries (%d dictionaries), 40 all-dictionary searches, %zu hits\n", books, entries,
              list.Count(), hits);
  std::printf("one search over all books: first %.1f ms, median %.1f ms, slowest %.1f ms\n", first,
              ms[ms.size() / 2], ms.back());
  std::printf("peak resident memory: %.1f MB (process before opening books: %.1f MB); goal under 50 MB\n",
              PeakKb() / 1024.0, baseline / 1024.0);
  if (!keep) std::filesystem::remove_all(dir);
  return 0;
}
