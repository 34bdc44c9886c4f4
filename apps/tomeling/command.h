// Subcommands of the `tomeling` command-line tool.
//
// Each subcommand lives in its own file and registers itself with a static
// CCommandRegistration:
//
//   static int RunPage(const std::vector<std::string>& args);
//   static CCommandRegistration g_page("page", "FILE N [--raw] [--hint N]",
//                                      "print one page of a book file", RunPage);
//
// `args` holds the arguments after the subcommand's name. The function
// returns the exit status: 0 success, 1 failure or nothing found, 2 bad usage.
#ifndef TOMELING_APPS_TOMELING_COMMAND_H_
#define TOMELING_APPS_TOMELING_COMMAND_H_

#include <string>
#include <vector>

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct CommandInfo {
  const char* name;
  const char* usage;
  const char* summary;
  CommandFunction run;
};

// All registered subcommands, in registration order.
std::vector<CommandInfo>& Commands();

struct CCommandRegistration {
  CCommandRegistration(const char* name, const char* usage, const char* summary, CommandFunction run) {
    Commands().push_back({name, usage, summary, run});
  }
};

// Prints "usage: tomeling NAME USAGE" to stderr and returns 2.
int UsageError(const char* name);

#endif  // TOMELING_APPS_TOMELING_COMMAND_H_
