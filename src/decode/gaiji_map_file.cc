#include "decode/gaiji_map_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "storage/fatal.h"
#include "storage/regular_file.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseHex(std::string_view digits, uint16_t* value) {
  uint32_t v = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<uint32_t>(d);
  }
  *value = static_cast<uint16_t>(v);
  return true;
}

// Splits off the field that starts `*rest` and ends before the first of
// `ends` (or at the end); `*rest` moves past that separator. `*more` tells
// whether a separator was found, that is whether another field follows.
std::string_view NextField(std::string_view* rest, const char* ends, bool* more) {
  size_t end = rest->find_first_of(ends);
  std::string_view field = rest->substr(0, end);
  *more = end != std::string_view::npos;
  *rest = *more ? rest->substr(end + 1) : std::string_view();
  return field;
}

// The value of field 2; false for one that no character of the map can
// have: a surrogate half (U+D800 to U+DFFF), which would reach the screen
// as invalid text, or a number of more digits beyond 16 bits (U+10000 on,
// U+110000 and above being no character at all).
bool ParseValue(std::string_view field, uint16_t* value) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  *value = 0;
  if (field == "null") {
    *value = kGaijiRemove;
    return true;
  }
  if (field.size() < 5 || (field[0] != 'u' && field[0] != 'U')) return true;
  size_t digits = 1;
  while (digits < field.size() && HexDigit(field[digits]) >= 0) ++digits;
  --digits;
  if (digits < 4) return true;
  uint32_t number = 0;
  for (size_t i = 1; i <= digits; ++i) {
    number = number << 4 | static_cast<uint32_t>(HexDigit(field[i]));
    if (number > 0xFFFF) return false;
  }
  if (number >= 0xD800 && number <= 0xDFFF) return false;
  *value = static_cast<uint16_t>(number);
  return true;
}

const char* TableMessage(int table) {
  switch (table) {
    case kGaijiHalfWidth:
      return "malloc error in CGaijiMap::LoadMap[gaiHanSorted]";
    case kGaijiFullWidth:
      return "malloc error in CGaijiMap::LoadMap[gaiZenSorted]";
    default:
      return "malloc error in CGaijiMap::LoadMap[gaiChiSorted]";
  }
}

int TableOfLetter(char letter) {
  switch (letter) {
    case 'h':
      return kGaijiHalfWidth;
    case 'z':
      return kGaijiFullWidth;
    default:
      return kGaijiCompound;
  }
}

// Collects the entries of one file; tables start with room for 256.
class MapCollector {
 public:
  MapCollector() {
    for (int t = 0; t < 3; ++t) Guard(t, [&] { m_tables[t].reserve(256); });
  }

  void Line(std::string_view line) {
    char letter;
    GaijiEntry entry;
    if (!ParseGaijiMapLine(line, &letter, &entry)) return;
    int t = TableOfLetter(letter);
    if (m_tables[t].size() >= kMaxGaijiEntries) return;
    Guard(t, [&] { m_tables[t].push_back(entry); });
  }

  void MoveSortedInto(GaijiMapRecord* record) {
    auto byCode = [](const GaijiEntry& a, const GaijiEntry& b) { return a.code < b.code; };
    for (auto& table : m_tables) std::sort(table.begin(), table.end(), byCode);
    record->gaiHanSorted = std::move(m_tables[kGaijiHalfWidth]);
    record->gaiZenSorted = std::move(m_tables[kGaijiFullWidth]);
    record->gaiChiSorted = std::move(m_tables[kGaijiCompound]);
  }

 private:
  template <typename F>
  static void Guard(int table, F f) {
    try {
      f();
    } catch (const std::bad_alloc&) {
      FatalError(TableMessage(table));
    }
  }

  std::vector<GaijiEntry> m_tables[3];
};

}  // namespace

bool ParseGaijiMapLine(std::string_view line, char* letter, GaijiEntry* entry) {
  if (line.empty() || line[0] == '#') return false;
  bool more = false;
  std::string_view code = NextField(&line, " \t", &more);
  if (code.size() != 3 && code.size() != 5) return false;
  if (code[0] != 'h' && code[0] != 'z' && code[0] != 'c' && code[0] != 'g') return false;
  GaijiEntry e;
  if (!ParseHex(code.substr(1), &e.code)) return false;
  // Spaces may pad the value; tabs may not, since two tabs mark an empty one.
  while (more && !line.empty() && line[0] == ' ') line.remove_prefix(1);
  std::string_view value = more ? NextField(&line, "\t", &more) : std::string_view();
  if (!ParseValue(value, &e.value)) return false;
  std::string_view text = more ? NextField(&line, "\t", &more) : std::string_view();
  if (e.value == 0 && text.empty()) return false;
  if (!text.empty()) std::memcpy(e.text, text.data(), std::min(text.size(), sizeof(e.text)));
  *letter = code[0];
  *entry = e;
  return true;
}

bool ReadGaijiMapFile(const std::string& path, GaijiMapRecord* record) {
  FileRead read = ReadRegularFile(path, kMaxGaijiMapFileBytes);
  if (!read.ok()) return false;
  MapCollector collector;
  std::string_view text = WholeLines(read);
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    // The rest of an overlong line is dropped, its CR with it.
    if (line.size() > kMaxGaijiMapLine) {
      line = line.substr(0, kMaxGaijiMapLine);
    } else if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    collector.Line(line);
  }
  collector.MoveSortedInto(record);
  return true;
}
