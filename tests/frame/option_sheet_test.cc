// OK of the option sheet opened from the main window: one value changed on
// each page reaches what it controls -- the content view's fonts, the hit
// list's names and the panes, the saved Globals and the storage watcher,
// the key table -- and the settings file the sheet wrote loads back equal.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPalette>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "frame_fixture.h"
#include "shell/option_values.h"
#include "views/main_commands.h"
#include "views/option_key_page.h"
#include "views/option_sheet.h"
#include "views/storage_watcher.h"

namespace {

class FrameOptionsTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteAnimalGroup();
    Global("fontSize=13");
    Global("fontSizeList=12");
    Global("lenDictName=3");
    Global("layout=2");
  }

  // Opens the sheet with the command, lets `edit` change page `page`, and
  // closes it with OK or 中止.
  void WithSheet(int page, const std::function<void(CPSheet&)>& edit, bool ok = true) {
    bool ran = false;
    QTimer::singleShot(0, frame.get(), [&] {
      auto* sheet = qobject_cast<CPSheet*>(QApplication::activeModalWidget());
      ASSERT_NE(sheet, nullptr);
      sheet->Tabs()->setCurrentIndex(page);
      edit(*sheet);
      ran = true;
      if (ok) sheet->accept();
      else sheet->reject();
    });
    ASSERT_TRUE(frame->RunCommand(kCmdOptions));
    ASSERT_TRUE(ran);
    // The offscreen platform gives the window no activation back when the
    // sheet closes, as a desktop would.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    Settle();
  }
  template <typename T>
  static T* Control(CPSheet& sheet, const char* name) {
    T* w = sheet.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QVariant Stored(const char* key) const {
    QSettings store(QString::fromStdString(StorePath()), QSettings::IniFormat);
    return store.value(QStringLiteral("Globals/") + QLatin1String(key));
  }
  // What a new start would read from the store the sheet wrote.
  OptionValues Reloaded() const {
    CSettings again(AppDir(), StorePath());
    again.LoadGlobals();
    return OptionValuesOf(again);
  }
};

TEST_F(FrameOptionsTest, FontPageSizeReachesTheContentViewAndTheListSizeTheList) {
  Open();
  Search(QStringLiteral("ね"));
  ASSERT_TRUE(Content()->Model().HasEntry());
  ASSERT_EQ(Content()->Model().LineMgr().GetFontSize(), 13);
  const int rowHeight = List()->sizeHintForRow(0);
  WithSheet(CPSheet::kFontPage, [](CPSheet& s) {
    Control<QComboBox>(s, "fontSize")->setCurrentText(QStringLiteral("24"));
    Control<QComboBox>(s, "fontSizeList")->setCurrentText(QStringLiteral("20"));
  });
  EXPECT_EQ(Settings().fontSize, 24);
  EXPECT_EQ(Content()->Model().LineMgr().GetFontSize(), 24) << "the entry is laid out again";
  EXPECT_TRUE(Content()->Model().HasEntry());
  EXPECT_GT(List()->sizeHintForRow(0), rowHeight);
  EXPECT_EQ(Stored("fontSize").toInt(), 24);
  EXPECT_EQ(Reloaded(), OptionValuesOf(Settings()));
}

TEST_F(FrameOptionsTest, LayoutPageNameLengthRelistsTheNamesAndLayoutTurnsThePanes) {
  Global("bFindAllDict=1");
  Open();
  Search(QStringLiteral("ね"));
  ASSERT_GT(List()->RowCount(), 0);
  ASSERT_EQ(List()->Row(0)->name.size(), 3u);
  ASSERT_EQ(frame->Splitter()->orientation(), Qt::Horizontal);
  WithSheet(CPSheet::kLayoutPage, [](CPSheet& s) {
    Control<QComboBox>(s, "lenDictName")->setCurrentText(QStringLiteral("5"));
    Control<QComboBox>(s, "layout")->setCurrentIndex(1);  // PORTRAIT
  });
  EXPECT_EQ(Settings().lenDictName, 5);
  EXPECT_EQ(List()->Row(0)->name.size(), 5u) << "rows already listed follow";
  EXPECT_EQ(frame->Splitter()->orientation(), Qt::Vertical);
  EXPECT_EQ(Stored("layout").toInt(), 1);
  EXPECT_EQ(Reloaded(), OptionValuesOf(Settings()));
}

// On a dark desktop the page follows the palette; the program's own
// colours give the white page back at once.
TEST_F(FrameOptionsTest, LayoutPageSystemColoursSwitchThePageColours) {
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Base, QColor(42, 42, 42));
  dark.setColor(QPalette::Window, QColor(53, 53, 53));
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::WindowText, Qt::white);
  QApplication::setPalette(dark);
  Open();
  Search(QStringLiteral("ね"));
  ASSERT_GT(List()->RowCount(), 0);
  auto pageCorner = [this] {
    QWidget* page = Content()->viewport();
    QImage shot = page->grab().toImage();
    return qGray(shot.pixel(shot.width() - 3, shot.height() - 3));
  };
  EXPECT_LT(pageCorner(), 80) << "system colours: the dark base";
  WithSheet(CPSheet::kLayoutPage, [](CPSheet& s) { Control<QCheckBox>(s, "bUseSystemColor")->setChecked(false); });
  EXPECT_FALSE(Settings().bUseSystemColor);
  EXPECT_EQ(Stored("bUseSystemColor").toInt(), 0);
  EXPECT_GT(pageCorner(), 240) << "own colours: the white background";
  EXPECT_EQ(Reloaded(), OptionValuesOf(Settings()));
  QApplication::setPalette(before);
}

TEST_F(FrameOptionsTest, OptionPageValuesAreSavedAndTakeEffect) {
  Open();
  ASSERT_TRUE(frame->StorageWatcher()->ReloadOnResume());
  WithSheet(CPSheet::kOptionPage, [](CPSheet& s) {
    Control<QCheckBox>(s, "bNoticeNoHit")->setChecked(false);
    Control<QCheckBox>(s, "bReloadOnResume")->setChecked(false);
    Control<QComboBox>(s, "maxBufSize")->setCurrentText(QStringLiteral("8"));
    Control<QCheckBox>(s, "bTaskTray")->setChecked(true);
    Control<QComboBox>(s, "language")->setCurrentIndex(2);
  });
  // The icon where the desktop has a tray; without one nothing changes.
  EXPECT_EQ(frame->TrayIcon() != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
  EXPECT_EQ(Stored("bTaskTray").toInt(), 1);
  EXPECT_EQ(Stored("bNoticeNoHit").toInt(), 0);
  EXPECT_EQ(Stored("maxBufSize").toInt(), 8);
  EXPECT_EQ(Stored("language").toString(), QStringLiteral("en"));
  EXPECT_FALSE(frame->StorageWatcher()->ReloadOnResume());
  // Nothing found: no notice any more.
  Search(QStringLiteral("ぬ"));
  EXPECT_EQ(List()->RowCount(), 0);
  EXPECT_TRUE(Content()->GetPlainText(kRangeAll).empty());
  EXPECT_EQ(Reloaded(), OptionValuesOf(Settings()));
}

TEST_F(FrameOptionsTest, CancelChangesNoOptionButKeepsANewBinding) {
  Open();
  const OptionValues before = OptionValuesOf(Settings());
  WithSheet(
      CPSheet::kKeycodePage,
      [](CPSheet& s) {
        Control<QComboBox>(s, "key")->setCurrentText(QStringLiteral("F6"));
        QComboBox* command = Control<QComboBox>(s, "command");
        command->setCurrentIndex(command->findData(kCmdFullScreen));
        Control<QPushButton>(s, "addBinding")->click();
        ASSERT_EQ(Control<QTreeWidget>(s, "bindings")->topLevelItemCount(), 1);
        s.Tabs()->setCurrentIndex(CPSheet::kFontPage);
        Control<QComboBox>(s, "fontSize")->setCurrentText(QStringLiteral("24"));
      },
      /*ok=*/false);
  EXPECT_EQ(OptionValuesOf(Settings()), before);
  EXPECT_NE(ReadWholeText(AppDir() + "/keycode.ini").find("F6\tFULL_SCREEN"), std::string::npos);
  // The window takes the binding at once.
  frame->MoveFocus(0, 0);
  Tap(Qt::Key_F6);
  EXPECT_TRUE(frame->IsFullScreen());
}

TEST_F(FrameOptionsTest, KeycodePageBindingRunsAfterOk) {
  Open();
  WithSheet(CPSheet::kKeycodePage, [](CPSheet& s) {
    Control<QCheckBox>(s, "ctrl")->setChecked(true);
    Control<QComboBox>(s, "key")->setCurrentText(QStringLiteral("G"));
    QComboBox* command = Control<QComboBox>(s, "command");
    command->setCurrentIndex(command->findData(kCmdIncremental));
    Control<QPushButton>(s, "addBinding")->click();
  });
  ASSERT_EQ(Settings().m_keyTable.GetEntries().size(), 1u);
  const bool incremental = Settings().bIncrementalSearch;
  frame->MoveFocus(0, 0);
  Tap(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Settings().bIncrementalSearch, !incremental);
}

}  // namespace
