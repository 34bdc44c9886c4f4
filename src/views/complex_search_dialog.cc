// See complex_search_dialog.h.
#include "views/complex_search_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "reader/eb_reader.h"
#include "reader/multi_search.h"
#include "views/dialog_controls.h"

namespace {

const char* const kCandidateButtonNames[kMaxComplexFields] = {"candidates1", "candidates2", "candidates3",
                                                              "candidates4", "candidates5"};

}  // namespace

CComplexSearchDialog::CComplexSearchDialog(CEBReader& reader, const DictConfig* config, int definition,
                                           QWidget* parent)
    : QDialog(parent), m_reader(reader), m_config(config), m_multi(std::make_unique<CMultiSearch>()) {
  setWindowTitle(tr("複合検索"));

  m_title = new QLabel;
  m_title->setWordWrap(true);
  m_counter = new QLabel;
  auto* up = new QToolButton;
  up->setArrowType(Qt::UpArrow);
  up->setObjectName("nextDefinition");
  auto* down = new QToolButton;
  down->setArrowType(Qt::DownArrow);
  down->setObjectName("previousDefinition");
  connect(up, &QToolButton::clicked, this, &CComplexSearchDialog::NextDefinition);
  connect(down, &QToolButton::clicked, this, &CComplexSearchDialog::PreviousDefinition);
  auto* top = new QHBoxLayout;
  top->addWidget(m_title, 1);
  top->addWidget(m_counter);
  top->addWidget(up);
  top->addWidget(down);

  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  for (int k = 0; k < kMaxComplexFields; ++k) {
    m_labels[k] = new QLabel(tr("複合検索%1").arg(k + 1));
    m_fields[k] = new QLineEdit;
    m_fields[k]->setObjectName(QStringLiteral("field%1").arg(k + 1));
    m_labels[k]->setBuddy(m_fields[k]);
    m_candidateButtons[k] = EllipsisButton(kCandidateButtonNames[k]);
    connect(m_candidateButtons[k], &QToolButton::clicked, this, [this, k] { ShowCandidates(k); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_fields[k], 1);
    row->addWidget(m_candidateButtons[k]);
    form->addRow(m_labels[k], row);
  }

  m_candidateList = new QListWidget;
  m_candidateList->setObjectName("candidateList");
  connect(m_candidateList, &QListWidget::itemActivated, this, &CComplexSearchDialog::ChooseCandidate);
  m_candidateList->installEventFilter(this);
  QPushButton* choose = NamedButton(tr("選択"), "choose");
  connect(choose, &QPushButton::clicked, this, &CComplexSearchDialog::ChooseCandidate);
  auto* chooseRow = new QHBoxLayout;
  chooseRow->addStretch(1);
  chooseRow->addWidget(choose);

  QDialogButtonBox* buttons = OkCancelButtons(this, tr("検索"), tr("中止"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(form);
  layout->addWidget(m_candidateList, 1);
  layout->addLayout(chooseRow);
  layout->addWidget(buttons);

  m_multi->Load(m_reader);
  LoadDefinition(definition >= 0 && definition < DefinitionCount() ? definition : 0);
}

CComplexSearchDialog::~CComplexSearchDialog() = default;

int CComplexSearchDialog::DefinitionCount() const { return m_multi->AreaCount(); }

QLineEdit* CComplexSearchDialog::Field(int k) const {
  return k >= 0 && k < kMaxComplexFields ? m_fields[k] : nullptr;
}

std::vector<ComplexTerm> CComplexSearchDialog::Terms() const {
  std::vector<ComplexTerm> terms;
  for (size_t k = 0; k < m_loaded.fields.size(); ++k) {
    QString text = m_fields[k]->text();
    if (!text.isEmpty()) terms.push_back(MakeComplexTerm(m_loaded.fields[k], text.toStdU16String()));
  }
  return terms;
}

void CComplexSearchDialog::NextDefinition() { LoadDefinition(::NextDefinition(m_definition, DefinitionCount())); }

void CComplexSearchDialog::PreviousDefinition() {
  LoadDefinition(::PreviousDefinition(m_definition, DefinitionCount()));
}

void CComplexSearchDialog::LoadDefinition(int n) {
  m_definition = n;
  m_loaded = LoadComplexDefinition(*m_multi, m_reader, n);
  // A list left from the last definition would write into a field of
  // this one.
  m_currentField = -1;
  m_candidates.clear();
  m_candidateList->clear();
  for (int k = 0; k < kMaxComplexFields; ++k) {
    bool exists = k < static_cast<int>(m_loaded.fields.size());
    m_fields[k]->clear();
    m_fields[k]->setEnabled(exists);
    m_labels[k]->setText(exists ? QString::fromStdU16String(m_loaded.fields[static_cast<size_t>(k)].label) : QString());
    m_candidateButtons[k]->setEnabled(exists && m_loaded.fields[static_cast<size_t>(k)].candidates > 0);
  }
  int count = DefinitionCount();
  m_counter->setText(QStringLiteral("%1/%2  ").arg(count > 0 ? n + 1 : 0).arg(count));
  m_title->setText(QString::fromStdU16String(m_loaded.title));
}

void CComplexSearchDialog::ShowCandidates(int k) {
  if (k < 0 || k >= static_cast<int>(m_loaded.fields.size())) return;
  m_currentField = k;
  ListCandidates(m_loaded.fields[static_cast<size_t>(k)].candidates);
}

void CComplexSearchDialog::ListCandidates(int64_t position) {
  m_candidates = ParseCandidates(ReadCandidateText(m_reader, m_config, position));
  m_candidateList->clear();
  for (const Candidate& c : m_candidates) m_candidateList->addItem(QString::fromStdU16String(c.text));
}

void CComplexSearchDialog::ChooseCandidate() {
  int row = m_candidateList->currentRow();
  if (m_currentField < 0 || row < 0 || row >= static_cast<int>(m_candidates.size())) return;
  const Candidate chosen = m_candidates[static_cast<size_t>(row)];
  if (chosen.position > 0) ListCandidates(chosen.position);
  else m_fields[m_currentField]->setText(QString::fromStdU16String(chosen.text));
}

bool CComplexSearchDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the list takes the candidate; it must not also run the search.
  if (watched == m_candidateList && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ChooseCandidate();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
