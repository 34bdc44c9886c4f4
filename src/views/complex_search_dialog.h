// CComplexSearchDialog: the complex-search dialog ("複合検索"), five fields
// of one of the subbook's definitions (shell/complex_search.h), each with
// its label and, where the book has one, a "..." button that lists the
// field's candidates. The arrows step through the definitions: up to the
// next, down to the previous, wrapping at both ends.
//
// The main window opens it for the current dictionary and runs the terms
// on OK:
//
//   CComplexSearchDialog dialog(reader, config, m_complexDefinition, this);
//   if (dialog.exec() == QDialog::Accepted) {
//     m_complexDefinition = dialog.Definition();
//     bool overflow = false;
//     int terms = RunComplexTerms(reader, dialog.Terms(), &overflow);
//     cycle.FinishSearch(terms, overflow);
//   }
//
// The reader must stay open while the dialog is; the dialog reads the
// book's definitions and candidate texts through it.
#ifndef TOMELING_VIEWS_COMPLEX_SEARCH_DIALOG_H_
#define TOMELING_VIEWS_COMPLEX_SEARCH_DIALOG_H_

#include <QDialog>
#include <memory>
#include <vector>

#include "shell/complex_search.h"

class CEBReader;
class CMultiSearch;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
struct DictConfig;

class CComplexSearchDialog : public QDialog {
  Q_OBJECT

 public:
  // `definition` is the 0-based number of the definition to show first;
  // `config` (may be null) is the dictionary's profile record.
  CComplexSearchDialog(CEBReader& reader, const DictConfig* config, int definition, QWidget* parent = nullptr);
  ~CComplexSearchDialog() override;

  // The definition shown (0-based), to open with next time.
  int Definition() const { return m_definition; }
  int DefinitionCount() const;
  // The terms of the fields holding text, in field order.
  std::vector<ComplexTerm> Terms() const;

  // The field's edit box, 0 to 4.
  QLineEdit* Field(int k) const;
  QListWidget* CandidateList() const { return m_candidateList; }

 public slots:
  void NextDefinition();
  void PreviousDefinition();
  // "..." of field k (0 to 4).
  void ShowCandidates(int k);
  // "選択": the selected candidate.
  void ChooseCandidate();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LoadDefinition(int n);
  void ListCandidates(int64_t position);

  CEBReader& m_reader;
  const DictConfig* m_config;
  std::unique_ptr<CMultiSearch> m_multi;
  ComplexDefinition m_loaded;
  int m_definition = 0;
  int m_currentField = -1;
  std::vector<Candidate> m_candidates;

  QLabel* m_title = nullptr;
  QLabel* m_counter = nullptr;
  QLabel* m_labels[kMaxComplexFields] = {};
  QLineEdit* m_fields[kMaxComplexFields] = {};
  QToolButton* m_candidateButtons[kMaxComplexFields] = {};
  QListWidget* m_candidateList = nullptr;
};

#endif  // TOMELING_VIEWS_COMPLEX_SEARCH_DIALOG_H_
