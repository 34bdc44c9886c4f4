// The search methods beyond the word indexes, for `tomeling search`:
// keyword, cross, full text and multi. The search command parses its
// options into SearchMethodArgs and hands them here; the hits come back
// ready to print like any other search's.
#ifndef TOMELING_APPS_TOMELING_SEARCH_METHODS_H_
#define TOMELING_APPS_TOMELING_SEARCH_METHODS_H_

#include <string>
#include <utility>
#include <vector>

#include "reader/eb_reader.h"

struct DictConfig;

struct SearchMethodArgs {
  std::string method;                     // keyword, cross, fulltext, multi
  std::vector<std::string> words;         // UTF-8, as typed
  bool progress = false;                  // full-text progress line on stderr
  int multi = -1;                         // multi search number (tomeling multi)
  std::vector<std::pair<int, std::string>> fields;  // field number, UTF-8 word
};

// True for the methods handled here.
bool IsExtraSearchMethod(const std::string& method);

// Parses "--progress", "--multi N" and "--field K=WORD" at args[*i]; true
// when it took the option (and its value), false when it is none of them.
// `*bad` is set when the option's value is malformed.
bool ParseSearchMethodOption(const std::vector<std::string>& args, size_t* i, SearchMethodArgs* out, bool* bad);

// Runs the search through the dictionary's record (`config` may be null:
// its stop code ends what full text and the group members' headings
// read), as the desktop program's search does; returns false on bad usage
// (message printed).
bool RunExtraSearch(CEBReader& reader, const DictConfig* config, const SearchMethodArgs& args,
                    std::vector<HitEntry>* hits);

// The multi search `n` of `reader` as rows of its control area: the area's
// number and the row of the search's header. False when there is none.
bool FindMultiSearch(CEBReader& reader, int n, int* area, int* headerRow);

#endif  // TOMELING_APPS_TOMELING_SEARCH_METHODS_H_
