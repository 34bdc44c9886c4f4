// Display markup: the tag language between the text decoder and the layout.
//
// The decoder writes the byte form (Shift_JIS text, ASCII tags and
// entities, NUL-terminated); ConvertMarkup (markup_convert.h) turns it into
// the UTF-16 wide form that the layout reads. Both forms share one syntax,
// one byte of a tag becoming one UTF-16 unit, so the widths and positions
// below hold in both.
//
//   tag      "<" NAME [fixed-width parameters] ">"   e.g. "</LINK[0000012A:07FE]>"
//   entity   "&amp;" "&lt;" "&gt;", gaiji "&h%04X;" "&z%04X;" "&c%04X;" "&g%04X;"
//   newline  CR LF; no other byte below 0x20 occurs
//
// Every tag has a fixed length whatever its values, so readers take
// parameters at fixed offsets (the k...Pos constants). A decimal value that
// does not fit its field is clamped into it: above the field's range it is
// written as all nines, below zero as "-" followed by the absolute value
// clamped to the remaining digits (-1 in a four-digit field is "-001"); a
// one-digit field clamps negatives to 0. Hexadecimal fields hold the value's
// low bits (pages and frame numbers are 32-bit, offsets 16-bit, colours
// 24-bit, so nothing is lost).
//
// Writers append whole tags or nothing to a MarkupBuffer: each checks that
// the tag and the terminating NUL fit, and returns false without writing
// when they do not (the decoder then stops). A writer that by rule writes
// nothing for a value (an indent of 100 or more) returns true.
#ifndef TOMELING_DECODE_MARKUP_H_
#define TOMELING_DECODE_MARKUP_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

// The caller's byte buffer: `length` bytes written so far, always followed by
// a NUL once anything has been appended.
struct MarkupBuffer {
  char* data = nullptr;
  size_t capacity = 0;
  size_t length = 0;
};

// Tags without parameters.
inline constexpr std::string_view kTagBody = "<BODY>";
inline constexpr std::string_view kTagBodyEnd = "</BODY>";
inline constexpr std::string_view kTagHead = "<HEAD>";
inline constexpr std::string_view kTagHeadEnd = "</HEAD>";
inline constexpr std::string_view kTagPage = "<PAGE>";
inline constexpr std::string_view kTagLink = "<LINK>";
inline constexpr std::string_view kTagMenu = "<MENU>";
inline constexpr std::string_view kTagBold = "<B>";
inline constexpr std::string_view kTagBoldEnd = "</B>";
inline constexpr std::string_view kTagItalic = "<I>";
inline constexpr std::string_view kTagItalicEnd = "</I>";
inline constexpr std::string_view kTagUnderline = "<UL>";
inline constexpr std::string_view kTagUnderlineEnd = "</UL>";
inline constexpr std::string_view kTagSup = "<SUP>";
inline constexpr std::string_view kTagSupEnd = "</SUP>";
inline constexpr std::string_view kTagSub = "<SUB>";
inline constexpr std::string_view kTagSubEnd = "</SUB>";
inline constexpr std::string_view kTagColourEnd = "</COL>";
inline constexpr std::string_view kTagTable = "<TABLE>";
inline constexpr std::string_view kTagTableEnd = "</TABLE>";
inline constexpr std::string_view kTagFig = "<FIG>";
inline constexpr std::string_view kTagInline = "<INL>";
inline constexpr std::string_view kTagMap = "<MAP>";
inline constexpr std::string_view kTagMapEnd = "</MAP>";
inline constexpr std::string_view kTagWav = "<WAV>";
inline constexpr std::string_view kTagMov = "<MOV>";
inline constexpr std::string_view kTagUrl = "<URL>";
inline constexpr std::string_view kTagUrlEnd = "</URL>";
inline constexpr std::string_view kTagNb = "<NB>";
inline constexpr std::string_view kTagNbEnd = "</NB>";
inline constexpr std::string_view kTagNobr = "<NOBR>";
inline constexpr std::string_view kTagNobrEnd = "</NOBR>";
inline constexpr std::string_view kNewLine = "\r\n";
// The visible text after "<MOV>": the arrow, Shift_JIS 0x81A8.
inline constexpr std::string_view kMovieArrow = "\x81\xA8";

// Prefixes of the tags with parameters, as readers compare them.
inline constexpr std::string_view kTagIndentPrefix = "<INDENT=";
inline constexpr std::string_view kTagTabPrefix = "<TAB=";
inline constexpr std::string_view kTagLinkEndPrefix = "</LINK[";
inline constexpr std::string_view kTagMenuEndPrefix = "</MENU[";
inline constexpr std::string_view kTagColourPrefix = "<COL=";
inline constexpr std::string_view kTagColourChartPrefix = "<COLCHART=";
inline constexpr std::string_view kTagFigEndPrefix = "</FIG[";
inline constexpr std::string_view kTagInlineEndPrefix = "</INL[";
inline constexpr std::string_view kTagAreaPrefix = "<AREA COORDS=";
inline constexpr std::string_view kTagWavEndPrefix = "</WAV[";
inline constexpr std::string_view kTagMovEndPrefix = "</MOV[";

// Lengths of the tags with parameters.
inline constexpr size_t kIndentTagLength = 11;     // <INDENT=%02d>
inline constexpr size_t kTabTagLength = 8;         // <TAB=%02d>
inline constexpr size_t kLinkEndTagLength = 22;    // </LINK[%08X:%04X]>, </MENU[...]>
inline constexpr size_t kColourTagLength = 12;     // <COL=%06X>
inline constexpr size_t kColourChartTagLength = 14;  // <COLCHART=%03d>
inline constexpr size_t kFigEndTagLength = 34;     // </FIG[%08X:%04X](%04d*%04d:%d)>, </INL...>
inline constexpr size_t kAreaHrefTagLength = 50;
inline constexpr size_t kAreaSoundTagLength = 55;
inline constexpr size_t kWavEndTagLength = 47;
inline constexpr size_t kMovEndTagLength = 16;     // </MOV[%-08s]>
inline constexpr size_t kMaxTagLength = kAreaSoundTagLength;
inline constexpr size_t kGaijiEntityLength = 7;    // &h%04X;

// Parameter positions (in characters from the "<").
inline constexpr size_t kLinkEndPagePos = 7, kLinkEndOffsetPos = 16;
inline constexpr size_t kFigEndPagePos = 6, kFigEndOffsetPos = 15, kFigEndWidthPos = 21,
                        kFigEndHeightPos = 26, kFigEndKindPos = 31;
inline constexpr size_t kAreaXPos = 13, kAreaYPos = 17, kAreaWidthPos = 21, kAreaHeightPos = 25,
                        kAreaKindPos = 29;
inline constexpr size_t kAreaHrefPagePos = 35, kAreaHrefOffsetPos = 44;
inline constexpr size_t kAreaSoundStartPos = 36, kAreaSoundEndPos = 45;
inline constexpr size_t kWavEndPagePos = 6, kWavEndOffsetPos = 15, kWavEndPage2Pos = 21,
                        kWavEndOffset2Pos = 30, kWavEndDigitsPos = 36;  // digits at 36, 38, ... 44
inline constexpr size_t kMovEndNamePos = 6, kMovNameLength = 8;
inline constexpr size_t kIndentValuePos = 8, kTabValuePos = 5, kColourValuePos = 5,
                        kColourChartValuePos = 10;

// Kind digit of the FIG and INL closing tags.
inline constexpr int kImageMonochrome = 0;
inline constexpr int kImageColour = 1;

// True when `n` more bytes and the NUL fit.
inline bool HasRoom(const MarkupBuffer& out, size_t n) {
  return out.length <= out.capacity && n < out.capacity - out.length;
}

// Appends `bytes` whole, or nothing and false.
bool AppendMarkup(MarkupBuffer* out, std::string_view bytes);

// One character of the byte form: a single byte (0x20 to 0xFF; "&", "<"
// and ">" become their entities, bytes below 0x20 a space, 0 nothing) or a
// two-byte Shift_JIS value (above 0xFF), lead byte first.
bool WriteTextChar(MarkupBuffer* out, uint16_t value);

// "&h%04X;" and the like; `letter` is 'h', 'z', 'c' or 'g'.
bool WriteGaijiEntity(MarkupBuffer* out, char letter, uint16_t code);

bool WriteIndent(MarkupBuffer* out, int level);  // nothing outside 0..99
bool WriteTab(MarkupBuffer* out, int column);    // nothing outside 0..99
bool WriteLinkEnd(MarkupBuffer* out, uint32_t page, uint16_t offset);
bool WriteMenuEnd(MarkupBuffer* out, uint32_t page, uint16_t offset);

// "<COL=%06X>" of the colour that the book's colour code stands for.
bool WriteColour(MarkupBuffer* out, uint16_t bookCode);
// The colour-reference value (0x00BBGGRR) of a book colour code.
uint32_t BookColourValue(uint16_t bookCode);
bool WriteColourChart(MarkupBuffer* out, int number);  // nothing for 0

bool WriteFigEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, int width, int height, int kind);
bool WriteInlineEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, int width, int height, int kind);
bool WriteAreaHref(MarkupBuffer* out, int x, int y, int width, int height, uint32_t page, uint16_t offset);
bool WriteAreaSound(MarkupBuffer* out, int x, int y, int width, int height, uint32_t startFrame,
                    uint32_t endFrame);

// "</WAV[...][...](d:d:d:d:d)>"; each digit is clamped to 0..9.
bool WriteWavEnd(MarkupBuffer* out, uint32_t page, uint16_t offset, uint32_t page2, uint16_t offset2,
                 const int digits[5]);
// The closing form of a sound given as a range of audio frames.
bool WriteWavFramesEnd(MarkupBuffer* out, uint32_t startFrame, uint32_t endFrame);

// "<MOV>" and the arrow, as one piece.
bool WriteMovieStart(MarkupBuffer* out);
// "</MOV[%-08s]>". The name ends at its first NUL or after 8 bytes; a byte
// that could end or confuse the tag ("<", ">", "&", control bytes and bytes
// of 0x7F and above) is written as "_".
bool WriteMovieEnd(MarkupBuffer* out, const char* name, size_t size);

// Reads a fixed-width field at `p` (which must hold `width` characters), as
// the layout and views do with both forms. Hex: upper- or lower-case digits.
// Decimal: digits, optionally after one leading "-". False on any other
// character.
template <typename Char>
bool ReadMarkupHex(const Char* p, size_t width, uint32_t* value) {
  uint32_t v = 0;
  for (size_t i = 0; i < width; ++i) {
    auto c = static_cast<uint32_t>(p[i]);
    uint32_t d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return false;
    v = (v << 4) | d;
  }
  *value = v;
  return true;
}

template <typename Char>
bool ReadMarkupDecimal(const Char* p, size_t width, int* value) {
  size_t i = 0;
  bool negative = width > 1 && static_cast<uint32_t>(p[0]) == '-';
  if (negative) i = 1;
  int v = 0;
  for (; i < width; ++i) {
    auto c = static_cast<uint32_t>(p[i]);
    if (c < '0' || c > '9') return false;
    if (v < 100000000) v = v * 10 + static_cast<int>(c - '0');
  }
  *value = negative ? -v : v;
  return true;
}

#endif  // TOMELING_DECODE_MARKUP_H_
