// The escape codes of the text (0x1F00 to 0x1FFF): code rules, then
// dispatch on the second byte. Codes that the book's kind does not know are
// dropped without reading parameters, so whatever follows decodes as text.
#include "reader/text_decoder.h"

namespace {

// The arrow and the ideograph for "figure", the caption of an image that
// the book gives none.
constexpr uint16_t kJisArrow = 0x222A;
constexpr uint16_t kJisFigure = 0x3F5E;

constexpr uint16_t kEscapeSpaceLink = 0x1F42;

}  // namespace

void CTextDecoder::DecodeEscape(uint16_t code) {
  m_out.m_code = code;
  m_out.m_param = 0;
  if (ApplyCodeRule(code)) return;
  DispatchEscape(static_cast<uint8_t>(m_out.m_code & 0xFF));
}

// Returns true when the code was skipped.
bool CTextDecoder::ApplyCodeRule(uint16_t code) {
  for (const CodeRule& rule : m_codeRules) {
    uint8_t kind = rule.kind & 0xFF;
    if (rule.code != code || kind > 1) continue;
    if (kind == 0) {
      for (int i = 0; i < rule.operand; ++i) m_reader.ReadByte();
      return true;
    }
    m_out.m_code = rule.operand;
    // A reference replacing another code would glue its anchor to the text
    // before it.
    if (rule.operand == kEscapeSpaceLink) {
      WriteChar(0x20);
      m_out.m_param = 0;
    }
    return false;
  }
  return false;
}

void CTextDecoder::DispatchEscape(uint8_t low) {
  if (DispatchTypography(low) || DispatchEpwingOrOther(low) || DispatchObject(low) ||
      DispatchReference(low)) {
    return;
  }
  if (m_reader.OpenMode() == kModeEb && DispatchEbOnly(low)) return;
  Hook(kHookUnknown);
}

// Codes every kind of book shares, for text and its typography.
bool CTextDecoder::DispatchTypography(uint8_t low) {
  switch (low) {
    case 0x02: Hook(kHookBodyBegin); break;
    case 0x03:
      m_out.m_stop = 1;
      Hook(kHookBodyEnd);
      break;
    case 0x04:
      Hook(kHookNarrowOn);
      m_out.m_narrow = 1;
      break;
    case 0x05:
      Hook(kHookNarrowOff);
      m_out.m_narrow = 0;
      break;
    case 0x06: Hook(kHookSubBegin); break;
    case 0x07: Hook(kHookSubEnd); break;
    case 0x09:
      m_out.m_param = static_cast<uint16_t>(ReadBcd(2));
      if (StopCheck(m_out.m_param)) Hook(kHookIndent);
      break;
    case 0x0A:
      if (!m_noNewLine) Hook(kHookNewLine);
      break;
    case 0x0B: Hook(kHookTableBegin); break;
    case 0x0C: Hook(kHookTableEnd); break;
    case 0x0E: Hook(kHookSupBegin); break;
    case 0x0F: Hook(kHookSupEnd); break;
    case 0x10: Hook(kHookNoBreakBegin); break;
    case 0x11: Hook(kHookNoBreakEnd); break;
    case 0x15: case 0x3A: case 0x56: case 0x5A: break;
    case 0x1E: case 0x1F: ReadBcd(2); break;
    case 0x41:
      m_out.m_param = m_reader.ReadWord16();
      if (StopCheck(m_out.m_param)) Hook(kHookHeadBegin);
      break;
    case 0x61: Hook(kHookHeadEnd); break;
    case 0xE0:
      m_out.m_param = m_reader.ReadWord16();
      m_italic = m_out.m_param == 1;
      Hook(m_italic ? kHookItalicBegin : kHookBoldBegin);
      break;
    case 0xE1:
      Hook(m_italic ? kHookItalicEnd : kHookBoldEnd);
      m_italic = false;
      break;
    default: return false;
  }
  return true;
}

// Codes whose meaning differs between EB books and the others.
bool CTextDecoder::DispatchEpwingOrOther(uint8_t low) {
  int mode = m_reader.OpenMode();
  bool eb = mode == kModeEb, epwing = mode == kModeEpwing;
  switch (low) {
    case 0x12: Hook(eb ? kHookUnderlineBegin : kHookBoldBegin); break;
    case 0x13: Hook(eb ? kHookUnderlineEnd : kHookBoldEnd); break;
    case 0x14:
      if (epwing) DecodeColourChart();
      break;
    case 0x1A:
      if (eb) {
        Hook(kHookItalicBegin);
      } else {
        m_out.m_param = static_cast<uint16_t>(ReadBcd(2));
        Hook(kHookTab);
      }
      break;
    case 0x1B:
      if (eb) Hook(kHookItalicEnd); else ReadBcd(2);
      break;
    case 0x1C:
      if (epwing) ReadBcd(2); else DecodeCompoundRun();
      break;
    case 0x1D:
      if (epwing) ReadBcd(2);
      break;
    default: return false;
  }
  return true;
}

// Codes only EB books use (the caller has checked the mode).
bool CTextDecoder::DispatchEbOnly(uint8_t low) {
  switch (low) {
    case 0x16: case 0xA0: Hook(kHookBoldBegin); break;
    case 0x17: case 0xA1: Hook(kHookBoldEnd); break;
    case 0x27: case 0x29: case 0x2B: Hook(kHookUnderlineBegin); break;
    case 0x28: case 0x2A: case 0x2C: Hook(kHookUnderlineEnd); break;
    case 0x31:
      ClearMedia();
      m_media.m_arg2 = m_reader.ReadWord16();
      m_media.m_width = ReadBcd(2);
      m_media.m_height = ReadBcd(2);
      Hook(kHookFigureBegin);
      break;
    case 0x32: case 0x33: case 0x3F:
      ClearMedia();
      if (!InGraphicArea()) {
        Hook(low == 0x33 ? kHookSoundBegin : kHookFigureBegin);
        break;
      }
      ReadOrigin();
      if (low == 0x33) Hook(kHookGraphicSound);
      if (low == 0x3F) Hook(kHookGraphicSilent);
      break;
    case 0x36: DecodeIndexArea(); break;
    case 0x45:
      ClearMedia();
      m_media.m_arg0 = m_reader.ReadWord16();
      Hook(kHookMapBegin);
      break;
    case 0x51:
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      Hook(kHookFigureEnd);
      break;
    case 0x52: case 0x5F:
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      if (InGraphicArea()) {
        if (low == 0x52) Hook(kHookGraphicSilent);
        Hook(kHookAreaLink);
      } else {
        ParseImageMap();
        Hook(kHookFigureEnd);
        m_media.m_areaCount = 0;
      }
      break;
    case 0x53: DecodeSoundFrames(); break;
    case 0x65:
      if (InGraphicArea()) m_out.m_stop = 1;
      Hook(kHookMapEnd);
      break;
    case 0xA2:
      m_out.m_param = m_reader.ReadWord16();
      Hook(kHookColourBegin);
      break;
    case 0xA3: Hook(kHookColourEnd); break;
    case 0xFE: m_noNewLine = true; break;
    case 0xFF: m_noNewLine = false; break;
    default: return false;
  }
  return true;
}

// Images, sounds, movies and maps that every kind of book may hold.
bool CTextDecoder::DispatchObject(uint8_t low) {
  switch (low) {
    case 0x39: DecodeMovie(); break;
    case 0x3C:
      ClearMedia();
      m_media.m_arg1 = static_cast<uint16_t>(ReadBcd(2));
      m_media.m_arg0 = static_cast<uint16_t>(ReadBcd(2));
      for (int i = 0; i < 4; ++i) m_reader.ReadWord16();
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      Hook(kHookInlineBegin);
      break;
    case 0x44: case 0x4D: DecodeImageBegin(low); break;
    case 0x4A:
      ClearMedia();
      m_media.m_arg1 = static_cast<uint16_t>(ReadBcd(2));
      m_media.m_arg2 = static_cast<uint16_t>(ReadBcd(2));
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      ReadPosition(&m_out.m_refPage2, &m_out.m_refOffset2);
      Hook(kHookSoundBegin);
      break;
    case 0x4C:
      m_out.m_param = static_cast<uint16_t>(ReadBcd(2));
      Hook(kHookMapBegin);
      break;
    case 0x4F: DecodeGraphicData(); break;
    case 0x59: Hook(kHookMovieEnd); break;
    case 0x5C: Hook(kHookInlineEnd); break;
    case 0x64: CloseImage(true); break;
    case 0x6A: Hook(kHookSoundEnd); break;
    case 0x6C:
      if (InGraphicArea()) m_out.m_stop = 1;
      Hook(kHookMapEnd);
      break;
    case 0x6D: CloseImage(false); break;
    default: return false;
  }
  return true;
}

// References and menus.
bool CTextDecoder::DispatchReference(uint8_t low) {
  switch (low) {
    case 0x42:
      if (InGraphicArea()) {
        ClearMedia();
        ReadOrigin();
        Hook(kHookGraphicSilent);
      } else {
        Hook(kHookLinkBegin);
      }
      break;
    case 0x43: Hook(kHookMenuBegin); break;
    case 0x4B:
      Hook(kHookLinkBegin);
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      break;
    case 0x62:
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      Hook(InGraphicArea() ? kHookAreaLink : kHookLinkEnd);
      break;
    case 0x63:
      ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
      Hook(kHookMenuEnd);
      break;
    case 0x6B: Hook(kHookLinkEnd); break;
    case 0x6F: Hook(kHookAreaLink); break;
    default: return false;
  }
  return true;
}

// Monochrome (0x44) and colour (0x4D) images. The caption follows; where
// it ends is checked by the closing code.
void CTextDecoder::DecodeImageBegin(uint8_t low) {
  ClearMedia();
  if (low == 0x44) {
    m_media.m_arg0 = static_cast<uint16_t>(ReadBcd(2));
    m_media.m_height = ReadBcd(4);
    m_media.m_width = ReadBcd(4);
  } else {
    m_media.m_arg1 = static_cast<uint16_t>(ReadBcd(2));
    m_media.m_arg0 = static_cast<uint16_t>(ReadBcd(2));
    ReadOrigin();
    m_media.m_width = ReadBcd(2);
    m_media.m_height = ReadBcd(2);
    ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
  }
  Hook(kHookFigureBegin);
  m_objectStart = Position();
}

// Graphic data with nothing to show in the text; only its position is kept.
void CTextDecoder::DecodeGraphicData() {
  m_media.m_arg1 = static_cast<uint16_t>(ReadBcd(2));
  ReadBcd(2);
  m_media.m_arg0 = static_cast<uint16_t>(ReadBcd(2));
  ReadOrigin();
  m_media.m_width = ReadBcd(2);
  m_media.m_height = ReadBcd(2);
  for (int n : {4, 2, 4, 2}) ReadBcd(n);
  ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
  Hook(kHookGraphicSilent);
}

// The number comes as 0x1E-led BCD bytes, most significant first.
void CTextDecoder::DecodeColourChart() {
  uint32_t number = 0;
  while (!PastLimit() && m_reader.ReadByte() == 0x1E) {
    number = number * 100 + static_cast<uint32_t>(ReadBcd(1));
  }
  m_reader.ReadByte();
  m_out.m_param = static_cast<uint16_t>(number > 0xFFFF ? 0xFFFF : number);
  Hook(kHookColourChart);
}

// A compound character: its codes run up to the end code, each written as
// it stands so that the gaiji map can resolve the sequence.
void CTextDecoder::DecodeCompoundRun() {
  while (!m_out.m_stop && !PastLimit()) {
    uint16_t word = m_reader.ReadWord16();
    if (word == 0x1F1D) break;
    m_out.m_param = word;
    Hook(kHookCompound);
  }
}

// A graphic-menu area that opens another index (a sub-menu).
void CTextDecoder::DecodeIndexArea() {
  ClearMedia();
  ReadOrigin();
  uint16_t id = m_reader.ReadWord16();
  TextArea area;
  bool found = id <= 0xFF && m_reader.FindIndex(static_cast<uint8_t>(id), &area);
  if (!found && (id == 0x90 || id == 0x70)) {
    found = m_reader.FindIndex(static_cast<uint8_t>(id + 1), &area);
  }
  if (!found) return;
  m_out.m_refPage = area.startPage;
  m_out.m_refOffset = 0;
  Hook(kHookGraphicSilent);
  Hook(kHookAreaLink);
}

// EB sounds are given in audio frames, 75 to the second.
void CTextDecoder::DecodeSoundFrames() {
  m_media.m_arg0 = m_reader.ReadWord16();
  int32_t minutes = ReadBcd(1), seconds = ReadBcd(1), frames = ReadBcd(1);
  m_media.m_start = (minutes * 60 + seconds) * 75 + frames - 1;
  minutes = ReadBcd(1), seconds = ReadBcd(1), frames = ReadBcd(1);
  m_media.m_end = (minutes * 60 + seconds) * 75 + frames;
  Hook(InGraphicArea() ? kHookAreaSound : kHookSoundEnd);
}

void CTextDecoder::DecodeMovie() {
  ClearMedia();
  m_media.m_arg1 = static_cast<uint16_t>(ReadBcd(2));
  m_media.m_arg0 = static_cast<uint16_t>(ReadBcd(2));
  ReadOrigin();
  m_media.m_width = ReadBcd(2);
  m_media.m_height = ReadBcd(2);
  m_media.m_start = ReadBcd(4);
  m_media.m_end = ReadBcd(4);
  for (uint8_t& b : m_media.m_name) b = m_reader.ReadByte();
  for (int n : {2, 4, 2}) ReadBcd(n);
  Hook(kHookMovieBegin);
}

// An image whose end code follows its begin code directly has no caption of
// its own and would be impossible to click; give it one.
void CTextDecoder::CloseImage(bool readTarget) {
  if (m_objectStart >= 0 && Position() == m_objectStart + 2) {
    WriteChar(kJisArrow);
    WriteChar(kJisFigure);
  }
  if (readTarget) ReadPosition(&m_out.m_refPage, &m_out.m_refOffset);
  Hook(kHookFigureEnd);
}

void CTextDecoder::ReadPosition(int32_t* page, uint16_t* offset) {
  *page = ReadBcd(4);
  *offset = static_cast<uint16_t>(ReadBcd(2));
}

void CTextDecoder::ReadOrigin() {
  m_media.m_x = ReadBcd(2);
  m_media.m_y = ReadBcd(2);
}

void CTextDecoder::ClearMedia() { m_media = MediaArgs{}; }

// Indent and keyword codes start entries. Returns whether the code's own
// slot is to be written.
bool CTextDecoder::StopCheck(uint16_t param) {
  uint16_t code = m_out.m_code;
  if (!m_haveStop) {
    m_haveStop = true;
    m_callStopCode = code;
    m_callStopParam = param;
    return true;
  }
  if (code != m_callStopCode || param != m_callStopParam) return true;
  ++m_stopCounter;
  if (m_stopCounter < m_stopCount) return true;
  Hook(kHookNextEntry);
  if (!m_stopAtNext) return true;
  m_out.m_stop = 1;
  return false;
}
