// Showing an entry, step by step: a typical entry (about 1,500 characters
// of mixed kana, kanji, Latin, links, styles and gaiji) and the largest a
// view takes (56 pages of book text, which the decoder cuts at 65,535
// bytes of markup), read from a book written for the purpose through the
// dictionary's profile.ini record and gaiji map as a view reads them:
//
//   decode    the book's escape codes to byte-form markup (EntryMarkup)
//   convert   byte form to the wide form, gaiji through the map (WideMarkup)
//   layout    CLineMgr::Layout at 240 pixels
//   draw      the last screen (320 pixels), then the whole entry
//
// Layout and drawing go to the fixed canvas, so only the line manager is
// measured, not the fonts. The total is what a view spends before the
// entry is on screen: decode + convert + layout + one screen. Goals: the
// largest under 16 ms, a typical one under 1 ms. A third row lays out
// 65,535 characters of markup made directly, more than decoding can give.
//
// Times are the best of several rounds, in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "big_entry_book.h"
#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "catalog/subbook_entry.h"
#include "layout/fixed_canvas.h"
#include "layout/line_mgr.h"
#include "reader/eb_reader.h"
#include "shell/dict_session.h"
#include "shell/plain_text.h"

namespace fs = std::filesystem;

namespace {

constexpr int kViewWidth = 240;
constexpr int kScreen = 320;

// The same in wide markup, for the layout-only row.
std::u16string MarkupParagraph(int k) {
  std::u16string p = u"<B>見出し語</B>【けんさく】<LINK>→参照</LINK[00000123:0456]>辞書の本文には漢字とかなが混ざり、";
  p += u"English glosses such as \"search, look up\" and <I>italic</I> words appear.";
  p += u"◎&zB022;の記号と<SUB>下付き</SUB>文字。";
  p += static_cast<char16_t>(u'0' + k % 10);
  p += u"\r\n";
  return p;
}

template <typename F>
double BestMs(int rounds, F f) {
  double best = 1e9;
  for (int r = 0; r < rounds; ++r) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  return best;
}

struct Times {
  double decode = 0, convert = 0, layout = 0, screen = 0, whole = 0;
};

// Layout and drawing of `text`; `*lines` gets the line count.
void MeasureLayout(const std::u16string& text, int rounds, Times* t, int* lines) {
  CLineMgr mgr;
  CFixedCanvas canvas;
  canvas.SetRecording(false);
  CLayoutBook book;
  LayoutOptions options;
  options.searchString = u"検索 search";
  mgr.SetFonts(u"A", u"B", u"C", 13, true, true, true);
  mgr.SetViewWidth(kViewWidth);
  t->layout = BestMs(rounds, [&] {
    mgr.SetIndent(0, 2);
    *lines = mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, &book, options);
  });
  int w = 0, h = 0;
  mgr.GetExtent(&w, &h);
  t->screen = BestMs(rounds, [&] {
    mgr.Draw(text.data(), 0, 0, w, kScreen, 0, std::max(0, h - kScreen), canvas, &book, options);
  });
  t->whole = BestMs(rounds, [&] { mgr.Draw(text.data(), 0, 0, w, h, 0, 0, canvas, &book, options); });
}

void Print(const char* name, size_t units, int lines, const Times& t, double goal) {
  double total = t.decode + t.convert + t.layout + t.screen;
  std::printf("%-8s %6zu units %5d lines  decode %7.3f  convert %7.3f  layout %7.3f  draw screen %7.3f  "
              "draw all %7.3f  total %7.3f ms (goal < %g ms: %s)\n",
              name, units, lines, t.decode, t.convert, t.layout, t.screen, t.whole, total, goal,
              total < goal ? "met" : "MISSED");
}

// Decoding and converting are not part of this row: the markup is made.
void PrintLayoutOnly(const char* name, size_t units, int lines, const Times& t, double goal) {
  double total = t.layout + t.screen;
  std::printf("%-8s %6zu units %5d lines  decode       -  convert       -  layout %7.3f  draw screen %7.3f  "
              "draw all %7.3f  total %7.3f ms (goal < %g ms: %s)\n",
              name, units, lines, t.layout, t.screen, t.whole, total, goal, total < goal ? "met" : "MISSED");
}

void MeasureEntry(const char* name, const DictDisplay& display, const BookPos& pos, int rounds, double goal) {
  CEBReader& reader = *display.entry->textReader;
  Times t;
  std::string markup;
  t.decode = BestMs(rounds, [&] { markup = EntryMarkup(reader, display.config, pos.page, pos.offset, 0); });
  std::u16string wide;
  t.convert = BestMs(rounds, [&] { wide = WideMarkup(markup, reader.SingleByte(), display.gaijiMap); });
  int lines = 0;
  MeasureLayout(wide, rounds, &t, &lines);
  std::printf("%-8s %zu bytes of markup decoded from %d:%04X\n", name, markup.size(), pos.page, pos.offset);
  Print(name, wide.size(), lines, t, goal);
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / "tomeling-bench-layout";
  WrittenBook written;
  std::unique_ptr<CDictSession> opened = OpenBigEntryBook(dir, &written);
  if (!opened) return 1;
  CDictSession& session = *opened;
  DictDisplay display = session.Display(0);
  if (display.entry == nullptr || display.gaijiMap == nullptr) {
    std::fprintf(stderr, "the dictionary or its map is missing\n");
    return 1;
  }
  const std::vector<BookPos>& text = written.subbooks[0].text;
  std::printf("book text file: %d pages; the largest entry starts on page %d\n",
              display.entry->textReader->PageCount(), text[kLargestEntry].page);
  MeasureEntry("typical", display, text[kTypicalEntry], 50, 1);
  MeasureEntry("largest", display, text[kLargestEntry], 10, 16);

  std::u16string synthetic = u"<BODY><HEAD>けんさく【検索】</HEAD>\r\n";
  for (int k = 0; synthetic.size() < CLineMgr::kMaxTextLength; ++k) synthetic += MarkupParagraph(k);
  synthetic.resize(CLineMgr::kMaxTextLength);
  Times t;
  int lines = 0;
  MeasureLayout(synthetic, 10, &t, &lines);
  PrintLayoutOnly("markup", synthetic.size(), lines, t, 16);
  fs::remove_all(dir);
  return 0;
}
