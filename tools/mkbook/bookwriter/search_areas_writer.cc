// Search, menu and colour-chart areas; see search_areas_writer.h.
#include "bookwriter/search_areas_writer.h"

#include <algorithm>

#include "bookwriter/big_endian.h"
#include "bookwriter/key_style.h"
#include "bookwriter/text_encoder.h"

namespace {

constexpr size_t kPage = 2048;
constexpr size_t kTitleCodes = 15;
constexpr size_t kMethodNamesOffset = 350;
constexpr size_t kMethodRecordSize = 70;

// JIS codes of UTF-8 text, at most `codes` of them, zero-padded.
bool JisField(const std::string& utf8, size_t codes, uint8_t* out, std::string* error) {
  CTextEncoder text;
  if (!text.Text(utf8)) {
    if (error) *error = "cannot be stored as JIS X 0208: " + utf8;
    return false;
  }
  size_t n = std::min(text.Size(), codes * 2);
  std::copy(text.Bytes().begin(), text.Bytes().begin() + static_cast<std::ptrdiff_t>(n), out);
  return true;
}

size_t MultiAreaSize(const std::vector<MultiSearchSource>& searches) {
  size_t size = 16;
  for (const MultiSearchSource& s : searches) size += 32 + 16 * s.fieldIndexes.size();
  return size;
}

// Start and page count of index `id` in the written subbook: areas lie one
// after another, so an index ends where the next area begins.
bool IndexPages(const WrittenSubbook& w, uint8_t id, int32_t* start, int32_t* count) {
  *start = 0;
  for (const auto& [areaId, page] : w.indexStart)
    if (areaId == id) *start = page;
  if (*start == 0) return false;
  int32_t next = 0;
  for (const auto& [areaId, page] : w.indexStart)
    if (page > *start && (next == 0 || page < next)) next = page;
  *count = next != 0 ? next - *start : 1;
  return true;
}

bool MultiArea(const std::vector<MultiSearchSource>& searches, const WrittenSubbook* w, std::vector<uint8_t>* out,
               std::string* error) {
  out->assign(MultiAreaSize(searches), 0);
  PutBE16(out->data(), static_cast<uint32_t>(searches.size()));
  size_t at = 16;
  for (const MultiSearchSource& s : searches) {
    uint8_t* record = out->data() + at;
    record[0] = static_cast<uint8_t>(s.fieldIndexes.size());
    if (!JisField(s.title, kTitleCodes, record + 2, error)) return false;
    at += 32;
    for (uint8_t id : s.fieldIndexes) {
      uint8_t* field = out->data() + at;
      field[0] = id;
      int32_t start = 0, count = 0;
      if (w != nullptr && !IndexPages(*w, id, &start, &count)) {
        if (error) *error = "multi-search field without its index";
        return false;
      }
      PutBE32(field + 2, static_cast<uint32_t>(start));
      PutBE32(field + 6, static_cast<uint32_t>(count));
      at += 16;
    }
  }
  return true;
}

bool MethodNamesArea(const std::array<std::string, 10>& names, std::vector<uint8_t>* out, std::string* error) {
  out->assign(kPage, 0);
  for (size_t k = 0; k < names.size(); ++k) {
    if (names[k].empty()) continue;
    uint8_t* record = out->data() + kMethodNamesOffset + k * kMethodRecordSize;
    record[1] = 2;
    // Short names go in the 16-byte field, which a reader falls back to.
    CTextEncoder text;
    text.Text(names[k]);
    if (!JisField(names[k], text.Size() <= 16 ? 8 : 16, record + (text.Size() <= 16 ? 2 : 18), error)) return false;
  }
  return true;
}

bool ColourChartArea(const std::vector<ColourChartSource>& charts, std::vector<uint8_t>* out, std::string* error) {
  out->assign(charts.size() * kPage, 0);
  for (size_t i = 0; i < charts.size(); ++i) {
    uint8_t* page = out->data() + i * kPage;
    for (size_t c = 0; c < charts[i].name.size() && c < 20; ++c) page[c] = AsciiToEbcdic(charts[i].name[c]);
    if (!JisField(charts[i].text, (kPage - 20) / 2 - 1, page + 20, error)) return false;
  }
  return true;
}

bool AddAreas(const SearchAreasSource& a, const WrittenSubbook* w, SubbookSource* sub, std::string* error) {
  std::vector<uint8_t> bytes;
  for (const auto& searches : a.multiAreas) {
    if (!MultiArea(searches, w, &bytes, error)) return false;
    sub->dataAreas.emplace_back(0xFF, bytes);
  }
  if (std::any_of(a.methodNames.begin(), a.methodNames.end(), [](const std::string& s) { return !s.empty(); })) {
    if (!MethodNamesArea(a.methodNames, &bytes, error)) return false;
    sub->dataAreas.emplace_back(0x16, bytes);
  }
  if (!a.menu.empty()) {
    if (!EncodeTextArea(a.menu, &bytes, error)) return false;
    sub->dataAreas.emplace_back(0x01, bytes);
  }
  if (!a.copyright.empty()) {
    if (!EncodeTextArea(a.copyright, &bytes, error)) return false;
    sub->dataAreas.emplace_back(0x02, bytes);
  }
  for (uint8_t id : a.graphicMenus) {
    if (!EncodeTextArea({"図版メニュー"}, &bytes, error)) return false;
    sub->dataAreas.emplace_back(id, bytes);
  }
  if (!a.colourCharts.empty()) {
    if (!ColourChartArea(a.colourCharts, &bytes, error)) return false;
    sub->dataAreas.emplace_back(0xE0, bytes);
  }
  return true;
}

}  // namespace

bool EncodeTextArea(const std::vector<std::string>& lines, std::vector<uint8_t>* out, std::string* error) {
  CTextEncoder text;
  text.Escape(kEscBeginText);
  for (const std::string& line : lines) {
    if (!text.Text(line)) {
      if (error) *error = "cannot be stored as JIS X 0208: " + line;
      return false;
    }
    text.Escape(kEscNewline);
  }
  text.Escape(kEscEndText);
  *out = std::move(text.Bytes());
  return true;
}

uint8_t AsciiToEbcdic(char c) {
  if (c >= 'A' && c <= 'I') return static_cast<uint8_t>(0xC1 + (c - 'A'));
  if (c >= 'J' && c <= 'R') return static_cast<uint8_t>(0xD1 + (c - 'J'));
  if (c >= 'S' && c <= 'Z') return static_cast<uint8_t>(0xE2 + (c - 'S'));
  if (c >= 'a' && c <= 'i') return static_cast<uint8_t>(0x81 + (c - 'a'));
  if (c >= 'j' && c <= 'r') return static_cast<uint8_t>(0x91 + (c - 'j'));
  if (c >= 's' && c <= 'z') return static_cast<uint8_t>(0xA2 + (c - 's'));
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(0xF0 + (c - '0'));
  switch (c) {
    case '.': return 0x4B;
    case '-': return 0x60;
    case '/': return 0x61;
    default: return 0x40;
  }
}

bool WriteBookWithSearchAreas(BookSource book, const std::vector<SearchAreasSource>& areas, const std::string& dir,
                              const WriteOptions& options, WrittenBook* written, std::string* error) {
  const BookSource base = book;
  size_t n = std::min(areas.size(), book.subbooks.size());
  for (size_t i = 0; i < n; ++i)
    if (!AddAreas(areas[i], nullptr, &book.subbooks[i], error)) return false;
  WrittenBook first;
  if (!WriteBook(book, dir, options, &first, error)) return false;
  bool needsPages = std::any_of(areas.begin(), areas.begin() + static_cast<std::ptrdiff_t>(n),
                                [](const SearchAreasSource& a) { return !a.multiAreas.empty(); });
  if (!needsPages) {
    if (written) *written = std::move(first);
    return true;
  }
  book = base;
  for (size_t i = 0; i < n; ++i)
    if (!AddAreas(areas[i], &first.subbooks[i], &book.subbooks[i], error)) return false;
  WrittenBook second;
  if (!WriteBook(book, dir, options, &second, error)) return false;
  if (written) *written = std::move(second);
  return true;
}
