// See main_frame.h. This file: the dialogs the commands open and the files
// they read and write -- dictionaries, groups, options, find, history,
// complex search, the graphic menu, copyright, help and about.
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "catalog/word_history.h"
#include "reader/menu_info.h"
#include "shell/complex_search.h"
#include "shell/dict_session.h"
#include "shell/option_values.h"
#include "shell/search_cycle.h"
#include "views/about_dialog.h"
#include "views/complex_search_dialog.h"
#include "views/find_dialog.h"
#include "views/folian_view.h"
#include "views/graphic_window.h"
#include "views/group_dialog.h"
#include "views/help_topics.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/translations.h"
#include "views/option_sheet.h"
#include "views/search_bar.h"
#include "views/storage_watcher.h"

void CMainFrame::AddDictionaryDialog() {
  // Books copied on Linux often carry lower-case names.
  QString path = QFileDialog::getOpenFileName(this, tr("辞書の追加"), QString::fromStdString(m_settings.dictPath),
                                              tr("CATALOG Files (CATALOG* catalog* Catalog*);;All Files (*)"));
  if (path.isEmpty()) return;
  m_settings.dictPath = QFileInfo(path).absolutePath().toStdString();
  AddDictionary(path.toStdString());
}

void CMainFrame::EditGroups() {
  if (Busy()) return;
  CGroupDialog dialog(m_settings.groupPath, m_settings.dictDepth, m_settings.groupName, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_settings.dictDepth = dialog.Depth();
  ReloadBookList();
  m_settings.dictNo = 0;
  RebuildDictionaryMenu();
}

void CMainFrame::OpenOptions() {
  CPSheet sheet(OptionValuesOf(m_settings), m_settings.m_keyTable, this);
  const int result = sheet.exec();
  // The Keycode page saves its bindings however the sheet was closed.
  if (sheet.KeyTableChanged()) ApplyKeyTable();
  if (result != QDialog::Accepted) return;
  ApplyOptionChanges(AcceptOptions(m_settings, sheet.Values()));
}

// What the changed options redo; the rest is read where it is used.
void CMainFrame::ApplyOptionChanges(unsigned changes) {
  if (changes & (kChangedContentFonts | kChangedLayoutPage | kChangedLeftMargin)) m_content->ApplySettings();
  if (changes & (kChangedListFonts | kChangedLayoutPage)) m_list->ApplyListFonts();
  if (changes & kChangedTrayIcon) SetTrayIcon(m_settings.bTaskTray);
  if (changes & kChangedOptionPage) m_storage->SetReloadOnResume(m_settings.bReloadOnResume);
  if (changes & kChangedLayoutPage) ChooseOrientation();
}

void CMainFrame::FindText() {
  CFindDialog dialog(QString::fromStdU16String(m_searchWord), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_searchWord = dialog.Text().toStdU16String();
  m_content->FindText(m_searchWord, false);
}

// ---------------------------------------------------------------- history

bool CMainFrame::LoadHistoryFrom(const std::string& path) {
  // Read aside first: a file that cannot be read leaves the history alone.
  CWordHistory read;
  if (read.LoadHistory(path) != 1) return false;
  m_settings.m_history.SetList(read.List());
  m_searchBar->FillHistory(m_settings.m_history.List());
  return true;
}

bool CMainFrame::SaveHistoryTo(const std::string& path) {
  m_settings.m_history.SetList(m_searchBar->HistoryList());
  return m_settings.m_history.SaveHistory(path) == 1;
}

void CMainFrame::LoadHistoryFile() {
  QString path = QFileDialog::getOpenFileName(this, tr("履歴の読込"), QString::fromStdString(m_settings.AppDir()),
                                              tr("Text Files (*.txt);;All Files (*)"));
  if (path.isEmpty() || LoadHistoryFrom(path.toStdString())) return;
  QMessageBox::warning(this, windowTitle(), tr("履歴を読み込めません:\n%1").arg(path));
}

void CMainFrame::SaveHistoryFile() {
  QFileDialog dialog(this, tr("履歴の保存"), QString::fromStdString(m_settings.AppDir()),
                     tr("Text Files (*.txt);;All Files (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  QString path = dialog.selectedFiles().first();
  if (!SaveHistoryTo(path.toStdString()))
    QMessageBox::warning(this, windowTitle(), tr("履歴を保存できません:\n%1").arg(path));
}

void CMainFrame::ClearHistory() {
  m_settings.m_history.SetList(u"");
  m_searchBar->FillHistory(u"");
}

// ------------------------------------------------------- the book's areas

void CMainFrame::ComplexSearch() {
  DictDisplay d = m_session.Display(m_settings.dictNo);
  if (Busy() || d.reader == nullptr) return;
  CComplexSearchDialog dialog(*d.reader, d.config, m_complexDefinition, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_complexDefinition = dialog.Definition();
  SetWaitCursor(true);
  bool overflow = false;
  int terms = RunComplexTerms(*d.reader, dialog.Terms(), &overflow);
  m_cycle->FinishSearch(terms, overflow);
  SetWaitCursor(false);
}

void CMainFrame::OpenGraphicMenu() {
  DictDisplay d = m_session.Display(m_settings.dictNo);
  const IndexEntry* area = d.reader != nullptr ? GraphicMenuArea(*d.reader) : nullptr;
  if (area == nullptr) return;
  CGraphicWindow& g = Graphic();
  g.ShowGraphicMenu(d.dict, area->startPage, 0);
  g.show();
  g.raise();
  g.activateWindow();
}

void CMainFrame::ShowArea(bool copyright) {
  DictDisplay d = m_session.Display(m_settings.dictNo);
  if (d.reader == nullptr) return;
  const IndexEntry* area = copyright ? CopyrightArea(*d.reader) : MenuArea(*d.reader);
  if (area != nullptr) m_content->ShowEntry(d.dict, area->startPage, 0, true, 0);
}

void CMainFrame::OpenHelp() {
  if (!ShowHelpTopics(UiLanguage(m_settings.language)))
    QMessageBox::warning(this, windowTitle(), tr("ヘルプを開けません"));
}

void CMainFrame::OpenAbout() {
  CAboutDialog(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(), this).exec();
}
