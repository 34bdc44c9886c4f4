// CPPFont: the "Font" page of the option sheet -- the faces of ordinary,
// EBG and EBXA-C books, the sizes of the hit list and of the text, line
// spacing, ruled lines and how marked-up text is drawn.
//
// The face boxes list the installed families, each once, with "Tahoma"
// added when the system lacks it and the current face added when it is
// not installed (a face named in the settings stays named until the user
// picks another). Sizes are chosen by their exact text.
#ifndef TOMELING_VIEWS_OPTION_FONT_PAGE_H_
#define TOMELING_VIEWS_OPTION_FONT_PAGE_H_

#include <QStringList>
#include <QWidget>

#include "shell/option_values.h"

class QCheckBox;
class QComboBox;

class CPPFont : public QWidget {
  Q_OBJECT

 public:
  // `families` are the installed font families (QFontDatabase::families()).
  CPPFont(const FontPageOptions& values, const QStringList& families, QWidget* parent = nullptr);

  // The controls read back; line spacing is raised to 3 while ruled lines
  // are on, so that they have room between the lines.
  FontPageOptions Values() const;

  // The family list the face boxes start from: each family once, sorted,
  // with "Tahoma".
  static QStringList FaceItems(const QStringList& families);

 private:
  FontPageOptions m_initial;
  QComboBox* m_face = nullptr;
  QComboBox* m_faceEBG = nullptr;
  QComboBox* m_faceEBXAC = nullptr;
  QCheckBox* m_clearType = nullptr;
  QCheckBox* m_italic = nullptr;
  QCheckBox* m_bold = nullptr;
  QCheckBox* m_adjustGaiji = nullptr;
  QCheckBox* m_underlineLinks = nullptr;
  QCheckBox* m_highlight = nullptr;
  QComboBox* m_listSize = nullptr;
  QComboBox* m_textSize = nullptr;
  QComboBox* m_lineSpacing = nullptr;
  QCheckBox* m_ruledLine = nullptr;
};

#endif  // TOMELING_VIEWS_OPTION_FONT_PAGE_H_
