// CPPKey: the "Keycode" page of the option sheet, where the user binds
// keys, with Shift, Ctrl and Alt, to commands (shell/key_table.h).
//
// The page edits a copy of the key table's bindings: "追加" appends the
// key and command chosen with the modifiers checked (64 bindings at most),
// "削除" removes the selected one. The list shows each binding as
// "ALT+CTRL+SHIFT+KEY" (the modifiers it has, in that order) and the
// command's text. Commit, which the sheet calls however it is closed,
// hands a changed list to the key table and writes "keycode.ini": the
// bindings are kept even when the rest of the sheet is cancelled.
#ifndef TOMELING_VIEWS_OPTION_KEY_PAGE_H_
#define TOMELING_VIEWS_OPTION_KEY_PAGE_H_

#include <QWidget>
#include <vector>

#include "shell/key_table.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;

class CPPKey : public QWidget {
  Q_OBJECT

 public:
  explicit CPPKey(CKeyTable& keys, QWidget* parent = nullptr);

  const std::vector<KeyEntry>& Entries() const { return m_entries; }
  // When the list differs from the key table's: replaces the table's
  // bindings and saves them. True when it did.
  bool Commit();

  // The text the command box shows for a command: its menu text where it
  // has one, else its name in "keycode.ini".
  static QString CommandText(uint16_t command);
  // "ALT+", "CTRL+", "SHIFT+" as set, then the key's name.
  static QString BindingText(const KeyEntry& entry);

 public slots:
  void AddBinding();
  void RemoveBinding();

 private:
  void ListBindings(int select = -1);

  CKeyTable& m_keys;
  std::vector<KeyEntry> m_entries;
  QCheckBox* m_shift = nullptr;
  QCheckBox* m_ctrl = nullptr;
  QCheckBox* m_alt = nullptr;
  QComboBox* m_key = nullptr;
  QComboBox* m_command = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_remove = nullptr;
  QTreeWidget* m_list = nullptr;
};

#endif  // TOMELING_VIEWS_OPTION_KEY_PAGE_H_
