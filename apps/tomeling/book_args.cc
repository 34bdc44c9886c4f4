// See book_args.h.
#include "book_args.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "catalog/notice.h"
#include "decode/wave_builder.h"

bool ParseCount(const std::string& text, int* out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *out = std::atoi(text.c_str());
  return true;
}

bool ParseSampling(const std::string& text, int* out) {
  int rate = 0;
  if (!ParseCount(text, &rate) || rate < 1 || rate > kMaxXaSampling) return false;
  *out = rate;
  return true;
}

bool ParsePosition(const std::string& text, int32_t* page, int* offset) {
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 8 || text.size() == colon + 1 ||
      text.size() - colon - 1 > 4)
    return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (i != colon && !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  unsigned long p = std::strtoul(text.substr(0, colon).c_str(), nullptr, 16);
  unsigned long o = std::strtoul(text.substr(colon + 1).c_str(), nullptr, 16);
  if (p == 0 || p > 0x7FFFFFFF || o > 2048) return false;
  *page = static_cast<int32_t>(p);
  *offset = static_cast<int>(o);
  return true;
}

bool ParseBookOption(const std::vector<std::string>& args, size_t* i, BookOptions* options, bool* bad) {
  const std::string& a = args[*i];
  if (a != "--book" && a != "--dict" && a != "--home" && a != "--group" && a != "--depth") return false;
  if (*i + 1 >= args.size()) {
    *bad = true;
    return true;
  }
  const std::string& value = args[++*i];
  if (a == "--book") options->books.push_back(value);
  else if (a == "--home") options->home = value;
  else if (a == "--group") options->group = value;
  else if (a == "--dict") *bad = !ParseCount(value, &options->dict);
  else *bad = !ParseCount(value, &options->depth);
  return true;
}

bool ParseBookArgs(const std::vector<std::string>& args, BookOptions* options) {
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i)
    if (!ParseBookOption(args, &i, options, &bad) || bad) return false;
  return options->OneBook();
}

void PrintNotice(const char* message) { std::fprintf(stderr, "tomeling: %s\n", message); }

bool OpenDictionary(CDictSession& session, const BookOptions& options, DictDisplay* display, int* status) {
  SetNoticeHandler(PrintNotice);
  *status = 2;
  const std::string& dir = options.books.front();
  if (session.ScanBooks({dir}, 0) == 0) {
    std::fprintf(stderr, "tomeling: no book in %s\n", dir.c_str());
    return false;
  }
  int dict = options.DictOrFirst();
  if (dict >= session.Count()) {
    std::fprintf(stderr, "tomeling: dictionary %d out of range (the book has %d)\n", dict, session.Count());
    return false;
  }
  *display = session.Display(dict);
  if (display->entry == nullptr) {
    std::fprintf(stderr, "tomeling: cannot open dictionary %d of %s\n", dict, dir.c_str());
    *status = 1;
    return false;
  }
  *status = 0;
  return true;
}
