// tomeling books [--depth N] DIR...: every dictionary found below the
// directories, one line each: index, catalog path, subbook directory, title.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "decode/cp932.h"
#include "decode/utf8.h"

namespace {

std::string ToUtf8(const std::string& sjis) {
  std::u16string wide = Cp932ToUtf16(sjis);
  std::string out(wide.size() * 3, '\0');
  out.resize(Utf16ToUtf8(wide.data(), wide.size(), out.data(), out.size()));
  return out;
}

int RunBooks(const std::vector<std::string>& args) {
  int depth = 3;
  std::vector<std::string> dirs;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--depth") {
      if (i + 1 >= args.size() || !ParseCount(args[++i], &depth)) return UsageError("books");
    } else {
      dirs.push_back(args[i]);
    }
  }
  if (dirs.empty()) return UsageError("books");
  SetNoticeHandler(PrintNotice);
  CBookList list;
  for (const std::string& dir : dirs) list.ScanBooks(dir, depth);
  if (list.Count() == 0) {
    std::fprintf(stderr, "tomeling: no book found\n");
    return 2;
  }
  for (int i = 0; i < list.Count(); ++i) {
    const SubbookEntry* e = list.PeekEntry(i);
    std::printf("%d\t%s\t%s\t%s\n", i, e->catalogPath.c_str(), e->directory.c_str(),
                ToUtf8(e->catalogEntry.title).c_str());
  }
  return 0;
}

CCommandRegistration g_books("books", "[--depth N] DIR...", "list the dictionaries found below the directories",
                             RunBooks);

}  // namespace
