// The main window in its two languages. Under the English translation no
// menu, tool tip, search-bar text or status text is left in Japanese and
// no two items of a menu share a mnemonic; under the Japanese one the
// original texts stand byte for byte. Screenshots of the window in
// Japanese and English, on the light and the dark Fusion palette, at
// device pixel ratio 1 and 2, go to build/artefacts/mainwindow/.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>
#include <map>

#include "frame_fixture.h"
#include "views/translations.h"

namespace {

// The texts of a menu and its submenus, by menu title.
void CollectMenu(QMenu* menu, std::map<QString, QStringList>* texts) {
  QStringList& items = (*texts)[menu->title()];
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    items << a->text();
    if (a->menu() != nullptr) CollectMenu(a->menu(), texts);
  }
}

std::map<QString, QStringList> MenuTexts(QMainWindow* window) {
  std::map<QString, QStringList> texts;
  for (QAction* a : window->menuBar()->actions()) {
    if (a->menu() != nullptr) CollectMenu(a->menu(), &texts);
  }
  return texts;
}

class LanguageTest : public FrameTest, public ::testing::WithParamInterface<CMainFrame::Edition> {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    m_palette = QApplication::palette();
    WriteAnimalGroup();
  }
  void TearDown() override {
    FrameTest::TearDown();
    // The other tests read the Japanese texts on the light palette.
    InstallTranslators(kLanguageJapanese);
    QApplication::setPalette(m_palette);
  }
  // The window as main.cc opens it: the translators go in first.
  void OpenIn(const char* language) {
    InstallTranslators(language);
    Open(GetParam());
  }
  bool Handheld() const { return GetParam() == CMainFrame::Edition::kHandheldPc; }
  QString Status() const { return frame->findChild<QLabel*>(QStringLiteral("status"))->text(); }

 private:
  QPalette m_palette;
};

}  // namespace

TEST_P(LanguageTest, EnglishLeavesNoJapaneseInTheMainWindow) {
  OpenIn(kLanguageEnglish);
  static const QRegularExpression kMnemonic(QStringLiteral("&([^&])"));
  const QMenu* dictionaries = frame->findChild<QMenu*>(QStringLiteral("dictionaryMenu"));
  ASSERT_NE(dictionaries, nullptr);
  const std::map<QString, QStringList> menus = MenuTexts(frame.get());
  EXPECT_GE(menus.size(), Handheld() ? 6u : 5u);
  for (const auto& [title, items] : menus) {
    EXPECT_FALSE(HasJapanese(title)) << "menu " << title.toStdString();
    if (title == dictionaries->title()) continue;  // the books' own titles
    std::map<QChar, QString> keys;
    for (const QString& item : items) {
      EXPECT_FALSE(HasJapanese(item)) << title.toStdString() << ": " << item.toStdString();
      QRegularExpressionMatch m = kMnemonic.match(item);
      if (!m.hasMatch()) continue;
      auto [at, fresh] = keys.emplace(m.captured(1).at(0).toLower(), item);
      EXPECT_TRUE(fresh) << title.toStdString() << ": \"" << item.toStdString() << "\" and \""
                         << at->second.toStdString() << "\" share a key";
    }
  }
  for (QAction* a : frame->ToolBar()->actions()) EXPECT_FALSE(HasJapanese(a->toolTip())) << a->toolTip().toStdString();
  EXPECT_EQ(Bar()->SearchButton()->text(), QStringLiteral("Search"));
  for (int i = 0; i < Bar()->TypeBox()->count(); ++i)
    EXPECT_FALSE(HasJapanese(Bar()->TypeBox()->itemText(i))) << Bar()->TypeBox()->itemText(i).toStdString();

  Search(QStringLiteral("ぬ"));
  EXPECT_EQ(Content()->GetPlainText(kRangeAll), u"No hits found");
  Search(QStringLiteral("ね"));
  if (Handheld()) {
    EXPECT_EQ(Status(), QStringLiteral("2 hits"));
  }
}

TEST_P(LanguageTest, JapaneseShowsTheOriginalTexts) {
  OpenIn(kLanguageJapanese);
  const std::map<QString, QStringList> menus = MenuTexts(frame.get());
  // The texts as the original program shows them, byte for byte.
  const char* const edit[] = {"切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "全て選択(&A)"};
  const char* const editHandheld[] = {"切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V",
                                      "全て選択(&A)\tCtrl+A"};
  ASSERT_EQ(menus.count(QStringLiteral("編集")), 1u);
  const QStringList& editItems = menus.at(QStringLiteral("編集"));
  for (size_t i = 0; i < std::size(edit); ++i)
    EXPECT_EQ(editItems.value(static_cast<int>(i)), QString::fromUtf8(Handheld() ? editHandheld[i] : edit[i]));
  const std::map<const char*, QStringList> expected = {
      {"検索", {"前方一致(&B)", "後方一致(&E)", "完全一致(&X)", "クロス条件(&C)", "条件検索(&K)", "メニュー検索(&M)",
                "複合検索(&L)", "図版メニュー(&G)", "クリップボード検索(&Y)", "串刺し検索(&A)",
                "インクリメンタルサーチ(&I)", "語尾補正(&W)"}},
      {"移動(&G)", {"戻る(&P)", "進む(&N)"}},
  };
  for (const auto& [title, items] : expected) {
    ASSERT_EQ(menus.count(QString::fromUtf8(title)), 1u) << title;
    EXPECT_EQ(menus.at(QString::fromUtf8(title)), items) << title;
  }
  const QStringList& tools = menus.at(QStringLiteral("ツール"));
  EXPECT_TRUE(tools.contains(QStringLiteral("ヘルプ トピック(&H)")));
  EXPECT_TRUE(tools.contains(Handheld() ? QStringLiteral("Tomeling のバージョン情報(&A)...")
                                        : QStringLiteral("Tomeling のバージョン情報...")));
  EXPECT_EQ(menus.count(QStringLiteral("ファイル")), Handheld() ? 1u : 0u);
  EXPECT_EQ(Bar()->SearchButton()->text(), QStringLiteral("検索"));
  QStringList types;
  for (int i = 0; i < Bar()->TypeBox()->count(); ++i) types << Bar()->TypeBox()->itemText(i);
  QStringList expectedTypes = {"前方", "後方", "完全", "クロス", "条件"};
  if (Handheld()) expectedTypes << QStringLiteral("全文");
  EXPECT_EQ(types, expectedTypes);

  Search(QStringLiteral("ぬ"));
  EXPECT_EQ(Content()->GetPlainText(kRangeAll), u"候補が見つかりません");
  Search(QStringLiteral("ね"));
  if (Handheld()) {
    EXPECT_EQ(Status(), QStringLiteral("2 件"));
  }
}

TEST_P(LanguageTest, ScreenshotsInBothLanguagesLightAndDarkAtRatiosOneAndTwo) {
  QDir dir(QStringLiteral(TOMELING_BINARY_DIR "/artefacts/mainwindow"));
  dir.mkpath(QStringLiteral("."));
  const QString edition = Handheld() ? QStringLiteral("marrit") : QStringLiteral("velloc");
  for (const char* language : {kLanguageJapanese, kLanguageEnglish}) {
    for (bool dark : {false, true}) {
      QApplication::setPalette(FusionPalette(dark));
      OpenIn(language);
      // Each program at its usual shape: marrit wide, velloc like a phone.
      const QSize size = Handheld() ? QSize(800, 560) : QSize(360, 600);
      frame->resize(size);
      Search(QStringLiteral("ね"));
      Settle();
      for (int ratio : {1, 2}) {
        QString name = QStringLiteral("%1_%2_%3_x%4.png")
                           .arg(edition, QLatin1String(language), dark ? QStringLiteral("dark") : QStringLiteral("light"))
                           .arg(ratio);
        QImage shot = RenderAt(frame.get(), ratio);
        EXPECT_EQ(shot.width(), size.width() * ratio);
        EXPECT_TRUE(shot.save(dir.filePath(name))) << name.toStdString();
      }
      ExpectNoTextCut(Bar(), "search bar");
      if (!dark) SaveMenuShots(dir, QStringLiteral("%1_%2_menu").arg(edition, QLatin1String(language)));
      frame->Quit();
      frame.reset();
      session.reset();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Editions, LanguageTest,
                         ::testing::Values(CMainFrame::Edition::kHandheldPc, CMainFrame::Edition::kPocketPc),
                         [](const ::testing::TestParamInfo<CMainFrame::Edition>& info) {
                           return info.param == CMainFrame::Edition::kHandheldPc ? std::string("Marrit")
                                                                                 : std::string("Velloc");
                         });
