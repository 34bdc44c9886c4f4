// Opening a reader, its index list and styles, and its fonts; see
// eb_reader.h. The page cursor is in page_cursor.cc, the searches in
// index_search.cc and word_search.cc.
#include "reader/eb_reader.h"

#include <algorithm>
#include <cstring>

#include "reader/index_names.h"

namespace {

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
  size_t n = std::strlen(prefix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

int ModeForName(const std::string& name) {
  if (StartsWithNoCase(name, "HONMON") && !StartsWithNoCase(name, "HONMONG") && !StartsWithNoCase(name, "HONMONS"))
    return CEBReader::kModeEpwing;
  if (StartsWithNoCase(name, "START")) return CEBReader::kModeEb;
  return CEBReader::kModeOther;
}

bool IsFormIndex(uint8_t id) {
  switch (id) {
    case 0x40: case 0x50: case 0x60: case 0x61: case 0x71: case 0x72: case 0x80: case 0x81: case 0x91: case 0x92:
      return true;
    default:
      return false;
  }
}

bool OverrideSet(const uint8_t style[3]) { return style[0] != 0xFF && style[1] != 0xFF && style[2] != 0xFF; }

}  // namespace

int CEBReader::Open(const std::string& path, int indexPage, int versionHint) {
  Close();
  m_mode = ModeForName(BaseName(path));
  if (m_file.Open(path, versionHint, m_mode != kModeOther) != 0) return 0;
  if (m_mode == kModeOther) {
    IndexEntry whole;
    whole.startPage = 1;
    whole.pageCount = std::max(1, m_file.PageCount());
    whole.endPage = whole.pageCount;
    whole.name = BaseName(path);
    m_indexes.push_back(whole);
    m_highestPage = whole.endPage;
    return 1;
  }
  // A missing or damaged index table leaves a reader that finds nothing.
  m_file.LoadIndexTable(m_mode == kModeEb ? 1 : std::max(1, indexPage), kMaxIndexes);
  BuildIndexList();
  if (m_mode == kModeEb) ReadEbFonts();
  return 1;
}

int CEBReader::OpenRaw(const std::string& path) {
  Close();
  m_mode = kModeRaw;
  if (m_file.Open(path, 0, false) != 0) return 0;
  bool ok = false;
  const uint8_t* page = m_file.Fetch(1, &ok);
  FontInfo font;
  if (ok && ParseFontHeader(page, 1, &font)) m_fonts.SetHalfFont(font);
  return 1;
}

void CEBReader::Close() {
  m_file.Close();
  m_tableEntries.clear();
  m_indexes.clear();
  m_highestPage = 0;
  m_styleMode = 0;
  m_page = 0;
  m_pos = kPageSize;
  m_loaded = false;
  m_fonts.Clear();
  ClearHitList();
}

void CEBReader::BuildIndexList() {
  const IndexTable& table = m_file.Table();
  m_styleMode = table.StyleMode();
  m_highestPage = table.highestPage;
  m_tableEntries = table.entries;
  for (IndexEntry& e : m_tableEntries) e.name = IndexDisplayName(e.id, m_mode == kModeEb);
  ApplyStyles();
}

// The styles the book states are not always to be trusted: a header that
// calls them meaningless, or an entry flagged so, gets the usual styles; the
// word indexes of written forms never fold case in their bits 2-3. The
// user's per-dictionary overrides win where the book says its styles may be
// replaced.
void CEBReader::ApplyStyles() {
  m_indexes = m_tableEntries;
  for (IndexEntry& e : m_indexes) {
    if (m_styleMode == 1 || e.availability == 1) {
      static const uint8_t kKana[3] = {0x00, 0x00, 0x00}, kOther[3] = {0x41, 0x55, 0x40};
      std::memcpy(e.style, IsKanaIndex(e.id) ? kKana : kOther, 3);
    } else if (e.id == 0x40 || e.id == 0x50 || e.id == 0x60 || e.id == 0x61 || e.id == 0x91 || e.id == 0x92) {
      e.style[0] &= static_cast<uint8_t>(~0x0C);
    }
    if (m_styleMode == 1 || (m_styleMode != 2 && e.availability != 2)) continue;
    if (IsKanaIndex(e.id) && OverrideSet(m_kanaOverride)) std::memcpy(e.style, m_kanaOverride, 3);
    if (IsFormIndex(e.id) && OverrideSet(m_formOverride)) std::memcpy(e.style, m_formOverride, 3);
  }
}

void CEBReader::SetStyleOverrides(const uint8_t kana[3], const uint8_t form[3]) {
  std::memcpy(m_kanaOverride, kana, 3);
  std::memcpy(m_formOverride, form, 3);
  ApplyStyles();
}

void CEBReader::ReadEbFonts() {
  FontInfo font;
  for (uint8_t id : {uint8_t{0xF2}, uint8_t{0xF1}}) {
    const IndexEntry* area = FindIndex(id);
    if (area == nullptr) continue;
    bool ok = false;
    const uint8_t* page = m_file.Fetch(area->startPage, &ok);
    if (!ok || !ParseFontHeader(page, area->startPage, &font)) continue;
    if (id == 0xF2) m_fonts.SetHalfFont(font);
    else m_fonts.SetFullFont(font);
  }
  const FontInfo& half = m_fonts.HalfFont();
  if (!half.Present()) return;
  if (half.firstCode > 0x0101 && half.firstCode < 0x1EFF) m_singleByte = true;
  else if (half.firstCode > 0xA120 && half.firstCode < 0xFE7F) m_singleByte = false;
}

const IndexEntry* CEBReader::FindIndex(uint8_t id) const {
  for (const IndexEntry& e : m_indexes)
    if (e.id == id) return &e;
  return nullptr;
}

const IndexEntry* CEBReader::IndexForPage(int32_t page) const {
  for (const IndexEntry& e : m_indexes)
    if (e.HoldsPage(page)) return &e;
  return nullptr;
}

bool CEBReader::GetGlyph(int width, int height, uint16_t code, Glyph* out) {
  if (!IsOpen()) return false;
  return m_fonts.GetGlyph(width, height, code, m_mode == kModeRaw,
                          [this](int32_t page) -> const uint8_t* {
                            bool ok = false;
                            const uint8_t* data = m_file.Fetch(page, &ok);
                            return ok ? data : nullptr;
                          },
                          out);
}
