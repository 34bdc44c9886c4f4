// tomeling show --book DIR [--dict N] [--format text|markup|json]
// [--home DIR] [--media DIR] PAGE:OFFSET: the entry at a text position
// (hexadecimal, as search prints it); --media also writes its images,
// sounds and movies into DIR and lists them (media_files.h). Objects that
// cannot be loaded are skipped with a warning; a file that cannot be
// written makes the status 1.
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "entry_output.h"
#include "reader/eb_reader.h"

namespace {

bool ParsePosition(const std::string& text, int32_t* page, int* offset) {
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 8 || text.size() - colon - 1 > 4 ||
      text.size() == colon + 1)
    return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (i != colon && !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  unsigned long p = std::strtoul(text.substr(0, colon).c_str(), nullptr, 16);
  unsigned long o = std::strtoul(text.substr(colon + 1).c_str(), nullptr, 16);
  if (p == 0 || p > 0x7FFFFFFF || o > 2048) return false;
  *page = static_cast<int32_t>(p);
  *offset = static_cast<int>(o);
  return true;
}

int RunShow(const std::vector<std::string>& args) {
  std::string book, position;
  int dict = 0;
  EntryOutputOptions output;
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--book" && hasValue) {
      book = args[++i];
    } else if (args[i] == "--dict" && hasValue) {
      if (!ParseCount(args[++i], &dict)) return UsageError("show");
    } else if (ParseEntryOutputOption(args, &i, &output, &bad)) {
      if (bad) return UsageError("show");
    } else if (position.empty() && args[i].rfind("--", 0) != 0) {
      position = args[i];
    } else {
      return UsageError("show");
    }
  }
  int32_t page = 0;
  int offset = 0;
  if (book.empty() || !ParsePosition(position, &page, &offset)) return UsageError("show");
  CBookList list;
  int status = 0;
  SubbookEntry* entry = OpenDictionary(list, book, dict, &status);
  if (entry == nullptr) return status;
  CEntryPrinter printer(output, *entry, dict);
  return printer.PrintEntry(page, offset) ? 0 : 1;
}

CCommandRegistration g_show("show",
                            "--book DIR [--dict N] [--format text|markup|json] [--home DIR] [--media DIR [--sampling HZ]] "
                            "PAGE:OFFSET",
                            "print the entry at a text position (--media: and write its images and sounds)", RunShow);

}  // namespace
