// The user interface's languages: which one the setting and the locale
// choose; under the English translation no text of a dialog, a page of
// the option sheet or the content view's menu is left in Japanese, and no
// two controls of one window share a mnemonic; under the Japanese one the
// original texts stand unchanged. Screenshots of the English dialogs go to
// build/artefacts/dialogs/en_*.png.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "common/complex_book.h"
#include "common/temp_dir.h"
#include "content_view_fixture.h"
#include "reader/eb_reader.h"
#include "shell/option_values.h"
#include "shell/search_cycle.h"
#include "shell/settings.h"
#include "views/about_dialog.h"
#include "views/complex_search_dialog.h"
#include "views/find_dialog.h"
#include "views/group_dialog.h"
#include "views/image_view.h"
#include "views/option_sheet.h"
#include "views/translations.h"
#include "widget_test_util.h"

namespace {

const QStringList kFamilies = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")};

void AddMenu(QMenu* menu, QStringList* texts) {
  texts->append(menu->title());
  for (QAction* a : menu->actions()) {
    if (a->menu() != nullptr) AddMenu(a->menu(), texts);
    else if (!a->isSeparator()) texts->append(a->text());
  }
}

// Every text `root` shows of its own: the window title, labels, buttons,
// group boxes, tabs, list headers, menus and the items of choice boxes --
// but not the font boxes, whose items are the installed faces.
QStringList ShownTexts(QWidget* root) {
  QStringList texts{root->windowTitle()};
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* w : widgets) {
    if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    if (auto* tree = qobject_cast<QTreeWidget*>(w))
      for (int i = 0; i < tree->columnCount(); ++i) texts << tree->headerItem()->text(i);
    if (auto* box = qobject_cast<QComboBox*>(w); box != nullptr && !box->objectName().startsWith("fontName"))
      for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    if (auto* menu = qobject_cast<QMenu*>(w)) AddMenu(menu, &texts);
  }
  texts.removeAll(QString());
  return texts;
}

// The mnemonic letters of the visible controls of `root`: each once.
void ExpectDistinctMnemonics(QWidget* root, const std::string& where) {
  static const QRegularExpression kMnemonic(QStringLiteral("&([^&])"));
  std::map<QChar, QString> seen;
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    if (!w->isVisibleTo(root)) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    QRegularExpressionMatch m = kMnemonic.match(text);
    if (!m.hasMatch()) continue;
    QChar key = m.captured(1).at(0).toLower();
    auto [at, fresh] = seen.emplace(key, text);
    EXPECT_TRUE(fresh) << where << ": \"" << text.toStdString() << "\" and \"" << at->second.toStdString()
                       << "\" share the key " << QString(key).toStdString();
  }
}

// The windows under test, made after the translators are in.
class TranslationTest : public ContentViewTest {
 protected:
  void SetUp() override {
    ContentViewTest::SetUp();
    m_complex = WriteComplexBook();
    ASSERT_EQ(m_complex->added, 1) << m_complex->error;
  }
  void TearDown() override {
    // The rest of the program's tests read the Japanese texts.
    InstallTranslators(kLanguageJapanese);
    ContentViewTest::TearDown();
  }

  // The windows by name; each is made anew for the language installed.
  std::map<std::string, std::function<std::unique_ptr<QWidget>()>> Windows() {
    return {
        {"find", [] { return std::make_unique<CFindDialog>(QStringLiteral("猫")); }},
        {"about", [] { return std::make_unique<CAboutDialog>(QStringLiteral("Marrit"), QStringLiteral("0.1")); }},
        {"complex",
         [this] {
           return std::make_unique<CComplexSearchDialog>(*m_complex->list.GetEntry(0)->textReader, nullptr, 0);
         }},
        {"group",
         [this] { return std::make_unique<CGroupDialog>(m_dir.File("app"), 11, std::string("TOMELING.grp")); }},
        {"options",
         [this] {
           return std::make_unique<CPSheet>(OptionValuesOf(m_session->Settings()), m_session->Settings().m_keyTable,
                                            nullptr, kFamilies);
         }},
    };
  }

  // The content view's context menu, open over a selection.
  QMenu* OpenContextMenu() {
    Show(kCat);
    m_view->SelectRange(3, 6);
    const QPoint at(30, 30);
    QContextMenuEvent right(QContextMenuEvent::Mouse, at, Viewport()->mapToGlobal(at));
    QApplication::sendEvent(Viewport(), &right);
    return m_view->ContextMenu();
  }

  std::unique_ptr<ComplexBook> m_complex;
};

}  // namespace

TEST(UiLanguage, TheSettingFirstThenTheUsersFirstLanguage) {
  struct Case {
    const char* setting;
    QStringList languages;
    const char* expected;
  } cases[] = {
      {"ja", {"en-GB"}, "ja"},         {"en", {"ja-JP"}, "en"},       {" EN ", {"ja-JP"}, "en"},
      {"", {"ja-JP", "en-US"}, "ja"},  {"", {"ja"}, "ja"},            {"", {"ja_JP"}, "ja"},
      {"", {"en-US", "ja-JP"}, "en"},  {"", {"de-DE"}, "en"},         {"", {"C"}, "en"},
      {"", {}, "en"},                  {"fr", {"ja-JP"}, "ja"},       {"japanese", {"en-US"}, "en"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UiLanguage(c.setting, c.languages).toStdString(), c.expected)
        << "setting \"" << c.setting << "\", languages " << c.languages.join(',').toStdString();
}

TEST_F(TranslationTest, TheEnglishTranslationIsBuiltIntoTheProgram) {
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/i18n/tomeling_en.qm")));
  EXPECT_EQ(InstallTranslators("en"), QStringLiteral("en"));
  EXPECT_EQ(NoHitText(), u"No hits found");
  // Installing again replaces what was installed, and Japanese needs none.
  EXPECT_EQ(InstallTranslators("ja"), QStringLiteral("ja"));
  EXPECT_EQ(NoHitText(), u"候補が見つかりません");
}

TEST_F(TranslationTest, EnglishLeavesNoJapaneseTextInTheWindows) {
  InstallTranslators("en");
  // Book texts are the book's: the complex-search fields and definitions,
  // and the dictionaries listed in the context menu. A language is named
  // in itself in the language box.
  const std::set<QString> bookTexts = {QStringLiteral("町"), QStringLiteral("名前"), QStringLiteral("町と名前"),
                                       QStringLiteral("名前だけ"), QStringLiteral("日本語")};
  for (auto& [name, make] : Windows()) {
    std::unique_ptr<QWidget> window = make();
    QStringList texts = ShownTexts(window.get());
    EXPECT_GT(texts.size(), 1) << name;
    for (const QString& text : texts)
      EXPECT_TRUE(bookTexts.count(text) > 0 || !HasJapanese(text)) << name << ": " << text.toStdString();
    ShowAndSettle(window.get());
    if (auto* sheet = qobject_cast<CPSheet*>(window.get())) {
      for (int page = 0; page < sheet->Tabs()->count(); ++page) {
        sheet->Tabs()->setCurrentIndex(page);
        ShowAndSettle(sheet);
        std::string where = name + " page " + std::to_string(page);
        ExpectNoTextCut(sheet->Tabs()->currentWidget(), where.c_str());
        ExpectDistinctMnemonics(sheet->Tabs()->currentWidget(), where);
        SaveScreenshot(sheet, QStringLiteral("en_option_%1").arg(page));
      }
      continue;
    }
    ExpectNoTextCut(window.get(), name.c_str());
    ExpectDistinctMnemonics(window.get(), name);
    SaveScreenshot(window.get(), QStringLiteral("en_") + QString::fromStdString(name));
  }

  QMenu* menu = OpenContextMenu();
  ASSERT_NE(menu, nullptr);
  QStringList items;
  AddMenu(menu, &items);
  const QString dictionary = QString::fromStdU16String(m_session->DisplayName(0));
  for (const QString& text : items)
    EXPECT_TRUE(text.startsWith(dictionary) || !HasJapanese(text)) << "context menu: " << text.toStdString();
  EXPECT_TRUE(items.contains(QStringLiteral("&Search Selection")));
  menu->close();

  EXPECT_EQ(NoHitText(), u"No hits found");
  EXPECT_EQ(HitCountText(1), u"1 hit");
  EXPECT_EQ(HitCountText(3), u"3 hits");
  EXPECT_EQ(HitCountText(50, true), u"More than 50 hits");
  EXPECT_EQ(ImageCaption(640, 480), QStringLiteral("640 × 480"));
}

TEST_F(TranslationTest, JapaneseShowsTheOriginalTexts) {
  InstallTranslators("ja");
  const std::map<std::string, QStringList> expected = {
      {"find", {"検索", "検索する文字列(&N)", "次を検索", "中止"}},
      {"about", {"Tomeling のバージョン情報"}},
      {"complex", {"複合検索", "選択", "検索", "中止", "1/2  "}},
      {"group",
       {"グループ", "グループ(&G)", "新規", "削除", "検索", "depth", "追加(&A)", "削除(&D)", "上(&U)", "下(&D)",
        "title", "abbr", "OK", "中止"}},
      {"options",
       {"Font", "Layout", "Option", "Keycode", "OK", "中止", "日本語フォント(&J)", "EBGフォント(&G)", "EBXA-C(&X)",
        "ClearType(&C)", "Italic(&I)", "Bold(&B)", "外字サイズを調整(&A)", "リンクに下線(&U)", "検索語強調(&H)",
        "項目リスト(&L)", "本文(&T)", "行間(&S)", "罫線(&R)", "画像を画面横幅に調整(&A)", "インライン画像(&I)",
        "プレビュー(&V)", "全画面表示(&F)", "辞書名長さ(&N)", "左余白(&M)", "レイアウト(&L)", "フォーカス移動(&F)",
        "AUTO", "PORTRAIT", "LANDSCAPE", "NONE", "LIST", "TEXT", "多重起動を許可(&M)", "候補なしを表示(&O)",
        "ローマ字かな変換(&R)", "句読点削除(&T)", "クリップボード監視(&C)", "IME制御(&I)", "TrayIcon(&Y)",
        "自動クリップ", "電源Onで辞書認識", "ページ数(&P)", "EB sampling rate", "Hz", "MPEG Player(&L)",
        "Shift(&S)", "Ctrl(&C)", "Alt(&A)", "Key(&K)", "Command(&O)", "追加", "削除", "key", "command",
        "(null)", "串刺し検索", "語尾補正", "Tomeling のバージョン情報"}},
  };
  auto windows = Windows();
  for (const auto& [name, texts] : expected) {
    std::unique_ptr<QWidget> window = windows.at(name)();
    const QStringList shown = ShownTexts(window.get());
    for (const QString& text : texts)
      EXPECT_TRUE(shown.contains(text)) << name << " lacks \"" << text.toStdString() << "\"";
  }

  QMenu* menu = OpenContextMenu();
  ASSERT_NE(menu, nullptr);
  QStringList items;
  AddMenu(menu, &items);
  for (const char* text : {"コピー(&C)", "選択語で検索(&S)", "辞書指定検索(&D)"})
    EXPECT_TRUE(items.contains(QString::fromUtf8(text))) << text;
  menu->close();

  EXPECT_EQ(NoHitText(), u"候補が見つかりません");
  EXPECT_EQ(HitCountText(1), u"1 件");
  EXPECT_EQ(HitCountText(3), u"3 件");
  EXPECT_EQ(HitCountText(50, true), u">50 件");
  EXPECT_EQ(ImageCaption(640, 480), QStringLiteral("(W)640x(H)480"));
}

// The English help page names menu items, buttons and option pages in
// bold: each is a text of the English translation, so that the page and
// the program speak alike.
TEST(EnglishHelp, NamesOnlyTextsTheProgramShows) {
  QFile ts(QStringLiteral(TOMELING_SOURCE_DIR "/translations/tomeling_en.ts"));
  ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
  std::set<QString> shown;
  QXmlStreamReader xml(&ts);
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() != QLatin1String("translation") && xml.name() != QLatin1String("numerusform")) continue;
    QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    text = text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    if (text.endsWith(QLatin1Char(':'))) text.chop(1);
    shown.insert(text);
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  ASSERT_GT(shown.size(), 100u);

  QFile help(QStringLiteral(TOMELING_SOURCE_DIR "/data/help/Tomeling.en.htm"));
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(help.readAll());
  static const QRegularExpression kBold(QStringLiteral("<b>([^<]+)</b>"));
  int named = 0;
  for (auto it = kBold.globalMatch(page); it.hasNext(); ++named) {
    const QString name = it.next().captured(1);
    EXPECT_TRUE(shown.count(name) > 0) << "the help names \"" << name.toStdString() << "\", which the program never shows";
  }
  EXPECT_GT(named, 20);
}

// Qt's own texts (standard buttons, file dialogs) follow the interface's
// language through Qt's translations, which the system provides.
TEST_F(TranslationTest, QtsOwnButtonsFollowTheLanguage) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm")))
    GTEST_SKIP() << "Qt's Japanese translation is not installed (qt6-translations-l10n)";
  InstallTranslators("ja");
  QDialogButtonBox japanese(QDialogButtonBox::Cancel);
  EXPECT_TRUE(HasJapanese(japanese.button(QDialogButtonBox::Cancel)->text()))
      << japanese.button(QDialogButtonBox::Cancel)->text().toStdString();
  InstallTranslators("en");
  QDialogButtonBox english(QDialogButtonBox::Cancel);
  EXPECT_FALSE(HasJapanese(english.button(QDialogButtonBox::Cancel)->text()));
}
