// tomeling render: draws one entry as a content view would and saves it as
// a PNG image -- the entry at PAGE:OFFSET (hexadecimal, as markup writes
// positions) or the first hit of a word, laid out at a width with the
// fonts and colours of the settings. Runs without a display.
//
// The entry goes through the content view's own model (content_model.h),
// decoded up to the next entry as show prints it. The dictionary is read
// through the application directory's "profile.ini" (--home, else as every
// command finds it): its record's stop code, code rules and index styles,
// its gaiji map and its EBXA-C or EBG face. The summary line gives the
// image size, the lines and the face (0 Japanese, 1 EBG, 2 EBXA-C);
// --print-markup adds the wide markup that was laid out, so what the
// configuration did shows without looking at pixels.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "book_args.h"
#include "command.h"
#include "png_writer.h"
#include "reader/eb_reader.h"
#include "shell/content_model.h"
#include "shell/plain_text.h"
#include "storage/atomic_file.h"
#include "views/qt_canvas.h"

namespace {

constexpr int kMaxImageSide = 16384;
// 64 MB of pixels: the widest image is 1,024 lines tall, and the image, its
// PNG and the book stay well under the 300 MB every image command keeps to.
constexpr int64_t kMaxImagePixels = int64_t{16} << 20;

struct RenderOptions {
  BookOptions books;
  std::string out, word, highlight;
  int width = 0;
  int fontSize = 0;
  int32_t page = 0;
  int offset = 0;
  bool havePosition = false;
  bool printMarkup = false;
};

bool ParseArgs(const std::vector<std::string>& args, RenderOptions* o) {
  bool bad = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool hasValue = i + 1 < args.size();
    if (ParseBookOption(args, &i, &o->books, &bad)) { if (bad) return false; }
    else if (a == "--out" && hasValue) o->out = args[++i];
    else if (a == "--word" && hasValue) o->word = args[++i];
    else if (a == "--highlight" && hasValue) o->highlight = args[++i];
    else if (a == "--print-markup") o->printMarkup = true;
    else if (a == "--width" && hasValue) { if (!ParseCount(args[++i], &o->width)) return false; }
    else if (a == "--font-size" && hasValue) { if (!ParseCount(args[++i], &o->fontSize)) return false; }
    else if (!a.empty() && a[0] != '-' && !o->havePosition) o->havePosition = ParsePosition(a, &o->page, &o->offset);
    else return false;
  }
  bool oneTarget = o->havePosition != !o->word.empty();
  return o->books.OneBook() && !o->out.empty() && oneTarget && o->width >= 16 && o->width <= kMaxImageSide;
}

// The first hit of the word, as the position to render; false after saying
// why there is none.
bool FindWord(CEBReader& reader, RenderOptions* o) {
  std::vector<HitEntry> hits;
  if (reader.WordSearch(Utf8ToCp932(o->word)) > 0) reader.GetHitEntSorted(&hits);
  if (hits.empty()) {
    std::fprintf(stderr, "tomeling: no hit for %s\n", o->word.c_str());
    return false;
  }
  o->page = static_cast<int32_t>(hits[0].textPage);
  o->offset = static_cast<int>(hits[0].textOffset);
  return true;
}

// Says on standard error when the font size asked for is not the one drawn.
void ReportFontSize(int asked, int drawn) {
  if (asked > 0 && asked != drawn) {
    std::fprintf(stderr, "tomeling: font size %d is outside %d-%d; drawn at %d\n", asked, CLineMgr::kMinFontSize,
                 CLineMgr::kMaxFontSize, drawn);
  }
}

// Draws the laid-out entry on an image of its extent, cut (and said so on
// standard error) where it is taller than the image may be.
QImage DrawEntry(CContentModel& model) {
  int width = 0, height = 0;
  model.GetExtent(&width, &height);
  width = std::clamp(width, 1, kMaxImageSide);
  const int full = std::max(height + model.LineMgr().GetFontSize(), 1);
  const int limit = static_cast<int>(std::min<int64_t>(kMaxImageSide, kMaxImagePixels / width));
  height = std::min(full, limit);
  if (height < full) {
    std::fprintf(stderr, "tomeling: the entry is %d pixels tall; the image holds its first %d (%d x %d at most)\n",
                 full, height, width, limit);
  }
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQColor(model.Options().backgroundColour));
  QPainter painter(&image);
  CQtCanvas canvas(painter);
  model.Draw(canvas, 0, 0, width, height, 0, 0);
  return image;
}

bool SavePng(const QImage& image, const std::string& path) {
  std::vector<uint8_t> png = EncodePng(image.width(), image.height(), [&image](int y, uint8_t* rgb) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x, rgb += 3) {
      rgb[0] = static_cast<uint8_t>(qRed(line[x]));
      rgb[1] = static_cast<uint8_t>(qGreen(line[x]));
      rgb[2] = static_cast<uint8_t>(qBlue(line[x]));
    }
  });
  return !png.empty() &&
         WriteOutputFile(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
}

int RunRender(const std::vector<std::string>& args) {
  RenderOptions o;
  if (!ParseArgs(args, &o)) return UsageError("render");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tomeling";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  CDictSession session(o.books.Session());
  // An image is the same on every machine: the program's own colours, not
  // the theme of whatever desktop the tool runs under.
  session.Settings().bUseSystemColor = false;
  DictDisplay display;
  int status = 0;
  if (!OpenDictionary(session, o.books, &display, &status)) return status;
  if (!o.word.empty() && !FindWord(*display.reader, &o)) return 1;

  CContentModel model(session);
  model.ApplyFonts(o.fontSize);
  model.SetViewWidth(o.width);
  {
    // Measuring needs a painter with the fonts; a one-pixel image serves.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    CQtCanvas canvas(painter);
    EntryLimits oneEntry;
    model.ShowEntry(display.dict, o.page, o.offset, 0, FromUtf8(o.highlight), canvas, &oneEntry);
  }
  ReportFontSize(o.fontSize, model.LineMgr().GetFontSize());
  QImage image = DrawEntry(model);
  if (!SavePng(image, o.out)) {
    std::fprintf(stderr, "tomeling: cannot write %s\n", o.out.c_str());
    return 1;
  }
  // With --out - the image is standard output; the report must not mix in.
  FILE* report = o.out == kStandardOutputName ? stderr : stdout;
  std::fprintf(report, "%d x %d, %d lines, face %d\n", image.width(), image.height(), model.LineMgr().GetLineCount(),
               display.face);
  if (o.printMarkup) std::fprintf(report, "%s\n", ToUtf8(model.Markup()).c_str());
  return 0;
}

CCommandRegistration g_render("render",
                              "--book DIR [--dict N] (PAGE:OFFSET | --word WORD) --width W [--font-size N] "
                              "[--highlight WORDS] [--home DIR] [--print-markup] --out FILE.png",
                              "draw an entry into a PNG image", RunRender);

}  // namespace
