// Filling the hit list pane with a full search result: 10,000 hits of one
// dictionary (the readers' limit), every heading decoded from the book
// and converted, the rows handed to the Qt list, offscreen. Prints the
// median and slowest fill beside the goal, and the fill with the list's
// first paint after it.
//
//   bench_hit_list_view [RUNS]
//
// Goal: a fill of 10,000 hits under 150 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <QApplication>

#include "bookwriter/book_writer.h"
#include "decode/cp932.h"
#include "kana_book.h"
#include "reader/eb_reader.h"
#include "shell/dict_session.h"
#include "shell/frame.h"
#include "shell/plain_text.h"
#include "views/hit_list_model.h"
#include "views/left_view.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEntries = 10200;  // more than a search may return
constexpr double kGoalMs = 150.0;

// A frame that does nothing: the list's requests are not what is timed.
class CQuietFrame : public CFrame {
 public:
  void ShowHit(long, long) override {}
  void Search(bool, bool) override {}
  void MoveFocus(long, long) override {}
  void SetTitle(int) override {}
  void ShowText(int32_t, int) override {}
  void ShowGraphic(int32_t, int) override {}
  void Startup() override {}
  void Back() override {}
  void Forward() override {}
  void Abort() override {}
  void Tray(long) override {}
  void SearchBoxFocus(long, long) override {}
  void ShowNamedGraphic(const std::u16string&) override {}
  void ToggleFullScreen() override {}
  void ReloadBooks() override {}
  void SearchDone(int, bool) override {}
  void ShowMenu() override {}
  void Post(const CFrameMessage&) override {}
  bool TakeSelection(std::u16string*) override { return false; }
  std::u16string SearchBoxText() override { return {}; }
  int SearchTypeSelection() override { return 0; }
  void SetStatusText(const std::u16string&) override {}
  void ShowNoHitNotice(bool) override {}
  void PutHistoryWord(const std::u16string&) override {}
  void SetWaitCursor(bool) override {}
  void LeaveFullScreen() override {}
  void StopSound() override {}
  using CFrame::MoveFocus;
};

// Every reading starts with あ, so one forward search finds them all.
bool WriteBigBook(const std::string& dir) {
  std::mt19937 rng(4711);
  BookSource book;
  SubbookSource& sub = AddReadingSubbook(book, "BIG", "大辞典");
  for (int i = 0; i < kEntries; ++i)
    sub.entries.push_back(ReadingEntry("見出し語" + std::to_string(i), u"あ" + RandomKana(rng, 4), "本文の例です。"));
  std::string error;
  if (!WriteBook(book, dir, WriteOptions{}, nullptr, &error)) {
    std::fprintf(stderr, "cannot write the book: %s\n", error.c_str());
    return false;
  }
  return true;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;

  std::filesystem::path dir = std::filesystem::temp_directory_path() / "tomeling-bench-hit-list-view";
  std::filesystem::remove_all(dir);
  if (!WriteBigBook((dir / "book").string())) return 1;
  SessionOptions options;
  options.home = (dir / "app").string();
  options.profilePath = (dir / "store.ini").string();
  std::filesystem::create_directories(options.home);
  CDictSession session(options);
  if (session.ScanBooks({(dir / "book").string()}, 1) != 1) {
    std::fprintf(stderr, "the book was not found\n");
    return 1;
  }

  CQuietFrame frame;
  CLeftView list(session, frame);
  list.resize(320, 480);
  list.show();
  QCoreApplication::processEvents();

  const std::string word = Utf16ToCp932(u"あ");
  std::vector<double> fill, painted;
  int rows = 0;
  for (int r = 0; r < runs + 1; ++r) {
    CEBReader* reader = session.Display(0).reader;
    if (reader == nullptr || reader->WordSearch(word) <= 0) {
      std::fprintf(stderr, "the search found nothing\n");
      return 1;
    }
    auto begin = Clock::now();
    rows = list.FillFromHits(0);
    auto filled = Clock::now();
    list.viewport()->repaint();
    auto end = Clock::now();
    if (r == 0) continue;  // the first run warms the caches and fonts
    fill.push_back(std::chrono::duration<double, std::milli>(filled - begin).count());
    painted.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
  }
  std::filesystem::remove_all(dir);

  std::printf("hit list view: %d rows of %zu hits, %d runs, offscreen\n", rows, list.Model()->Rows().Hits().size(),
              runs);
  std::printf("  fill (headings decoded)   median %7.1f ms   slowest %7.1f ms   goal < %.0f ms  %s\n", Median(fill),
              *std::max_element(fill.begin(), fill.end()), kGoalMs, Median(fill) < kGoalMs ? "ok" : "MISSED");
  std::printf("  fill and first paint      median %7.1f ms   slowest %7.1f ms\n", Median(painted),
              *std::max_element(painted.begin(), painted.end()));
  return 0;
}
