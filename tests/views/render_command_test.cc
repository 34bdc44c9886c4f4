// tomeling render on the demo dictionary: the PNG has the requested width,
// holds the entry's lines and is not blank.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/temp_dir.h"

TEST(RenderCommand, DrawsTheDemoEntry) {
  const std::string tool = std::string(TOMELING_BINARY_DIR) + "/apps/tomeling/tomeling";
  const std::string book = std::string(TOMELING_BINARY_DIR) + "/data/demo";
  if (!std::filesystem::exists(tool) || !std::filesystem::exists(book + "/CATALOGS")) {
    GTEST_SKIP() << "tomeling or the demo dictionary is not built";
  }
  CTempDir temp;
  const std::string dir = temp.Path().string();
  const std::string out = dir + "/entry.png";
  std::string command = "QT_QPA_PLATFORM=offscreen HOME=" + dir + " '" + tool + "' render --book '" + book +
                        "' --word いち --width 300 --font-size 20 --out '" + out + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  QImage image(QString::fromStdString(out));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 300);
  EXPECT_GE(image.height(), 4 * 20);  // several lines of 20 pixels
  QRgb background = image.pixel(image.width() - 1, image.height() - 1);
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += image.pixel(x, y) != background;
  }
  EXPECT_GT(ink, 200);

  // Bad usage and a word that is not there.
  command = "'" + tool + "' render --book '" + book + "' --width 300 --out '" + out + "' >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
  command = "QT_QPA_PLATFORM=offscreen HOME=" + dir + " '" + tool + "' render --book '" + book +
            "' --word zzzzqq --width 300 --out '" + out + "' >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
}
