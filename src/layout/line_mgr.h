// CLineMgr: lays out one entry's wide-form display markup in lines and
// draws it.
//
// Layout fills three tables that drawing, hit testing and the content view
// work from:
//   m_lineT   one LineRecord per line (first character, x, y, height), then
//             a sentinel whose start is the end of the text;
//   m_attrT   the page rectangles of links, menus, URLs, sounds, movies and
//             figures, with their targets;
//   m_colorT  the places where the current search words occur.
// The text stays the caller's; every table addresses it by UTF-16 index,
// 16 bits wide, so a text is laid out up to 65,535 characters and no
// further.
//
// Layout only measures. Plain text far from the right edge is estimated
// (half a font size below U+0100, a full one above) and measured once a
// run reaches the last three font sizes of the line; CJK ideographs count
// as exactly one font size wide. Positions are page coordinates from the
// top-left of the entry.
//
// Lines are as tall as the fonts on them really are (ascent plus descent,
// see canvas.h), at least one font size: the text of a line is drawn from
// its top, so every glyph stays inside its line, and a ruled line, drawn
// in the space between two lines, never crosses one.
#ifndef TOMELING_LAYOUT_LINE_MGR_H_
#define TOMELING_LAYOUT_LINE_MGR_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "layout/canvas.h"
#include "layout/layout_book.h"
#include "storage/stack.h"

struct LineRecord {
  uint16_t start;
  int32_t x;
  int32_t y;
  uint16_t height;
};

enum : uint16_t { ATTR_LINK = 0x0001, ATTR_MEDIA = 0x0200, ATTR_MAPFIG = 0x0400, ATTR_URL = 0x0800 };

struct AttrRecord {
  uint16_t start;
  uint16_t length;
  int32_t x0, y0, x1, y1;
  int32_t targetPage;
  int32_t targetOffset;
  uint16_t flags;
};

enum : int16_t { kHighlightSearchWord = 2 };

struct HighlightRecord {
  uint16_t start;
  uint16_t length;
  int16_t kind;
  uint8_t word;
};

// The settings a layout and a paint follow; the shell fills them from its
// options for each call.
struct LayoutOptions {
  int16_t bStretchImg = 0;
  int16_t lineSpacing = 3;
  int16_t bInlineImage = 1;
  int16_t bULLink = 0;
  int16_t bHighlight = 1;
  int16_t bAdjustGaiji = 1;
  int16_t bRuledLine = 1;
  Colour titleColour = MakeColour(0, 0, 255);
  Colour textColour = MakeColour(0, 0, 0);
  Colour linkColour = MakeColour(0, 128, 0);
  Colour boldColour = MakeColour(0, 0, 0);
  Colour italicColour = MakeColour(0, 0, 0);
  Colour highlightColour = MakeColour(255, 0, 0);
  Colour backgroundColour = MakeColour(255, 255, 255);
  bool useSystemColours = false;
  std::u16string searchString;
};
using DrawOptions = LayoutOptions;

struct PagePoint {
  int x = 0;
  int y = 0;
};

class CLineMgr {
 public:
  static constexpr int kMaxTextLength = 0xFFFF;
  static constexpr int kVariants = 6;
  static constexpr int kFaces = 3;
  static constexpr int kMaxDrawnLine = 512;
  // Font sizes SetFonts keeps to: below, cells vanish and everything lands
  // on one line; above, one glyph outgrows any window.
  static constexpr int kMinFontSize = 4;
  static constexpr int kMaxFontSize = 200;

  CLineMgr();
  CLineMgr(const CLineMgr&) = delete;
  CLineMgr& operator=(const CLineMgr&) = delete;

  void SetFonts(const std::u16string& face0, const std::u16string& face1, const std::u16string& face2,
                int fontSize, bool clearType, bool italic, bool bold);
  const FontDesc& Font(int variant, int face) const { return m_fonts[variant][face]; }

  void SetViewWidth(int width) { m_viewWidth = width; }
  int GetViewWidth() const { return m_viewWidth; }
  void SetIndent(int columns, int leftMargin);
  int GetIndentColumns() const { return m_fontSize > 0 ? m_indent / m_fontSize : 0; }
  void Clear();

  // Number of lines, or -1 (tables untouched) without a book.
  int Layout(const char16_t* text, int textLen, CCanvas& canvas, CLayoutBook* book, const LayoutOptions& options);
  // 0, or -1 without a book. The rectangle is the client area in window
  // coordinates; page coordinates minus (scrollX, scrollY) give those.
  int Draw(const char16_t* text, int left, int top, int right, int bottom, int scrollX, int scrollY,
           CCanvas& canvas, CLayoutBook* book, const DrawOptions& options);

  // The line's first character and length, and its position; false when
  // `i` is not a line.
  bool GetLine(int i, const char16_t** start, int* length, PagePoint* at) const;
  int LineFromY(int y) const;
  int GetLineCount() const { return m_lineCount; }
  int GetFontSize() const { return m_fontSize; }
  // Height of a line of body text in the last layout's font.
  int GetLineHeight() const { return m_lineHeight; }
  int GetGaijiSize() const { return m_gaijiSize; }
  int GetFace() const { return m_face; }
  const std::vector<LineRecord>& Lines() const { return m_lineT; }  // count + sentinel valid
  const AttrRecord* GetAttrTable() const { return m_attrT.data(); }
  int GetAttrCount() const { return m_attrCount; }
  const HighlightRecord* GetHighlightTable() const { return m_colorT.data(); }
  int GetHighlightCount() const { return m_colorCount; }
  int LineCapacity() const { return static_cast<int>(m_lineT.size()); }
  bool HasBody() const { return (m_bodyFlags & 1) != 0; }
  bool BodyClosed() const { return (m_bodyFlags & 0x10) != 0; }
  // Width: the view or the widest image; height: the bottom of the last
  // line, so that nothing of an entry without a final line break is cut.
  void GetExtent(int* width, int* height) const;

  const AttrRecord* AttrFromPoint(int x, int y) const;
  int CharFromPoint(int x, int y, CCanvas& canvas);
  // The page position where character `index` starts (its line's top).
  PagePoint PointFromChar(int index, CCanvas& canvas);

  // The selection, inverted on `canvas` (window coordinates after the
  // scroll): only the difference to the previous range is inverted.
  void SetSelection(int from, int to, CCanvas& canvas, int scrollX, int scrollY);
  void ClearSelection(CCanvas& canvas, int scrollX, int scrollY);
  // Forgets the selection without drawing (a repaint shows it gone).
  void ResetSelection() { m_selStart = m_selEnd = 0; }
  int SelectionStart() const { return m_selStart; }
  int SelectionEnd() const { return m_selEnd; }

 private:
  struct LayoutState;
  struct DrawState;
  struct Walker;

  // layout
  void AddLine(int start, int x, int y);
  void AddAttr(const AttrRecord& record);
  void AddHighlight(const HighlightRecord& record);
  void SplitWords(const std::u16string& search);
  int GaijiSizeIndex(int sizes) const;
  enum TagEffect { kTagNone, kTagObject, kTagInline, kTagBreakAfter };
  TagEffect LayoutTag(LayoutState& s, int i, int tagLen, int* w, int* h);
  void CloseAttr(LayoutState& s, int i, uint16_t flags, bool target);
  void EntitySize(int i, int len, int* w, int* h) const;
  int BreakPoint(int k, int lineStart) const;
  int ImageSize(LayoutState& s, int i, bool stretch, int* width, int* height);
  int MatchAt(int i, const std::u16string& word) const;
  void MatchWords(int i);
  // drawing
  void DrawLine(DrawState& d, int line);
  void DrawTag(DrawState& d, int i, int tagLen);
  void DrawEntity(DrawState& d, int i, int len);
  void DrawFigure(DrawState& d, int i, bool inlineImage);
  void FigureDrawSize(bool inlineImage, bool stretch, int* w, int* h) const;
  void FlushRun(DrawState& d);
  static Colour TextColour(const DrawState& d, Colour colour);
  void PushColour(DrawState& d, Colour colour);
  void PopColour(DrawState& d);
  const FontDesc* StyleFont(int flags) const;
  // hit testing
  int ObjectWidth(Walker& w, int i, int* len, CCanvas& canvas);
  void InvertRange(int a, int b, CCanvas& canvas, int scrollX, int scrollY);

  const char16_t* m_text = nullptr;
  int m_textLen = 0;
  int m_viewWidth = 240;
  int m_maxWidth = 0;
  int m_indent = 0;
  int m_leftMargin = 0;
  int m_bodyFlags = 0;
  int m_adjustGaiji = 1;
  int m_inlineImage = 1;
  std::vector<LineRecord> m_lineT;
  int m_lineCount = 0;
  std::vector<AttrRecord> m_attrT;
  int m_attrCount = 0;
  std::vector<HighlightRecord> m_colorT;
  int m_colorCount = 0;
  int m_selStart = 0, m_selEnd = 0;
  std::u16string m_fontFaces[kFaces];
  int m_fontSize = 13;
  int m_lineHeight = 13;
  int m_gaijiSize = 16;
  int m_gaijiSizeIndex = 0;
  int m_halfWidth = 6, m_fullWidth = 13;
  int m_italicOverhang = 3;
  FontDesc m_fonts[kVariants][kFaces];
  CStack m_colourStack{16};
  int m_face = 0;
  std::vector<std::u16string> m_words;
  bool m_isEbCatalog = false;
  // Inline images as the last layout sized them (INL tag index, width):
  // a tag that gives 0 x 0 takes its size from the image, which hit
  // testing cannot load again.
  std::vector<std::pair<int, int>> m_inlineWidths;
};

#endif  // TOMELING_LAYOUT_LINE_MGR_H_
