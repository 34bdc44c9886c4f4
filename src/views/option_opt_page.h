// CPPOpt: the "Option" page of the option sheet -- several instances,
// the no-hit notice, romaji input, punctuation, the clipboard, the input
// method, the tray icon, reloading on a new storage card, the text buffer,
// the sampling rate of EB sounds, the movie player and the interface's
// language (自動: the desktop's; it takes effect at the next start, as the
// windows take their texts when they are made).
//
// "クリップボード監視" is shown but cannot be changed: the program keeps the
// value and does nothing with it. "..." chooses the movie player among the
// executable files; anything else is refused with a message.
#ifndef TOMELING_VIEWS_OPTION_OPT_PAGE_H_
#define TOMELING_VIEWS_OPTION_OPT_PAGE_H_

#include <QWidget>

#include "shell/option_values.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class CPPOpt : public QWidget {
  Q_OBJECT

 public:
  explicit CPPOpt(const OptionPageOptions& values, QWidget* parent = nullptr);

  OptionPageOptions Values() const;

  // Puts `path` in the player field when it names an executable file, else
  // says why not and leaves the field alone. False when refused.
  bool AcceptPlayerPath(const QString& path);

 public slots:
  // "...": a file dialog over the executable files.
  void ChoosePlayer();

 private:
  OptionPageOptions m_initial;
  QCheckBox* m_multiApp = nullptr;
  QCheckBox* m_noticeNoHit = nullptr;
  QCheckBox* m_romaji = nullptr;
  QCheckBox* m_trimPunctuation = nullptr;
  QCheckBox* m_monitorClipboard = nullptr;
  QCheckBox* m_imeControl = nullptr;
  QCheckBox* m_taskTray = nullptr;
  QCheckBox* m_autoClip = nullptr;
  QCheckBox* m_reloadOnResume = nullptr;
  QComboBox* m_bufferPages = nullptr;
  QSpinBox* m_sampling = nullptr;
  QLineEdit* m_player = nullptr;
  QComboBox* m_language = nullptr;
};

#endif  // TOMELING_VIEWS_OPTION_OPT_PAGE_H_
