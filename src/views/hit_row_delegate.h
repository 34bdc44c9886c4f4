// CHitRowDelegate: draws the hit list's rows as the list's own rows --
// the font of the row's dictionary face at the list's font size, the name
// part and the heading part, gaiji as the book's bitmaps, and the colours
// of shell/hit_row_draw.h. The list's focus, not the item's, chooses
// between the focused and the unfocused selection colours.
//
// System colours are the palette's: Highlight, HighlightedText, Window
// (for a selection without the focus), WindowText and Base.
//
// ApplySettings takes fonts, sizes and colours from the settings; the
// list calls it at creation and whenever they change.
#ifndef TOMELING_VIEWS_HIT_ROW_DELEGATE_H_
#define TOMELING_VIEWS_HIT_ROW_DELEGATE_H_

#include <QStyledItemDelegate>
#include <array>
#include <functional>

#include "layout/canvas.h"
#include "shell/hit_row_draw.h"

class CDictSession;
class CLayoutBook;

class CHitRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // The gaiji source of dictionary `dict`, or nullptr.
  using BookSource = std::function<CLayoutBook*(int dict)>;

  CHitRowDelegate(BookSource books, QObject* parent = nullptr);

  // fontName, fontNameEBG, fontNameEBXAC, fontSizeList, bClearType,
  // lenDictName, bAdjustGaiji, the colour set and bUseSystemColor.
  void ApplySettings(const CDictSession& session);
  // The system colours instead of the program's own, until the next
  // ApplySettings.
  void SetUseSystemColours(bool on) { m_colours.useSystemColours = on; }
  bool UseSystemColours() const { return m_colours.useSystemColours; }

  int RowHeight() const { return m_rowHeight; }
  // Where a row's heading starts: lenDictName x fontSizeList.
  int HeadingX() const { return m_headingX; }
  const FontDesc& Font(int face) const;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  BookSource m_books;
  std::array<FontDesc, 3> m_fonts;
  int m_rowHeight = 16;
  int m_fontSize = 12;
  int m_headingX = 0;
  bool m_adjustGaiji = true;
  RowColourSet m_colours;
};

#endif  // TOMELING_VIEWS_HIT_ROW_DELEGATE_H_
