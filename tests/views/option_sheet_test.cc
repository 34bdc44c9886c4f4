// The option sheet: each page's controls show the values given and hand
// back what the user changed, with the changes the main window must redo;
// the Keycode page writes "keycode.ini" however the sheet is closed; what
// the sheet accepts is saved and loads back equal.
#include "views/option_sheet.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "common/temp_dir.h"
#include "shell/settings.h"
#include "views/option_font_page.h"
#include "views/option_key_page.h"
#include "views/option_opt_page.h"
#include "widget_test_util.h"

namespace {

const QStringList kFamilies = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Serif CJK JP")};

class OptionSheetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  OptionSheetTest() : settings(dir.Path().string(), dir.File("store.ini")) { settings.LoadGlobals(); }

  template <typename T>
  T* Find(CPSheet& sheet, const char* name) {
    T* w = sheet.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QStringList ItemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  void Choose(QComboBox* box, const QString& text) {
    int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
  }
  std::string KeyFile() const { return dir.File("keycode.ini"); }

  CTempDir dir;
  CSettings settings;
};

TEST_F(OptionSheetTest, PagesComeInOrderAndShowTheValuesGiven) {
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  ASSERT_EQ(sheet.Tabs()->count(), 4);
  EXPECT_EQ(sheet.Tabs()->tabText(0), QStringLiteral("Font"));
  EXPECT_EQ(sheet.Tabs()->tabText(1), QStringLiteral("Layout"));
  EXPECT_EQ(sheet.Tabs()->tabText(2), QStringLiteral("Option"));
  EXPECT_EQ(sheet.Tabs()->tabText(3), QStringLiteral("Keycode"));
  QStringList buttons;
  for (QPushButton* b : sheet.findChildren<QPushButton*>()) buttons << b->text();
  EXPECT_TRUE(buttons.contains(QStringLiteral("OK")));
  EXPECT_TRUE(buttons.contains(QStringLiteral("中止")));
  EXPECT_FALSE(buttons.contains(QStringLiteral("Apply")));

  // Each family once, Tahoma added, and the default face kept though it is
  // not installed here.
  QStringList faces = ItemsOf(Find<QComboBox>(sheet, "fontName"));
  EXPECT_EQ(faces.count(QStringLiteral("Noto Sans CJK JP")), 1);
  EXPECT_TRUE(faces.contains(QStringLiteral("Tahoma")));
  EXPECT_EQ(Find<QComboBox>(sheet, "fontName")->currentText(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(Find<QComboBox>(sheet, "fontSize")->currentText(), QStringLiteral("13"));
  EXPECT_EQ(Find<QComboBox>(sheet, "fontSizeList")->currentText(), QStringLiteral("12"));
  EXPECT_EQ(Find<QComboBox>(sheet, "lineSpacing")->currentText(), QStringLiteral("3"));
  EXPECT_EQ(ItemsOf(Find<QComboBox>(sheet, "fontSize")).size(), 17);
  EXPECT_EQ(Find<QComboBox>(sheet, "leftMargin")->currentText(), QStringLiteral("2"));
  EXPECT_EQ(Find<QComboBox>(sheet, "lenDictName")->currentText(), QStringLiteral("3"));
  EXPECT_EQ(Find<QComboBox>(sheet, "layout")->currentText(), QStringLiteral("AUTO"));
  EXPECT_EQ(Find<QComboBox>(sheet, "focusAfterSearch")->currentText(), QStringLiteral("LIST"));
  EXPECT_EQ(Find<QComboBox>(sheet, "maxBufSize")->currentText(), QStringLiteral("2"));
  EXPECT_EQ(ItemsOf(Find<QComboBox>(sheet, "maxBufSize")).last(), QStringLiteral("56"));
  EXPECT_FALSE(Find<QCheckBox>(sheet, "bMonitorClipboard")->isEnabled());
  EXPECT_EQ(Find<QSpinBox>(sheet, "EBXA_sampling")->value(), 18900);
  // The command box starts at "(null)".
  EXPECT_EQ(Find<QComboBox>(sheet, "command")->currentText(), QStringLiteral("(null)"));

  // Untouched, the sheet gives back what it was given.
  sheet.Tabs()->setCurrentIndex(3);
  EXPECT_EQ(sheet.Values(), OptionValuesOf(settings));
  EXPECT_EQ(sheet.Changes(), 0u);

  for (int page = 0; page < 4; ++page) {
    sheet.Tabs()->setCurrentIndex(page);
    ShowAndSettle(&sheet);
    std::string where = "option sheet page " + std::to_string(page);
    ExpectNoTextCut(sheet.Tabs()->currentWidget(), where.c_str());
    SaveScreenshot(&sheet, QStringLiteral("option_%1").arg(sheet.Tabs()->tabText(page).toLower()));
  }
  sheet.resize(360, 560);
  sheet.Tabs()->setCurrentIndex(0);
  ShowAndSettle(&sheet);
  EXPECT_LE(sheet.minimumSizeHint().width(), 360);
  SaveScreenshot(&sheet, QStringLiteral("option_font_compact"));
}

TEST_F(OptionSheetTest, ValuesOutsideTheListsStayAsTheyAre) {
  settings.fontSize = 15;
  settings.lineSpacing = 9;
  settings.leftMargin = 12;
  settings.layout = 7;
  settings.maxBufSize = 100;
  settings.EBXA_sampling = 0;
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  for (int page = 0; page < 4; ++page) sheet.Tabs()->setCurrentIndex(page);
  EXPECT_EQ(sheet.Values(), OptionValuesOf(settings));
  QStringList sizes = ItemsOf(Find<QComboBox>(sheet, "fontSize"));
  EXPECT_EQ(sizes.indexOf(QStringLiteral("15")), sizes.indexOf(QStringLiteral("14")) + 1);
}

TEST_F(OptionSheetTest, RuledLinesRaiseLineSpacingToThree) {
  settings.bRuledLine = false;
  settings.lineSpacing = 2;
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  Choose(Find<QComboBox>(sheet, "lineSpacing"), QStringLiteral("1"));
  EXPECT_EQ(sheet.Values().font.lineSpacing, 1);
  Find<QCheckBox>(sheet, "bRuledLine")->click();
  sheet.accept();
  EXPECT_EQ(sheet.Values().font.lineSpacing, 3);
  EXPECT_EQ(sheet.Changes(), unsigned{kChangedContentFonts});
  AcceptOptions(settings, sheet.Values());
  CSettings reloaded(dir.Path().string(), dir.File("store.ini"));
  reloaded.LoadGlobals();
  EXPECT_EQ(reloaded.lineSpacing, 3);
  EXPECT_TRUE(reloaded.bRuledLine);
}

TEST_F(OptionSheetTest, APageNeverOpenedGivesItsValuesBack) {
  settings.lineSpacing = 1;  // below 3 with ruled lines on, from an old store
  settings.layout = 2;
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  sheet.Tabs()->setCurrentIndex(1);
  EXPECT_EQ(sheet.Values().font.lineSpacing, 3);  // the Font page was shown
  CPSheet other(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  Find<QCheckBox>(other, "bStretchImg")->setChecked(true);  // on a page never shown
  EXPECT_EQ(other.Values().layout.bStretchImg, false);
  other.Tabs()->setCurrentIndex(1);
  EXPECT_EQ(other.Values().layout.bStretchImg, true);
  EXPECT_EQ(other.Values().layout.layout, 2);
}

// One value changed on each page reaches the saved Globals and names the
// work it leaves for the main window.
TEST_F(OptionSheetTest, EachPagesChangeReachesTheGlobalsAndLoadsBackEqual) {
  struct Case {
    int page;
    std::function<void(CPSheet&)> edit;
    unsigned changes;
    std::function<bool(const CSettings&)> saved;
  };
  const std::vector<Case> cases = {
      {0, [&](CPSheet& s) { Choose(Find<QComboBox>(s, "fontName"), QStringLiteral("DejaVu Sans")); },
       kChangedContentFonts | kChangedListFonts, [](const CSettings& c) { return c.fontName == u"DejaVu Sans"; }},
      {0, [&](CPSheet& s) { Choose(Find<QComboBox>(s, "fontSizeList"), QStringLiteral("20")); }, kChangedListFonts,
       [](const CSettings& c) { return c.fontSizeList == 20; }},
      {0, [&](CPSheet& s) { Find<QCheckBox>(s, "bULLink")->setChecked(true); }, kChangedContentFonts,
       [](const CSettings& c) { return c.bULLink; }},
      {1, [&](CPSheet& s) { Choose(Find<QComboBox>(s, "leftMargin"), QStringLiteral("6")); },
       kChangedLayoutPage | kChangedLeftMargin, [](const CSettings& c) { return c.leftMargin == 6; }},
      {1, [&](CPSheet& s) { Choose(Find<QComboBox>(s, "focusAfterSearch"), QStringLiteral("TEXT")); },
       kChangedLayoutPage, [](const CSettings& c) { return c.focusAfterSearch == 2; }},
      {2, [&](CPSheet& s) { Find<QCheckBox>(s, "bTaskTray")->setChecked(true); }, kChangedOptionPage | kChangedTrayIcon,
       [](const CSettings& c) { return c.bTaskTray; }},
      {2, [&](CPSheet& s) { Find<QSpinBox>(s, "EBXA_sampling")->setValue(37800); }, kChangedOptionPage,
       [](const CSettings& c) { return c.EBXA_sampling == 37800; }},
      {2, [&](CPSheet& s) { Choose(Find<QComboBox>(s, "maxBufSize"), QStringLiteral("48")); }, kChangedOptionPage,
       [](const CSettings& c) { return c.maxBufSize == 48; }},
  };
  for (const Case& c : cases) {
    CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
    sheet.Tabs()->setCurrentIndex(c.page);
    c.edit(sheet);
    sheet.accept();
    EXPECT_EQ(sheet.Changes(), c.changes) << "page " << c.page;
    bool saved = false;
    EXPECT_EQ(AcceptOptions(settings, sheet.Values(), &saved), c.changes);
    EXPECT_TRUE(saved);
    CSettings reloaded(dir.Path().string(), dir.File("store.ini"));
    reloaded.LoadGlobals();
    EXPECT_TRUE(c.saved(reloaded)) << "page " << c.page;
    EXPECT_EQ(OptionValuesOf(reloaded), OptionValuesOf(settings));
    EXPECT_FALSE(sheet.KeyTableChanged());
  }
}

TEST_F(OptionSheetTest, CancellingAfterAddingABindingStillWritesKeycodeIni) {
  ASSERT_FALSE(QFile::exists(QString::fromStdString(KeyFile())));
  {
    CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
    sheet.Tabs()->setCurrentIndex(3);
    Find<QCheckBox>(sheet, "ctrl")->setChecked(true);
    Find<QCheckBox>(sheet, "shift")->setChecked(true);
    Choose(Find<QComboBox>(sheet, "key"), QStringLiteral("F1"));
    Find<QComboBox>(sheet, "command")->setCurrentIndex(
        Find<QComboBox>(sheet, "command")->findData(static_cast<uint>(CKeyTable::CommandId("FULL_SCREEN"))));
    Find<QCheckBox>(sheet, "bTaskTray")->setChecked(true);  // cancelled with the rest
    QTest::mouseClick(Find<QPushButton>(sheet, "addBinding"), Qt::LeftButton);
    QTreeWidget* list = Find<QTreeWidget>(sheet, "bindings");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("CTRL+SHIFT+F1"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("FULL_SCREEN"));
    ShowAndSettle(&sheet);
    SaveScreenshot(&sheet, QStringLiteral("option_keycode_binding"));
    sheet.reject();
    EXPECT_TRUE(sheet.KeyTableChanged());
  }
  EXPECT_FALSE(settings.bTaskTray);
  ASSERT_EQ(settings.m_keyTable.GetEntries().size(), 1u);
  EXPECT_EQ(settings.m_keyTable.GetEntries()[0], (KeyEntry{1 | 4 | 8, 0x70, 33008}));
  EXPECT_EQ(ReadWholeText(KeyFile()), "# Tomeling key table\nSHIFT+CTRL+F1\tFULL_SCREEN\n");

  // Removing it again is a change too; an untouched page writes nothing.
  {
    CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
    QTreeWidget* list = Find<QTreeWidget>(sheet, "bindings");
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(Find<QPushButton>(sheet, "removeBinding"), Qt::LeftButton);
    sheet.accept();
  }
  EXPECT_TRUE(settings.m_keyTable.GetEntries().empty());
  EXPECT_EQ(ReadWholeText(KeyFile()), "# Tomeling key table\n");
  QFile::remove(QString::fromStdString(KeyFile()));
  {
    CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
    sheet.reject();
    EXPECT_FALSE(sheet.KeyTableChanged());
  }
  EXPECT_FALSE(QFile::exists(QString::fromStdString(KeyFile())));
}

TEST_F(OptionSheetTest, SixtyFourBindingsAreTheMost) {
  std::vector<KeyEntry> many(63, KeyEntry{1, 'A', 1001});
  settings.m_keyTable.SetEntries(many);
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  sheet.Tabs()->setCurrentIndex(3);
  auto* add = Find<QPushButton>(sheet, "addBinding");
  // Without a key nothing is added.
  QTest::mouseClick(add, Qt::LeftButton);
  EXPECT_EQ(sheet.KeycodePage()->Entries().size(), 63u);
  Find<QCheckBox>(sheet, "alt")->setChecked(true);
  Choose(Find<QComboBox>(sheet, "key"), QStringLiteral("HOME"));
  QTest::mouseClick(add, Qt::LeftButton);
  QTest::mouseClick(add, Qt::LeftButton);
  ASSERT_EQ(sheet.KeycodePage()->Entries().size(), 64u);
  EXPECT_EQ(sheet.KeycodePage()->Entries()[63], (KeyEntry{1 | 16, 0x24, 0}));
  EXPECT_EQ(Find<QTreeWidget>(sheet, "bindings")->topLevelItem(63)->text(0), QStringLiteral("ALT+HOME"));
  EXPECT_EQ(Find<QTreeWidget>(sheet, "bindings")->topLevelItem(63)->text(1), QStringLiteral("(null)"));
  sheet.accept();
  EXPECT_EQ(settings.m_keyTable.GetEntries().size(), 64u);
}

TEST_F(OptionSheetTest, KeycodeTextsNameModifiersAltFirstAndCommandsByTheirMenus) {
  EXPECT_EQ(CPPKey::BindingText(KeyEntry{1 | 4 | 8 | 16, 'X', 0}), QStringLiteral("ALT+CTRL+SHIFT+X"));
  EXPECT_EQ(CPPKey::BindingText(KeyEntry{1, 0x0D, 0}), QStringLiteral("RETURN"));
  EXPECT_EQ(CPPKey::CommandText(0), QStringLiteral("(null)"));
  EXPECT_EQ(CPPKey::CommandText(32908), QStringLiteral("前方一致"));
  EXPECT_EQ(CPPKey::CommandText(33002), QStringLiteral("SCROLL_UP"));
}

TEST_F(OptionSheetTest, MoviePlayerMustBeAnExecutableFile) {
  CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, nullptr, kFamilies);
  sheet.Tabs()->setCurrentIndex(2);
  auto* player = Find<QLineEdit>(sheet, "mpegPlayerPath");
  EXPECT_TRUE(sheet.OptionPage()->AcceptPlayerPath(QStringLiteral("/bin/sh")));
  EXPECT_EQ(player->text(), QStringLiteral("/bin/sh"));
  std::string plain = dir.Write("notes.txt", "not a program");
  bool warned = false;
  WhenModalShows([&](QWidget* modal) {
    warned = qobject_cast<QMessageBox*>(modal) != nullptr;
    modal->close();
  });
  EXPECT_FALSE(sheet.OptionPage()->AcceptPlayerPath(QString::fromStdString(plain)));
  EXPECT_TRUE(warned);
  EXPECT_EQ(player->text(), QStringLiteral("/bin/sh"));
  EXPECT_EQ(sheet.Values().other.mpegPlayerPath, "/bin/sh");
}

}  // namespace
