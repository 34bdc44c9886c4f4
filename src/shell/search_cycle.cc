#include "shell/search_cycle.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "catalog/book_list.h"
#include "decode/cp932.h"
#include "decode/romaji.h"
#include "reader/eb_reader.h"
#include "reader/full_text_search.h"
#include "reader/keyword_search.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"
#include "shell/settings.h"

namespace {

constexpr size_t kMaxWordBytes = 255;

bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Byte lengths of the Shift_JIS characters of `word`, in order.
std::vector<size_t> CharLengths(std::string_view word) {
  std::vector<size_t> lengths;
  for (size_t i = 0; i < word.size();) {
    size_t n = IsLeadByte(static_cast<uint8_t>(word[i])) && i + 1 < word.size() ? 2 : 1;
    lengths.push_back(n);
    i += n;
  }
  return lengths;
}

bool IsChar(std::string_view c, char ascii, std::string_view wide) { return c == std::string_view(&ascii, 1) || c == wide; }
bool IsAsterisk(std::string_view c) { return IsChar(c, '*', "\x81\x96"); }
bool IsSlash(std::string_view c) { return IsChar(c, '/', "\x81\x5E"); }

bool IsTrimSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000'; }

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

std::u16string NoHitText() {
  return QCoreApplication::translate("CSearchCycle", "候補が見つかりません").toStdU16String();
}

std::u16string HitCountText(int hits, bool overflow) {
  // %n, not %1: a translation may word one hit and many differently.
  QString text = overflow ? QCoreApplication::translate("CSearchCycle", ">%n 件", nullptr, hits)
                          : QCoreApplication::translate("CSearchCycle", "%n 件", nullptr, hits);
  return text.toStdU16String();
}

std::u16string TrimSearchWord(std::u16string_view word, bool trimPunctuation) {
  while (!word.empty() && IsTrimSpace(word.front())) word.remove_prefix(1);
  while (!word.empty() && IsTrimSpace(word.back())) word.remove_suffix(1);
  if (trimPunctuation)
    while (!word.empty() && std::u16string_view(u".,;:!?").find(word.back()) != std::u16string_view::npos)
      word.remove_suffix(1);
  return std::u16string(word);
}

PreparedWord PrepareSearchWord(std::u16string_view word, int selectedType) {
  std::string bytes = Utf16ToCp932(word);
  std::vector<size_t> lengths = CharLengths(bytes);
  size_t kept = 0, count = 0;
  while (count < lengths.size() && kept + lengths[count] <= kMaxWordBytes) kept += lengths[count++];
  bytes.resize(kept);
  lengths.resize(count);

  PreparedWord out{bytes, selectedType};
  if (lengths.size() < 2) return out;  // a lone wildcard is a word like any
  std::string_view all(out.word);
  std::string_view first = all.substr(0, lengths.front());
  std::string_view last = all.substr(all.size() - lengths.back());
  if (IsAsterisk(first)) {
    std::string rest(all.substr(first.size()));
    out.type = kSearchBackward;
    if (IsAsterisk(last)) {
      rest.resize(rest.size() - last.size());
      out.type = kSearchCross;
    }
    out.word = rest;
  } else if (IsAsterisk(last)) {
    out.word.resize(all.size() - last.size());
    out.type = kSearchForward;
  } else if (IsSlash(last)) {
    out.word.resize(all.size() - last.size());
    out.type = kSearchExact;
  }
  return out;
}

int CHitCollector::FillFromHits(int terms) {
  m_hits.clear();
  std::vector<HitEntry> hits;
  for (int i = 0; i < m_list.Count(); ++i) {
    SubbookEntry* entry = m_list.PeekEntry(i);
    if (entry == nullptr || !entry->textReader) continue;
    hits.clear();
    entry->textReader->GetHitEntSorted(&hits, 0, terms);
    for (const HitEntry& h : hits) m_hits.push_back(DictHit{i, h});
  }
  return static_cast<int>(m_hits.size());
}

void CSearchCycle::RunSearch(bool allDicts, bool fromTimer) {
  if (m_settings.m_searching) return;
  std::u16string typed;
  bool selection = m_frame.TakeSelection(&typed);
  if (!selection) typed = m_frame.SearchBoxText();
  std::u16string word = TrimSearchWord(typed, m_settings.bTrimPunctuation);
  m_settings.m_lastSearchWord = word;
  if (m_settings.bIncrementalSearch && fromTimer && !selection) m_pendingHistory = true;
  else m_frame.PutHistoryWord(word);
  m_searchType = m_settings.searchType = m_frame.SearchTypeSelection();
  PreparedWord prepared = PrepareSearchWord(word, m_searchType);

  m_settings.m_searching = 1;
  if (m_settings.m_fullScreen) {
    m_frame.LeaveFullScreen();
    m_settings.m_fullScreen = 0;
  }
  m_frame.SetWaitCursor(true);
  int terms = 0;
  bool overflow = false;
  if (allDicts) {
    for (int i = 0; i < m_list.Count(); ++i) {
      SearchOneBook(prepared.word, prepared.type, i, &overflow, &terms);
      if (overflow || !m_settings.m_searching) break;
    }
  } else {
    SearchOneBook(prepared.word, prepared.type, m_settings.dictNo, &overflow, &terms);
  }
  m_settings.m_searching = 0;
  FinishSearch(terms, overflow);
  m_frame.SetWaitCursor(false);
}

int CSearchCycle::SearchOneBook(const std::string& word, int type, int i, bool* overflow, int* terms) {
  *overflow = false;
  *terms = 0;
  if (word.empty() || m_list.PeekEntry(i) == nullptr) return 0;
  SubbookEntry* entry = m_settings.PrepareDict(m_list, i);
  if (entry == nullptr || !entry->opened || !entry->textReader) return 0;
  CEBReader& reader = *entry->textReader;
  reader.SetLimit50(type != kSearchFullText && m_settings.bIncrementalSearch);
  reader.SetRetryShorter(m_settings.bWordInflect);
  reader.SetProgressHook([this] { m_frame.PumpEvents(); });
  m_currentDict = i;
  int found = RunMethod(word, type, i, terms);
  if (found == 0 && type <= kSearchExact && m_settings.romakana && !reader.Aborted() &&
      reader.FindIndex(type == kSearchBackward ? 0x70 : 0x90) != nullptr) {
    char kana[kRomajiKanaCapacity];
    if (RomajiToKana(word.c_str(), kana, sizeof kana) == 1) found = RunMethod(kana, type, i, terms);
  }
  *overflow = reader.Overflowed();
  reader.SetProgressHook(nullptr);
  m_currentDict = -1;
  return found;
}

int CSearchCycle::RunMethod(const std::string& word, int type, int i, int* terms) {
  CEBReader& reader = *m_list.PeekEntry(i)->textReader;
  const DictConfig* config = m_settings.ConfigForDict(i);
  switch (type) {
    case kSearchForward:
      return reader.WordSearch(word);
    case kSearchBackward:
      return reader.EndwordSearch(word);
    case kSearchExact:
      return reader.ExactSearch(word);
    case kSearchCross:
    case kSearchKeyword: {
      // Group members read their headings through the dictionary's own
      // stop code, like every heading shown.
      CReaderTextSource source(reader);
      CTextDecoder headings(source);
      ConfigureDecoder(headings, config);
      return type == kSearchCross ? CrossSearch(reader, word, terms, &headings)
                                  : KeywordSearch(reader, word, terms, &headings);
    }
    case kSearchFullText: {
      FullTextStop stop;
      if (config != nullptr) stop = FullTextStop{config->stopCode, config->stopParam};
      return FullTextSearch(reader, word, &CSearchCycle::FullTextProgressThunk, this, stop);
    }
    default:
      reader.ClearHitList();
      return 0;
  }
}

void CSearchCycle::FullTextProgressThunk(void* self, int hits, int pages, int pageIndex) {
  auto* cycle = static_cast<CSearchCycle*>(self);
  int percent = pages > 0 ? static_cast<int>(100LL * pageIndex / pages) + 1 : 100;
  char tail[16];
  std::snprintf(tail, sizeof tail, " %3d%%", percent);
  std::u16string status = HitCountText(hits) + Ascii(tail);
  cycle->m_frame.SetStatusText(status);
  cycle->m_frame.PumpEvents();
}

void CSearchCycle::FinishSearch(int terms, bool overflow) {
  int n = m_consumer.FillFromHits(terms);
  m_lastCount = n;
  if (n < 1) {
    m_frame.SetStatusText(NoHitText());
    m_frame.ShowNoHitNotice(m_settings.bNoticeNoHit);
    m_frame.MoveFocus(kFocusSearchBox);
    return;
  }
  if (m_settings.focusAfterSearch == 1) {
    m_frame.MoveFocus(kFocusHitList);
  } else if (m_settings.focusAfterSearch == 2) {
    m_frame.MoveFocus(kFocusHitList);
    m_frame.MoveFocus(kFocusContentView);
  } else {
    m_frame.MoveFocus(kFocusSearchBox);
  }
  int shown = overflow && m_settings.bIncrementalSearch ? CHitList::kLimit50 : n;
  m_frame.SetStatusText(HitCountText(shown, overflow));
}

void CSearchCycle::AbortSearch() {
  if (m_list.Count() == 0) return;
  if (m_settings.bFindAllDict) {
    for (int i = 0; i < m_list.Count(); ++i) {
      SubbookEntry* entry = m_list.PeekEntry(i);
      if (entry != nullptr && entry->textReader) entry->textReader->Abort();
    }
  } else if (SubbookEntry* entry = m_list.PeekEntry(m_settings.dictNo); entry != nullptr && entry->textReader) {
    entry->textReader->Abort();
  }
  m_settings.m_searching = 0;
  m_frame.StopSound();
}

void CSearchCycle::OnShowHit(int flag) {
  if (flag != 0 || !m_pendingHistory) return;
  m_frame.PutHistoryWord(m_settings.m_lastSearchWord);
  m_pendingHistory = false;
}

void CIncrementalSearch::OnEdit() {
  if (m_settings.bIncrementalSearch) m_timer.Start(kDelayMs);
}

void CIncrementalSearch::OnTimer(bool inputPending) {
  if (inputPending) {
    m_timer.Start(kDelayMs);
    return;
  }
  m_timer.Stop();
  m_search(m_data);
}
