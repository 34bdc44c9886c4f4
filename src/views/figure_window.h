// CFigureWindow: the figure window, a modal dialog showing one figure the
// user tapped in the content view, captioned "(W)640x(H)480" with the
// figure's size. It opens as large as the figure, within the screen; a
// larger figure scrolls (arrow keys on release, 32 pixels), or, with the
// stretch switch on (bStretchImg when it opened), is scaled down to the
// window's width.
//
// The content view loads the pixels (a figure it cannot load opens no
// window); the main window connects its figure request to OpenFigure:
//
//   OpenFigure(image, width, height, settings.bStretchImg, this);
//
// OpenFigure returns when the user closes the window; the window keeps its
// own copy of the picture.
#ifndef TOMELING_VIEWS_FIGURE_WINDOW_H_
#define TOMELING_VIEWS_FIGURE_WINDOW_H_

#include <QDialog>
#include <QImage>

class CBitmapImage;
class CImageView;

class CFigureWindow : public QDialog {
  Q_OBJECT

 public:
  // `width` and `height` are the figure's size as loaded (the caption's);
  // 0 takes the image's own.
  CFigureWindow(const QImage& image, int width, int height, bool stretch, QWidget* parent = nullptr);

  CImageView* View() const { return m_view; }

 private:
  CImageView* m_view = nullptr;
};

// Shows the figure modally; false (and no window) for an empty image.
bool OpenFigure(const QImage& image, int width, int height, bool stretch, QWidget* parent = nullptr);
bool OpenFigure(const CBitmapImage& image, int width, int height, bool stretch, QWidget* parent = nullptr);

#endif  // TOMELING_VIEWS_FIGURE_WINDOW_H_
