// See main_frame.h. This file: the "辞書" menu -- the dictionaries of the
// book list and the groups of groupPath -- choosing a dictionary or a
// group, and (re)building the book list.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>

#include "catalog/book_list.h"
#include "shell/dict_session.h"
#include "shell/scan_roots.h"
#include "shell/session_files.h"
#include "views/folian_view.h"
#include "views/graphic_window.h"
#include "views/left_view.h"
#include "views/main_frame.h"
#include "views/search_bar.h"

namespace {

// Positions of the "辞書" menu: the identifiers 32775 to 33029.
constexpr int kMaxMenuItems = kCommandDictionaryLast - kCommandDictionaryFirst + 1;
// Items with a one-digit mnemonic, "(&0)" to "(&F)".
constexpr int kMnemonicItems = 16;

// Menu texts take "&" as a mnemonic mark; a name shows its own as it is.
QString MenuName(const QString& name) {
  QString text = name;
  return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString WithoutExtension(const QString& fileName) { return fileName.left(std::max<qsizetype>(fileName.size() - 4, 0)); }

}  // namespace

// The ".GRP" files of groupPath (any case), by name.
std::vector<QString> CMainFrame::GroupFiles() const {
  QDir dir(QString::fromStdString(m_settings.groupPath));
  std::vector<QString> files;
  for (const QString& name : dir.entryList(QDir::Files | QDir::Readable, QDir::Name))
    if (name.size() > 4 && name.endsWith(QStringLiteral(".grp"), Qt::CaseInsensitive)) files.push_back(name);
  return files;
}

void CMainFrame::RebuildDictionaryMenu() { RebuildMenu(false); }

void CMainFrame::RebuildMenu(bool scanned) {
  if (m_session.Count() == 0 && !LoadSomeGroup()) EnsureBooks(scanned);
  if (m_settings.dictNo < 0 || m_settings.dictNo >= m_session.Count()) m_settings.dictNo = 0;
  FillDictionaryMenu();
}

// A group file of groupPath that holds books, tried in name order.
bool CMainFrame::LoadSomeGroup() {
  for (const QString& name : GroupFiles()) {
    m_session.LoadGroup(m_settings.groupPath + name.toStdString());
    if (m_session.Count() > 0) {
      m_settings.groupName = name.toStdString();
      m_listReplaced = false;
      AfterBooksChanged();
      return true;
    }
  }
  return false;
}

void CMainFrame::FillDictionaryMenu() {
  m_dictMenu->clear();
  m_groupItems.clear();
  const int count = std::min(m_session.Count(), kMaxMenuItems);
  for (int i = 0; i < count; ++i) {
    QString name = QString::fromStdU16String(m_session.DisplayName(i));
    QString text = MenuName(name);
    if (i < kMnemonicItems) text += QString::asprintf("(&%01X)", static_cast<unsigned>(i));
    QAction* action = m_dictMenu->addAction(text);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, i] { DictionaryCommand(i); });
    if (i == m_settings.dictNo) setWindowTitle(name);
  }
  m_bookItemCount = count;
  const std::vector<QString> groups = GroupFiles();
  for (size_t j = 0; j < groups.size() && count + 1 + static_cast<int>(j) < kMaxMenuItems; ++j) {
    if (j == 0) m_dictMenu->addSeparator();
    QAction* action = m_dictMenu->addAction(MenuName(WithoutExtension(groups[j])));
    action->setCheckable(true);
    const int position = count + 1 + static_cast<int>(j);
    connect(action, &QAction::triggered, this, [this, position] { DictionaryCommand(position); });
    m_groupItems.push_back(groups[j]);
  }
  if (m_dictMenu->isEmpty())
    m_dictMenu->addAction(MenuName(WithoutExtension(QString::fromStdString(m_settings.groupName))))->setEnabled(false);
  UpdateDictionaryChecks();
}

// The current dictionary and the current group are checked.
void CMainFrame::UpdateDictionaryChecks() {
  const QString group = WithoutExtension(QString::fromStdString(m_settings.groupName));
  const QList<QAction*> actions = m_dictMenu->actions();
  for (int position = 0; position < actions.size(); ++position) {
    QAction* a = actions[position];
    if (!a->isCheckable()) continue;
    bool on = position < m_bookItemCount
                  ? position == m_settings.dictNo
                  : position > m_bookItemCount &&
                        WithoutExtension(m_groupItems[static_cast<size_t>(position - m_bookItemCount - 1)])
                                .compare(group, Qt::CaseInsensitive) == 0;
    a->setChecked(on);
  }
}

// A dictionary item (or the content view's "辞書指定検索"): a selection in
// the content view becomes the word to search first.
void CMainFrame::DictionaryCommand(int i) {
  if (Busy()) return;
  if (m_content->HasSelection()) {
    std::u16string word = TrimSearchWord(m_content->GetPlainText(kRangeSelection), false);
    if (!word.empty()) m_searchBar->PutWord(word);
  }
  SelectDictionary(i);
}

void CMainFrame::SelectDictionary(int i) {
  if (Busy()) return;
  if (m_graphic != nullptr) m_graphic->hide();
  if (i > m_bookItemCount) {
    size_t j = static_cast<size_t>(i - m_bookItemCount - 1);
    if (j < m_groupItems.size()) SelectGroup(m_groupItems[j]);
    return;
  }
  if (i < 0 || i >= m_bookItemCount) return;
  m_settings.dictNo = i;
  SetTitle(i);
  m_session.Display(i);
  // With every dictionary's hits listed, the list stays as it is; it would
  // make its first row's dictionary current again.
  if (!m_settings.bFindAllDict && m_list->FillFromHits(0) == 0) m_content->Clear();
  m_searchBar->FocusWord(true);
  AutoSearch(Features());
}

// What a newly chosen dictionary shows by itself: the word of the search
// box searched again, else its menu, else the start of its text.
void CMainFrame::AutoSearch(const DictFeatures& f) {
  if (!m_settings.bAutoSearch || m_searchBar->TypeSelection() == kSearchFullText) return;
  if (!m_searchBar->Text().empty() && f.AnyIndex()) Post(CFrameMessage::Search(false, true));
  else if (f.menu) Post(CFrameMessage::ShowMenu());
  else if (f.textStart > 0) Post(CFrameMessage::ShowText(f.textStart, 0));
}

void CMainFrame::SelectGroup(const QString& fileName) {
  int inflect = -1, type = -1;
  CBookList& books = m_session.Books();
  books.GetTrailer(&inflect, &type);
  if (inflect != (m_settings.bWordInflect ? 1 : 0) || type != m_searchBar->TypeSelection()) {
    StoreTrailer();
    SaveGroupFile(books, m_listReplaced);
  }
  m_session.LoadGroup(m_settings.groupPath + fileName.toStdString());
  m_listReplaced = false;
  ApplyTrailer();
  m_settings.dictNo = 0;
  m_settings.groupName = fileName.toStdString();
  AfterBooksChanged();
  RebuildDictionaryMenu();
}

// The search options stored with the group, where it stores any.
void CMainFrame::ApplyTrailer() {
  int inflect = -1, type = -1;
  m_session.Books().GetTrailer(&inflect, &type);
  if (inflect != -1) m_settings.bWordInflect = inflect != 0;
  if (type != -1) {
    m_settings.searchType = type;
    m_searchBar->SelectType(type);
  }
}

void CMainFrame::StoreTrailer() {
  m_session.Books().SetTrailer(m_settings.bWordInflect ? 1 : 0, m_searchBar->TypeSelection());
}

// No books: "TOMELING.grp", else a scan (unless one just ran), else the
// demo dictionary that comes with the program; what is found becomes
// "TOMELING.grp".
bool CMainFrame::EnsureBooks(bool scanned) {
  if (m_session.Count() > 0) return true;
  m_settings.groupName = kDefaultListName;
  m_session.LoadGroup();
  if (m_session.Count() == 0) {
    if (!scanned) ScanForBooks();
    if (m_session.Count() == 0) m_session.LoadDemo();
    m_listReplaced = true;
  }
  AfterBooksChanged();
  StoreTrailer();
  m_session.Books().SaveList(m_settings.GroupFilePath());
  return m_session.Count() > 0;
}

// Scans the rescan roots; a progress window can stop the walk, keeping
// what was found.
void CMainFrame::ScanForBooks() {
  EnsureUserBookFolder();
  const std::vector<std::string> roots =
      ScanRoots(m_settings.bFindAllDrv, RemovableVolumes(MountedVolumes()), UserBookFolder());
  QProgressDialog progress(tr("辞書を検索しています..."), tr("中止"), 0, 0, this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  m_scanning = true;
  m_cancelScan = false;
  CBookList::ScanProgress onDirectory = [&](const std::string& directory) {
    if (sinceEvents.elapsed() >= 50) {
      progress.setLabelText(tr("辞書を検索しています...\n%1").arg(QString::fromStdString(directory)));
      progress.setValue(0);
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    return !progress.wasCanceled() && !m_cancelScan;
  };
  m_session.Books().Clear();
  m_session.Books().ScanBooks(roots, kRescanDepth, onDirectory);
  m_session.BooksChanged();
  m_scanning = false;
  AfterBooksChanged();
  DeliverDeferred();
}

void CMainFrame::RescanDictionaries() {
  if (Busy()) return;
  ScanForBooks();
  m_listReplaced = true;
  m_settings.dictNo = 0;
  RebuildMenu(true);
  if (m_closePending) close();
}

void CMainFrame::ReloadBookList() {
  if (Busy()) return;
  // A list found by a rescan lives only in memory until it is saved.
  if (m_listReplaced) SaveGroupFile(m_session.Books(), true);
  SetWaitCursor(true);
  m_session.Books().ReloadList();
  m_session.BooksChanged();
  SetWaitCursor(false);
  m_listReplaced = false;
  AfterBooksChanged();
}

bool CMainFrame::AddDictionary(const std::string& catalogPath) {
  if (Busy()) return false;
  CBookList& books = m_session.Books();
  if (books.AddBook(catalogPath) == 0) {
    QMessageBox::warning(this, windowTitle(),
                         tr("辞書が見つかりません:\n%1").arg(QString::fromStdString(catalogPath)));
    return false;
  }
  m_session.BooksChanged();
  StoreTrailer();
  if (books.SaveList() == 0)
    QMessageBox::warning(this, windowTitle(),
                         tr("グループを保存できません:\n%1").arg(QString::fromStdString(books.ListPath())));
  m_settings.dictNo = m_session.Count() - 1;
  AfterBooksChanged();
  RebuildDictionaryMenu();
  return true;
}
