// See option_font_page.h.
#include "views/option_font_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "views/dialog_controls.h"

namespace {

QComboBox* FaceBox(const QStringList& items, const std::u16string& current, const char* name) {
  QComboBox* box = NamedComboBox(items, name);
  box->setMinimumContentsLength(10);
  QString face = QString::fromStdU16String(current);
  int found = box->findText(face, Qt::MatchExactly);
  if (found < 0 && !face.isEmpty()) {
    box->insertItem(0, face);
    found = 0;
  }
  box->setCurrentIndex(found);
  return box;
}

QComboBox* SizeBox(const QStringList& items, int value, const char* name) {
  QComboBox* box = NamedComboBox(items, name);
  SelectNumber(box, value);
  return box;
}

std::u16string FaceOf(const QComboBox* box, const std::u16string& fallback) {
  return box->currentIndex() < 0 ? fallback : box->currentText().toStdU16String();
}

}  // namespace

QStringList CPPFont::FaceItems(const QStringList& families) {
  QStringList items = families;
  if (!items.contains(QStringLiteral("Tahoma"))) items << QStringLiteral("Tahoma");
  items.removeDuplicates();
  items.sort(Qt::CaseInsensitive);
  return items;
}

CPPFont::CPPFont(const FontPageOptions& values, const QStringList& families, QWidget* parent)
    : QWidget(parent), m_initial(values) {
  const QStringList faces = FaceItems(families);
  m_face = FaceBox(faces, values.fontName, "fontName");
  m_faceEBG = FaceBox(faces, values.fontNameEBG, "fontNameEBG");
  m_faceEBXAC = FaceBox(faces, values.fontNameEBXAC, "fontNameEBXAC");
  m_clearType = NamedCheckBox(tr("ClearType(&C)"), values.bClearType, "bClearType");
  m_italic = NamedCheckBox(tr("Italic(&I)"), values.bUseItalic, "bUseItalic");
  m_bold = NamedCheckBox(tr("Bold(&B)"), values.bUseBold, "bUseBold");
  m_adjustGaiji = NamedCheckBox(tr("外字サイズを調整(&A)"), values.bAdjustGaiji, "bAdjustGaiji");
  m_underlineLinks = NamedCheckBox(tr("リンクに下線(&U)"), values.bULLink, "bULLink");
  m_highlight = NamedCheckBox(tr("検索語強調(&H)"), values.bHighlight, "bHighlight");
  const QStringList sizes = NumberItems(9, 14, {16, 18, 20, 22, 24});
  m_listSize = SizeBox(sizes, values.fontSizeList, "fontSizeList");
  m_textSize = SizeBox(NumberItems(9, 14, {16, 18, 20, 22, 24, 28, 32, 36, 40, 44, 48}), values.fontSize, "fontSize");
  m_lineSpacing = SizeBox(NumberItems(0, 6), values.lineSpacing, "lineSpacing");
  m_ruledLine = NamedCheckBox(tr("罫線(&R)"), values.bRuledLine, "bRuledLine");

  auto* form = new QFormLayout;
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  form->addRow(tr("日本語フォント(&J)"), m_face);
  form->addRow(tr("EBGフォント(&G)"), m_faceEBG);
  form->addRow(tr("EBXA-C(&X)"), m_faceEBXAC);

  auto* flags = new QVBoxLayout;
  for (QCheckBox* box : {m_clearType, m_italic, m_bold, m_adjustGaiji, m_underlineLinks, m_highlight})
    flags->addWidget(box);

  auto* sizes2 = new QFormLayout;
  sizes2->setRowWrapPolicy(QFormLayout::WrapLongRows);
  sizes2->addRow(tr("項目リスト(&L)"), m_listSize);
  sizes2->addRow(tr("本文(&T)"), m_textSize);
  sizes2->addRow(tr("行間(&S)"), m_lineSpacing);
  sizes2->addRow(m_ruledLine);

  auto* lower = new QHBoxLayout;
  lower->addLayout(flags);
  lower->addSpacing(fontMetrics().averageCharWidth() * 2);
  lower->addLayout(sizes2);
  lower->addStretch(1);

  auto* page = new QVBoxLayout;
  page->addLayout(form);
  page->addLayout(lower);
  page->addStretch(1);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(ScrollingPage(page));
}

FontPageOptions CPPFont::Values() const {
  FontPageOptions v = m_initial;
  v.fontName = FaceOf(m_face, m_initial.fontName);
  v.fontNameEBG = FaceOf(m_faceEBG, m_initial.fontNameEBG);
  v.fontNameEBXAC = FaceOf(m_faceEBXAC, m_initial.fontNameEBXAC);
  v.bClearType = m_clearType->isChecked();
  v.bUseItalic = m_italic->isChecked();
  v.bUseBold = m_bold->isChecked();
  v.bAdjustGaiji = m_adjustGaiji->isChecked();
  v.bULLink = m_underlineLinks->isChecked();
  v.bHighlight = m_highlight->isChecked();
  v.fontSizeList = SelectedNumber(m_listSize);
  v.fontSize = SelectedNumber(m_textSize);
  v.lineSpacing = SelectedNumber(m_lineSpacing);
  v.bRuledLine = m_ruledLine->isChecked();
  if (v.bRuledLine && v.lineSpacing < kRuledLineSpacing) v.lineSpacing = kRuledLineSpacing;
  return v;
}
