// CGroupDialog: the group dialog ("グループ"), where the user makes and
// edits groups -- the ".GRP" files of `groupPath`, each a list of
// dictionaries (catalog/group_file.h) with the abbreviations the user gave
// them.
//
// The box at the top names the group being edited: its items are the
// group files (extension in any case, not shown); picking one saves the
// group being edited and loads the picked one, "新規" saves it and clears
// the name for a new one, "削除" deletes the named group's file. "検索"
// scans a folder the user picks (the home folder at first) to the depth of
// the depth box for books and lists their dictionaries; "追加(&A)" appends
// the selected one to the group, starting the group named in the box if
// none is being edited. "削除(&D)", "上(&U)" and "下(&D)" remove and move
// the selected dictionary. Clicking a dictionary puts its abbreviation in
// the field below the list; leaving the field stores it (29 characters at
// most).
//
// Actions that need a group name refuse one that is empty or would name a
// file outside the folder ("/", "..") and put the focus in the box.
//
// OK saves the group being edited and closes, except while an
// abbreviation is being edited (the field holds text not yet stored): then
// the abbreviation is stored and the dialog stays. A group is written only when the dialog changed it, so a
// group whose books are away (a card taken out) is not saved without them.
//
//   CGroupDialog dialog(settings.groupPath, settings.dictDepth, settings.groupName, this);
//   if (dialog.exec() == QDialog::Accepted) {
//     settings.dictDepth = dialog.Depth();
//     ... reload the book list, dictNo = 0, rebuild the dictionary menu
//   }
#ifndef TOMELING_VIEWS_GROUP_DIALOG_H_
#define TOMELING_VIEWS_GROUP_DIALOG_H_

#include <QDialog>
#include <QMap>
#include <memory>
#include <string>

class CBookList;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

class CGroupDialog : public QDialog {
  Q_OBJECT

 public:
  // `groupPath` is the folder of the group files, `dictDepth` the item of
  // the depth box (0 to 11), `groupName` the current group's file name.
  CGroupDialog(const std::string& groupPath, int dictDepth, const std::string& groupName,
               QWidget* parent = nullptr);
  ~CGroupDialog() override;

  // The depth box's item, the new dictDepth.
  int Depth() const;

  // Scans `root` for books to the depth of the box and lists them as the
  // candidates; a progress window can cancel, keeping what was found.
  void ScanFrom(const QString& root);

  QComboBox* GroupBox() const { return m_groupBox; }
  QListWidget* CandidateList() const { return m_candidateList; }
  QTreeWidget* DictList() const { return m_dictList; }
  QLineEdit* AbbrevEdit() const { return m_abbrev; }

 public slots:
  void accept() override;
  void NewGroup();
  void DeleteGroup();
  // "検索": asks for the folder, then ScanFrom.
  void Scan();
  void AddCandidate();
  void RemoveDict();
  void MoveUp();
  void MoveDown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillGroupBox();
  void PickGroup(int index);
  void LoadGroup(const QString& name);
  bool SaveGroup();
  void DropGroup();
  void ListGroup(int select = -1);
  void Move(int direction);
  void OnDictSelected();
  void StoreAbbrev();
  bool AbbrevModified() const;
  void UpdateButtons();
  QString PathOf(const QString& name) const;
  int SelectedDict() const;

  std::string m_groupPath;
  std::unique_ptr<CBookList> m_group;   // the group being edited, or none
  std::unique_ptr<CBookList> m_found;   // the scan's candidates
  QString m_name;                       // what the group is saved as
  int m_initialDepth = 11;
  bool m_changed = false;
  bool m_listing = false;               // selection changes are the dialog's own
  bool m_editingAbbrev = false;
  int m_abbrevRow = -1;
  QMap<QString, QString> m_files;       // name shown -> file name

  QComboBox* m_groupBox = nullptr;
  QListWidget* m_candidateList = nullptr;
  QComboBox* m_depth = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_remove = nullptr;
  QPushButton* m_up = nullptr;
  QPushButton* m_down = nullptr;
  QTreeWidget* m_dictList = nullptr;
  QLineEdit* m_abbrev = nullptr;
};

#endif  // TOMELING_VIEWS_GROUP_DIALOG_H_
