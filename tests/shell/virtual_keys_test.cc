// Qt key presses against "keycode.ini" bindings: every key name of the
// table reached from its Qt key, the keys Qt reports differently (Backtab,
// keypad Enter, shifted letters), keys without a name, and the matching
// rules (first binding wins, modifiers exactly, Super never).
#include "shell/virtual_keys.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

TEST(VirtualKeys, EveryKeyNameHasItsQtKey) {
  struct Case {
    int qt;
    const char* name;
  };
  const Case cases[] = {
      {Qt::Key_Backspace, "BACK"}, {Qt::Key_Tab, "TAB"},       {Qt::Key_Return, "RETURN"},
      {Qt::Key_Pause, "PAUSE"},    {Qt::Key_Escape, "ESCAPE"}, {Qt::Key_Space, "SPACE"},
      {Qt::Key_PageUp, "PRIOR"},   {Qt::Key_PageDown, "NEXT"}, {Qt::Key_End, "END"},
      {Qt::Key_Home, "HOME"},      {Qt::Key_Left, "LEFT"},     {Qt::Key_Up, "UP"},
      {Qt::Key_Right, "RIGHT"},    {Qt::Key_Down, "DOWN"},     {Qt::Key_Select, "SELECT"},
      {Qt::Key_Print, "PRINT"},    {Qt::Key_Insert, "INSERT"}, {Qt::Key_Delete, "DELETE"},
      {Qt::Key_0, "0"},            {Qt::Key_5, "5"},           {Qt::Key_9, "9"},
      {Qt::Key_A, "A"},            {Qt::Key_M, "M"},           {Qt::Key_Z, "Z"},
      {Qt::Key_F1, "F1"},          {Qt::Key_F7, "F7"},         {Qt::Key_F12, "F12"},
      // Reported differently by Qt, the same key for the table.
      {Qt::Key_Backtab, "TAB"},    {Qt::Key_Enter, "RETURN"},
  };
  std::set<std::string> reached;
  for (const Case& c : cases) {
    const char* name = CKeyTable::KeyName(VirtualKeyFromQt(c.qt));
    ASSERT_NE(name, nullptr) << c.name;
    EXPECT_STREQ(name, c.name);
    reached.insert(name);
  }
  // The whole table is reachable: the cases name every non-digit,
  // non-letter, non-F key, and the runs are checked one by one here.
  for (int i = 0; i <= 9; ++i) EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0 + i), 0x30 + i);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A + i), 0x41 + i);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1 + i), 0x70 + i);
  for (const std::string& name : CKeyTable::AllKeyNames()) {
    bool run = name.size() == 1 || (name[0] == 'F' && name.size() > 1 && isdigit(name[1]));
    if (!run) {
      EXPECT_TRUE(reached.count(name)) << name << " has no Qt key";
    }
  }
}

TEST(VirtualKeys, KeysWithoutANameHaveNoCode) {
  for (int qt : {int(Qt::Key_Shift), int(Qt::Key_Control), int(Qt::Key_Alt), int(Qt::Key_Meta),
                 int(Qt::Key_F13), int(Qt::Key_F35), int(Qt::Key_Comma), int(Qt::Key_Exclam),
                 int(Qt::Key_unknown), int(Qt::Key_Adiaeresis), 0, -1, 0x70, 0x7B})
    EXPECT_EQ(VirtualKeyFromQt(qt), 0) << std::hex << qt;
}

TEST(VirtualKeys, ModifierBits) {
  EXPECT_EQ(KeyModifiersFromQt(Qt::NoModifier), 0);
  EXPECT_EQ(KeyModifiersFromQt(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier),
            kKeyShift | kKeyControl | kKeyAlt);
  EXPECT_EQ(KeyModifiersFromQt(Qt::KeypadModifier | Qt::GroupSwitchModifier), 0);
  EXPECT_EQ(KeyModifiersFromQt(Qt::AltModifier | Qt::KeypadModifier), kKeyAlt);
}

TEST(VirtualKeys, MatchingKeyPresses) {
  CKeyTable table;
  table.SetEntries(ParseKeyTable(
      "RETURN\tSEARCH\n"
      "CTRL+F\tFIND_TEXT\n"
      "CTRL+F\tFULL_SCREEN\n"  // a second binding of the same key never wins
      "SHIFT+TAB\tCANCEL\n"
      "SHIFT+CTRL+N\tFORWARD\n"
      "ALT+LEFT\tBACKWARD\n"
      "F5\tNO_SUCH_COMMAND\n"));
  struct Case {
    int key;
    Qt::KeyboardModifiers mods;
    bool matches;
    uint16_t command;
  };
  const Case cases[] = {
      {Qt::Key_Return, Qt::NoModifier, true, 1001},
      {Qt::Key_Enter, Qt::KeypadModifier, true, 1001},             // keypad Enter
      {Qt::Key_Return, Qt::ShiftModifier, false, 0},               // modifiers exactly
      {Qt::Key_F, Qt::ControlModifier, true, 32947},               // the first of two
      {Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier, false, 0},
      {Qt::Key_F, Qt::NoModifier, false, 0},
      {Qt::Key_Backtab, Qt::ShiftModifier, true, 33009},           // Shift+Tab as Qt reports it
      {Qt::Key_Tab, Qt::NoModifier, false, 0},
      {Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier, true, 32903},  // shifted letter
      {Qt::Key_N, Qt::ControlModifier, false, 0},
      {Qt::Key_Left, Qt::AltModifier, true, 32902},
      {Qt::Key_Left, Qt::AltModifier | Qt::KeypadModifier, true, 32902},
      {Qt::Key_Left, Qt::AltModifier | Qt::MetaModifier, false, 0},       // Super: the desktop's
      {Qt::Key_F5, Qt::NoModifier, true, 0},                              // bound to nothing: swallowed
      {Qt::Key_Shift, Qt::ShiftModifier, false, 0},
  };
  for (const Case& c : cases) {
    uint16_t command = 0xFFFF;
    EXPECT_EQ(MatchKeyPress(table, c.key, c.mods, &command), c.matches) << std::hex << c.key << " " << c.mods;
    if (c.matches) {
      EXPECT_EQ(command, c.command) << std::hex << c.key;
    }
  }
  uint16_t command = 0;
  EXPECT_FALSE(MatchKeyPress(CKeyTable(), Qt::Key_Return, Qt::NoModifier, &command));  // empty table
}

}  // namespace
