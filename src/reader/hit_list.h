// The hit list of a reader: every search collects its matches here, then
// sorts and de-duplicates them and hands them to the caller.
//
// Use per search:
//
//   ClearHitList();
//   AddHitList(...) for every match;     // -1 means "stop scanning"
//   SortResult(keepOrder);
//   GetHitEntSorted(&results, start, level);
//
// Limits. A search stops at the maximum number of hits (10,000 unless
// SetMaxHits says otherwise), or at 50 when the at-most-50 flag is on (the
// incremental search shows no more). The hit that would go beyond is
// refused and the overflow flag is set; the hits collected so far stand.
//
// Storage. The list is allocated at the first hit with room for 100
// entries and grows 500 at a time, so a long scan reallocates rarely;
// ClearHitList gives a grown list back down to 100. Failing to allocate is
// fatal (FatalError) with a message naming the place, e.g.
// "malloc error in CEBReader::CEBReader[m_hitList]".
//
// Sorting. SortResult orders the hits by text position, then heading
// position, and drops every hit whose text position repeats, so that of
// several hits on one entry the one with the smallest heading survives.
// Hits equal in all four positions keep the order in which they were found.
// With the keep-order flag (or with the at-most-50 flag and more than 50
// hits) the hits stay in the order found, duplicates included.
//
// AND searches. A search over several keys adds the first key's hits at
// level 0 and sorts them. Each later key k (level k = 1, 2, ...) adds with
// that level: such a hit is never appended; it raises the match level of the
// sorted hits on the same text position from k - 1 to k. After n keys an
// entry found by every key has match level n - 1, and GetHitEntSorted with
// level n copies exactly those. A later key with no previous results to
// narrow finds nothing. Match levels stop at 255, so at most 256 keys.
//
// Gathering. GetHitEntSorted copies the sorted hits into a vector the
// caller owns, from position `start` on, so the results of several subbooks
// can follow one another, and then empties this list.
//
// The reader owns one CHitList (as a member or a base class); it is moved
// with the reader, never copied. Not thread-safe: searches run on one thread.
#ifndef TOMELING_READER_HIT_LIST_H_
#define TOMELING_READER_HIT_LIST_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One search result, copied whole to callers in this field order.
struct HitEntry {
  int32_t headingPage;    // 0 when the hit has no heading of its own
  int16_t headingOffset;
  int32_t textPage;
  int16_t textOffset;
  uint8_t live;           // 1 while the hit survives sorting
  uint8_t matchLevel;     // further keys of an AND search that found it
};

class CHitList {
 public:
  static constexpr int kDefaultMaxHits = 10000;
  static constexpr int kLimit50 = 50;
  static constexpr size_t kFirstCapacity = 100;
  static constexpr size_t kGrowStep = 500;

  CHitList() = default;
  CHitList(const CHitList&) = delete;
  CHitList& operator=(const CHitList&) = delete;
  CHitList(CHitList&&) = default;
  CHitList& operator=(CHitList&&) = default;

  // Records one match. Level 0 appends it (or refuses it at the limit:
  // returns -1 and sets the overflow flag); a level above 0 only raises match
  // levels, see above. Returns the number of hits otherwise.
  int AddHitList(int32_t textPage, int16_t textOffset, int32_t headingPage,
                 int16_t headingOffset, int level = 0);

  // Sorts and de-duplicates every hit added since ClearHitList (unless
  // `keepOrder`) and returns the number of results, which HitCount then
  // reports. Calling it again re-sorts the same hits.
  int SortResult(bool keepOrder = false);

  // Copies the results of the last SortResult into `*dest`: all of them for
  // level 0, else those with match level `level` - 1. With `start` 0 the
  // vector is emptied first; with `start` > 0 the copies go from position
  // `start` on, replacing anything from there. Returns the number copied and
  // empties the list. Returns 0 and changes nothing when `dest` is null,
  // `start` is negative or beyond the end of `*dest`, or there are no hits;
  // hits that were never sorted give no results.
  int GetHitEntSorted(std::vector<HitEntry>* dest, int start = 0, int level = 0);

  // Forgets every hit and clears the overflow and abort flags. Keeps the
  // maximum and the at-most-50 flag.
  void ClearHitList();

  // Hits added so far, or the number of results after SortResult.
  int HitCount() const { return m_hitCount; }
  bool Overflowed() const { return m_overflow; }

  // Values of 0 or below are ignored.
  void SetMaxHits(int n) {
    if (n > 0) m_maxHits = n;
  }
  int MaxHits() const { return m_maxHits; }
  void SetLimit50(bool on) { m_limit50 = on; }
  bool Limit50() const { return m_limit50; }

  // The abort request of a running scan; scans poll Aborted once per page.
  void Abort() { m_abort = true; }
  bool Aborted() const { return m_abort; }

  // Every hit added since ClearHitList, in the order found, dead ones
  // included; a search may fill in headings here before sorting.
  std::span<HitEntry> Hits() { return m_hitList; }
  // Entries the list has room for before it must grow again.
  size_t Capacity() const { return m_hitList.capacity(); }

 private:
  void Reserve(size_t capacity, const char* failure);
  void RaiseLevel(int32_t textPage, int16_t textOffset, int level);

  // Its capacity is always one of the growth steps: the vector is only
  // ever grown by Reserve, never by push_back.
  std::vector<HitEntry> m_hitList;
  // Indices into m_hitList in result order. Indices, not pointers, so that
  // hits added after a sort cannot leave them dangling.
  std::vector<uint32_t> m_hitListSorted;
  bool m_sortedByText = false;
  int m_hitCount = 0;
  int m_maxHits = kDefaultMaxHits;
  bool m_limit50 = false;
  bool m_overflow = false;
  bool m_abort = false;
};

#endif  // TOMELING_READER_HIT_LIST_H_
