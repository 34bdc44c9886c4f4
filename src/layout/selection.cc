// The selection: a range of characters shown inverted. A range is drawn as
// up to three rectangles (the rest of its first line, the full width of
// the lines between, the start of its last line) that tile the page in
// reading order, so the shape of [a, c) is exactly the shapes of [a, b)
// and [b, c) together. Changing the range therefore inverts only the
// stretches that were added or removed at either end.
#include <algorithm>
#include <utility>

#include "layout/line_mgr.h"

void CLineMgr::InvertRange(int a, int b, CCanvas& canvas, int scrollX, int scrollY) {
  if (a == b) return;
  if (a > b) std::swap(a, b);
  PagePoint pa = PointFromChar(a, canvas);
  PagePoint pb = PointFromChar(b, canvas);
  const int fs = m_lineHeight;  // a line of text, top to bottom
  if (pa.y == pb.y) {
    if (pb.x > pa.x) canvas.InvertRect(pa.x - scrollX, pa.y - scrollY, pb.x - pa.x, fs);
    return;
  }
  if (m_viewWidth > pa.x) canvas.InvertRect(pa.x - scrollX, pa.y - scrollY, m_viewWidth - pa.x, fs);
  if (pb.y > pa.y + fs) canvas.InvertRect(-scrollX, pa.y + fs - scrollY, m_viewWidth, pb.y - pa.y - fs);
  if (pb.x > 0) canvas.InvertRect(-scrollX, pb.y - scrollY, pb.x, fs);
}

void CLineMgr::SetSelection(int from, int to, CCanvas& canvas, int scrollX, int scrollY) {
  if (from > to) std::swap(from, to);
  from = std::clamp(from, 0, m_textLen);
  to = std::clamp(to, 0, m_textLen);
  if (m_selStart == m_selEnd) {
    InvertRange(from, to, canvas, scrollX, scrollY);
    m_selStart = from;
    m_selEnd = to;
    return;
  }
  // Inverting [oldFrom, from) and [oldTo, to) leaves exactly the new range
  // inverted, whether the ranges overlap or not.
  InvertRange(m_selStart, from, canvas, scrollX, scrollY);
  InvertRange(m_selEnd, to, canvas, scrollX, scrollY);
  m_selStart = from;
  m_selEnd = to;
}

void CLineMgr::ClearSelection(CCanvas& canvas, int scrollX, int scrollY) {
  InvertRange(m_selStart, m_selEnd, canvas, scrollX, scrollY);
  m_selStart = m_selEnd = 0;
}
