// See word_history.h.
#include "catalog/word_history.h"

#include "catalog/line_reader.h"
#include "catalog/text_convert.h"
#include "storage/regular_file.h"

namespace {

bool IsWhiteSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u3000';
}

// One line as a word of the list: trimmed, and with no tab of its own (a
// tab inside would split it into two words, or leave an empty one).
void AppendWord(std::string_view line, std::u16string* list) {
  std::u16string word = CutUnits(Cp932ToUtf16(line), kMaxHistoryLine);
  while (!word.empty() && IsWhiteSpace(word.back())) word.pop_back();
  if (word.empty()) return;
  for (char16_t& c : word)
    if (c == u'\t') c = u' ';
  *list += word;
  *list += u'\t';
}

std::u16string ReadLines(CLineReader& reader) {
  std::u16string list;
  std::string line;
  while (reader.Next(&line))
    if (!line.empty()) AppendWord(line, &list);
  return list;
}

}  // namespace

std::u16string ParseHistory(std::string_view text) {
  CLineReader reader(text, kMaxHistoryLine, CLineReader::LongLines::kSplit);
  return ReadLines(reader);
}

std::string FormatHistory(std::u16string_view historyList) {
  std::string text;
  while (!historyList.empty()) {
    size_t tab = historyList.find(u'\t');
    std::u16string word(historyList.substr(0, tab));
    if (word.empty()) break;
    // A line break inside a word would come back as two words.
    for (char16_t& c : word)
      if (c == u'\r' || c == u'\n' || c == 0) c = u' ';
    text += Cp932Cut(word, kMaxHistoryLine);
    text += '\n';
    if (tab == std::u16string_view::npos) break;
    historyList.remove_prefix(tab + 1);
  }
  return text;
}

int CWordHistory::LoadHistory(const std::string& path) {
  m_historyList.clear();
  FileRead read = ReadRegularFile(path, kMaxHistoryFileBytes);
  if (!read.ok()) return 0;
  m_historyList = ParseHistory(WholeLines(read));
  return 1;
}

int CWordHistory::SaveHistory(const std::string& path, RenameFunction renameFn) const {
  return WriteFileAtomically(path, FormatHistory(m_historyList), renameFn) ? 1 : 0;
}
