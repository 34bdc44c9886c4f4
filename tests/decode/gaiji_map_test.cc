// CGaijiMap: map files in the GAIJI folder, the "GaijiMap.db" cache and
// when it is rebuilt, look-ups, and damaged files of either kind.
#include "decode/gaiji_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "decode/gaiji_map_file.h"
#include "decode/gb2312.h"

namespace fs = std::filesystem;

namespace {

struct Found {
  int ok;
  uint16_t value;
  std::string text;
};

Found Look(const GaijiMapRecord* record, int table, uint16_t code) {
  char text[6];
  std::memset(text, 'x', sizeof(text));
  Found f{0, 0xBEEF, ""};
  f.ok = CGaijiMap::LookUp(record, table, code, &f.value, text, sizeof(text));
  f.text.assign(text, sizeof(text));
  return f;
}

struct FileId {
  ino_t inode;
  int64_t mtimeNs;
  bool operator==(const FileId&) const = default;
};

FileId Identify(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return FileId{st.st_ino, static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

class GaijiMapTest : public ::testing::Test {
 protected:
  // Overrides written into the program-wide GB2312 table must not leak into
  // other tests.
  void TearDown() override { ResetGb2312Table(); }

  std::string App() const { return m_dir.Path().string(); }
  std::string WriteMap(const std::string& name, std::string_view text) {
    return m_dir.Write("GAIJI/" + name, text);
  }
  static void Touch(const std::string& path, std::chrono::seconds shift) {
    fs::last_write_time(path, fs::last_write_time(path) + shift);
  }

  CTempDir m_dir;
};

TEST_F(GaijiMapTest, MapFileLinesGiveTheirEntries) {
  WriteMap("BOOK.MAP",
           "# comment hA200 u0041\n"
           "hA121 u00E9\r\n"
           "zB021 null\n"
           "zB022\t\tabc\n"
           "h41\tU00C0\n"
           "cA123 u4E00\tlong text\n"
           "zB023 u0000\n"          // value 0 without text: ignored
           "zB024 x\n"              // unreadable value, no text: ignored
           "zB025 u12\tab\n"        // too few digits: value 0, with text
           "hA1234 u0041\n"         // code field of 6: ignored
           "hA1 u0041\n"            // code field of 3 with 2 digits only
           "qA121 u0041\n"          // unknown letter
           "zXYZW u0041\n"          // not hexadecimal
           "\n"
           "zB026 null");           // no line end at the end of the file
  CGaijiMap map(App());
  const GaijiMapRecord* r = map.FindMap("BOOK.MAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->gaiHanSorted.size(), 3u);
  EXPECT_EQ(r->gaiZenSorted.size(), 4u);
  EXPECT_EQ(r->gaiChiSorted.size(), 1u);

  Found f = Look(r, kGaijiHalfWidth, 0xA121);
  EXPECT_EQ(f.ok, 1);
  EXPECT_EQ(f.value, 0xE9);
  EXPECT_EQ(f.text, std::string(6, '\0'));
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0x0041).value, 0xC0);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0x00A1).value, 0x41);
  EXPECT_EQ(Look(r, kGaijiFullWidth, 0xB021).value, kGaijiRemove);
  EXPECT_EQ(Look(r, kGaijiFullWidth, 0xB026).value, kGaijiRemove);
  f = Look(r, kGaijiFullWidth, 0xB022);
  EXPECT_EQ(f.ok, 1);
  EXPECT_EQ(f.value, 0);
  EXPECT_EQ(f.text, std::string("abc\0\0\0", 6));
  EXPECT_EQ(Look(r, kGaijiFullWidth, 0xB025).text, std::string("ab\0\0\0\0", 6));
  // Only 4 bytes of a replacement text are kept.
  EXPECT_EQ(Look(r, kGaijiCompound, 0xA123).text, std::string("long\0\0", 6));
  for (uint16_t absent : {0xB023, 0xB024, 0xA121})
    EXPECT_EQ(Look(r, kGaijiFullWidth, absent).ok, 0) << absent;
  // A failed look-up clears its outputs.
  f = Look(r, kGaijiFullWidth, 0xB023);
  EXPECT_EQ(f.value, 0);
  EXPECT_EQ(f.text, std::string(6, '\0'));
  EXPECT_EQ(Look(r, 3, 0xA121).ok, 0);
  EXPECT_EQ(Look(r, -1, 0xA121).ok, 0);
  EXPECT_EQ(Look(nullptr, kGaijiHalfWidth, 0xA121).ok, 0);
  // A short text buffer gets only what fits.
  char two[2];
  uint16_t value;
  ASSERT_EQ(CGaijiMap::LookUp(r, kGaijiFullWidth, 0xB022, &value, two, sizeof(two)), 1);
  EXPECT_EQ(std::string(two, 2), "ab");
}

TEST_F(GaijiMapTest, ParserRejectsOddFieldsAndKeepsLongLinesShort) {
  char letter = 0;
  GaijiEntry e;
  EXPECT_TRUE(ParseGaijiMapLine("gB0A1 u554A", &letter, &e));
  EXPECT_EQ(letter, 'g');
  EXPECT_EQ(e.code, 0xB0A1);
  EXPECT_FALSE(ParseGaijiMapLine("", &letter, &e));
  EXPECT_FALSE(ParseGaijiMapLine("h", &letter, &e));
  EXPECT_FALSE(ParseGaijiMapLine("hA121", &letter, &e));  // no value, no text
  EXPECT_FALSE(ParseGaijiMapLine("hA121 nul", &letter, &e));
  EXPECT_TRUE(ParseGaijiMapLine("hA121   u0041", &letter, &e));  // extra spaces before the value
  EXPECT_EQ(e.value, 0x41);
  EXPECT_TRUE(ParseGaijiMapLine("hA121\t\tab", &letter, &e));  // but a tab ends an empty value
  EXPECT_EQ(e.value, 0);
  EXPECT_TRUE(ParseGaijiMapLine("ha1b2 U00fF\t\xE6\x97\xA5", &letter, &e));
  EXPECT_EQ(e.code, 0xA1B2);
  EXPECT_EQ(e.value, 0xFF);
  EXPECT_EQ(std::string(e.text, 4), std::string("\xE6\x97\xA5\0", 4));

  // A line over 255 bytes keeps its first 255; the rest is not a new line.
  std::string longLine = "hA121 u0041\t" + std::string(300, 'x') + "hA122 u0042";
  WriteMap("LONG.map", longLine + "\nhA123 u0043\n");
  CGaijiMap map(App());
  const GaijiMapRecord* r = map.FindMap("LONG.map");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA121).text, std::string("xxxx\0\0", 6));
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA122).ok, 0);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA123).value, 0x43);
}

TEST_F(GaijiMapTest, FolderScanPicksMapFilesByName) {
  WriteMap("upper.MAP", "hA121 u0041\n");
  WriteMap("lower.map", "hA121 u0042\n");
  WriteMap("mixed.Map", "hA121 u0043\n");
  WriteMap("other.txt", "hA121 u0044\n");
  WriteMap("MAP", "hA121 u0045\n");
  fs::create_directories(m_dir.Path() / "GAIJI" / "folder.MAP");
  // Japanese names are kept in Shift_JIS ("辞書.MAP"), long names cut to 31 bytes.
  WriteMap("\xE8\xBE\x9E\xE6\x9B\xB8.MAP", "hA121 u0046\n");
  WriteMap("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234567.MAP", "hA121 u0047\n");
  WriteMap("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234999.MAP", "hA121 u0048\n");  // same name when cut
  CGaijiMap map(App());
  EXPECT_EQ(map.RecordCount(), 5u);
  EXPECT_EQ(Look(map.FindMap("upper.MAP"), kGaijiHalfWidth, 0xA121).value, 0x41);
  EXPECT_EQ(Look(map.FindMap("lower.map"), kGaijiHalfWidth, 0xA121).value, 0x42);
  EXPECT_EQ(Look(map.FindMap("mixed.Map"), kGaijiHalfWidth, 0xA121).value, 0x43);
  EXPECT_EQ(map.FindMap("LOWER.MAP"), nullptr);
  EXPECT_EQ(map.FindMap("other.txt"), nullptr);
  EXPECT_EQ(map.FindMap("folder.MAP"), nullptr);
  EXPECT_EQ(Look(map.FindMap("\x8E\xAB\x8F\x91.MAP"), kGaijiHalfWidth, 0xA121).value, 0x46);
  EXPECT_EQ(Look(map.FindMap("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"), kGaijiHalfWidth, 0xA121).value, 0x47);
  // The colliding name does not make every start reload and rewrite.
  const FileId cache = Identify(map.CachePath());
  CGaijiMap again(App());
  EXPECT_EQ(Identify(again.CachePath()), cache);
  EXPECT_EQ(again.RecordCount(), 5u);

  // No folder at all: no maps, and no cache written.
  CTempDir empty;
  CGaijiMap none(empty.Path().string());
  EXPECT_EQ(none.RecordCount(), 0u);
  EXPECT_FALSE(fs::exists(none.CachePath()));
}

TEST_F(GaijiMapTest, LookUpFindsEveryCodeOfALargeTable) {
  // Codes written out of order; look-ups must find each one and nothing
  // between them.
  std::string text;
  for (int i = 0; i < 2000; ++i) {
    const int code = 0x1000 + ((i * 733) % 2000) * 3;
    char line[32];
    std::snprintf(line, sizeof(line), "z%04X u%04X\n", code, code + 1);
    text += line;
  }
  WriteMap("BIG.MAP", text);
  CGaijiMap map(App());
  const GaijiMapRecord* r = map.FindMap("BIG.MAP");
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->gaiZenSorted.size(), 2000u);
  for (int code = 0x0FFE; code < 0x1000 + 2000 * 3 + 2; ++code) {
    const bool listed = code >= 0x1000 && code < 0x1000 + 2000 * 3 && (code - 0x1000) % 3 == 0;
    Found f = Look(r, kGaijiFullWidth, static_cast<uint16_t>(code));
    ASSERT_EQ(f.ok, listed ? 1 : 0) << code;
    if (listed) {
      ASSERT_EQ(f.value, code + 1);
    }
  }
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0x1000).ok, 0);  // the empty table answers nothing
}

TEST_F(GaijiMapTest, CacheIsWrittenOnceAndReusedWhileMapsAreUnchanged) {
  const std::string path = WriteMap("BOOK.MAP", "hA121 u00E9\nzB021 null\tx\ncA123 u4E00\n");
  CGaijiMap first(App());
  const std::string cache = first.CachePath();
  EXPECT_EQ(cache, App() + "/GaijiMap.db");
  ASSERT_TRUE(fs::exists(cache));

  // The cache image, byte for byte.
  const std::vector<uint8_t> bytes = ReadWholeFile(cache);
  ASSERT_EQ(bytes.size(), 8u + 46 + 3 * 8);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("GM01\x01\0\0\0", 8));
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 40), std::string("BOOK.MAP") + std::string(24, '\0'));
  EXPECT_EQ(std::string(bytes.begin() + 40, bytes.begin() + 46), std::string("\x01\0\x01\0\x01\0", 6));
  uint64_t time = 0;
  for (int i = 7; i >= 0; --i) time = (time << 8) | bytes[46 + i];
  EXPECT_EQ(time, first.FindMap("BOOK.MAP")->fileTime);
  EXPECT_EQ(std::string(bytes.begin() + 54, bytes.end()),
            std::string("\x21\xA1\xE9\0\0\0\0\0" "\x21\xB0\xFF\xFFx\0\0\0" "\x23\xA1\x00\x4E\0\0\0\0", 24));

  // An unchanged folder leaves the cache alone, and the maps come from it:
  // a map edited without a change of time is not read again.
  const FileId before = Identify(cache);
  const auto mapTime = fs::last_write_time(path);
  WriteMap("BOOK.MAP", "hA121 u0041\n");
  fs::last_write_time(path, mapTime);
  CGaijiMap second(App());
  EXPECT_EQ(Identify(cache), before);
  const GaijiMapRecord* r = second.FindMap("BOOK.MAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA121).value, 0xE9);
  EXPECT_EQ(Look(r, kGaijiFullWidth, 0xB021).text, std::string("x\0\0\0\0\0", 6));
  EXPECT_EQ(Look(r, kGaijiCompound, 0xA123).value, 0x4E00);

  // A map whose file is gone keeps its record: the cache is its only copy.
  fs::remove(path);
  CGaijiMap third(App());
  EXPECT_EQ(Identify(cache), before);
  EXPECT_NE(third.FindMap("BOOK.MAP"), nullptr);
}

TEST_F(GaijiMapTest, ChangedMapIsReloadedAndTheCacheRewritten) {
  const std::string path = WriteMap("BOOK.MAP", "hA121 u00E9\n");
  WriteMap("KEEP.MAP", "hA121 u0030\n");
  { CGaijiMap first(App()); }
  const std::string cache = App() + "/GaijiMap.db";

  // A newer map file replaces its record; the replaced one stays in memory
  // but not in the rewritten cache.
  WriteMap("BOOK.MAP", "hA121 u0041\n");
  Touch(path, std::chrono::seconds(10));
  {
    const FileId before = Identify(cache);
    CGaijiMap second(App());
    EXPECT_NE(Identify(cache), before);
    EXPECT_EQ(second.RecordCount(), 3u);
    EXPECT_EQ(Look(second.FindMap("BOOK.MAP"), kGaijiHalfWidth, 0xA121).value, 0x41);
    EXPECT_EQ(ReadWholeFile(cache).size(), 8u + 2 * (46 + 8));
  }
  {
    CGaijiMap third(App());
    EXPECT_EQ(third.RecordCount(), 2u);
    EXPECT_EQ(Look(third.FindMap("BOOK.MAP"), kGaijiHalfWidth, 0xA121).value, 0x41);
    EXPECT_EQ(Look(third.FindMap("KEEP.MAP"), kGaijiHalfWidth, 0xA121).value, 0x30);
  }
  // A map put back from an older copy is reloaded too.
  WriteMap("BOOK.MAP", "hA121 u0042\n");
  Touch(path, std::chrono::seconds(-100));
  CGaijiMap fourth(App());
  EXPECT_EQ(Look(fourth.FindMap("BOOK.MAP"), kGaijiHalfWidth, 0xA121).value, 0x42);
}

TEST_F(GaijiMapTest, DeletedOrForeignCacheIsRebuilt) {
  WriteMap("BOOK.MAP", "hA121 u00E9\n");
  std::vector<uint8_t> good;
  {
    CGaijiMap first(App());
    good = ReadWholeFile(first.CachePath());
  }
  const std::string cache = App() + "/GaijiMap.db";
  fs::remove(cache);
  { CGaijiMap again(App()); }
  EXPECT_EQ(ReadWholeFile(cache), good);

  m_dir.Write("GaijiMap.db", "GM02 something else entirely");
  { CGaijiMap again(App()); }
  EXPECT_EQ(ReadWholeFile(cache), good);
}

// Damaged caches: every count is checked against the file before use, the
// records before the damage are kept, and the cache is written anew.
TEST_F(GaijiMapTest, DamagedCacheLoadsSafelyAndIsRebuilt) {
  WriteMap("BOOK.MAP", "hA121 u00E9\n");
  std::vector<uint8_t> good;
  {
    CGaijiMap first(App());
    good = ReadWholeFile(first.CachePath());
  }
  ASSERT_EQ(good.size(), 8u + 46 + 8);

  auto withRecordCount = [&](int32_t n) {
    std::vector<uint8_t> b = good;
    std::memcpy(&b[4], &n, 4);
    return b;
  };
  std::vector<uint8_t> hugeEntries = good;
  hugeEntries[40] = hugeEntries[41] = 0xFF;  // H = 65535 in a file that holds one entry
  std::vector<uint8_t> second = good;        // a second record cut short
  second[4] = 2;
  second.insert(second.end(), good.begin() + 8, good.begin() + 30);
  std::vector<uint8_t> extra = withRecordCount(2);  // keeps BOOK.MAP, then a foreign whole record
  extra.insert(extra.end(), good.begin() + 8, good.end());
  std::memcpy(&extra[62], "GONE.MAP", 8);
  extra.insert(extra.end(), {'j', 'u', 'n', 'k'});

  const std::vector<std::vector<uint8_t>> damaged = {
      withRecordCount(0x7FFFFFFF), withRecordCount(-1), withRecordCount(-2147483647 - 1), hugeEntries,
      std::vector<uint8_t>(good.begin(), good.end() - 3), std::vector<uint8_t>(good.begin(), good.begin() + 6),
      second};
  for (size_t i = 0; i < damaged.size(); ++i) {
    m_dir.Write("GaijiMap.db", damaged[i]);
    CGaijiMap map(App());
    EXPECT_EQ(Look(map.FindMap("BOOK.MAP"), kGaijiHalfWidth, 0xA121).value, 0xE9) << i;
    EXPECT_EQ(ReadWholeFile(map.CachePath()), good) << i;
  }
  // Trailing bytes after the records are not damage; a second whole record
  // is kept.
  m_dir.Write("GaijiMap.db", extra);
  CGaijiMap map(App());
  EXPECT_NE(map.FindMap("GONE.MAP"), nullptr);
  EXPECT_EQ(ReadWholeFile(map.CachePath()), extra);
}

// A value the map cannot hold as one character -- a surrogate half, or a
// number beyond 16 bits -- skips its line, replacement text and all, so no
// invalid UTF-16 reaches the screen; the values around them stay. A cache
// written elsewhere with such a value loses that entry.
TEST_F(GaijiMapTest, SurrogateAndOutOfRangeValuesSkipTheirLines) {
  WriteMap("BOOK.MAP",
           "hA121 uD800\n"
           "hA122 udfff\tab\n"
           "hA123 U110000\n"
           "hA124 u1F600\n"
           "hA125 uDBFF\n"
           "hA126 uD7FF\n"        // the last below the surrogates
           "hA127 uE000\n"        // the first above
           "hA128 u000E9\n"       // five digits, still 16 bits
           "hA129 u00E9x\n"       // four digits and text after them
           "hA12A uFFFFFFFFFFFFFFFFFFFF\n");
  char letter = 0;
  GaijiEntry e;
  EXPECT_FALSE(ParseGaijiMapLine("zB021 uDC00", &letter, &e));
  EXPECT_FALSE(ParseGaijiMapLine("zB021 u10FFFF", &letter, &e));
  CGaijiMap map(App());
  const GaijiMapRecord* r = map.FindMap("BOOK.MAP");
  ASSERT_NE(r, nullptr);
  for (uint16_t code : {0xA121, 0xA122, 0xA123, 0xA124, 0xA125, 0xA12A})
    EXPECT_EQ(Look(r, kGaijiHalfWidth, code).ok, 0) << std::hex << code;
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA126).value, 0xD7FF);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA127).value, 0xE000);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA128).value, 0xE9);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA129).value, 0xE9);

  // The cache: make the first entry's value a surrogate.
  std::vector<uint8_t> cache = ReadWholeFile(map.CachePath());
  ASSERT_EQ(cache.size(), 8u + 46 + 4 * 8);
  ASSERT_EQ(cache[54] | cache[55] << 8, 0xA126);
  cache[56] = 0x00, cache[57] = 0xD9;
  m_dir.Write("GaijiMap.db", cache);
  CGaijiMap again(App());
  r = again.FindMap("BOOK.MAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA126).ok, 0);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0xA127).value, 0xE000);
}

TEST_F(GaijiMapTest, CacheEntriesOutOfOrderAreStillFound) {
  WriteMap("BOOK.MAP", "hA121 u0031\nhA122 u0032\nhA123 u0033\nhA124 u0034\n");
  std::vector<uint8_t> cache;
  {
    CGaijiMap first(App());
    cache = ReadWholeFile(first.CachePath());
  }
  ASSERT_EQ(cache.size(), 8u + 46 + 4 * 8);
  // Swap the first and last entries, as a cache written elsewhere might.
  std::swap_ranges(cache.begin() + 54, cache.begin() + 62, cache.begin() + 78);
  m_dir.Write("GaijiMap.db", cache);
  CGaijiMap map(App());
  const GaijiMapRecord* r = map.FindMap("BOOK.MAP");
  ASSERT_NE(r, nullptr);
  for (uint16_t code = 0xA121; code <= 0xA124; ++code)
    EXPECT_EQ(Look(r, kGaijiHalfWidth, code).value, code - 0xA121 + 0x31) << code;
}

TEST_F(GaijiMapTest, DamagedMapFilesLoadWithinBounds) {
  // Binary noise: parsed as lines, nothing found in it crashes.
  std::string noise;
  uint32_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245 + 12345;
    noise.push_back(static_cast<char>(seed >> 16));
  }
  WriteMap("NOISE.MAP", noise);
  // More lines than a table can hold: the first 65535 are kept.
  std::string many;
  for (int i = 0; i < 70000; ++i) many += "h41 u0041\n";
  WriteMap("MANY.MAP", many);
  WriteMap("EMPTY.MAP", "");
  CGaijiMap map(App());
  ASSERT_NE(map.FindMap("NOISE.MAP"), nullptr);
  const GaijiMapRecord* r = map.FindMap("MANY.MAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->gaiHanSorted.size(), kMaxGaijiEntries);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0x41).value, 0x41);
  r = map.FindMap("EMPTY.MAP");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Look(r, kGaijiHalfWidth, 0x41).ok, 0);
  // The cache holds it all and reads back the same.
  CGaijiMap again(App());
  EXPECT_EQ(again.FindMap("MANY.MAP")->gaiHanSorted.size(), kMaxGaijiEntries);
  EXPECT_EQ(again.FindMap("NOISE.MAP")->gaiZenSorted.size(), map.FindMap("NOISE.MAP")->gaiZenSorted.size());
}

TEST_F(GaijiMapTest, CompoundEntriesOverwriteGb2312Cells) {
  const char16_t original = Gb2312ToUtf16(0xB0A1);
  const char16_t originalC = Gb2312ToUtf16(0xB0A2);
  ASSERT_NE(original, 0x3042);
  const std::string path = WriteMap("EBG.MAP",
                                    "gB0A1 u3042\n"
                                    "cB0A2 u3044\n"
                                    "gA121 u3046\n");  // not a GB2312 code: the table is untouched
  {
    CGaijiMap map(App());
    EXPECT_EQ(Gb2312ToUtf16(0xB0A1), 0x3042);
    EXPECT_EQ(Gb2312ToUtf16(0xB0A2), 0x3044);
    EXPECT_EQ(Look(map.FindMap("EBG.MAP"), kGaijiCompound, 0xB0A1).value, 0x3042);
    EXPECT_EQ(Look(map.FindMap("EBG.MAP"), kGaijiCompound, 0xA121).value, 0x3046);
  }
  // The same cells come from the cache.
  ResetGb2312Table();
  {
    CGaijiMap map(App());
    EXPECT_EQ(Gb2312ToUtf16(0xB0A1), 0x3042);
    EXPECT_EQ(Gb2312ToUtf16(0xB0A2), 0x3044);
  }
  // A replaced map leaves none of its cells behind.
  WriteMap("EBG.MAP", "gB0A1 u3048\n");
  Touch(path, std::chrono::seconds(10));
  CGaijiMap map(App());
  EXPECT_EQ(Gb2312ToUtf16(0xB0A1), 0x3048);
  EXPECT_EQ(Gb2312ToUtf16(0xB0A2), originalC);
}

}  // namespace
