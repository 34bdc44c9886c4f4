// Full-text search; see full_text_search.h.
//
// The scanner keeps a window of the area: bytes [m_base, m_base + size) of
// the area, refilled a run of pages at a time. Positions are byte offsets
// from the area start, always multiples of the unit (2 in two-byte books),
// so a code never straddles the window's start.
//
// Candidates are positions whose first unit equals the word's first unit.
// Each is compared on; one that runs into the window's end before the word
// is complete stays pending and is compared again when the next run has
// arrived. The window keeps everything from the earliest pending candidate,
// bounded by kMaxCarry: a match cannot lean on more skipped codes than
// that, which no real text has.
//
// Entry boundaries are found backwards from each match down to the point
// where the last look ended, so every byte is looked at once at most.
#include "reader/full_text_search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "decode/char_conv.h"

namespace {

constexpr int kRunPages = 64;
constexpr size_t kMaxCarry = size_t{1} << 20;

uint16_t FoldCode(uint16_t c) { return c >= 0x2361 && c <= 0x237A ? static_cast<uint16_t>(c - 0x20) : c; }
uint8_t FoldByte(uint8_t b) { return b >= 'a' && b <= 'z' ? static_cast<uint8_t>(b - 0x20) : b; }
bool IsSkipCode(uint16_t c) { return (c >> 8) == 0x1F || c == 0x2121; }

struct Pending {
  int64_t start;
  int64_t boundary;
};

class CFullTextScanner {
 public:
  CFullTextScanner(CEBReader& reader, const IndexEntry& area, int32_t pages, std::string key, FullTextStop stop)
      : m_reader(reader), m_area(area), m_pages(pages), m_key(std::move(key)), m_unit(reader.SingleByte() ? 1 : 2) {
    if (stop.code != 0) {
      uint8_t p[4] = {static_cast<uint8_t>(stop.code >> 8), static_cast<uint8_t>(stop.code),
                      static_cast<uint8_t>(stop.param >> 8), static_cast<uint8_t>(stop.param)};
      m_stop.assign(p, p + 4);
    }
    m_patLen = m_stop.empty() ? 2 : 4;
    m_first[0] = static_cast<uint8_t>(m_key[m_unit - 1]);
    m_firstCount = 1;
    if (m_unit == 1 && m_first[0] >= 'A' && m_first[0] <= 'Z') m_first[m_firstCount++] = m_first[0] + 0x20;
    if (m_unit == 2 && static_cast<uint8_t>(m_key[0]) == 0x23 && m_first[0] >= 0x41 && m_first[0] <= 0x5A)
      m_first[m_firstCount++] = m_first[0] + 0x20;
    for (int i = 0; i < m_firstCount && m_unit == 2; ++i) {
      // In memory order, as a load of the text gives it.
      const uint8_t code[2] = {static_cast<uint8_t>(m_key[0]), m_first[i]};
      std::memcpy(&m_firstCode[i], code, 2);
    }
  }

  void Run(FullTextProgress progress, void* userData);

 private:
  const uint8_t* At(int64_t pos) const { return m_window.data() + (pos - m_base); }
  int64_t End() const { return m_base + static_cast<int64_t>(m_window.size()); }
  uint16_t Code(int64_t pos) const { return static_cast<uint16_t>(At(pos)[0] << 8 | At(pos)[1]); }
  bool Unit(int64_t pos, size_t j) const;
  bool IsBoundary(int64_t pos) const;
  int64_t BoundaryFor(int64_t pos);
  int64_t NextCandidate(int64_t from, int64_t limit) const;
  int64_t NextCode(int64_t from, int64_t limit) const;
  // 1 matched, 0 failed, -1 ran out of data.
  int Compare(int64_t start, bool final) const;
  bool Record(int64_t boundary);
  bool ScanWindow(bool final);
  bool ReadRun(FullTextProgress progress, void* userData, int* pageIndex, bool* stopped);
  void Slide();

  CEBReader& m_reader;
  const IndexEntry& m_area;
  const int32_t m_pages;  // of the area, as far as the file holds them
  const std::string m_key;
  const int m_unit;
  std::vector<uint8_t> m_stop;
  int m_patLen = 2;
  uint8_t m_first[2] = {0, 0};       // single-byte mode: the first byte
  uint16_t m_firstCode[2] = {0, 0};  // two-byte mode: the first code as stored
  int m_firstCount = 1;

  std::vector<uint8_t> m_window;
  int64_t m_base = 0;
  int64_t m_searchFrom = 0;   // first position not yet tried as a candidate
  int64_t m_knownUpTo = 0;    // boundaries are known below this position
  int64_t m_boundary = 0;     // the last boundary below m_knownUpTo
  std::vector<Pending> m_pending;
  int64_t m_lastRecorded = -1;
  bool m_full = false;
};

bool CFullTextScanner::Unit(int64_t pos, size_t j) const {
  if (m_unit == 1) return FoldByte(At(pos)[0]) == static_cast<uint8_t>(m_key[j]);
  uint16_t want = static_cast<uint16_t>(static_cast<uint8_t>(m_key[2 * j]) << 8 | static_cast<uint8_t>(m_key[2 * j + 1]));
  return FoldCode(Code(pos)) == want;
}

bool CFullTextScanner::IsBoundary(int64_t pos) const {
  if (pos + m_patLen > End()) return false;
  const uint8_t* p = At(pos);
  if (!m_stop.empty()) return std::memcmp(p, m_stop.data(), 4) == 0;
  return p[0] == 0x1F && (p[1] == 0x41 || p[1] == 0x02);
}

// The latest boundary at or before `pos`, looking back no further than
// where the previous look ended. Boundaries start with an escape byte (or
// the stop code's first byte), which memrchr finds quickly.
int64_t CFullTextScanner::BoundaryFor(int64_t pos) {
  const uint8_t lead = m_stop.empty() ? 0x1F : m_stop[0];
  int64_t end = pos + 1;  // search [m_knownUpTo, end)
  while (end > m_knownUpTo) {
    const void* found = memrchr(At(m_knownUpTo), lead, static_cast<size_t>(end - m_knownUpTo));
    if (found == nullptr) break;
    int64_t q = m_knownUpTo + (static_cast<const uint8_t*>(found) - At(m_knownUpTo));
    if ((q - m_base) % m_unit == 0 && IsBoundary(q)) {
      m_boundary = q;
      break;
    }
    end = q;
  }
  m_knownUpTo = std::max(m_knownUpTo, pos + m_unit);
  return m_boundary;
}

int64_t CFullTextScanner::NextCandidate(int64_t from, int64_t limit) const {
  if (m_unit == 2) return NextCode(from, limit);
  const uint8_t* begin = At(from);
  size_t length = static_cast<size_t>(limit - from);
  const uint8_t* hit = nullptr;
  for (int i = 0; i < m_firstCount; ++i) {
    const void* h = std::memchr(begin, m_first[i], hit ? static_cast<size_t>(hit - begin) : length);
    if (h) hit = static_cast<const uint8_t*>(h);
  }
  return hit == nullptr ? limit : from + (hit - begin);
}

// The first code of the word (in either case for a letter), eight codes
// at a time: comparing whole codes at even positions finds only real
// candidates, where a search for one byte stops at every code that shares
// it, and kana share their bytes with most of the text.
int64_t CFullTextScanner::NextCode(int64_t from, int64_t limit) const {
  using Codes = uint16_t __attribute__((vector_size(16)));
  Codes want0, want1;
  for (int lane = 0; lane < 8; ++lane) {
    want0[lane] = m_firstCode[0];
    want1[lane] = m_firstCode[m_firstCount - 1];
  }
  for (; from + 16 <= limit; from += 16) {
    Codes text;
    std::memcpy(&text, At(from), sizeof text);
    auto hit = (text == want0) | (text == want1);
    uint64_t any[2];
    std::memcpy(any, &hit, sizeof any);
    if ((any[0] | any[1]) == 0) continue;
    for (int lane = 0; lane < 8; ++lane)
      if (hit[lane]) return from + 2 * lane;
  }
  for (; from < limit; from += 2) {
    uint16_t code;
    std::memcpy(&code, At(from), 2);
    if (code == m_firstCode[0] || code == m_firstCode[m_firstCount - 1]) return from;
  }
  return limit;
}

int CFullTextScanner::Compare(int64_t start, bool final) const {
  const size_t units = m_key.size() / static_cast<size_t>(m_unit);
  size_t j = 1;
  int64_t pos = start + m_unit;
  while (j < units) {
    if (pos + m_unit > End()) return final ? 0 : -1;
    if (Unit(pos, j)) {
      ++j;
    } else if (m_unit == 1 || !IsSkipCode(Code(pos))) {
      return 0;
    }
    pos += m_unit;
  }
  return 1;
}

bool CFullTextScanner::Record(int64_t boundary) {
  if (boundary == m_lastRecorded) return true;
  m_lastRecorded = boundary;
  int64_t page = m_area.startPage + boundary / kPageSize;
  int16_t offset = static_cast<int16_t>(boundary % kPageSize);
  if (m_reader.AddHitList(static_cast<int32_t>(page), offset, static_cast<int32_t>(page), offset, 0) < 0) {
    m_full = true;
    return false;
  }
  return true;
}

// Tries the pending candidates and then every new one below the limit.
// Returns false when the hit list is full.
bool CFullTextScanner::ScanWindow(bool final) {
  std::vector<Pending> still;
  for (const Pending& p : m_pending) {
    int r = Compare(p.start, final);
    if (r == 1 && !Record(p.boundary)) return false;
    if (r == -1) still.push_back(p);
  }
  // Boundaries are looked for only where a match is or may be; candidates
  // come in order, so each stretch of text is looked through once.
  // A boundary of the stop code's four bytes must fit in the window.
  int64_t limit = final ? End() : End() - (m_patLen - m_unit);
  limit -= (limit - m_base) % m_unit;
  for (int64_t pos = NextCandidate(m_searchFrom, limit); pos < limit; pos = NextCandidate(pos + m_unit, limit)) {
    int r = Compare(pos, final);
    if (r == 0) continue;
    int64_t boundary = BoundaryFor(pos);
    if (r == 1 && !Record(boundary)) return false;
    if (r == -1) still.push_back({pos, boundary});
  }
  m_searchFrom = std::max(m_searchFrom, limit);
  m_pending = std::move(still);
  // Boundaries up to the limit, so that the window can let go of them.
  if (m_knownUpTo < limit) BoundaryFor(limit - m_unit);
  return true;
}

void CFullTextScanner::Slide() {
  int64_t keep = m_searchFrom;
  std::vector<Pending> kept;
  for (const Pending& p : m_pending) {
    if (m_searchFrom - p.start <= static_cast<int64_t>(kMaxCarry)) kept.push_back(p);
  }
  m_pending = std::move(kept);
  if (!m_pending.empty()) keep = std::min(keep, m_pending.front().start);
  keep = std::min(keep, m_knownUpTo);
  keep -= (keep - m_base) % m_unit;
  size_t drop = static_cast<size_t>(keep - m_base);
  m_window.erase(m_window.begin(), m_window.begin() + static_cast<std::ptrdiff_t>(drop));
  m_base = keep;
}

// Appends up to a run of pages; false when nothing more is to be read.
// The progress callback hears of each page before the run is read in one
// go. A page that cannot be read ends the scan: the text is damaged from
// there, and a damaged area could otherwise send the scan through a vast
// run of failures.
bool CFullTextScanner::ReadRun(FullTextProgress progress, void* userData, int* pageIndex, bool* stopped) {
  int count = 0;
  while (count < kRunPages && *pageIndex + count < m_pages) {
    if (progress) progress(userData, m_reader.HitCount(), m_pages, *pageIndex + count);
    if (m_reader.Aborted()) {
      *stopped = true;
      break;
    }
    ++count;
  }
  const size_t old = m_window.size();
  m_window.resize(old + static_cast<size_t>(count) * kPageSize);
  int read = count > 0 ? m_reader.ReadPages(m_area.startPage + *pageIndex, count, m_window.data() + old) : 0;
  if (read < 0) read = 0;
  if (read < count) *stopped = true;
  m_window.resize(old + static_cast<size_t>(read) * kPageSize);
  *pageIndex += read;
  return read > 0;
}

void CFullTextScanner::Run(FullTextProgress progress, void* userData) {
  m_window.reserve(static_cast<size_t>(kRunPages + 1) * kPageSize);
  int pageIndex = 0;
  bool stopped = false;
  while (!stopped) {
    bool got = ReadRun(progress, userData, &pageIndex, &stopped);
    bool final = stopped || pageIndex >= m_pages;
    if (!got && !final) break;
    if (!ScanWindow(final) || final) break;
    Slide();
  }
}

}  // namespace

std::string FullTextKey(std::string_view key, bool singleByte) {
  std::string out;
  for (size_t i = 0; i < key.size() && key[i] != 0;) {
    uint8_t b = static_cast<uint8_t>(key[i]);
    if (singleByte) {
      out.push_back(static_cast<char>(FoldByte(b)));
      ++i;
      continue;
    }
    uint16_t c = b;
    if (IsSjisLead(b)) {
      if (i + 1 >= key.size() || key[i + 1] == 0) break;
      c = static_cast<uint16_t>(b << 8 | static_cast<uint8_t>(key[i + 1]));
      i += 2;
    } else {
      ++i;
      if (b < 0x20) continue;
      c = ToFullWidth(FoldByte(b));
    }
    if (c < 0x100 || c == 0x8140) continue;  // no two-byte form, or a space
    uint16_t jis = FoldCode(SjisToJis(c));
    out.push_back(static_cast<char>(jis >> 8));
    out.push_back(static_cast<char>(jis & 0xFF));
  }
  return out;
}

int FullTextSearch(CEBReader& reader, std::string_view key, FullTextProgress progress, void* userData,
                   FullTextStop stop) {
  reader.ClearHitList();
  if (!reader.IsOpen()) return 0;
  const IndexEntry* area = reader.FindIndex(0x00);
  std::string k = FullTextKey(key, reader.SingleByte());
  if (area == nullptr || area->pageCount <= 0 || area->startPage <= 0 || k.empty()) return 0;
  // An area may claim more pages than the file holds; the rest is nothing.
  const int64_t held = int64_t{reader.PageCount()} - area->startPage + 1;
  const auto pages = static_cast<int32_t>(std::clamp<int64_t>(held, 0, area->pageCount));
  if (pages == 0) return 0;
  CFullTextScanner scanner(reader, *area, pages, std::move(k), stop);
  scanner.Run(progress, userData);
  return reader.SortResult(false);
}
