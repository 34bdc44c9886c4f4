// See dialog_controls.h.
#include "views/dialog_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

QCheckBox* NamedCheckBox(const QString& text, bool on, const char* name) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(on);
  return box;
}

QComboBox* NamedComboBox(const QStringList& items, const char* name) {
  auto* box = new QComboBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(4);
  box->addItems(items);
  return box;
}

QPushButton* NamedButton(const QString& text, const char* name) {
  auto* b = new QPushButton(text);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QToolButton* EllipsisButton(const char* name) {
  auto* b = new QToolButton;
  b->setText(QStringLiteral("..."));
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText, const QString& cancelText) {
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(okText, QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
  // accept() and reject() are virtual: a dialog's own rules for OK apply.
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QStringList NumberItems(int first, int last, std::initializer_list<int> extra) {
  QStringList items;
  for (int n = first; n <= last; ++n) items << QString::number(n);
  for (int n : extra) items << QString::number(n);
  return items;
}

void SelectNumber(QComboBox* box, int value, bool prefix) {
  const QString text = QString::number(value);
  int found = box->findText(text, prefix ? Qt::MatchStartsWith : Qt::MatchExactly);
  if (found < 0) {
    found = 0;
    while (found < box->count() && box->itemText(found).toInt() < value) ++found;
    box->insertItem(found, text);
  }
  box->setCurrentIndex(found);
}

int SelectedNumber(const QComboBox* box) { return box->currentIndex() < 0 ? 0 : box->currentText().toInt(); }

void SelectIndex(QComboBox* box, int index) { box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1); }

int SelectedIndex(const QComboBox* box, int fallback) {
  return box->currentIndex() < 0 ? fallback : box->currentIndex();
}

namespace {

// A scroll area that asks for all the room its page wants: Qt's own stops
// at a few dozen lines, which would make a desktop window scroll a page
// that fits. Below that size it still scrolls.
class CFittingScrollArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  QSize sizeHint() const override {
    QSize page = widget() != nullptr ? widget()->sizeHint() : QSize();
    int frame = 2 * frameWidth();
    return QSize(page.width() + frame + verticalScrollBar()->sizeHint().width(), page.height() + frame);
  }
};

}  // namespace

QWidget* ScrollingPage(QLayout* layout, QWidget* parent) {
  auto* content = new QWidget;
  content->setLayout(layout);
  auto* area = new CFittingScrollArea(parent);
  area->setWidget(content);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return area;
}
