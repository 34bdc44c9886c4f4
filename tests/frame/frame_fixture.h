// The main window as the programs open it, on the offscreen platform:
// books written by the book writer, an application directory, Globals
// store and XDG folders of the test's own (never the user's), the group
// file loaded, the window shown and its first-start sequence run. Keys go
// where the keyboard would send them: to the widget with the focus.
#ifndef TOMELING_TESTS_FRAME_FRAME_FIXTURE_H_
#define TOMELING_TESTS_FRAME_FRAME_FIXTURE_H_

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "common/hit_list_books.h"
#include "common/temp_dir.h"
#include "shell/dict_session.h"
#include "views/folian_view.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/search_bar.h"
#include "shell/hit_rows.h"
#include "views/widget_test_util.h"

class FrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    setenv("TOMELING_HOME", AppDir().c_str(), 1);
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
    std::filesystem::create_directories(AppDir());
    // A rescan looks in the user's book folder, not through the machine.
    m_globals = "bFindAllDrv=0\n";
  }

  void TearDown() override {
    if (frame != nullptr) {
      frame->Quit();
      frame.reset();
    }
    session.reset();
  }

  std::string AppDir() const { return dir.File("app"); }
  std::string StorePath() const { return dir.File("store.ini"); }
  std::string BookFolder() const { return dir.File("data/tomeling/books"); }

  // One more "key=value" line of the Globals the session will read.
  void Global(const std::string& line) { m_globals += line + "\n"; }

  // Writes a book of the given subbooks below `where`; returns its catalog.
  static std::string WriteBookAt(const std::string& where, std::vector<SubbookSource> subbooks) {
    BookSource source;
    source.subbooks = std::move(subbooks);
    WrittenBook written;
    std::string error;
    EXPECT_TRUE(WriteBook(source, where, WriteOptions{}, &written, &error)) << error;
    return written.catalogPath;
  }
  // The two animal dictionaries (ALPHA 動物辞典, BETA 獣の本) of the hit
  // list's tests: 猫 犬 鼠 狐 by their readings.
  std::string WriteAnimals(const std::string& where) {
    return WriteBookAt(where, {HitListAnimals("ALPHA", "動物辞典"), HitListAnimals("BETA", "獣の本")});
  }
  // The animal book in the user's book folder and "TOMELING.grp" naming it.
  void WriteAnimalGroup() {
    WriteAnimals(BookFolder() + "/animals");
    WriteGroup("TOMELING.grp", BookFolder());
  }
  // A group file in the application directory listing the books below
  // `root`.
  void WriteGroup(const std::string& name, const std::string& root) {
    CBookList list;
    ASSERT_GT(list.ScanBooks(root, 3), 0);
    ASSERT_EQ(list.SaveList(AppDir() + "/" + name), 1);
  }

  // The session and the window, as main.cc makes them.
  void Open(CMainFrame::Edition edition = CMainFrame::Edition::kHandheldPc) {
    // A second start reads what the first one saved.
    if (!std::filesystem::exists(StorePath())) std::ofstream(StorePath()) << "[Globals]\n" << m_globals;
    SessionOptions options;
    options.home = AppDir();
    options.profilePath = StorePath();
    session = std::make_unique<CDictSession>(options);
    session->LoadGroup();
    frame = std::make_unique<CMainFrame>(*session, edition);
    frame->Start();
    for (int i = 0; i < 50 && !frame->StartupDone(); ++i) QCoreApplication::processEvents();
    ASSERT_TRUE(frame->StartupDone());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Settle();
  }

  CSettings& Settings() { return session->Settings(); }
  CSearchBar* Bar() const { return frame->SearchBar(); }
  QComboBox* WordBox() const { return frame->SearchBar()->WordBox(); }
  CLeftView* List() const { return frame->HitList(); }
  CFolianView* Content() const { return frame->ContentView(); }

  // Lets posted messages and timers of 0 ms run.
  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
  static QWidget* Focused() { return QApplication::focusWidget(); }

  // Each menu of the menu bar as it would open now, saved in `dir` as
  // `prefix` + its number + ".png", for a reviewer to look at.
  void SaveMenuShots(const QDir& dir, const QString& prefix) {
    frame->UpdateCommandStates();
    int n = 0;
    for (QAction* title : frame->menuBar()->actions()) {
      QMenu* menu = title->menu();
      menu->ensurePolished();
      menu->adjustSize();
      const QString path = dir.filePath(prefix + QString::number(n++) + QStringLiteral(".png"));
      EXPECT_TRUE(menu->grab().save(path)) << path.toStdString();
    }
  }
  bool SearchBoxFocused() const { return Bar()->HasWordFocus(); }

  // A key pressed and released as the keyboard delivers them: the press to
  // the focused widget, the release to the one focused after it.
  static void Tap(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString()) {
    ASSERT_NE(Focused(), nullptr) << "no widget has the focus";
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(Focused(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(Focused(), &release);
    Settle();
  }
  // Characters typed one by one into the focused widget.
  static void Type(const QString& text) {
    for (QChar c : text) Tap(Qt::Key_unknown, Qt::NoModifier, QString(c));
  }
  // Clears the word box and types `word` into it, then Enter.
  void Search(const QString& word) {
    Bar()->FocusWord(true);
    Settle();
    Type(word);
    Tap(Qt::Key_Return);
  }

  CTempDir dir;
  std::unique_ptr<CDictSession> session;
  std::unique_ptr<CMainFrame> frame;

 private:
  std::string m_globals;
};

#endif  // TOMELING_TESTS_FRAME_FRAME_FIXTURE_H_
