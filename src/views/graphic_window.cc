// See graphic_window.h.
#include "views/graphic_window.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The marker: a black diamond in a black-edged white square, one row of
// 16 bits per line, leftmost pixel in the top bit.
constexpr uint16_t kMarkerRows[kAreaMarkerSize] = {
    0xFFFF, 0x8001, 0x8181, 0x83C1, 0x87E1, 0x8FF1, 0x9FF9, 0xBFFD,
    0xBFFD, 0x9FF9, 0x8FF1, 0x87E1, 0x83C1, 0x8181, 0x8001, 0xFFFF,
};

}  // namespace

QImage AreaMarker() {
  QImage marker(kAreaMarkerSize, kAreaMarkerSize, QImage::Format_Mono);
  marker.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  for (int y = 0; y < kAreaMarkerSize; ++y) {
    uchar* row = marker.scanLine(y);
    row[0] = static_cast<uchar>(kMarkerRows[y] >> 8);
    row[1] = static_cast<uchar>(kMarkerRows[y] & 0xFF);
  }
  return marker;
}

CGraphicWindow::CGraphicWindow(CDictSession& session, CFrame& frame, CSoundPlayer& player, QWidget* parent)
    : CImageView(parent), m_menu(session, frame, player), m_marker(AreaMarker()) {
  setWindowFlag(Qt::Window);
  setWindowTitle(ImageCaption(0, 0));
}

MapParse CGraphicWindow::ShowGraphicMenu(int dict, int32_t page, int offset) {
  return Shown(m_menu.ShowGraphicMenu(dict, page, offset));
}

MapParse CGraphicWindow::ShowMapText(std::u16string_view markup, int dict) {
  return Shown(m_menu.ShowMapText(markup, dict));
}

void CGraphicWindow::Clear() {
  m_menu.Clear();
  SyncImage();
}

void CGraphicWindow::SyncImage() {
  viewport()->update();  // the areas may have changed in any case
  if (m_menu.ImageSerial() == m_shownSerial) return;
  m_shownSerial = m_menu.ImageSerial();
  const CBitmapImage& image = m_menu.Image();
  SetImage(m_menu.HasImage() ? BookImageToQImage(image) : QImage());
  setWindowTitle(ImageCaption(image.Width(), image.Height()));
  if (!isVisible() && m_menu.HasImage()) resize(FittingSize(Image().size()));
}

MapParse CGraphicWindow::Shown(const MapParse& parse) {
  SyncImage();
  if (parse.end == MapParse::kMapEnd && isVisible()) {
    activateWindow();
    setFocus();
  }
  return parse;
}

void CGraphicWindow::mousePressEvent(QMouseEvent* event) {
  // Pen down does nothing but keeps the release for this window.
  if (event->button() == Qt::LeftButton) event->accept();
  else CImageView::mousePressEvent(event);
}

void CGraphicWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    CImageView::mouseReleaseEvent(event);
    return;
  }
  event->accept();
  QPoint at = event->position().toPoint() + ScrollPosition();
  MapTap tap = m_menu.Tap(at.x(), at.y());
  SyncImage();  // a graphic menu may have replaced this one
  if (tap.action == MapTap::kFrameCommand) {
    if (tap.command == kCommandComplexSearch) emit ComplexSearchSelected(tap.complexEntry);
    emit FrameCommand(tap.command);
  }
}

void CGraphicWindow::PaintOver(QPainter& painter, QPoint origin) {
  if (!m_menu.EbKind()) return;
  for (const GraphicArea& area : m_menu.Areas()) painter.drawImage(origin + QPoint(area.x, area.y), m_marker);
}
