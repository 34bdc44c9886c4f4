// The hook tables of the text decoder: 51 writer slots that turn each kind of
// code into markup. The decoder only classifies codes and reads their
// parameters; which markup a code produces, if any, is the table's choice.
//
// Two tables exist. The entry table writes full markup. The heading table
// writes the short form used for hit-list headings: no links, menus,
// images, sounds or movies, and the first new line or the end of a menu
// reference ends the heading. Both are built once and never change.
#ifndef TOMELING_READER_DECODER_HOOKS_H_
#define TOMELING_READER_DECODER_HOOKS_H_

#include "reader/text_output.h"

enum HookSlot : int {
  kHookCharacter = 0,
  kHookHalfGaiji = 1,      // &h
  kHookFullGaiji = 2,      // &z
  kHookGb2312 = 3,         // &g
  kHookBodyBegin = 4,
  kHookBodyEnd = 5,
  kHookHeadBegin = 6,
  kHookHeadEnd = 7,
  kHookLinkBegin = 8,
  kHookLinkEnd = 9,
  kHookMenuBegin = 10,
  kHookMenuEnd = 11,
  kHookCompound = 12,      // &c
  kHookNextEntry = 13,     // <PAGE>
  kHookNarrowOn = 14,
  kHookNarrowOff = 15,
  kHookSubBegin = 16,
  kHookSubEnd = 17,
  kHookIndent = 18,
  kHookNewLine = 19,
  kHookTableBegin = 20,
  kHookTableEnd = 21,
  kHookSupBegin = 22,
  kHookSupEnd = 23,
  kHookNoBreakBegin = 24,
  kHookNoBreakEnd = 25,
  kHookBoldBegin = 26,
  kHookBoldEnd = 27,
  kHookTab = 28,
  kHookItalicBegin = 29,
  kHookItalicEnd = 30,
  kHookUnderlineBegin = 31,
  kHookUnderlineEnd = 32,
  kHookColourBegin = 33,
  kHookColourEnd = 34,
  kHookSoundBegin = 35,
  kHookSoundEnd = 36,
  kHookMovieBegin = 37,
  kHookMovieEnd = 38,
  kHookFigureBegin = 39,
  kHookFigureEnd = 40,
  kHookInlineBegin = 41,
  kHookInlineEnd = 42,
  kHookColourChart = 43,
  kHookMapBegin = 44,
  kHookMapEnd = 45,
  kHookGraphicSilent = 46,
  kHookAreaLink = 47,
  kHookGraphicSound = 48,
  kHookAreaSound = 49,
  kHookUnknown = 50,
  kHookCount = 51,
};

using TextWriter = void (*)(TextOutput& out, const MediaArgs& media);

struct TextHookTable {
  TextWriter slot[kHookCount] = {};
};

const TextHookTable& EntryHookTable();
const TextHookTable& HeadingHookTable();

// Writers that the decoder also calls directly (a replaced code's space, the
// caption of an empty image).
void WriteCharacter(TextOutput& out, const MediaArgs& media);

// Object writers (object_writers.cc).
void WriteFigureClose(TextOutput& out, const MediaArgs& media);
void WriteInlineClose(TextOutput& out, const MediaArgs& media);
void WriteSoundClose(TextOutput& out, const MediaArgs& media);
void WriteMovieOpen(TextOutput& out, const MediaArgs& media);
void WriteMovieClose(TextOutput& out, const MediaArgs& media);
void WriteAreaHrefTag(TextOutput& out, const MediaArgs& media);
void WriteAreaSoundTag(TextOutput& out, const MediaArgs& media);

#endif  // TOMELING_READER_DECODER_HOOKS_H_
