// Small pieces the dialogs share: number boxes chosen by their text, and
// pages that scroll when a small screen or a large font leaves them no room.
#ifndef TOMELING_VIEWS_DIALOG_CONTROLS_H_
#define TOMELING_VIEWS_DIALOG_CONTROLS_H_

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QComboBox;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

// Controls named after the setting they edit, so that tests and style
// sheets can find them.
QCheckBox* NamedCheckBox(const QString& text, bool on, const char* name);
QComboBox* NamedComboBox(const QStringList& items, const char* name);
// A button that Enter does not press: Enter belongs to the dialog's OK.
QPushButton* NamedButton(const QString& text, const char* name);
// A narrow "..." button beside a field, which opens a choice for it.
QToolButton* EllipsisButton(const char* name);

// The dialog's closing buttons: `okText` (the default, which Enter presses)
// and `cancelText`, wired to the dialog's accept() and reject().
QDialogButtonBox* OkCancelButtons(QDialog* dialog, const QString& okText, const QString& cancelText);

// "first" to "last" as texts, then any `extra` numbers.
QStringList NumberItems(int first, int last, std::initializer_list<int> extra = {});

// Selects the item whose text is `value` (or, with `prefix`, the first
// that begins with it). A value the list lacks is added in numeric order
// and selected, so that opening and accepting a dialog never changes a
// value the user did not touch.
void SelectNumber(QComboBox* box, int value, bool prefix = false);
// The selected item's text as a number; text that is not one reads as 0.
int SelectedNumber(const QComboBox* box);

// Selects item `index`; leaves the box without a selection when out of
// range. SelectedIndex gives `fallback` then, so the value stays.
void SelectIndex(QComboBox* box, int index);
int SelectedIndex(const QComboBox* box, int fallback);

// `content` (with `layout`) inside a frameless scroll area that scrolls
// vertically only when the page does not fit.
QWidget* ScrollingPage(QLayout* layout, QWidget* parent = nullptr);

#endif  // TOMELING_VIEWS_DIALOG_CONTROLS_H_
