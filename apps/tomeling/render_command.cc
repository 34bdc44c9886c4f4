// tomeling render: draws one entry as a content view would and saves it as
// a PNG image -- the entry at PAGE:OFFSET (hexadecimal, as markup writes
// positions) or the first hit of a word, laid out at a width with the
// fonts and colours of the settings. Runs without a display.
//
// The dictionary is read through the application directory's
// "profile.ini" (--home, else the program's own): its record's stop code,
// code rules and index styles, its gaiji map and its EBXA-C or EBG face.
// The summary line gives the image size, the lines and the face (0
// Japanese, 1 EBG, 2 EBXA-C); --print-markup adds the wide markup that was
// laid out, so what the configuration did shows without looking at pixels.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "decode/cp932.h"
#include "layout/entry_book.h"
#include "layout/line_mgr.h"
#include "reader/eb_reader.h"
#include "shell/app_dir.h"
#include "shell/colour_names.h"
#include "shell/dict_display.h"
#include "shell/plain_text.h"
#include "shell/settings.h"
#include "storage/atomic_file.h"
#include "views/qt_canvas.h"

namespace {

constexpr int kMaxImageSide = 16384;

struct RenderOptions {
  std::string book, out, word, highlight, home;
  int dict = 0;
  int width = 0;
  int fontSize = 0;
  int32_t page = 0;
  int offset = 0;
  bool havePosition = false;
  bool printMarkup = false;
};

bool ParsePosition(const std::string& s, int32_t* page, int* offset) {
  size_t colon = s.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 >= s.size()) return false;
  char* end = nullptr;
  unsigned long p = std::strtoul(s.c_str(), &end, 16);
  if (end != s.c_str() + colon || p == 0 || p > 0x7FFFFFFF) return false;
  unsigned long o = std::strtoul(s.c_str() + colon + 1, &end, 16);
  if (*end != '\0' || o > 2047) return false;
  *page = static_cast<int32_t>(p);
  *offset = static_cast<int>(o);
  return true;
}

bool ParseArgs(const std::vector<std::string>& args, RenderOptions* o) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasValue = i + 1 < args.size();
    if (a == "--book" && hasValue) o->book = args[++i];
    else if (a == "--out" && hasValue) o->out = args[++i];
    else if (a == "--word" && hasValue) o->word = args[++i];
    else if (a == "--highlight" && hasValue) o->highlight = args[++i];
    else if (a == "--home" && hasValue) o->home = args[++i];
    else if (a == "--print-markup") o->printMarkup = true;
    else if (a == "--dict" && hasValue) { if (!ParseCount(args[++i], &o->dict)) return false; }
    else if (a == "--width" && hasValue) { if (!ParseCount(args[++i], &o->width)) return false; }
    else if (a == "--font-size" && hasValue) { if (!ParseCount(args[++i], &o->fontSize)) return false; }
    else if (!a.empty() && a[0] != '-' && !o->havePosition) o->havePosition = ParsePosition(a, &o->page, &o->offset);
    else return false;
  }
  bool oneTarget = o->havePosition != !o->word.empty();
  return !o->book.empty() && !o->out.empty() && oneTarget && o->width >= 16 && o->width <= kMaxImageSide;
}

LayoutOptions OptionsFrom(const CSettings& s, const std::string& highlight) {
  LayoutOptions o;
  o.bStretchImg = s.bStretchImg;
  o.lineSpacing = static_cast<int16_t>(s.lineSpacing);
  o.bInlineImage = s.bInlineImage;
  o.bULLink = s.bULLink;
  o.bHighlight = s.bHighlight;
  o.bAdjustGaiji = s.bAdjustGaiji;
  o.bRuledLine = s.bRuledLine;
  auto colour = [](const RgbColour& c) { return MakeColour(c.red, c.green, c.blue); };
  o.titleColour = colour(s.m_colorTitle);
  o.linkColour = colour(s.m_colorLink);
  o.boldColour = colour(s.m_colorBold);
  o.italicColour = colour(s.m_colorItalic);
  o.highlightColour = colour(s.m_colorHighlight);
  o.searchString = FromUtf8(highlight);
  return o;
}

// The first hit of the word, as the position to render; false after saying
// why there is none.
bool FindWord(CEBReader& reader, RenderOptions* o) {
  std::vector<HitEntry> hits;
  if (reader.WordSearch(Utf16ToCp932(FromUtf8(o->word))) > 0) reader.GetHitEntSorted(&hits);
  if (hits.empty()) {
    std::fprintf(stderr, "tomeling: no hit for %s\n", o->word.c_str());
    return false;
  }
  o->page = static_cast<int32_t>(hits[0].textPage);
  o->offset = static_cast<int>(hits[0].textOffset);
  return true;
}

// Lays the text out at the manager's width and draws all of it.
QImage DrawEntry(CLineMgr& mgr, const std::u16string& text, CLayoutBook& book, const LayoutOptions& options) {
  // Measuring needs a painter with the fonts; a one-pixel image serves.
  QImage probe(1, 1, QImage::Format_RGB32);
  {
    QPainter painter(&probe);
    CQtCanvas canvas(painter);
    mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, &book, options);
  }
  int width = 0, height = 0;
  mgr.GetExtent(&width, &height);
  height = std::clamp(height + mgr.GetFontSize(), 1, kMaxImageSide);
  width = std::clamp(width, 1, kMaxImageSide);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQColor(options.backgroundColour));
  QPainter painter(&image);
  CQtCanvas canvas(painter);
  mgr.Draw(text.data(), 0, 0, width, height, 0, 0, canvas, &book, options);
  return image;
}

bool SavePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
  return WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

int RunRender(const std::vector<std::string>& args) {
  RenderOptions o;
  if (!ParseArgs(args, &o)) return UsageError("render");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tomeling";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  CSettings settings(o.home.empty() ? FindAppDirectory(ProgramDirectory()) : o.home);
  settings.LoadGlobals();
  CColourNames colourNames;
  colourNames.LoadColorTable(WithTrailingSlash(settings.AppDir()) + "color.dat");
  CBookList list;
  int status = 0;
  if (OpenDictionary(list, o.book, o.dict, &status) == nullptr) return status;
  settings.ApplyDictConfigs(list);
  DictDisplay display = PrepareDisplay(settings, list, o.dict);
  if (display.entry == nullptr) return 1;
  if (!o.word.empty() && !FindWord(*display.entry->textReader, &o)) return 1;
  std::u16string text = DecodeEntryWide(display, o.page, o.offset);

  CEntryLayoutBook book(*display.entry, display.ebxac, display.ebg, [&](const std::string& n, Colour* c) {
    int32_t r = 0, g = 0, b = 0;
    if (!colourNames.LookUpColor(n, &r, &g, &b)) return false;
    *c = MakeColour(r, g, b);
    return true;
  });
  CLineMgr mgr;
  mgr.SetFonts(settings.fontName, settings.fontNameEBG, settings.fontNameEBXAC,
               o.fontSize > 0 ? o.fontSize : settings.fontSize, settings.bClearType, settings.bUseItalic,
               settings.bUseBold);
  mgr.SetViewWidth(o.width);
  mgr.SetIndent(0, settings.leftMargin);
  QImage image = DrawEntry(mgr, text, book, OptionsFrom(settings, o.highlight));
  if (!SavePng(image, o.out)) {
    std::fprintf(stderr, "tomeling: cannot write %s\n", o.out.c_str());
    return 1;
  }
  std::printf("%d x %d, %d lines, face %d\n", image.width(), image.height(), mgr.GetLineCount(), book.Face());
  if (o.printMarkup) std::printf("%s\n", ToUtf8(text).c_str());
  return 0;
}

CCommandRegistration g_render("render",
                              "--book DIR [--dict N] (PAGE:OFFSET | --word WORD) --width W [--font-size N] "
                              "[--highlight WORDS] [--home DIR] [--print-markup] --out FILE.png",
                              "draw an entry into a PNG image", RunRender);

}  // namespace
