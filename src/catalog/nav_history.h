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

  int Index() const { return m_index; }
  int Top() const { return m_top; }

 private:
  std::array<NavRecord, kCapacity> m_records{};
  int m_top = 0;
  int m_index = 0;
};

#endif  // TOMELING_CATALOG_NAV_HISTORY_H_
