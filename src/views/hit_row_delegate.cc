// See hit_row_delegate.h.
#include "views/hit_row_delegate.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "shell/dict_session.h"
#include "shell/hit_row_draw.h"
#include "shell/hit_rows.h"
#include "views/hit_list_model.h"
#include "views/qt_canvas.h"

namespace {

// Sizes a stranger's settings may ask for, kept drawable.
constexpr int kMinFontSize = 4, kMaxFontSize = 200;

Colour FromQColor(const QColor& c) { return MakeColour(c.red(), c.green(), c.blue()); }

SystemRowColours SystemColoursOf(const QPalette& palette) {
  SystemRowColours s;
  s.highlight = FromQColor(palette.color(QPalette::Highlight));
  s.highlightedText = FromQColor(palette.color(QPalette::HighlightedText));
  s.window = FromQColor(palette.color(QPalette::Window));
  s.windowText = FromQColor(palette.color(QPalette::WindowText));
  s.base = FromQColor(palette.color(QPalette::Base));
  return s;
}

}  // namespace

CHitRowDelegate::CHitRowDelegate(BookSource books, QObject* parent)
    : QStyledItemDelegate(parent), m_books(std::move(books)) {}

void CHitRowDelegate::ApplySettings(const CDictSession& session) {
  static uint64_t serial = 0;
  const CSettings& s = session.Settings();
  m_fontSize = std::clamp(s.fontSizeList, kMinFontSize, kMaxFontSize);
  const std::u16string* faces[3] = {&s.fontName, &s.fontNameEBG, &s.fontNameEBXAC};
  const FontDesc* fonts[3];
  for (size_t f = 0; f < m_fonts.size(); ++f) {
    FontDesc& d = m_fonts[f];
    d.face = faces[f]->empty() ? std::u16string(kDefaultFontName) : *faces[f];
    d.pixelSize = m_fontSize;
    d.antialias = s.bClearType;
    d.serial = ++serial;
    fonts[f] = &d;
  }
  // Measured on a scratch image: the fonts' heights do not depend on where
  // they are drawn.
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  CQtCanvas canvas(painter);
  m_rowHeight = HitRowHeight(canvas, fonts, 3, m_fontSize, s.bAdjustGaiji);
  m_headingX = std::clamp(s.lenDictName, 0, CHitRows::kMaxNameLength) * m_fontSize;
  m_adjustGaiji = s.bAdjustGaiji;
  LayoutOptions own = session.MakeLayoutOptions();
  m_colours.title = own.titleColour;
  m_colours.text = own.textColour;
  m_colours.background = own.backgroundColour;
  m_colours.useSystemColours = own.useSystemColours;
}

const FontDesc& CHitRowDelegate::Font(int face) const {
  return m_fonts[static_cast<size_t>(std::clamp(face, 0, 2))];
}

void CHitRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  const auto* model = qobject_cast<const CHitListModel*>(index.model());
  const HitRow* row = model != nullptr ? model->Row(index.row()) : nullptr;
  if (row == nullptr) return;
  bool selected = (option.state & QStyle::State_Selected) != 0;
  bool listFocused = option.widget != nullptr && option.widget->hasFocus();
  RowColours colours = HitRowColours(selected, listFocused, m_colours, SystemColoursOf(option.palette));
  HitRowGeometry g;
  g.left = option.rect.left();
  g.top = option.rect.top();
  g.width = option.rect.width();
  g.height = option.rect.height();
  g.headingX = m_headingX;
  g.fontSize = m_fontSize;
  g.adjustGaiji = m_adjustGaiji;
  CLayoutBook* book = m_books ? m_books(row->dict) : nullptr;

  painter->save();
  painter->setClipRect(option.rect);
  CQtCanvas canvas(*painter);
  canvas.SetPalette(option.palette);
  DrawHitRow(canvas, g, colours, Font(row->face), row->name, row->heading, book);
  painter->restore();
}

QSize CHitRowDelegate::sizeHint(const QStyleOptionViewItem& /*option*/, const QModelIndex& /*index*/) const {
  // Rows take the list's width; their text is cut at its right edge.
  return QSize(m_headingX + m_fontSize, m_rowHeight);
}
