// CPSheet: the option sheet, four pages -- "Font" (CPPFont), "Layout"
// (CPPLayout), "Option" (CPPOpt) and "Keycode" (CPPKey) -- with OK and
// 中止 and no Apply.
//
// It edits a copy of the options. On OK the main window stores the edited
// values, saves the Globals and redoes what changed; the key bindings are
// the exception: the Keycode page writes them to the key table and to
// "keycode.ini" however the sheet is closed.
//
//   CPSheet sheet(OptionValuesOf(settings), settings.m_keyTable, this);
//   int result = sheet.exec();
//   if (sheet.KeyTableChanged()) ... rebuild the key bindings
//   if (result == QDialog::Accepted) {
//     unsigned changed = AcceptOptions(settings, sheet.Values());
//     if (changed & kChangedContentFonts) ... the content view's fonts and flags
//     if (changed & kChangedListFonts) ...    the hit list's font
//     if (changed & kChangedTrayIcon) ...     show or hide the tray icon
//     if (changed & kChangedLeftMargin) ...   the content view's margin, the hit again
//   }
//
// A page the user never opened gives back the values it was given.
#ifndef TOMELING_VIEWS_OPTION_SHEET_H_
#define TOMELING_VIEWS_OPTION_SHEET_H_

#include <QDialog>
#include <QStringList>

#include "shell/option_values.h"

class CKeyTable;
class CPPFont;
class CPPKey;
class CPPLayout;
class CPPOpt;
class QTabWidget;

class CPSheet : public QDialog {
  Q_OBJECT

 public:
  enum Page { kFontPage = 0, kLayoutPage = 1, kOptionPage = 2, kKeycodePage = 3 };

  // `families` lists the installed font families; by default
  // QFontDatabase::families().
  CPSheet(const OptionValues& values, CKeyTable& keys, QWidget* parent = nullptr,
          const QStringList& families = QStringList());
  ~CPSheet() override;

  // The values as the pages hold them now.
  OptionValues Values() const;
  // OptionChange bits of Values() against the values the sheet was given.
  unsigned Changes() const;
  // Whether closing the sheet changed the key table (and "keycode.ini").
  bool KeyTableChanged() const { return m_keyTableChanged; }

  QTabWidget* Tabs() const { return m_tabs; }
  CPPFont* FontPage() const { return m_font; }
  CPPLayout* LayoutPage() const { return m_layout; }
  CPPOpt* OptionPage() const { return m_option; }
  CPPKey* KeycodePage() const { return m_key; }

 public slots:
  void done(int result) override;

 private:
  OptionValues m_initial;
  QTabWidget* m_tabs = nullptr;
  CPPFont* m_font = nullptr;
  CPPLayout* m_layout = nullptr;
  CPPOpt* m_option = nullptr;
  CPPKey* m_key = nullptr;
  bool m_visited[4] = {true, false, false, false};
  bool m_keyTableChanged = false;
  bool m_committed = false;
};

#endif  // TOMELING_VIEWS_OPTION_SHEET_H_
