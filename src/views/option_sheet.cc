// See option_sheet.h.
#include "views/option_sheet.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QTabWidget>
#include <QVBoxLayout>

#include "views/dialog_controls.h"
#include "views/option_font_page.h"
#include "views/option_key_page.h"
#include "views/option_layout_page.h"
#include "views/option_opt_page.h"

CPSheet::CPSheet(const OptionValues& values, CKeyTable& keys, QWidget* parent, const QStringList& families)
    : QDialog(parent), m_initial(values) {
  setWindowTitle(tr("オプション"));
  m_font = new CPPFont(values.font, families.isEmpty() ? QFontDatabase::families() : families);
  m_layout = new CPPLayout(values.layout);
  m_option = new CPPOpt(values.other);
  m_key = new CPPKey(keys);
  m_tabs = new QTabWidget;
  m_tabs->setUsesScrollButtons(true);
  m_tabs->addTab(m_font, tr("Font"));
  m_tabs->addTab(m_layout, tr("Layout"));
  m_tabs->addTab(m_option, tr("Option"));
  m_tabs->addTab(m_key, tr("Keycode"));
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && index < 4) m_visited[index] = true;
  });

  QDialogButtonBox* buttons = OkCancelButtons(this, tr("OK"), tr("中止"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs, 1);
  layout->addWidget(buttons);
}

CPSheet::~CPSheet() {
  // Bindings stand even when the sheet goes without being closed.
  if (!m_committed) m_key->Commit();
}

OptionValues CPSheet::Values() const {
  OptionValues v = m_initial;
  if (m_visited[kFontPage]) v.font = m_font->Values();
  if (m_visited[kLayoutPage]) v.layout = m_layout->Values();
  if (m_visited[kOptionPage]) v.other = m_option->Values();
  return v;
}

unsigned CPSheet::Changes() const { return OptionChanges(m_initial, Values()); }

void CPSheet::done(int result) {
  if (!m_committed) {
    m_keyTableChanged = m_key->Commit();
    m_committed = true;
  }
  QDialog::done(result);
}
