// See history_box.h.
#include "shell/history_box.h"

#include <algorithm>

std::vector<std::u16string> HistoryBoxItems(std::u16string_view historyList, int maxHistory) {
  std::vector<std::u16string> items;
  size_t start = 0;
  while (start < historyList.size() && static_cast<int>(items.size()) < maxHistory) {
    size_t tab = historyList.find(u'\t', start);
    if (tab == std::u16string_view::npos) tab = historyList.size();
    std::u16string word(historyList.substr(start, tab - start));
    start = tab + 1;
    if (word.empty() || std::find(items.begin(), items.end(), word) != items.end()) continue;
    items.push_back(std::move(word));
  }
  return items;
}

bool PutHistoryItem(std::vector<std::u16string>* items, const std::u16string& word, int maxHistory) {
  if (word.empty()) return false;
  items->erase(std::remove(items->begin(), items->end(), word), items->end());
  items->insert(items->begin(), word);
  size_t most = static_cast<size_t>(std::max(maxHistory, 0));
  if (items->size() > most) items->resize(most);
  return true;
}

std::u16string HistoryListOf(const std::vector<std::u16string>& items) {
  std::u16string list;
  size_t stored = 0;
  for (const std::u16string& item : items) {
    if (stored == kMaxStoredHistoryItems) break;
    // A tab or a line break would split the item in the list and the file.
    if (item.empty() || item.size() >= kMaxStoredHistoryLength ||
        item.find_first_of(u"\t\r\n") != std::u16string::npos)
      continue;
    list += item;
    list += u'\t';
    ++stored;
  }
  return list;
}
