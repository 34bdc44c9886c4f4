// The rules of the search-word box: the drop-down list of the search bar
// that offers the words searched before.
//
//   items = HistoryBoxItems(settings.m_history.List(), settings.maxHistory);  // at start
//   PutHistoryItem(&items, word, settings.maxHistory);                        // a search
//   settings.m_history.SetList(HistoryListOf(items));                          // at exit
//
// The box never holds a word twice nor more than maxHistory words; the
// newest word is at the top. The history list (catalog/word_history.h) is
// every word followed by a tab.
#ifndef TOMELING_SHELL_HISTORY_BOX_H_
#define TOMELING_SHELL_HISTORY_BOX_H_

#include <string>
#include <string_view>
#include <vector>

// Items stored into the history list at most, and the length (in UTF-16
// units) from which an item is left out: the history file reads lines of
// fewer characters.
constexpr size_t kMaxStoredHistoryItems = 1000;
constexpr size_t kMaxStoredHistoryLength = 256;

// The box's items from the history list: the words in order, each once,
// until `maxHistory` are in.
std::vector<std::u16string> HistoryBoxItems(std::u16string_view historyList, int maxHistory);

// Puts `word` at the top, removing an equal item below; the items beyond
// `maxHistory` go. An empty word changes nothing. Returns false then.
bool PutHistoryItem(std::vector<std::u16string>* items, const std::u16string& word, int maxHistory);

// The history list of the box's items: at most 1000 of them, leaving out
// those of 256 units or more and those holding a tab or a line break.
std::u16string HistoryListOf(const std::vector<std::u16string>& items);

#endif  // TOMELING_SHELL_HISTORY_BOX_H_
