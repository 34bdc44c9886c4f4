// CContentModel: what the content view shows, free of any toolkit -- the
// current entry from book position to decoded markup, its layout in the
// view's CLineMgr, hit testing, the selection and the plain text of it.
// The Qt content view owns one and adds scrolling, painting, keys, the
// caret and the clipboard; `tomeling render` uses one to draw an entry
// into an image.
//
//   CContentModel model(session);
//   model.ApplyFonts();                 // after the options change too
//   model.SetViewWidth(viewport width);
//   model.ShowEntry(dict, page, offset, indentColumns, searchWord, canvas);
//   model.GetExtent(&w, &h);            // scroll range
//   model.Draw(canvas, rect in window coordinates, scrollX, scrollY);
//   const AttrRecord* a = model.AttrFromPoint(x + scrollX, y + scrollY);
//
// Every method that measures takes the canvas to measure with (in Qt a
// CQtCanvas over a painter on the widget or on a one-pixel image); the
// model keeps none. Points are page coordinates: window coordinates plus
// the scroll position.
//
// The model owns the markup it laid out and the dictionary's layout book;
// both hold until the next ShowEntry, ShowText or Clear. After the book
// list changes, show the entry again or Clear before drawing.
#ifndef TOMELING_SHELL_CONTENT_MODEL_H_
#define TOMELING_SHELL_CONTENT_MODEL_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "layout/line_mgr.h"
#include "shell/dict_session.h"

class CLayoutBook;
struct GaijiMapRecord;

// GetPlainText's ranges; any other value is the whole text.
enum PlainTextRange : int {
  kRangeAll = 0,
  kRangeSelection = 1,  // the selection
  kRangeFirstPage = 2,  // the entry up to its first <PAGE>
  kRangeLine = 3,       // the line holding `index`
  kRangeLineStart = 4,  // from that line's start to `index`
  kRangeLineEnd = 5,    // from `index` to that line's end
};

class CContentModel {
 public:
  explicit CContentModel(CDictSession& session);
  ~CContentModel();
  CContentModel(const CContentModel&) = delete;
  CContentModel& operator=(const CContentModel&) = delete;

  // The fonts of the settings (`fontSize` > 0 overrides fontSize); lay out
  // again afterwards.
  void ApplyFonts(int fontSize = 0);
  void SetViewWidth(int width) { m_mgr.SetViewWidth(width); }
  int ViewWidth() const { return m_mgr.GetViewWidth(); }

  // How the content view decodes the entry at `page` of `dict`: with bStop
  // up to the next entry (not in a copyright notice, kinds 0x02 and 0x21)
  // and maxBufSize pages, else two pages; at most maxBufSize x 3 KB.
  EntryLimits ViewLimits(int dict, int32_t page);

  // Shows the entry at page:offset of `dict`: clears the selection, sets
  // the indent (none in a menu, kinds 0x01 and 0x20), decodes it (by
  // `limits`, else ViewLimits), converts it through the dictionary's map
  // and lays it out with the settings' options and `searchWord`
  // highlighted. False, leaving the old entry, when the dictionary or its
  // reader is not available.
  bool ShowEntry(int dict, int32_t page, int offset, int indentColumns, const std::u16string& searchWord,
                 CCanvas& canvas, const EntryLimits* limits = nullptr);
  // Shows markup not taken from a book (a message such as "候補が見つかりま
  // せん"): no entry position (page 0, dictionary 0), no highlight. An
  // empty text, or one longer than the markup buffer, only clears; false
  // then.
  bool ShowText(std::u16string_view text, CCanvas& canvas);
  // Nothing shown.
  void Clear();
  // Lays the current text out again (after a change of width or fonts).
  void Relayout(CCanvas& canvas);

  // The shown entry: dictionary (-1 before the first), book position (page
  // 0 when nothing from a book is shown).
  int Dict() const { return m_dict; }
  int32_t Page() const { return m_page; }
  int Offset() const { return m_offset; }
  bool HasEntry() const { return m_page > 0; }
  const std::u16string& Markup() const { return m_markup; }
  // The characters from `index` to the end (a record's tag and what
  // follows, for the sound, movie and map actions).
  std::u16string_view TextFrom(int index) const;
  const LayoutOptions& Options() const { return m_options; }
  const CLineMgr& LineMgr() const { return m_mgr; }
  CLineMgr& LineMgr() { return m_mgr; }
  // Markup capacity in characters: text longer than this is not shown.
  int MarkupCapacity() const;

  // Continuous display: the position to show when the view extends the
  // text upwards (the start of this page, else the previous page, not
  // before the text's first page; only without <BODY>) or downwards (the
  // next page, not past the text's last; only until </BODY>). False when
  // it cannot extend.
  bool ExtendPosition(bool up, int32_t* page, int* offset);

  // ---- pass-throughs to the line manager
  void GetExtent(int* width, int* height) const { m_mgr.GetExtent(width, height); }
  int Draw(CCanvas& canvas, int left, int top, int right, int bottom, int scrollX, int scrollY);
  const AttrRecord* AttrFromPoint(int x, int y) const { return m_mgr.AttrFromPoint(x, y); }
  int CharFromPoint(int x, int y, CCanvas& canvas) { return m_mgr.CharFromPoint(x, y, canvas); }
  PagePoint PointFromChar(int index, CCanvas& canvas) { return m_mgr.PointFromChar(index, canvas); }
  int LineFromY(int y) const { return m_mgr.LineFromY(y); }

  // ---- selection, as text indices (equal: none)
  void SetSelection(int from, int to, CCanvas& canvas, int scrollX, int scrollY) {
    m_mgr.SetSelection(from, to, canvas, scrollX, scrollY);
  }
  void ClearSelection(CCanvas& canvas, int scrollX, int scrollY) { m_mgr.ClearSelection(canvas, scrollX, scrollY); }
  void ResetSelection() { m_mgr.ResetSelection(); }
  int SelectionStart() const { return m_mgr.SelectionStart(); }
  int SelectionEnd() const { return m_mgr.SelectionEnd(); }
  bool HasSelection() const { return SelectionStart() != SelectionEnd(); }

  // The plain text of a range (PlainTextRange; `index` for the line
  // ranges): tags dropped, entities and gaiji resolved through the
  // dictionary's map ("_" / "__" without one), carriage returns dropped
  // when asked, at most `limit` characters (0: no limit).
  std::u16string GetPlainText(int range, int index = 0, bool dropReturns = true, size_t limit = 0) const;

  // The first place at or after `from` where `word` occurs in the markup,
  // compared through the character fold table unless `matchCase`; -1 when
  // there is none.
  int FindText(std::u16string_view word, bool matchCase, int from) const;

 private:
  void Lay(CCanvas& canvas);
  bool LineBounds(int index, int* start, int* end) const;

  CDictSession& m_session;
  CLineMgr m_mgr;
  std::unique_ptr<CLayoutBook> m_book;
  const GaijiMapRecord* m_gaijiMap = nullptr;
  LayoutOptions m_options;
  std::u16string m_markup;
  int m_dict = -1;
  int32_t m_page = 0;
  int m_offset = 0;
};

#endif  // TOMELING_SHELL_CONTENT_MODEL_H_
