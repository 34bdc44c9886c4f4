// See content_model.h.
#include "shell/content_model.h"

#include <algorithm>

#include "catalog/index_entry.h"
#include "decode/markup_text.h"
#include "layout/char_fold.h"
#include "layout/layout_book.h"
#include "reader/eb_reader.h"
#include "reader/menu_info.h"
#include "shell/plain_text.h"

namespace {

// Area identifiers of the item at a page.
constexpr int kKindText = 0x00;
constexpr int kKindMenu = 0x01;
constexpr int kKindCopyright = 0x02;
constexpr int kKindEpwingMenu = 0x20;
constexpr int kKindEpwingCopyright = 0x21;

// maxBufSize pages and half as much again: room for the markup the tags
// add to the text of those pages.
int DecodeCapacity(const CSettings& settings) {
  int64_t bytes = static_cast<int64_t>(std::max(settings.maxBufSize, 2)) * 2048 * 3 / 2;
  return static_cast<int>(std::min<int64_t>(bytes, CTextDecoder::kMaxCapacity));
}

}  // namespace

CContentModel::CContentModel(CDictSession& session) : m_session(session) { ApplyFonts(); }

CContentModel::~CContentModel() = default;

void CContentModel::ApplyFonts(int fontSize) { m_session.SetFonts(m_mgr, fontSize); }

int CContentModel::MarkupCapacity() const {
  return std::min(DecodeCapacity(m_session.Settings()) + 10, CLineMgr::kMaxTextLength);
}

EntryLimits CContentModel::ViewLimits(int dict, int32_t page) {
  const CSettings& s = m_session.Settings();
  DictDisplay d = m_session.Display(dict);
  int kind = d.reader != nullptr ? ItemKind(*d.reader, page) : -1;
  EntryLimits limits;
  limits.stopAtNext = s.bStop && kind != kKindCopyright && kind != kKindEpwingCopyright;
  limits.maxPages = s.bStop ? std::max(s.maxBufSize, 2) : 2;
  limits.capacity = DecodeCapacity(s);
  return limits;
}

bool CContentModel::ShowEntry(int dict, int32_t page, int offset, int indentColumns,
                              const std::u16string& searchWord, CCanvas& canvas, const EntryLimits* limits) {
  DictDisplay d = m_session.Display(dict);
  if (d.reader == nullptr) return false;
  std::unique_ptr<CLayoutBook> book = m_session.LayoutBook(dict);
  if (!book) return false;
  m_mgr.ResetSelection();
  int kind = ItemKind(*d.reader, page);
  if (kind == kKindMenu || kind == kKindEpwingMenu) indentColumns = 0;
  m_mgr.SetIndent(indentColumns, m_session.Settings().leftMargin);

  EntryLimits rule = limits != nullptr ? *limits : ViewLimits(dict, page);
  std::string bytes = EntryMarkup(*d.reader, d.config, page, offset, rule.maxPages, rule.capacity, rule.stopAtNext);
  m_markup = WideMarkup(bytes, d.ebg, d.gaijiMap);
  m_book = std::move(book);
  m_gaijiMap = d.gaijiMap;
  m_dict = dict;
  m_page = page;
  m_offset = offset;
  m_options = m_session.MakeLayoutOptions(searchWord);
  Lay(canvas);
  return true;
}

bool CContentModel::ShowText(std::u16string_view text, CCanvas& canvas) {
  if (text.empty() || text.size() > static_cast<size_t>(MarkupCapacity())) {
    Clear();
    return false;
  }
  m_markup = std::u16string(text);
  m_book = std::make_unique<CLayoutBook>();  // no dictionary: no gaiji, no images
  m_gaijiMap = nullptr;
  m_dict = 0;
  m_page = 0;
  m_offset = 0;
  m_options = m_session.MakeLayoutOptions();
  m_mgr.ResetSelection();
  Lay(canvas);
  return true;
}

void CContentModel::Clear() {
  m_mgr.Clear();
  m_markup.clear();
  m_book.reset();
  m_gaijiMap = nullptr;
  m_page = 0;
  m_offset = 0;
}

void CContentModel::Relayout(CCanvas& canvas) {
  if (m_book) Lay(canvas);
}

void CContentModel::Lay(CCanvas& canvas) {
  m_mgr.Layout(m_markup.data(), static_cast<int>(m_markup.size()), canvas, m_book.get(), m_options);
}

int CContentModel::Draw(CCanvas& canvas, int left, int top, int right, int bottom, int scrollX, int scrollY) {
  if (!m_book) return -1;
  return m_mgr.Draw(m_markup.data(), left, top, right, bottom, scrollX, scrollY, canvas, m_book.get(), m_options);
}

std::u16string_view CContentModel::TextFrom(int index) const {
  if (index < 0 || static_cast<size_t>(index) > m_markup.size()) return {};
  return std::u16string_view(m_markup).substr(static_cast<size_t>(index));
}

bool CContentModel::ExtendPosition(bool up, int32_t* page, int* offset) {
  if (!HasEntry()) return false;
  DictDisplay d = m_session.Display(m_dict);
  if (d.reader == nullptr) return false;
  int32_t first = 1, last = d.reader->PageCount();
  if (const IndexEntry* text = d.reader->FindIndex(kKindText)) {
    first = text->startPage;
    last = std::min<int64_t>(last, static_cast<int64_t>(text->startPage) + text->pageCount - 1);
  }
  *offset = 0;
  if (up) {
    if (m_mgr.HasBody()) return false;
    if (m_offset > 0) {
      *page = m_page;
      return true;
    }
    if (m_page - 1 < first) return false;
    *page = m_page - 1;
    return true;
  }
  if (m_mgr.BodyClosed() || m_page >= last) return false;
  *page = m_page + 1;
  return true;
}

bool CContentModel::LineBounds(int index, int* start, int* end) const {
  int count = m_mgr.GetLineCount();
  const std::vector<LineRecord>& lines = m_mgr.Lines();
  if (count <= 0 || lines.size() <= static_cast<size_t>(count)) return false;
  for (int i = 0; i < count; ++i) {
    int from = lines[static_cast<size_t>(i)].start, to = lines[static_cast<size_t>(i) + 1].start;
    if (index < to || i == count - 1) {
      *start = from;
      *end = std::max(from, to);
      return true;
    }
  }
  return false;
}

std::u16string CContentModel::GetPlainText(int range, int index, bool dropReturns, size_t limit) const {
  const int size = static_cast<int>(m_markup.size());
  int from = 0, to = size;
  switch (range) {
    case kRangeSelection:
      from = std::min(SelectionStart(), SelectionEnd());
      to = std::max(SelectionStart(), SelectionEnd());
      break;
    case kRangeFirstPage: {
      size_t page = m_markup.find(u"<PAGE>");
      if (page != std::u16string::npos) to = static_cast<int>(page);
      break;
    }
    case kRangeLine:
    case kRangeLineStart:
    case kRangeLineEnd: {
      int start = 0, end = 0;
      if (!LineBounds(index, &start, &end)) return u"";
      from = range == kRangeLineEnd ? index : start;
      to = range == kRangeLineStart ? index : end;
      break;
    }
    default:
      break;
  }
  from = std::clamp(from, 0, size);
  to = std::clamp(to, from, size);
  std::u16string_view part = std::u16string_view(m_markup).substr(static_cast<size_t>(from),
                                                                   static_cast<size_t>(to - from));
  std::u16string plain = MarkupToPlainText(part, m_gaijiMap, dropReturns);
  if (limit > 0 && plain.size() > limit) plain.resize(limit);
  return plain;
}

int CContentModel::FindText(std::u16string_view word, bool matchCase, int from) const {
  const size_t n = m_markup.size(), len = word.size();
  if (len == 0 || len > n || from < 0) return -1;
  auto same = [matchCase](char16_t a, char16_t b) { return matchCase ? a == b : FoldChar(a) == FoldChar(b); };
  for (size_t i = static_cast<size_t>(from); i + len <= n; ++i) {
    size_t k = 0;
    while (k < len && same(m_markup[i + k], word[k])) ++k;
    if (k == len) return static_cast<int>(i);
  }
  return -1;
}
