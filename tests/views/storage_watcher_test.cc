// Storage cards arriving: a temporary folder stands for /media/USER. A new
// card starts the 500 ms reload timer once, however many arrive; cards
// leaving, cards present at start and the user's own folder appearing do
// not; turned off, nothing does.
#include "views/storage_watcher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "common/temp_dir.h"
#include "widget_test_util.h"

namespace fs = std::filesystem;

namespace {

class StorageWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApplication(); }
  QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
  void Mkdir(const char* name) const { fs::create_directories(m_dir.File(name)); }
  // Lets the watcher see the folders change.
  static void Settle() { QTest::qWait(200); }

  CTempDir m_dir;
};

TEST_F(StorageWatcherTest, ACardArrivingAsksForOneReload) {
  Mkdir("media/user/OLD");  // mounted before the start: in the list already
  CStorageWatcher watcher({Path("media"), Path("media/user")});
  EXPECT_EQ(watcher.WatchedFolders().size(), 2);
  QSignalSpy reload(&watcher, &CStorageWatcher::reloadBooksRequested);

  Mkdir("media/user/CARD");
  ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.TimerActive(); }, 5000));
  EXPECT_EQ(reload.count(), 0);  // not before the timer
  // Two more partitions while the timer runs: still one reload.
  Mkdir("media/user/PART2");
  Mkdir("media/user/PART3");
  ASSERT_TRUE(reload.wait(5000));
  QTest::qWait(CStorageWatcher::kReloadDelayMs + 200);
  EXPECT_EQ(reload.count(), 1);

  // Leaving is no arrival.
  fs::remove(m_dir.File("media/user/CARD"));
  Settle();
  EXPECT_FALSE(watcher.TimerActive());
  EXPECT_EQ(reload.count(), 1);
}

TEST_F(StorageWatcherTest, FoldersAppearingLaterAreTakenUp) {
  Mkdir("media");
  CStorageWatcher watcher({Path("media"), Path("media/user")});
  EXPECT_EQ(watcher.WatchedFolders(), QStringList{Path("media")});
  QSignalSpy reload(&watcher, &CStorageWatcher::reloadBooksRequested);

  Mkdir("media/user");  // the desktop makes the user's folder: no card yet
  ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.WatchedFolders().size() == 2; }, 5000));
  EXPECT_FALSE(watcher.TimerActive());
  Mkdir("media/user/CARD");
  EXPECT_TRUE(reload.wait(5000));

  // The user's folder gone and back with a card in it at once.
  fs::remove_all(m_dir.File("media/user"));
  Settle();
  Mkdir("media/user/STICK");
  EXPECT_TRUE(QTest::qWaitFor([&] { return reload.count() == 2; }, 5000));
}

TEST_F(StorageWatcherTest, NothingWhenReloadingIsOff) {
  Mkdir("media/user");
  CStorageWatcher watcher({Path("media/user")});
  watcher.SetReloadOnResume(false);
  QSignalSpy reload(&watcher, &CStorageWatcher::reloadBooksRequested);
  Mkdir("media/user/CARD");
  Settle();
  QTest::qWait(CStorageWatcher::kReloadDelayMs + 100);
  EXPECT_FALSE(watcher.TimerActive());
  EXPECT_EQ(reload.count(), 0);

  // A watcher of folders that never exist watches nothing and is quiet.
  CStorageWatcher none({Path("nowhere"), Path("nowhere/user")});
  EXPECT_TRUE(none.WatchedFolders().isEmpty());
}

TEST_F(StorageWatcherTest, DesktopFoldersAreTheMediaFoldersAndTheUsers) {
  QStringList folders = CStorageWatcher::DesktopMountFolders();
  EXPECT_TRUE(folders.contains("/media"));
  EXPECT_TRUE(folders.contains("/run/media"));
  QString user = qEnvironmentVariable("USER");
  if (!user.isEmpty()) {
    EXPECT_TRUE(folders.contains("/run/media/" + user));
  }
}

}  // namespace
