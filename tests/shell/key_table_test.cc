// The key table: reading and writing "keycode.ini", the name tables, the
// 64-entry limit, matching key presses, and saves that fail.
#include "shell/key_table.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "common/temp_dir.h"

namespace {

TEST(KeyTable, ReadingBindings) {
  std::string text =
      "# comment\n"
      "\n"
      "CTRL+SHIFT+F1\tFULL_SCREEN\r\n"     // CR LF line ends too
      "  CONTROL+META+A   EDIT_COPY trailing words\n"
      "f1\tSEARCH\n"                        // names are compared exactly
      "SHIFT+\tSEARCH\n"                    // no key after the prefix
      "Q\n"                                 // no command
      "ALT+ALT+SPACE\tNO_SUCH_COMMAND\n"    // bound to command 0
      "F12 (null)\n"
      "\x83\x4c\x81\x5b SEARCH\n"            // "キー" in Shift_JIS: not a key
      "#F2\tSEARCH\n";
  std::vector<KeyEntry> entries = ParseKeyTable(text);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], (KeyEntry{13, 0x70, 33008}));
  EXPECT_EQ(entries[1], (KeyEntry{1 | 8 | 16, 'A', 57634}));
  EXPECT_EQ(entries[2], (KeyEntry{1 | 16, 0x20, 0}));
  EXPECT_EQ(entries[3], (KeyEntry{1, 0x7B, 0}));
}

TEST(KeyTable, WritingPutsModifiersInOrderAndReadsBackTheSame) {
  std::vector<KeyEntry> entries = ParseKeyTable("CTRL+SHIFT+F1\tFULL_SCREEN\nMETA+CONTROL+DELETE\tAPP_EXIT\nX\tnope\n");
  EXPECT_EQ(FormatKeyTable(entries),
            "# Tomeling key table\n"
            "SHIFT+CTRL+F1\tFULL_SCREEN\n"
            "CTRL+ALT+DELETE\tAPP_EXIT\n"
            "X\t(null)\n");
  // Every key and command name survives a write and a read.
  std::vector<KeyEntry> all;
  for (unsigned code = 0; code < 0x100; ++code)
    if (CKeyTable::KeyName(static_cast<uint16_t>(code)) != nullptr)
      all.push_back({static_cast<uint8_t>(1 | (code % 3 == 0 ? 4 : 0) | (code % 5 == 0 ? 16 : 0)),
                     static_cast<uint16_t>(code), 0});
  ASSERT_EQ(all.size(), 18u + 10 + 26 + 12);
  const uint16_t ids[] = {1001, 32924, 32923, 33015, 57680, 57681, 33009, 32772};
  for (size_t i = 0; i < all.size(); ++i) all[i].command = ids[i % 8];
  for (size_t start = 0; start < all.size(); start += kMaxKeyEntries) {
    std::vector<KeyEntry> part(all.begin() + static_cast<long>(start),
                               all.begin() + static_cast<long>(std::min(all.size(), start + kMaxKeyEntries)));
    EXPECT_EQ(ParseKeyTable(FormatKeyTable(part)), part);
  }
  // An entry whose key or command has no name is left out.
  EXPECT_EQ(FormatKeyTable({{1, 0x07, 1001}, {1, 'B', 12345}, {1, 'C', 1001}}),
            "# Tomeling key table\nC\tSEARCH\n");
  EXPECT_EQ(CKeyTable::KeyCode("F10"), 0x79);
  EXPECT_EQ(CKeyTable::KeyCode("f10"), 0);
  EXPECT_STREQ(CKeyTable::CommandName(57665), "APP_EXIT");
  EXPECT_EQ(CKeyTable::CommandId("(null)"), 0);
  EXPECT_TRUE(CKeyTable::IsCommandName("(null)"));
  EXPECT_FALSE(CKeyTable::IsCommandName("NULL"));

  // The lists the Keycode page offers: every name once, each looking up.
  std::vector<std::string> keys = CKeyTable::AllKeyNames();
  ASSERT_EQ(keys.size(), 18u + 10u + 26u + 12u);
  EXPECT_EQ(keys.front(), "BACK");
  EXPECT_EQ(keys.back(), "F12");
  for (const std::string& k : keys) EXPECT_STREQ(CKeyTable::KeyName(CKeyTable::KeyCode(k)), k.c_str());
  std::vector<uint16_t> commands = CKeyTable::AllCommandIds();
  ASSERT_EQ(commands.size(), 48u);
  EXPECT_EQ(commands.front(), 0);
  EXPECT_EQ(commands.back(), 33009);
  for (uint16_t id : commands) EXPECT_EQ(CKeyTable::CommandId(CKeyTable::CommandName(id)), id);
}

TEST(KeyTable, AtMostSixtyFourEntries) {
  std::string text;
  for (int i = 0; i < 70; ++i) text += std::string(1, static_cast<char>('A' + i % 26)) + "\tSEARCH\n";
  EXPECT_EQ(ParseKeyTable(text).size(), 64u);
  CKeyTable table;
  std::vector<KeyEntry> many(70, KeyEntry{0xFF, 'A', 1001});
  table.SetEntries(many);
  ASSERT_EQ(table.GetEntries().size(), 64u);
  EXPECT_EQ(table.GetEntries()[0].flags, 1 | 4 | 8 | 16);  // unknown bits dropped
}

TEST(KeyTable, MatchingKeyPresses) {
  CKeyTable table;
  EXPECT_FALSE(table.HasAccelerators());  // empty: the window keeps its shortcuts
  table.SetEntries(ParseKeyTable(
      "RETURN\tSEARCH\n"
      "CTRL+C\tBACKWARD\n"
      "CTRL+C\tEDIT_COPY\n"   // the same key again: the first one wins
      "SHIFT+CTRL+C\tFORWARD\n"
      "F5\tunknown\n"));
  EXPECT_TRUE(table.HasAccelerators());
  uint16_t command = 1;
  ASSERT_TRUE(table.MatchKey(0x0D, 0, &command));
  EXPECT_EQ(command, 1001);
  ASSERT_TRUE(table.MatchKey('C', kKeyControl, &command));
  EXPECT_EQ(command, 32902);
  ASSERT_TRUE(table.MatchKey('C', kKeyControl | kKeyShift, &command));
  EXPECT_EQ(command, 32903);
  EXPECT_FALSE(table.MatchKey('C', 0, &command));                      // modifiers must match exactly
  EXPECT_FALSE(table.MatchKey('C', kKeyControl | kKeyAlt, &command));
  EXPECT_FALSE(table.MatchKey(0x0D, kKeyShift, &command));
  EXPECT_FALSE(table.MatchKey('V', kKeyControl, &command));           // Ctrl+V is not bound any more
  ASSERT_TRUE(table.MatchKey(0x74, 0, &command));                     // bound to nothing: consumed
  EXPECT_EQ(command, 0);
}

TEST(KeyTable, LoadingAndSavingFiles) {
  CTempDir dir;
  std::string path = dir.Write("keycode.ini", "SHIFT+UP\tSCROLL_UP\nDOWN\tSCROLL_DOWN\n");
  CKeyTable table;
  ASSERT_TRUE(table.Load(path));
  EXPECT_EQ(table.GetEntries().size(), 2u);
  // A missing file keeps the table but is remembered for saving.
  std::string other = dir.File("other.ini");
  EXPECT_FALSE(table.Load(other));
  EXPECT_EQ(table.GetEntries().size(), 2u);
  EXPECT_EQ(table.KeyFilePath(), other);
  EXPECT_FALSE(table.Load(dir.Path().string()));  // opens, but cannot be read
  EXPECT_EQ(table.GetEntries().size(), 2u);
  table.Load(other);
  ASSERT_TRUE(table.Save());
  EXPECT_EQ(ReadWholeText(other), "# Tomeling key table\nSHIFT+UP\tSCROLL_UP\nDOWN\tSCROLL_DOWN\n");
  // Saving elsewhere does not move the remembered path.
  std::string copy = dir.File("copy.ini");
  ASSERT_TRUE(table.Save(copy));
  EXPECT_EQ(table.KeyFilePath(), other);
  EXPECT_EQ(ReadWholeText(copy), ReadWholeText(other));

  // A save that fails before its rename leaves the old file whole.
  table.SetEntries({});
  EXPECT_FALSE(table.Save("", &FailingRename));
  EXPECT_EQ(ReadWholeText(other), ReadWholeText(copy));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 3);
  EXPECT_FALSE(table.Save(dir.File("no/such/dir/keycode.ini")));
  // A readable file replaces the table, even an empty one.
  ASSERT_TRUE(table.Load(dir.Write("empty.ini", "# nothing\n")));
  EXPECT_TRUE(table.GetEntries().empty());
}

}  // namespace
