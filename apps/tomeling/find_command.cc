// tomeling find [OPTIONS] WORD: the program's search cycle on the command
// line -- the same word trimming, wildcards, romaji retry, all-dictionary
// search and status texts as the desktop programs, with the options of the
// application directory's profile store and "profile.ini".
//
// Dictionaries come from --book DIR (scanned --depth levels deep, may be
// repeated), else --group FILE, else the current group file of the
// settings, else the bundled demo dictionary. The status text goes to
// stderr; each hit's heading (with --show, its whole entry) to stdout.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "catalog/book_list.h"
#include "command.h"
#include "reader/eb_reader.h"
#include "shell/app_dir.h"
#include "shell/plain_text.h"
#include "shell/search_cycle.h"
#include "shell/settings.h"

namespace {

struct FindOptions {
  std::string home, group, method, word;
  std::vector<std::string> books;
  int depth = -1, dict = -1;
  bool all = false, romaji = false, trim = false, show = false;
};

// The frame of a command line: the word is the search box, the status text
// goes to stderr, everything visual is nothing.
class CCommandLineFrame : public CSearchFrame {
 public:
  CCommandLineFrame(std::u16string word, int type) : m_word(std::move(word)), m_type(type) {}
  bool TakeSelection(std::u16string*) override { return false; }
  std::u16string SearchBoxText() override { return m_word; }
  int SearchTypeSelection() override { return m_type; }
  void SetStatusText(const std::u16string& text) override { m_status = text; }
  void MoveFocus(FocusTarget) override {}
  void ShowNoHitNotice(bool) override {}
  void PutHistoryWord(const std::u16string&) override {}
  void SetWaitCursor(bool) override {}
  void LeaveFullScreen() override {}
  void StopSound() override {}
  const std::u16string& Status() const { return m_status; }

 private:
  std::u16string m_word;
  int m_type;
  std::u16string m_status;
};

int MethodIndex(const std::string& name) {
  static const char* const kNames[] = {"word", "endword", "exact", "cross", "keyword", "fulltext"};
  for (int i = 0; i < 6; ++i)
    if (name == kNames[i]) return i;
  return -1;
}

bool ParseFindArgs(const std::vector<std::string>& args, FindOptions* o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasValue = i + 1 < args.size();
    if (a == "--book" && hasValue) o->books.push_back(args[++i]);
    else if (a == "--group" && hasValue) o->group = args[++i];
    else if (a == "--home" && hasValue) o->home = args[++i];
    else if (a == "--method" && hasValue) o->method = args[++i];
    else if (a == "--depth" && hasValue) { if (!ParseCount(args[++i], &o->depth)) return false; }
    else if (a == "--dict" && hasValue) { if (!ParseCount(args[++i], &o->dict)) return false; }
    else if (a == "--all") o->all = true;
    else if (a == "--romaji") o->romaji = true;
    else if (a == "--trim-punctuation") o->trim = true;
    else if (a == "--show") o->show = true;
    else if (o->word.empty() && !a.empty() && a.rfind("--", 0) != 0) o->word = a;
    else return false;
  }
  if (!o->method.empty() && MethodIndex(o->method) < 0) return false;
  return !o->word.empty() && (o->books.empty() || o->group.empty());
}

// The demo book next to the program, installed or in the build tree.
std::string DemoBookDirectory() {
  std::string here = ProgramDirectory();
  for (const char* rel : {"demo", "../../data/demo", "../data/demo"}) {
    std::string dir = here + rel;
    if (DirectoryExists(dir)) return dir;
  }
  return "";
}

void LoadDictionaries(const FindOptions& o, const CSettings& settings, CBookList* list) {
  int depth = o.depth >= 0 ? o.depth : settings.dictDepth >= 11 ? 99 : settings.dictDepth;
  if (!o.books.empty()) {
    for (const std::string& dir : o.books) list->ScanBooks(dir, depth);
    return;
  }
  list->LoadList(o.group.empty() ? settings.GroupFilePath() : o.group);
  if (list->Count() > 0 || !o.group.empty()) return;
  std::string demo = DemoBookDirectory();
  if (!demo.empty()) list->ScanBooks(demo, 1);
}

void PrintHits(const CHitCollector& collector, CBookList& list, CSettings& settings, bool all, bool show) {
  for (const DictHit& h : collector.Hits()) {
    SubbookEntry* entry = list.PeekEntry(h.dict);
    CEBReader& reader = *entry->textReader;
    const DictConfig* config = settings.ConfigForDict(h.dict);
    const GaijiMapRecord* map = settings.GaijiMapForDict(list, h.dict);
    if (show) {
      if (all) std::printf("[%s]\n", ToUtf8(settings.DisplayName(list, h.dict)).c_str());
      std::printf("%s\n", EntryPlain(reader, config, h.hit, map).c_str());
      continue;
    }
    if (all) std::printf("[%s] ", ToUtf8(settings.DisplayName(list, h.dict)).c_str());
    std::printf("%s\n", HeadingPlain(reader, config, h.hit, map).c_str());
  }
}

int RunFind(const std::vector<std::string>& args) {
  FindOptions o;
  if (!ParseFindArgs(args, &o)) return UsageError("find");
  SetNoticeHandler(PrintNotice);
  CSettings settings(o.home.empty() ? FindAppDirectory(ProgramDirectory()) : o.home);
  settings.LoadGlobals();
  if (o.all) settings.bFindAllDict = true;
  if (o.romaji) settings.romakana = true;
  if (o.trim) settings.bTrimPunctuation = true;
  if (!o.method.empty()) settings.searchType = MethodIndex(o.method);
  if (o.dict >= 0) settings.dictNo = o.dict;

  CBookList list;
  LoadDictionaries(o, settings, &list);
  if (list.Count() == 0) {
    std::fprintf(stderr, "tomeling: no dictionaries\n");
    return 1;
  }
  if (settings.dictNo >= list.Count()) {
    if (o.dict >= 0) {
      std::fprintf(stderr, "tomeling: dictionary %d out of range (there are %d)\n", o.dict, list.Count());
      return 2;
    }
    settings.dictNo = 0;  // a stale number from another group
  }
  settings.ApplyDictConfigs(list);

  CCommandLineFrame frame(FromUtf8(o.word), settings.searchType);
  CHitCollector collector(list);
  CSearchCycle cycle(settings, list, frame, collector);
  cycle.RunSearch(settings.bFindAllDict);
  std::fprintf(stderr, "%s\n", ToUtf8(frame.Status()).c_str());
  PrintHits(collector, list, settings, settings.bFindAllDict, o.show);
  return collector.Hits().empty() ? 1 : 0;
}

CCommandRegistration g_find(
    "find",
    "[--book DIR]... [--depth N] | [--group FILE]  [--home DIR] [--all] [--dict N] "
    "[--method word|endword|exact|cross|keyword|fulltext] [--romaji] [--trim-punctuation] [--show] WORD",
    "search like the desktop program (wildcards *word, word*, *word*, word/) and print headings or entries",
    RunFind);

}  // namespace
