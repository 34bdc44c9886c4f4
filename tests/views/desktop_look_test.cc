// The content view on today's desktops. On a double-density screen a gaiji
// is drawn from the book's finer font when it has one (its 32-dot glyph
// is striped where the 16-dot one is solid, so the pixels tell which font
// was drawn). With the desktop's colours the page follows the palette, and
// the title, link and search-word colours keep a contrast of 4.5:1 on the
// light and the dark Fusion palettes; with the program's own colours the
// page stays white and the accents are exactly the settings' colours.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <map>
#include <memory>
#include <string>

#include "bookwriter/book_source.h"
#include "bookwriter/book_writer.h"
#include "common/recording_frame.h"
#include "common/temp_dir.h"
#include "layout/readable_colour.h"
#include "common/book_session.h"
#include "shell/dict_session.h"
#include "views/folian_view.h"
#include "widget_test_util.h"

namespace {

enum LookEntry { kGaijiEntry = 0, kColourEntry };

std::string Hex(int bytes, const std::string& pattern) {
  std::string s;
  while (static_cast<int>(s.size()) < bytes * 2) s += pattern;
  return s.substr(0, static_cast<size_t>(bytes) * 2);
}

// Wide gaiji A121 in two sizes: solid at 16 dots, vertical stripes one
// dot wide (ink in the even columns) at 32.
std::string LookBookSource(bool fineFont) {
  std::string s =
      "book epwing\n"
      "subbook LOOK 見た目\n"
      "  index 91 headings\n"
      "  font wide 16 16 A121\n"
      "    glyph " + Hex(32, "FF") + "\n";
  if (fineFont) s += "  font wide 32 32 A121\n    glyph " + Hex(128, "AA") + "\n";
  s +=
      "  entry 外字\n"
      "    body 前{gaiji A121}後\n"
      "  entry 色\n"
      "    body {key}■■■■■■{/key}\n"
      "    body {link 外字}◆◆◆◆◆◆{/link}\n"
      "    body ●●●●●●\n";
  return s;
}

QRgb Rgb(Colour c) { return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF)); }
Colour FromRgb(QRgb c) { return MakeColour(qRed(c), qGreen(c), qBlue(c)); }

class DesktopLookTest : public ::testing::TestWithParam<bool> {
 protected:
  void Open(bool fineFont) {
    EnsureApplication();
    BookSource book;
    WriteOptions options;
    std::string error;
    ASSERT_TRUE(ParseBookSource(LookBookSource(fineFont), &book, &options, &error, m_dir.File("src"))) << error;
    ASSERT_TRUE(WriteBook(book, m_dir.File("book"), options, &m_written, &error)) << error;
    m_session = OpenBookSession(m_dir, m_written.catalogPath);
    ASSERT_NE(m_session, nullptr);
    CSettings& s = m_session->Settings();
    s.fontSize = 16;          // the gaiji's own size: no stretching at ratio 1
    s.bClearType = false;     // glyphs in exactly their colour
    s.bULLink = false;
    m_view = std::make_unique<CFolianView>(*m_session);
    m_view->SetFrame(&m_frame);
    m_view->Model().ApplyFonts();
    m_view->resize(260, 160);
    ShowAndSettle(m_view.get());
  }

  void Show(LookEntry entry) {
    BookPos p = m_written.subbooks[0].text[static_cast<size_t>(entry)];
    ASSERT_TRUE(m_view->ShowEntry(0, p.page, p.offset, true, 0));
    QCoreApplication::processEvents();
  }
  int IndexOf(const std::u16string& text) const {
    size_t at = m_view->Model().Markup().find(text);
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
  }
  // The viewport rectangle of the line holding markup index `i`.
  QRect LineAt(int i) const {
    QPoint p = m_view->PointFromChar(i) - m_view->ScrollPosition();
    return QRect(0, p.y(), m_view->viewport()->width(), m_view->Model().LineMgr().GetFontSize());
  }

  CTempDir m_dir;
  WrittenBook m_written;
  std::unique_ptr<CDictSession> m_session;
  CRecordingFrame m_frame;
  std::unique_ptr<CFolianView> m_view;
};

// Ink pixels (exactly `ink`) of the gaiji cell in even and in odd device
// columns.
std::pair<int, int> InkByColumnParity(const QImage& image, QRect logical, QRgb ink) {
  const double r = image.devicePixelRatio();
  QRect device(QPoint(qRound(logical.left() * r), qRound(logical.top() * r)),
               QSize(qRound(logical.width() * r), qRound(logical.height() * r)));
  device = device.intersected(image.rect());
  std::pair<int, int> count{0, 0};
  for (int y = device.top(); y <= device.bottom(); ++y)
    for (int x = device.left(); x <= device.right(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (ink & 0xFFFFFF)) ++((x - device.left()) % 2 == 0 ? count.first : count.second);
  return count;
}

// The colours of `r` by how many pixels have them, most first.
std::multimap<int, QRgb, std::greater<int>> ColoursByCount(const QImage& image, QRect r) {
  std::map<QRgb, int> count;
  r = r.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) ++count[image.pixel(x, y) & 0xFFFFFF];
  std::multimap<int, QRgb, std::greater<int>> byCount;
  for (auto [c, n] : count) byCount.emplace(n, c);
  return byCount;
}

}  // namespace

TEST_P(DesktopLookTest, AGaijiAtRatioTwoComesFromTheFinerFontWhenTheBookHasOne) {
  const bool fineFont = GetParam();
  Open(fineFont);
  m_session->Settings().bUseSystemColor = false;
  m_view->Model().ApplyFonts();
  Show(kGaijiEntry);
  const int at = IndexOf(u"&zA121;");
  ASSERT_GT(at, 0);
  QPoint p = m_view->PointFromChar(at) - m_view->ScrollPosition();
  const QRect cell(p.x(), LineAt(at).top(), 16, m_view->Model().LineMgr().GetFontSize() + 4);
  const QRgb black = qRgb(0, 0, 0);

  auto [even1, odd1] = InkByColumnParity(RenderAt(m_view->viewport(), 1), cell, black);
  // 8 columns of each parity, 16 dots high.
  EXPECT_EQ(even1, 8 * 16) << "ratio 1: the 16-dot glyph, solid";
  EXPECT_EQ(odd1, 8 * 16);

  QImage fine = RenderAt(m_view->viewport(), 2);
  fine.save(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/dialogs/gaiji_ratio2_%1.png")
                .arg(fineFont ? QStringLiteral("32dot") : QStringLiteral("16dot")));
  auto [even2, odd2] = InkByColumnParity(fine, cell, black);
  // 16 device columns of each parity, 32 high.
  if (fineFont) {
    // Stripes one device pixel wide: only the 32-dot glyph has them.
    EXPECT_EQ(even2, 16 * 32) << "the 32-dot glyph's ink columns";
    EXPECT_EQ(odd2, 0) << "the 32-dot glyph's paper columns";
  } else {
    // The 16-dot glyph, each dot a 2 x 2 square.
    EXPECT_EQ(even2, 16 * 32);
    EXPECT_EQ(odd2, 16 * 32);
  }
}

INSTANTIATE_TEST_SUITE_P(FineFont, DesktopLookTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("With32DotFont") : std::string("Only16DotFont");
                         });

class DesktopColoursTest : public DesktopLookTest {};

TEST_F(DesktopColoursTest, TitleLinkAndSearchWordReadOnLightAndDarkFusionPalettes) {
  Open(false);
  m_session->Settings().bUseSystemColor = true;
  m_view->Model().ApplyFonts();
  m_frame.searchBoxText = u"●";
  for (bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark" : "light");
    const QPalette palette = FusionPalette(dark);
    m_view->setPalette(palette);
    Show(kColourEntry);
    QImage image = RenderAt(m_view->viewport(), 1);
    image.save(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/dialogs/content_colours_%1.png")
                   .arg(dark ? QStringLiteral("dark") : QStringLiteral("light")));
    const QRgb base = palette.color(QPalette::Base).rgb() & 0xFFFFFF;
    for (const char16_t* what : {u"■", u"◆", u"●"}) {
      const int at = IndexOf(what);
      ASSERT_GE(at, 0);
      auto colours = ColoursByCount(image, LineAt(at));
      ASSERT_GE(colours.size(), 2u);
      auto it = colours.begin();
      EXPECT_EQ(it->second, base) << "the page is the palette's base";
      const QRgb ink = (++it)->second;
      EXPECT_GE(ContrastRatio(FromRgb(ink), FromRgb(base)), kReadableContrast)
          << QString::fromStdU16String(what).toStdString() << " drawn in " << std::hex << ink;
    }
  }
}

TEST_F(DesktopColoursTest, OwnColoursHoldWhateverThePalette) {
  Open(false);
  m_session->Settings().bUseSystemColor = false;
  m_view->Model().ApplyFonts();
  m_frame.searchBoxText = u"●";
  m_view->setPalette(FusionPalette(true));
  Show(kColourEntry);
  QImage image = RenderAt(m_view->viewport(), 1);
  const std::pair<const char16_t*, Colour> expected[] = {
      {u"■", MakeColour(0, 0, 255)}, {u"◆", MakeColour(0, 128, 0)}, {u"●", MakeColour(255, 0, 0)}};
  for (auto [what, colour] : expected) {
    auto colours = ColoursByCount(image, LineAt(IndexOf(what)));
    ASSERT_GE(colours.size(), 2u);
    auto it = colours.begin();
    EXPECT_EQ(it->second, qRgb(255, 255, 255) & 0xFFFFFF);
    EXPECT_EQ((++it)->second, Rgb(colour) & 0xFFFFFF) << QString::fromStdU16String(what).toStdString();
  }
}
