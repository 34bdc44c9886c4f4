// The hit list's pixels: each state of a row in the program's own colours
// and in the desktop's, a gaiji of a heading drawn dot for dot from the
// book's font, and the heading at the left edge without a name column.
// Screenshots for reviewers go to build/artefacts/dialogs/hitlist_*.png.
#include <QImage>
#include <filesystem>
#include <map>
#include <tuple>

#include "layout/readable_colour.h"
#include "left_view_fixture.h"
#include "shell/hit_rows.h"
#include "views/hit_row_delegate.h"

namespace {

using Rgb = QRgb;
constexpr Rgb kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000,
              kGrey = 0xFFC4C4C4;

class LeftViewPixelTest : public LeftViewTest {
 protected:
  void SetUp() override {
    LeftViewTest::SetUp();
    // 16 pixels: the gaiji are drawn at their own size.
    Settings().fontSizeList = 16;
    // The program's own colours unless a test asks for the desktop's.
    Settings().bUseSystemColor = false;
    Settings().bFindAllDict = true;
  }

  // GAIJI's row first (the last dictionary), then ALPHA's two.
  void OpenAndFill() {
    Open();
    SearchDict(*session, kDictAlpha, u"ね");
    SearchDict(*session, kDictGaiji, u"がいじ");
    ASSERT_EQ(list->FillFromHits(0), 3);
    QCoreApplication::processEvents();
  }

  QImage Grab() { return list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QRect RowRect(int row) { return list->visualRect(list->model()->index(row, 0)); }

  // How many pixels of each colour lie in `r`.
  static std::map<Rgb, int> Colours(const QImage& image, QRect r) {
    std::map<Rgb, int> count;
    r = r.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) ++count[image.pixel(x, y)];
    return count;
  }

  // The part of row `row` from x0 to x1 holds the background and ink of
  // exactly these colours.
  void ExpectPart(const QImage& image, int row, int x0, int x1, Rgb background, Rgb ink, const char* what) {
    QRect r = RowRect(row);
    std::map<Rgb, int> c = Colours(image, QRect(x0, r.top(), x1 - x0, r.height()));
    EXPECT_EQ(c.size(), 2u) << what << ": " << c.size() << " colours";
    EXPECT_GT(c[background], 0) << what << ": background " << std::hex << background;
    EXPECT_GT(c[ink], 0) << what << ": ink " << std::hex << ink;
  }

  // The 16 x 16 dots at (x, y) are the ring glyph in `ink` on `paper`,
  // each dot `scale` x `scale` pixels.
  static void ExpectRing(const QImage& image, int x, int y, Rgb ink, Rgb paper, int scale = 1) {
    std::vector<uint8_t> dots = RingGlyph();
    int wrong = 0;
    for (int py = 0; py < 16 * scale; ++py)
      for (int px = 0; px < 16 * scale; ++px) {
        int dx = px / scale, dy = py / scale;
        bool on = dots[static_cast<size_t>(dy * 2 + dx / 8)] & (0x80 >> (dx % 8));
        wrong += image.pixel(x + px, y + py) != (on ? ink : paper);
      }
    EXPECT_EQ(wrong, 0) << "pixels of the gaiji at " << x << "," << y << " that differ from the book's glyph";
  }

  int GaijiTop(int row) { return RowRect(row).top() + (RowRect(row).height() - 16) / 2; }
};

TEST_F(LeftViewPixelTest, OwnColoursOfTheFocusedTheUnfocusedAndTheOtherRows) {
  OpenAndFill();
  const int heading = list->Delegate()->HeadingX();
  ASSERT_EQ(heading, 48);
  const int right = RowRect(0).right();
  QImage focused = Grab();
  SaveScreenshot(list, QStringLiteral("hitlist_focused"));
  // Selected with the focus: blue, the title colour inverted, white.
  ExpectPart(focused, 0, 0, heading, kBlue, kYellow, "focused name");
  ExpectPart(focused, 0, heading + 16, right, kBlue, kWhite, "focused heading");
  ExpectRing(focused, heading, GaijiTop(0), kWhite, kBlue);
  // Not selected: the background, the title colour, the text colour.
  ExpectPart(focused, 1, 0, heading, kWhite, kBlue, "row name");
  ExpectPart(focused, 1, heading, right, kWhite, kBlack, "row heading");

  content->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  QImage unfocused = Grab();
  SaveScreenshot(list, QStringLiteral("hitlist_unfocused"));
  ExpectPart(unfocused, 0, 0, heading, kGrey, kBlack, "unfocused name");
  ExpectPart(unfocused, 0, heading + 16, right, kGrey, kBlack, "unfocused heading");
  ExpectRing(unfocused, heading, GaijiTop(0), kBlack, kGrey);
  ExpectPart(unfocused, 2, heading, right, kWhite, kBlack, "other row heading");
}

TEST_F(LeftViewPixelTest, SystemColoursAreThePalettes) {
  OpenAndFill();
  QPalette palette = list->palette();
  const QColor highlight(10, 100, 10), highlighted(250, 200, 0), window(200, 200, 230), text(90, 0, 0),
      base(240, 255, 240);
  palette.setColor(QPalette::Highlight, highlight);
  palette.setColor(QPalette::HighlightedText, highlighted);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  list->setPalette(palette);
  list->SetUseSystemColours(true);
  QCoreApplication::processEvents();
  const int heading = list->Delegate()->HeadingX();
  const int right = RowRect(0).right();
  QImage focused = Grab();
  SaveScreenshot(list, QStringLiteral("hitlist_system_colours"));
  ExpectPart(focused, 0, 0, heading, highlight.rgb(), highlighted.rgb(), "focused name");
  ExpectPart(focused, 0, heading + 16, right, highlight.rgb(), highlighted.rgb(), "focused heading");
  ExpectRing(focused, heading, GaijiTop(0), highlighted.rgb(), highlight.rgb());
  ExpectPart(focused, 1, 0, heading, base.rgb(), kBlue, "row name");
  ExpectPart(focused, 1, heading, right, base.rgb(), text.rgb(), "row heading");

  content->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  QImage unfocused = Grab();
  ExpectPart(unfocused, 0, 0, heading, window.rgb(), text.rgb(), "unfocused name");
  ExpectPart(unfocused, 0, heading + 16, right, window.rgb(), text.rgb(), "unfocused heading");
}

// The names' blue and the headings' text keep 4.5:1 on the list's base
// colour, light or dark; the selected row keeps the palette's own pair.
TEST_F(LeftViewPixelTest, RowsReadOnTheLightAndDarkFusionPalettes) {
  OpenAndFill();
  list->SetUseSystemColours(true);
  const int heading = list->Delegate()->HeadingX();
  const int right = RowRect(1).right();
  for (bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    const QPalette palette = FusionPalette(dark);
    list->setPalette(palette);
    QCoreApplication::processEvents();
    QImage image = Grab();
    SaveScreenshot(list, dark ? QStringLiteral("hitlist_dark") : QStringLiteral("hitlist_light"));
    const Rgb base = palette.color(QPalette::Base).rgb();
    for (auto [x0, x1, what] : {std::tuple{0, heading, "name"}, std::tuple{heading, right, "heading"}}) {
      QRect r = RowRect(1);
      std::map<Rgb, int> c = Colours(image, QRect(x0, r.top(), x1 - x0, r.height()));
      ASSERT_EQ(c.size(), 2u) << what;
      EXPECT_GT(c[base], 0) << what << " on the base colour";
      for (auto [ink, n] : c) {
        if (ink == base) continue;
        Colour fg = MakeColour(qRed(ink), qGreen(ink), qBlue(ink));
        Colour bg = MakeColour(qRed(base), qGreen(base), qBlue(base));
        EXPECT_GE(ContrastRatio(fg, bg), kReadableContrast) << what << " in " << std::hex << ink;
      }
    }
    ExpectPart(image, 0, 0, heading, palette.color(QPalette::Highlight).rgb(),
               palette.color(QPalette::HighlightedText).rgb(), "selected name");
  }
}

TEST_F(LeftViewPixelTest, WithoutANameColumnHeadingsStartAtTheLeftEdge) {
  Settings().lenDictName = 0;
  OpenAndFill();
  QImage image = Grab();
  SaveScreenshot(list, QStringLiteral("hitlist_no_names"));
  ExpectRing(image, 0, GaijiTop(0), kWhite, kBlue);
  // Row 1 (猫【ねこ】): ink within the first character's cell.
  std::map<Rgb, int> first = Colours(image, QRect(0, RowRect(1).top(), 16, RowRect(1).height()));
  EXPECT_GT(first[kBlack], 0);
}

TEST_F(LeftViewPixelTest, AdjustedGaijiAreStretchedToTheListsFontSize) {
  Settings().fontSizeList = 32;
  OpenAndFill();
  QImage image = Grab();
  SaveScreenshot(list, QStringLiteral("hitlist_gaiji_32"));
  const int top = RowRect(0).top() + (RowRect(0).height() - 32) / 2;
  ExpectRing(image, list->Delegate()->HeadingX(), top, kWhite, kBlue, 2);
}

}  // namespace

namespace {

// Screenshots as a user sees the list (antialiased text), for reviewers:
// the demo dictionary alone, then every dictionary at once.
TEST_F(LeftViewTest, ScreenshotsOfTheDemoDictionaryAndOfAllDictionaries) {
  const std::string demo = TOMELING_BINARY_DIR "/data/demo/CATALOGS";
  if (!std::filesystem::exists(demo)) GTEST_SKIP() << "the demo dictionary is not built";
  ASSERT_EQ(session->Books().AddBook(demo), 1);
  session->BooksChanged();
  const int kDemo = 4;
  Settings().bClearType = true;
  Settings().dictNo = kDemo;
  Open(320, 360);
  ASSERT_GT(Fill({kDemo}, u"か"), 5);
  Tap(Qt::Key_Down);
  Tap(Qt::Key_Down);
  EXPECT_EQ(frame.Calls().back(), "ShowHit(2, 0)");
  SaveScreenshot(list, QStringLiteral("hitlist_demo"));

  Settings().bFindAllDict = true;
  SearchDict(*session, kDictGaiji, u"がいじ");
  ASSERT_GT(Fill({kDictAlpha, kDictBeta, kDemo}, u"ね"), 5);
  EXPECT_EQ(list->Row(0)->dict, kDemo);
  content->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  SaveScreenshot(list, QStringLiteral("hitlist_all_dictionaries"));
}

}  // namespace

// On a double-density screen a heading's gaiji comes from the 32-dot font
// when the book has one; on a normal one from the 16-dot font as before.
class LeftViewFineGaijiTest : public LeftViewPixelTest {
 protected:
  bool FineGaiji() override { return true; }
};

TEST_F(LeftViewFineGaijiTest, ARatioTwoListDrawsTheFinerFont) {
  OpenAndFill();
  const int heading = list->Delegate()->HeadingX();
  ExpectRing(Grab(), heading, GaijiTop(0), kWhite, kBlue);

  QImage fine = RenderAt(list->viewport(), 2);
  fine.save(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/dialogs/hitlist_gaiji_ratio2.png"));
  const std::vector<uint8_t> dots = FineRingGlyph();
  int wrong = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      bool on = dots[static_cast<size_t>(y * 4 + x / 8)] & (0x80 >> (x % 8));
      wrong += fine.pixel(2 * heading + x, 2 * GaijiTop(0) + y) != (on ? kWhite : kBlue);
    }
  EXPECT_EQ(wrong, 0) << "device pixels of the gaiji that differ from the 32-dot glyph";
}
