#include "reader/text_decoder.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kPage = 2048;

bool IsGraphicMenuArea(uint8_t id) {
  return id == 0x0E || id == 0x0F || id == 0x10 || id == 0x11 || id == 0xEE || id == 0xEF;
}

}  // namespace

CTextDecoder::CTextDecoder(CTextSource& reader) : m_reader(reader) {}

void CTextDecoder::SetStopCode(uint16_t code, uint16_t param) {
  m_stopCode = code;
  m_stopParam = param;
}

void CTextDecoder::SetStopCount(uint16_t count) { m_stopCount = count == 0 ? 1 : count; }

void CTextDecoder::SetCodeRules(const CodeRule* rules, size_t count) {
  m_codeRules.clear();
  for (size_t i = 0; i < count && rules[i].code != 0; ++i) m_codeRules.push_back(rules[i]);
}

int CTextDecoder::ReadHeadingText(char* buffer, int capacity, int* outLength) {
  return DecodeText(HeadingHookTable(), buffer, capacity, outLength, true, 0);
}

int CTextDecoder::ReadEntryText(char* buffer, int capacity, int* outLength, bool stopAtNext,
                                int maxPages) {
  return DecodeText(EntryHookTable(), buffer, capacity, outLength, stopAtNext, maxPages);
}

int32_t CTextDecoder::ReadBcd(int n) {
  uint32_t value = 0;
  bool bad = false;
  for (int i = 0; i < n; ++i) {
    uint8_t b = m_reader.ReadByte();
    if ((b >> 4) > 9 || (b & 0x0F) > 9) bad = true;
    value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
  }
  return bad ? -1 : static_cast<int32_t>(value);
}

int CTextDecoder::DecodeText(const TextHookTable& table, char* buffer, int capacity, int* outLength,
                             bool stopAtNext, int maxPages) {
  BeginCall(table, buffer, capacity, stopAtNext);
  SetPageLimit(maxPages);
  // A position below page 1 comes only from damaged data; not even the
  // bytes around it are looked at.
  if (m_reader.CurrentPage() < 1) {
    if (outLength != nullptr) *outLength = 0;
    return 0;
  }

  // The entry's own leading stop code must not count as the next entry. It
  // may stand at the cursor or, for a position just behind a keyword code,
  // be the code that the back-up below steps over.
  int32_t startPage = m_reader.CurrentPage();
  int startOffset = m_reader.CurrentOffset();
  if (m_stopCode != 0) {
    uint16_t code = m_reader.ReadWord16();
    uint16_t param = m_reader.ReadWord16();
    SeekTo(startPage, startOffset);
    if (MatchesConfiguredStop(code, param)) m_stopCounter = -1;
  }
  BackUpToStart();

  while (!m_out.m_stop && !PastLimit()) {
    m_out.m_page = Page();
    m_out.m_offset = static_cast<uint16_t>(Position() % kPage);
    m_out.m_param = 0;
    DecodeCode(ReadCode());
  }
  if (outLength != nullptr) *outLength = m_out.m_len;
  return m_out.m_len;
}

void CTextDecoder::BeginCall(const TextHookTable& table, char* buffer, int capacity,
                             bool stopAtNext) {
  m_out = TextOutput{};
  m_media = MediaArgs{};
  m_out.m_buf = buffer;
  m_out.m_capacity = static_cast<uint16_t>(buffer == nullptr ? 0 : std::clamp(capacity, 0, kMaxCapacity));
  m_out.m_reader = &m_reader;
  m_out.m_halfWidth = m_halfWidth ? 1 : 0;
  if (m_out.m_capacity > 0) buffer[0] = '\0';
  m_table = &table;
  m_stopAtNext = stopAtNext;
  m_noNewLine = false;
  m_italic = false;
  m_stopCounter = 0;
  m_haveStop = m_stopCode != 0;
  m_callStopCode = m_stopCode;
  m_callStopParam = m_stopParam;
  m_objectStart = -1;
}

// The limit is the end of the index area the text starts in, or `maxPages`
// pages when that is sooner, and never beyond the last page of the file, so
// that runs of zero pages past the end (or an area larger than the file)
// cannot keep the loop going.
void CTextDecoder::SetPageLimit(int maxPages) {
  int32_t page = Page();
  m_lastPage = m_reader.LastPage();
  int64_t limit = m_lastPage;
  TextArea area;
  m_graphicArea = false;
  if (m_reader.IndexForPage(page, &area)) {
    m_graphicArea = IsGraphicMenuArea(area.id);
    limit = std::min<int64_t>(limit, static_cast<int64_t>(area.startPage) + area.pageCount - 1);
    if (maxPages >= 1) limit = std::min<int64_t>(limit, static_cast<int64_t>(page) + maxPages - 1);
  }
  m_limitPage = static_cast<int32_t>(std::clamp<int64_t>(limit, INT32_MIN, INT32_MAX));
}

// A caller's position usually stands just behind the entry's start code or
// its keyword code; stepping back makes the markup begin with that code.
// The start code needs only two bytes of room before the cursor, so an entry
// whose start code opens a page is found too.
void CTextDecoder::BackUpToStart() {
  int32_t page = m_reader.CurrentPage();
  int offset = m_reader.CurrentOffset();
  if (offset < 2 || offset > kPage) return;
  int look = offset < 4 ? 2 : 4;
  SeekTo(page, offset - look);
  uint8_t b[4] = {0, 0, 0, 0};
  for (int i = 4 - look; i < 4; ++i) b[i] = m_reader.ReadByte();
  if (b[2] == 0x1F && b[3] == 0x02) {
    SeekTo(page, offset - 2);
  } else if (look == 4 && b[0] == 0x1F && b[1] == 0x41) {
    SeekTo(page, offset - 4);
    if (MatchesConfiguredStop(0x1F41, static_cast<uint16_t>(b[2] << 8 | b[3]))) m_stopCounter = -1;
  } else {
    SeekTo(page, offset);
  }
}

void CTextDecoder::SeekTo(int32_t page, int offset) {
  m_reader.SeekPage(page);
  if (offset > 0) m_reader.SeekOffset(offset);
}

bool CTextDecoder::MatchesConfiguredStop(uint16_t code, uint16_t param) const {
  return m_stopCode != 0 && code == m_stopCode && param == m_stopParam;
}

// The cursor may stand at the very end of a page (offset 2048); that is the
// start of the next one.
int32_t CTextDecoder::Page() const {
  int64_t page = Position() / kPage + 1;
  return static_cast<int32_t>(std::min<int64_t>(page, INT32_MAX));
}

int64_t CTextDecoder::Position() const {
  return (static_cast<int64_t>(m_reader.CurrentPage()) - 1) * kPage + m_reader.CurrentOffset();
}

uint16_t CTextDecoder::ReadCode() {
  if (!m_reader.IsSingleByte()) return m_reader.ReadWord16();
  uint8_t b = m_reader.ReadByte();
  GaijiRange half = m_reader.HalfGaiji();
  bool gaijiLead = half.first != 0 && b >= (half.first >> 8) && b <= (half.last >> 8);
  if (b == 0x1F || gaijiLead) return static_cast<uint16_t>(b << 8 | m_reader.ReadByte());
  return b;
}

void CTextDecoder::Hook(int slot) {
  TextWriter writer = m_table->slot[slot];
  if (writer != nullptr) writer(m_out, m_media);
}

void CTextDecoder::WriteChar(uint16_t code) {
  m_out.m_param = code;
  Hook(kHookCharacter);
}

void CTextDecoder::DecodeCode(uint16_t code) {
  if (m_reader.IsSingleByte()) {
    DecodeSingleByteCode(code);
    return;
  }
  if (code >= 0x2121 && code <= 0x7EFE) {
    m_out.m_param = code;
    bool gb2312 = m_reader.OpenMode() == kModeEb && (code & 0x80) != 0;
    Hook(gb2312 ? kHookGb2312 : kHookCharacter);
  } else if (code >= 0xA121 && code <= 0xFE7E) {
    m_out.m_param = code;
    bool halfOnly = m_reader.HalfGaiji().Contains(code) && !m_reader.FullGaiji().Contains(code);
    Hook(halfOnly || m_out.m_narrow ? kHookHalfGaiji : kHookFullGaiji);
  } else if ((code >> 8) == 0x1F) {
    DecodeEscape(code);
  } else if (code != 0) {
    Hook(kHookUnknown);
  }
}

void CTextDecoder::DecodeSingleByteCode(uint16_t code) {
  if (code >= 0x0101 && code <= 0x1E1E) {
    m_out.m_param = code;
    Hook(kHookHalfGaiji);
  } else if ((code >> 8) != 0x1F) {
    WriteChar(code);
  } else {
    DecodeEscape(code);
  }
}
