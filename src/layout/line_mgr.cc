// CLineMgr: construction, fonts, table growth and the simple queries.
#include "layout/line_mgr.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <new>

#include "storage/fatal.h"

namespace {

constexpr int kInitialLines = 300;
constexpr int kInitialAttrs = 150;
constexpr int kInitialHighlights = 150;
constexpr int kLineStep = 100;
constexpr int kAttrStep = 50;
constexpr size_t kMaxFaceName = 256;

uint64_t g_fontSerial = 0;

// Grows `table` by `step` rows when it has room for fewer than two more; a
// failure is fatal, as every allocation failure of the program is.
template <typename T>
void Reserve(std::vector<T>& table, int count, int step, const char* what) {
  if (count < static_cast<int>(table.size()) - 1) return;
  try {
    table.resize(table.size() + static_cast<size_t>(step));
  } catch (const std::bad_alloc&) {
    FatalError(what);
  }
}

}  // namespace

int ChooseFace(bool ebxac, bool ebg) { return ebxac ? 2 : ebg ? 1 : 0; }

int NearestGaijiSize(int sizes, double pixels) {
  static const int kSizes[] = {16, 24, 32, 48};
  static const int kBits[] = {kGaiji16, kGaiji24, kGaiji32, kGaiji48};
  int best = 16;
  double bestGap = -1;
  for (size_t i = 0; i < std::size(kSizes); ++i) {
    if ((sizes & kBits[i]) == 0) continue;
    double gap = std::fabs(kSizes[i] - pixels);
    if (bestGap < 0 || gap <= bestGap) {
      best = kSizes[i];
      bestGap = gap;
    }
  }
  return best;
}

CLineMgr::CLineMgr() {
  try {
    m_lineT.resize(kInitialLines);
    m_attrT.resize(kInitialAttrs);
    m_colorT.resize(kInitialHighlights);
  } catch (const std::bad_alloc&) {
    FatalError("malloc error in CLineMgr::CLineMgr[m_lineT]");
  }
  SetFonts(u"MS UI Gothic", u"MS UI Gothic", u"MS UI Gothic", 13, true, true, true);
}

void CLineMgr::SetFonts(const std::u16string& face0, const std::u16string& face1, const std::u16string& face2,
                        int fontSize, bool clearType, bool italic, bool bold) {
  const std::u16string* faces[kFaces] = {&face0, &face1, &face2};
  fontSize = std::clamp(fontSize, kMinFontSize, kMaxFontSize);
  m_fontSize = fontSize;
  int small = 2 * fontSize / 3;
  for (int f = 0; f < kFaces; ++f) {
    m_fontFaces[f] = faces[f]->substr(0, kMaxFaceName);
    for (int v = 0; v < kVariants; ++v) {
      FontDesc& d = m_fonts[v][f];
      d.face = m_fontFaces[f];
      d.pixelSize = (v == 1 || v == 5) ? small : fontSize;
      d.bold = v == 2 && bold;
      d.italic = v == 3 && italic;
      d.underline = v == 4 || v == 5;
      d.antialias = clearType;
      d.serial = ++g_fontSerial;
    }
  }
  m_halfWidth = fontSize / 2;
  m_fullWidth = fontSize;
  m_italicOverhang = fontSize / 4;
}

void CLineMgr::SetIndent(int columns, int leftMargin) {
  m_indent = columns * m_fontSize;
  m_leftMargin = leftMargin;
}

void CLineMgr::Clear() {
  m_text = nullptr;
  m_textLen = 0;
  m_lineCount = 0;
  m_attrCount = 0;
  m_colorCount = 0;
}

void CLineMgr::AddLine(int start, int x, int y) {
  Reserve(m_lineT, m_lineCount, kLineStep, "realloc error in CLineMgr::Layout[m_lineT]");
  m_lineT[static_cast<size_t>(m_lineCount)] = {static_cast<uint16_t>(start), x, y, 0};
}

void CLineMgr::AddAttr(const AttrRecord& record) {
  Reserve(m_attrT, m_attrCount, kAttrStep, "realloc error in CLineMgr::Layout[m_attrT]");
  m_attrT[static_cast<size_t>(m_attrCount++)] = record;
}

void CLineMgr::AddHighlight(const HighlightRecord& record) {
  Reserve(m_colorT, m_colorCount, kAttrStep, "realloc error in CLineMgr::Layout[m_colorT]");
  m_colorT[static_cast<size_t>(m_colorCount++)] = record;
}

bool CLineMgr::GetLine(int i, const char16_t** start, int* length, PagePoint* at) const {
  if (i < 0 || i >= m_lineCount || m_text == nullptr) return false;
  const LineRecord& line = m_lineT[static_cast<size_t>(i)];
  *start = m_text + line.start;
  *length = m_lineT[static_cast<size_t>(i) + 1].start - line.start;
  *at = {line.x, line.y};
  return true;
}

int CLineMgr::LineFromY(int y) const {
  int found = 0;
  for (int i = 0; i < m_lineCount; ++i) {
    if (m_lineT[static_cast<size_t>(i)].y > y) break;
    found = i;
  }
  return found;
}

void CLineMgr::GetExtent(int* width, int* height) const {
  *width = m_maxWidth > m_viewWidth ? m_maxWidth : m_viewWidth;
  *height = 0;
  if (m_lineCount > 0) {
    const LineRecord& last = m_lineT[static_cast<size_t>(m_lineCount) - 1];
    *height = last.y + last.height;
  }
}

const AttrRecord* CLineMgr::AttrFromPoint(int x, int y) const {
  for (int i = 0; i < m_attrCount; ++i) {
    const AttrRecord& a = m_attrT[static_cast<size_t>(i)];
    if (y < a.y0 || y >= a.y1) continue;
    if (y - a.y0 <= m_lineHeight && x < a.x0) continue;
    if (a.y1 - y <= m_lineHeight && x > a.x1) continue;
    return &a;
  }
  return nullptr;
}
