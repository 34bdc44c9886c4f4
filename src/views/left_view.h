// CLeftView: the hit list pane -- one row per search hit, each showing a
// short dictionary name and the hit's heading in the dictionary's font,
// with its gaiji and the configured colours. Choosing a row asks the
// frame to show that hit in the content view.
//
// The search cycle hands it the readers' hits (it is the cycle's result
// consumer); each row's item data is the index of its hit, the display
// argument of CFrame::ShowHit, which the frame turns back into a hit with
// Hit():
//
//   CLeftView list(session, frame);
//   CSearchCycle cycle(settings, books, frame, list);
//   ...
//   void CMainFrame::ShowHit(long display, long flag) {
//     if (const DictHit* h = list.Hit(display)) content.ShowEntry(h->dict, h->hit...);
//   }
//
// What it asks of the frame:
//   - a row chosen with the mouse, or with Enter (released), or with
//     Up/Down/Page Up/Page Down/Home/End (released) while bPreView is on:
//     the row's dictionary becomes current (settings.dictNo, SetTitle)
//     and ShowHit(item data, 0);
//   - Enter pressed with bPreView on, or on the row last shown:
//     MoveFocus(1, 1) (the content view), so Enter twice without preview
//     first shows the hit, then moves there;
//   - released Backspace, Escape or Left: MoveFocus(0, 0) (search box);
//     Tab: MoveFocus(1, 1), Shift+Tab: MoveFocus(2, 1); Right:
//     MoveFocus(0, 2). Auto-repeated releases are ignored.
//   - any other typed character, and input-method text: MoveFocus(0, 0),
//     then the event goes on through ForwardToSearchBox, so typing in the
//     list types into the search box.
// The focus changes the selected row's colours; on getting it the row
// last shown is selected again, and with ime_control the input panel is
// put away.
//
// After the book list is rebuilt, call Clear (or fill the list again)
// before it paints: rows name dictionaries by index.
#ifndef TOMELING_VIEWS_LEFT_VIEW_H_
#define TOMELING_VIEWS_LEFT_VIEW_H_

#include <QListView>
#include <map>
#include <memory>

#include "shell/search_cycle.h"

class CDictSession;
class CFrame;
class CHitListModel;
class CHitRowDelegate;
class CLayoutBook;
struct HitRow;

class CLeftView : public QListView, public CResultConsumer {
  Q_OBJECT

 public:
  CLeftView(CDictSession& session, CFrame& frame, QWidget* parent = nullptr);
  ~CLeftView() override;

  // ---- the result consumer
  // Lists the readers' hits (every dictionary's with bFindAllDict, from
  // the last to the first, else the current one's), shows the first row
  // (ShowHit(item data, 1)) and makes its dictionary current. Returns the
  // number of rows.
  int FillFromHits(int terms) override;

  // ---- commands
  // The row below / above the selected one: shown, selected, its
  // dictionary made current. Nothing at the last / first row.
  void SelectNext();
  void SelectPrevious();
  // No rows, nothing shown.
  void Clear();
  // Fonts, sizes, colours and the rows' name column (lenDictName) again
  // from the settings (after the options changed).
  void ApplyListFonts();
  // The desktop's colours instead of the settings' colours.
  void SetUseSystemColours(bool on);

  // ---- state
  // The hit a row's item data (ShowHit's display argument) names, or
  // nullptr.
  const DictHit* Hit(long display) const;
  int RowCount() const;
  int SelectedRow() const;
  // The row last shown in the content view, -1 when none.
  int ShownRow() const { return m_shownRow; }
  const HitRow* Row(int row) const;
  CHitListModel* Model() const { return m_model; }
  CHitRowDelegate* Delegate() const { return m_delegate; }

 signals:
  // A key or input-method event typed into the list, after the frame was
  // asked to focus the search box: the main window sends it on to the box
  // (QCoreApplication::sendEvent). Connect directly: the event lives only
  // for the call.
  void ForwardToSearchBox(QEvent* event);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  // A row chosen by the user: shown and its dictionary made current.
  void ChooseRow(int row);
  void MakeCurrent(int dict);
  // Selects and focuses `row` without it counting as the user's choice.
  void SelectQuietly(int row);
  void Step(int delta);
  void TypeIntoSearchBox(QEvent* e);
  CLayoutBook* BookFor(int dict);

  CDictSession& m_session;
  CFrame& m_frame;
  CHitListModel* m_model;
  CHitRowDelegate* m_delegate;
  int m_shownRow = -1;
  // Set while the program or the keys move the selection; only other
  // changes (the mouse) show a row at once.
  bool m_quiet = false;
  bool m_keyMove = false;
  std::map<int, std::unique_ptr<CLayoutBook>> m_books;
};

#endif  // TOMELING_VIEWS_LEFT_VIEW_H_
