// Shared parsing for the subcommands that work on one dictionary of a book
// directory (--book DIR [--dict N]): opens the book list and picks the
// entry, or says in one stderr line why it cannot.
#ifndef TOMELING_APPS_TOMELING_BOOK_ARGS_H_
#define TOMELING_APPS_TOMELING_BOOK_ARGS_H_

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "catalog/notice.h"
#include "decode/wave_builder.h"

// Parses a non-negative decimal number; false on anything else.
inline bool ParseCount(const std::string& text, int* out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *out = std::atoi(text.c_str());
  return true;
}

// Parses an EB XA sampling rate in Hz, 1 to kMaxXaSampling; false on
// anything else, which the wave builder would replace without a word.
inline bool ParseSampling(const std::string& text, int* out) {
  int rate = 0;
  if (!ParseCount(text, &rate) || rate < 1 || rate > kMaxXaSampling) return false;
  *out = rate;
  return true;
}

// Parses arguments that are exactly --book DIR [--dict N]; false on anything
// else, or when no book is named.
inline bool ParseBookArgs(const std::vector<std::string>& args, std::string* book, int* dict) {
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--book" && hasValue) {
      *book = args[++i];
    } else if (args[i] == "--dict" && hasValue) {
      if (!ParseCount(args[++i], dict)) return false;
    } else {
      return false;
    }
  }
  return !book->empty();
}

inline void PrintNotice(const char* message) { std::fprintf(stderr, "tomeling: %s\n", message); }

// Scans `dir` (the book directory itself) and returns entry `dict`, opened;
// nullptr after printing the reason. `status` gets the exit status.
inline SubbookEntry* OpenDictionary(CBookList& list, const std::string& dir, int dict, int* status) {
  SetNoticeHandler(PrintNotice);
  *status = 2;
  if (list.ScanBooks(dir, 0) == 0) {
    std::fprintf(stderr, "tomeling: no book in %s\n", dir.c_str());
    return nullptr;
  }
  if (dict < 0 || dict >= list.Count()) {
    std::fprintf(stderr, "tomeling: dictionary %d out of range (the book has %d)\n", dict, list.Count());
    return nullptr;
  }
  SubbookEntry* entry = list.GetEntry(dict);
  if (entry == nullptr || !entry->opened) {
    std::fprintf(stderr, "tomeling: cannot open dictionary %d of %s\n", dict, dir.c_str());
    *status = 1;
    return nullptr;
  }
  *status = 0;
  return entry;
}

#endif  // TOMELING_APPS_TOMELING_BOOK_ARGS_H_
