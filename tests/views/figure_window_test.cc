// The figure window: its caption, scroll bars for a figure larger than the
// window, stretching to the window's width, the arrow keys on release, the
// ink and paper of monochrome figures, and the modal run of OpenFigure.
// Screenshots of the demo dictionary's pictures go to
// build/artefacts/dialogs/figure_*.png.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include "common/map_books.h"
#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "reader/subbook_media.h"
#include "views/figure_window.h"
#include "views/image_view.h"
#include "widget_test_util.h"

namespace {

// Blue on the left half, red on the right.
QImage Halves(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::blue);
  for (int y = 0; y < h; ++y)
    for (int x = w / 2; x < w; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  return image;
}

void Release(QWidget* w, int key, bool autoRepeat = false) {
  QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(w, &event);
}

class FigureWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_F(FigureWindowTest, CaptionAndAWindowAsLargeAsTheFigure) {
  CFigureWindow w(Halves(300, 200), 0, 0, false);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("(W)300x(H)200"));
  EXPECT_TRUE(w.isModal());
  ShowAndSettle(&w);
  EXPECT_EQ(w.View()->viewport()->size(), QSize(300, 200));
  EXPECT_FALSE(w.View()->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(w.View()->verticalScrollBar()->isVisible());
  // The caption names the size the caller gives.
  CFigureWindow named(Halves(300, 200), 310, 210, false);
  EXPECT_EQ(named.windowTitle(), QStringLiteral("(W)310x(H)210"));
}

TEST_F(FigureWindowTest, ALargerFigureScrollsByArrowKeysOnRelease) {
  CFigureWindow w(Halves(300, 200), 0, 0, false);
  ShowAndSettle(&w);
  w.resize(200, 150);
  ShowAndSettle(&w);
  CImageView* view = w.View();
  QScrollBar* h = view->horizontalScrollBar();
  QScrollBar* v = view->verticalScrollBar();
  EXPECT_TRUE(h->isVisible());
  EXPECT_TRUE(v->isVisible());
  EXPECT_EQ(h->maximum(), 300 - view->viewport()->width());
  EXPECT_EQ(v->maximum(), 200 - view->viewport()->height());

  QTest::keyPress(view, Qt::Key_Right);  // a press alone does nothing
  EXPECT_EQ(h->value(), 0);
  Release(view, Qt::Key_Right);
  EXPECT_EQ(h->value(), 32);
  Release(view, Qt::Key_Right, true);  // auto-repeated: ignored
  EXPECT_EQ(h->value(), 32);
  for (int i = 0; i < 10; ++i) Release(view, Qt::Key_Right);
  EXPECT_EQ(h->value(), h->maximum());  // the last step was shorter
  Release(view, Qt::Key_Left);
  EXPECT_EQ(h->value(), h->maximum() - 32);
  Release(view, Qt::Key_Down);
  Release(view, Qt::Key_Down);
  EXPECT_EQ(v->value(), 64);
  Release(view, Qt::Key_Up);
  EXPECT_EQ(v->value(), 32);
  EXPECT_EQ(view->ScrollPosition(), QPoint(h->maximum() - 32, 32));
  // The picture moves with the scroll bars: its red half begins at
  // x 150 of the picture, 150 - scroll x in the window.
  for (int i = 0; i < 3; ++i) Release(view, Qt::Key_Right);
  QImage shown = view->viewport()->grab().toImage();
  int edge = 150 - h->value();
  ASSERT_GT(edge, 0);
  EXPECT_EQ(shown.pixel(edge, 5), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(edge - 1, 5), qRgb(0, 0, 255));
  SaveScreenshot(&w, QStringLiteral("figure_scrolled"));
}

TEST_F(FigureWindowTest, StretchingFitsTheFigureToTheWindowWidth) {
  CFigureWindow w(Halves(300, 200), 0, 0, true);
  ShowAndSettle(&w);
  EXPECT_EQ(w.View()->DrawnSize(), QSize(300, 200));  // it fits: drawn as it is
  w.resize(150, 300);
  ShowAndSettle(&w);
  CImageView* view = w.View();
  int client = view->viewport()->width();
  ASSERT_LT(client, 300);
  double ratio = static_cast<double>(client) / 300;
  EXPECT_EQ(view->DrawnSize(), QSize(static_cast<int>(300 * ratio), static_cast<int>(200 * ratio)));
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  QImage shown = view->viewport()->grab().toImage();
  EXPECT_EQ(shown.pixel(client - 2, 10), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(1, 10), qRgb(0, 0, 255));
  SaveScreenshot(&w, QStringLiteral("figure_stretched"));

  view->SetStretch(false);
  EXPECT_EQ(view->DrawnSize(), QSize(300, 200));
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 300 - view->viewport()->width());
}

TEST_F(FigureWindowTest, MonochromeFiguresAreBlackInkOnWhitePaper) {
  CBitmapImage bitmap;
  ASSERT_TRUE(bitmap.Allocate(16, 2, 1, false));  // zero bits: ink
  bitmap.ScanLine(1)[0] = 0xFF;                    // left half of row 1: paper
  QImage image = BookImageToQImage(bitmap);
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(8, 1), qRgb(0, 0, 0));
}

TEST_F(FigureWindowTest, OpenFigureRunsModallyAndRefusesNothing) {
  EXPECT_FALSE(OpenFigure(QImage(), 10, 10, false));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  QString title;
  WhenModalShows([&title](QWidget* modal) {
    title = modal->windowTitle();
    modal->close();
  });
  EXPECT_TRUE(OpenFigure(Halves(20, 10), 20, 10, false));
  EXPECT_EQ(title, QStringLiteral("(W)20x(H)10"));
}

TEST_F(FigureWindowTest, TheDemoDictionarysPictures) {
  CMapBook book;
  ASSERT_TRUE(book.Write(kEpwingMapSource)) << book.Error();
  std::unique_ptr<CSubbookMedia> media = book.Session().Media(0);
  for (size_t entry : {1, 2, 3}) {
    ImageTag tag;
    ASSERT_TRUE(FindImageTag(book.MapText(entry), &tag)) << entry;
    CBitmapImage image;
    ASSERT_TRUE(LoadTagImage(media->Book(), tag, &image)) << entry;
    // The monochrome strip 1,024 pixels wide opens here, stretched.
    CFigureWindow w(BookImageToQImage(image), image.Width(), image.Height(), entry == 3);
    ShowAndSettle(&w);
    EXPECT_EQ(w.windowTitle(), ImageCaption(image.Width(), image.Height()));
    SaveScreenshot(&w, QStringLiteral("figure_%1").arg(entry == 1 ? "neko" : entry == 2 ? "sakura" : "wide"));
  }
}

}  // namespace
