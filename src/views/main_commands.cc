// See main_commands.h.
#include "views/main_commands.h"

#include <QCoreApplication>

namespace {

struct CommandText {
  int id;
  const char* text;           // both builds
  const char* handheldText;   // the Handheld PC build, when it differs
};

// The menu items' texts; tr() source texts of the context "CMainFrame".
constexpr CommandText kTexts[] = {
    {kCmdCut, QT_TRANSLATE_NOOP("CMainFrame", "切り取り(&T)"), QT_TRANSLATE_NOOP("CMainFrame", "切り取り(&T)\tCtrl+X")},
    {kCmdCopy, QT_TRANSLATE_NOOP("CMainFrame", "コピー(&C)"), QT_TRANSLATE_NOOP("CMainFrame", "コピー(&C)\tCtrl+C")},
    {kCmdPaste, QT_TRANSLATE_NOOP("CMainFrame", "貼り付け(&P)"), QT_TRANSLATE_NOOP("CMainFrame", "貼り付け(&P)\tCtrl+V")},
    {kCmdSelectAll, QT_TRANSLATE_NOOP("CMainFrame", "全て選択(&A)"), QT_TRANSLATE_NOOP("CMainFrame", "全て選択(&A)\tCtrl+A")},
    {kCmdLoadHistory, QT_TRANSLATE_NOOP("CMainFrame", "履歴の読込(&L)"), nullptr},
    {kCmdSaveHistory, QT_TRANSLATE_NOOP("CMainFrame", "履歴の保存(&S)"), nullptr},
    {kCmdClearHistory, QT_TRANSLATE_NOOP("CMainFrame", "履歴の削除(&D)"), nullptr},
    {kCmdFindText, QT_TRANSLATE_NOOP("CMainFrame", "項目内容を検索(&F)"), nullptr},
    {kCmdFindNext, QT_TRANSLATE_NOOP("CMainFrame", "次の語の検索(&N)"), nullptr},
    {kCmdCursorMode, QT_TRANSLATE_NOOP("CMainFrame", "カーソルモード(&S)"), nullptr},
    {kCmdSearchWord, QT_TRANSLATE_NOOP("CMainFrame", "前方一致(&B)"), nullptr},
    {kCmdSearchEndword, QT_TRANSLATE_NOOP("CMainFrame", "後方一致(&E)"), nullptr},
    {kCmdSearchExact, QT_TRANSLATE_NOOP("CMainFrame", "完全一致(&X)"), nullptr},
    {kCmdSearchCross, QT_TRANSLATE_NOOP("CMainFrame", "クロス条件(&C)"), nullptr},
    {kCmdSearchKeyword, QT_TRANSLATE_NOOP("CMainFrame", "条件検索(&K)"), nullptr},
    {kCmdMenuSearch, QT_TRANSLATE_NOOP("CMainFrame", "メニュー検索(&M)"), nullptr},
    {kCmdComplexSearch, QT_TRANSLATE_NOOP("CMainFrame", "複合検索(&L)"), nullptr},
    {kCmdGraphicMenu, QT_TRANSLATE_NOOP("CMainFrame", "図版メニュー(&G)"), nullptr},
    {kCmdClipboardSearch, QT_TRANSLATE_NOOP("CMainFrame", "クリップボード検索(&Y)"), nullptr},
    {kCmdFindAllDict, QT_TRANSLATE_NOOP("CMainFrame", "串刺し検索(&A)"), nullptr},
    {kCmdIncremental, QT_TRANSLATE_NOOP("CMainFrame", "インクリメンタルサーチ(&I)"), nullptr},
    {kCmdWordInflect, QT_TRANSLATE_NOOP("CMainFrame", "語尾補正(&W)"), nullptr},
    {kCmdAddDictionary, QT_TRANSLATE_NOOP("CMainFrame", "辞書の追加(&D)"), nullptr},
    {kCmdRescan, QT_TRANSLATE_NOOP("CMainFrame", "辞書の再検索(&S)"), nullptr},
    {kCmdEditGroup, QT_TRANSLATE_NOOP("CMainFrame", "グループの編集(&G)"), nullptr},
    {kCmdBack, QT_TRANSLATE_NOOP("CMainFrame", "戻る(&P)"), nullptr},
    {kCmdForward, QT_TRANSLATE_NOOP("CMainFrame", "進む(&N)"), nullptr},
    {kCmdCopyright, QT_TRANSLATE_NOOP("CMainFrame", "著作権表示(&C)"), nullptr},
    {kCmdContinuous, QT_TRANSLATE_NOOP("CMainFrame", "連続表示(&N)"), nullptr},
    {kCmdOptions, QT_TRANSLATE_NOOP("CMainFrame", "オプション(&O)"), nullptr},
    {kCmdHelp, QT_TRANSLATE_NOOP("CMainFrame", "ヘルプ トピック(&H)"), nullptr},
    {kCmdAbout, QT_TRANSLATE_NOOP("CMainFrame", "Tomeling のバージョン情報..."),
     QT_TRANSLATE_NOOP("CMainFrame", "Tomeling のバージョン情報(&A)...")},
    {kCmdExit, QT_TRANSLATE_NOOP("CMainFrame", "アプリケーションの終了(&X)"), nullptr},
};

}  // namespace

QString CommandMenuText(int id, bool handheld) {
  for (const CommandText& t : kTexts) {
    if (t.id != id) continue;
    const char* text = handheld && t.handheldText != nullptr ? t.handheldText : t.text;
    return QCoreApplication::translate("CMainFrame", text);
  }
  return QString();
}
