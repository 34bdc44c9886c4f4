// CWordHistory: the words the user searched for, kept between runs in
// "history.txt" (and in files the user picks to load and save).
//
// In memory the history is one UTF-16 string, m_historyList, in which every
// word is followed by a tab: the form the search-word box fills itself
// from. On disk it is Shift_JIS (code page 932), one word per line, each
// ended by a line feed, no header.
//
// Reading takes lines of at most 256 bytes (a longer line goes on as the
// next word), accepts CR LF and CR line ends, drops trailing white space
// and skips lines left empty: an empty word would end the list when it is
// saved. Writing stops at the first empty word, so "a\t\tb\t" saves "a".
// How many words to keep and duplicate removal are the search box's
// business, not this file's.
#ifndef TOMELING_CATALOG_WORD_HISTORY_H_
#define TOMELING_CATALOG_WORD_HISTORY_H_

#include <string>
#include <string_view>

#include "storage/atomic_file.h"

constexpr size_t kMaxHistoryLine = 256;  // bytes in the file, units in memory
// Most bytes of "history.txt" read: thousands of words; the rest of a
// larger file (or any FIFO or device) is not read (storage/regular_file.h).
constexpr size_t kMaxHistoryFileBytes = 4u << 20;

// The history list read from file text.
std::u16string ParseHistory(std::string_view text);
// The file text of a history list.
std::string FormatHistory(std::u16string_view historyList);

class CWordHistory {
 public:
  // Empties the list, then reads `path`. 1 when the file could be opened
  // and read, else 0 (the history stays empty).
  int LoadHistory(const std::string& path);
  // Writes the list to `path`, atomically: 1 on success; on failure 0 and
  // the old file is left as it was.
  int SaveHistory(const std::string& path, RenameFunction renameFn = nullptr) const;

  const std::u16string& List() const { return m_historyList; }
  void SetList(std::u16string list) { m_historyList = std::move(list); }

 private:
  std::u16string m_historyList;
};

#endif  // TOMELING_CATALOG_WORD_HISTORY_H_
