// See virtual_keys.h.
#include "shell/virtual_keys.h"

#include <array>
#include <utility>

namespace {

// Keys whose Qt code differs from their virtual-key code. Digits and
// letters share the ASCII codes in both (Qt::Key_0 is 0x30, Qt::Key_A
// 0x41) and F1 to F12 are a run in both, so they are computed below.
constexpr std::array<std::pair<int, uint16_t>, 20> kNamedKeys = {{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},    {Qt::Key_Backtab, 0x09}, {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},     {Qt::Key_Pause, 0x13},  {Qt::Key_Escape, 0x1B},  {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},   {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},     {Qt::Key_Right, 0x27},   {Qt::Key_Down, 0x28},
    {Qt::Key_Select, 0x29},    {Qt::Key_Print, 0x2A},  {Qt::Key_Insert, 0x2D},  {Qt::Key_Delete, 0x2E},
}};

}  // namespace

uint16_t VirtualKeyFromQt(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint16_t>(qtKey);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<uint16_t>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return static_cast<uint16_t>(0x70 + (qtKey - Qt::Key_F1));
  for (const auto& [qt, vk] : kNamedKeys)
    if (qt == qtKey) return vk;
  return 0;
}

uint8_t KeyModifiersFromQt(Qt::KeyboardModifiers modifiers) {
  uint8_t bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= kKeyShift;
  if (modifiers & Qt::ControlModifier) bits |= kKeyControl;
  if (modifiers & Qt::AltModifier) bits |= kKeyAlt;
  return bits;
}

bool MatchKeyPress(const CKeyTable& table, int qtKey, Qt::KeyboardModifiers modifiers, uint16_t* command) {
  uint16_t vk = VirtualKeyFromQt(qtKey);
  if (vk == 0 || (modifiers & Qt::MetaModifier)) return false;
  return table.MatchKey(vk, KeyModifiersFromQt(modifiers), command);
}
