// The GB2312 table: UTF-16 values of the GB2312 characters of EBG books,
// reached through "&g%04X;" entities in EUC-CN form.
//
// It is the usual GB2312 mapping except that 0xA1AC gives U+2225, the cells
// 0xA2A1 to 0xA2B0, 0xA2E3, 0xA2E4, 0xA2EF, 0xA2F0, 0xA2FD, 0xA2FE and 0xD7FA
// to 0xD7FE give "?", and all other unassigned cells give 0. The table is
// one program-wide object and writable: the compound entries of an
// external-character map overwrite cells when the map is loaded.

#ifndef TOMELING_DECODE_GB2312_H_
#define TOMELING_DECODE_GB2312_H_

#include <cstdint>

// Rows and cells run from 0xA1 to 0xFE.
constexpr int kGb2312Side = 94;
constexpr int kGb2312Cells = kGb2312Side * kGb2312Side;

// True when both bytes of the EUC-CN code lie in 0xA1 to 0xFE.
constexpr bool IsGb2312Code(uint32_t code) {
  return code <= 0xFFFF && (code >> 8) >= 0xA1 && (code >> 8) <= 0xFE &&
         (code & 0xFF) >= 0xA1 && (code & 0xFF) <= 0xFE;
}

// Current value of a cell; 0 for an unassigned cell or a code outside the
// table.
char16_t Gb2312ToUtf16(uint32_t code);

// Overwrites a cell. Returns false (and changes nothing) for a code outside
// the table.
bool SetGb2312Cell(uint32_t code, char16_t value);

// Puts every cell back to its built-in value (before reloading a map).
void ResetGb2312Table();

#endif  // TOMELING_DECODE_GB2312_H_
