// CFrame: what the search bar, the two views, the image windows, the
// dialogs and the search cycle ask of the main frame -- one method per
// frame message (frame_messages.h), each with that message's arguments,
// plus the search cycle's direct requests (CSearchFrame).
//
// A call of a method is a sent message: the frame handles it at once,
// before the call returns. A message that must wait until the current
// event is over (the first-start sequence, a search asked for from inside
// a selection change, a dictionary menu shown after a switch) is posted:
//
//   frame.Post(CFrameMessage::Search(false, true));
//
// The frame queues it and delivers it later on the UI thread, in the order
// posted, through the same method (the Qt main window with a queued call).
//
//   method            message                value  wParam, lParam
//   ShowHit           UM_SHOW_HIT            1124   display argument, flag
//   Search            UM_SEARCH              1125   incremental, current dictionary only
//   MoveFocus         UM_MOVE_FOCUS          1126   step, target (MoveFocusTarget)
//   SetTitle          UM_SET_TITLE           1128   dictionary index, -
//   ShowText          UM_SHOW_TEXT           1129   page, offset
//   ShowGraphic       UM_SHOW_GRAPHIC        1130   page, offset
//   Startup           UM_STARTUP             1131   -
//   Back              UM_BACK                1132   -
//   Forward           UM_FORWARD             1133   -
//   Abort             UM_ABORT               1134   -
//   Tray              UM_TRAY                1136   -, mouse event
//   SearchBoxFocus    UM_SEARCHBOX_FOCUS     1137   both passed on
//   ShowNamedGraphic  UM_SHOW_NAMED_GRAPHIC  1138   name (the map markup), -
//   ToggleFullScreen  UM_TOGGLE_FULLSCREEN   1139   -
//   ReloadBooks       UM_RELOAD_BOOKS        1140   -
//   SearchDone        UM_SEARCH_DONE         1141   number of terms, overflow
//   ShowMenu          UM_SHOW_MENU           1142   -
#ifndef TOMELING_SHELL_FRAME_H_
#define TOMELING_SHELL_FRAME_H_

#include <cstdint>
#include <string>

#include "shell/frame_messages.h"
#include "shell/search_cycle.h"

class CFrame;

// One frame message and its arguments, as a value: what Post queues.
class CFrameMessage {
 public:
  static CFrameMessage ShowHit(long display, long flag) { return {UM_SHOW_HIT, display, flag}; }
  static CFrameMessage Search(bool incremental, bool currentDictOnly) {
    return {UM_SEARCH, incremental ? 1 : 0, currentDictOnly ? 1 : 0};
  }
  static CFrameMessage MoveFocus(long step, long target) { return {UM_MOVE_FOCUS, step, target}; }
  static CFrameMessage SetTitle(int dict) { return {UM_SET_TITLE, dict, 0}; }
  static CFrameMessage ShowText(int32_t page, int offset) { return {UM_SHOW_TEXT, page, offset}; }
  static CFrameMessage ShowGraphic(int32_t page, int offset) { return {UM_SHOW_GRAPHIC, page, offset}; }
  static CFrameMessage Startup() { return {UM_STARTUP, 0, 0}; }
  static CFrameMessage Back() { return {UM_BACK, 0, 0}; }
  static CFrameMessage Forward() { return {UM_FORWARD, 0, 0}; }
  static CFrameMessage Abort() { return {UM_ABORT, 0, 0}; }
  static CFrameMessage Tray(long mouseEvent) { return {UM_TRAY, 0, mouseEvent}; }
  static CFrameMessage SearchBoxFocus(long wParam, long lParam) { return {UM_SEARCHBOX_FOCUS, wParam, lParam}; }
  static CFrameMessage ShowNamedGraphic(std::u16string name) {
    CFrameMessage m{UM_SHOW_NAMED_GRAPHIC, 0, 0};
    m.m_text = std::move(name);
    return m;
  }
  static CFrameMessage ToggleFullScreen() { return {UM_TOGGLE_FULLSCREEN, 0, 0}; }
  static CFrameMessage ReloadBooks() { return {UM_RELOAD_BOOKS, 0, 0}; }
  static CFrameMessage SearchDone(int terms, bool overflow) { return {UM_SEARCH_DONE, terms, overflow ? 1 : 0}; }
  static CFrameMessage ShowMenu() { return {UM_SHOW_MENU, 0, 0}; }

  FrameMessage Message() const { return m_message; }
  long WParam() const { return m_wParam; }
  long LParam() const { return m_lParam; }
  const std::u16string& Text() const { return m_text; }

  // Calls the method of `frame` that handles the message.
  void DeliverTo(CFrame& frame) const;

 private:
  CFrameMessage(FrameMessage message, long wParam, long lParam)
      : m_message(message), m_wParam(wParam), m_lParam(lParam) {}

  FrameMessage m_message;
  long m_wParam;
  long m_lParam;
  std::u16string m_text;
};

class CFrame : public CSearchFrame {
 public:
  // UM_SHOW_HIT: show hit `display` of the hit list in the content view;
  // `flag` 1 when the list was just filled, 0 when the user chose the row.
  virtual void ShowHit(long display, long flag) = 0;
  // UM_SEARCH: run a search; `incremental` when the timer asked,
  // `currentDictOnly` for the current dictionary whatever bFindAllDict.
  virtual void Search(bool incremental, bool currentDictOnly) = 0;
  // UM_MOVE_FOCUS: focus MoveFocusTarget(step, target) -- 0 the search box,
  // 1 the hit list, 2 the content view.
  virtual void MoveFocus(long step, long target) = 0;
  // UM_SET_TITLE: the window title becomes dictionary `dict`'s name.
  virtual void SetTitle(int dict) = 0;
  // UM_SHOW_TEXT: the text at page:offset of the current dictionary;
  // the frame comes to the front.
  virtual void ShowText(int32_t page, int offset) = 0;
  // UM_SHOW_GRAPHIC: the graphic at page:offset in the graphic window.
  virtual void ShowGraphic(int32_t page, int offset) = 0;
  virtual void Startup() = 0;           // UM_STARTUP: the first-start sequence
  virtual void Back() = 0;              // UM_BACK: as the back command
  virtual void Forward() = 0;           // UM_FORWARD: as the forward command
  virtual void Abort() = 0;             // UM_ABORT: abort the running search
  virtual void Tray(long mouseEvent) = 0;  // UM_TRAY: the tray icon's event
  // UM_SEARCHBOX_FOCUS: the search box got the focus; both arguments go
  // on to the content view.
  virtual void SearchBoxFocus(long wParam, long lParam) = 0;
  // UM_SHOW_NAMED_GRAPHIC: the image map whose markup starts `name`.
  virtual void ShowNamedGraphic(const std::u16string& name) = 0;
  virtual void ToggleFullScreen() = 0;  // UM_TOGGLE_FULLSCREEN
  virtual void ReloadBooks() = 0;       // UM_RELOAD_BOOKS: re-read the book list
  // UM_SEARCH_DONE: FinishSearch of `terms` terms.
  virtual void SearchDone(int terms, bool overflow) = 0;
  virtual void ShowMenu() = 0;          // UM_SHOW_MENU: the current dictionary's menu

  // Queues `message` for delivery after the current event.
  virtual void Post(const CFrameMessage& message) = 0;

  // The search cycle's focus request is UM_MOVE_FOCUS with the target.
  void MoveFocus(FocusTarget target) override { MoveFocus(0, static_cast<long>(target)); }
};

inline void CFrameMessage::DeliverTo(CFrame& frame) const {
  switch (m_message) {
    case UM_SHOW_HIT: frame.ShowHit(m_wParam, m_lParam); break;
    case UM_SEARCH: frame.Search(m_wParam != 0, m_lParam != 0); break;
    case UM_MOVE_FOCUS: frame.MoveFocus(m_wParam, m_lParam); break;
    case UM_SET_TITLE: frame.SetTitle(static_cast<int>(m_wParam)); break;
    case UM_SHOW_TEXT: frame.ShowText(static_cast<int32_t>(m_wParam), static_cast<int>(m_lParam)); break;
    case UM_SHOW_GRAPHIC: frame.ShowGraphic(static_cast<int32_t>(m_wParam), static_cast<int>(m_lParam)); break;
    case UM_STARTUP: frame.Startup(); break;
    case UM_BACK: frame.Back(); break;
    case UM_FORWARD: frame.Forward(); break;
    case UM_ABORT: frame.Abort(); break;
    case UM_TRAY: frame.Tray(m_lParam); break;
    case UM_SEARCHBOX_FOCUS: frame.SearchBoxFocus(m_wParam, m_lParam); break;
    case UM_SHOW_NAMED_GRAPHIC: frame.ShowNamedGraphic(m_text); break;
    case UM_TOGGLE_FULLSCREEN: frame.ToggleFullScreen(); break;
    case UM_RELOAD_BOOKS: frame.ReloadBooks(); break;
    case UM_SEARCH_DONE: frame.SearchDone(static_cast<int>(m_wParam), m_lParam != 0); break;
    case UM_SHOW_MENU: frame.ShowMenu(); break;
  }
}

#endif  // TOMELING_SHELL_FRAME_H_
