// CNavHistory: the positions the back and forward commands walk.
//
// A fixed table of 16 records. The current index points just past the
// position pushed last; records from the index up to the top are the
// forward history, which a new push drops. When the table is full the
// oldest record is lost.
//
// The content view drives it: it pushes the position it shows before it
// shows another entry, and before stepping back from the newest position it
// pushes that position too (and steps over it), so forward can return
// there. Pushing the position that was pushed last stores nothing, so
// repeated clicks on one reference do not fill the table.
//
// Records name their dictionary by its index in the book list, and the
// list tells the history when indexes change (ForgetSubbook, SwapSubbooks).
// Records of a removed dictionary are dropped, the walk keeps its place
// among those that remain, and two records of one place that the drop makes
// neighbours become one. When the record dropped is the one shown, the view
// shows something the table does not hold: back must give the record before
// it and forward the one after, which one index cannot point at both, so
// the history remembers that the shown place is gone and the next forward
// step takes the record at the index instead of the one past it.
#ifndef TOMELING_CATALOG_NAV_HISTORY_H_
#define TOMELING_CATALOG_NAV_HISTORY_H_

#include <array>
#include <cstdint>

struct NavRecord {
  int32_t subbook = 0;
  int32_t page = 0;       // 0: no position
  int32_t offset = 0;     // compared as 16-bit
  int32_t hScroll = 0;
  int32_t vScroll = 0;
};

class CNavHistory {
 public:
  static constexpr int kCapacity = 16;

  void PushPosition(const NavRecord& record);
  // Move one record back or forward and give it. The index moves even when
  // the record found is empty; the result is true only for a record with a
  // page above 0.
  bool StepBack(NavRecord* record);
  bool StepForward(NavRecord* record);
  void Clear();

  // Dictionary `subbook` left the list: its records go, and the records of
  // the dictionaries after it follow them down by one.
  void ForgetSubbook(int subbook);
  // Dictionaries `a` and `b` exchanged places in the list.
  void SwapSubbooks(int a, int b);

  int Index() const { return m_index; }
  int Top() const { return m_top; }

 private:
  std::array<NavRecord, kCapacity> m_records{};
  int m_top = 0;
  int m_index = 0;
  bool m_shownGone = false;  // the index points at the next record, not the shown one
};

#endif  // TOMELING_CATALOG_NAV_HISTORY_H_
