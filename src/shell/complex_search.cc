// See complex_search.h.
#include "shell/complex_search.h"

#include "decode/cp932.h"
#include "decode/sjis_string.h"
#include "reader/eb_reader.h"
#include "reader/multi_search.h"
#include "shell/plain_text.h"

namespace {

constexpr uint8_t kLabelKind = 0;
constexpr uint8_t kCandidatesKind = 1;
constexpr int64_t kPageBytes = 2048;

// "--" + title, as CMultiSearch names the row that begins a field.
std::u16string LabelOf(const IndexEntry& row) {
  std::string_view name(row.name);
  if (name.substr(0, 2) == "--") name.remove_prefix(2);
  return FromUtf8(name);
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// `digits` hex digits at `*at`; -1 (and `*at` unmoved) unless all are there.
int64_t ReadHex(std::u16string_view text, size_t* at, int digits) {
  if (*at + static_cast<size_t>(digits) > text.size()) return -1;
  int64_t value = 0;
  for (int i = 0; i < digits; ++i) {
    int d = HexDigit(text[*at + static_cast<size_t>(i)]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  *at += static_cast<size_t>(digits);
  return value;
}

// The position written after "</MENU" at `at`: "[%08X:%04X]"; 0 when it is
// not there in that form.
int64_t MenuPosition(std::u16string_view text, size_t at) {
  if (at >= text.size() || text[at] != u'[') return 0;
  ++at;
  int64_t page = ReadHex(text, &at, 8);
  if (page < 0 || at >= text.size() || text[at] != u':') return 0;
  ++at;
  int64_t offset = ReadHex(text, &at, 4);
  if (offset < 0) return 0;
  return page * kPageBytes + offset;
}

void Append(std::u16string* item, std::u16string_view text) {
  size_t room = kMaxCandidateItemLength - std::min(item->size(), kMaxCandidateItemLength);
  item->append(text.substr(0, room));
}

}  // namespace

bool IsComplexSearchKind(uint8_t kind) {
  if ((kind >= 4 && kind <= 11) || kind == 13) return true;
  switch (kind) {
    case 0x30: case 0x40: case 0x50: case 0x60:
    case 0x70: case 0x71: case 0x72:
    case 0x80: case 0x81:
    case 0x90: case 0x91: case 0x92:
    case 0xA0: case 0xA1:
      return true;
    default:
      return false;
  }
}

ComplexDefinition LoadComplexDefinition(CMultiSearch& multi, CEBReader& reader, int n) {
  ComplexDefinition d;
  if (n < 0 || n >= multi.AreaCount()) return d;
  d.title = FromUtf8(multi.SearchMethodName(n));
  multi.SelectMultiSearch(reader, n);
  for (const IndexEntry& row : multi.Rows()) {
    if (row.id == kLabelKind) {
      if (static_cast<int>(d.fields.size()) == kMaxComplexFields) break;
      d.fields.push_back(ComplexField{LabelOf(row), 0, {}});
    } else if (d.fields.empty()) {
      break;
    } else if (row.id == kCandidatesKind) {
      if (row.startPage > 0) d.fields.back().candidates = row.startPage * kPageBytes;
    } else if (IsComplexSearchKind(row.id)) {
      d.fields.back().searchRows.push_back(row);
    }
  }
  return d;
}

int NextDefinition(int n, int count) { return count <= 0 ? 0 : (n + 1 >= count || n < 0 ? 0 : n + 1); }

int PreviousDefinition(int n, int count) { return count <= 0 ? 0 : (n <= 0 || n >= count ? count - 1 : n - 1); }

std::vector<Candidate> ParseCandidates(std::u16string_view markup) {
  static constexpr std::u16string_view kMenuEnd = u"</MENU";
  std::vector<Candidate> items;
  std::u16string item;
  size_t i = 0;
  while (i < markup.size()) {
    char16_t c = markup[i];
    if (c == u'\n' || c == u'\r') {
      ++i;
    } else if (c == u'&') {
      // An entity stands for one character: kept whole, as far as ';'.
      size_t end = i + 1;
      while (end < markup.size() && end - i < 7 && markup[end] != u';') ++end;
      if (end < markup.size() && markup[end] == u';') ++end;
      Append(&item, markup.substr(i, end - i));
      i = end;
    } else if (c == u'<') {
      size_t close = markup.find(u'>', i);
      size_t tagEnd = close == std::u16string_view::npos ? markup.size() : close + 1;
      if (markup.substr(i, kMenuEnd.size()) == kMenuEnd) {
        items.push_back(Candidate{item, MenuPosition(markup, i + kMenuEnd.size())});
        item.clear();
      }
      i = tagEnd;
    } else {
      Append(&item, markup.substr(i, 1));
      ++i;
    }
  }
  return items;
}

std::u16string ReadCandidateText(CEBReader& reader, const DictConfig* config, int64_t position) {
  if (position <= 0 || position / kPageBytes > INT32_MAX) return u"";
  auto page = static_cast<int32_t>(position / kPageBytes);
  auto offset = static_cast<int>(position % kPageBytes);
  std::string bytes = EntryMarkup(reader, config, page, offset, 0, kMaxCandidateTextBytes);
  if (!reader.SingleByte()) return Cp932ToUtf16(bytes);
  std::u16string wide;
  for (char b : bytes) wide.push_back(static_cast<char16_t>(static_cast<uint8_t>(b)));
  return wide;
}

ComplexTerm MakeComplexTerm(const ComplexField& field, std::u16string_view text) {
  ComplexTerm term;
  term.rows = field.searchRows;
  std::string all = Utf16ToCp932(text);
  char cut[kMaxComplexKeyBytes + 1];
  size_t n = SjisCopyN(cut, sizeof cut, all.c_str(), all.size());
  term.key.assign(cut, n);
  return term;
}

int RunComplexTerms(CEBReader& reader, const std::vector<ComplexTerm>& terms, bool* overflow) {
  int run = 0;
  for (const ComplexTerm& term : terms) {
    if (term.key.empty()) continue;
    for (const IndexEntry& row : term.rows) {
      if (row.startPage <= 0) continue;
      MultiFieldSearch(reader, row, term.key, run++);
      break;
    }
  }
  // Nothing run leaves no hits of an earlier search behind to be shown.
  if (run == 0) reader.ClearHitList();
  if (overflow != nullptr) *overflow = reader.Overflowed();
  return run;
}
