// fontconfig keeps a cache for the life of the process that it never frees;
// the leak checker of the sanitizer build would otherwise fail every run
// that draws text. On a real display Qt also talks to the session bus, and
// libdbus keeps its per-process connection data until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\nleak:libdbus-1\n"; }
