// tomeling multi --book DIR [--dict N] [--home DIR]: the multi searches of a dictionary,
// one header row per search ("N<TAB>--title") and one row per field
// ("N.K<TAB>[id]name<TAB>start page<TAB>page count"); N and K are what
// `tomeling search --method multi --multi N --field K=WORD` takes.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "reader/eb_reader.h"
#include "reader/multi_search.h"

namespace {

int RunMulti(const std::vector<std::string>& args) {
  BookOptions books;
  if (!ParseBookArgs(args, &books)) return UsageError("multi");
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  CEBReader& reader = *display.reader;
  CMultiSearch multi;
  multi.Load(reader);
  int search = -1, field = 0;
  for (int a = 0; a < multi.AreaCount(); ++a) {
    multi.SelectMultiSearch(reader, a);
    for (const IndexEntry& row : multi.Rows()) {
      if (row.id == 0 && row.startPage == 0) {
        std::printf("%d\t%s\n", ++search, row.name.c_str());
        field = 0;
      } else {
        std::printf("%d.%d\t%s\t%d\t%d\n", search, field++, row.name.c_str(), row.startPage, row.pageCount);
      }
    }
  }
  return search >= 0 ? 0 : 1;
}

CCommandRegistration g_multi("multi", "--book DIR [--dict N] [--home DIR]",
                             "list the multi searches of one dictionary and their fields", RunMulti);

}  // namespace
