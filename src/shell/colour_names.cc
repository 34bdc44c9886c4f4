#include "shell/colour_names.h"

#include <cstdio>

#include "catalog/line_reader.h"
#include "storage/regular_file.h"

namespace {

constexpr size_t kColourLine = 254;

// "%d": white space, sign, digits; false when there are no digits.
bool ParseInt(std::string_view text, int32_t* out) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  size_t first = i;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < (int64_t{1} << 32)) value = value * 10 + (text[i] - '0');
  if (i == first) return false;
  if (value > INT32_MAX) value = INT32_MAX;
  *out = static_cast<int32_t>(negative ? -value : value);
  return true;
}

// strtok(",")-like: empty fields between commas do not count.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size() && fields.size() < 5) {
    while (i < line.size() && line[i] == ',') ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ',') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

}  // namespace

bool CColourNames::LoadColorTable(const std::string& path) {
  m_entries.clear();
  // Past 512 full lines there is nothing more to use; don't read a huge file.
  FileRead read = ReadRegularFile(path, kMaxColourNames * (kColourLine + 2) * 4);
  if (!read.ok()) return false;
  Parse(WholeLines(read));
  return true;
}

void CColourNames::Parse(std::string_view text) {
  m_entries.clear();
  CLineReader lines(text, kColourLine, CLineReader::LongLines::kCut);
  std::string line;
  while (m_entries.size() < kMaxColourNames && lines.Next(&line)) {
    std::vector<std::string_view> f = Fields(line);
    if (f.size() < 4) continue;
    ColourName c;
    c.name = std::string(f[0].substr(0, kMaxColourNameBytes));
    if (!ParseInt(f[1], &c.red) || !ParseInt(f[2], &c.green) || !ParseInt(f[3], &c.blue)) continue;
    m_entries.push_back(std::move(c));
  }
}

bool CColourNames::LookUpColor(std::string_view name, int32_t* red, int32_t* green, int32_t* blue) const {
  for (const ColourName& c : m_entries) {
    if (c.name != name) continue;
    *red = c.red;
    *green = c.green;
    *blue = c.blue;
    return true;
  }
  *red = *green = *blue = 255;
  return false;
}
