// CGaijiMap: the user's external-character (gaiji) maps, which turn codes
// of a book's own fonts into Unicode characters or short replacement texts.
//
// The user puts one text map per book in the GAIJI folder of the
// application directory ("KOJIEN.MAP", see gaiji_map_file.h for the format).
// All maps are compiled into one binary cache, "GaijiMap.db" beside the
// folder (gaiji_map_cache.h), so that a start normally reads one small file:
//
//   construction   read the cache; list GAIJI/*.MAP (suffix in any case);
//                  (re)load every map whose record is missing or whose file
//                  time differs from the record's; if any map was loaded,
//                  rewrite the cache (atomically) without the replaced
//                  records. An unchanged folder leaves the cache untouched.
//
// A record replaced by a newer load stays in memory, marked invalid, so that
// pointers handed out earlier stay good; records never move or go away
// before the object does. A missing, foreign or damaged cache is rebuilt from
// the map files: a cache whose content is cut short or whose counts it cannot
// hold ends its load at the last whole record, and the cache is rewritten.
//
// Compound entries ("c" and "g" lines) whose code is a GB2312 code also
// overwrite that cell of the GB2312 table (gb2312.h). The table is reset and
// filled from the valid records once everything is loaded, so it is the same
// whether a map came from its file or from the cache, and a replaced map
// leaves nothing behind.
//
// Allocation failures are fatal ("malloc error in CGaijiMap::LoadMap[...]").
// Not thread-safe; look-ups on a built map are read-only.
#ifndef TOMELING_DECODE_GAIJI_MAP_H_
#define TOMELING_DECODE_GAIJI_MAP_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One mapped code. `text` is NUL-padded but not necessarily NUL-terminated.
struct GaijiEntry {
  uint16_t code = 0;
  uint16_t value = 0;  // 0: none (text only); kGaijiRemove: show nothing
  char text[4] = {0, 0, 0, 0};
};

inline constexpr uint16_t kGaijiRemove = 0xFFFF;

// The three tables of a map, as LookUp's `table` argument.
enum : int {
  kGaijiHalfWidth = 0,  // "&h", map letter h
  kGaijiFullWidth = 1,  // "&z", map letter z
  kGaijiCompound = 2,   // "&c", map letters c and g
};

// A table holds at most this many entries (its count is 16 bits in the cache).
inline constexpr size_t kMaxGaijiEntries = 0xFFFF;
// Name bytes kept of a map file's name (the record field is 32 with the NUL).
inline constexpr size_t kGaijiNameLength = 31;

struct GaijiMapRecord {
  char name[kGaijiNameLength + 1] = {};  // Shift_JIS, NUL-padded
  uint16_t valid = 0;
  uint64_t fileTime = 0;  // last write of the map file, 100-ns units since 1601
  std::vector<GaijiEntry> gaiHanSorted;  // each sorted by code, ascending
  std::vector<GaijiEntry> gaiZenSorted;
  std::vector<GaijiEntry> gaiChiSorted;

  // nullptr for a table number outside 0..2.
  const std::vector<GaijiEntry>* Table(int table) const;
  std::string_view Name() const;
};

class CGaijiMap {
 public:
  // `appDir` is the application directory (with or without a trailing "/").
  explicit CGaijiMap(const std::string& appDir);
  ~CGaijiMap();
  CGaijiMap(const CGaijiMap&) = delete;
  CGaijiMap& operator=(const CGaijiMap&) = delete;

  // The first valid record whose name equals `name` byte for byte (names
  // include ".MAP" as listed), or nullptr.
  const GaijiMapRecord* FindMap(std::string_view name) const;

  // Looks `code` up in one table of `record` by binary search. Returns 1 and
  // the Unicode value (and, when `text` is given, the replacement text in
  // `textSize` bytes: at most 4 copied, the rest zero-filled), or 0 with
  // `value` 0 (and `text` zero-filled) when the record, the table or the
  // code is absent.
  static int LookUp(const GaijiMapRecord* record, int table, uint16_t code, uint16_t* value, char* text,
                    size_t textSize);

  const std::string& CachePath() const { return m_cachePath; }
  // Records in memory, including invalid ones.
  size_t RecordCount() const { return m_maps.size(); }
  const GaijiMapRecord& Record(size_t i) const { return *m_maps[i]; }

 private:
  void ScanFolder(const std::string& folder, bool* loaded);
  bool LoadMap(const std::string& path, const std::string& name, uint64_t fileTime);
  void AddRecord(std::unique_ptr<GaijiMapRecord> record);
  void WriteCache() const;

  std::string m_cachePath;
  std::vector<std::unique_ptr<GaijiMapRecord>> m_maps;
};

#endif  // TOMELING_DECODE_GAIJI_MAP_H_
