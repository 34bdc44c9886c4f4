// What the subcommands share on their command lines: the dictionary
// options (--book, --dict, --home, and where a command takes them --group
// and --depth), the numbers they take, the text position PAGE:OFFSET, and
// the opening of a session's dictionary, with one stderr line saying why
// it cannot be opened.
//
// Every subcommand reads the application directory through its session
// (dict_session.h): --home DIR names it, else $TOMELING_HOME, else the
// program's own directory when it holds "profile.ini", else
// $XDG_CONFIG_HOME/tomeling/. So a dictionary's "profile.ini" record and
// gaiji map apply to whatever command reads it.
#ifndef TOMELING_APPS_TOMELING_BOOK_ARGS_H_
#define TOMELING_APPS_TOMELING_BOOK_ARGS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "shell/dict_session.h"

struct BookOptions {
  std::vector<std::string> books;  // --book DIR, in order
  std::string group;               // --group FILE
  std::string home;                // --home DIR
  int dict = -1;                   // --dict N; -1 when not given
  int depth = -1;                  // --depth N; -1 when not given

  // The session of these options: the application directory of --home.
  SessionOptions Session() const {
    SessionOptions options;
    options.home = home;
    return options;
  }
  // Exactly one --book and neither --group nor --depth: what the commands
  // reading one dictionary of one book directory take.
  bool OneBook() const { return books.size() == 1 && group.empty() && depth < 0; }
  int DictOrFirst() const { return dict < 0 ? 0 : dict; }
};

// Parses a non-negative decimal number; false on anything else.
bool ParseCount(const std::string& text, int* out);
// Parses an EB XA sampling rate in Hz, 1 to kMaxXaSampling; false on
// anything else, which the wave builder would replace without a word.
bool ParseSampling(const std::string& text, int* out);
// Parses a text position "PAGE:OFFSET" in hexadecimal, as markup and
// search print it: a page of 1 to 8 digits above 0 and below 2^31, an
// offset of 1 to 4 digits up to 2048 (the next page's start).
bool ParsePosition(const std::string& text, int32_t* page, int* offset);

// Consumes args[*i] and its value when it is --book, --dict, --home,
// --group or --depth; `*bad` is set for a missing or malformed value.
// False, consuming nothing, for any other argument.
bool ParseBookOption(const std::vector<std::string>& args, size_t* i, BookOptions* options, bool* bad);

// Parses arguments that are exactly --book DIR [--dict N] [--home DIR];
// false on anything else, or when no book is named.
bool ParseBookArgs(const std::vector<std::string>& args, BookOptions* options);

// Prints engine notices as "tomeling: MESSAGE" lines on stderr.
void PrintNotice(const char* message);

// Scans the one book directory of `options` (the directory itself) into
// the session and opens dictionary --dict (0 when not given), configured
// by its record. False after printing why; `*status` is then the exit
// status (2 bad usage or no book, 1 a dictionary that cannot be opened).
bool OpenDictionary(CDictSession& session, const BookOptions& options, DictDisplay* display, int* status);

#endif  // TOMELING_APPS_TOMELING_BOOK_ARGS_H_
