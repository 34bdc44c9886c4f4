// tomeling search --book DIR [--dict N] [--method word|endword|exact] WORD:
// one line per hit, "%08X:%04X" text position, tab, heading position, tab,
// the heading as plain text; --format picks markup or JSON instead, --show
// adds the entries and --media DIR their objects (entry_output.h).
// The methods keyword, cross, fulltext and multi are in search_methods.cc.
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "entry_output.h"
#include "reader/eb_reader.h"
#include "search_methods.h"
#include "shell/plain_text.h"

namespace {

int RunSearch(const std::vector<std::string>& args) {
  BookOptions books;
  std::string method = "word", word;
  SearchMethodArgs extra;
  EntryOutputOptions output;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--method" && hasValue) {
      method = args[++i];
    } else if (ParseBookOption(args, &i, &books, &bad) || ParseSearchMethodOption(args, &i, &extra, &bad) ||
               ParseEntryOutputOption(args, &i, &output, &bad)) {
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
  if (!books.OneBook() || (word.empty() && method != "multi") || (!isExtra && extra.words.size() > 1) ||
      (!isExtra && method != "word" && method != "endword" && method != "exact"))
    return UsageError("search");
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  CEBReader& reader = *display.reader;
  std::vector<HitEntry> hits;
  if (isExtra) {
    if (!RunExtraSearch(reader, display.config, extra, &hits)) return 2;
  } else {
    std::string key = Utf8ToCp932(word);
    if (method == "endword") reader.EndwordSearch(key);
    else reader.WordSearch(key, method == "exact");
    reader.GetHitEntSorted(&hits);
  }
  bool written = CEntryPrinter(output, session, display.dict).PrintHits(hits, reader.Overflowed());
  return hits.empty() || !written ? 1 : 0;
}

CCommandRegistration g_search("search",
                              "--book DIR [--dict N] [--method word|endword|exact|keyword|cross|fulltext] "
                              "[--progress] [--format text|markup|json] [--show [--media DIR [--sampling HZ]]] [--home DIR] WORD...\n"
                              "       tomeling search --book DIR [--dict N] [--home DIR] --method multi "
                              "--multi N --field K=WORD...",
                              "search one dictionary and print each hit's text and heading positions and heading",
                              RunSearch);

}  // namespace
