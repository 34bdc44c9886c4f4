// tomeling books [--depth N] [--home DIR] DIR...: every dictionary found
// below the directories, one line each: index, catalog path, subbook
// directory, title, tab-separated; a tab, line break or backslash inside a
// field is written as \t, \n, \r or \\.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "catalog/notice.h"
#include "catalog/text_convert.h"
#include "command.h"
#include "decode/cp932.h"
#include "shell/plain_text.h"

namespace {

int RunBooks(const std::vector<std::string>& args) {
  BookOptions options;
  std::vector<std::string> dirs;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (ParseBookOption(args, &i, &options, &bad)) {
      if (bad || !options.books.empty() || !options.group.empty() || options.dict >= 0) return UsageError("books");
    } else {
      dirs.push_back(args[i]);
    }
  }
  if (dirs.empty()) return UsageError("books");
  SetNoticeHandler(PrintNotice);
  CDictSession session(options.Session());
  session.ScanBooks(dirs, options.depth >= 0 ? options.depth : 3);
  CBookList& list = session.Books();
  if (list.Count() == 0) {
    std::fprintf(stderr, "tomeling: no book found\n");
    return 2;
  }
  for (int i = 0; i < list.Count(); ++i) {
    const SubbookEntry* e = list.PeekEntry(i);
    std::printf("%d\t%s\t%s\t%s\n", i, EscapeField(e->catalogPath).c_str(), EscapeField(e->directory).c_str(),
                EscapeField(ToUtf8(Cp932ToUtf16(e->catalogEntry.title))).c_str());
  }
  return 0;
}

CCommandRegistration g_books("books", "[--depth N] [--home DIR] DIR...",
                             "list the dictionaries found below the directories", RunBooks);

}  // namespace
