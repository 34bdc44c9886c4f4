// The search cycle: from a search request to the report of its outcome.
//
// RunSearch takes the word (the content view's selection, else the search
// box), trims it, picks the method (the search-type box, or wildcards in
// the word), runs it in the current dictionary or in every dictionary of
// the book list, retries a romaji word as kana, and FinishSearch hands the
// readers' hits to the result consumer and reports: the status text
// ("候補が見つかりません", "%d 件", ">%d 件" on overflow), the no-hit
// notice and the focus.
//
// Wildcards, on the Shift_JIS word (ASCII or full-width forms alike):
//   *word   backward search        *word*  cross search
//   word*   forward search         word/   exact search
// A word that is only the wildcard is searched as it is.
//
// Everything the cycle asks of the window -- status text, focus, notice,
// history box, wait cursor, full screen, sound -- goes through CSearchFrame,
// which the desktop frame implements as part of its CFrame (frame.h) and
// the command-line tool and the tests implement in their own way. The cycle runs on the UI thread; the
// busy flag (CSettings::m_searching) refuses a second search meanwhile and,
// cleared by AbortSearch from an event pumped during a long scan, ends an
// all-dictionary search after the current dictionary.
#ifndef TOMELING_SHELL_SEARCH_CYCLE_H_
#define TOMELING_SHELL_SEARCH_CYCLE_H_

#include <string>
#include <string_view>
#include <vector>

#include "reader/hit_list.h"
#include "shell/frame_messages.h"

class CBookList;
class CSettings;

inline constexpr const char16_t* kNoHitText = u"候補が見つかりません";

// Search method index, shared with the search-type box and the menus.
enum SearchType : int {
  kSearchForward = 0,
  kSearchBackward = 1,
  kSearchExact = 2,
  kSearchCross = 3,
  kSearchKeyword = 4,
  kSearchFullText = 5,
};

// The requests the cycle makes to the main window and its views.
class CSearchFrame {
 public:
  virtual ~CSearchFrame() = default;
  // The content view's selection, copied to the clipboard, as the word;
  // false when nothing is selected.
  virtual bool TakeSelection(std::u16string* word) = 0;
  virtual std::u16string SearchBoxText() = 0;
  virtual int SearchTypeSelection() = 0;
  virtual void SetStatusText(const std::u16string& text) = 0;
  virtual void MoveFocus(FocusTarget target) = 0;
  // Shows kNoHitText in the content view, or clears the view.
  virtual void ShowNoHitNotice(bool show) = 0;
  virtual void PutHistoryWord(const std::u16string& word) = 0;
  virtual void SetWaitCursor(bool on) = 0;
  virtual void LeaveFullScreen() = 0;
  virtual void StopSound() = 0;
  // Called before every index page a search reads: the place to deliver
  // one pending event (such as an abort).
  virtual void PumpEvents() {}
};

// Takes the hits of the readers after a search and shows them.
class CResultConsumer {
 public:
  virtual ~CResultConsumer() = default;
  // Collects every reader's sorted hits (for `terms` > 0 those that all
  // terms found) and returns the number of rows shown.
  virtual int FillFromHits(int terms) = 0;
};

// One row of the combined result: a dictionary of the book list and a hit.
struct DictHit {
  int dict = 0;
  HitEntry hit{};
};

// The plain consumer: every opened dictionary's hits, in book-list order.
class CHitCollector : public CResultConsumer {
 public:
  explicit CHitCollector(CBookList& list) : m_list(list) {}
  int FillFromHits(int terms) override;
  const std::vector<DictHit>& Hits() const { return m_hits; }

 private:
  CBookList& m_list;
  std::vector<DictHit> m_hits;
};

// What the search words become on the way to the readers.
struct PreparedWord {
  std::string word;   // Shift_JIS, at most 255 bytes
  int type = 0;
};

// Trims white space on both sides and, with `trimPunctuation`, the
// characters ".,;:!?" from the end.
std::u16string TrimSearchWord(std::u16string_view word, bool trimPunctuation);
// Converts to Shift_JIS (cut to 255 bytes on a character boundary) and
// applies the wildcard rules to `selectedType`.
PreparedWord PrepareSearchWord(std::u16string_view word, int selectedType);

class CSearchCycle {
 public:
  CSearchCycle(CSettings& settings, CBookList& list, CSearchFrame& frame, CResultConsumer& consumer)
      : m_settings(settings), m_list(list), m_frame(frame), m_consumer(consumer) {}

  // One search; `fromTimer` when the incremental-search timer asked.
  void RunSearch(bool allDicts, bool fromTimer = false);
  // Runs `type` on dictionary i. Returns its hits; `*overflow` tells whether
  // the hit limit was reached, `*terms` the terms of a cross or keyword
  // search (0 for the others).
  int SearchOneBook(const std::string& word, int type, int i, bool* overflow, int* terms);
  // Reports the outcome of `terms` terms; also after a complex search.
  void FinishSearch(int terms, bool overflow);
  void AbortSearch();

  // UM_SHOW_HIT with `flag` 0: an incremental search's word goes to the
  // history once the user looks at a hit.
  void OnShowHit(int flag);

  int SearchTypeNow() const { return m_searchType; }
  bool PendingHistory() const { return m_pendingHistory; }
  // The frame put a word at the top of the history box itself.
  void ClearPendingHistory() { m_pendingHistory = false; }
  // The dictionary being searched (-1 outside a search).
  int CurrentDict() const { return m_currentDict; }
  // Rows shown by the last FinishSearch.
  int LastCount() const { return m_lastCount; }

 private:
  int RunMethod(const std::string& word, int type, int i, int* terms);
  static void FullTextProgressThunk(void* self, int hits, int pages, int pageIndex);

  CSettings& m_settings;
  CBookList& m_list;
  CSearchFrame& m_frame;
  CResultConsumer& m_consumer;
  int m_searchType = 0;
  bool m_pendingHistory = false;
  int m_currentDict = -1;
  int m_lastCount = 0;
};

// The incremental-search timer: an edit (re)starts a 1000 ms one-shot, so
// typing on postpones the search; when it fires while input is still
// waiting for the search box it waits another period, else it asks for the
// search (UM_SEARCH with wParam 1). The timer is the window system's, or a
// fake one in tests.
class CSearchTimer {
 public:
  virtual ~CSearchTimer() = default;
  virtual void Start(int milliseconds) = 0;  // restarts a running timer
  virtual void Stop() = 0;
};

class CIncrementalSearch {
 public:
  static constexpr int kDelayMs = 1000;
  // `search` runs the search (the frame posts UM_SEARCH with wParam 1).
  CIncrementalSearch(CSettings& settings, CSearchTimer& timer, void (*search)(void*), void* data)
      : m_settings(settings), m_timer(timer), m_search(search), m_data(data) {}

  // A character typed (other than Tab, without Ctrl) or an edit change.
  void OnEdit();
  // The timer's period ended; `inputPending` when the search bar still has
  // input to handle.
  void OnTimer(bool inputPending);

 private:
  CSettings& m_settings;
  CSearchTimer& m_timer;
  void (*m_search)(void*);
  void* m_data;
};

#endif  // TOMELING_SHELL_SEARCH_CYCLE_H_
