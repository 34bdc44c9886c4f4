// CFolianView: the content view -- the pane of the main window that shows
// one dictionary entry at a time. The user reads it, follows links, plays
// sounds and movies, opens figures, selects and copies text and steps
// through it with a cursor.
//
// The view is a QAbstractScrollArea over a CContentModel (the entry's
// markup and its layout, shell/content_model.h), drawn through the Qt
// canvas. It owns the sound and movie players. It asks the main window for
// what it cannot do itself through CFrame (search, move the focus, set the
// title, toggle full screen, open an image map, show a status message),
// and the figure window through a seam the main window connects:
//
//   CFolianView view(session);
//   view.SetFrame(mainWindow);                 // CFrame; also the search box text
//   view.SetFigureOpener([this](const CBitmapImage& image, int w, int h, bool stretch) {
//     OpenFigure(image, w, h, stretch, this);     // views/figure_window.h
//   });
//   connect(&view, &CFolianView::CommandRequested, mainWindow, &MainWindow::OnCommand);
//   view.ShowEntry(dict, hit.textPage, hit.textOffset, true, 0);
//
// Positions are page coordinates (from the top-left of the whole entry)
// unless a name says window. Text indices count UTF-16 units of the
// markup.
//
// Pen and keys. The left button is the pen: a press that is held still for
// 500 ms opens the context menu (so do the right button, the context-menu
// key and Alt+click); otherwise the press acts when the pen moves or lifts
// -- a link is followed, a sound or movie played, a figure opened, an
// address opened -- or starts a selection. A double click selects the word
// under the pointer by character class (word_class.h). Keys act on press
// ("down") or on release ("up"; auto-repeated releases do not count):
//
//   key          normal                         cursor mode (bCursorMode)
//   Enter        search the selection, else     as normal with a selection; else act
//                focus the hit list              on a link under the cursor, or select
//                                                the word there and search it
//   PgUp/PgDn    page up / down                 page up / down
//   Up/Down      line up / down                 cursor one line up / down
//   Left/Right   page up / down                 cursor one character left / right
//   Home/End     -                              cursor to the line's start / end
//   Backspace↑   focus the hit list             same
//   Tab↑         focus the search box (Shift: the hit list)
//   Escape↑      focus the search box           same
//
// With Shift, a cursor key extends the selection. Scrolling past the top or
// bottom with continuous display on (bStop off) extends the text to the
// book page before or after.
#ifndef TOMELING_VIEWS_FOLIAN_VIEW_H_
#define TOMELING_VIEWS_FOLIAN_VIEW_H_

#include <QAbstractScrollArea>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "shell/content_model.h"

class CBitmapImage;
class CDictSession;
class CFrame;
class CMoviePlayer;
class CQtCanvas;
class CSoundPlayer;
class QPainter;
struct AttrRecord;
struct NavRecord;

// Commands of the context menu that the main window carries out (its
// command table has the same ids); "コピー(&C)" the view does itself.
inline constexpr int kCommandSearchSelection = 1001;  // "選択語で検索(&S)"
inline constexpr int kCommandDictionaryFirst = 32775;  // "辞書指定検索(&D)" item i: + i
inline constexpr int kCommandDictionaryLast = 33029;
// Scroll commands of the key table, handled by ScrollCommand.
inline constexpr int kCommandScrollUp = 33002;
inline constexpr int kCommandScrollDown = 33003;
inline constexpr int kCommandPageUp = 33004;
inline constexpr int kCommandPageDown = 33005;

class CFolianView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Opens the figure window on a figure tapped in the text. The image
  // belongs to the view and lives for the call: the window is modal.
  using FigureOpener = std::function<void(const CBitmapImage& image, int width, int height, bool stretch)>;
  // Hands a checked address to the desktop (QDesktopServices::openUrl).
  using UrlOpener = std::function<bool(const QUrl& url)>;

  static constexpr int kHoldMs = 500;            // tap-and-hold
  static constexpr int kSelectionDelayMs = 100;  // timer 111: a found word drawn after the scroll
  static constexpr int kRememberedChars = 255;   // continuous display; the clipboard monitor

  explicit CFolianView(CDictSession& session, QWidget* parent = nullptr);
  ~CFolianView() override;

  // ---- connections
  void SetFrame(CFrame* frame) { m_frame = frame; }
  void SetFigureOpener(FigureOpener opener) { m_openFigure = std::move(opener); }
  void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
  // The players (a CQtSoundPlayer and a CQtMoviePlayer unless replaced).
  void SetSoundPlayer(std::unique_ptr<CSoundPlayer> player);
  void SetMoviePlayer(std::unique_ptr<CMoviePlayer> player);
  CSoundPlayer& SoundPlayer() { return *m_sound; }
  CMoviePlayer& MoviePlayer() { return *m_movie; }

  // ---- what is shown
  // The entry at page:offset of dictionary `dict`, laid out at the view's
  // width with the search box's word highlighted; the entry shown before
  // goes to the navigation history when `pushHistory`. False, leaving the
  // view as it was, when the dictionary or its reader is not available.
  bool ShowEntry(int dict, int32_t page, int offset, bool pushHistory, int indentColumns);
  // Markup not taken from a book, such as "候補が見つかりません". An empty
  // text, or one too long for the markup buffer, only clears the view.
  bool ShowText(std::u16string_view text);
  void Clear();
  // The back and forward commands: false when the history has nothing
  // there.
  bool GoBack();
  bool GoForward();
  // After the option sheet: the fonts and options from the settings, the
  // shown entry laid out again at the same place.
  void ApplySettings();
  // The sound of the view stops (the frame asks before showing a hit).
  void StopSound();

  // ---- text
  // Finds `word` from after the last match, once more from the start when
  // that fails; beeps and starts over when it is not there at all. The
  // match becomes the selection. True when found.
  bool FindText(const std::u16string& word, bool matchCase);
  void SelectAll();
  void SelectRange(int from, int to);
  bool HasSelection() const { return m_model.HasSelection(); }
  // Puts a range (PlainTextRange; the line ranges around the cursor) on
  // the clipboard as text.
  void CopyText(int range = kRangeSelection);
  std::u16string GetPlainText(int range) const;
  // The first characters of what the view last put on the clipboard, so
  // that the frame's clipboard monitor does not search them.
  const std::u16string& LastCopiedText() const { return m_lastCopied; }

  // ---- cursor mode and scrolling
  // Shows or hides the cursor; bCursorMode holds the mode.
  void SetCursorMode(bool on);
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  // Commands 33002-33005; false for any other id.
  bool ScrollCommand(int id);
  // One line of text and the space below it: the line's height (the
  // font's ascent and descent, at least fontSize) + fontSize x
  // lineSpacing / 16.
  int LinePitch() const;
  // LinePitch x scrollLines, at least a line.
  int LineStep() const;

  // ---- state, for the main window and the tests
  CContentModel& Model() { return m_model; }
  const CContentModel& Model() const { return m_model; }
  QPoint ScrollPosition() const;
  int CaretIndex() const { return m_caretIndex; }
  QPoint CaretPoint() const { return m_caretPoint; }
  // Page position of character `index`, and the character at a page point.
  QPoint PointFromChar(int index);
  int CharFromPoint(QPoint page);
  // The context menu while it is open, else nullptr.
  QMenu* ContextMenu() const { return m_menu; }

 signals:
  // A context-menu command for the main window: kCommandSearchSelection or
  // kCommandDictionaryFirst + i.
  void CommandRequested(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab is one of the view's keys, not a focus step.
  bool focusNextPrevChild(bool next) override;

 private:
  // folian_view.cc: showing, history, painting
  CQtCanvas& Measure() { return *m_measure; }
  void PushCurrent();
  bool ShowRecord(const NavRecord& record);
  void AfterShow();
  void UpdateScrollRanges();
  void ScrollTo(int x, int y);
  void CopyFirstPage();
  void PutOnClipboard(const std::u16string& text);
  void PaintSelection(CQtCanvas& canvas, int scrollX, int scrollY);
  void PaintCaret(QPainter& painter, int scrollX, int scrollY);
  void RelayoutForWidth();
  // folian_view_scroll.cc: scrolling and continuous display
  void OnScrollAction(int action);
  bool ExtendUp();
  bool ExtendDown();
  void ScrollLines(int pixels);
  // folian_view_input.cc: pen, keys, menu
  void PenDown(QPoint window);
  void PenMove(QPoint window);
  void PenUp();
  void OnHold();
  void CancelPress();
  void EnterKey();
  void ShowContextMenu(QPoint window);
  QMenu* BuildContextMenu();
  void SetSelection(int anchor, int end);
  void DropSelection();
  void PublishSelection();
  int SelectWordAt(QPoint page);
  bool InFullScreenCorner(QPoint window) const;
  // folian_view_caret.cc: cursor mode
  void PlaceCaret(QPoint page);
  void SetCaret(int index);
  void CaretKey(int key, bool shift);
  void CaretUpDown(int direction);
  int NextIndex(int index) const;
  int PreviousIndex(int index) const;
  int SkipTags(int index) const;
  void EnsureCaretVisible();
  // folian_view_actions.cc: taps on records
  bool ActOnRecord(const AttrRecord& record);
  void FollowLink(int32_t page, int offset);
  void ActOnMedia(int start);
  void PlaySound(std::u16string_view text);
  void PlayMovie(std::u16string_view text);
  void OpenFigure(std::u16string_view text);
  void ShowNamedGraphic(std::u16string_view text);
  void OpenAddress(std::u16string_view text);

  CDictSession& m_session;
  CContentModel m_model;
  CFrame* m_frame = nullptr;
  FigureOpener m_openFigure;
  UrlOpener m_openUrl;
  std::unique_ptr<CSoundPlayer> m_sound;
  std::unique_ptr<CMoviePlayer> m_movie;

  // Layout and hit tests measure on a painter of their own, so that the
  // fonts built for it last as long as the view.
  QImage m_measureImage;
  std::unique_ptr<QPainter> m_measurePainter;
  std::unique_ptr<CQtCanvas> m_measure;

  int m_indentColumns = 0;
  int m_findPos = 0;
  int m_selAnchor = 0, m_selEnd = 0;
  bool m_dragging = false;
  bool m_selectionDelayed = false;
  QTimer m_selectionTimer;  // timer 111

  bool m_pressPending = false;
  QPoint m_pressPos;
  QTimer m_holdTimer;
  QPointer<QMenu> m_menu;

  int m_caretIndex = 0;
  QPoint m_caretPoint;     // page position of the caret's character
  QPoint m_caretRequest;   // where the caret was last asked to go
  int m_caretWidth = 0;
  bool m_caretShown = false;
  bool m_caretScrolls = false;  // the caret moves the view: keep it where it is

  std::u16string m_lastCopied;
};

#endif  // TOMELING_VIEWS_FOLIAN_VIEW_H_
