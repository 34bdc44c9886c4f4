#include "reader/hit_list.h"

#include <algorithm>
#include <functional>
#include <new>
#include <numeric>
#include <utility>

#include "storage/fatal.h"

namespace {

// A match level is one byte wide.
constexpr int kMaxLevel = 255;

std::pair<int32_t, int16_t> TextPosition(const HitEntry& hit) {
  return {hit.textPage, hit.textOffset};
}

// Result order: text position, then heading position; the index breaks ties
// so that identical hits keep the order in which they were found.
void SortByPosition(const std::vector<HitEntry>& hits, std::vector<uint32_t>* order) {
  std::sort(order->begin(), order->end(), [&hits](uint32_t a, uint32_t b) {
    const HitEntry& x = hits[a];
    const HitEntry& y = hits[b];
    if (x.textPage != y.textPage) return x.textPage < y.textPage;
    if (x.textOffset != y.textOffset) return x.textOffset < y.textOffset;
    if (x.headingPage != y.headingPage) return x.headingPage < y.headingPage;
    if (x.headingOffset != y.headingOffset) return x.headingOffset < y.headingOffset;
    return a < b;
  });
}

// After SortByPosition, the first hit of each text position has the
// smallest heading; the rest of the run goes.
void MarkRepeatsDead(std::vector<HitEntry>* hits, const std::vector<uint32_t>& order) {
  for (size_t i = 1; i < order.size(); ++i) {
    HitEntry& hit = (*hits)[order[i]];
    if (TextPosition(hit) == TextPosition((*hits)[order[i - 1]])) hit.live = 0;
  }
}

}  // namespace

void CHitList::Reserve(size_t capacity, const char* failure) {
  try {
    m_hitList.reserve(capacity);
  } catch (const std::bad_alloc&) {
    FatalError(failure);
  }
}

int CHitList::AddHitList(int32_t textPage, int16_t textOffset, int32_t headingPage,
                         int16_t headingOffset, int level) {
  if (level > 0) {
    // A later key of an AND search narrows the earlier results; with none
    // to narrow there is nothing it could add.
    if (level <= kMaxLevel && !m_hitListSorted.empty()) RaiseLevel(textPage, textOffset, level);
    return m_hitCount;
  }
  // Counted over everything held, not over the results of a sort, so that
  // hits added after a sort still cannot outgrow the maximum.
  const size_t held = m_hitList.size();
  if (held >= static_cast<size_t>(m_maxHits) || (m_limit50 && held >= kLimit50)) {
    m_overflow = true;
    return -1;
  }
  if (m_hitList.capacity() == 0) {
    Reserve(kFirstCapacity, "malloc error in CEBReader::CEBReader[m_hitList]");
  } else if (held >= m_hitList.capacity()) {
    Reserve(m_hitList.capacity() + kGrowStep, "realloc error in CEBReader::AddHitList[m_hitList]");
  }
  m_hitList.push_back(HitEntry{headingPage, headingOffset, textPage, textOffset, 0, 0});
  return ++m_hitCount;
}

void CHitList::RaiseLevel(int32_t textPage, int16_t textOffset, int level) {
  const std::pair<int32_t, int16_t> position{textPage, textOffset};
  auto raise = [this, level](uint32_t index) {
    HitEntry& hit = m_hitList[index];
    if (hit.matchLevel + 1 == level) hit.matchLevel = static_cast<uint8_t>(level);
  };
  if (m_sortedByText) {
    auto run = std::ranges::equal_range(m_hitListSorted, position, std::less<>{},
                                        [this](uint32_t i) { return TextPosition(m_hitList[i]); });
    std::ranges::for_each(run, raise);
    return;
  }
  // Results kept in the order found are not searchable by position.
  for (uint32_t index : m_hitListSorted) {
    if (TextPosition(m_hitList[index]) == position) raise(index);
  }
}

int CHitList::SortResult(bool keepOrder) {
  std::vector<uint32_t>().swap(m_hitListSorted);
  m_sortedByText = false;
  const size_t held = m_hitList.size();
  if (held == 0) {
    m_hitCount = 0;
    return 0;
  }
  std::vector<uint32_t> order;
  try {
    order.resize(held);
  } catch (const std::bad_alloc&) {
    FatalError("malloc error in CEBReader::SortResult[m_hitListSorted(1)]");
  }
  std::iota(order.begin(), order.end(), 0u);
  for (HitEntry& hit : m_hitList) hit.live = 1;

  // An incremental search that somehow went past 50 shows them as found.
  const bool sort = !keepOrder && !(m_limit50 && held > static_cast<size_t>(kLimit50));
  size_t liveCount = held;
  if (sort) {
    SortByPosition(m_hitList, &order);
    MarkRepeatsDead(&m_hitList, order);
    liveCount = static_cast<size_t>(
        std::ranges::count_if(m_hitList, [](const HitEntry& hit) { return hit.live != 0; }));
  }

  std::vector<uint32_t> results;
  try {
    results.reserve(liveCount);
  } catch (const std::bad_alloc&) {
    FatalError("malloc error in CEBReader::SortResult[m_hitListSorted(2)]");
  }
  std::ranges::copy_if(order, std::back_inserter(results),
                       [this](uint32_t i) { return m_hitList[i].live != 0; });
  m_hitListSorted.swap(results);
  m_sortedByText = sort;
  m_hitCount = static_cast<int>(m_hitListSorted.size());
  return m_hitCount;
}

int CHitList::GetHitEntSorted(std::vector<HitEntry>* dest, int start, int level) {
  if (dest == nullptr || m_hitCount == 0) return 0;
  // The vector must already hold what comes before `start`.
  if (start < 0 || static_cast<size_t>(start) > dest->size()) return 0;

  auto wanted = [this, level](uint32_t index) {
    return level <= 0 || m_hitList[index].matchLevel + 1 == level;
  };
  const size_t count = static_cast<size_t>(std::ranges::count_if(m_hitListSorted, wanted));
  if (start == 0) {
    std::vector<HitEntry> fresh;
    try {
      fresh.reserve(count);
    } catch (const std::bad_alloc&) {
      FatalError("malloc error in CEBReader::GetHitEntSorted");
    }
    dest->swap(fresh);
  } else {
    dest->resize(static_cast<size_t>(start));
    try {
      dest->reserve(static_cast<size_t>(start) + count);
    } catch (const std::bad_alloc&) {
      FatalError("realloc error in CEBReader::GetHitEntSorted");
    }
  }
  for (uint32_t index : m_hitListSorted) {
    if (wanted(index)) dest->push_back(m_hitList[index]);
  }
  ClearHitList();
  return static_cast<int>(count);
}

void CHitList::ClearHitList() {
  m_hitCount = 0;
  m_overflow = false;
  m_abort = false;
  m_hitList.clear();
  std::vector<uint32_t>().swap(m_hitListSorted);
  m_sortedByText = false;
  if (m_hitList.capacity() <= kFirstCapacity) return;
  // One long search should not pin its memory for the rest of the session.
  std::vector<HitEntry> fresh;
  try {
    fresh.reserve(kFirstCapacity);
  } catch (const std::bad_alloc&) {
    FatalError("malloc error in CEBReader::ClearHitList[m_hitList]");
  }
  m_hitList.swap(fresh);
}
