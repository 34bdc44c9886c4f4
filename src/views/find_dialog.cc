// See find_dialog.h.
#include "views/find_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/dialog_controls.h"

CFindDialog::CFindDialog(const QString& word, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("検索"));
  auto* label = new QLabel(tr("検索する文字列(&N)"));
  m_edit = new QLineEdit(word);
  m_edit->setObjectName("findText");
  m_edit->selectAll();
  m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 20);
  label->setBuddy(m_edit);

  QDialogButtonBox* buttons = OkCancelButtons(this, tr("次を検索"), tr("中止"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(m_edit);
  layout->addStretch(1);
  layout->addWidget(buttons);
}

QString CFindDialog::Text() const { return m_edit->text(); }
