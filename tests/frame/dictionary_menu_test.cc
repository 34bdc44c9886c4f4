// The "辞書" menu: one item per dictionary, the first sixteen with a
// mnemonic digit, then the groups of the group folder; choosing a group
// loads it and the menu follows; choosing a dictionary makes it current.
#include <QAction>
#include <QMenu>

#include "frame_fixture.h"

namespace {

class DictionaryMenuTest : public FrameTest {
 protected:
  QStringList MenuTexts() const {
    QStringList texts;
    for (QAction* a : frame->DictionaryMenu()->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
  }
  QStringList CheckedTexts() const {
    QStringList texts;
    for (QAction* a : frame->DictionaryMenu()->actions())
      if (a->isChecked()) texts << a->text();
    return texts;
  }
  QAction* MenuItem(const QString& text) const {
    for (QAction* a : frame->DictionaryMenu()->actions())
      if (a->text() == text) return a;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
  }
};

TEST_F(DictionaryMenuTest, OnlyTheFirstSixteenOfTwentyDictionariesHaveAMnemonic) {
  // Two books of ten (an EPWING catalog holds at most twelve).
  for (int book = 0; book < 2; ++book) {
    std::vector<SubbookSource> subbooks;
    for (int i = book * 10; i < book * 10 + 10; ++i) {
      const std::string directory = (i < 10 ? "D0" : "D") + std::to_string(i);
      SubbookSource s = ReadingSubbook(directory, "辞書" + std::to_string(i));
      AddReadingEntry(s, "見出し", "本文", "みだし");
      subbooks.push_back(s);
    }
    WriteBookAt(BookFolder() + (book == 0 ? "/a" : "/b"), subbooks);
  }
  WriteGroup("TOMELING.grp", BookFolder());
  Open();
  ASSERT_EQ(frame->BookItemCount(), 20);
  QStringList texts = MenuTexts();
  ASSERT_EQ(texts.size(), 22);  // 20 dictionaries, a separator, the group
  // The book keeps its titles in full-width characters; the menu shows
  // them as they are, with a half-width mnemonic after the first sixteen.
  auto name = [&](int i) { return QString::fromStdU16String(session->DisplayName(i)); };
  EXPECT_EQ(name(10), QStringLiteral("辞書１０"));
  for (int i = 0; i < 20; ++i) {
    QString suffix = i < 16 ? QString::asprintf("(&%X)", static_cast<unsigned>(i)) : QString();
    EXPECT_EQ(texts[i], name(i) + suffix) << i;
  }
  EXPECT_EQ(texts[20], QStringLiteral("-"));
  EXPECT_EQ(texts[21], QStringLiteral("TOMELING"));
  EXPECT_EQ(CheckedTexts(), (QStringList{name(0) + QStringLiteral("(&0)"), QStringLiteral("TOMELING")}));
}

TEST_F(DictionaryMenuTest, ChoosingADictionaryMakesItCurrent) {
  WriteAnimalGroup();
  Open();
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("動物辞典"));
  MenuItem(QStringLiteral("獣の本(&1)"))->trigger();
  Settle();
  EXPECT_EQ(Settings().dictNo, 1);
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("獣の本"));
  EXPECT_EQ(CheckedTexts(), (QStringList{QStringLiteral("獣の本(&1)"), QStringLiteral("TOMELING")}));
  EXPECT_TRUE(SearchBoxFocused());
}

TEST_F(DictionaryMenuTest, AChosenDictionarySearchesTheWordOfTheSearchBoxAgain) {
  WriteAnimalGroup();
  Open();
  Search(QStringLiteral("いぬ"));
  ASSERT_EQ(List()->RowCount(), 1);
  ASSERT_EQ(List()->Row(0)->dict, 0);
  MenuItem(QStringLiteral("獣の本(&1)"))->trigger();
  Settle();
  ASSERT_EQ(List()->RowCount(), 1);
  EXPECT_EQ(List()->Row(0)->dict, 1);
}

TEST_F(DictionaryMenuTest, SwitchingToAGroupReloadsTheMenu) {
  WriteAnimalGroup();
  std::string other = WriteBookAt(dir.File("other"), {HitListBlanks()});
  // A group whose extension is upper case, and a name with an "&" of its
  // own given by the user.
  dir.Write("app/Blank&Co.GRP", "%%UTF-8=1\n" + other + "|0|_|x|BLANK|空&白|\n%%bWordInflect=1\n%%searchType=2\n");
  Open();
  EXPECT_EQ(MenuTexts(), (QStringList{QStringLiteral("動物辞典(&0)"), QStringLiteral("獣の本(&1)"), QStringLiteral("-"),
                                      QStringLiteral("Blank&&Co"), QStringLiteral("TOMELING")}));
  Search(QStringLiteral("ね"));
  ASSERT_GT(List()->RowCount(), 0);

  MenuItem(QStringLiteral("Blank&&Co"))->trigger();
  Settle();
  EXPECT_EQ(Settings().groupName, "Blank&Co.GRP");
  EXPECT_EQ(session->Count(), 1);
  EXPECT_EQ(MenuTexts(), (QStringList{QStringLiteral("空&&白(&0)"), QStringLiteral("-"), QStringLiteral("Blank&&Co"),
                                      QStringLiteral("TOMELING")}));
  EXPECT_EQ(CheckedTexts(), (QStringList{QStringLiteral("空&&白(&0)"), QStringLiteral("Blank&&Co")}));
  EXPECT_EQ(List()->RowCount(), 0) << "the hits of the old group are gone";
  EXPECT_FALSE(Content()->Model().HasEntry());
  // The group's stored search options apply.
  EXPECT_TRUE(Settings().bWordInflect);
  EXPECT_EQ(Bar()->TypeSelection(), 2);

  // Back to the first group: the changed options are saved with the one
  // left, which now differs from what its file stored.
  MenuItem(QStringLiteral("TOMELING"))->trigger();
  Settle();
  EXPECT_EQ(session->Count(), 2);
  EXPECT_EQ(Settings().groupName, "TOMELING.grp");
  EXPECT_NE(ReadWholeText(dir.File("app/Blank&Co.GRP")).find("%%searchType=2"), std::string::npos);
}

TEST_F(DictionaryMenuTest, DictionariesAddedFromACatalogJoinTheGroup) {
  WriteAnimalGroup();
  std::string other = WriteBookAt(dir.File("other"), {HitListBlanks()});
  Open();
  ASSERT_TRUE(frame->AddDictionary(other));
  EXPECT_EQ(session->Count(), 3);
  EXPECT_EQ(Settings().dictNo, 2);
  EXPECT_EQ(frame->BookItemCount(), 3);
  EXPECT_NE(ReadWholeText(AppDir() + "/TOMELING.grp").find("BLANK"), std::string::npos);
}

}  // namespace
