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

namespace {

int CountPixels(const QImage& image, bool (*pick)(QRgb)) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += pick(image.pixel(x, y));
  }
  return n;
}

bool IsRed(QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }

}  // namespace

// The demo's entry for 猫 has everything a reader sees in an entry: links,
// an external character, an inline image, a figure; 猫 is highlighted.
TEST(RenderCommand, DrawsTheDemoEntry) {
  const std::string tool = std::string(TOMELING_BINARY_DIR) + "/apps/tomeling/tomeling";
  const std::string book = std::string(TOMELING_BINARY_DIR) + "/data/demo";
  if (!std::filesystem::exists(tool) || !std::filesystem::exists(book + "/CATALOGS")) {
    GTEST_SKIP() << "tomeling or the demo dictionary is not built";
  }
  CTempDir temp;
  const std::string dir = temp.Path().string();
  const std::string prefix = "QT_QPA_PLATFORM=offscreen HOME='" + dir + "' XDG_CONFIG_HOME='" + dir + "/xdg' '" + tool + "' render --home '" + dir +
                             "' --book '" + book + "' --width 360 --font-size 20 ";
  std::string markup;
  ASSERT_EQ(RunCommand(prefix + "--word ねこ --highlight 猫 --print-markup --out '" + dir + "/lit.png' 2>/dev/null",
                       &markup),
            0);
  for (const char* part : {"<INL></INL[", "<FIG>猫の顔</FIG[", "<LINK>犬</LINK[", "&zA123;"})
    EXPECT_NE(markup.find(part), std::string::npos) << part << " in\n" << markup;

  QImage lit(QString::fromStdString(dir + "/lit.png"));
  ASSERT_FALSE(lit.isNull());
  EXPECT_EQ(lit.width(), 360);
  EXPECT_GE(lit.height(), 7 * 20);  // seven lines of text, the figure besides
  EXPECT_GT(CountPixels(lit, [](QRgb p) { return qGray(p) < 128; }), 200);
  // Only the highlighted word is drawn in red.
  std::string ignored;
  ASSERT_EQ(RunCommand(prefix + "--word ねこ --out '" + dir + "/plain.png' 2>/dev/null", &ignored), 0);
  QImage plain(QString::fromStdString(dir + "/plain.png"));
  EXPECT_GT(CountPixels(lit, IsRed), 20);
  // The program's own red, whatever the desktop's theme.
  EXPECT_GT(CountPixels(lit, [](QRgb p) { return (p & 0xFFFFFF) == 0xFF0000; }), 0);
  EXPECT_EQ(CountPixels(plain, IsRed), 0);

  // Bad usage and a word that is not there.
  EXPECT_EQ(RunCommand("'" + tool + "' render --book '" + book + "' --width 300 --out '" + dir + "/x.png' 2>/dev/null",
                       &ignored),
            2);
  EXPECT_EQ(RunCommand(prefix + "--word zzzzqq --out '" + dir + "/x.png' 2>/dev/null", &ignored), 1);
}

namespace {

// Renders the entry of いぬ with `home` as the application directory; the
// summary and the markup go to `*out`.
int RenderDog(const CTempDir& temp, const std::string& home, const std::string& png, std::string* out) {
  std::string command = "QT_QPA_PLATFORM=offscreen HOME='" + temp.Path().string() + "' XDG_CONFIG_HOME='" +
                        temp.Path().string() + "/xdg' '" + kTomeling +
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

// --out - is standard output: the PNG alone, the summary beside it on stderr.
TEST(RenderCommand, WritesToStandardOutput) {
  CTempDir temp;
  ASSERT_FALSE(WriteShellBook(temp.File("book"), {AnimalSubbook("ALPHA", AnimalWords())}).empty());
  std::string png;
  ASSERT_EQ(RenderDog(temp, temp.File("home"), "-", &png), 0);
  QImage image;
  ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG"));
  EXPECT_EQ(image.width(), 240);
  EXPECT_EQ(png.find(", face "), std::string::npos);
}
