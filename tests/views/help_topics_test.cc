// The help page chosen for a language, its URL with the contents anchor,
// and the fallbacks when a page or the whole data directory is missing.
#include "views/help_topics.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "common/temp_dir.h"
#include "shell/data_dir.h"

namespace {

TEST(HelpTopics, PageByLanguage) {
  for (const char* ja : {"ja", "ja_JP", "ja-JP"}) EXPECT_EQ(HelpPageName(ja), "Tomeling.htm") << ja;
  for (const char* other : {"en", "en_GB", "de_DE", "", "C", "jav", "jp"})
    EXPECT_EQ(HelpPageName(other), "Tomeling.en.htm") << other;
}

TEST(HelpTopics, UrlOfTheInstalledPages) {
  // The build tree's data directory holds both pages, as an installed one does.
  QUrl ja = HelpTopicUrl("ja_JP");
  ASSERT_TRUE(ja.isLocalFile()) << ja.toString().toStdString();
  EXPECT_EQ(ja.fragment(), "Main_Contents");
  EXPECT_EQ(QFileInfo(ja.toLocalFile()).fileName(), "Tomeling.htm");
  EXPECT_TRUE(QFileInfo(ja.toLocalFile()).isFile());
  EXPECT_EQ(ja.toLocalFile(), QFileInfo(QString::fromStdString(DataDirectory() + "help/Tomeling.htm")).absoluteFilePath());
  QUrl en = HelpTopicUrl("en_US");
  EXPECT_EQ(QFileInfo(en.toLocalFile()).fileName(), "Tomeling.en.htm");
  EXPECT_TRUE(en.toString().startsWith("file:///"));
  EXPECT_TRUE(en.toString().endsWith("/help/Tomeling.en.htm#Main_Contents"));
}

TEST(HelpTopics, MissingPages) {
  CTempDir dir;
  QString data = QString::fromStdString(dir.Path().string());
  EXPECT_TRUE(HelpTopicUrl("en", data).isEmpty());  // no help folder at all
  dir.Write("help/Tomeling.htm", "<h1 id=\"Main_Contents\"></h1>");
  // Only the Japanese page: it serves English readers too.
  EXPECT_EQ(QFileInfo(HelpTopicUrl("en", data).toLocalFile()).fileName(), "Tomeling.htm");
  // A folder where the English page should be is no page.
  std::filesystem::create_directories(dir.File("help/Tomeling.en.htm"));
  EXPECT_EQ(QFileInfo(HelpTopicUrl("en", data).toLocalFile()).fileName(), "Tomeling.htm");
}

}  // namespace
