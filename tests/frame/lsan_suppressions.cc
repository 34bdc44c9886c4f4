// fontconfig keeps a cache for the life of the process that it never frees;
// the leak checker of the sanitizer build would otherwise fail every run
// that draws text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
