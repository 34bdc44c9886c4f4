// tomeling: the command-line front end. Dispatches to the subcommand named
// by the first argument; see command.h.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"

std::vector<CommandInfo>& Commands() {
  static std::vector<CommandInfo> commands;
  return commands;
}

int UsageError(const char* name) {
  for (const CommandInfo& c : Commands())
    if (std::strcmp(c.name, name) == 0) std::fprintf(stderr, "usage: tomeling %s %s\n", c.name, c.usage);
  return 2;
}

static void PrintHelp(FILE* out) {
  std::vector<CommandInfo> sorted = Commands();
  std::sort(sorted.begin(), sorted.end(),
            [](const CommandInfo& a, const CommandInfo& b) { return std::strcmp(a.name, b.name) < 0; });
  std::fprintf(out, "usage: tomeling COMMAND [ARGS]\n\ncommands:\n");
  for (const CommandInfo& c : sorted) std::fprintf(out, "  %-10s %s\n             %s\n", c.name, c.usage, c.summary);
}

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintHelp(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const CommandInfo& c : Commands()) {
    if (std::strcmp(c.name, argv[1]) == 0) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "tomeling: unknown command \"%s\"\n", argv[1]);
  PrintHelp(stderr);
  return 2;
}
