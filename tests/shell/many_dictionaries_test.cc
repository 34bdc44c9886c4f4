// A thousand dictionaries under the usual limit of 1024 open files: every
// one is searched, and one that cannot be opened is named and fails the
// command instead of being skipped in silence. The limit is set in the
// child that runs `tomeling find`.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/run_command.h"
#include "common/temp_dir.h"
#include "shell_books.h"

namespace {

constexpr int kBooks = 100, kSubbooks = 10;

// A subbook as a thousand of them would come: one word, and a narrow and a
// wide font, so that each dictionary holds three files.
SubbookSource TinySubbook(int i) {
  SubbookSource s = AnimalSubbook("D" + std::to_string(i), {AnimalWords()[0]});
  s.narrowFonts = {FontSource{8, 16, 0xA121, {std::vector<uint8_t>(16, 0x18)}, "NARROW"}};
  s.wideFonts = {FontSource{16, 16, 0xA121, {std::vector<uint8_t>(32, 0x18)}, "WIDE"}};
  return s;
}

// Writes the books and a group file of all their dictionaries.
std::string WriteShelf(const CTempDir& dir) {
  std::string group = "%%UTF-8=1\n";
  for (int b = 0; b < kBooks; ++b) {
    std::vector<SubbookSource> subbooks;
    for (int i = 0; i < kSubbooks; ++i) subbooks.push_back(TinySubbook(i));
    std::string catalog = WriteShellBook(dir.File("shelf/" + std::to_string(b)), subbooks);
    EXPECT_FALSE(catalog.empty());
    for (int i = 0; i < kSubbooks; ++i)
      group += catalog + "|" + std::to_string(i) + "|_|x|D" + std::to_string(i) + "||\n";
  }
  return dir.Write("shelf.grp", group);
}

struct FindRun {
  int status = -1;
  std::string out, err;
};

// `tomeling find --group GROUP --all ねこ` with at most 1024 open files.
FindRun FindUnderLimit(const CTempDir& dir, const std::string& group) {
  std::string out = dir.File("out.txt"), err = dir.File("err.txt");
  pid_t pid = fork();
  if (pid == 0) {
    struct rlimit limit = {1024, 1024};
    int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0 || o < 0 || e < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) _exit(127);
    setenv("TOMELING_HOME", dir.File("home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("xdg").c_str(), 1);
    execl(kTomeling.c_str(), kTomeling.c_str(), "find", "--group", group.c_str(), "--all", "ねこ",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  FindRun run;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.out = ReadWholeText(out);
  run.err = ReadWholeText(err);
  return run;
}

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(ManyDictionaries, AllAreSearchedUnderTheOpenFileLimit) {
  CTempDir dir;
  std::string group = WriteShelf(dir);
  FindRun run = FindUnderLimit(dir, group);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out), size_t{kBooks * kSubbooks});
  EXPECT_EQ(run.err, std::to_string(kBooks * kSubbooks) + " 件\n");

  // A text file too short to be one: that dictionary is named, the others
  // still answer, and the status says the answer is incomplete.
  std::filesystem::resize_file(dir.File("shelf/57/D3/DATA/HONMON"), 10);
  run = FindUnderLimit(dir, group);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.out), size_t{kBooks * kSubbooks - 1});
  EXPECT_NE(run.err.find("cannot open dictionary 573 ("), std::string::npos) << run.err;
}
