// CPPLayout: the "Layout" page of the option sheet -- images, preview,
// full screen, the desktop's colours or the program's own, the length of the dictionary names in the hit list, the
// left margin of the text, the arrangement of the two panes and where the
// focus goes after a search.
#ifndef TOMELING_VIEWS_OPTION_LAYOUT_PAGE_H_
#define TOMELING_VIEWS_OPTION_LAYOUT_PAGE_H_

#include <QWidget>

#include "shell/option_values.h"

class QCheckBox;
class QComboBox;

class CPPLayout : public QWidget {
  Q_OBJECT

 public:
  explicit CPPLayout(const LayoutPageOptions& values, QWidget* parent = nullptr);

  LayoutPageOptions Values() const;

 private:
  LayoutPageOptions m_initial;
  QCheckBox* m_stretchImage = nullptr;
  QCheckBox* m_inlineImage = nullptr;
  QCheckBox* m_preview = nullptr;
  QCheckBox* m_fullScreen = nullptr;
  QComboBox* m_nameLength = nullptr;
  QComboBox* m_leftMargin = nullptr;
  QComboBox* m_layout = nullptr;
  QComboBox* m_focus = nullptr;
  QCheckBox* m_systemColours = nullptr;
};

#endif  // TOMELING_VIEWS_OPTION_LAYOUT_PAGE_H_
