// Keyword, cross, full-text and multi search for the command line; see
// search_methods.h.
#include "search_methods.h"

#include <cstdio>
#include <cstdlib>

#include "book_args.h"
#include "reader/full_text_search.h"
#include "reader/keyword_search.h"
#include "reader/multi_search.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"
#include "shell/dict_config.h"
#include "shell/plain_text.h"

namespace {

// Overwrites itself; the final line stays.
void PrintProgress(void*, int hits, int pages, int pageIndex) {
  int percent = pages > 0 ? static_cast<int>(static_cast<int64_t>(pageIndex) * 100 / pages) : 100;
  std::fprintf(stderr, "\r%d 件 %3d%%", hits, percent);
}

}  // namespace

bool IsExtraSearchMethod(const std::string& method) {
  return method == "keyword" || method == "cross" || method == "fulltext" || method == "multi";
}

bool ParseSearchMethodOption(const std::vector<std::string>& args, size_t* i, SearchMethodArgs* out, bool* bad) {
  const std::string& a = args[*i];
  bool hasValue = *i + 1 < args.size();
  if (a == "--progress") {
    out->progress = true;
    return true;
  }
  if (a == "--multi" && hasValue) {
    int n = 0;
    if (!ParseCount(args[++*i], &n)) *bad = true;
    out->multi = n;
    return true;
  }
  if (a == "--field" && hasValue) {
    const std::string& v = args[++*i];
    size_t eq = v.find('=');
    int k = 0;
    if (eq == std::string::npos || !ParseCount(v.substr(0, eq), &k)) {
      *bad = true;
    } else {
      out->fields.emplace_back(k, v.substr(eq + 1));
    }
    return true;
  }
  return false;
}

bool FindMultiSearch(CEBReader& reader, int n, int* area, int* headerRow) {
  CMultiSearch multi;
  multi.Load(reader);
  int seen = 0;
  for (int a = 0; a < multi.AreaCount(); ++a) {
    multi.SelectMultiSearch(reader, a);
    for (size_t row = 0; row < multi.Rows().size(); ++row) {
      if (multi.Rows()[row].startPage != 0 || multi.Rows()[row].id != 0) continue;
      if (seen++ == n) {
        *area = a;
        *headerRow = static_cast<int>(row);
        return true;
      }
    }
  }
  return false;
}

namespace {

bool RunMulti(CEBReader& reader, const SearchMethodArgs& args, std::vector<HitEntry>* hits) {
  int area = 0, header = 0;
  if (args.multi < 0 || args.fields.empty() || !FindMultiSearch(reader, args.multi, &area, &header)) {
    std::fprintf(stderr, "tomeling: no multi search %d with those fields (see tomeling multi)\n", args.multi);
    return false;
  }
  CMultiSearch multi;
  multi.Load(reader);
  multi.SelectMultiSearch(reader, area);
  const auto& rows = multi.Rows();
  int level = 0;
  for (const auto& [k, word] : args.fields) {
    size_t row = static_cast<size_t>(header) + 1 + static_cast<size_t>(k);
    if (row >= rows.size() || rows[row].startPage == 0) {
      std::fprintf(stderr, "tomeling: multi search %d has no field %d\n", args.multi, k);
      return false;
    }
    MultiFieldSearch(reader, rows[row], Utf8ToCp932(word), level++);
  }
  reader.GetHitEntSorted(hits, 0, level);
  return true;
}

}  // namespace

bool RunExtraSearch(CEBReader& reader, const DictConfig* config, const SearchMethodArgs& args,
                    std::vector<HitEntry>* hits) {
  if (args.method == "multi") return RunMulti(reader, args, hits);
  std::string input;
  for (const std::string& w : args.words) input += (input.empty() ? "" : " ") + w;
  std::string key = Utf8ToCp932(input);
  if (args.method == "fulltext") {
    FullTextStop stop;
    if (config != nullptr) stop = FullTextStop{config->stopCode, config->stopParam};
    FullTextSearch(reader, key, args.progress ? PrintProgress : nullptr, nullptr, stop);
    if (args.progress) {
      PrintProgress(nullptr, reader.HitCount(), 1, 1);
      std::fputc('\n', stderr);
    }
    reader.GetHitEntSorted(hits);
    return true;
  }
  CReaderTextSource source(reader);
  CTextDecoder headings(source);
  ConfigureDecoder(headings, config);
  int keys = 0;
  if (args.method == "keyword") KeywordSearch(reader, key, &keys, &headings);
  else CrossSearch(reader, key, &keys, &headings);
  reader.GetHitEntSorted(hits, 0, keys);
  return true;
}
