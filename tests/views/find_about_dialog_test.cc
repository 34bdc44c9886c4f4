// The find dialog and the about box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "shell/settings.h"
#include "views/about_dialog.h"
#include "views/find_dialog.h"
#include "widget_test_util.h"

namespace {

class SmallDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_F(SmallDialogTest, FindDialogStartsWithTheWordAndReturnsTheEditedText) {
  CFindDialog d(QStringLiteral("猫"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("検索"));
  EXPECT_EQ(d.Text(), QStringLiteral("猫"));
  QStringList buttons;
  for (QPushButton* b : d.findChildren<QPushButton*>()) buttons << b->text();
  EXPECT_TRUE(buttons.contains(QStringLiteral("次を検索")));
  EXPECT_TRUE(buttons.contains(QStringLiteral("中止")));
  ShowAndSettle(&d);
  ExpectNoTextCut(&d, "find");
  SaveScreenshot(&d, QStringLiteral("find"));

  // Typing replaces the selected word; Enter is "次を検索".
  QTest::keyClicks(d.Edit(), QStringLiteral("dog"));
  QTest::keyClick(d.Edit(), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Text(), QStringLiteral("dog"));

  CFindDialog cancelled(QStringLiteral("猫"));
  ShowAndSettle(&cancelled);
  QTest::keyClick(cancelled.Edit(), Qt::Key_Escape);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(SmallDialogTest, AboutBoxNamesTheProgramAndTheSystem) {
  CAboutDialog d(QStringLiteral("Marrit"), QStringLiteral("0.1"));
  EXPECT_TRUE(d.VersionLine()->text().contains(QStringLiteral("Marrit")));
  EXPECT_TRUE(d.VersionLine()->text().contains(QStringLiteral("0.1")));
  EXPECT_EQ(d.OsVersion()->text().toStdString(), GetOsVersionText());
  EXPECT_FALSE(d.OsVersion()->text().isEmpty());
  ShowAndSettle(&d);
  ExpectNoTextCut(&d, "about");
  SaveScreenshot(&d, QStringLiteral("about"));
}

}  // namespace
