// See figure_window.h.
#include "views/figure_window.h"

#include <QVBoxLayout>

#include "views/image_view.h"

CFigureWindow::CFigureWindow(const QImage& image, int width, int height, bool stretch, QWidget* parent)
    : QDialog(parent) {
  setModal(true);
  if (width <= 0) width = image.width();
  if (height <= 0) height = image.height();
  setWindowTitle(ImageCaption(width, height));
  m_view = new CImageView;
  m_view->SetImage(image);
  m_view->SetStretch(stretch);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  resize(m_view->FittingSize(image.size()));
  m_view->setFocus();
}

bool OpenFigure(const QImage& image, int width, int height, bool stretch, QWidget* parent) {
  if (image.isNull()) return false;
  CFigureWindow window(image, width, height, stretch, parent);
  window.exec();
  return true;
}

bool OpenFigure(const CBitmapImage& image, int width, int height, bool stretch, QWidget* parent) {
  return OpenFigure(BookImageToQImage(image), width, height, stretch, parent);
}
