// Every `tomeling` command reads a dictionary alike: one "profile.ini"
// record (a gaiji map and half-width letters) changes what show, search,
// find and render print in the same way, and the commands find the
// application directory without --home, through $TOMELING_HOME.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/run_command.h"
#include "common/temp_dir.h"
#include "shell_books.h"

namespace {

class ProfileRecordCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
    SubbookSource animals = AnimalSubbook("ALPHA", AnimalWords());
    for (BookEntry& e : animals.entries) e.body.push_back("記号：{gaiji B021}");
    ASSERT_FALSE(WriteShellBook(m_dir.File("book"), {animals}).empty());
    m_dir.Write("configured/GAIJI/ANIMAL.MAP", "zB021\tu25CE\n");
    m_dir.Write("configured/profile.ini", "[x]\nDICT=ALPHA\nGAIJIMAP=ANIMAL.MAP\nHANKAKU=1\n");
    // The same map and switches, for a dictionary the book does not hold.
    m_dir.Write("other/GAIJI/ANIMAL.MAP", "zB021\tu25CE\n");
    m_dir.Write("other/profile.ini", "[x]\nDICT=OMEGA\nGAIJIMAP=ANIMAL.MAP\nHANKAKU=1\n");
  }

  // Runs `tomeling ARGS` with $TOMELING_HOME set to `envHome` ("" for
  // none) and a profile store and home of the test's own; stdout only.
  std::string Run(const std::string& envHome, const std::string& args, int* status = nullptr) {
    std::string env = "QT_QPA_PLATFORM=offscreen HOME='" + m_dir.File("user") + "' XDG_CONFIG_HOME='" +
                      m_dir.File("user/xdg") + "' ";
    env += envHome.empty() ? "TOMELING_HOME= " : "TOMELING_HOME='" + m_dir.File(envHome) + "' ";
    std::string out;
    int result = RunCommand(env + kTomeling + " " + args + " 2>/dev/null", &out);
    if (status != nullptr) *status = result;
    return out;
  }

  std::string Book() const { return "--book '" + m_dir.File("book") + "' "; }
  std::string Home(const std::string& dir) const { return "--home '" + m_dir.File(dir) + "' "; }

  // What each command prints of the entry of いぬ with these options.
  struct Outputs {
    std::string show, search, find, render;
  };
  Outputs All(const std::string& envHome, const std::string& options) {
    Outputs o;
    o.search = Run(envHome, "search " + Book() + options + "--show いぬ");
    std::string position = o.search.substr(0, o.search.find('\t'));
    o.show = Run(envHome, "show " + Book() + options + position);
    o.find = Run(envHome, "find " + Book() + options + "--show いぬ");
    o.render = Run(envHome, "render " + Book() + options + "--word いぬ --width 240 --print-markup --out '" +
                                m_dir.File("dog.png") + "'");
    return o;
  }

  CTempDir m_dir;
};

void ExpectRecordApplied(const std::string& out, const char* command) {
  EXPECT_NE(out.find("英語:dog"), std::string::npos) << command << ":\n" << out;
  EXPECT_NE(out.find("記号:◎"), std::string::npos) << command << ":\n" << out;
  EXPECT_EQ(out.find("ｄｏｇ"), std::string::npos) << command << ":\n" << out;
}

void ExpectBookAsItStands(const std::string& out, const char* command) {
  EXPECT_NE(out.find("英語：ｄｏｇ"), std::string::npos) << command << ":\n" << out;
  EXPECT_EQ(out.find("◎"), std::string::npos) << command << ":\n" << out;
}

TEST_F(ProfileRecordCommandTest, OneRecordChangesEveryCommandAlike) {
  Outputs plain = All("", Home("other"));
  ExpectBookAsItStands(plain.show, "show");
  ExpectBookAsItStands(plain.search, "search");
  ExpectBookAsItStands(plain.find, "find");
  ExpectBookAsItStands(plain.render, "render");
  // Without a map the gaiji stays an entity in markup and "__" in text.
  EXPECT_NE(plain.render.find("&zB021;"), std::string::npos) << plain.render;
  EXPECT_NE(plain.show.find("記号：__"), std::string::npos) << plain.show;

  Outputs configured = All("", Home("configured"));
  ExpectRecordApplied(configured.show, "show");
  ExpectRecordApplied(configured.search, "search");
  ExpectRecordApplied(configured.find, "find");
  ExpectRecordApplied(configured.render, "render");
  // show and search --show print the same entry text.
  EXPECT_NE(configured.search.find(configured.show), std::string::npos)
      << configured.search << "\n---\n" << configured.show;
}

TEST_F(ProfileRecordCommandTest, CommandsReadTomelingHomeWithoutHomeOption) {
  Outputs fromEnvironment = All("configured", "");
  ExpectRecordApplied(fromEnvironment.show, "show");
  ExpectRecordApplied(fromEnvironment.search, "search");
  ExpectRecordApplied(fromEnvironment.find, "find");
  ExpectRecordApplied(fromEnvironment.render, "render");
  // --home wins over the environment.
  Outputs given = All("configured", Home("other"));
  ExpectBookAsItStands(given.show, "show");
  ExpectBookAsItStands(given.search, "search");

  // The commands that read no entry take --home all the same.
  int status = -1;
  const std::string honmon = m_dir.File("book/ALPHA/DATA/HONMON");
  for (const std::string& args : {"indexes " + Book(), "multi " + Book(), "menu " + Book(),
                                  "books '" + m_dir.File("book") + "' ", "page '" + honmon + "' 1 "}) {
    Run("", args + Home("configured"), &status);
    EXPECT_NE(status, 2) << args;
  }
}

}  // namespace
