// The tool buttons' images: small or large by iconSize and the screen,
// the project's own images at both sizes and for high-density screens, and
// "ToolBar.bmp" cut into four cells -- with damaged, odd and hostile files
// keeping the usual images. A screenshot of the tool bars is kept.
#include "views/tool_icons.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QToolBar>
#include <QtEndian>
#include <QVBoxLayout>
#include <filesystem>

#include "common/temp_dir.h"
#include "widget_test_util.h"

namespace {

const QColor kCellColours[kToolButtonCount] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// A BMP of four coloured cells, `width` by `height`, as Windows Paint saves one.
QByteArray CellBitmap(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(Qt::white);
  int cell = width / kToolButtonCount;
  QPainter painter(&image);
  for (int i = 0; i < kToolButtonCount; ++i) painter.fillRect(i * cell, 0, cell, height, kCellColours[i]);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "BMP"));
  return bytes;
}

std::string Write(const CTempDir& dir, const char* name, const QByteArray& bytes) {
  return dir.Write(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

QImage IconImage(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

class ToolIconsTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }
};

TEST_F(ToolIconsTest, SmallOrLarge) {
  struct Case {
    int iconSize, devicePixels;
    bool large;
  };
  for (const Case& c : {Case{0, 64, false}, Case{1, 8, true}, Case{-1, 29, false}, Case{-1, 30, true},
                        Case{2, 16, false}, Case{2, 32, true}})
    EXPECT_EQ(UseLargeToolIcons(c.iconSize, c.devicePixels), c.large) << c.iconSize << " " << c.devicePixels;
  QWidget widget;
  int metric = widget.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &widget);
  EXPECT_EQ(SmallIconDevicePixels(&widget), qRound(metric * widget.devicePixelRatioF()));
  EXPECT_EQ(ToolIconSize(false), QSize(16, 16));
  EXPECT_EQ(ToolIconSize(true), QSize(32, 32));
}

TEST_F(ToolIconsTest, OwnImagesAtBothSizesAndForDenseScreens) {
  for (bool large : {false, true}) {
    int size = large ? 32 : 16;
    ToolIcons icons = OwnToolIcons(large);
    for (int i = 0; i < kToolButtonCount; ++i) {
      ASSERT_FALSE(icons[i].isNull()) << i;
      QList<QSize> sizes = icons[i].availableSizes();
      EXPECT_TRUE(sizes.contains(QSize(size, size))) << i;
      EXPECT_TRUE(sizes.contains(QSize(2 * size, 2 * size))) << i;
      QImage image = IconImage(icons[i], size);
      EXPECT_GT(image.pixelColor(size / 2, size / 2).alpha(), 0) << i << ": drawn in the middle";
    }
    // Back and forward point different ways.
    EXPECT_NE(IconImage(icons[kToolBack], size), IconImage(icons[kToolForward], size));
    ToolIcons defaults = DefaultToolIcons(large);
    for (const QIcon& icon : defaults) EXPECT_FALSE(icon.isNull());
  }
}

TEST_F(ToolIconsTest, ToolBarBitmapIsCutIntoFourCells) {
  CTempDir dir;
  for (int width : {60, 128, 63}) {  // 15-pixel cells, 32-pixel cells, three columns left over
    std::string path = Write(dir, "ToolBar.bmp", CellBitmap(width, 15));
    std::optional<ToolIcons> icons = LoadToolBarBitmap(QString::fromStdString(path));
    ASSERT_TRUE(icons.has_value()) << width;
    int cell = width / 4;
    for (int i = 0; i < kToolButtonCount; ++i) {
      EXPECT_EQ((*icons)[i].availableSizes(), QList<QSize>{QSize(cell, 15)}) << width;
      QImage image = IconImage((*icons)[i], cell);
      EXPECT_EQ(image.pixelColor(0, 0), kCellColours[i]) << width << " cell " << i;
      EXPECT_EQ(image.pixelColor(cell - 1, 14), kCellColours[i]) << width << " cell " << i;
    }
    ToolIcons chosen = ToolButtonIcons(false, QString::fromStdString(path));
    EXPECT_EQ(IconImage(chosen[kToolFullScreen], cell).pixelColor(1, 1), kCellColours[kToolFullScreen]);
  }
}

TEST_F(ToolIconsTest, UnusableBitmapsKeepTheUsualImages) {
  CTempDir dir;
  QByteArray good = CellBitmap(60, 15);
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(60, 15, QImage::Format_RGB32).save(&buffer, "PNG");
  }
  // A header that claims a bitmap of 100,000 by 100,000 pixels.
  QByteArray huge = good.left(54);
  qToLittleEndian<qint32>(100000, huge.data() + 18);
  qToLittleEndian<qint32>(100000, huge.data() + 22);
  QByteArray negativeWidth = good;
  qToLittleEndian<qint32>(-60, negativeWidth.data() + 18);
  QByteArray zeroHeight = good;
  qToLittleEndian<qint32>(0, zeroHeight.data() + 22);
  QByteArray badOffset = good;
  qToLittleEndian<quint32>(0x7FFFFFF0u, badOffset.data() + 10);
  QByteArray noise("BM");
  for (int i = 0; i < 500; ++i) noise.append(char((i * 7919) & 0xFF));
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"empty", QByteArray()},
      {"png-named-bmp", png},
      {"header-only", good.left(30)},
      {"pixels-cut-off", good.left(good.size() / 2)},
      {"huge", huge},
      {"negative-width", negativeWidth},
      {"zero-height", zeroHeight},
      {"bad-offset", badOffset},
      {"three-wide", CellBitmap(3, 15)},
      {"too-wide", CellBitmap(2000, 16)},
      {"noise", noise},
  };
  ToolIcons defaults = DefaultToolIcons(true);
  for (const Case& c : cases) {
    std::string path = Write(dir, c.name, c.bytes);
    std::optional<ToolIcons> icons = LoadToolBarBitmap(QString::fromStdString(path));
    // A bitmap cut short may still decode in part; it must not crash and,
    // if taken, gives four cells.
    if (std::string_view(c.name) == "pixels-cut-off") {
      if (icons) {
        EXPECT_FALSE((*icons)[3].isNull());
      }
      continue;
    }
    EXPECT_FALSE(icons.has_value()) << c.name;
    ToolIcons chosen = ToolButtonIcons(true, QString::fromStdString(path));
    EXPECT_EQ(IconImage(chosen[kToolBack], 32), IconImage(defaults[kToolBack], 32)) << c.name;
  }
  // Missing, a folder, a FIFO (which must not hang the start).
  EXPECT_FALSE(LoadToolBarBitmap(QString::fromStdString(dir.File("missing.bmp"))));
  std::filesystem::create_directories(dir.File("folder.bmp"));
  EXPECT_FALSE(LoadToolBarBitmap(QString::fromStdString(dir.File("folder.bmp"))));
  ASSERT_EQ(mkfifo(dir.File("fifo.bmp").c_str(), 0600), 0);
  EXPECT_FALSE(LoadToolBarBitmap(QString::fromStdString(dir.File("fifo.bmp"))));
  EXPECT_FALSE(ToolButtonIcons(false, QString())[kToolBack].isNull());  // no path: the usual images
}

TEST_F(ToolIconsTest, Screenshot) {
  CTempDir dir;
  std::string bmp = Write(dir, "ToolBar.bmp", CellBitmap(60, 15));
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto addBar = [&](const ToolIcons& icons, QSize size) {
    auto* bar = new QToolBar(&window);
    bar->setIconSize(size);
    for (const QIcon& icon : icons) bar->addAction(icon, QString());
    layout->addWidget(bar);
  };
  addBar(OwnToolIcons(false), ToolIconSize(false));
  addBar(OwnToolIcons(true), ToolIconSize(true));
  addBar(*LoadToolBarBitmap(QString::fromStdString(bmp)), ToolIconSize(false));
  ShowAndSettle(&window);
  SaveScreenshot(&window, "tool_buttons");
  window.setStyleSheet("background: #2b2b2b;");
  ShowAndSettle(&window);
  SaveScreenshot(&window, "tool_buttons_dark");
}

}  // namespace
