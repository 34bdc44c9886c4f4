// The group dialog over group files in a scratch folder and books written
// there: the group box, scanning, adding, moving and removing dictionaries,
// abbreviations, and what OK writes.
#include "views/group_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "bookwriter/book_writer.h"
#include "catalog/book_list.h"
#include "catalog/group_file.h"
#include "common/temp_dir.h"
#include "widget_test_util.h"

namespace {

class GroupDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    groups = dir.File("groups");
    std::filesystem::create_directories(groups);
    // Three books, one dictionary each, found in this order by a scan.
    const char* titles[] = {"甲辞典", "乙辞典", "丙辞典"};
    for (int i = 0; i < 3; ++i) {
      BookSource book;
      SubbookSource& s = book.subbooks.emplace_back();
      s.directory = "DICT" + std::to_string(i);
      s.title = titles[i];
      s.indexes = {IndexOptions{0x91}};
      s.entries = {BookEntry{"語", {"本文"}, {{0x91, "語"}}}};
      WrittenBook written;
      std::string error;
      ASSERT_TRUE(WriteBook(book, dir.File("books/" + std::to_string(i)), {}, &written, &error)) << error;
    }
  }

  QString Books() const { return QString::fromStdString(dir.File("books")); }
  QPushButton* ButtonOf(CGroupDialog& d, const char* name) { return d.findChild<QPushButton*>(name); }
  QStringList Column(CGroupDialog& d, int column) {
    QStringList texts;
    for (int i = 0; i < d.DictList()->topLevelItemCount(); ++i) texts << d.DictList()->topLevelItem(i)->text(column);
    return texts;
  }
  void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  void SelectDict(CGroupDialog& d, int row) {
    QTreeWidgetItem* item = d.DictList()->topLevelItem(row);
    QTest::mouseClick(d.DictList()->viewport(), Qt::LeftButton, {}, d.DictList()->visualItemRect(item).center());
  }
  // Scans the books and adds candidates `rows` to the group being edited.
  void AddAll(CGroupDialog& d, std::initializer_list<int> rows) {
    d.ScanFrom(Books());
    for (int row : rows) {
      d.CandidateList()->setCurrentRow(row);
      Click(ButtonOf(d, "add"));
    }
  }
  GroupFile Read(const std::string& name) {
    GroupFile file;
    EXPECT_TRUE(ReadGroupFile(groups + "/" + name, &file)) << name;
    return file;
  }

  CTempDir dir;
  std::string groups;
};

TEST_F(GroupDialogTest, BoxListsTheGroupFilesInAnyCaseAndLoadsTheCurrentOne) {
  CBookList list;
  list.ScanBooks(dir.File("books"), 2);
  ASSERT_EQ(list.Count(), 3);
  ASSERT_EQ(list.SaveList(groups + "/TOMELING.grp"), 1);
  ASSERT_TRUE(WriteGroupFile(groups + "/Work.GRP", GroupFile{}));
  dir.Write("groups/notes.txt", "not a group");

  CGroupDialog d(groups, 4, "TOMELING.grp");
  EXPECT_EQ(d.windowTitle(), QStringLiteral("グループ"));
  QStringList items;
  for (int i = 0; i < d.GroupBox()->count(); ++i) items << d.GroupBox()->itemText(i);
  EXPECT_EQ(items, (QStringList{QStringLiteral("TOMELING"), QStringLiteral("Work")}));
  EXPECT_EQ(d.GroupBox()->currentText(), QStringLiteral("TOMELING"));
  EXPECT_EQ(Column(d, 0), (QStringList{QStringLiteral("甲辞典"), QStringLiteral("乙辞典"), QStringLiteral("丙辞典")}));
  // Nothing selected: the buttons that act on a selection are off.
  EXPECT_FALSE(ButtonOf(d, "remove")->isEnabled());
  EXPECT_FALSE(ButtonOf(d, "up")->isEnabled());
  EXPECT_FALSE(ButtonOf(d, "add")->isEnabled());
  EXPECT_FALSE(d.AbbrevEdit()->isEnabled());
  EXPECT_EQ(d.Depth(), 4);

  d.ScanFrom(Books());
  ShowAndSettle(&d);
  SelectDict(d, 1);
  ExpectNoTextCut(&d, "group");
  SaveScreenshot(&d, QStringLiteral("group"));
  d.resize(360, 560);
  ShowAndSettle(&d);
  EXPECT_LE(d.minimumSizeHint().width(), 360);
  ExpectNoTextCut(&d, "group, compact");
  SaveScreenshot(&d, QStringLiteral("group_compact"));

  // Picking the other group loads it (an empty one).
  d.GroupBox()->setCurrentIndex(1);
  emit d.GroupBox()->activated(1);
  EXPECT_EQ(d.DictList()->topLevelItemCount(), 0);
}

TEST_F(GroupDialogTest, UpOnTheFirstAndDownOnTheLastChangeNothing) {
  CGroupDialog d(groups, 2, "mine.GRP");  // named, not yet written
  ShowAndSettle(&d);
  AddAll(d, {0, 1, 2});
  const QStringList order = Column(d, 0);
  ASSERT_EQ(order.size(), 3);

  SelectDict(d, 0);
  EXPECT_TRUE(ButtonOf(d, "up")->isEnabled());
  Click(ButtonOf(d, "up"));
  EXPECT_EQ(Column(d, 0), order);
  EXPECT_EQ(d.DictList()->currentItem(), d.DictList()->topLevelItem(0));

  SelectDict(d, 2);
  Click(ButtonOf(d, "down"));
  EXPECT_EQ(Column(d, 0), order);
  EXPECT_EQ(d.DictList()->currentItem(), d.DictList()->topLevelItem(2));
  EXPECT_TRUE(d.DictList()->hasFocus());

  // In between, the dictionary moves and stays selected.
  SelectDict(d, 1);
  Click(ButtonOf(d, "up"));
  EXPECT_EQ(Column(d, 0), (QStringList{order[1], order[0], order[2]}));
  EXPECT_EQ(d.DictList()->currentItem(), d.DictList()->topLevelItem(0));
}

TEST_F(GroupDialogTest, OkWhileAnAbbreviationIsEditedStoresItAndStaysOpenOnce) {
  CGroupDialog d(groups, 2, "mine.GRP");
  ShowAndSettle(&d);
  AddAll(d, {0, 1});
  SelectDict(d, 1);
  ASSERT_TRUE(d.AbbrevEdit()->isEnabled());
  d.AbbrevEdit()->setFocus();
  d.AbbrevEdit()->setText(QStringLiteral("乙") + QString(40, u'x'));  // cut to 29
  QTest::keyClick(d.AbbrevEdit(), Qt::Key_Return);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.result(), 0);
  EXPECT_EQ(Column(d, 1)[1], QStringLiteral("乙") + QString(28, u'x'));
  EXPECT_FALSE(d.AbbrevEdit()->isEnabled());
  EXPECT_TRUE(d.AbbrevEdit()->text().isEmpty());

  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  GroupFile file = Read("mine.GRP");
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_EQ(file.records[1].userName, (QStringLiteral("乙") + QString(28, u'x')).toStdU16String());
}

TEST_F(GroupDialogTest, LeavingTheAbbreviationStoresIt) {
  CGroupDialog d(groups, 2, "mine.GRP");
  ShowAndSettle(&d);
  AddAll(d, {0, 1});
  SelectDict(d, 0);
  d.AbbrevEdit()->setFocus();
  d.AbbrevEdit()->setText(QStringLiteral("甲"));
  // Clicking another dictionary leaves the field first.
  SelectDict(d, 1);
  EXPECT_EQ(Column(d, 1), (QStringList{QStringLiteral("甲"), QString()}));
  EXPECT_TRUE(d.AbbrevEdit()->isEnabled());  // now for the second one
}

TEST_F(GroupDialogTest, ReorderedGroupComesBackInTheNewOrderWithItsAbbreviations) {
  {
    CGroupDialog d(groups, 2, "TOMELING.grp");
    Click(ButtonOf(d, "newGroup"));
    EXPECT_TRUE(d.GroupBox()->currentText().isEmpty());
    // 追加 without a name refuses.
    d.ScanFrom(Books());
    EXPECT_TRUE(ButtonOf(d, "add")->isEnabled());
    d.CandidateList()->setCurrentRow(0);
    d.AddCandidate();
    EXPECT_EQ(d.DictList()->topLevelItemCount(), 0);
    // Nor with a name that would leave the group folder.
    emit d.GroupBox()->lineEdit()->textEdited(QStringLiteral("../outside"));
    d.AddCandidate();
    EXPECT_EQ(d.DictList()->topLevelItemCount(), 0);

    d.GroupBox()->setEditText(QStringLiteral("順番"));
    emit d.GroupBox()->lineEdit()->textEdited(QStringLiteral("順番"));
    ShowAndSettle(&d);
    AddAll(d, {0, 1, 2});
    SelectDict(d, 2);
    d.AbbrevEdit()->setText(QStringLiteral("丙"));
    d.accept();  // stores the abbreviation, stays
    SelectDict(d, 0);
    d.AbbrevEdit()->setText(QStringLiteral("甲"));
    d.accept();
    d.accept();
    ASSERT_EQ(d.result(), QDialog::Accepted);
  }
  ASSERT_EQ(Read("順番.GRP").records.size(), 3u);
  {
    CGroupDialog d(groups, 2, "順番.GRP");
    ASSERT_EQ(Column(d, 0), (QStringList{QStringLiteral("甲辞典"), QStringLiteral("乙辞典"), QStringLiteral("丙辞典")}));
    ShowAndSettle(&d);
    SelectDict(d, 2);
    Click(ButtonOf(d, "up"));
    Click(ButtonOf(d, "up"));
    d.accept();
    ASSERT_EQ(d.result(), QDialog::Accepted);
  }
  CGroupDialog d(groups, 2, "順番.GRP");
  EXPECT_EQ(Column(d, 0), (QStringList{QStringLiteral("丙辞典"), QStringLiteral("甲辞典"), QStringLiteral("乙辞典")}));
  EXPECT_EQ(Column(d, 1), (QStringList{QStringLiteral("丙"), QStringLiteral("甲"), QString()}));
}

TEST_F(GroupDialogTest, SwitchingNewAndDeleteSaveOrDropTheGroup) {
  CBookList list;
  list.ScanBooks(dir.File("books"), 2);
  ASSERT_EQ(list.SaveList(groups + "/a.grp"), 1);
  ASSERT_EQ(list.SaveList(groups + "/b.GRP"), 1);

  CGroupDialog d(groups, 2, "a.grp");
  ShowAndSettle(&d);
  SelectDict(d, 0);
  Click(ButtonOf(d, "remove"));
  EXPECT_EQ(d.DictList()->topLevelItemCount(), 2);
  EXPECT_FALSE(ButtonOf(d, "remove")->isEnabled());
  // Picking another group saves this one, into the file it came from.
  int b = d.GroupBox()->findText(QStringLiteral("b"));
  d.GroupBox()->setCurrentIndex(b);
  emit d.GroupBox()->activated(b);
  EXPECT_EQ(Read("a.grp").records.size(), 2u);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(groups + "/a.GRP")));
  EXPECT_EQ(d.DictList()->topLevelItemCount(), 3);

  // An unchanged group is not written again.
  auto bBefore = ReadWholeText(groups + "/b.GRP");
  std::filesystem::remove_all(dir.File("books/2"));  // a book goes away
  Click(ButtonOf(d, "newGroup"));
  EXPECT_EQ(ReadWholeText(groups + "/b.GRP"), bBefore);

  // 削除 deletes the named group's file and leaves the box.
  d.GroupBox()->setCurrentIndex(d.GroupBox()->findText(QStringLiteral("b")));
  emit d.GroupBox()->activated(d.GroupBox()->findText(QStringLiteral("b")));
  Click(ButtonOf(d, "deleteGroup"));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(groups + "/b.GRP")));
  EXPECT_EQ(d.GroupBox()->findText(QStringLiteral("b")), -1);
  EXPECT_TRUE(d.GroupBox()->currentText().isEmpty());
  EXPECT_EQ(d.DictList()->topLevelItemCount(), 0);

  // A group emptied by the user is written empty.
  int a = d.GroupBox()->findText(QStringLiteral("a"));
  d.GroupBox()->setCurrentIndex(a);
  emit d.GroupBox()->activated(a);
  while (d.DictList()->topLevelItemCount() > 0) {
    SelectDict(d, 0);
    Click(ButtonOf(d, "remove"));
  }
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_TRUE(Read("a.grp").records.empty());
}

TEST_F(GroupDialogTest, ScanFollowsTheDepthBoxAndOkHandsItBack) {
  CGroupDialog d(groups, 0, "TOMELING.grp");
  d.ScanFrom(Books());  // depth 0: the books lie one level down
  EXPECT_EQ(d.CandidateList()->count(), 0);
  EXPECT_FALSE(ButtonOf(d, "add")->isEnabled());
  auto* depth = d.findChild<QComboBox*>("depth");
  ASSERT_EQ(depth->count(), 12);
  EXPECT_EQ(depth->itemText(11), QStringLiteral("99"));
  depth->setCurrentIndex(1);
  d.ScanFrom(Books());
  EXPECT_EQ(d.CandidateList()->count(), 3);
  EXPECT_EQ(d.CandidateList()->item(0)->text(), QStringLiteral("甲辞典"));
  d.accept();  // no group being edited: nothing to save
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.Depth(), 1);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(groups + "/TOMELING.GRP")));

  // A depth outside the box's items is handed back unchanged.
  CGroupDialog odd(groups, 40, "TOMELING.grp");
  EXPECT_EQ(odd.Depth(), 40);
}

}  // namespace
