// The main window's two speeds a user feels, offscreen, in marrit's build
// (the Handheld PC edition):
//
//   start-up  from the program's start (fork and exec) to the first
//             dictionary's menu painted by the start-up sequence, with a
//             group of 100 dictionaries: 25 EPWING and 25 EB books of two
//             subbooks each, every one with a menu. Each run is a new
//             process that makes the session and the window as
//             apps/desktop/main.cc does. Goal: under 300 ms.
//   search    from Enter after a word typed into the search box (three
//             kana of a reading, so a handful of hits) to the hits listed
//             and the first entry painted, in a book of 300,000 entries.
//             Goal: under 50 ms. Then the same with one kana typed, whose
//             thousands of hits show what a long list adds (no goal).
//
//   bench_main_frame_view [RUNS]
//
// Each figure prints as a median and the slowest run beside its goal, the
// search also with its part inside the Enter key (the search and the fill
// of the list; the entry is shown and painted after it). The first run of
// each warms the caches and is not counted.
//
// Measured on the shared 2-core development machine: start-up 36 to 60 ms
// (median, by the load of the others); search 0.8 ms, of which 0.2 ms in
// the Enter key; one kana (about 6,900 hits) 11 to 22 ms.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "kana_book.h"
#include "shell/dict_session.h"
#include "shell/hit_rows.h"
#include "shell/search_cycle.h"
#include "views/folian_view.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/search_bar.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kStartupGoalMs = 300.0;
constexpr double kSearchGoalMs = 50.0;
constexpr int kGroupBooks = 50;       // of two subbooks each: 100 dictionaries
constexpr int kBigEntries = 300000;
constexpr int kTypedKana = 3;
const char* const kStartupFlag = "--startup-once";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void PrintFigure(const char* label, const std::vector<double>& v, double goal) {
  double median = Median(v);
  std::printf("  %-38s median %7.1f ms   slowest %7.1f ms", label, median,
              v.empty() ? 0 : *std::max_element(v.begin(), v.end()));
  if (goal > 0) std::printf("   goal < %.0f ms  %s", goal, median < goal ? "ok" : "MISSED");
  std::printf("\n");
}

bool Write(const BookSource& book, const fs::path& where) {
  std::string error;
  if (WriteBook(book, where.string(), WriteOptions{}, nullptr, &error)) return true;
  std::fprintf(stderr, "cannot write %s: %s\n", where.c_str(), error.c_str());
  return false;
}

// A dictionary of the group: 50 entries and a menu linking to a few.
void AddSmallDictionary(BookSource& book, int number, int sub, std::mt19937& rng) {
  std::string title = "辞書" + std::to_string(number) + "の" + std::to_string(sub);
  SubbookSource& s = AddReadingSubbook(book, "SUB" + std::to_string(sub), title);
  std::string menu = "【目次】";
  for (int i = 0; i < 50; ++i) {
    const BookEntry& e = s.entries.emplace_back(ReadingEntry("語" + std::to_string(i), RandomKana(rng, 4), "本文の例です。"));
    if (i < 8) menu += "{link " + e.heading + "}" + e.heading + "{/link}　";
  }
  s.menu = {title + "　目次", menu};
}

// The application directory, the Globals store and a group file listing
// every book below `books`.
bool WriteAppDir(const fs::path& dir, const fs::path& books) {
  fs::create_directories(dir / "app");
  std::ofstream(dir / "store.ini") << "[Globals]\nbFindAllDrv=0\n";
  CBookList list;
  int found = list.ScanBooks(books.string(), 2);
  if (found == 0 || list.SaveList((dir / "app" / "TOMELING.grp").string()) != 1) {
    std::fprintf(stderr, "cannot write the group of %s\n", books.c_str());
    return false;
  }
  return true;
}

bool WriteGroupOf100(const fs::path& dir) {
  std::mt19937 rng(100);
  for (int b = 0; b < kGroupBooks; ++b) {
    BookSource book;
    book.kind = b % 2 == 0 ? BookKind::kEpwing : BookKind::kEb;
    AddSmallDictionary(book, b, 1, rng);
    AddSmallDictionary(book, b, 2, rng);
    if (!Write(book, dir / "books" / ("book" + std::to_string(b)))) return false;
  }
  return WriteAppDir(dir, dir / "books");
}

// The big book: readings of five random kana, so three typed kana find a
// few entries.
bool WriteBigBook(const fs::path& dir, std::vector<std::u16string>* readings) {
  std::mt19937 rng(300000);
  BookSource book;
  SubbookSource& sub = AddReadingSubbook(book, "BIG", "大辞典");
  sub.entries.reserve(kBigEntries);
  for (int i = 0; i < kBigEntries; ++i) {
    readings->push_back(RandomKana(rng, 5));
    sub.entries.push_back(ReadingEntry("見出し語" + std::to_string(i), readings->back(),
                                       "本文の例です。辞書の本文には漢字とかなが混ざり、{b}太字{/b}もあります。"));
  }
  auto begin = Clock::now();
  if (!Write(book, dir / "books" / "big")) return false;
  std::printf("(the book of %d entries written in %.1f s)\n", kBigEntries, Ms(Clock::now() - begin) / 1000);
  return WriteAppDir(dir, dir / "books");
}

// The session and the window, made as apps/desktop/main.cc makes them.
SessionOptions Options(const fs::path& dir) {
  SessionOptions options;
  options.home = (dir / "app").string();
  options.profilePath = (dir / "store.ini").string();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    options.workRight = area.right() + 1;
    options.workBottom = area.bottom() + 1;
  }
  return options;
}

// Counts the paint events of the widgets it watches that come while
// `when` holds (always, without one): such a paint draws that state.
class CPaintCounter : public QObject {
 public:
  explicit CPaintCounter(std::function<bool()> when = nullptr) : m_when(std::move(when)) {}
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && (!m_when || m_when())) ++count;
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool()> m_when;
};

// ---- start-up: one run in a child process

// The child, made as apps/desktop/main.cc makes the program: runs until
// the start-up sequence has put the first dictionary's menu into the
// content view and the view has been painted with it, then prints that
// moment on the steady clock, which is the same clock in every process.
int StartupOnce(int argc, char** argv, const fs::path& dir) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Marrit"));
  CDictSession session(Options(dir));
  session.LoadGroup();
  CMainFrame frame(session, CMainFrame::Edition::kHandheldPc);
  CPaintCounter menuPainted([&frame] { return frame.StartupDone() && frame.ContentView()->Model().HasEntry(); });
  frame.ContentView()->viewport()->installEventFilter(&menuPainted);
  frame.Start();
  auto deadline = Clock::now() + std::chrono::seconds(20);
  auto ready = Clock::now();
  while (menuPainted.count == 0 && ready < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ready = Clock::now();
  }
  if (ready >= deadline || session.Count() != 2 * kGroupBooks) {
    std::fprintf(stderr, "the menu was not painted after start-up (%d dictionaries)\n", session.Count());
    return 1;
  }
  std::printf("%lld\n", static_cast<long long>(ready.time_since_epoch().count()));
  frame.Quit();
  return 0;
}

// The parent: starts the child and reads when it was ready. -1 on failure.
double StartupRun(const fs::path& dir) {
  static char self[] = "/proc/self/exe";
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string dirArg = dir.string();
  char* args[] = {self, const_cast<char*>(kStartupFlag), dirArg.data(), nullptr};
  pid_t pid = 0;
  auto begin = Clock::now();
  int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return -1;
  }
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  long long ready = 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || std::sscanf(text.c_str(), "%lld", &ready) != 1) return -1;
  return Ms(Clock::duration(ready) - begin.time_since_epoch());
}

bool BenchStartup(const fs::path& dir, int runs) {
  if (!WriteGroupOf100(dir)) return false;
  std::vector<double> ms;
  for (int r = 0; r < runs + 1; ++r) {
    double t = StartupRun(dir);
    if (t < 0) {
      std::fprintf(stderr, "a start-up run failed\n");
      return false;
    }
    if (r > 0) ms.push_back(t);
  }
  std::printf("start-up, a group of %d dictionaries, %d runs, offscreen\n", 2 * kGroupBooks, runs);
  PrintFigure("process start to first menu painted", ms, kStartupGoalMs);
  return true;
}

// ---- search: a word typed and entered in the running window

void SendKey(int key, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(QApplication::focusWidget(), &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(QApplication::focusWidget(), &release);
}

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool ShowsFirstHit(CMainFrame& frame) {
  CLeftView* list = frame.HitList();
  if (list->RowCount() == 0) return false;
  const DictHit* first = list->Hit(list->Row(0)->hit);
  const CContentModel& model = frame.ContentView()->Model();
  return first != nullptr && model.HasEntry() && model.Page() == first->hit.textPage &&
         model.Offset() == first->hit.textOffset;
}

// Types the first `typed` kana of random readings into the search box,
// and times Enter to the first hit's entry painted.
bool TimeSearches(CMainFrame& frame, const std::vector<std::u16string>& readings, int typed, int runs,
                  double goal) {
  std::u16string word;
  CPaintCounter entryPainted([&] { return frame.SearchWord() == word && ShowsFirstHit(frame); });
  frame.ContentView()->viewport()->installEventFilter(&entryPainted);
  std::mt19937 rng(50);
  std::vector<double> total, inEnter, hits;
  for (int r = 0; r < runs + 1; ++r) {
    word = readings[rng() % readings.size()].substr(0, static_cast<size_t>(typed));
    frame.SearchBar()->FocusWord(true);
    Settle();
    for (char16_t c : word) SendKey(Qt::Key_unknown, QString(QChar(c)));
    // The history box completes a typed beginning of an earlier word; the
    // user deletes what it added.
    const QString typedText = QString::fromStdU16String(word);
    if (frame.SearchBar()->WordBox()->currentText() != typedText) SendKey(Qt::Key_Delete);
    Settle();
    if (frame.SearchBar()->WordBox()->currentText() != typedText) {
      std::fprintf(stderr, "the search box holds %s, not the word typed\n",
                   frame.SearchBar()->WordBox()->currentText().toUtf8().constData());
      return false;
    }
    entryPainted.count = 0;
    auto begin = Clock::now();
    SendKey(Qt::Key_Return);
    auto entered = Clock::now();
    auto deadline = begin + std::chrono::seconds(10);
    auto end = Clock::now();
    while (entryPainted.count == 0 && end < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      end = Clock::now();
    }
    if (end >= deadline) {
      std::fprintf(stderr, "the entry of %s was not shown\n", QString::fromStdU16String(word).toUtf8().constData());
      return false;
    }
    if (r == 0) continue;
    total.push_back(Ms(end - begin));
    inEnter.push_back(Ms(entered - begin));
    hits.push_back(frame.HitList()->RowCount());
  }
  std::printf("search, a book of %d entries, %d runs of %d typed kana (median %.0f hits, most %.0f), offscreen\n",
              kBigEntries, runs, typed, Median(hits), *std::max_element(hits.begin(), hits.end()));
  PrintFigure("Enter to hits listed and entry painted", total, goal);
  PrintFigure("  of which inside the Enter key", inEnter, 0);
  return true;
}

bool BenchSearch(int argc, char** argv, const fs::path& dir, int runs) {
  std::vector<std::u16string> readings;
  if (!WriteBigBook(dir, &readings)) return false;
  QApplication app(argc, argv);
  CDictSession session(Options(dir));
  session.LoadGroup();
  CMainFrame frame(session, CMainFrame::Edition::kHandheldPc);
  frame.Start();
  for (int i = 0; i < 100 && !frame.StartupDone(); ++i) QCoreApplication::processEvents();
  frame.activateWindow();
  Settle();
  // A word as typed; then one kana (no goal: the hit list's own bench
  // has one for long lists).
  bool ok = TimeSearches(frame, readings, kTypedKana, runs, kSearchGoalMs) && TimeSearches(frame, readings, 1, runs, 0);
  frame.Quit();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::string(argv[1]) == kStartupFlag) return StartupOnce(argc, argv, argv[2]);
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;

  // Everything the programs read or write stays in the bench's folder.
  fs::path dir = fs::temp_directory_path() / "tomeling-bench-main-frame";
  fs::remove_all(dir);
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
    fs::create_directories(dir / name);
    fs::permissions(dir / name, fs::perms::owner_all);
    setenv(name, (dir / name).c_str(), 1);
  }
  bool ok = BenchStartup(dir / "startup", runs) && BenchSearch(argc, argv, dir / "search", runs);
  fs::remove_all(dir);
  return ok ? 0 : 1;
}
