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
  m_shownGone = false;
}

bool CNavHistory::StepBack(NavRecord* record) {
  if (m_index == 0) return false;
  m_shownGone = false;
  *record = m_records[--m_index];
  return record->page > 0;
}

bool CNavHistory::StepForward(NavRecord* record) {
  if (m_index >= m_top) return false;
  if (m_shownGone) {
    m_shownGone = false;
    *record = m_records[m_index];
    return record->page > 0;
  }
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
  m_shownGone = false;
}

void CNavHistory::ForgetSubbook(int subbook) {
  int kept = 0;
  int index = -1;  // the new index, once the old one is passed
  bool shownGone = m_shownGone;
  for (int i = 0; i < m_top; ++i) {
    NavRecord r = m_records[i];
    if (i == m_index) index = kept;
    if (r.subbook == subbook) {
      if (i == m_index) shownGone = true;
      continue;
    }
    if (r.subbook > subbook) --r.subbook;
    // Twins on either side of a shown place that is gone both stay: they
    // are where back and forward lead.
    bool acrossGone = shownGone && index == kept;
    if (kept > 0 && !acrossGone && SamePlace(m_records[kept - 1], r)) {
      if (i == m_index) index = kept - 1;  // shown: its twin stays
      continue;
    }
    m_records[kept++] = r;
  }
  if (index < 0) index = kept;
  for (int i = kept; i < kCapacity; ++i) m_records[i] = NavRecord();
  m_top = kept;
  m_index = index;
  m_shownGone = shownGone && index < kept;
}

void CNavHistory::SwapSubbooks(int a, int b) {
  for (int i = 0; i < m_top; ++i) {
    int32_t& s = m_records[i].subbook;
    if (s == a) s = b;
    else if (s == b) s = a;
  }
}
