// See hit_rows.h.
#include "shell/hit_rows.h"

#include <algorithm>

#include "catalog/subbook_entry.h"
#include "decode/markup_convert.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"
#include "shell/dict_config.h"
#include "shell/dict_session.h"

namespace {

// Reads the headings of one dictionary's hits with one decoder.
class CHeadingReader {
 public:
  explicit CHeadingReader(const DictDisplay& d)
      : m_reader(*d.reader), m_source(*d.reader), m_decoder(m_source) {
    ConfigureDecoder(m_decoder, d.config);
    m_book.singleByte = d.entry->SingleByteText();
    m_book.gaijiMap = d.gaijiMap;
  }

  // The wide-form heading of `hit`, empty when nothing but spaces.
  std::u16string Read(const HitEntry& hit) {
    // A hit without a heading of its own shows the start of its text.
    bool own = hit.headingPage > 0;
    m_reader.SeekPage(own ? hit.headingPage : hit.textPage);
    int16_t offset = own ? hit.headingOffset : hit.textOffset;
    if (offset > 0) m_reader.SeekOffset(offset);
    int length = 0;
    m_decoder.ReadHeadingText(m_bytes, CHitRows::kHeadingBytes, &length);
    std::string_view bytes = StripHeadingSpaces(std::string_view(m_bytes, static_cast<size_t>(length)),
                                                m_book.singleByte);
    if (bytes.empty()) return {};
    size_t n = ConvertMarkup(m_book, bytes.data(), bytes.size(), m_wide, CHitRows::kHeadingUnits + 1, nullptr);
    return std::u16string(m_wide, n);
  }

 private:
  CEBReader& m_reader;
  CReaderTextSource m_source;
  CTextDecoder m_decoder;
  MarkupBook m_book;
  char m_bytes[CHitRows::kHeadingBytes];
  char16_t m_wide[CHitRows::kHeadingUnits + 1];
};

}  // namespace

std::u16string PadDictName(std::u16string_view name, int lenDictName) {
  if (lenDictName <= 0) return {};
  lenDictName = std::min(lenDictName, CHitRows::kMaxNameLength);
  std::u16string out(name.substr(0, static_cast<size_t>(lenDictName)));
  // A name may end early at a NUL of its catalog field.
  size_t nul = out.find(u'\0');
  if (nul != std::u16string::npos) out.resize(nul);
  out.resize(static_cast<size_t>(lenDictName), u' ');
  return out;
}

std::string_view StripHeadingSpaces(std::string_view bytes, bool singleByte) {
  for (;;) {
    if (!bytes.empty() && bytes[0] == ' ') {
      bytes.remove_prefix(1);
    } else if (!singleByte && bytes.size() >= 2 && bytes[0] == '\x81' && bytes[1] == '\x40') {
      bytes.remove_prefix(2);
    } else {
      return bytes;
    }
  }
}

void CHitRows::Clear() {
  m_hits.clear();
  m_rows.clear();
}

void CHitRows::RenameRows() {
  const int length = m_session.Settings().lenDictName;
  for (HitRow& row : m_rows) row.name = PadDictName(m_session.DisplayName(row.dict), length);
}

int CHitRows::Fill(int terms, bool allDicts, int currentDict) {
  Clear();
  if (allDicts) {
    for (int dict = m_session.Count() - 1; dict >= 0; --dict) AddHits(dict, terms);
  } else {
    AddHits(currentDict, terms);
  }
  return RowCount();
}

int CHitRows::AddHits(int dict, int terms) {
  SubbookEntry* entry = m_session.Books().PeekEntry(dict);
  if (entry == nullptr || !entry->textReader) return 0;
  std::vector<HitEntry> hits;
  if (entry->textReader->GetHitEntSorted(&hits, 0, terms) <= 0) return 0;
  DictDisplay d = m_session.Display(dict);
  if (d.reader == nullptr) return 0;
  std::u16string name = PadDictName(m_session.DisplayName(dict), m_session.Settings().lenDictName);
  CHeadingReader headings(d);
  m_hits.reserve(m_hits.size() + hits.size());
  m_rows.reserve(m_rows.size() + hits.size());
  int added = 0;
  for (const HitEntry& hit : hits) {
    int index = static_cast<int>(m_hits.size());
    m_hits.push_back(DictHit{dict, hit});
    std::u16string heading = headings.Read(hit);
    if (heading.empty()) continue;
    m_rows.push_back(HitRow{index, dict, d.face, name, std::move(heading)});
    ++added;
  }
  return added;
}

const DictHit* CHitRows::Hit(long display) const {
  if (display < 0 || static_cast<size_t>(display) >= m_hits.size()) return nullptr;
  return &m_hits[static_cast<size_t>(display)];
}
