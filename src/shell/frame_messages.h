// The main frame's own messages: what the search bar, the two views, the
// dialogs and the frame itself ask of the frame. They live apart from the
// frame because the views and the search cycle send them before the frame
// that handles them exists. Each carries two word-sized arguments, wParam
// and lParam; the values follow the platform's first user message (1024),
// so logs from either build read the same. Code sends them through the
// typed interface of frame.h, one method per message.
#ifndef TOMELING_SHELL_FRAME_MESSAGES_H_
#define TOMELING_SHELL_FRAME_MESSAGES_H_

enum FrameMessage : unsigned {
  UM_SHOW_HIT = 1124,            // display argument, flag: show the selected hit
  UM_SEARCH = 1125,              // 1 = incremental trigger; lParam 1 = current dictionary only
  UM_MOVE_FOCUS = 1126,          // see MoveFocusTarget
  UM_SET_TITLE = 1128,           // dictionary index: window title
  UM_SHOW_TEXT = 1129,           // page, offset (low 16 bits)
  UM_SHOW_GRAPHIC = 1130,        // position arguments
  UM_STARTUP = 1131,             // first-start sequence
  UM_BACK = 1132,
  UM_FORWARD = 1133,
  UM_ABORT = 1134,               // abort the running search
  UM_TRAY = 1136,                // -, mouse message
  UM_SEARCHBOX_FOCUS = 1137,     // passed on to the content view
  UM_SHOW_NAMED_GRAPHIC = 1138,  // name
  UM_TOGGLE_FULLSCREEN = 1139,
  UM_RELOAD_BOOKS = 1140,
  UM_SEARCH_DONE = 1141,         // number of terms, overflow: FinishSearch
  UM_SHOW_MENU = 1142,
};

// Focus targets of UM_MOVE_FOCUS and of the search cycle.
enum FocusTarget : int { kFocusSearchBox = 0, kFocusHitList = 1, kFocusContentView = 2 };

// UM_MOVE_FOCUS: lParam, one further when wParam is nonzero; the targets
// wrap (below 0 the content view, above 2 the search box), so Tab and
// Shift+Tab cycle.
inline FocusTarget MoveFocusTarget(long wParam, long lParam) {
  long target = lParam + (wParam != 0 ? 1 : 0);
  if (target < 0) return kFocusContentView;
  if (target > 2) return kFocusSearchBox;
  return static_cast<FocusTarget>(target);
}

#endif  // TOMELING_SHELL_FRAME_MESSAGES_H_
