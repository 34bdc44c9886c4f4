// mkbook ebzip / huffman / sebxa: re-store one book file in a compressed
// form that CBookFile reads back page for page.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bookwriter/ebzip_writer.h"
#include "bookwriter/huffman_writer.h"
#include "bookwriter/sebxa_writer.h"
#include "command.h"

namespace {

// Splits args into the two paths and the options; false on a stray word.
bool SplitPaths(const std::vector<std::string>& args, std::vector<std::string>& paths,
                std::vector<std::string>& options) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) == 0) {
      options.push_back(args[i]);
      // Options that take a value keep it beside them.
      if ((args[i] == "--level" || args[i] == "--kind") && i + 1 < args.size()) options.push_back(args[++i]);
    } else {
      paths.push_back(args[i]);
    }
  }
  return paths.size() == 2;
}

int Finish(const char* name, const std::optional<std::vector<uint8_t>>& image, const std::string& error,
           const std::string& out) {
  if (!image) {
    std::fprintf(stderr, "mkbook %s: %s\n", name, error.c_str());
    return 1;
  }
  return WriteFileBytes(out, *image) ? 0 : 1;
}

int RunEbzip(const std::vector<std::string>& args) {
  std::vector<std::string> paths, options;
  if (!SplitPaths(args, paths, options)) return MkbookUsage("ebzip");
  EbzipOptions o;
  for (size_t i = 0; i < options.size(); ++i) {
    if (options[i] == "--level" && i + 1 < options.size() &&
        ParseIntOption(options[i + 1], 0, kEbzipMaxLevel, o.level))
      ++i;
    else if (options[i] == "--raw")
      o.storeAllRaw = true;
    else
      return MkbookUsage("ebzip");
  }
  std::vector<uint8_t> in;
  if (!ReadFileBytes(paths[0], in)) return 1;
  std::string error;
  return Finish("ebzip", EbzipCompress(in, o, &error), error, paths[1]);
}

int RunHuffman(const std::vector<std::string>& args) {
  std::vector<std::string> paths, options;
  if (!SplitPaths(args, paths, options)) return MkbookUsage("huffman");
  HuffmanOptions o;
  for (size_t i = 0; i < options.size(); ++i) {
    if (options[i] == "--kind" && i + 1 < options.size() && ParseIntOption(options[i + 1], 3, 4, o.kind))
      ++i;
    else if (options[i] == "--no-signature")
      o.signature = false;
    else
      return MkbookUsage("huffman");
  }
  std::vector<uint8_t> in;
  if (!ReadFileBytes(paths[0], in)) return 1;
  std::string error;
  return Finish("huffman", EpwingHuffmanCompress(in, o, &error), error, paths[1]);
}

int RunSebxa(const std::vector<std::string>& args) {
  std::vector<std::string> paths, options;
  if (!SplitPaths(args, paths, options) || !options.empty()) return MkbookUsage("sebxa");
  std::vector<uint8_t> in;
  if (!ReadFileBytes(paths[0], in)) return 1;
  std::string error;
  return Finish("sebxa", SebxaCompressStart(in, &error), error, paths[1]);
}

CMkbookRegistration g_ebzip("ebzip", "IN OUT [--level 0-5] [--raw]",
                            "store a book file as EBZip (.ebz); --raw stores every slice uncompressed", RunEbzip);
CMkbookRegistration g_huffman("huffman", "IN OUT [--kind 3|4] [--no-signature]",
                              "Huffman-code a text file the EPWING way (kind 3: every page coded, "
                              "kind 4: raw/coded flag per page)",
                              RunHuffman);
CMkbookRegistration g_sebxa("sebxa", "IN OUT",
                            "LZSS-compress the text area of a START file (S-EBXA); IN's page 1 must list it",
                            RunSebxa);

}  // namespace
