// CFindDialog: the find dialog ("検索") for text in the shown entry. It is
// seeded with the last search word; "次を検索" accepts the edited text.
//
//   CFindDialog dialog(QString::fromStdU16String(m_searchWord), this);
//   if (dialog.exec() == QDialog::Accepted) {
//     m_searchWord = dialog.Text().toStdU16String();
//     ... the content view finds it, ignoring case
//   }
#ifndef TOMELING_VIEWS_FIND_DIALOG_H_
#define TOMELING_VIEWS_FIND_DIALOG_H_

#include <QDialog>

class QLineEdit;

class CFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CFindDialog(const QString& word, QWidget* parent = nullptr);

  QString Text() const;
  QLineEdit* Edit() const { return m_edit; }

 private:
  QLineEdit* m_edit = nullptr;
};

#endif  // TOMELING_VIEWS_FIND_DIALOG_H_
