// CSearchBar: the search bar under the tool bar -- the search-word box
// (1000, editable, its list the words searched before), the search button
// (1001 "検索") and the search-type box (1003). It turns the user's input
// into frame messages:
//
//   Enter in the word box          CFrame::Search(false, false)
//   the button                     Abort() while a search runs, else Search
//   Tab / Shift+Tab released       MoveFocus(1 / 2, 0): the hit list
//   a typed character, an edit     the incremental-search timer (100):
//                                  1000 ms later Post(Search(true, false))
//   the word box gets the focus    the input panel with ime_control, then
//                                  SearchBoxFocus(0, 0)
//
// Tab acts on release, like the views' keys, so the focus chain of the
// window never takes it. While an input method composes a word the timer
// waits another period.
//
// The word box keeps the box rules of shell/history_box.h: PutWord at each
// search, FillHistory at start-up and after loading a history file,
// HistoryList at exit.
#ifndef TOMELING_VIEWS_SEARCH_BAR_H_
#define TOMELING_VIEWS_SEARCH_BAR_H_

#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "shell/search_cycle.h"

class CFrame;
class CSettings;
class QComboBox;
class QPushButton;

class CSearchBar : public QWidget, private CSearchTimer {
  Q_OBJECT

 public:
  // `fullText` adds the search-type item of the full-text method (5).
  CSearchBar(CSettings& settings, CFrame& frame, bool fullText, QWidget* parent = nullptr);
  ~CSearchBar() override;

  // ---- the word box
  std::u16string Text() const;
  void SetText(const std::u16string& text);
  // Focuses the word box; `selectAll` selects its text, else the cursor
  // goes to the end with nothing selected.
  void FocusWord(bool selectAll);
  bool HasWordFocus() const;
  void PutWord(const std::u16string& word);
  void FillHistory(std::u16string_view historyList);
  std::u16string HistoryList() const;
  std::vector<std::u16string> Items() const;
  // Edit commands on the word box.
  void Cut();
  void Copy();
  void Paste();
  void SelectAll();
  void DeleteSelection();

  // ---- the search-type box
  int TypeSelection() const;
  // Selects item `type`; a type the box lacks selects the first.
  void SelectType(int type);
  int TypeCount() const;

  QComboBox* WordBox() const { return m_word; }
  QPushButton* SearchButton() const { return m_button; }
  QComboBox* TypeBox() const { return m_type; }
  // The incremental-search timer (100).
  const QTimer& IncrementalTimer() const { return m_timer; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // CSearchTimer, for CIncrementalSearch.
  void Start(int milliseconds) override { m_timer.start(milliseconds); }
  void Stop() override { m_timer.stop(); }

  void SetItems(const std::vector<std::u16string>& items);
  bool HandleKey(QEvent* event);
  void OnButton();
  static void PostSearch(void* self);

  CSettings& m_settings;
  CFrame& m_frame;
  QComboBox* m_word = nullptr;
  QPushButton* m_button = nullptr;
  QComboBox* m_type = nullptr;
  QTimer m_timer;
  CIncrementalSearch m_incremental;
  bool m_composing = false;  // an input method's preedit text is up
};

#endif  // TOMELING_VIEWS_SEARCH_BAR_H_
