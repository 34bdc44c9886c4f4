// Index descent and leaf scan of CEBReader; see eb_reader.h.
//
// Index page (2048 bytes):
//   0  flags: 0x80 leaf, 0x20 last page of its level, 0x10 group leaf
//   1  key length of every entry; 0 = each entry carries its own length byte
//   2  entry count (16-bit)
//   4  entries
// Inner entry: key, child page (32). Leaf entry: key, text page (32) and
// offset (16), and except in class 1 indexes a heading page and offset too.
// Group leaves (0x10) start each entry with a type byte: 0x00 a plain entry,
// 0x80 a group head carrying the group's key, 0xC0 a member of the group.
//
// Everything on an index page is data from the book: every read is checked
// against the page end, the descent never visits a page twice and never
// leaves the index, and the scan walks forward only, so damage can only end
// a search early.
#include <unordered_set>

#include "reader/eb_reader.h"
#include "reader/index_names.h"
#include "reader/key_normalise.h"

namespace {

constexpr uint32_t kKanaLightStyle = 0x33FFC0;  // katakana folding, marks off

// Bounded reader over one index page.
class PageParser {
 public:
  explicit PageParser(const uint8_t* page) : m_page(page) {}
  bool Ok() const { return m_ok; }
  uint8_t Byte() { return Take(1) ? m_page[m_pos - 1] : 0; }
  uint32_t Be16() { return Take(2) ? static_cast<uint32_t>(m_page[m_pos - 2]) << 8 | m_page[m_pos - 1] : 0; }
  uint32_t Be32() {
    uint32_t hi = Be16();
    return hi << 16 | Be16();
  }
  std::string_view Bytes(int n) {
    if (!Take(n)) return {};
    return std::string_view(reinterpret_cast<const char*>(m_page + m_pos - n), static_cast<size_t>(n));
  }
  void Skip(int n) { Take(n); }
  // A key of `fixedLength` bytes, or of the length in its own first byte.
  std::string_view Key(int fixedLength) { return Bytes(fixedLength != 0 ? fixedLength : Byte()); }

 private:
  bool Take(int n) {
    if (!m_ok || n < 0 || m_pos + n > kPageSize) {
      m_ok = false;
      return false;
    }
    m_pos += n;
    return true;
  }

  const uint8_t* m_page;
  int m_pos = 4;
  bool m_ok = true;
};

// Fixed-length keys are padded with NULs, which no key character contains.
std::string_view Unpadded(std::string_view key) {
  while (!key.empty() && key.back() == '\0') key.remove_suffix(1);
  return key;
}

bool IsLeafFlag(uint8_t flags) { return (flags & 0x80) != 0 && (flags & 0x0F) == 0; }

struct Position {
  uint32_t page = 0, offset = 0;
};

Position ReadPosition(PageParser& p) {
  Position pos;
  pos.page = p.Be32();
  pos.offset = p.Be16();
  return pos;
}

}  // namespace

// The group a leaf scan is in. A group's members may run on to the next leaf
// page without their head being repeated there, so the head's key and
// heading outlive the page they were read from.
struct CEBReader::GroupScan {
  std::string key;
  Position heading;
};

struct CEBReader::SearchKeys {
  std::string k1, k2, k3;
  bool hasK3 = false;
};

std::string CEBReader::PrepareDescentKey(const IndexEntry& index, std::string_view key) const {
  std::string k = m_singleByte ? SingleByteKey(key) : KeyToJis(NormaliseKey(key, index.Style()));
  if (IsEndwordIndex(index.id)) k = m_singleByte ? ReverseSjis(k) : ReverseJis(k);
  return k;
}

CEBReader::SearchKeys CEBReader::PrepareKeys(const IndexEntry& index, std::string_view key) const {
  SearchKeys keys;
  keys.k1 = PrepareDescentKey(index, key);
  if (m_singleByte) {
    keys.k2 = keys.k1;
    return keys;
  }
  // The second key is matched against group members, which keep the word
  // as written: for kana only katakana and marks are folded.
  keys.k2 = KeyToJis(IsKanaIndex(index.id) ? NormaliseKey(key, kKanaLightStyle) : std::string(key));
  if (IsKanaIndex(index.id) && m_mode == kModeEb) {
    keys.k3 = KeyToJis(key);
    keys.hasK3 = true;
  }
  if (IsEndwordIndex(index.id)) {
    keys.k2 = ReverseJis(keys.k2);
    keys.k3 = ReverseJis(keys.k3);
  }
  return keys;
}

int32_t CEBReader::FindLeaf(const IndexEntry& index, std::string_view typed) {
  if (!IsOpen() || index.startPage <= 0) return 0;
  std::string key = PrepareDescentKey(index, typed);
  std::unordered_set<int32_t> visited;
  int32_t page = index.startPage;
  while (index.HoldsPage(page) && visited.insert(page).second) {
    // An unreadable page, or an inner page without entries, is damage: the
    // level walk below would otherwise step through a vast empty "index".
    if (!SeekPage(page)) return 0;
    uint8_t flags = m_buf[0];
    if (flags & 0x80) return IsLeafFlag(flags) ? page : 0;
    int keyLength = m_buf[1];
    int count = m_buf[2] << 8 | m_buf[3];
    if (count == 0) return 0;
    PageParser p(m_buf);
    int32_t next = 0;
    uint32_t child = 0;
    for (int i = 0; i < count; ++i) {
      std::string_view entryKey = p.Key(keyLength);
      child = p.Be32();
      if (!p.Ok()) return 0;
      if (CompareKey(key, entryKey, KeyCompare::kDescent) <= 0) {
        next = static_cast<int32_t>(child);
        break;
      }
    }
    if (next == 0) {
      if (flags & 0x20) {
        next = static_cast<int32_t>(child);
      } else {
        next = page + 1;  // the rest of this level
      }
    }
    page = next;
  }
  return 0;
}

int CEBReader::ScanLeaves(const IndexEntry& index, int32_t startPage, std::string_view typed, bool exact,
                          int level) {
  if (!IsOpen()) return HitCount();
  m_scanLevel = level;
  SearchKeys keys = PrepareKeys(index, typed);
  if (keys.k1.size() > kMaxKeyBytes || keys.k1.empty()) return HitCount();
  bool stop = false;
  GroupScan group;
  for (int32_t page = startPage; !stop && index.HoldsPage(page) && !Aborted(); ++page) {
    if (m_progressHook) m_progressHook();
    if (Aborted()) break;
    SeekPage(page);
    if (!ScanLeafPage(index, keys, exact, &group, &stop)) break;
    if (page == INT32_MAX) break;
  }
  return HitCount();
}

bool CEBReader::Record(uint32_t textPage, uint32_t textOffset, uint32_t headingPage, uint32_t headingOffset) {
  // Offset 2048 is the start of the next page; kept in one form so that
  // duplicates are recognised.
  if (textOffset == kPageSize) ++textPage, textOffset = 0;
  if (headingOffset == kPageSize) ++headingPage, headingOffset = 0;
  return AddHitList(static_cast<int32_t>(textPage), static_cast<int16_t>(textOffset),
                    static_cast<int32_t>(headingPage), static_cast<int16_t>(headingOffset), m_scanLevel) >= 0;
}

// One leaf page at the cursor. Returns false when the scan must end after
// this page (a page that is no leaf, a damaged entry or an entry type that
// cannot be parsed); sets `*stop` when the keys have passed the search key
// or the hit list is full.
bool CEBReader::ScanLeafPage(const IndexEntry& index, const SearchKeys& keys, bool exact, GroupScan* group,
                             bool* stop) {
  const uint8_t flags = m_buf[0];
  if (!IsLeafFlag(flags)) return false;
  const bool grouped = (flags & 0x10) != 0;
  const int keyLength = m_buf[1];
  const int count = m_buf[2] << 8 | m_buf[3];
  int cls = IndexClass(index.id);
  if (cls == 0) cls = 2;
  const KeyCompare mode = exact ? KeyCompare::kExact : KeyCompare::kPrefix;
  auto compare = [mode](const std::string& k, std::string_view e) { return CompareKey(k, Unpadded(e), mode); };
  auto memberMatches = [&](std::string_view member, std::string_view groupKey) {
    if (m_seion) return compare(keys.k1, cls == 2 ? groupKey : member) == 0;
    return compare(keys.k2, member) == 0 || (keys.hasK3 && compare(keys.k3, member) == 0);
  };

  PageParser p(m_buf);
  bool damaged = false;
  std::string& groupKey = group->key;
  Position& groupHeading = group->heading;
  // False when the hit list refuses: the scan ends at once.
  auto record = [&](Position text, Position heading) {
    if (text.offset > kPageSize || heading.offset > kPageSize) {
      damaged = true;
      return true;
    }
    if (Record(text.page, text.offset, heading.page, heading.offset)) return true;
    *stop = true;
    return false;
  };

  for (int i = 0; i < count && !*stop; ++i) {
    const uint8_t type = grouped ? p.Byte() : 0x00;
    if (type == 0x00) {
      std::string_view key = p.Key(keyLength);
      Position text = ReadPosition(p);
      Position heading = cls == 1 ? text : ReadPosition(p);
      if (!p.Ok()) return false;
      int c = compare(keys.k1, key);
      if (c < 0) {
        *stop = true;  // keys are sorted: nothing further can match
        break;
      }
      bool hit = c == 0;
      if (hit && grouped && cls == 1) hit = m_seion || compare(keys.k2, key) == 0;
      if (hit && grouped && cls == 3) hit = compare(keys.k2, key) == 0;
      if (hit && !record(text, heading)) break;
    } else if (type == 0x80) {
      int length = p.Byte();
      p.Skip(cls <= 2 ? 2 : 4);
      groupKey.assign(p.Bytes(length));
      if (cls == 3) groupHeading = ReadPosition(p);
      if (!p.Ok()) return false;
      if (cls == 2 && compare(keys.k1, groupKey) < 0) *stop = true;
    } else if (type == 0xC0) {
      int length = p.Byte();
      std::string_view member = p.Bytes(length);
      Position text = ReadPosition(p);
      Position heading = text;
      if (cls == 2 || cls == 4) heading = ReadPosition(p);
      if (cls == 3) heading = groupHeading;
      if (!p.Ok()) return false;
      bool hit = false;
      if (cls <= 2) {
        hit = memberMatches(member, groupKey);
      } else {
        int c = compare(keys.k2, groupKey);
        if (cls == 3 && c < 0) {
          *stop = true;
          break;
        }
        hit = c == 0;
      }
      if (hit && !record(text, heading)) break;
      // Only the first member of a keyword group carries the heading.
      if (hit && cls == 3) groupHeading = Position();
    } else {
      return false;
    }
  }
  return !damaged;
}
