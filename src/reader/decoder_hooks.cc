#include "reader/decoder_hooks.h"

#include <string_view>

namespace {

// Fixed tags: one writer per tag, so a table slot is a plain function.
template <const std::string_view& kTag>
void WriteTag(TextOutput& out, const MediaArgs&) {
  EmitText(out, kTag);
}

void WriteNothing(TextOutput&, const MediaArgs&) {}

void WriteStop(TextOutput& out, const MediaArgs&) { out.m_stop = 1; }

void WriteHalfGaiji(TextOutput& out, const MediaArgs&) {
  uint16_t code = out.m_param;
  Emit(out, [code](MarkupBuffer* b) { return WriteGaijiEntity(b, 'h', code); });
}

void WriteFullGaiji(TextOutput& out, const MediaArgs&) {
  uint16_t code = out.m_param;
  Emit(out, [code](MarkupBuffer* b) { return WriteGaijiEntity(b, 'z', code); });
}

void WriteGb2312(TextOutput& out, const MediaArgs&) {
  auto code = static_cast<uint16_t>(out.m_param | 0x8080);
  Emit(out, [code](MarkupBuffer* b) { return WriteGaijiEntity(b, 'g', code); });
}

void WriteCompound(TextOutput& out, const MediaArgs&) {
  uint16_t code = out.m_param;
  Emit(out, [code](MarkupBuffer* b) { return WriteGaijiEntity(b, 'c', code); });
}

void WriteIndentTag(TextOutput& out, const MediaArgs&) {
  int level = out.m_param;
  Emit(out, [level](MarkupBuffer* b) { return WriteIndent(b, level); });
}

void WriteTabTag(TextOutput& out, const MediaArgs&) {
  int column = out.m_param;
  Emit(out, [column](MarkupBuffer* b) { return WriteTab(b, column); });
}

void WriteColourTag(TextOutput& out, const MediaArgs&) {
  uint16_t code = out.m_param;
  Emit(out, [code](MarkupBuffer* b) { return WriteColour(b, code); });
}

void WriteColourChartTag(TextOutput& out, const MediaArgs&) {
  int number = out.m_param;
  Emit(out, [number](MarkupBuffer* b) { return WriteColourChart(b, number); });
}

void WriteLinkEndTag(TextOutput& out, const MediaArgs&) {
  auto page = static_cast<uint32_t>(out.m_refPage);
  uint16_t offset = out.m_refOffset;
  Emit(out, [=](MarkupBuffer* b) { return WriteLinkEnd(b, page, offset); });
}

void WriteMenuEndTag(TextOutput& out, const MediaArgs&) {
  auto page = static_cast<uint32_t>(out.m_refPage);
  uint16_t offset = out.m_refOffset;
  Emit(out, [=](MarkupBuffer* b) { return WriteMenuEnd(b, page, offset); });
}

void WriteNewLine(TextOutput& out, const MediaArgs&) { EmitText(out, kNewLine); }

// The slots both tables share; the object slots stay empty here.
TextHookTable DefaultTable() {
  TextHookTable t;
  TextWriter* s = t.slot;
  s[kHookCharacter] = WriteCharacter;
  s[kHookHalfGaiji] = WriteHalfGaiji;
  s[kHookFullGaiji] = WriteFullGaiji;
  s[kHookGb2312] = WriteGb2312;
  s[kHookBodyBegin] = WriteTag<kTagBody>;
  s[kHookBodyEnd] = WriteTag<kTagBodyEnd>;
  s[kHookHeadBegin] = WriteTag<kTagHead>;
  s[kHookHeadEnd] = WriteTag<kTagHeadEnd>;
  s[kHookCompound] = WriteCompound;
  s[kHookSubBegin] = WriteTag<kTagSub>;
  s[kHookSubEnd] = WriteTag<kTagSubEnd>;
  s[kHookIndent] = WriteIndentTag;
  s[kHookNewLine] = WriteNewLine;
  s[kHookTableBegin] = WriteTag<kTagTable>;
  s[kHookTableEnd] = WriteTag<kTagTableEnd>;
  s[kHookSupBegin] = WriteTag<kTagSup>;
  s[kHookSupEnd] = WriteTag<kTagSupEnd>;
  s[kHookNoBreakBegin] = WriteNothing;
  s[kHookNoBreakEnd] = WriteNothing;
  s[kHookBoldBegin] = WriteTag<kTagBold>;
  s[kHookBoldEnd] = WriteTag<kTagBoldEnd>;
  s[kHookTab] = WriteTabTag;
  s[kHookItalicBegin] = WriteTag<kTagItalic>;
  s[kHookItalicEnd] = WriteTag<kTagItalicEnd>;
  s[kHookUnderlineBegin] = WriteTag<kTagUnderline>;
  s[kHookUnderlineEnd] = WriteTag<kTagUnderlineEnd>;
  s[kHookColourBegin] = WriteColourTag;
  s[kHookColourEnd] = WriteTag<kTagColourEnd>;
  s[kHookUnknown] = WriteNothing;
  return t;
}

TextHookTable BuildEntryTable() {
  TextHookTable t = DefaultTable();
  TextWriter* s = t.slot;
  s[kHookLinkBegin] = WriteTag<kTagLink>;
  s[kHookLinkEnd] = WriteLinkEndTag;
  s[kHookMenuBegin] = WriteTag<kTagMenu>;
  s[kHookMenuEnd] = WriteMenuEndTag;
  s[kHookNextEntry] = WriteTag<kTagPage>;
  s[kHookSoundBegin] = WriteTag<kTagWav>;
  s[kHookSoundEnd] = WriteSoundClose;
  s[kHookMovieBegin] = WriteMovieOpen;
  s[kHookMovieEnd] = WriteMovieClose;
  s[kHookFigureBegin] = WriteTag<kTagFig>;
  s[kHookFigureEnd] = WriteFigureClose;
  s[kHookInlineBegin] = WriteTag<kTagInline>;
  s[kHookInlineEnd] = WriteInlineClose;
  s[kHookColourChart] = WriteColourChartTag;
  s[kHookMapBegin] = WriteTag<kTagMap>;
  s[kHookMapEnd] = WriteTag<kTagMapEnd>;
  s[kHookGraphicSilent] = WriteNothing;
  s[kHookAreaLink] = WriteAreaHrefTag;
  s[kHookGraphicSound] = WriteNothing;
  s[kHookAreaSound] = WriteAreaSoundTag;
  return t;
}

// A heading is one line of plain text: a new line or the end of a menu
// reference ends it.
TextHookTable BuildHeadingTable() {
  TextHookTable t = DefaultTable();
  t.slot[kHookMenuEnd] = WriteStop;
  t.slot[kHookNewLine] = WriteStop;
  return t;
}

}  // namespace

const TextHookTable& EntryHookTable() {
  static const TextHookTable table = BuildEntryTable();
  return table;
}

const TextHookTable& HeadingHookTable() {
  static const TextHookTable table = BuildHeadingTable();
  return table;
}
