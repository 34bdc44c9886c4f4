// The walk state of one CLineMgr::Layout, shared by the files that make up
// the layout.
#ifndef TOMELING_LAYOUT_LAYOUT_STATE_H_
#define TOMELING_LAYOUT_LAYOUT_STATE_H_

#include "layout/line_mgr.h"

struct CLineMgr::LayoutState {
  CCanvas* canvas = nullptr;
  CLayoutBook* book = nullptr;
  const LayoutOptions* options = nullptr;
  int pen = 0;
  int runStart = 0;     // first plain character not yet measured
  int runEstimate = 0;  // its estimated width
  int matchedTo = 0;    // characters below this were tested for search words
  bool mapMode = false;
  int lineSpacing = 0;
  int raise = 0;  // how far below the line's top subscripts are drawn
  LineRecord& Line(CLineMgr& m) { return m.m_lineT[static_cast<size_t>(m.m_lineCount)]; }
};

#endif  // TOMELING_LAYOUT_LAYOUT_STATE_H_
