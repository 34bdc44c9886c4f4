// tomeling indexes --book DIR [--dict N]: the index table of a dictionary:
// name, start page, page count and the three style bytes.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "reader/eb_reader.h"

namespace {

int RunIndexes(const std::vector<std::string>& args) {
  std::string book;
  int dict = 0;
  if (!ParseBookArgs(args, &book, &dict)) return UsageError("indexes");
  CBookList list;
  int status = 0;
  SubbookEntry* entry = OpenDictionary(list, book, dict, &status);
  if (entry == nullptr) return status;
  for (const IndexEntry& e : entry->textReader->Indexes())
    std::printf("%s\t%d\t%d\t%02X %02X %02X\n", e.name.c_str(), e.startPage, e.pageCount, e.style[0], e.style[1],
                e.style[2]);
  return 0;
}

CCommandRegistration g_indexes("indexes", "--book DIR [--dict N]",
                               "print the index table of one dictionary with its styles", RunIndexes);

}  // namespace
