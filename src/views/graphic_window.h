// CGraphicWindow: the graphic window -- a graphic menu or an image map in a
// top-level window of its own, created once by the main window and reused.
// The picture scrolls as in the figure window; on EB books every area
// carries a 16 x 16 marker; a left-button release on an area acts on it
// (shell/graphic_menu.h has the rules).
//
//   CGraphicWindow* g = new CGraphicWindow(session, *this, soundPlayer, this);
//   connect(g, &CGraphicWindow::FrameCommand, this, &CMainWindow::RunCommand);
//   connect(g, &CGraphicWindow::ComplexSearchSelected, this, ...);
//   g->ShowGraphicMenu(dict, page, offset);   // command 32937, UM_SHOW_GRAPHIC
//   g->ShowMapText(markup, dict);             // UM_SHOW_NAMED_GRAPHIC
//   g->show(); g->raise();
//   g->hide();                                // a dictionary was selected
//   g->Clear();                               // the book list was rebuilt
//
// Texts the areas lead to go to the frame (CFrame::ShowText), sounds to
// the player. Searches are the main window's menu commands: a tap asks for
// one with FrameCommand(32908 word, 32909 endword, 32911 keyword, 32906
// complex search); before 32906 it names the complex-search entry to
// select with ComplexSearchSelected(n).
//
// The caption is "(W)640x(H)480" of the picture shown. The window does not
// show itself; a map whose text ends with </MAP> takes the focus when the
// window is visible.
#ifndef TOMELING_VIEWS_GRAPHIC_WINDOW_H_
#define TOMELING_VIEWS_GRAPHIC_WINDOW_H_

#include <cstdint>
#include <string_view>

#include "shell/graphic_menu.h"
#include "views/image_view.h"

class CDictSession;
class CFrame;
class CSoundPlayer;

class CGraphicWindow : public CImageView {
  Q_OBJECT

 public:
  CGraphicWindow(CDictSession& session, CFrame& frame, CSoundPlayer& player, QWidget* parent = nullptr);

  // The graphic menu at page:offset of dictionary `dict`.
  MapParse ShowGraphicMenu(int dict, int32_t page, int offset);
  // An image map's markup (wide form), as UM_SHOW_NAMED_GRAPHIC carries it.
  MapParse ShowMapText(std::u16string_view markup, int dict);
  // Forgets dictionary, picture and areas.
  void Clear();

  const CGraphicMenu& Menu() const { return m_menu; }

 signals:
  // Run menu command `command` of the main window (a MapCommand).
  void FrameCommand(int command);
  // Select complex-search entry `entry` (0-based) for the next complex
  // search; sent just before FrameCommand(32906).
  void ComplexSearchSelected(int entry);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void PaintOver(QPainter& painter, QPoint origin) override;

 private:
  MapParse Shown(const MapParse& parse);
  // Takes the menu's picture when it changed: caption, scroll ranges, and
  // while hidden the window's size.
  void SyncImage();

  CGraphicMenu m_menu;
  unsigned m_shownSerial = 0;
  QImage m_marker;
};

// The marker drawn on the areas of EB books.
QImage AreaMarker();

#endif  // TOMELING_VIEWS_GRAPHIC_WINDOW_H_
