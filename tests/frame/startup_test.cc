// Start-up and shut-down of the main window: a first start without any
// group file scans the user's book folder (or, finding nothing anywhere,
// takes the demo dictionary of build/data/demo) and writes "TOMELING.grp";
// a storage card arriving reads the group again after timer 102; closing
// stores the history box, the search type and the group's options, and a
// write that cannot be renamed into place keeps every old file.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <cerrno>
#include <set>

#include "catalog/group_file.h"
#include "catalog/word_history.h"
#include "frame_fixture.h"
#include "shell/session_files.h"
#include "views/main_commands.h"
#include "views/storage_watcher.h"

namespace {

int FailingRename(const char*, const char*) {
  errno = EIO;
  return -1;
}

class StartupTest : public FrameTest {
 protected:
  std::string GroupPath() const { return AppDir() + "/TOMELING.grp"; }
  size_t GroupRecords(const std::string& path) const {
    GroupFile file;
    return ReadGroupFile(path, &file) ? file.records.size() : 0;
  }
  // Every file of the test's folders.
  std::set<std::string> FileNames() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.Path()))
      if (e.is_regular_file()) names.insert(e.path().string());
    return names;
  }
  // The program's way out: the window closes, then the session's files.
  bool CloseAndSave(RenameFunction renameFn = nullptr) {
    const bool replaced = frame->ListReplaced();
    frame->Quit();
    frame.reset();
    return SaveSessionFiles(*session, replaced, renameFn);
  }
};

TEST_F(StartupTest, AFirstStartScansTheBookFolderAndWritesTheGroup) {
  WriteAnimals(BookFolder() + "/deep/down/animals");
  ASSERT_FALSE(std::filesystem::exists(GroupPath()));
  Open();
  EXPECT_EQ(session->Count(), 2);
  EXPECT_EQ(Settings().groupName, "TOMELING.grp");
  EXPECT_EQ(GroupRecords(GroupPath()), 2u) << "written at once, not only at exit";
  EXPECT_EQ(frame->BookItemCount(), 2);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("動物辞典"));
  Search(QStringLiteral("いぬ"));
  EXPECT_EQ(List()->RowCount(), 1);
}

TEST_F(StartupTest, AFirstStartWithNoBooksAnywhereTakesTheDemoDictionary) {
  Open();
  ASSERT_GT(session->Count(), 0) << "the demo book of the data directory";
  EXPECT_NE(Settings().groupName.find("TOMELING"), std::string::npos);
  EXPECT_EQ(GroupRecords(GroupPath()), static_cast<size_t>(session->Count()));
  EXPECT_TRUE(QDir(QString::fromStdString(BookFolder())).exists()) << "the user's book folder is made";
  EXPECT_EQ(frame->DictionaryMenu()->actions().first()->isEnabled(), true);
}

TEST_F(StartupTest, AStorageCardArrivingReadsTheGroupAgain) {
  WriteAnimalGroup();
  const std::string media = dir.File("media/user");
  std::filesystem::create_directories(media);
  Open();
  frame->WatchStorageFolders({QString::fromStdString(media)});
  ASSERT_EQ(session->Count(), 2);
  // The group now also names a book on the card.
  WriteBookAt(media + "/card/blank", {HitListBlanks()});
  WriteGroup("TOMELING.grp", dir.File("media"));
  QSignalSpy fired(frame->StorageWatcher(), &CStorageWatcher::reloadBooksRequested);
  QTRY_COMPARE_WITH_TIMEOUT(fired.count(), 1, 3000);
  Settle();
  EXPECT_EQ(session->Count(), 1);
  EXPECT_EQ(frame->BookItemCount(), 1);
  EXPECT_EQ(frame->DictionaryMenu()->actions().first()->text(), QStringLiteral("空見出し(&0)"));
}

TEST_F(StartupTest, NoReloadWhenTheOptionIsOff) {
  Global("bReloadOnResume=0");
  WriteAnimalGroup();
  const std::string media = dir.File("media");
  std::filesystem::create_directories(media);
  Open();
  frame->WatchStorageFolders({QString::fromStdString(media)});
  std::filesystem::create_directories(media + "/card");
  QTest::qWait(800);
  EXPECT_FALSE(frame->StorageWatcher()->TimerActive());
}

TEST_F(StartupTest, ShutDownWritesTheSettingsTheGroupAndTheHistory) {
  WriteAnimalGroup();
  Open();
  Search(QStringLiteral("ね"));
  Search(QStringLiteral("いぬ"));
  Bar()->SelectType(2);
  frame->RunCommand(32951);  // 語尾補正 on
  ASSERT_TRUE(Settings().bWordInflect);
  ASSERT_TRUE(CloseAndSave());

  QSettings store(QString::fromStdString(StorePath()), QSettings::IniFormat);
  EXPECT_EQ(store.value(QStringLiteral("Globals/searchType")).toInt(), 2);
  EXPECT_EQ(store.value(QStringLiteral("Globals/bWordInflect")).toInt(), 1);
  EXPECT_GT(store.value(QStringLiteral("Globals/leftSize")).toInt(), 0);
  CWordHistory history;
  ASSERT_EQ(history.LoadHistory(AppDir() + "/history.txt"), 1);
  EXPECT_EQ(history.List(), u"いぬ\tね\t");
  const std::string group = ReadWholeText(GroupPath());
  EXPECT_NE(group.find("%%searchType=2"), std::string::npos) << group;
  EXPECT_NE(group.find("%%bWordInflect=1"), std::string::npos) << group;

  // The next start finds all of it again.
  Open();
  EXPECT_EQ(Bar()->Items(), (std::vector<std::u16string>{u"いぬ", u"ね"}));
  EXPECT_EQ(Bar()->TypeSelection(), 2);
}

// A logout's SIGTERM comes whenever it comes, also while a dialog runs its
// own loop: the dialog ends as 中止 would end it, and the window closes.
TEST_F(StartupTest, QuittingWhileADialogIsOpenEndsTheDialogAndClosesTheWindow) {
  WriteAnimalGroup();
  Open();
  bool quitInside = false;
  QTimer::singleShot(0, frame.get(), [&] {
    QWidget* sheet = QApplication::activeModalWidget();
    ASSERT_NE(sheet, nullptr);
    frame->Quit();
    quitInside = true;
    // Without the fix the sheet would stay and the test wait on it.
    QTimer::singleShot(2000, sheet, [sheet] { sheet->close(); });
  });
  QElapsedTimer waited;
  waited.start();
  frame->RunCommand(kCmdOptions);
  ASSERT_TRUE(quitInside);
  EXPECT_LT(waited.elapsed(), 1500) << "the sheet stayed open";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(frame->isVisible());
  ASSERT_TRUE(CloseAndSave());
  EXPECT_TRUE(std::filesystem::exists(StorePath()));
}

TEST_F(StartupTest, AFailedRenameKeepsEveryOldFile) {
  WriteAnimalGroup();
  Open();
  Search(QStringLiteral("ね"));
  ASSERT_TRUE(CloseAndSave());
  const std::string store = ReadWholeText(StorePath());
  const std::string group = ReadWholeText(GroupPath());
  const std::string history = ReadWholeText(AppDir() + "/history.txt");
  const std::set<std::string> files = FileNames();

  Open();
  Search(QStringLiteral("いぬ"));
  Bar()->SelectType(1);
  EXPECT_FALSE(CloseAndSave(FailingRename));
  EXPECT_EQ(ReadWholeText(StorePath()), store);
  EXPECT_EQ(ReadWholeText(GroupPath()), group);
  EXPECT_EQ(ReadWholeText(AppDir() + "/history.txt"), history);
  // Nothing half-written is left beside them.
  EXPECT_EQ(FileNames(), files);
}

}  // namespace
