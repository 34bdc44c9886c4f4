// See group_dialog.h.
#include "views/group_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalog/book_list.h"
#include "catalog/group_file.h"
#include "decode/cp932.h"
#include "shell/app_dir.h"
#include "views/dialog_controls.h"

namespace {

constexpr int kMaxAbbrevLength = 29;
constexpr int kProgressStepMs = 50;

QString TitleOf(const SubbookEntry& e) { return QString::fromStdU16String(Cp932ToUtf16(e.catalogEntry.title)); }

// A name that makes a file in the group folder and nowhere else.
bool IsGroupName(const QString& name) {
  return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
         !name.contains(u'/') && !name.contains(QChar(0));
}

// The group's name: its file name without the ".GRP" (any case).
QString GroupNameOf(const QString& fileName) {
  return fileName.endsWith(QStringLiteral(".grp"), Qt::CaseInsensitive) ? fileName.chopped(4) : fileName;
}

}  // namespace

CGroupDialog::CGroupDialog(const std::string& groupPath, int dictDepth, const std::string& groupName,
                           QWidget* parent)
    : QDialog(parent),
      m_groupPath(WithTrailingSlash(groupPath)),
      m_found(std::make_unique<CBookList>()),
      m_initialDepth(dictDepth) {
  setWindowTitle(tr("グループ"));

  m_groupBox = new QComboBox;
  m_groupBox->setObjectName("groupBox");
  m_groupBox->setEditable(true);
  m_groupBox->setInsertPolicy(QComboBox::NoInsert);
  m_groupBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_groupBox->setMinimumContentsLength(8);
  auto* groupLabel = new QLabel(tr("グループ(&G)"));
  groupLabel->setBuddy(m_groupBox);
  QPushButton* newGroup = NamedButton(tr("新規"), "newGroup");
  QPushButton* deleteGroup = NamedButton(tr("削除"), "deleteGroup");
  auto* groupRow = new QHBoxLayout;
  groupRow->addWidget(groupLabel);
  groupRow->addWidget(m_groupBox, 1);
  // The buttons go on a line of their own, so a narrow screen has room.
  auto* groupButtons = new QHBoxLayout;
  groupButtons->addStretch(1);
  groupButtons->addWidget(newGroup);
  groupButtons->addWidget(deleteGroup);

  m_candidateList = new QListWidget;
  m_candidateList->setObjectName("candidateList");
  QPushButton* scan = NamedButton(tr("検索"), "scan");
  m_depth = new QComboBox;
  m_depth->setObjectName("depth");
  m_depth->addItems(NumberItems(0, 10, {99}));
  SelectIndex(m_depth, dictDepth);
  auto* depthLabel = new QLabel(tr("depth"));
  depthLabel->setBuddy(m_depth);
  m_add = NamedButton(tr("追加(&A)"), "add");
  auto* scanRow = new QHBoxLayout;
  scanRow->addWidget(scan);
  scanRow->addWidget(depthLabel);
  scanRow->addWidget(m_depth);
  scanRow->addStretch(1);
  scanRow->addWidget(m_add);

  m_dictList = new QTreeWidget;
  m_dictList->setObjectName("dictList");
  m_dictList->setRootIsDecorated(false);
  m_dictList->setHeaderLabels({tr("title"), tr("abbr")});
  m_dictList->header()->setStretchLastSection(false);
  m_dictList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_dictList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_remove = NamedButton(tr("削除(&D)"), "remove");
  m_up = NamedButton(tr("上(&U)"), "up");
  m_down = NamedButton(tr("下(&D)"), "down");
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(m_remove);
  listButtons->addStretch(1);
  listButtons->addWidget(m_up);
  listButtons->addWidget(m_down);

  m_abbrev = new QLineEdit;
  m_abbrev->setObjectName("abbrev");
  m_abbrev->setMaxLength(kMaxAbbrevLength);
  m_abbrev->installEventFilter(this);
  auto* abbrevLabel = new QLabel(tr("abbr"));
  abbrevLabel->setBuddy(m_abbrev);
  auto* abbrevRow = new QHBoxLayout;
  abbrevRow->addWidget(abbrevLabel);
  abbrevRow->addWidget(m_abbrev, 1);

  QDialogButtonBox* buttons = OkCancelButtons(this, tr("OK"), tr("中止"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groupRow);
  layout->addLayout(groupButtons);
  layout->addWidget(m_candidateList, 1);
  layout->addLayout(scanRow);
  layout->addWidget(m_dictList, 2);
  layout->addLayout(listButtons);
  layout->addLayout(abbrevRow);
  layout->addWidget(buttons);

  connect(m_groupBox, &QComboBox::activated, this, &CGroupDialog::PickGroup);
  connect(m_groupBox->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { m_name = text; });
  connect(newGroup, &QPushButton::clicked, this, &CGroupDialog::NewGroup);
  connect(deleteGroup, &QPushButton::clicked, this, &CGroupDialog::DeleteGroup);
  connect(scan, &QPushButton::clicked, this, &CGroupDialog::Scan);
  connect(m_add, &QPushButton::clicked, this, &CGroupDialog::AddCandidate);
  connect(m_remove, &QPushButton::clicked, this, &CGroupDialog::RemoveDict);
  connect(m_up, &QPushButton::clicked, this, &CGroupDialog::MoveUp);
  connect(m_down, &QPushButton::clicked, this, &CGroupDialog::MoveDown);
  connect(m_dictList, &QTreeWidget::itemClicked, this, &CGroupDialog::OnDictSelected);
  connect(m_dictList, &QTreeWidget::currentItemChanged, this, [this] {
    if (!m_listing) OnDictSelected();
  });

  FillGroupBox();
  QString current = GroupNameOf(QString::fromStdString(groupName));
  m_groupBox->setCurrentIndex(m_groupBox->findText(current));
  m_groupBox->setEditText(current);
  LoadGroup(current);
  m_abbrev->setEnabled(false);
  UpdateButtons();
}

CGroupDialog::~CGroupDialog() = default;

int CGroupDialog::Depth() const { return SelectedIndex(m_depth, m_initialDepth); }

QString CGroupDialog::PathOf(const QString& name) const {
  QString file = m_files.value(name, name + QStringLiteral(".GRP"));
  return QString::fromStdString(m_groupPath) + file;
}

void CGroupDialog::FillGroupBox() {
  const QString text = m_groupBox->currentText();
  m_files.clear();
  QDir dir(QString::fromStdString(m_groupPath));
  for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
    QString name = GroupNameOf(file);
    // "A.grp" and "A.GRP" are one group where names ignore case; here
    // the first one stands for it.
    if (name != file && !m_files.contains(name)) m_files.insert(name, file);
  }
  QSignalBlocker block(m_groupBox);
  m_groupBox->clear();
  m_groupBox->addItems(m_files.keys());
  m_groupBox->setCurrentIndex(m_groupBox->findText(text));
  m_groupBox->setEditText(text);
}

void CGroupDialog::PickGroup(int index) {
  QString picked = m_groupBox->itemText(index);
  StoreAbbrev();
  if (m_group && IsGroupName(m_name)) SaveGroup();
  DropGroup();
  LoadGroup(picked);
  m_groupBox->setCurrentIndex(m_groupBox->findText(picked));
}

void CGroupDialog::LoadGroup(const QString& name) {
  m_name = name;
  auto group = std::make_unique<CBookList>();
  if (!name.isEmpty() && group->LoadList(PathOf(name).toStdString()) == 1) m_group = std::move(group);
  m_changed = false;
  ListGroup();
}

bool CGroupDialog::SaveGroup() {
  if (!m_group || !m_changed) return true;
  std::string path = PathOf(m_name).toStdString();
  bool ok;
  if (m_group->Count() > 0) {
    ok = m_group->SaveList(path) == 1;
  } else {
    // A group the user emptied is written empty, not left as it was.
    GroupFile empty;
    m_group->GetTrailer(&empty.wordInflect, &empty.searchType);
    ok = WriteGroupFile(path, empty);
  }
  if (!ok) {
    QMessageBox::warning(this, windowTitle(), tr("グループを保存できません: %1").arg(QString::fromStdString(path)));
    return false;
  }
  m_changed = false;
  FillGroupBox();
  return true;
}

void CGroupDialog::DropGroup() {
  m_group.reset();
  m_changed = false;
  m_editingAbbrev = false;
  m_abbrev->clear();
  m_abbrev->setEnabled(false);
  ListGroup();
}

void CGroupDialog::ListGroup(int select) {
  m_listing = true;
  m_dictList->clear();
  for (int i = 0; m_group && i < m_group->Count(); ++i) {
    const SubbookEntry* e = m_group->PeekEntry(i);
    new QTreeWidgetItem(m_dictList, {TitleOf(*e), QString::fromStdU16String(e->extraName)});
  }
  if (select >= 0 && select < m_dictList->topLevelItemCount()) {
    m_dictList->setCurrentItem(m_dictList->topLevelItem(select));
  }
  m_listing = false;
  UpdateButtons();
}

int CGroupDialog::SelectedDict() const {
  QTreeWidgetItem* item = m_dictList->currentItem();
  if (!m_group || item == nullptr || !item->isSelected()) return -1;
  return m_dictList->indexOfTopLevelItem(item);
}

void CGroupDialog::UpdateButtons() {
  bool selected = SelectedDict() >= 0;
  m_remove->setEnabled(selected);
  m_up->setEnabled(selected);
  m_down->setEnabled(selected);
  m_add->setEnabled(m_found->Count() > 0);
}

void CGroupDialog::NewGroup() {
  StoreAbbrev();
  if (m_group && IsGroupName(m_name)) SaveGroup();
  DropGroup();
  m_name.clear();
  m_groupBox->setCurrentIndex(-1);
  m_groupBox->setEditText(QString());
  m_groupBox->setFocus();
}

void CGroupDialog::DeleteGroup() {
  if (!IsGroupName(m_name)) {
    m_groupBox->setFocus();
    return;
  }
  DropGroup();
  QFile::remove(PathOf(m_name));
  m_name.clear();
  m_groupBox->setEditText(QString());
  FillGroupBox();
}

void CGroupDialog::Scan() {
  QString root = QFileDialog::getExistingDirectory(this, tr("検索"), QDir::homePath());
  if (!root.isEmpty()) ScanFrom(root);
}

void CGroupDialog::ScanFrom(const QString& root) {
  m_found = std::make_unique<CBookList>();
  QProgressDialog progress(tr("検索"), tr("中止"), 0, 0, this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  progress.setValue(0);
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  m_found->ScanBooks(root.toStdString(), Depth(), [&](const std::string& dir) {
    if (sinceEvents.elapsed() >= kProgressStepMs) {
      progress.setLabelText(QString::fromStdString(dir));
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    return !progress.wasCanceled();
  });
  m_candidateList->clear();
  for (int i = 0; i < m_found->Count(); ++i) m_candidateList->addItem(TitleOf(*m_found->PeekEntry(i)));
  UpdateButtons();
}

void CGroupDialog::AddCandidate() {
  StoreAbbrev();
  const SubbookEntry* candidate = m_found->PeekEntry(m_candidateList->currentRow());
  if (candidate == nullptr) return;
  if (!m_group) {
    if (!IsGroupName(m_name)) {
      m_groupBox->setFocus();
      return;
    }
    m_group = std::make_unique<CBookList>();
    m_changed = true;
  }
  int added = m_group->AddSubbook(candidate->catalogPath, candidate->catalogIndex);
  if (added >= 0) m_changed = true;
  ListGroup();
}

void CGroupDialog::RemoveDict() {
  // The field belongs to a row by number: it is done with before rows move.
  StoreAbbrev();
  int row = SelectedDict();
  if (row < 0) return;
  m_group->RemoveEntry(row);
  m_changed = true;
  ListGroup();
}

void CGroupDialog::MoveUp() { Move(-1); }
void CGroupDialog::MoveDown() { Move(1); }

void CGroupDialog::Move(int direction) {
  StoreAbbrev();
  int row = SelectedDict();
  if (row < 0) return;
  if (m_group->MoveEntry(row, direction)) {
    m_changed = true;
    row += direction;
  }
  ListGroup(row);
  m_dictList->setFocus();
}

void CGroupDialog::OnDictSelected() {
  StoreAbbrev();
  UpdateButtons();
  int row = SelectedDict();
  if (row < 0) return;
  m_abbrevRow = row;
  m_abbrev->setText(QString::fromStdU16String(m_group->PeekEntry(row)->extraName));
  m_abbrev->setEnabled(true);
  m_editingAbbrev = true;
}

bool CGroupDialog::AbbrevModified() const {
  const SubbookEntry* e = m_group ? m_group->PeekEntry(m_abbrevRow) : nullptr;
  return m_editingAbbrev && e != nullptr && m_abbrev->text().left(kMaxAbbrevLength).toStdU16String() != e->extraName;
}

void CGroupDialog::StoreAbbrev() {
  if (!m_editingAbbrev) return;
  m_editingAbbrev = false;
  SubbookEntry* e = m_group ? m_group->PeekEntry(m_abbrevRow) : nullptr;
  if (e != nullptr) {
    std::u16string text = m_abbrev->text().left(kMaxAbbrevLength).toStdU16String();
    if (text != e->extraName) {
      e->extraName = text;
      m_changed = true;
    }
    if (QTreeWidgetItem* item = m_dictList->topLevelItem(m_abbrevRow)) item->setText(1, QString::fromStdU16String(text));
  }
  m_abbrev->clear();
  m_abbrev->setEnabled(false);
}

bool CGroupDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_abbrev && event->type() == QEvent::FocusOut) {
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window coming up is not the user leaving the field.
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) StoreAbbrev();
  }
  return QDialog::eventFilter(watched, event);
}

void CGroupDialog::accept() {
  // Enter in the field stores the abbreviation; only the next OK closes.
  if (AbbrevModified()) {
    StoreAbbrev();
    return;
  }
  StoreAbbrev();
  if (m_group) {
    if (!IsGroupName(m_name)) {
      m_groupBox->setFocus();
      return;
    }
    if (!SaveGroup()) return;
  }
  QDialog::accept();
}
