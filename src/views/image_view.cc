// See image_view.h.
#include "views/image_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "decode/bitmap_image.h"
#include "views/qt_canvas.h"

namespace {

// Share of the screen a window sized to its picture may take.
constexpr double kMaxScreenShare = 0.9;

}  // namespace

QString ImageCaption(int width, int height) {
  return QCoreApplication::translate("CImageView", "(W)%1x(H)%2").arg(width).arg(height);
}

QImage BookImageToQImage(const CBitmapImage& image) { return ToQImage(image, Qt::black, Qt::white); }

CImageView::CImageView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(kImageScrollStep);
  verticalScrollBar()->setSingleStep(kImageScrollStep);
}

void CImageView::SetImage(QImage image) {
  m_image = std::move(image);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  UpdateScrollRanges();
  viewport()->update();
}

void CImageView::SetStretch(bool on) {
  m_stretch = on;
  UpdateScrollRanges();
  viewport()->update();
}

QSize CImageView::DrawnSize() const {
  int w = m_image.width(), h = m_image.height();
  int client = viewport()->width();
  if (m_stretch && w > 0 && client > 0 && client < w) {
    double ratio = static_cast<double>(client) / w;
    return {static_cast<int>(w * ratio), static_cast<int>(h * ratio)};
  }
  return {w, h};
}

QPoint CImageView::ScrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

QSize CImageView::FittingSize(QSize picture) const {
  QSize most(640, 480);
  if (QScreen* s = screen()) most = s->availableGeometry().size() * kMaxScreenShare;
  QSize frame(2 * frameWidth(), 2 * frameWidth());
  return (picture + frame).boundedTo(most).expandedTo(QSize(kImageScrollStep * 4, kImageScrollStep * 3));
}

void CImageView::UpdateScrollRanges() {
  QSize drawn = DrawnSize(), client = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, drawn.width() - client.width()));
  horizontalScrollBar()->setPageStep(client.width());
  verticalScrollBar()->setRange(0, std::max(0, drawn.height() - client.height()));
  verticalScrollBar()->setPageStep(client.height());
}

void CImageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
}

void CImageView::scrollContentsBy(int, int) { viewport()->update(); }

void CImageView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  if (m_image.isNull()) return;
  QPoint origin = -ScrollPosition();
  QSize drawn = DrawnSize();
  painter.setRenderHint(QPainter::SmoothPixmapTransform,
                        ScalesSmoothly(m_image.size(), QSizeF(drawn) * DevicePixelRatioOf(painter)));
  painter.drawImage(QRect(origin, drawn), m_image);
  PaintOver(painter, origin);
}

namespace {

// The scroll bar and direction an arrow key moves, or null.
QScrollBar* ArrowBar(QAbstractScrollArea* area, int key, int* direction) {
  switch (key) {
    case Qt::Key_Left: *direction = -1; return area->horizontalScrollBar();
    case Qt::Key_Right: *direction = 1; return area->horizontalScrollBar();
    case Qt::Key_Up: *direction = -1; return area->verticalScrollBar();
    case Qt::Key_Down: *direction = 1; return area->verticalScrollBar();
    default: return nullptr;
  }
}

}  // namespace

void CImageView::keyPressEvent(QKeyEvent* event) {
  int direction = 0;
  if (ArrowBar(this, event->key(), &direction) != nullptr) {
    event->accept();  // the release scrolls
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CImageView::keyReleaseEvent(QKeyEvent* event) {
  int direction = 0;
  QScrollBar* bar = ArrowBar(this, event->key(), &direction);
  if (bar == nullptr) {
    QAbstractScrollArea::keyReleaseEvent(event);
    return;
  }
  event->accept();
  if (event->isAutoRepeat()) return;
  // setValue keeps to the range: near an end the step is what is left.
  bar->setValue(bar->value() + direction * kImageScrollStep);
  viewport()->update();
}
