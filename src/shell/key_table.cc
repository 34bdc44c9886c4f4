// See key_table.h.
#include "shell/key_table.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "catalog/line_reader.h"
#include "decode/cp932.h"
#include "storage/regular_file.h"

namespace {

constexpr size_t kLineBuffer = 255;  // a 256-byte buffer less its terminator
// 64 bindings and plenty of comments; a file past this is not a key table.
constexpr size_t kMaxKeyFileBytes = 1u << 20;

using NameTable = std::vector<std::pair<std::string, uint16_t>>;

const NameTable& KeyNames() {
  static const NameTable table = [] {
    NameTable t = {{"BACK", 0x08},   {"TAB", 0x09},    {"RETURN", 0x0D}, {"PAUSE", 0x13}, {"ESCAPE", 0x1B},
                   {"SPACE", 0x20},  {"PRIOR", 0x21},  {"NEXT", 0x22},   {"END", 0x23},   {"HOME", 0x24},
                   {"LEFT", 0x25},   {"UP", 0x26},     {"RIGHT", 0x27},  {"DOWN", 0x28},  {"SELECT", 0x29},
                   {"PRINT", 0x2A},  {"INSERT", 0x2D}, {"DELETE", 0x2E}};
    for (char c = '0'; c <= '9'; ++c) t.emplace_back(std::string(1, c), static_cast<uint16_t>(c));
    for (char c = 'A'; c <= 'Z'; ++c) t.emplace_back(std::string(1, c), static_cast<uint16_t>(c));
    for (int f = 1; f <= 12; ++f) t.emplace_back("F" + std::to_string(f), static_cast<uint16_t>(0x70 + f - 1));
    return t;
  }();
  return table;
}

const NameTable& CommandNames() {
  static const NameTable table = {
      {"(null)", 0},               {"SEARCH", 1001},           {"ABORT", 32924},
      {"SEARCH_WORD", 32908},      {"SEARCH_ENDWORD", 32909},  {"SEARCH_WHOLE", 32912},
      {"SEARCH_CROSS", 32910},     {"SEARCH_KEYWORD", 32911},  {"SEARCH_FULL_TEXT", 32923},
      {"SEARCH_MENU", 32772},      {"SEARCH_CPLX", 32906},     {"GRAPH_MENU", 32937},
      {"ONLINE_SEARCH", 33015},    {"CLIPBOARD_SEARCH", 32913}, {"FINDALLDICT", 32905},
      {"INCREMENTAL", 32922},      {"WORD_INFLECTOR", 32951},  {"DICT_OPEN", 32771},
      {"APP_SEARCH_DICT", 32901},  {"EDIT_GROUP", 32914},      {"APP_EXIT", 57665},
      {"FIND_TEXT", 32947},        {"FIND_NEXT", 33006},       {"EDIT_COPY", 57634},
      {"EDIT_PASTE", 57637},       {"EDIT_SELECT_ALL", 57642}, {"CURSOR_MODE", 33012},
      {"LOAD_HISTORY", 32948},     {"SAVE_HISTORY", 32949},    {"CLEAR_HIST", 32950},
      {"COPYRIGHT", 32773},        {"VIEW_STOP_CODE", 32774},  {"OPTION", 32921},
      {"SCROLL_UP", 33002},        {"SCROLL_DOWN", 33003},     {"PAGE_SCROLL_UP", 33004},
      {"PAGE_SCROLL_DOWN", 33005}, {"FULL_SCREEN", 33008},     {"BACKWARD", 32902},
      {"FORWARD", 32903},          {"PREV_PANE", 57681},       {"NEXT_PANE", 57680},
      {"PREVITEM", 32953},         {"NEXTITEM", 32952},        {"DEFAULT_HELP", 57671},
      {"APP_ABOUT", 57664},        {"EDITOR", 33013},          {"CANCEL", 33009},
  };
  return table;
}

const char* NameOf(const NameTable& table, uint16_t value) {
  for (const auto& [name, v] : table)
    if (v == value) return name.c_str();
  return nullptr;
}

const std::pair<std::string, uint16_t>* Find(const NameTable& table, std::u16string_view name) {
  for (const auto& item : table)
    if (item.first.size() == name.size() && std::equal(name.begin(), name.end(), item.first.begin())) return &item;
  return nullptr;
}

bool IsDelimiter(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The next token of `text` from `*pos`, delimiters before it skipped.
std::u16string_view NextToken(std::u16string_view text, size_t* pos) {
  size_t start = *pos;
  while (start < text.size() && IsDelimiter(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && !IsDelimiter(text[end])) ++end;
  *pos = end;
  return text.substr(start, end - start);
}

bool StripPrefix(std::u16string_view* keyText, std::u16string_view prefix) {
  if (keyText->substr(0, prefix.size()) != prefix) return false;
  keyText->remove_prefix(prefix.size());
  return true;
}

bool ParseBinding(std::u16string_view line, KeyEntry* entry) {
  size_t pos = 0;
  std::u16string_view keyText = NextToken(line, &pos);
  std::u16string_view command = NextToken(line, &pos);
  if (keyText.empty() || command.empty()) return false;
  uint8_t flags = kKeyVirtual;
  for (;;) {
    if (StripPrefix(&keyText, u"SHIFT+")) {
      flags |= kKeyShift;
    } else if (StripPrefix(&keyText, u"CTRL+") || StripPrefix(&keyText, u"CONTROL+")) {
      flags |= kKeyControl;
    } else if (StripPrefix(&keyText, u"ALT+") || StripPrefix(&keyText, u"META+")) {
      flags |= kKeyAlt;
    } else {
      break;
    }
  }
  const auto* key = Find(KeyNames(), keyText);
  if (key == nullptr) return false;
  const auto* id = Find(CommandNames(), command);
  entry->flags = flags;
  entry->key = key->second;
  entry->command = id == nullptr ? 0 : id->second;
  return true;
}

std::vector<KeyEntry> ReadEntries(CLineReader& reader) {
  std::vector<KeyEntry> entries;
  std::string line;
  while (entries.size() < kMaxKeyEntries && reader.Next(&line)) {
    if (line.empty() || line[0] == '#') continue;
    KeyEntry entry;
    if (ParseBinding(Cp932ToUtf16(line), &entry)) entries.push_back(entry);
  }
  return entries;
}

}  // namespace

std::vector<KeyEntry> ParseKeyTable(std::string_view text) {
  CLineReader reader(text, kLineBuffer, CLineReader::LongLines::kSplit);
  return ReadEntries(reader);
}

std::string FormatKeyTable(const std::vector<KeyEntry>& entries) {
  // Every name is ASCII, the same bytes in code page 932.
  std::string text = "# Tomeling key table\n";
  for (const KeyEntry& e : entries) {
    const char* key = CKeyTable::KeyName(e.key);
    const char* command = CKeyTable::CommandName(e.command);
    if (key == nullptr || command == nullptr) continue;
    if (e.flags & kKeyShift) text += "SHIFT+";
    if (e.flags & kKeyControl) text += "CTRL+";
    if (e.flags & kKeyAlt) text += "ALT+";
    text += key;
    text += '\t';
    text += command;
    text += '\n';
  }
  return text;
}

bool CKeyTable::Load(const std::string& path) {
  m_keyFilePath = path;
  // A file that cannot be read (a folder, a FIFO, a failing disk) is as
  // good as missing: the bindings in use stay.
  FileRead read = ReadRegularFile(path, kMaxKeyFileBytes);
  if (!read.ok()) return false;
  m_entries = ParseKeyTable(WholeLines(read));
  return true;
}

bool CKeyTable::Save(const std::string& path, RenameFunction renameFn) const {
  const std::string& target = path.empty() ? m_keyFilePath : path;
  return WriteFileAtomically(target, FormatKeyTable(m_entries), renameFn);
}

void CKeyTable::SetEntries(const std::vector<KeyEntry>& entries) {
  m_entries.assign(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(
                                                         std::min<size_t>(entries.size(), kMaxKeyEntries)));
  for (KeyEntry& e : m_entries) e.flags = static_cast<uint8_t>(kKeyVirtual | (e.flags & kKeyModifiers));
}

bool CKeyTable::MatchKey(uint16_t virtualKey, uint8_t modifiers, uint16_t* command) const {
  for (const KeyEntry& e : m_entries) {
    if (e.key == virtualKey && (e.flags & kKeyModifiers) == (modifiers & kKeyModifiers)) {
      *command = e.command;
      return true;
    }
  }
  return false;
}

const char* CKeyTable::KeyName(uint16_t code) { return NameOf(KeyNames(), code); }
const char* CKeyTable::CommandName(uint16_t id) { return NameOf(CommandNames(), id); }

uint16_t CKeyTable::KeyCode(std::string_view name) {
  for (const auto& [n, code] : KeyNames())
    if (n == name) return code;
  return 0;
}

uint16_t CKeyTable::CommandId(std::string_view name) {
  for (const auto& [n, id] : CommandNames())
    if (n == name) return id;
  return 0;
}

bool CKeyTable::IsCommandName(std::string_view name) {
  for (const auto& item : CommandNames())
    if (item.first == name) return true;
  return false;
}

std::vector<std::string> CKeyTable::AllKeyNames() {
  std::vector<std::string> names;
  for (const auto& item : KeyNames()) names.push_back(item.first);
  return names;
}

std::vector<uint16_t> CKeyTable::AllCommandIds() {
  std::vector<uint16_t> ids;
  for (const auto& item : CommandNames()) ids.push_back(item.second);
  return ids;
}
