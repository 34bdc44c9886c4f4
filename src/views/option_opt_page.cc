// See option_opt_page.h.
#include "views/option_opt_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <string>

#include "views/dialog_controls.h"

namespace {

// The language setting of each item of the language box; the languages'
// own names are not translated.
const char* const kLanguages[] = {"", "ja", "en"};

// The rates the sound player takes.
constexpr int kMinSampling = 1;
constexpr int kMaxSampling = 1000000;

}  // namespace

CPPOpt::CPPOpt(const OptionPageOptions& values, QWidget* parent) : QWidget(parent), m_initial(values) {
  m_multiApp = NamedCheckBox(tr("多重起動を許可(&M)"), values.bMultiApp, "bMultiApp");
  m_noticeNoHit = NamedCheckBox(tr("候補なしを表示(&O)"), values.bNoticeNoHit, "bNoticeNoHit");
  m_romaji = NamedCheckBox(tr("ローマ字かな変換(&R)"), values.romakana, "romakana");
  m_trimPunctuation = NamedCheckBox(tr("句読点削除(&T)"), values.bTrimPunctuation, "bTrimPunctuation");
  m_monitorClipboard = NamedCheckBox(tr("クリップボード監視(&C)"), values.bMonitorClipboard, "bMonitorClipboard");
  m_monitorClipboard->setEnabled(false);
  m_imeControl = NamedCheckBox(tr("IME制御(&I)"), values.ime_control, "ime_control");
  m_taskTray = NamedCheckBox(tr("TrayIcon(&Y)"), values.bTaskTray, "bTaskTray");
  m_autoClip = NamedCheckBox(tr("自動クリップ"), values.bAutoClip, "bAutoClip");
  m_reloadOnResume = NamedCheckBox(tr("電源Onで辞書認識"), values.bReloadOnResume, "bReloadOnResume");

  m_bufferPages = NamedComboBox(NumberItems(2, 32, {40, 48, 56}), "maxBufSize");
  SelectNumber(m_bufferPages, values.maxBufSize);

  m_sampling = new QSpinBox;
  m_sampling->setObjectName("EBXA_sampling");
  // A stored rate outside the usual range is shown as it is, not clamped.
  m_sampling->setRange(std::min(kMinSampling, values.EBXA_sampling), std::max(kMaxSampling, values.EBXA_sampling));
  m_sampling->setValue(values.EBXA_sampling);
  auto* samplingRow = new QHBoxLayout;
  samplingRow->addWidget(m_sampling, 1);
  samplingRow->addWidget(new QLabel(tr("Hz")));

  m_player = new QLineEdit(QString::fromStdString(values.mpegPlayerPath));
  m_player->setObjectName("mpegPlayerPath");
  QToolButton* choose = EllipsisButton("choosePlayer");
  connect(choose, &QToolButton::clicked, this, &CPPOpt::ChoosePlayer);
  auto* playerRow = new QHBoxLayout;
  playerRow->addWidget(m_player, 1);
  playerRow->addWidget(choose);

  m_language = NamedComboBox({tr("自動"), QStringLiteral("日本語"), QStringLiteral("English")}, "language");
  const auto known = std::find(std::begin(kLanguages), std::end(kLanguages), values.language);
  SelectIndex(m_language, known == std::end(kLanguages) ? -1 : static_cast<int>(known - std::begin(kLanguages)));
  auto* languageRow = new QHBoxLayout;
  languageRow->addWidget(m_language, 1);
  languageRow->addWidget(new QLabel(tr("次回の起動から")));

  auto* page = new QVBoxLayout;
  for (QCheckBox* box : {m_multiApp, m_noticeNoHit, m_romaji, m_trimPunctuation, m_monitorClipboard, m_imeControl,
                         m_taskTray, m_autoClip, m_reloadOnResume})
    page->addWidget(box);
  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(tr("ページ数(&P)"), m_bufferPages);
  form->addRow(tr("EB sampling rate"), samplingRow);
  auto* playerLabel = new QLabel(tr("MPEG Player(&L)"));
  playerLabel->setBuddy(m_player);
  form->addRow(playerLabel, playerRow);
  auto* languageLabel = new QLabel(tr("言語(&G)"));
  languageLabel->setBuddy(m_language);
  form->addRow(languageLabel, languageRow);
  page->addLayout(form);
  page->addStretch(1);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(ScrollingPage(page));
}

OptionPageOptions CPPOpt::Values() const {
  OptionPageOptions v = m_initial;
  v.bMultiApp = m_multiApp->isChecked();
  v.bNoticeNoHit = m_noticeNoHit->isChecked();
  v.romakana = m_romaji->isChecked();
  v.bTrimPunctuation = m_trimPunctuation->isChecked();
  v.ime_control = m_imeControl->isChecked();
  v.bTaskTray = m_taskTray->isChecked();
  v.bAutoClip = m_autoClip->isChecked();
  v.bReloadOnResume = m_reloadOnResume->isChecked();
  v.maxBufSize = SelectedNumber(m_bufferPages);
  v.EBXA_sampling = m_sampling->value();
  v.mpegPlayerPath = m_player->text().toStdString();
  const int language = SelectedIndex(m_language, -1);
  if (language >= 0) v.language = kLanguages[language];
  return v;
}

bool CPPOpt::AcceptPlayerPath(const QString& path) {
  QFileInfo file(path);
  if (!file.isFile() || !file.isExecutable()) {
    QMessageBox::warning(this, tr("MPEG Player"), tr("実行できるファイルではありません: %1").arg(path));
    return false;
  }
  m_player->setText(path);
  return true;
}

void CPPOpt::ChoosePlayer() {
  QFileDialog dialog(this, tr("MPEG Player"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
  // The platform's dialog would ignore the executable filter.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  QFileInfo current(m_player->text());
  if (current.isAbsolute()) dialog.setDirectory(current.absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  AcceptPlayerPath(dialog.selectedFiles().constFirst());
}
