// Looking up book files whatever their case, ISO 9660 suffix or storage.
#include "catalog/path_resolve.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"

namespace {

TEST(PathResolve, NamesMatchWithoutCaseAndIsoSuffixes) {
  EXPECT_TRUE(BookNameMatches("catalogs", "CATALOGS"));
  EXPECT_TRUE(BookNameMatches("CATALOGS;1", "CATALOGS"));
  EXPECT_TRUE(BookNameMatches("CATALOGS.", "CATALOGS"));
  EXPECT_TRUE(BookNameMatches("CATALOGS.;1", "CATALOGS"));
  EXPECT_TRUE(BookNameMatches("Honmon2.EBZ;1", "HONMON2.ebz"));
  EXPECT_FALSE(BookNameMatches("CATALOG", "CATALOGS"));
  EXPECT_FALSE(BookNameMatches("CATALOGS;x", "CATALOGS"));
  EXPECT_FALSE(BookNameMatches("CATALOGS.ebz", "CATALOGS"));
}

TEST(PathResolve, FindsFilesPlainFirstThenCompressed) {
  CTempDir dir;
  dir.Write("Data/Honmon2.EBZ;1", "z");
  dir.Write("data/x", "x");  // a second spelling of the directory
  dir.Write("START", "plain");
  dir.Write("START.ebz", "zipped");
  EXPECT_EQ(FindBookFile(dir.Path().string(), "DATA/HONMON2"), dir.File("Data/Honmon2.EBZ;1"));
  EXPECT_EQ(ResolveBookPath(dir.Path().string(), "data/honmon2.ebz"), dir.File("Data/Honmon2.EBZ;1"));
  EXPECT_EQ(ResolveBookPath(dir.Path().string(), "DATA/X"), dir.File("data/x"));
  EXPECT_EQ(FindBookFile(dir.Path().string(), "START"), dir.File("START"));
  EXPECT_EQ(FindBookFile(dir.Path().string(), "DATA/HONMON"), "");
  // A directory is no file, and a file no directory.
  EXPECT_EQ(ResolveBookPath(dir.Path().string(), "DATA"), "");
  EXPECT_EQ(ResolveBookPath(dir.Path().string(), "start", true), "");
  EXPECT_NE(ResolveBookPath(dir.Path().string(), "data", true), "");
  // Names from book data cannot leave the book.
  EXPECT_EQ(ResolveBookPath(dir.File("Data"), "../START"), "");
  EXPECT_EQ(ResolveBookPath(dir.File("Data"), "..", true), "");
  EXPECT_EQ(JoinPath("a/", "b"), "a/b");
  EXPECT_EQ(JoinPath("a", "b"), "a/b");
}

}  // namespace
