// Search-word highlighting: where the words the user searched for occur in
// the entry. Matching folds Latin letters to their base letters and passes
// over the marks books write inconsistently inside words (hyphens, middle
// dots, apostrophes) and over tags, so "naka-guro" and "nakaguro", or a
// word split by <B>, still match.
#include "layout/char_fold.h"
#include "layout/line_mgr.h"
#include "layout/markup_scan.h"

namespace {

constexpr size_t kMaxWords = 255;  // the word index is 8 bits

}  // namespace

void CLineMgr::SplitWords(const std::u16string& search) {
  size_t i = 0;
  while (i < search.size() && m_words.size() < kMaxWords) {
    while (i < search.size() && (search[i] == u' ' || search[i] == u'\u3000')) ++i;
    size_t j = i;
    while (j < search.size() && search[j] != u' ' && search[j] != u'\u3000') ++j;
    if (j > i) {
      std::u16string word = search.substr(i, j - i);
      // A word of skipped marks only would match nothing anyway.
      bool any = false;
      for (char16_t c : word) any = any || !IsSkippedInMatch(c);
      if (any) m_words.push_back(std::move(word));
    }
    i = j;
  }
}

// Text characters consumed by a match of `word` at `i`, or 0.
int CLineMgr::MatchAt(int i, const std::u16string& word) const {
  int t = i;
  bool first = true;
  for (char16_t wc : word) {
    if (IsSkippedInMatch(wc)) continue;
    if (!first) {
      while (t < m_textLen) {
        if (IsSkippedInMatch(m_text[t])) {
          ++t;
        } else if (m_text[t] == u'<') {
          int len = TagLength(m_text, t, m_textLen);
          if (len == 0) break;
          t += len;
        } else {
          break;
        }
      }
    }
    if (t >= m_textLen || m_text[t] == 0) return 0;
    if (FoldChar(m_text[t]) != FoldChar(wc)) return 0;
    ++t;
    first = false;
  }
  return first ? 0 : t - i;
}

void CLineMgr::MatchWords(int i) {
  for (size_t w = 0; w < m_words.size(); ++w) {
    int length = MatchAt(i, m_words[w]);
    if (length > 0) {
      AddHighlight({static_cast<uint16_t>(i), static_cast<uint16_t>(length), kHighlightSearchWord,
                    static_cast<uint8_t>(w)});
      return;
    }
  }
}
