// The roots of a dictionary rescan: which mounts are storage cards, the
// user's book folder, the order and limits of the roots, and a rescan over
// cards whose links loop, lead into system trees or into another root.
#include "shell/scan_roots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "common/temp_dir.h"
#include "shell/app_dir.h"
#include "shell/dict_session.h"
#include "shell_books.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and puts the old value back.
class CScopedEnv {
 public:
  CScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~CScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

TEST(ScanRoots, StorageCardsAreTheMountsBelowTheMediaFolders) {
  std::vector<std::string> mounts = {"/",           "/media",       "/run/media/bob/USB", "/media/alice/CARD",
                                     "/media/cdrom", "/mediax/stick", "/run/mediaX",      "/home/media/x",
                                     "/run",        "/media/alice/CARD", "/run/user/1000"};
  EXPECT_EQ(RemovableVolumes(mounts),
            (std::vector<std::string>{"/media/alice/CARD", "/media/cdrom", "/run/media/bob/USB"}));
  EXPECT_EQ(RemovableVolumes(mounts, {"/run/media/"}), (std::vector<std::string>{"/run/media/bob/USB"}));
  EXPECT_TRUE(RemovableVolumes(mounts, {""}).empty());  // an empty parent is no parent
  EXPECT_TRUE(RemovableVolumes({}).empty());

  // The system's own list: the root file system is mounted, and it is
  // not a card.
  std::vector<std::string> mounted = MountedVolumes();
  EXPECT_NE(std::find(mounted.begin(), mounted.end(), "/"), mounted.end());
  for (const std::string& v : RemovableVolumes(mounted)) EXPECT_NE(v, "/");
}

TEST(ScanRoots, RootsInOrder) {
  std::vector<std::string> cards = {"/media/u/A", "/media/u/B", "/media/u/C"};
  EXPECT_EQ(ScanRoots(true, cards, "/home/u/books/"), (std::vector<std::string>{"/"}));
  EXPECT_EQ(ScanRoots(false, cards, "/home/u/books/"),
            (std::vector<std::string>{"/media/u/A", "/media/u/B", "/home/u/books/"}));
  EXPECT_EQ(ScanRoots(false, {}, "/home/u/books/"), (std::vector<std::string>{"/home/u/books/"}));
  EXPECT_EQ(ScanRoots(false, {"/media/u/A"}, ""), (std::vector<std::string>{"/media/u/A"}));
}

TEST(ScanRoots, UserBookFolderFollowsXdgDataHome) {
  CTempDir dir;
  CScopedEnv home("HOME", dir.File("home").c_str());
  {
    CScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    EXPECT_EQ(UserBookFolder(), dir.File("data") + "/tomeling/books/");
    EXPECT_TRUE(EnsureUserBookFolder());
    EXPECT_TRUE(DirectoryExists(dir.File("data/tomeling/books")));
    EXPECT_TRUE(EnsureUserBookFolder());  // already there
  }
  {
    CScopedEnv data("XDG_DATA_HOME", "relative/data");  // invalid: ignored
    EXPECT_EQ(UserBookFolder(), dir.File("home") + "/.local/share/tomeling/books/");
  }
  {
    CScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(UserBookFolder(), dir.File("home") + "/.local/share/tomeling/books/");
    // A file where the folder should be: not a folder afterwards.
    dir.Write("home/.local/share/tomeling/books", "not a folder");
    EXPECT_FALSE(EnsureUserBookFolder());
  }
}

TEST(ScanRoots, RescanListsEachBookOnceWhateverTheLinks) {
  CTempDir dir;
  // A card with a book, a link back to itself, a link into /proc and a
  // link to the user's book folder, which the rescan walks as well.
  std::string card = dir.File("media/user/CARD");
  std::string books = dir.File("books");
  ASSERT_FALSE(WriteShellBook(card + "/dict", {AnimalSubbook("ONCARD", AnimalWords())}).empty());
  ASSERT_FALSE(WriteShellBook(books + "/mine", {AnimalSubbook("INHOME", AnimalWords())}).empty());
  fs::create_directory_symlink(card, card + "/dict/again");
  fs::create_directory_symlink("/proc", card + "/proc");
  fs::create_directory_symlink(books, card + "/books");
  fs::create_directory_symlink(card, books + "/card");

  std::vector<std::string> cards = RemovableVolumes({"/", card}, {dir.File("media")});
  ASSERT_EQ(cards, (std::vector<std::string>{card}));
  SessionOptions options;
  options.home = dir.File("app");
  options.profilePath = dir.File("store.ini");
  CDictSession session(options);
  EXPECT_EQ(session.ScanBooks(ScanRoots(false, cards, books + "/"), kRescanDepth), 2);
  EXPECT_EQ(session.Books().PeekEntry(0)->directory, "INHOME");  // through the card's link, found first
  EXPECT_EQ(session.Books().PeekEntry(1)->directory, "ONCARD");
}

}  // namespace
