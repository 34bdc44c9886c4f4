// Subcommands of the `mkbook` tool.
//
// Each subcommand lives in its own file beside mkbook.cc and registers
// itself with a static CMkbookRegistration:
//
//   static int RunEbzip(const std::vector<std::string>& args);
//   static CMkbookRegistration g_ebzip("ebzip", "IN OUT [--level N]",
//                                      "compress a book file to EBZip", RunEbzip);
//
// `args` holds the arguments after the subcommand's name. The function
// returns the exit status: 0 success, 1 failure, 2 bad usage.
#ifndef TOMELING_TOOLS_MKBOOK_COMMAND_H_
#define TOMELING_TOOLS_MKBOOK_COMMAND_H_

#include <cstdint>
#include <string>
#include <vector>

using MkbookFunction = int (*)(const std::vector<std::string>& args);

struct MkbookCommand {
  const char* name;
  const char* usage;
  const char* summary;
  MkbookFunction run;
};

// All registered subcommands, in registration order.
std::vector<MkbookCommand>& MkbookCommands();

struct CMkbookRegistration {
  CMkbookRegistration(const char* name, const char* usage, const char* summary, MkbookFunction run) {
    MkbookCommands().push_back({name, usage, summary, run});
  }
};

// Prints "usage: mkbook NAME USAGE" to stderr and returns 2.
int MkbookUsage(const char* name);

// Whole-file input and output; on failure they print "mkbook: ..." with the
// path and the system's reason, and return false.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Parses a decimal integer option value within [low, high].
bool ParseIntOption(const std::string& text, int low, int high, int& value);

#endif  // TOMELING_TOOLS_MKBOOK_COMMAND_H_
