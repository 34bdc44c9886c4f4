// The GB2312 table and its built-in values. The live table is a copy so
// that a map can overwrite cells and a reload can start again from the
// built-in values.

#include "decode/gb2312.h"

#include <algorithm>
#include <array>

namespace {

using Gb2312Table = std::array<char16_t, kGb2312Cells>;

constexpr Gb2312Table kBuiltIn = {
#include "decode/gb2312_table.inc"
};

Gb2312Table g_gb2312Table = kBuiltIn;

int CellIndex(uint32_t code) {
  return static_cast<int>(((code >> 8) - 0xA1) * kGb2312Side + ((code & 0xFF) - 0xA1));
}

}  // namespace

char16_t Gb2312ToUtf16(uint32_t code) {
  return IsGb2312Code(code) ? g_gb2312Table[CellIndex(code)] : char16_t{0};
}

bool SetGb2312Cell(uint32_t code, char16_t value) {
  if (!IsGb2312Code(code)) return false;
  g_gb2312Table[CellIndex(code)] = value;
  return true;
}

void ResetGb2312Table() { g_gb2312Table = kBuiltIn; }
