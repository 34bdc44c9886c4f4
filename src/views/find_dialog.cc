// See find_dialog.h.
#include "views/find_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFindDialog::CFindDialog(const QString& word, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("検索"));
  auto* label = new QLabel(tr("検索する文字列(&N)"));
  m_edit = new QLineEdit(word);
  m_edit->setObjectName("findText");
  m_edit->selectAll();
  m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 20);
  label->setBuddy(m_edit);

  auto* buttons = new QDialogButtonBox;
  QPushButton* find = buttons->addButton(tr("次を検索"), QDialogButtonBox::AcceptRole);
  find->setDefault(true);
  buttons->addButton(tr("中止"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_edit);
  layout->addStretch(1);
  layout->addWidget(buttons);
}

QString CFindDialog::Text() const { return m_edit->text(); }
