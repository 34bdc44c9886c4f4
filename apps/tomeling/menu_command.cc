// tomeling menu|copyright --book DIR [--dict N] [--home DIR]: the text of a
// dictionary's menu or copyright notice, decoded to plain text through the
// dictionary's record and gaiji map.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "reader/menu_info.h"
#include "shell/plain_text.h"

namespace {

int RunArea(const char* name, bool copyright, const std::vector<std::string>& args) {
  BookOptions books;
  if (!ParseBookArgs(args, &books)) return UsageError(name);
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  const IndexEntry* area = copyright ? CopyrightArea(*display.reader) : MenuArea(*display.reader);
  if (area == nullptr) {
    std::fprintf(stderr, "tomeling: the dictionary has no %s\n", name);
    return 1;
  }
  // The whole area, as the menu command shows it: not cut at the next
  // entry, whatever the record's stop code.
  EntryLimits whole;
  whole.stopAtNext = false;
  std::fputs(ToUtf8(session.Entry(display.dict, area->startPage, 0, whole).plain).c_str(), stdout);
  return 0;
}

int RunMenu(const std::vector<std::string>& args) { return RunArea("menu", false, args); }
int RunCopyright(const std::vector<std::string>& args) { return RunArea("copyright", true, args); }

CCommandRegistration g_menu("menu", "--book DIR [--dict N] [--home DIR]", "print the menu of one dictionary",
                            RunMenu);
CCommandRegistration g_copyright("copyright", "--book DIR [--dict N] [--home DIR]",
                                 "print the copyright notice of one dictionary", RunCopyright);

}  // namespace
