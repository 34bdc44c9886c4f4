// CKeyTable: the user's key bindings, read from and written to
// "keycode.ini".
//
//   # Tomeling key table
//   SHIFT+CTRL+F1	FULL_SCREEN
//   RETURN	SEARCH
//
// Each line binds a key, with any of the prefixes SHIFT+, CTRL+ (or
// CONTROL+) and ALT+ (or META+), to a command name. Keys are Windows
// virtual-key codes, kept as such in the file and in the table so that
// files move between builds unchanged; the user interface maps its own key
// events onto them. Names are compared exactly (upper case). A line with an
// unknown key is ignored; an unknown command binds the key to command 0,
// which swallows the key and does nothing. At most 64 bindings are kept.
// There are no built-in bindings: without the file the table is empty, and
// while it is empty the main window keeps its default shortcuts (copy,
// paste, cut), which a non-empty table replaces.
//
// The file is Shift_JIS, read in pieces of at most 255 bytes (a longer line
// is parsed piece by piece, as always), and written with the modifiers in
// the order SHIFT+, CTRL+, ALT+. Writing replaces the file atomically.
//
// This module is plain C++ so that the tests and tools can use it; the
// window code translates key events and calls MatchKey.
#ifndef TOMELING_SHELL_KEY_TABLE_H_
#define TOMELING_SHELL_KEY_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/atomic_file.h"

// Bits of KeyEntry::flags, those of the platform's accelerator record.
constexpr uint8_t kKeyVirtual = 1;  // always set: the key is a virtual-key code
constexpr uint8_t kKeyShift = 4;
constexpr uint8_t kKeyControl = 8;
constexpr uint8_t kKeyAlt = 16;
constexpr uint8_t kKeyModifiers = kKeyShift | kKeyControl | kKeyAlt;

constexpr int kMaxKeyEntries = 64;

struct KeyEntry {
  uint8_t flags = kKeyVirtual;
  uint16_t key = 0;       // virtual-key code
  uint16_t command = 0;   // command identifier; 0 does nothing
  bool operator==(const KeyEntry&) const = default;
};

// The table's entries read from file text (at most 64).
std::vector<KeyEntry> ParseKeyTable(std::string_view text);
// The file text of `entries`, header line first; entries whose key or
// command has no name are left out.
std::string FormatKeyTable(const std::vector<KeyEntry>& entries);

class CKeyTable {
 public:
  // Remembers `path` and reads the file. A missing or unreadable file
  // leaves the table as it was and gives false.
  bool Load(const std::string& path);
  // Writes every entry to `path`, or to the remembered path when `path` is
  // empty. False when nothing could be written (the old file stays).
  bool Save(const std::string& path = "", RenameFunction renameFn = nullptr) const;

  const std::vector<KeyEntry>& GetEntries() const { return m_entries; }
  // Replaces all entries; beyond 64 are dropped. Flags are reduced to the
  // virtual-key bit and the modifiers.
  void SetEntries(const std::vector<KeyEntry>& entries);

  // True while the table has bindings, i.e. while it replaces the window's
  // default shortcuts.
  bool HasAccelerators() const { return !m_entries.empty(); }

  // The binding of a key press: `modifiers` holds kKeyShift, kKeyControl
  // and kKeyAlt for the keys held down. The first entry with this key and
  // exactly these modifiers wins; false when none matches.
  bool MatchKey(uint16_t virtualKey, uint8_t modifiers, uint16_t* command) const;

  const std::string& KeyFilePath() const { return m_keyFilePath; }

  // Look-ups in the name tables; the first match counts. Absent codes give
  // nullptr, absent names 0.
  static const char* KeyName(uint16_t code);
  static const char* CommandName(uint16_t id);
  static uint16_t KeyCode(std::string_view name);
  static uint16_t CommandId(std::string_view name);
  // Whether a command name is in the table (CommandId gives 0 for both
  // "(null)" and unknown names).
  static bool IsCommandName(std::string_view name);
  // Every key name and every command identifier, in table order: what a
  // binding may be made of.
  static std::vector<std::string> AllKeyNames();
  static std::vector<uint16_t> AllCommandIds();

 private:
  std::string m_keyFilePath;
  std::vector<KeyEntry> m_entries;
};

#endif  // TOMELING_SHELL_KEY_TABLE_H_
