// tomeling show --book DIR [--dict N] [--format text|markup|json]
// [--home DIR] [--media DIR] PAGE:OFFSET: the entry at a text position
// (hexadecimal, as search prints it); --media also writes its images,
// sounds and movies into DIR and lists them (media_files.h). Objects that
// cannot be loaded are skipped with a warning; a file that cannot be
// written, or a position beyond the text, makes the status 1.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "entry_output.h"
#include "reader/eb_reader.h"

namespace {

int RunShow(const std::vector<std::string>& args) {
  BookOptions books;
  std::string position;
  EntryOutputOptions output;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (ParseBookOption(args, &i, &books, &bad) || ParseEntryOutputOption(args, &i, &output, &bad)) {
      if (bad) return UsageError("show");
    } else if (position.empty() && args[i].rfind("--", 0) != 0) {
      position = args[i];
    } else {
      return UsageError("show");
    }
  }
  int32_t page = 0;
  int offset = 0;
  if (!books.OneBook() || !ParsePosition(position, &page, &offset)) return UsageError("show");
  CDictSession session(books.Session());
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, books, &display, &status)) return status;
  if (!display.reader->HoldsPosition(page, offset)) {
    std::fprintf(stderr, "tomeling: %s lies beyond the end of the text (%d pages)\n", position.c_str(),
                 display.reader->PageCount());
    return 1;
  }
  CEntryPrinter printer(output, session, display.dict);
  return printer.PrintEntry(page, offset) ? 0 : 1;
}

CCommandRegistration g_show("show",
                            "--book DIR [--dict N] [--format text|markup|json] [--home DIR] [--media DIR [--sampling HZ]] "
                            "PAGE:OFFSET",
                            "print the entry at a text position (--media: and write its images and sounds)", RunShow);

}  // namespace
