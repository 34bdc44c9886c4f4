// tomeling render on the demo dictionary: the PNG has the requested width,
// holds the entry's lines and is not blank; and on a book of its own, read
// through the record "profile.ini" has for it in the --home directory.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/run_command.h"
#include "common/temp_dir.h"
#include "shell/shell_books.h"

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

namespace {

// Renders the entry of いぬ with `home` as the application directory; the
// summary and the markup go to `*out`.
int RenderDog(const CTempDir& temp, const std::string& home, const std::string& png, std::string* out) {
  std::string command = "QT_QPA_PLATFORM=offscreen HOME='" + temp.Path().string() + "' '" + kTomeling +
                        "' render --home '" + home + "' --book '" + temp.File("book") +
                        "' --word いぬ --width 240 --font-size 16 --print-markup --out '" + png + "' 2>/dev/null";
  return RunCommand(command, out);
}

}  // namespace

TEST(RenderCommand, ReadsTheBookThroughItsProfileRecord) {
  CTempDir temp;
  SubbookSource animals = AnimalSubbook("ALPHA", AnimalWords());
  for (BookEntry& e : animals.entries) e.body.push_back("記号：{gaiji B021}");
  ASSERT_FALSE(WriteShellBook(temp.File("book"), {animals}).empty());
  temp.Write("plain/profile.ini", "[x]\nDICT=OTHER\nEBXAC=1\n");
  temp.Write("home/GAIJI/ANIMAL.MAP", "zB021\tu25CE\n");
  temp.Write("home/profile.ini", "[x]\nDICT=ALPHA\nGAIJIMAP=ANIMAL.MAP\nEBXAC=1\nHANKAKU=1\n");

  std::string plain, configured;
  ASSERT_EQ(RenderDog(temp, temp.File("plain"), temp.File("plain.png"), &plain), 0);
  ASSERT_EQ(RenderDog(temp, temp.File("home"), temp.File("home.png"), &configured), 0);
  // The record of another dictionary changes nothing.
  EXPECT_NE(plain.find(", face 0\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("記号：&zB021;"), std::string::npos) << plain;
  EXPECT_NE(plain.find("英語：ｄｏｇ"), std::string::npos) << plain;
  // ALPHA's own: the EBXA-C face, the gaiji through its map, half width.
  EXPECT_NE(configured.find(", face 2\n"), std::string::npos) << configured;
  EXPECT_NE(configured.find("記号:◎"), std::string::npos) << configured;
  EXPECT_NE(configured.find("英語:dog"), std::string::npos) << configured;
  EXPECT_EQ(configured.find("&zB021;"), std::string::npos) << configured;
  EXPECT_NE(ReadWholeFile(temp.File("plain.png")), ReadWholeFile(temp.File("home.png")));
}
