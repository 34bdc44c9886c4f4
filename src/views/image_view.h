// CImageView: one picture in a scrolling window, the part the figure
// window and the graphic window share.
//
// The picture is drawn at the window's top-left minus the scroll position;
// a scroll bar appears on each side the picture is larger than the window.
// With stretching on (the figure window's bStretchImg), a window narrower
// than the picture shows it scaled to the window's width, width and height
// multiplied by (window width / picture width) and truncated.
//
// Keys act when released, as on the devices this program began on: Left
// and Up scroll left and up by 32 pixels, Right and Down right and down,
// each by less near the end of the range. Auto-repeated releases are
// ignored, so holding a key scrolls once.
//
// Book images arrive as CBitmapImage; monochrome ones are drawn black ink
// on white paper.
#ifndef TOMELING_VIEWS_IMAGE_VIEW_H_
#define TOMELING_VIEWS_IMAGE_VIEW_H_

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

class CBitmapImage;

// Pixels one arrow key scrolls.
constexpr int kImageScrollStep = 32;

// The caption of both image windows: "(W)640x(H)480".
QString ImageCaption(int width, int height);

// A book image as the image windows draw it.
QImage BookImageToQImage(const CBitmapImage& image);

class CImageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CImageView(QWidget* parent = nullptr);

  // Shows `image` from its top-left corner; a null image shows nothing.
  void SetImage(QImage image);
  const QImage& Image() const { return m_image; }
  void SetStretch(bool on);
  bool Stretch() const { return m_stretch; }

  // The size the picture is drawn at in the window as it is now.
  QSize DrawnSize() const;
  QPoint ScrollPosition() const;
  // The window size that shows a `picture` whole, within the screen.
  QSize FittingSize(QSize picture) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  // Drawn over the picture; `origin` is where its top-left corner is.
  virtual void PaintOver(QPainter& /*painter*/, QPoint /*origin*/) {}

 private:
  void UpdateScrollRanges();

  QImage m_image;
  bool m_stretch = false;
};

#endif  // TOMELING_VIEWS_IMAGE_VIEW_H_
