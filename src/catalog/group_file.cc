// See group_file.h.
#include "catalog/group_file.h"

#include <climits>

#include "catalog/line_reader.h"
#include "catalog/text_convert.h"
#include "storage/regular_file.h"

namespace {

constexpr size_t kMaxPathLength = 4096;

// What atoi would make of it, without its undefined overflow.
int ParseDecimal(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    value = value * 10 + (s[i] - '0');
    if (value > INT_MAX) value = INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

struct ParseState {
  bool utf8 = false;
  GroupFile* out;
};

void ParseOption(std::string_view line, ParseState* state) {
  line.remove_prefix(2);
  size_t end = line.find_first_of("=\t\r\n");
  std::string_view name = line.substr(0, end);
  int value = end == std::string_view::npos ? 0 : ParseDecimal(line.substr(end + 1));
  if (name == "UTF-8") {
    state->utf8 = value != 0;
  } else if (name == "bWordInflect") {
    state->out->wordInflect = value;
  } else if (name == "searchType") {
    state->out->searchType = value;
  }
}

// The fields of a record line, empty ones skipped; only the first six matter.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (!line.empty() && fields.size() < 6) {
    size_t bar = line.find('|');
    std::string_view field = line.substr(0, bar);
    if (!field.empty()) fields.push_back(field);
    if (bar == std::string_view::npos) break;
    line.remove_prefix(bar + 1);
  }
  return fields;
}

void ParseRecord(std::string_view line, const ParseState& state) {
  std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < 2) return;
  GroupRecord record;
  record.catalogPath = state.utf8 ? std::string(fields[0]) : Utf8FromWide(Cp932ToUtf16(fields[0]));
  record.catalogIndex = ParseDecimal(fields[1]);
  if (fields.size() >= 6) {
    std::u16string name = state.utf8 ? WideFromUtf8(fields[5]) : Cp932ToUtf16(fields[5]);
    record.userName = CutUnits(name, kMaxUserNameLength);
  }
  state.out->records.push_back(std::move(record));
}

void ParseLines(CLineReader& reader, GroupFile* out) {
  ParseState state{false, out};
  std::string line;
  while (reader.Next(&line)) {
    if (line.compare(0, 2, "%%") == 0) {
      ParseOption(line, &state);
    } else {
      ParseRecord(line, state);
    }
  }
}

// A field for people reading the file: one line, no separators, never empty
// (an empty field would shift the user's name out of its place).
std::string ReadableField(std::string_view text) {
  std::string out;
  for (char c : text) out.push_back(static_cast<unsigned char>(c) < 0x20 || c == '|' ? ' ' : c);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out.empty() ? " " : out;
}

std::string NameField(const std::u16string& name) {
  std::u16string clean = CutUnits(name, kMaxUserNameLength);
  for (char16_t& c : clean)
    if (c == u'|' || c == u'\r' || c == u'\n' || c == 0) c = u' ';
  return Utf8FromWide(clean);
}

}  // namespace

GroupFile ParseGroupFile(std::string_view text) {
  GroupFile file;
  CLineReader reader(text, kMaxGroupLineLength, CLineReader::LongLines::kCut);
  ParseLines(reader, &file);
  return file;
}

bool ReadGroupFile(const std::string& path, GroupFile* out) {
  *out = GroupFile();
  // A read error part way gives no list at all: half a list is no list.
  FileRead read = ReadRegularFile(path, kMaxGroupFileBytes);
  if (!read.ok()) return false;
  *out = ParseGroupFile(WholeLines(read));
  return true;
}

bool IsStorableGroupPath(std::string_view path) {
  if (path.empty() || path.size() > kMaxPathLength || path.compare(0, 2, "%%") == 0) return false;
  return path.find_first_of(std::string_view("|\r\n\0", 4)) == std::string_view::npos;
}

std::string FormatGroupFile(const GroupFile& file) {
  std::string text = "%%UTF-8=1\n";
  for (const GroupRecord& r : file.records) {
    if (!IsStorableGroupPath(r.catalogPath)) continue;
    text += r.catalogPath + "|" + std::to_string(r.catalogIndex) + "|" + (r.singleByte ? "G" : "_") + "|" +
            ReadableField(r.title) + "|" + ReadableField(r.directory) + "|" + NameField(r.userName) + "|\n";
  }
  text += "%%bWordInflect=" + std::to_string(file.wordInflect) + "\n";
  text += "%%searchType=" + std::to_string(file.searchType) + "\n";
  return text;
}

bool WriteGroupFile(const std::string& path, const GroupFile& file, RenameFunction renameFn) {
  return WriteFileAtomically(path, FormatGroupFile(file), renameFn);
}
