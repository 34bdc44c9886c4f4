// Keyword and cross search; see keyword_search.h.
#include "reader/keyword_search.h"

#include <memory>

#include "decode/char_conv.h"
#include "reader/key_normalise.h"
#include "reader/reader_text_source.h"

namespace {

// Enough for any heading the hit list shows; longer ones are cut, and the
// cursor still ends behind the heading's end code.
constexpr int kHeadingBuffer = 2048;

}  // namespace

std::vector<std::string> SplitSearchWords(std::string_view input) {
  std::vector<std::string> words;
  if (input.size() > 2 && input.front() == '"' && input.back() == '"') {
    words.emplace_back(input.substr(1, input.size() - 2));
    return words;
  }
  if (input.size() > kMaxKeyBytes) input = input.substr(0, kMaxKeyBytes);
  std::string word;
  for (size_t i = 0; i < input.size();) {
    uint8_t c = static_cast<uint8_t>(input[i]);
    if (c == 0) break;
    size_t width = IsSjisLead(c) ? 2 : 1;
    if (width == 2 && i + 1 >= input.size()) break;  // a lone lead byte ends the input
    bool space = c == ' ' || (width == 2 && c == 0x81 && static_cast<uint8_t>(input[i + 1]) == 0x40);
    if (space) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.append(input.substr(i, width));
    }
    i += width;
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

void CompleteHeadings(CEBReader& reader, CTextDecoder* headings) {
  std::unique_ptr<CReaderTextSource> source;
  std::unique_ptr<CTextDecoder> own;
  if (headings == nullptr) {
    source = std::make_unique<CReaderTextSource>(reader);
    own = std::make_unique<CTextDecoder>(*source);
    headings = own.get();
  }
  std::vector<char> buffer(kHeadingBuffer);
  bool haveEnd = false;
  int32_t endPage = 0;
  int endOffset = 0;
  for (HitEntry& hit : reader.Hits().first(static_cast<size_t>(reader.HitCount()))) {
    if (hit.headingPage == 0 && hit.headingOffset == 0) {
      if (!haveEnd) continue;
      if (endOffset >= kPageSize) ++endPage, endOffset = 0;
      hit.headingPage = endPage;
      hit.headingOffset = static_cast<int16_t>(endOffset);
    }
    if (hit.headingPage <= 0 || hit.headingOffset < 0 || hit.headingOffset >= kPageSize) {
      haveEnd = false;
      continue;
    }
    reader.SeekPage(hit.headingPage);
    if (hit.headingOffset > 0) reader.SeekOffset(hit.headingOffset);
    int length = 0;
    headings->ReadHeadingText(buffer.data(), kHeadingBuffer, &length);
    endPage = reader.CurrentPage();
    endOffset = reader.CurrentOffset();
    haveEnd = endPage > 0;
  }
}

namespace {

int SearchWords(CEBReader& reader, uint8_t indexId, std::string_view input, int* keyCount,
                CTextDecoder* headings) {
  int count = 0;
  reader.ClearHitList();
  const IndexEntry* index = reader.IsOpen() ? reader.FindIndex(indexId) : nullptr;
  std::vector<std::string> words = SplitSearchWords(input);
  // Match levels end at 255.
  if (words.size() > 256) words.resize(256);
  for (const std::string& word : words) {
    const int level = count++;
    if (index == nullptr) continue;
    std::string key = reader.BuildSearchKey(word, *index);
    int32_t leaf = reader.FindLeaf(*index, key);
    if (leaf != 0 && index->HoldsPage(leaf)) reader.ScanLeaves(*index, leaf, key, false, level);
    if (level == 0) {
      CompleteHeadings(reader, headings);
      reader.SortResult(false);
    }
    if (reader.Aborted()) break;
  }
  if (keyCount != nullptr) *keyCount = count;
  return reader.HitCount();
}

}  // namespace

int KeywordSearch(CEBReader& reader, std::string_view input, int* keyCount, CTextDecoder* headings) {
  return SearchWords(reader, 0x80, input, keyCount, headings);
}

int CrossSearch(CEBReader& reader, std::string_view input, int* keyCount, CTextDecoder* headings) {
  return SearchWords(reader, 0x81, input, keyCount, headings);
}
