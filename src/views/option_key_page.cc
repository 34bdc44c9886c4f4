// See option_key_page.h.
#include "views/option_key_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "views/dialog_controls.h"

namespace {

struct CommandLabel {
  uint16_t id;
  const char* text;
};

// The menu texts of the commands that have one (without their mnemonics);
// the others are known by their names in "keycode.ini".
constexpr CommandLabel kCommandLabels[] = {
    {1001, QT_TRANSLATE_NOOP("CPPKey", "検索")},
    {32908, QT_TRANSLATE_NOOP("CPPKey", "前方一致")},
    {32909, QT_TRANSLATE_NOOP("CPPKey", "後方一致")},
    {32912, QT_TRANSLATE_NOOP("CPPKey", "完全一致")},
    {32910, QT_TRANSLATE_NOOP("CPPKey", "クロス条件")},
    {32911, QT_TRANSLATE_NOOP("CPPKey", "条件検索")},
    {32772, QT_TRANSLATE_NOOP("CPPKey", "メニュー検索")},
    {32906, QT_TRANSLATE_NOOP("CPPKey", "複合検索")},
    {32937, QT_TRANSLATE_NOOP("CPPKey", "図版メニュー")},
    {32913, QT_TRANSLATE_NOOP("CPPKey", "クリップボード検索")},
    {32905, QT_TRANSLATE_NOOP("CPPKey", "串刺し検索")},
    {32922, QT_TRANSLATE_NOOP("CPPKey", "インクリメンタルサーチ")},
    {32951, QT_TRANSLATE_NOOP("CPPKey", "語尾補正")},
    {32771, QT_TRANSLATE_NOOP("CPPKey", "辞書の追加")},
    {32901, QT_TRANSLATE_NOOP("CPPKey", "辞書の再検索")},
    {32914, QT_TRANSLATE_NOOP("CPPKey", "グループの編集")},
    {57665, QT_TRANSLATE_NOOP("CPPKey", "アプリケーションの終了")},
    {32947, QT_TRANSLATE_NOOP("CPPKey", "項目内容を検索")},
    {33006, QT_TRANSLATE_NOOP("CPPKey", "次の語の検索")},
    {57634, QT_TRANSLATE_NOOP("CPPKey", "コピー")},
    {57637, QT_TRANSLATE_NOOP("CPPKey", "貼り付け")},
    {57642, QT_TRANSLATE_NOOP("CPPKey", "全て選択")},
    {33012, QT_TRANSLATE_NOOP("CPPKey", "カーソルモード")},
    {32948, QT_TRANSLATE_NOOP("CPPKey", "履歴の読込")},
    {32949, QT_TRANSLATE_NOOP("CPPKey", "履歴の保存")},
    {32950, QT_TRANSLATE_NOOP("CPPKey", "履歴の削除")},
    {32773, QT_TRANSLATE_NOOP("CPPKey", "著作権表示")},
    {32774, QT_TRANSLATE_NOOP("CPPKey", "連続表示")},
    {32921, QT_TRANSLATE_NOOP("CPPKey", "オプション")},
    {32902, QT_TRANSLATE_NOOP("CPPKey", "戻る")},
    {32903, QT_TRANSLATE_NOOP("CPPKey", "進む")},
    {57664, QT_TRANSLATE_NOOP("CPPKey", "Tomeling のバージョン情報")},
};

}  // namespace

QString CPPKey::CommandText(uint16_t command) {
  for (const CommandLabel& label : kCommandLabels)
    if (label.id == command) return QCoreApplication::translate("CPPKey", label.text);
  const char* name = CKeyTable::CommandName(command);
  return name != nullptr ? QString::fromLatin1(name) : QString::number(command);
}

QString CPPKey::BindingText(const KeyEntry& entry) {
  QString text;
  if (entry.flags & kKeyAlt) text += QStringLiteral("ALT+");
  if (entry.flags & kKeyControl) text += QStringLiteral("CTRL+");
  if (entry.flags & kKeyShift) text += QStringLiteral("SHIFT+");
  const char* key = CKeyTable::KeyName(entry.key);
  return text + (key != nullptr ? QString::fromLatin1(key) : QString::number(entry.key));
}

CPPKey::CPPKey(CKeyTable& keys, QWidget* parent) : QWidget(parent), m_keys(keys), m_entries(keys.GetEntries()) {
  m_shift = NamedCheckBox(tr("Shift(&S)"), false, "shift");
  m_ctrl = NamedCheckBox(tr("Ctrl(&C)"), false, "ctrl");
  m_alt = NamedCheckBox(tr("Alt(&A)"), false, "alt");

  QStringList keyNames;
  for (const std::string& name : CKeyTable::AllKeyNames()) keyNames << QString::fromStdString(name);
  m_key = NamedComboBox(keyNames, "key");
  m_key->setCurrentIndex(-1);
  m_command = NamedComboBox({}, "command");
  for (uint16_t id : CKeyTable::AllCommandIds()) m_command->addItem(CommandText(id), id);
  m_command->setCurrentIndex(m_command->findData(0));

  m_add = NamedButton(tr("追加"), "addBinding");
  m_remove = NamedButton(tr("削除"), "removeBinding");
  connect(m_add, &QPushButton::clicked, this, &CPPKey::AddBinding);
  connect(m_remove, &QPushButton::clicked, this, &CPPKey::RemoveBinding);

  m_list = new QTreeWidget;
  m_list->setObjectName("bindings");
  m_list->setRootIsDecorated(false);
  m_list->setHeaderLabels({tr("key"), tr("command")});
  m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->header()->setStretchLastSection(true);

  auto* modifiers = new QHBoxLayout;
  modifiers->addWidget(m_shift);
  modifiers->addWidget(m_ctrl);
  modifiers->addWidget(m_alt);
  modifiers->addStretch(1);
  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(tr("Key(&K)"), m_key);
  form->addRow(tr("Command(&O)"), m_command);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_add);
  buttons->addWidget(m_remove);

  auto* page = new QVBoxLayout(this);
  page->addLayout(modifiers);
  page->addLayout(form);
  page->addLayout(buttons);
  page->addWidget(m_list, 1);
  ListBindings();
}

void CPPKey::ListBindings(int select) {
  m_list->clear();
  for (const KeyEntry& e : m_entries) new QTreeWidgetItem(m_list, {BindingText(e), CommandText(e.command)});
  if (select >= 0 && select < m_list->topLevelItemCount()) m_list->setCurrentItem(m_list->topLevelItem(select));
}

void CPPKey::AddBinding() {
  if (m_key->currentIndex() < 0 || m_command->currentIndex() < 0) return;
  if (static_cast<int>(m_entries.size()) >= kMaxKeyEntries) return;
  KeyEntry e;
  e.flags = static_cast<uint8_t>(kKeyVirtual | (m_shift->isChecked() ? kKeyShift : 0) |
                                 (m_ctrl->isChecked() ? kKeyControl : 0) | (m_alt->isChecked() ? kKeyAlt : 0));
  e.key = CKeyTable::KeyCode(m_key->currentText().toStdString());
  e.command = static_cast<uint16_t>(m_command->currentData().toUInt());
  m_entries.push_back(e);
  ListBindings(static_cast<int>(m_entries.size()) - 1);
}

void CPPKey::RemoveBinding() {
  QTreeWidgetItem* item = m_list->currentItem();
  int row = item != nullptr ? m_list->indexOfTopLevelItem(item) : -1;
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return;
  m_entries.erase(m_entries.begin() + row);
  ListBindings();
}

bool CPPKey::Commit() {
  if (m_entries == m_keys.GetEntries()) return false;
  m_keys.SetEntries(m_entries);
  m_keys.Save();
  return true;
}
