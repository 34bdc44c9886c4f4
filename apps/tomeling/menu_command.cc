// tomeling menu|copyright --book DIR [--dict N]: the text of a dictionary's
// menu or copyright notice, decoded to plain text.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "decode/cp932.h"
#include "decode/utf8.h"
#include "reader/menu_info.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"

namespace {

// Markup tags dropped, line ends as the terminal wants them.
std::string PlainText(const char* markup, int length) {
  std::string sjis;
  bool inTag = false;
  for (int i = 0; i < length; ++i) {
    char c = markup[i];
    if (c == '<') inTag = true;
    if (!inTag && c != '\r') sjis.push_back(c);
    if (c == '>') inTag = false;
  }
  std::u16string wide = Cp932ToUtf16(sjis);
  std::string out(wide.size() * 3, '\0');
  out.resize(Utf16ToUtf8(wide.data(), wide.size(), out.data(), out.size()));
  return out;
}

int RunArea(const char* name, bool copyright, const std::vector<std::string>& args) {
  std::string book;
  int dict = 0;
  if (!ParseBookArgs(args, &book, &dict)) return UsageError(name);
  CBookList list;
  int status = 0;
  SubbookEntry* entry = OpenDictionary(list, book, dict, &status);
  if (entry == nullptr) return status;
  CEBReader& reader = *entry->textReader;
  const IndexEntry* area = copyright ? CopyrightArea(reader) : MenuArea(reader);
  if (area == nullptr) {
    std::fprintf(stderr, "tomeling: the dictionary has no %s\n", name);
    return 1;
  }
  CReaderTextSource source(reader);
  CTextDecoder decoder(source);
  reader.SeekPage(area->startPage);
  std::vector<char> buffer(CTextDecoder::kMaxCapacity);
  int length = 0;
  decoder.ReadEntryText(buffer.data(), static_cast<int>(buffer.size()), &length, false, 0);
  std::fputs(PlainText(buffer.data(), length).c_str(), stdout);
  return 0;
}

int RunMenu(const std::vector<std::string>& args) { return RunArea("menu", false, args); }
int RunCopyright(const std::vector<std::string>& args) { return RunArea("copyright", true, args); }

CCommandRegistration g_menu("menu", "--book DIR [--dict N]", "print the menu of one dictionary", RunMenu);
CCommandRegistration g_copyright("copyright", "--book DIR [--dict N]",
                                 "print the copyright notice of one dictionary", RunCopyright);

}  // namespace
