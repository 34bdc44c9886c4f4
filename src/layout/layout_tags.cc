// The effect of each markup tag on layout: fonts for measuring, the
// attribute records of link-like spans, indents and tabs, and the objects
// some tags stand for (figures, inline images, colour swatches).
#include <algorithm>

#include "decode/markup.h"
#include "layout/layout_state.h"
#include "layout/markup_scan.h"

// Closes the last record carrying any of `flags`; a closing tag without an
// open record is ignored.
void CLineMgr::CloseAttr(LayoutState& s, int i, uint16_t flags, bool target) {
  for (int k = m_attrCount - 1; k >= 0; --k) {
    AttrRecord& a = m_attrT[static_cast<size_t>(k)];
    if ((a.flags & flags) == 0) continue;
    a.length = static_cast<uint16_t>(i - a.start);
    a.x1 = s.pen;
    a.y1 = s.Line(*this).y + m_lineHeight;
    if (target) {
      uint32_t page = 0, offset = 0;
      const char16_t* p = m_text + i;
      if (ReadMarkupHex(p + kLinkEndPagePos, 8, &page) && ReadMarkupHex(p + kLinkEndOffsetPos, 4, &offset)) {
        a.targetPage = static_cast<int32_t>(page);
        a.targetOffset = static_cast<int32_t>(offset);
      }
    }
    return;
  }
}

CLineMgr::TagEffect CLineMgr::LayoutTag(LayoutState& s, int i, int tagLen, int* w, int* h) {
  const char16_t* p = m_text + i;
  const int n = tagLen;
  auto open = [&](uint16_t flags) {
    LineRecord& line = s.Line(*this);
    AddAttr({static_cast<uint16_t>(i), 0, s.pen, line.y, s.pen, line.y, 0, 0, flags});
  };
  auto font = [&](int variant) { s.canvas->SelectFont(&m_fonts[variant][m_face]); };

  if (MarkupIs(p, n, kTagLink) || MarkupIs(p, n, kTagMenu)) {
    open(ATTR_LINK);
  } else if ((MarkupStarts(p, n, kTagLinkEndPrefix) || MarkupStarts(p, n, kTagMenuEndPrefix)) &&
             n == static_cast<int>(kLinkEndTagLength)) {
    CloseAttr(s, i, ATTR_LINK, true);
  } else if (MarkupIs(p, n, kTagUrl)) {
    open(ATTR_URL);
  } else if (MarkupIs(p, n, kTagUrlEnd)) {
    CloseAttr(s, i, ATTR_URL, false);
  } else if (MarkupIs(p, n, kTagWav) || MarkupIs(p, n, kTagMov)) {
    open(ATTR_MEDIA);
  } else if (MarkupStarts(p, n, "</WAV") || MarkupStarts(p, n, "</MOV")) {
    CloseAttr(s, i, ATTR_MEDIA, false);
  } else if (MarkupIs(p, n, kTagMap) || MarkupIs(p, n, kTagMapEnd)) {
    if (m_isEbCatalog) s.mapMode = p[1] != u'/';
  } else if (MarkupIs(p, n, kTagFig)) {
    open(s.mapMode ? ATTR_MAPFIG : ATTR_MEDIA);
  } else if (MarkupStarts(p, n, kTagFigEndPrefix) && n == static_cast<int>(kFigEndTagLength)) {
    CloseAttr(s, i, ATTR_MEDIA | ATTR_MAPFIG, false);
    if (!m_inlineImage) return kTagNone;
    int iw = 0, ih = 0;
    ImageSize(s, i, s.options->bStretchImg != 0, &iw, &ih);
    m_maxWidth = std::max(m_maxWidth, iw);
    *h = m_lineHeight + ih;  // the caption's line, the image below it
    return kTagBreakAfter;
  } else if (MarkupStarts(p, n, kTagInlineEndPrefix) && n == static_cast<int>(kFigEndTagLength)) {
    if (!m_inlineImage) return kTagNone;
    ImageSize(s, i, false, w, h);
    // Kept in text order: a walk that goes back to break a line earlier
    // meets the tag again.
    while (!m_inlineWidths.empty() && m_inlineWidths.back().first >= i) m_inlineWidths.pop_back();
    m_inlineWidths.emplace_back(i, *w);
    return kTagInline;
  } else if (MarkupStarts(p, n, kTagColourChartPrefix) && n == static_cast<int>(kColourChartTagLength)) {
    *w = 2 * m_fontSize;
    *h = m_lineHeight;
    return kTagObject;
  } else if (MarkupStarts(p, n, kTagIndentPrefix) && n == static_cast<int>(kIndentTagLength)) {
    int level = 0;
    if (!ReadMarkupDecimal(p + kIndentValuePos, 2, &level)) return kTagNone;
    int indent = (level - 1) * m_fontSize;
    indent = std::min(indent, m_leftMargin * m_fontSize);
    indent = std::min(indent, m_viewWidth - 3 * m_fontSize);
    m_indent = std::max(indent, 0);
    LineRecord& line = s.Line(*this);
    if (s.pen == line.x) {
      line.x = m_indent + 1;
      s.pen = line.x;
    }
  } else if (MarkupStarts(p, n, kTagTabPrefix) && n == static_cast<int>(kTabTagLength)) {
    int column = 0;
    if (ReadMarkupDecimal(p + kTabValuePos, 2, &column)) {
      int x = column * m_fontSize;
      if (x > s.pen && x < m_viewWidth) s.pen = x;
    }
  } else if (MarkupIs(p, n, kTagBody)) {
    m_bodyFlags |= 1;
  } else if (MarkupIs(p, n, kTagBodyEnd)) {
    m_bodyFlags |= 0x10;
  } else if (MarkupIs(p, n, kTagSup) || MarkupIs(p, n, kTagSub)) {
    font(1);
    s.raise = p[3] == u'B' ? m_fontSize / 2 - 2 : 0;  // as drawn
  } else if (MarkupIs(p, n, kTagBold)) {
    font(2);
  } else if (MarkupIs(p, n, kTagItalic)) {
    font(3);
  } else if (MarkupIs(p, n, kTagUnderline)) {
    font(4);
  } else if (MarkupIs(p, n, kTagSupEnd) || MarkupIs(p, n, kTagSubEnd) || MarkupIs(p, n, kTagBoldEnd) ||
             MarkupIs(p, n, kTagUnderlineEnd)) {
    font(0);
    if (p[2] == u'S') s.raise = 0;
  } else if (MarkupIs(p, n, kTagItalicEnd)) {
    font(0);
    s.pen += m_italicOverhang;
  }
  return kTagNone;
}
