// tomeling search --book DIR [--dict N] [--method word|endword|exact] WORD:
// one line per hit, "%08X:%04X" text position, tab, heading position, tab,
// the heading as plain text; --format picks markup or JSON instead, --show
// adds the entries and --media DIR their objects (entry_output.h).
// The methods keyword, cross, fulltext and multi are in search_methods.cc.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "decode/cp932.h"
#include "decode/utf8.h"
#include "entry_output.h"
#include "reader/eb_reader.h"
#include "search_methods.h"

namespace {

std::string ToCp932(const std::string& utf8) {
  std::u16string wide(utf8.size(), u'\0');
  long n = Utf8ToUtf16(utf8.data(), utf8.size(), wide.data());
  wide.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return Utf16ToCp932(wide);
}

int RunSearch(const std::vector<std::string>& args) {
  std::string book, method = "word", word;
  int dict = 0;
  SearchMethodArgs extra;
  EntryOutputOptions output;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--book" && hasValue) {
      book = args[++i];
    } else if (args[i] == "--dict" && hasValue) {
      if (!ParseCount(args[++i], &dict)) return UsageError("search");
    } else if (args[i] == "--method" && hasValue) {
      method = args[++i];
    } else if (ParseSearchMethodOption(args, &i, &extra, &bad) || ParseEntryOutputOption(args, &i, &output, &bad)) {
      if (bad) return UsageError("search");
    } else if (args[i].rfind("--", 0) != 0) {
      if (word.empty()) word = args[i];
      extra.words.push_back(args[i]);
    } else {
      return UsageError("search");
    }
  }
  extra.method = method;
  const bool isExtra = IsExtraSearchMethod(method);
  if (!output.mediaDir.empty() && !output.show) return UsageError("search");
  if (book.empty() || (word.empty() && method != "multi") || (!isExtra && extra.words.size() > 1) ||
      (!isExtra && method != "word" && method != "endword" && method != "exact"))
    return UsageError("search");
  CBookList list;
  int status = 0;
  SubbookEntry* entry = OpenDictionary(list, book, dict, &status);
  if (entry == nullptr) return status;
  CEBReader& reader = *entry->textReader;
  std::string key = ToCp932(word);
  std::vector<HitEntry> hits;
  if (isExtra) {
    if (!RunExtraSearch(reader, extra, &hits)) return 2;
  } else {
    if (method == "endword") reader.EndwordSearch(key);
    else reader.WordSearch(key, method == "exact");
    reader.GetHitEntSorted(&hits);
  }
  bool written = CEntryPrinter(output, *entry, dict).PrintHits(hits, reader.Overflowed());
  return hits.empty() || !written ? 1 : 0;
}

CCommandRegistration g_search("search",
                              "--book DIR [--dict N] [--method word|endword|exact|keyword|cross|fulltext] "
                              "[--progress] [--format text|markup|json] [--show [--media DIR [--sampling HZ]]] [--home DIR] WORD...\n"
                              "       tomeling search --book DIR [--dict N] --method multi "
                              "--multi N --field K=WORD...",
                              "search one dictionary and print each hit's text and heading positions and heading",
                              RunSearch);

}  // namespace
