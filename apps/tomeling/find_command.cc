// tomeling find [OPTIONS] WORD: the program's search cycle on the command
// line -- the same word trimming, wildcards, romaji retry, all-dictionary
// search and status texts as the desktop programs, with the options of the
// application directory's profile store and "profile.ini".
//
// Dictionaries come from --book DIR (scanned --depth levels deep, may be
// repeated), else --group FILE, else the current group file of the
// settings, else the bundled demo dictionary. The status text goes to
// stderr; each hit's heading (with --show, its whole entry) to stdout.
// A dictionary whose files cannot be opened is named on stderr and makes
// the status 1, hits or not.
#include <cstdio>
#include <string>
#include <vector>

#include "book_args.h"
#include "catalog/notice.h"
#include "command.h"
#include "shell/plain_text.h"
#include "shell/search_cycle.h"

namespace {

struct FindOptions {
  BookOptions books;
  std::string method, word;
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
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasValue = i + 1 < args.size();
    if (ParseBookOption(args, &i, &o->books, &bad)) {
      if (bad) return false;
    } else if (a == "--method" && hasValue) {
      o->method = args[++i];
    } else if (a == "--all") {
      o->all = true;
    } else if (a == "--romaji") {
      o->romaji = true;
    } else if (a == "--trim-punctuation") {
      o->trim = true;
    } else if (a == "--show") {
      o->show = true;
    } else if (o->word.empty() && !a.empty() && a.rfind("--", 0) != 0) {
      o->word = a;
    } else {
      return false;
    }
  }
  if (!o->method.empty() && MethodIndex(o->method) < 0) return false;
  return !o->word.empty() && (o->books.books.empty() || o->books.group.empty());
}

// --book directories, else --group, else the settings' group file, else
// the demo dictionary.
void LoadDictionaries(const FindOptions& o, CDictSession& session) {
  const CSettings& settings = session.Settings();
  const BookOptions& b = o.books;
  if (!b.books.empty()) {
    session.ScanBooks(b.books, b.depth >= 0 ? b.depth : settings.dictDepth >= 11 ? 99 : settings.dictDepth);
    return;
  }
  session.LoadGroup(b.group);
  if (session.Count() > 0 || !b.group.empty()) return;
  session.LoadDemo();
}

void PrintHits(const CHitCollector& collector, CDictSession& session, bool all, bool show) {
  for (const DictHit& h : collector.Hits()) {
    std::string name = all ? "[" + ToUtf8(session.DisplayName(h.dict)) + "]" : "";
    if (show) {
      if (all) std::printf("%s\n", name.c_str());
      std::printf("%s\n", ToUtf8(session.Entry(h.dict, h.hit.textPage, h.hit.textOffset).plain).c_str());
      continue;
    }
    if (all) std::printf("%s ", name.c_str());
    std::printf("%s\n", ToUtf8(session.Heading(h.dict, h.hit).plain).c_str());
  }
}

int RunFind(const std::vector<std::string>& args) {
  FindOptions o;
  if (!ParseFindArgs(args, &o)) return UsageError("find");
  SetNoticeHandler(PrintNotice);
  CDictSession session(o.books.Session());
  CSettings& settings = session.Settings();
  if (o.all) settings.bFindAllDict = true;
  if (o.romaji) settings.romakana = true;
  if (o.trim) settings.bTrimPunctuation = true;
  if (!o.method.empty()) settings.searchType = MethodIndex(o.method);
  if (o.books.dict >= 0) settings.dictNo = o.books.dict;

  LoadDictionaries(o, session);
  if (session.Count() == 0) {
    std::fprintf(stderr, "tomeling: no dictionaries\n");
    return 1;
  }
  if (settings.dictNo >= session.Count()) {
    if (o.books.dict >= 0) {
      std::fprintf(stderr, "tomeling: dictionary %d out of range (there are %d)\n", o.books.dict, session.Count());
      return 2;
    }
    settings.dictNo = 0;  // a stale number from another group
  }

  CCommandLineFrame frame(FromUtf8(o.word), settings.searchType);
  CHitCollector collector(session.Books());
  CSearchCycle cycle(settings, session.Books(), frame, collector);
  cycle.RunSearch(settings.bFindAllDict);
  std::fprintf(stderr, "%s\n", ToUtf8(frame.Status()).c_str());
  PrintHits(collector, session, settings.bFindAllDict, o.show);
  // A dictionary that was not searched makes the answer incomplete.
  CBookList& list = session.Books();
  std::vector<int> failed = list.FailedEntries();
  for (int i : failed)
    std::fprintf(stderr, "tomeling: cannot open dictionary %d (%s)\n", i, list.PeekEntry(i)->subbookDir.c_str());
  return collector.Hits().empty() || !failed.empty() ? 1 : 0;
}

CCommandRegistration g_find(
    "find",
    "[--book DIR]... [--depth N] | [--group FILE]  [--home DIR] [--all] [--dict N] "
    "[--method word|endword|exact|cross|keyword|fulltext] [--romaji] [--trim-punctuation] [--show] WORD",
    "search like the desktop program (wildcards *word, word*, *word*, word/) and print headings or entries",
    RunFind);

}  // namespace
