// See dict_session.h.
#include "shell/dict_session.h"

#include "catalog/subbook_entry.h"
#include "decode/markup_text.h"
#include "layout/entry_book.h"
#include "reader/eb_reader.h"
#include "reader/subbook_media.h"
#include "shell/app_dir.h"
#include "shell/data_dir.h"
#include "shell/dict_config.h"
#include "shell/plain_text.h"

std::string DemoBookDirectory() {
  std::string data = DataDirectory();
  return !data.empty() && DirectoryExists(data + "demo") ? data + "demo" : "";
}

CDictSession::CDictSession(const SessionOptions& options)
    : m_settings(ResolveAppDirectory(options.home), options.profilePath) {
  m_settings.SetWorkArea(options.workRight, options.workBottom);
  m_settings.LoadGlobals();
  m_colourNames.LoadColorTable(m_settings.AppDir() + "color.dat");
}

CDictSession::~CDictSession() = default;

int CDictSession::ScanBooks(const std::vector<std::string>& dirs, int depth) {
  m_books.Clear();
  m_books.ScanBooks(dirs, depth);
  BooksChanged();
  return m_books.Count();
}

int CDictSession::LoadGroup(const std::string& path) {
  int result = m_books.LoadList(path.empty() ? m_settings.GroupFilePath() : path);
  BooksChanged();
  return result;
}

bool CDictSession::LoadDemo() {
  std::string demo = DemoBookDirectory();
  return !demo.empty() && ScanBooks({demo}, 1) > 0;
}

void CDictSession::BooksChanged() { m_settings.ApplyDictConfigs(m_books); }

DictDisplay CDictSession::Display(int dict) {
  DictDisplay d;
  d.dict = dict;
  SubbookEntry* entry = m_settings.PrepareDict(m_books, dict);
  if (entry == nullptr || !entry->opened || !entry->textReader) return d;
  d.entry = entry;
  d.reader = entry->textReader.get();
  d.config = Config(dict);
  d.gaijiMap = GaijiMap(dict);
  d.ebxac = (d.config != nullptr && d.config->ebxac != 0) || entry->specialBook;
  // Read after the record's EBG flag reached the reader, which otherwise
  // keeps what it found in the book's fonts.
  d.ebg = d.reader->SingleByte();
  d.face = ChooseFace(d.ebxac, d.ebg);
  return d;
}

std::u16string CDictSession::DisplayName(int dict) { return m_settings.DisplayName(m_books, dict); }

void CDictSession::ConfigureDecoder(int dict, CTextDecoder& decoder) const { ::ConfigureDecoder(decoder, Config(dict)); }

DictText CDictSession::Finish(int dict, std::string bytes) {
  DictText text;
  text.wide = Wide(dict, bytes);
  text.plain = Plain(dict, text.wide);
  text.bytes = std::move(bytes);
  return text;
}

DictText CDictSession::Heading(int dict, const HitEntry& hit) {
  DictDisplay d = Display(dict);
  if (d.reader == nullptr) return {};
  return Finish(dict, HeadingMarkup(*d.reader, d.config, hit));
}

DictText CDictSession::Entry(int dict, int32_t page, int offset, const EntryLimits& limits) {
  DictDisplay d = Display(dict);
  if (d.reader == nullptr) return {};
  return Finish(dict, EntryMarkup(*d.reader, d.config, page, offset, limits.maxPages, limits.capacity,
                                  limits.stopAtNext));
}

std::u16string CDictSession::Wide(int dict, std::string_view bytes) {
  SubbookEntry* entry = m_books.PeekEntry(dict);
  return WideMarkup(bytes, entry != nullptr && entry->SingleByteText(), GaijiMap(dict));
}

std::u16string CDictSession::Plain(int dict, std::u16string_view wide, bool dropReturns) {
  return MarkupToPlainText(wide, GaijiMap(dict), dropReturns);
}

LayoutOptions CDictSession::MakeLayoutOptions(const std::u16string& searchWord) const {
  const CSettings& s = m_settings;
  LayoutOptions o;
  o.bStretchImg = s.bStretchImg;
  o.lineSpacing = static_cast<int16_t>(s.lineSpacing);
  o.bInlineImage = s.bInlineImage;
  o.bULLink = s.bULLink;
  o.bHighlight = s.bHighlight;
  o.bAdjustGaiji = s.bAdjustGaiji;
  o.bRuledLine = s.bRuledLine;
  auto colour = [](const RgbColour& c) { return MakeColour(c.red, c.green, c.blue); };
  o.titleColour = colour(s.m_colorTitle);
  o.linkColour = colour(s.m_colorLink);
  o.boldColour = colour(s.m_colorBold);
  o.italicColour = colour(s.m_colorItalic);
  o.highlightColour = colour(s.m_colorHighlight);
  o.searchString = searchWord;
  return o;
}

void CDictSession::SetFonts(CLineMgr& mgr, int fontSize) const {
  const CSettings& s = m_settings;
  mgr.SetFonts(s.fontName, s.fontNameEBG, s.fontNameEBXAC, fontSize > 0 ? fontSize : s.fontSize, s.bClearType,
               s.bUseItalic, s.bUseBold);
}

std::unique_ptr<CLayoutBook> CDictSession::LayoutBook(int dict) {
  DictDisplay d = Display(dict);
  if (d.entry == nullptr) return nullptr;
  const CColourNames* names = &m_colourNames;
  return std::make_unique<CEntryLayoutBook>(*d.entry, d.ebxac, d.ebg, [names](const std::string& n, Colour* c) {
    int32_t r = 0, g = 0, b = 0;
    if (!names->LookUpColor(n, &r, &g, &b)) return false;
    *c = MakeColour(r, g, b);
    return true;
  });
}

std::unique_ptr<CSubbookMedia> CDictSession::Media(int dict) {
  DictDisplay d = Display(dict);
  if (d.entry == nullptr) return nullptr;
  auto media = std::make_unique<CSubbookMedia>(*d.entry);
  media->SetXaSampling(m_settings.EBXA_sampling);
  return media;
}
