// The complex-search dialog over a written book: the fields of each
// definition, the arrows wrapping round, candidate lists leading to
// further lists or into the field, and the terms handed back on OK.
#include "views/complex_search_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/complex_book.h"
#include "reader/eb_reader.h"
#include "widget_test_util.h"

namespace {

class ComplexSearchDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }
  void SetUp() override {
    book = WriteComplexBook();
    ASSERT_EQ(book->added, 1) << book->error;
    reader = book->list.GetEntry(0)->textReader.get();
  }

  QToolButton* CandidateButton(CComplexSearchDialog& d, int k) {
    return d.findChild<QToolButton*>(QStringLiteral("candidates%1").arg(k));
  }
  QString Counter(CComplexSearchDialog& d) {
    for (QLabel* l : d.findChildren<QLabel*>())
      if (l->text().contains(u'/')) return l->text();
    return QString();
  }
  QStringList Items(CComplexSearchDialog& d) {
    QStringList items;
    for (int i = 0; i < d.CandidateList()->count(); ++i) items << d.CandidateList()->item(i)->text();
    return items;
  }
  void Choose(CComplexSearchDialog& d, int row) {
    d.CandidateList()->setCurrentRow(row);
    QTest::mouseClick(d.findChild<QPushButton*>("choose"), Qt::LeftButton);
  }

  std::unique_ptr<ComplexBook> book;
  CEBReader* reader = nullptr;
};

TEST_F(ComplexSearchDialogTest, ShowsTheFieldsOfTheDefinitionItOpensWith) {
  CComplexSearchDialog d(*reader, nullptr, 0);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("複合検索"));
  EXPECT_EQ(d.DefinitionCount(), 2);
  EXPECT_EQ(Counter(d), QStringLiteral("1/2  "));
  EXPECT_TRUE(d.findChild<QLabel*>() != nullptr);
  EXPECT_TRUE(d.Field(0)->isEnabled());
  EXPECT_TRUE(d.Field(1)->isEnabled());
  EXPECT_FALSE(d.Field(2)->isEnabled());
  EXPECT_TRUE(CandidateButton(d, 1)->isEnabled());
  EXPECT_FALSE(CandidateButton(d, 2)->isEnabled());  // "名前" has no candidates
  EXPECT_FALSE(CandidateButton(d, 3)->isEnabled());
  QStringList labels;
  for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
  EXPECT_TRUE(labels.contains(QStringLiteral("町")));
  EXPECT_TRUE(labels.contains(QStringLiteral("名前")));
  EXPECT_TRUE(labels.contains(QStringLiteral("町と名前")));
  EXPECT_FALSE(labels.contains(QStringLiteral("複合検索3")));

  ShowAndSettle(&d);
  ExpectNoTextCut(&d, "complex search");
  SaveScreenshot(&d, QStringLiteral("complex_search"));
  d.resize(360, d.height());
  ShowAndSettle(&d);
  EXPECT_LE(d.minimumSizeHint().width(), 360);
  ExpectNoTextCut(&d, "complex search, compact");
  SaveScreenshot(&d, QStringLiteral("complex_search_compact"));
}

TEST_F(ComplexSearchDialogTest, ArrowsStepThroughTheDefinitionsAndWrap) {
  CComplexSearchDialog d(*reader, nullptr, 1);
  EXPECT_EQ(d.Definition(), 1);
  EXPECT_EQ(Counter(d), QStringLiteral("2/2  "));
  EXPECT_TRUE(d.Field(0)->isEnabled());
  EXPECT_FALSE(d.Field(1)->isEnabled());
  d.Field(0)->setText(QStringLiteral("やまだ"));

  // Up is the next definition; from the last it is the first again.
  QTest::mouseClick(d.findChild<QToolButton*>("nextDefinition"), Qt::LeftButton);
  EXPECT_EQ(d.Definition(), 0);
  EXPECT_EQ(Counter(d), QStringLiteral("1/2  "));
  EXPECT_TRUE(d.Field(1)->isEnabled());
  EXPECT_TRUE(d.Field(0)->text().isEmpty());  // fields start empty

  QTest::mouseClick(d.findChild<QToolButton*>("previousDefinition"), Qt::LeftButton);
  EXPECT_EQ(d.Definition(), 1);
  d.PreviousDefinition();
  EXPECT_EQ(d.Definition(), 0);

  // A number beyond the book's definitions opens the first.
  CComplexSearchDialog beyond(*reader, nullptr, 7);
  EXPECT_EQ(beyond.Definition(), 0);
}

TEST_F(ComplexSearchDialogTest, CandidatesLeadToFurtherListsOrIntoTheField) {
  CComplexSearchDialog d(*reader, nullptr, 0);
  // Without a field whose list is shown, choosing does nothing.
  d.ChooseCandidate();
  EXPECT_TRUE(d.Field(0)->text().isEmpty());

  QTest::mouseClick(CandidateButton(d, 1), Qt::LeftButton);
  ASSERT_EQ(Items(d), (QStringList{QStringLiteral("関東"), QStringLiteral("大阪"), QStringLiteral("近畿")}));
  // The second item has position 0: its text goes into the field.
  Choose(d, 1);
  EXPECT_EQ(d.Field(0)->text(), QStringLiteral("大阪"));
  EXPECT_EQ(Items(d).size(), 3);

  // The third leads to a list of its own, whose items fill the field.
  Choose(d, 2);
  ASSERT_EQ(Items(d), (QStringList{QStringLiteral("大阪"), QStringLiteral("京都")}));
  EXPECT_EQ(d.Field(0)->text(), QStringLiteral("大阪"));
  // Enter in the list chooses too, and does not run the search.
  ShowAndSettle(&d);
  SaveScreenshot(&d, QStringLiteral("complex_search_candidates"));
  d.CandidateList()->setCurrentRow(1);
  QTest::keyClick(d.CandidateList(), Qt::Key_Return);
  EXPECT_EQ(d.Field(0)->text(), QStringLiteral("京都"));
  EXPECT_TRUE(d.isVisible());

  // Another definition drops the list.
  d.NextDefinition();
  EXPECT_EQ(d.CandidateList()->count(), 0);
}

TEST_F(ComplexSearchDialogTest, OkHandsBackTheFilledFieldsAsTerms) {
  CComplexSearchDialog d(*reader, nullptr, 0);
  d.Field(0)->setText(QStringLiteral("東京"));
  d.Field(1)->setText(QStringLiteral("やまだ"));
  ShowAndSettle(&d);
  QTest::keyClick(d.Field(1), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  std::vector<ComplexTerm> terms = d.Terms();
  ASSERT_EQ(terms.size(), 2u);
  EXPECT_EQ(terms[0].key, "\x93\x8C\x8B\x9E");  // 東京 in Shift_JIS
  EXPECT_EQ(terms[0].rows.at(0).id, 0xA1);
  EXPECT_EQ(terms[1].rows.at(0).id, 0xA0);

  bool overflow = true;
  EXPECT_EQ(RunComplexTerms(*reader, terms, &overflow), 2);
  std::vector<HitEntry> hits;
  ASSERT_EQ(reader->GetHitEntSorted(&hits, 0, 2), 1);
  EXPECT_EQ(hits[0].textPage, book->written.subbooks[0].text[0].page);

  // Empty fields give no terms.
  d.Field(0)->clear();
  EXPECT_EQ(d.Terms().size(), 1u);
  d.Field(1)->clear();
  EXPECT_TRUE(d.Terms().empty());
}

}  // namespace
