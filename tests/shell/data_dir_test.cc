// Finding the data directory (demo dictionary, help pages) from the
// program's place: installed under a prefix, in the build tree, nowhere.
#include "shell/data_dir.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "shell/app_dir.h"
#include "shell/dict_session.h"

namespace {

TEST(DataDir, InstalledAndBuildTreeLayouts) {
  CTempDir dir;
  // Installed: PREFIX/bin beside PREFIX/share/tomeling.
  dir.Write("usr/share/tomeling/help/Tomeling.htm", "<html></html>");
  dir.Write("usr/bin/marrit", "");
  EXPECT_EQ(FindDataDirectory(dir.File("usr/bin")), dir.File("usr/share/tomeling/"));
  EXPECT_EQ(FindDataDirectory(dir.File("usr/bin") + "/"), dir.File("usr/share/tomeling/"));

  // Build tree: build/apps/NAME/NAME and build/tests/x_tests.
  dir.Write("build/data/demo/CATALOGS", "");
  dir.Write("build/apps/marrit/marrit", "");
  dir.Write("build/tests/x_tests", "");
  EXPECT_EQ(FindDataDirectory(dir.File("build/apps/marrit")), dir.File("build/data/"));
  EXPECT_EQ(FindDataDirectory(dir.File("build/tests")), dir.File("build/data/"));

  // A folder with neither demo/ nor help/ is not a data directory.
  dir.Write("lonely/bin/marrit", "");
  dir.Write("lonely/share/tomeling/README", "");
  EXPECT_EQ(FindDataDirectory(dir.File("lonely/bin")), "");
  EXPECT_EQ(FindDataDirectory(""), "");
}

TEST(DataDir, TheTestsFindTheBuildTreesData) {
  std::string data = DataDirectory();
  ASSERT_FALSE(data.empty());
  EXPECT_TRUE(FileExists(data + "help/Tomeling.htm"));
  EXPECT_TRUE(FileExists(data + "help/Tomeling.en.htm"));
  // The bundled demo dictionary in build/data/demo.
  EXPECT_EQ(DemoBookDirectory(), data + "demo");
  EXPECT_TRUE(FileExists(DemoBookDirectory() + "/CATALOGS"));
}

}  // namespace
