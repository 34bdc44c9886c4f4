// "profile.ini": its line syntax with the quirks old files rely on, its
// limits, and the records reaching the readers and decoders of the right
// dictionaries, where they change search and decoding results.
#include <gtest/gtest.h>

#include <string>

#include "catalog/book_list.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "reader/eb_reader.h"
#include "shell/dict_config.h"
#include "shell/plain_text.h"
#include "shell/settings.h"
#include "shell_books.h"

namespace {

DictConfigFile Parse(const std::string& text) {
  DictConfigFile file;
  ParseDictConfig(text, &file);
  return file;
}

std::string Sjis(const std::u16string& text) { return Utf16ToCp932(text); }

}  // namespace

TEST(DictConfig, ColourValuesAndTheKeyDelimiterQuirk) {
  EXPECT_EQ(Parse("COLOR_LINK=#FF8000\n").colorLink, (RgbColour{255, 128, 0}));
  EXPECT_EQ(Parse("COLOR_LINK FF8000\n").colorLink, (RgbColour{255, 128, 0}));
  EXPECT_EQ(Parse("color_link=ff8000\n").colorLink, (RgbColour{255, 128, 0}));
  // A blank before the "=" ends the key; the value then starts with "=".
  EXPECT_EQ(Parse("COLOR_LINK = #FF8000\n").colorLink, (RgbColour{0, 128, 0}));
  // Components that do not parse keep their defaults.
  EXPECT_EQ(Parse("COLOR_TITLE=12\n").colorTitle, (RgbColour{0x12, 0, 255}));
  EXPECT_EQ(Parse("COLOR_HIGHLIGHT=zz\n").colorHighlight, (RgbColour{255, 0, 0}));
  DictConfigFile file = Parse("ICONSIZE=1\nWAIT_CURSOR=1\nMAX_HISTORY 50|ignored\nCOLOR_BOLD\n");
  EXPECT_EQ(file.iconSize, 1);
  EXPECT_EQ(file.waitCursor, 1);
  EXPECT_EQ(file.maxHistory, 50);
  EXPECT_EQ(file.colorBold, (RgbColour{0, 0, 0}));
}

TEST(DictConfig, SectionsAndTheirFields) {
  std::string abbrev = Sjis(u"広辞苑第六版の略称がとても長くて三十文字を超えてしまう場合の名前です");
  DictConfigFile file = Parse(
      "# comment\n"
      "[first]\n"
      "DICT=KOJIEN6LONG\n"
      "GAIJIMAP=ABCDEFGHIJKLMNOPQ.MAP\n"
      "STOP=1F410100\n"
      "STOPCOUNT=2\n"
      "ABBREV=" + abbrev + "\n"
      "EBXA-C=1\n"
      "EBG=1\n"
      "SEION=1\n"
      "STRICT=0\n"
      "HANKAKU=1\n"
      "GRAPH_HEAD_AS_MENU=1\n"
      "HINDEXINFO=010203\n"
      "KINDEXINFO=a0b0c0\n"
      "SKIPCODE=1F0B,2\n"
      "REPCODE=1f0c,1F0D\n"
      "SKIPCODE=1F0E\n"
      "[no name: dropped]\n"
      "STOP=1F410100\n"
      "[second]\n"
      "DICT=EIWA\n");
  ASSERT_EQ(file.records.size(), 2u);
  const DictConfig& r = file.records[0];
  EXPECT_EQ(r.dict, "KOJIEN6L");
  EXPECT_EQ(r.gaijiMap, "ABCDEFGHIJKLMN");
  EXPECT_EQ(r.stopCode, 0x1F41);
  EXPECT_EQ(r.stopParam, 0x0100);
  EXPECT_EQ(r.stopCount, 2);
  EXPECT_EQ(r.abbrev, std::u16string(u"広辞苑第六版の略称がとても長くて三十文字を超えてしまう場合の名前です").substr(0, 30));
  EXPECT_EQ(r.ebxac, 1);
  EXPECT_EQ(r.ebg, 1);
  EXPECT_EQ(r.seion, 1);
  EXPECT_EQ(r.strict, 0);
  EXPECT_EQ(r.hankaku, 1);
  EXPECT_EQ(r.graphHeadAsMenu, 1);
  EXPECT_EQ(r.formIndexStyle[0], 1);
  EXPECT_EQ(r.formIndexStyle[2], 3);
  EXPECT_EQ(r.kanaIndexStyle[1], 0xB0);
  ASSERT_EQ(r.codeRules.size(), 2u);  // a rule without its count is no rule
  EXPECT_EQ(r.codeRules[0].code, 0x1F0B);
  EXPECT_EQ(r.codeRules[0].operand, 2);
  EXPECT_EQ(r.codeRules[0].kind, 0);
  EXPECT_EQ(r.codeRules[1].operand, 0x1F0D);
  EXPECT_EQ(r.codeRules[1].kind, 1);
  // The second record starts from the defaults again.
  const DictConfig& e = file.records[1];
  EXPECT_EQ(e.dict, "EIWA");
  EXPECT_EQ(e.ebg, -1);
  EXPECT_EQ(e.strict, 1);
  EXPECT_EQ(e.kanaIndexStyle[0], 0xFF);
}

TEST(DictConfig, LimitsOfRecordsRulesAndLines) {
  std::string text;
  for (int i = 0; i < 140; ++i) text += "[s]\nDICT=D" + std::to_string(i) + "\n";
  EXPECT_EQ(Parse(text).records.size(), 128u);
  text = "[s]\nDICT=X\n";
  for (int i = 0; i < 40; ++i) text += "SKIPCODE=1F" + std::to_string(10 + i) + ",1\n";
  EXPECT_EQ(Parse(text).records[0].codeRules.size(), 31u);
  // A long line is read in 255-byte pieces, each parsed as a line: the
  // DICT key at the start of the second piece counts.
  text = "[s]\nABBREV=" + std::string(255 - 7, 'a') + "DICT=TAIL\n";
  DictConfigFile file = Parse(text);
  ASSERT_EQ(file.records.size(), 1u);
  EXPECT_EQ(file.records[0].dict, "TAIL");
  EXPECT_EQ(ReadDictConfig("/nonexistent/profile.ini", &file), 0);
}

TEST(DictConfig, RecordsMatchByTheDirectoryNamePrefix) {
  DictConfigFile file = Parse("[a]\nDICT=ALPHAX\n[b]\nDICT=BETA\n[c]\nDICT=ALPHA\n");
  const DictConfig* a = FindDictConfig(file.records, "ALPHA");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->dict, "ALPHAX");  // the first record that begins with the name
  EXPECT_EQ(FindDictConfig(file.records, "BETA 2")->dict, "BETA");
  EXPECT_EQ(FindDictConfig(file.records, "BETAMAX"), nullptr);
  EXPECT_EQ(FindDictConfig(file.records, ""), nullptr);
}

class DictConfigBookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Style mode 2: the book lets the user's styles replace its own.
    SubbookSource alpha = AnimalSubbook("ALPHA", AnimalWords()), beta = AnimalSubbook("BETA", AnimalWords());
    alpha.styleMode = beta.styleMode = 2;
    std::string catalog = WriteShellBook(m_dir.File("book"), {alpha, beta});
    ASSERT_FALSE(catalog.empty());
    ASSERT_EQ(m_list.AddBook(catalog), 2);
  }

  // The settings of an application directory holding `profile`.
  std::unique_ptr<CSettings> SettingsWith(const std::string& profile) {
    m_dir.Write("app/profile.ini", profile);
    auto settings = std::make_unique<CSettings>(m_dir.File("app"), m_dir.File("store.ini"));
    settings->ApplyDictConfigs(m_list);
    return settings;
  }

  int Search(const CSettings& settings, int dict, const std::string& utf8) {
    SubbookEntry* entry = settings.PrepareDict(m_list, dict);
    return entry->textReader->WordSearch(Utf16ToCp932(FromUtf8(utf8)));
  }

  std::string Entry(const CSettings& settings, int dict, const std::string& utf8) {
    CEBReader& reader = *settings.PrepareDict(m_list, dict)->textReader;
    if (reader.WordSearch(Utf16ToCp932(FromUtf8(utf8))) < 1) return "";
    std::vector<HitEntry> hits;
    reader.GetHitEntSorted(&hits);
    return EntryPlain(reader, settings.ConfigForDict(dict), hits[0]);
  }

  CTempDir m_dir;
  CBookList m_list;
};

TEST_F(DictConfigBookTest, ReaderSettingsReachOnlyTheNamedDictionary) {
  auto plain = SettingsWith("");
  EXPECT_EQ(Search(*plain, 0, "ねこ"), 1);
  // EBG makes ALPHA a single-byte book: its kana keys no longer match.
  auto ebg = SettingsWith("[x]\nDICT=ALPHA\nEBG=1\nKINDEXINFO=010203\n");
  EXPECT_EQ(Search(*ebg, 0, "ねこ"), 0);
  EXPECT_EQ(Search(*ebg, 1, "ねこ"), 1);
  const IndexEntry* kana = m_list.GetEntry(0)->textReader->FindIndex(0x90);
  ASSERT_NE(kana, nullptr);
  EXPECT_EQ(kana->Style(), 0x010203u);
  EXPECT_NE(m_list.GetEntry(1)->textReader->FindIndex(0x90)->Style(), 0x010203u);
  EXPECT_EQ(ebg->ConfigForDict(1), nullptr);
}

TEST_F(DictConfigBookTest, DecoderSettingsChangeTheEntryText) {
  auto plain = SettingsWith("");
  EXPECT_EQ(Entry(*plain, 0, "いぬ"), "犬【いぬ】\n英語：ｄｏｇ\n");
  // Dropping every newline code runs the lines together.
  auto skip = SettingsWith("[x]\nDICT=ALPHA\nSKIPCODE=1F0A,0\n");
  EXPECT_EQ(Entry(*skip, 0, "いぬ"), "犬【いぬ】英語：ｄｏｇ");
  EXPECT_EQ(Entry(*skip, 1, "いぬ"), "犬【いぬ】\n英語：ｄｏｇ\n");
  // Decoding the newline as the end of the text stops after the heading.
  auto replace = SettingsWith("[x]\nDICT=ALPHA\nREPCODE=1F0A,1F03\n");
  EXPECT_EQ(Entry(*replace, 0, "いぬ"), "犬【いぬ】");
  // Half width turns full-width letters and marks into ASCII.
  auto half = SettingsWith("[x]\nDICT=ALPHA\nHANKAKU=1\n");
  EXPECT_EQ(Entry(*half, 0, "いぬ"), "犬【いぬ】\n英語:dog\n");
}

TEST_F(DictConfigBookTest, AbbreviationNamesADictionaryWithoutAUserName) {
  auto settings = SettingsWith("[x]\nDICT=BETA\nABBREV=" + Sjis(u"β辞典") + "\n");
  EXPECT_EQ(settings->DisplayName(m_list, 1), u"β辞典");
  EXPECT_EQ(settings->DisplayName(m_list, 0), u"動物");
}
