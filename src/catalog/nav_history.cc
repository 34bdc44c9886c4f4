// See nav_history.h.
#include "catalog/nav_history.h"

namespace {

bool SamePlace(const NavRecord& a, const NavRecord& b) {
  return a.subbook == b.subbook && a.page == b.page && static_cast<uint16_t>(a.offset) == static_cast<uint16_t>(b.offset) &&
         a.vScroll == b.vScroll;
}

}  // namespace

void CNavHistory::PushPosition(const NavRecord& record) {
  if (m_index > 0 && SamePlace(m_records[m_index - 1], record)) return;
  if (m_index == kCapacity) {
    for (int i = 1; i < kCapacity; ++i) m_records[i - 1] = m_records[i];
    --m_index;
  }
  m_records[m_index++] = record;
  for (int i = m_index; i < kCapacity; ++i) m_records[i] = NavRecord();
  m_top = m_index;
}

bool CNavHistory::StepBack(NavRecord* record) {
  if (m_index == 0) return false;
  *record = m_records[--m_index];
  return record->page > 0;
}

bool CNavHistory::StepForward(NavRecord* record) {
  if (m_index >= m_top) return false;
  // The index may reach the top, one past the last record: that slot is
  // always clear and reads as a failed step.
  ++m_index;
  *record = m_index < kCapacity ? m_records[m_index] : NavRecord();
  return record->page > 0;
}

void CNavHistory::Clear() {
  m_records.fill(NavRecord());
  m_top = 0;
  m_index = 0;
}
