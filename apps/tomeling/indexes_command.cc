// tomeling indexes --book DIR [--dict N] [--home DIR]: the index table of a dictionary:
// name, start page, page count and the three style bytes.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "reader/eb_reader.h"

namespace {

int RunIndexes(const std::vector<std::string>& args) {
  BookOptions books;
  if (!ParseBookArgs(args, &books)) return UsageError("indexes");
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  for (const IndexEntry& e : display.reader->Indexes())
    std::printf("%s\t%d\t%d\t%02X %02X %02X\n", e.name.c_str(), e.startPage, e.pageCount, e.style[0], e.style[1],
                e.style[2]);
  return 0;
}

CCommandRegistration g_indexes("indexes", "--book DIR [--dict N] [--home DIR]",
                               "print the index table of one dictionary with its styles", RunIndexes);

}  // namespace
