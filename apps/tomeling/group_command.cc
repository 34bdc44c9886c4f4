// tomeling group save FILE --book DIR... [--depth N]: scans the directories
// for books and writes their dictionaries to the group file FILE, with
// catalog paths from the root; a book whose path the file cannot hold is
// named on stderr and nothing is written.
// tomeling group list FILE: the dictionaries of a group file, one line
// each: index, catalog path, subbook directory and name (the name the user
// gave, else the title), tab-separated, in UTF-8, tabs and line breaks in
// them escaped. Entries whose book has gone are not listed.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "catalog/notice.h"
#include "catalog/text_convert.h"
#include "command.h"

namespace {

int SaveGroup(const std::vector<std::string>& args) {
  std::string file;
  BookOptions options;
  bool inBooks = false, bad = false;
  for (size_t i = 1; i < args.size(); ++i) {
    if (ParseBookOption(args, &i, &options, &bad)) {
      if (bad || options.dict >= 0 || !options.group.empty()) return UsageError("group");
      inBooks = args[i - 1] == "--book";  // more directories may follow
    } else if (inBooks) {
      options.books.push_back(args[i]);
    } else if (file.empty()) {
      file = args[i];
    } else {
      return UsageError("group");
    }
  }
  if (file.empty() || options.books.empty()) return UsageError("group");
  SetNoticeHandler(PrintNotice);
  CDictSession session(options.Session());
  CBookList& list = session.Books();
  session.ScanBooks(options.books, options.depth >= 0 ? options.depth : 3);
  if (list.Count() == 0) {
    std::fprintf(stderr, "tomeling: no book found\n");
    return 1;
  }
  std::vector<int> refused = list.UnstorableEntries();
  for (int i : refused)
    std::fprintf(stderr, "tomeling: a group file cannot hold the path %s\n",
                 EscapeField(list.PeekEntry(i)->catalogPath).c_str());
  if (!refused.empty() || list.SaveList(file) != 1) {
    std::fprintf(stderr, "tomeling: cannot write %s\n", file.c_str());
    return 1;
  }
  return 0;
}

int ListGroup(const std::vector<std::string>& args) {
  BookOptions options;
  std::string file;
  bool bad = false;
  for (size_t i = 1; i < args.size(); ++i) {
    if (ParseBookOption(args, &i, &options, &bad)) {
      if (bad || !options.books.empty() || !options.group.empty() || options.dict >= 0 || options.depth >= 0)
        return UsageError("group");
    } else if (file.empty()) {
      file = args[i];
    } else {
      return UsageError("group");
    }
  }
  if (file.empty()) return UsageError("group");
  SetNoticeHandler(PrintNotice);
  CDictSession session(options.Session());
  if (session.LoadGroup(file) != 1) {
    std::fprintf(stderr, "tomeling: cannot read %s\n", file.c_str());
    return 1;
  }
  CBookList& list = session.Books();
  for (int i = 0; i < list.Count(); ++i) {
    const SubbookEntry* e = list.PeekEntry(i);
    std::u16string name = e->extraName.empty() ? Cp932ToUtf16(e->catalogEntry.title) : e->extraName;
    std::printf("%d\t%s\t%s\t%s\n", i, EscapeField(e->catalogPath).c_str(), EscapeField(e->directory).c_str(),
                EscapeField(Utf8FromWide(name)).c_str());
  }
  return 0;
}

int RunGroup(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "save") return SaveGroup(args);
  if (!args.empty() && args[0] == "list") return ListGroup(args);
  return UsageError("group");
}

CCommandRegistration g_group("group", "save FILE --book DIR... [--depth N] [--home DIR] | list FILE [--home DIR]",
                             "write a group file from the books found, or list one", RunGroup);

}  // namespace
