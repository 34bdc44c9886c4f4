// Layout and drawing speed: CLineMgr over a typical entry (about 1,500
// characters of mixed kana, kanji, Latin and tags) and over the largest
// entry a view takes (56 pages of book text, cut at 65,535 characters), on
// the fixed-width canvas so that only the line manager is measured. Goals:
// the largest entry laid out in under 16 ms, a typical one under 1 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "layout/fixed_canvas.h"
#include "layout/line_mgr.h"

namespace {

std::u16string Paragraph(int k) {
  std::u16string p = u"<INDENT=02><B>見出し語</B>【けんさく】";
  p += u"<LINK>→参照</LINK[00000123:0456]> 辞書の本文には漢字とかなが混ざり、";
  p += u"English glosses such as \"search, look up\" and <I>italic</I> words appear. ";
  p += u"&h2121;&z2122; <COL=0000FF>色付き</COL>の文字と<SUB>下付き</SUB>文字。";
  p += static_cast<char16_t>(u'0' + k % 10);
  p += u"\r\n";
  return p;
}

std::u16string Entry(size_t chars) {
  std::u16string t = u"<BODY><HEAD>けんさく【検索】</HEAD>\r\n";
  for (int k = 0; t.size() < chars; ++k) t += Paragraph(k);
  t.resize(std::min(t.size(), chars));
  return t;
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

void Measure(const char* name, const std::u16string& text, int rounds) {
  CLineMgr mgr;
  CFixedCanvas canvas;
  canvas.SetRecording(false);
  CLayoutBook book;
  LayoutOptions options;
  options.searchString = u"検索 search";
  mgr.SetFonts(u"A", u"B", u"C", 13, true, true, true);
  mgr.SetViewWidth(240);
  int lines = 0;
  double layout = BestMs(rounds, [&] {
    mgr.SetIndent(0, 2);
    lines = mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, &book, options);
  });
  int w = 0, h = 0;
  mgr.GetExtent(&w, &h);
  // One screen (320 pixels) at the end, then the whole page.
  double screen = BestMs(rounds, [&] {
    mgr.Draw(text.data(), 0, 0, w, 320, 0, std::max(0, h - 320), canvas, &book, options);
  });
  double whole = BestMs(rounds, [&] { mgr.Draw(text.data(), 0, 0, w, h, 0, 0, canvas, &book, options); });
  std::printf("%-8s %6zu chars %5d lines  layout %8.3f ms  draw last screen %8.3f ms  draw all %8.3f ms\n", name,
              text.size(), lines, layout, screen, whole);
}

}  // namespace

int main() {
  Measure("typical", Entry(1500), 50);
  Measure("largest", Entry(65535), 10);
  std::printf("goals: largest layout < 16 ms, typical < 1 ms\n");
  return 0;
}
