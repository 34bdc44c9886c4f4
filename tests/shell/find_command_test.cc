// `tomeling find`: the search cycle from the command line -- books, groups,
// the application directory's profile.ini, status text on stderr, exit
// statuses. Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "catalog/book_list.h"
#include "common/run_command.h"
#include "common/temp_dir.h"
#include "shell_books.h"

namespace {


struct CommandRun {
  int status = -1;
  std::string out, err;
};

// Runs `tomeling find ARGS` with `home` as the application directory and
// its own profile store.
CommandRun Find(const CTempDir& dir, const std::string& args) {
  std::string errFile = dir.File("stderr.txt");
  std::string command = "TOMELING_HOME='" + dir.File("home") + "' XDG_CONFIG_HOME='" + dir.File("xdg") + "' " +
                        kTomeling + " find " + args + " 2>'" + errFile + "'";
  CommandRun run;
  run.status = RunCommand(command, &run.out);
  std::vector<uint8_t> err = ReadWholeFile(errFile);
  run.err.assign(err.begin(), err.end());
  return run;
}

}  // namespace

TEST(FindCommand, SearchesBooksGroupsAndHonoursProfileIni) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  CTempDir dir;
  std::string catalog = WriteShellBook(dir.File("shelf/book"), {AnimalSubbook("ALPHA", AnimalWords()),
                                                                 AnimalSubbook("BETA", AnimalWords())});
  ASSERT_FALSE(catalog.empty());
  std::string shelf = "--book '" + dir.File("shelf") + "' ";

  CommandRun r = Find(dir, shelf + "ねこ");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "猫【ねこ】\n");
  EXPECT_EQ(r.err, "1 件\n");
  r = Find(dir, shelf + "--all --romaji 'ne*'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "[動物] 猫【ねこ】\n[動物] 鼠【ねずみ】\n[動物] 猫【ねこ】\n[動物] 鼠【ねずみ】\n");
  r = Find(dir, shelf + "--dict 1 --show --trim-punctuation 'dog!'");
  EXPECT_EQ(r.out, "犬【いぬ】\n英語：ｄｏｇ\n\n");
  r = Find(dir, shelf + "zebra");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "候補が見つかりません\n");
  EXPECT_EQ(Find(dir, shelf + "--dict 5 ねこ").status, 2);
  EXPECT_EQ(Find(dir, shelf + "--method nonsense ねこ").status, 2);
  EXPECT_EQ(Find(dir, shelf).status, 2);

  // profile.ini of the application directory reaches the named dictionary.
  dir.Write("home/profile.ini", "[x]\nDICT=ALPHA\nEBG=1\n");
  r = Find(dir, shelf + "--all ねこ");
  EXPECT_EQ(r.out, "[動物] 猫【ねこ】\n");
  std::filesystem::remove(dir.File("home/profile.ini"));

  // A group file lists the dictionaries, in its order.
  CBookList list;
  ASSERT_EQ(list.AddBook(catalog), 2);
  ASSERT_TRUE(list.MoveEntry(0, 1));
  ASSERT_EQ(list.SaveList(dir.File("zoo.grp")), 1);
  r = Find(dir, "--group '" + dir.File("zoo.grp") + "' --all --method keyword 動物");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "8 件\n");
  EXPECT_EQ(Find(dir, "--group '" + dir.File("none.grp") + "' ねこ").status, 1);
}

TEST(FindCommand, FallsBackToTheDemoDictionary) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  if (!std::filesystem::exists(std::string(TOMELING_BINARY_DIR) + "/data/demo/CATALOGS"))
    GTEST_SKIP() << "demo dictionary not built";
  CTempDir dir;
  CommandRun r = Find(dir, "--romaji sakura");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "桜【さくら】\n");
}

// The demo's paw print is a gaiji of its own font: "__" as copied text,
// until DEMO.MAP sits in the GAIJI folder -- named after the dictionary's
// directory, it needs no profile.ini record. search and show read it too.
TEST(FindCommand, ResolvesGaijiThroughAMapNamedAfterTheDictionary) {
  const std::string demo = std::string(TOMELING_BINARY_DIR) + "/data/demo";
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  if (!std::filesystem::exists(demo + "/CATALOGS")) GTEST_SKIP() << "demo dictionary not built";
  CTempDir dir;
  EXPECT_NE(Find(dir, "--show ねこ").out.find("足跡：__（肉球）"), std::string::npos);

  std::vector<uint8_t> map = ReadWholeFile(std::string(TOMELING_SOURCE_DIR) + "/data/demo/DEMO.MAP");
  dir.Write("home/GAIJI/DEMO.MAP", std::string(map.begin(), map.end()));
  EXPECT_NE(Find(dir, "--show ねこ").out.find("足跡：∴（肉球）"), std::string::npos);
  std::string out;
  ASSERT_EQ(RunCommand(kTomeling + " search --home '" + dir.File("home") + "' --book '" + demo + "' --show ねこ", &out),
            0);
  EXPECT_NE(out.find("足跡：∴（肉球）"), std::string::npos) << out;
}
