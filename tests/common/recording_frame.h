// CRecordingFrame: a CFrame for tests of the views and the search cycle.
// Every call is recorded, in order, as one line with its arguments:
//
//   "ShowHit(3, 1)"  "Search(0, 1)"  "MoveFocus(1, 1)"  "SetTitle(2)"
//   "ShowText(00000012:0100)"  "ShowNamedGraphic(<MAP>...)"  "SearchDone(2, 0)"
//   "SetStatusText(3 件)"  "ShowNoHitNotice(1)"  "PutHistoryWord(猫)" ...
//
// Posted messages are recorded as "post " + the call and held until the
// test delivers them (DeliverPosted), as the UI thread would after the
// current event; delivering records the call itself.
//
//   CRecordingFrame frame;
//   view.KeyUp(Qt::Key_Escape);
//   EXPECT_EQ(frame.Calls(), (std::vector<std::string>{"MoveFocus(0, 0)"}));
//
// The search cycle's questions are answered from public fields
// (selection, searchBoxText, searchType).
#ifndef TOMELING_TESTS_COMMON_RECORDING_FRAME_H_
#define TOMELING_TESTS_COMMON_RECORDING_FRAME_H_

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "shell/frame.h"
#include "shell/plain_text.h"

class CRecordingFrame : public CFrame {
 public:
  // Frame messages.
  void ShowHit(long display, long flag) override { Record("ShowHit", display, flag); }
  void Search(bool incremental, bool currentDictOnly) override { Record("Search", incremental, currentDictOnly); }
  void MoveFocus(long step, long target) override { Record("MoveFocus", step, target); }
  void SetTitle(int dict) override { Record("SetTitle(" + std::to_string(dict) + ")"); }
  void ShowText(int32_t page, int offset) override { Record("ShowText(" + Position(page, offset) + ")"); }
  void ShowGraphic(int32_t page, int offset) override { Record("ShowGraphic(" + Position(page, offset) + ")"); }
  void Startup() override { Record("Startup()"); }
  void Back() override { Record("Back()"); }
  void Forward() override { Record("Forward()"); }
  void Abort() override { Record("Abort()"); }
  void Tray(long mouseEvent) override { Record("Tray(" + std::to_string(mouseEvent) + ")"); }
  void SearchBoxFocus(long wParam, long lParam) override { Record("SearchBoxFocus", wParam, lParam); }
  void ShowNamedGraphic(const std::u16string& name) override { Record("ShowNamedGraphic(" + ToUtf8(name) + ")"); }
  void ToggleFullScreen() override { Record("ToggleFullScreen()"); }
  void ReloadBooks() override { Record("ReloadBooks()"); }
  void SearchDone(int terms, bool overflow) override { Record("SearchDone", terms, overflow); }
  void ShowMenu() override { Record("ShowMenu()"); }

  void Post(const CFrameMessage& message) override {
    m_posted.push_back(message);
    m_postedNow = true;  // the call below records itself as the post
    message.DeliverTo(*this);
  }

  // The search cycle's requests.
  bool TakeSelection(std::u16string* word) override {
    Record("TakeSelection()");
    if (selection.empty()) return false;
    *word = selection;
    return true;
  }
  std::u16string SearchBoxText() override { return searchBoxText; }
  int SearchTypeSelection() override { return searchType; }
  void SetStatusText(const std::u16string& text) override { Record("SetStatusText(" + ToUtf8(text) + ")"); }
  void ShowNoHitNotice(bool show) override { Record("ShowNoHitNotice(" + std::to_string(show) + ")"); }
  void PutHistoryWord(const std::u16string& word) override { Record("PutHistoryWord(" + ToUtf8(word) + ")"); }
  void SetWaitCursor(bool on) override { Record("SetWaitCursor(" + std::to_string(on) + ")"); }
  void LeaveFullScreen() override { Record("LeaveFullScreen()"); }
  void StopSound() override { Record("StopSound()"); }
  using CFrame::MoveFocus;

  // Delivers the posted messages in order, also those posted meanwhile;
  // returns how many.
  int DeliverPosted() {
    int n = 0;
    while (!m_posted.empty()) {
      CFrameMessage message = m_posted.front();
      m_posted.pop_front();
      message.DeliverTo(*this);
      ++n;
    }
    return n;
  }
  size_t PendingPosts() const { return m_posted.size(); }

  const std::vector<std::string>& Calls() const { return m_calls; }
  void ClearCalls() { m_calls.clear(); }
  // How many recorded calls start with `prefix` ("ShowHit(" for example).
  int Count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& c : m_calls) n += c.rfind(prefix, 0) == 0;
    return n;
  }

  std::u16string selection, searchBoxText;
  int searchType = 0;

 private:
  static std::string Position(int32_t page, int offset) {
    char text[24];
    std::snprintf(text, sizeof text, "%08X:%04X", static_cast<unsigned>(page), static_cast<unsigned>(offset));
    return text;
  }
  void Record(const char* name, long a, long b) {
    Record(std::string(name) + "(" + std::to_string(a) + ", " + std::to_string(b) + ")");
  }
  void Record(std::string call) {
    if (m_postedNow) {
      m_postedNow = false;
      call = "post " + call;
    }
    m_calls.push_back(std::move(call));
  }

  std::vector<std::string> m_calls;
  std::deque<CFrameMessage> m_posted;
  bool m_postedNow = false;
};

#endif  // TOMELING_TESTS_COMMON_RECORDING_FRAME_H_
