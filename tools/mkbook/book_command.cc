// mkbook book SOURCE OUTDIR: writes a whole book from its text description
// (see bookwriter/book_source.h).
#include <cstdio>
#include <filesystem>

#include "bookwriter/book_source.h"
#include "bookwriter/book_writer.h"
#include "command.h"

namespace {

int RunBook(const std::vector<std::string>& args) {
  if (args.size() != 2) return MkbookUsage("book");
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(args[0], bytes)) return 1;
  BookSource book;
  WriteOptions options;
  std::string error;
  std::string baseDir = std::filesystem::path(args[0]).parent_path().string();
  if (!ParseBookSource(std::string(bytes.begin(), bytes.end()), &book, &options, &error, baseDir)) {
    std::fprintf(stderr, "mkbook: %s: %s\n", args[0].c_str(), error.c_str());
    return 1;
  }
  if (!WriteBook(book, args[1], options, nullptr, &error)) {
    std::fprintf(stderr, "mkbook: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

CMkbookRegistration g_book("book", "SOURCE OUTDIR", "write a whole book from a source description", RunBook);

}  // namespace
