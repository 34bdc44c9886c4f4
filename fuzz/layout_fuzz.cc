// CLineMgr on arbitrary wide-form markup, laid out and drawn on the fixed
// canvas. Input bytes choose the options and build the text: a byte below
// 0x30 stands for one of a set of tags and entities (well-formed or cut),
// a pair of bytes from 0xE0 on for one UTF-16 unit, any other byte for
// itself. Beyond the sanitizers' checks: lines start in order and end at
// the text's length, attribute and highlight records stay inside the text,
// hit testing answers inside the text, and a selection returns to empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "decode/bitmap_image.h"
#include "layout/fixed_canvas.h"
#include "layout/line_mgr.h"

namespace {

const char* const kPieces[] = {
    "<LINK>", "</LINK[0000001A:07FE]>", "<MENU>", "</MENU[00000002:0010]>", "<B>", "</B>", "<I>", "</I>",
    "<UL>", "</UL>", "<SUP>", "</SUP>", "<SUB>", "</SUB>", "<COL=0000FF>", "</COL>", "<HEAD>", "</HEAD>",
    "<INDENT=03>", "<INDENT=99>", "<TAB=05>", "<TAB=70>", "<FIG>", "</FIG[00000010:0000](0400*0300:0)>",
    "</FIG[00000010:0000](0000*0000:1)>", "<INL>", "</INL[00000010:0000](0030*0020:1)>", "<COLCHART=007>",
    "<MAP>", "</MAP>", "<URL>", "</URL>", "<WAV>", "</WAV[00000001:0000][00000002:0000](1:0:0:0:0)>",
    "&h2121;", "&z2121;", "&c2121;", "&gB0A1;", "&g2121;", "&amp;", "&x;", "\r\n", "\r", "<", "&", "<BODY>",
    "</BODY>", "</FIG[zzzzzzzz:0000](-001*9999:1)>"};
constexpr size_t kPieceCount = sizeof(kPieces) / sizeof(kPieces[0]);

class CFuzzBook : public CLayoutBook {
 public:
  bool IsEbCatalog() const override { return true; }
  int GaijiSizes() const override { return kGaiji16 | kGaiji24; }
  bool GetGlyph(bool half, int size, uint16_t code, Glyph* out) override {
    if (code != 0x2121) return false;
    out->width = half ? size / 2 : size;
    out->height = size;
    return true;
  }
  bool LoadImage(int, int32_t, int, int width, int height, int, CBitmapImage* out) override {
    return out->Allocate(width > 0 && width <= 2048 ? width : 50, height > 0 && height <= 2048 ? height : 40, 1,
                         false);
  }
  bool GetColourChart(int, std::u16string* name, Colour* colour) override {
    *name = u"red";
    *colour = 0xFF;
    return true;
  }
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  LayoutOptions options;
  options.bStretchImg = data[0] & 1;
  options.bInlineImage = (data[0] >> 1) & 1;
  options.bAdjustGaiji = (data[0] >> 2) & 1;
  options.bULLink = (data[0] >> 3) & 1;
  options.bRuledLine = 1;
  options.lineSpacing = static_cast<int16_t>(data[0] >> 4);
  options.searchString = u"ab c\u3000-x";
  int width = 40 + data[1] * 2;
  int fontSize = 4 + data[2] % 40;

  std::u16string text;
  for (size_t i = 3; i < size; ++i) {
    uint8_t b = data[i];
    if (b < 0x30) {
      for (const char* p = kPieces[b % kPieceCount]; *p != 0; ++p) text += static_cast<char16_t>(*p);
    } else if (b >= 0xE0 && i + 1 < size) {
      text += static_cast<char16_t>(((b - 0xE0) << 11) | (data[i + 1] << 3) | 0x4000);
      ++i;
    } else {
      text += static_cast<char16_t>(b);
    }
  }

  CLineMgr mgr;
  CFixedCanvas canvas;
  CFuzzBook book;
  mgr.SetFonts(u"A", u"B", u"C", fontSize, true, true, true);
  mgr.SetViewWidth(width);
  mgr.SetIndent(data[2] % 3, 2);
  int len = static_cast<int>(text.size());
  int lines = mgr.Layout(text.data(), len, canvas, &book, options);
  Check(lines >= 1);
  const auto& t = mgr.Lines();
  for (int k = 1; k <= lines; ++k) Check(t[static_cast<size_t>(k)].start >= t[static_cast<size_t>(k) - 1].start);
  int end = t[static_cast<size_t>(lines)].start;
  Check(end <= len);
  for (int k = 0; k < mgr.GetAttrCount(); ++k) {
    const AttrRecord& a = mgr.GetAttrTable()[k];
    Check(a.start + a.length <= len);
  }
  for (int k = 0; k < mgr.GetHighlightCount(); ++k) {
    const HighlightRecord& h = mgr.GetHighlightTable()[k];
    Check(h.start + h.length <= len);
  }
  int w = 0, h = 0;
  mgr.GetExtent(&w, &h);
  Check(mgr.Draw(text.data(), 0, 0, w, h, 0, 0, canvas, &book, options) == 0);
  Check(mgr.Draw(text.data(), 0, 0, w, 30, 0, h / 2, canvas, &book, options) == 0);
  int step = h / 30 > 7 ? h / 30 : 7;
  for (int y = -5; y < h + 20; y += step) {
    int c = mgr.CharFromPoint(w / 2, y, canvas);
    Check(c >= 0 && c <= len);
    mgr.AttrFromPoint(w / 3, y);
  }
  mgr.SetSelection(len / 3, len, canvas, 0, 0);
  mgr.SetSelection(len / 2, len / 4, canvas, 0, 0);
  mgr.ClearSelection(canvas, 0, 0);
  Check(mgr.SelectionStart() == 0 && mgr.SelectionEnd() == 0);
  return 0;
}
