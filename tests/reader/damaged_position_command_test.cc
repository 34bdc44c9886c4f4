// A hit whose page number has its top bit set (the book in
// tests/data/reader/index-page-top-bit-set) is listed and shown as an empty
// entry by every command that decodes it -- `search --show`, `find --show`
// and `render --word` -- instead of making the decoder walk two billion
// unreadable pages. Each command runs under a time limit, so a regression
// fails here rather than hanging the suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/child_process.h"
#include "common/run_command.h"
#include "common/temp_dir.h"

namespace {

const std::string kBook = std::string(TOMELING_TEST_DATA_DIR) + "/reader/index-page-top-bit-set";
constexpr int kTimeLimit = 20;

// The damaged entries are the second of each leaf: a11, a14, ... a47.
ChildRun Tomeling(const CTempDir& dir, std::vector<std::string> args) {
  std::vector<std::string> argv = {"/usr/bin/env", "TOMELING_HOME=" + dir.File("home"),
                                   "XDG_CONFIG_HOME=" + dir.File("xdg"), kTomeling};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunChild(argv, kTimeLimit);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class DamagedPositionCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  }
  CTempDir m_dir;
};

TEST_F(DamagedPositionCommand, SearchShowEndsTheEntry) {
  ChildRun run = Tomeling(m_dir, {"search", "--book", kBook, "--show", "a1"});
  ASSERT_FALSE(run.timedOut) << run.err.substr(0, 200);
  EXPECT_EQ(run.status, 0) << run.err.substr(0, 200);
  // Ten hits a10-a19, the damaged a11, a14 and a17 among them, each listed
  // with its position; the others show their headings.
  EXPECT_NE(run.out.find("80000002:005A\t80000003:0030\t"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("見出し１９"), std::string::npos) << run.out;
  EXPECT_LE(Count(run.err, "Cannot seek"), 10u);
}

TEST_F(DamagedPositionCommand, FindShowEndsTheEntry) {
  ChildRun run = Tomeling(m_dir, {"find", "--book", kBook, "--show", "a11"});
  ASSERT_FALSE(run.timedOut) << run.err.substr(0, 200);
  EXPECT_EQ(run.status, 0) << run.err.substr(0, 200);
  EXPECT_LE(Count(run.err, "Cannot seek"), 10u);
}

TEST_F(DamagedPositionCommand, RenderWordEndsTheEntry) {
  std::string png = m_dir.File("entry.png");
  ChildRun run = Tomeling(m_dir, {"render", "--book", kBook, "--word", "a11", "--width", "300", "--out", png});
  ASSERT_FALSE(run.timedOut) << run.err.substr(0, 200);
  EXPECT_EQ(run.status, 0) << run.err.substr(0, 200);
  EXPECT_TRUE(std::filesystem::exists(png));
  EXPECT_LE(Count(run.err, "Cannot seek"), 10u);
}

}  // namespace
