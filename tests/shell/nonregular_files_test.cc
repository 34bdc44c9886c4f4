// FIFOs, devices and links to /dev/zero in the application directory in
// place of "profile.ini", "keycode.ini", "history.txt", "color.dat",
// "GaijiMap.db", a ".MAP" file and the group file: each is skipped as a
// missing file would be, and no command waits on one. An alarm ends the
// program should a reader block after all.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "catalog/book_list.h"
#include "common/run_command.h"
#include "common/temp_dir.h"
#include "decode/gaiji_map.h"
#include "shell/colour_names.h"
#include "shell/settings.h"
#include "shell_books.h"

namespace {

const char* const kAppFiles[] = {"profile.ini", "keycode.ini", "history.txt", "color.dat",
                                 "GaijiMap.db", "GAIJI/ALPHA.MAP", "TOMELING.grp"};

// Puts a special file of `kind` at every name of kAppFiles below `home`.
void FillWithSpecialFiles(const std::string& home, const std::string& kind) {
  std::filesystem::create_directories(home + "/GAIJI");
  for (const char* name : kAppFiles) {
    std::string path = home + "/" + name;
    int made = 0;
    if (kind == "fifo") made = mkfifo(path.c_str(), 0600);
    if (kind == "zero") made = symlink("/dev/zero", path.c_str());
    if (kind == "null") made = symlink("/dev/null", path.c_str());
    if (kind == "folder") made = std::filesystem::create_directory(path) ? 0 : -1;
    ASSERT_EQ(made, 0) << path;
  }
}

class CAlarm {
 public:
  explicit CAlarm(unsigned seconds) { alarm(seconds); }
  ~CAlarm() { alarm(0); }
};

}  // namespace

TEST(SpecialAppFiles, ReadAsMissing) {
  for (const char* kind : {"fifo", "zero", "null", "folder"}) {
    SCOPED_TRACE(kind);
    CTempDir dir;
    std::string home = dir.File("home");
    FillWithSpecialFiles(home, kind);
    CAlarm guard(60);
    CSettings settings(home, dir.File("store.ini"));
    settings.LoadGlobals();
    EXPECT_TRUE(settings.m_keyTable.GetEntries().empty());
    EXPECT_TRUE(settings.m_history.List().empty());
    EXPECT_TRUE(settings.m_dictConfigs.empty());
    CColourNames colours;
    EXPECT_FALSE(colours.LoadColorTable(home + "/color.dat"));
    CGaijiMap maps(home + "/");
    EXPECT_EQ(maps.RecordCount(), 0u);
    CBookList list;
    EXPECT_EQ(list.LoadList(settings.GroupFilePath()), 0);
    EXPECT_EQ(list.Count(), 0);
  }
}

// The whole program: `find` with such a home finishes, searching the book.
TEST(SpecialAppFiles, CommandsDoNotWait) {
  CTempDir dir;
  ASSERT_FALSE(WriteShellBook(dir.File("shelf/book"), {AnimalSubbook("ALPHA", AnimalWords())}).empty());
  std::string home = dir.File("home");
  FillWithSpecialFiles(home, "fifo");
  std::string out;
  std::string command = "TOMELING_HOME=" + ShellQuoted(home) + " XDG_CONFIG_HOME=" + ShellQuoted(dir.File("xdg")) +
                        " timeout 60 " + kTomeling + " find --book " + ShellQuoted(dir.File("shelf")) +
                        " ねこ 2>/dev/null";
  EXPECT_EQ(RunCommand(command, &out), 0);
  EXPECT_EQ(out, "猫【ねこ】\n");
}
