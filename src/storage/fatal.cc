#include "storage/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {
FatalErrorHandler g_handler = nullptr;
}  // namespace

void SetFatalErrorHandler(FatalErrorHandler handler) { g_handler = handler; }

void FatalError(const char* message) {
  std::fprintf(stderr, "%s\n", message);
  std::fflush(stderr);
  if (g_handler != nullptr) g_handler(message);
  std::exit(1);
}
