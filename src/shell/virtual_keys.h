// The bridge between Qt's key events and the key table: "keycode.ini"
// keeps Windows virtual-key codes, so that a file moves between builds
// unchanged, and the main window turns each key press into one before it
// asks the table for a command.
//
//   void CMainFrame::keyPressEvent(QKeyEvent* e) {
//     uint16_t command;
//     if (MatchKeyPress(settings.m_keyTable, e->key(), e->modifiers(), &command)) {
//       RunCommand(command);  // 0: bound to nothing, the key is swallowed
//       return;
//     }
//     ...
//   }
//
// Only the keys the table can name have a code: Backspace, Tab, Return,
// Pause, Escape, Space, Page Up/Down, End, Home, the arrows, Select, Print,
// Insert, Delete, the digits, the letters and F1 to F12. Qt reports a
// letter as the same key whether Shift is down or not, and Shift+Tab as
// Backtab, which is Tab here; the keypad's Enter is Return and its digits
// are the digits. Anything else (a bare modifier, a punctuation key, F13)
// has no code and never matches.
//
// A binding matches when Shift, Ctrl and Alt are held exactly as it says;
// the keypad flag is not a modifier. With the Super (Meta) key down nothing
// matches: those combinations belong to the desktop.
//
// QtCore only (Qt::Key lives there), so the shell's tests need no display.
#ifndef TOMELING_SHELL_VIRTUAL_KEYS_H_
#define TOMELING_SHELL_VIRTUAL_KEYS_H_

#include <Qt>
#include <cstdint>

#include "shell/key_table.h"

// The virtual-key code of Qt key `qtKey` (QKeyEvent::key()), or 0 when the
// key table has no name for it.
uint16_t VirtualKeyFromQt(int qtKey);

// The kKeyShift, kKeyControl and kKeyAlt bits of Qt's modifier state.
uint8_t KeyModifiersFromQt(Qt::KeyboardModifiers modifiers);

// The command bound to a key press, first binding in table order; false
// when the key has no code, Super is held or no binding matches.
bool MatchKeyPress(const CKeyTable& table, int qtKey, Qt::KeyboardModifiers modifiers, uint16_t* command);

#endif  // TOMELING_SHELL_VIRTUAL_KEYS_H_
