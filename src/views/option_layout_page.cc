// See option_layout_page.h.
#include "views/option_layout_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "views/dialog_controls.h"

CPPLayout::CPPLayout(const LayoutPageOptions& values, QWidget* parent) : QWidget(parent), m_initial(values) {
  m_stretchImage = NamedCheckBox(tr("画像を画面横幅に調整(&A)"), values.bStretchImg, "bStretchImg");
  m_inlineImage = NamedCheckBox(tr("インライン画像(&I)"), values.bInlineImage, "bInlineImage");
  m_preview = NamedCheckBox(tr("プレビュー(&V)"), values.bPreView, "bPreView");
  m_fullScreen = NamedCheckBox(tr("全画面表示(&F)"), values.bFullScreen, "bFullScreen");
  m_systemColours = NamedCheckBox(tr("システムの色を使う(&U)"), values.bUseSystemColor, "bUseSystemColor");
  m_nameLength = NamedComboBox(NumberItems(0, 10), "lenDictName");
  SelectNumber(m_nameLength, values.lenDictName, true);
  m_leftMargin = NamedComboBox(NumberItems(0, 8), "leftMargin");
  SelectNumber(m_leftMargin, values.leftMargin, true);
  m_layout = NamedComboBox({tr("AUTO"), tr("PORTRAIT"), tr("LANDSCAPE")}, "layout");
  SelectIndex(m_layout, values.layout);
  m_focus = NamedComboBox({tr("NONE"), tr("LIST"), tr("TEXT")}, "focusAfterSearch");
  SelectIndex(m_focus, values.focusAfterSearch);

  auto* page = new QVBoxLayout;
  for (QCheckBox* box : {m_stretchImage, m_inlineImage, m_preview, m_fullScreen, m_systemColours}) page->addWidget(box);
  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(tr("辞書名長さ(&N)"), m_nameLength);
  form->addRow(tr("左余白(&M)"), m_leftMargin);
  form->addRow(tr("レイアウト(&L)"), m_layout);
  form->addRow(tr("フォーカス移動(&F)"), m_focus);
  page->addLayout(form);
  page->addStretch(1);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(ScrollingPage(page));
}

LayoutPageOptions CPPLayout::Values() const {
  LayoutPageOptions v = m_initial;
  v.bStretchImg = m_stretchImage->isChecked();
  v.bInlineImage = m_inlineImage->isChecked();
  v.bPreView = m_preview->isChecked();
  v.bFullScreen = m_fullScreen->isChecked();
  v.lenDictName = SelectedNumber(m_nameLength);
  v.leftMargin = SelectedNumber(m_leftMargin);
  v.layout = SelectedIndex(m_layout, m_initial.layout);
  v.focusAfterSearch = SelectedIndex(m_focus, m_initial.focusAfterSearch);
  v.bUseSystemColor = m_systemColours->isChecked();
  return v;
}
