// The colour-name table of "color.dat".
#include <gtest/gtest.h>

#include <string>

#include "common/temp_dir.h"
#include "shell/colour_names.h"

TEST(ColourNames, ParsesLinesOfFourFieldsAndLooksUpTheFirstMatch) {
  CColourNames names;
  names.Parse(
      "akane,183,40,46\r\n"
      "# comment lines have fewer fields\n"
      "short,1,2\n"
      "bad,x,2,3\n"
      "akane,1,1,1\n"
      ",,sora,,100,,200,,250\n"
      "averyveryverylongcolourname,9,8,7\n");
  int32_t r = 0, g = 0, b = 0;
  ASSERT_TRUE(names.LookUpColor("akane", &r, &g, &b));
  EXPECT_EQ(r, 183);
  EXPECT_EQ(g, 40);
  EXPECT_EQ(b, 46);
  // Empty fields between commas do not count.
  ASSERT_TRUE(names.LookUpColor("sora", &r, &g, &b));
  EXPECT_EQ(b, 250);
  // Names are cut to 23 bytes.
  EXPECT_TRUE(names.LookUpColor("averyveryverylongcolour", &r, &g, &b));
  EXPECT_FALSE(names.LookUpColor("averyveryverylongcolourname", &r, &g, &b));
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  EXPECT_EQ(b, 255);
  EXPECT_FALSE(names.LookUpColor("short", &r, &g, &b));
  EXPECT_EQ(names.Entries().size(), 4u);
}

TEST(ColourNames, KeepsAtMost512EntriesAndEmptiesOnReload) {
  std::string text;
  for (int i = 0; i < 600; ++i) text += "c" + std::to_string(i) + "," + std::to_string(i % 256) + ",0,0\n";
  CTempDir dir;
  std::string path = dir.Write("color.dat", text);
  CColourNames names;
  ASSERT_TRUE(names.LoadColorTable(path));
  EXPECT_EQ(names.Entries().size(), 512u);
  int32_t r, g, b;
  EXPECT_TRUE(names.LookUpColor("c511", &r, &g, &b));
  EXPECT_FALSE(names.LookUpColor("c512", &r, &g, &b));
  // A missing file leaves the table empty, not as it was.
  EXPECT_FALSE(names.LoadColorTable(dir.File("missing.dat")));
  EXPECT_TRUE(names.Entries().empty());
}

TEST(ColourNames, LongLinesAreCutNotSplit) {
  // The rest of a line beyond 254 bytes must not turn into an entry.
  std::string line = "long,1,2,3" + std::string(300, ' ') + "tail,4,5,6\nnext,7,8,9\n";
  CColourNames names;
  names.Parse(line);
  int32_t r, g, b;
  EXPECT_TRUE(names.LookUpColor("long", &r, &g, &b));
  EXPECT_FALSE(names.LookUpColor("tail", &r, &g, &b));
  EXPECT_TRUE(names.LookUpColor("next", &r, &g, &b));
}
