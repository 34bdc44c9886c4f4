// The hit list's rows: which hits get rows and in what order, the names
// they carry and the headings as the drawing receives them.
#include "shell/hit_rows.h"

#include <gtest/gtest.h>

#include "common/hit_list_books.h"
#include "shell/plain_text.h"

namespace {

class HitRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_book = WriteHitListBook();
    ASSERT_FALSE(m_book->catalog.empty());
  }

  std::vector<std::string> Headings(const CHitRows& rows) {
    std::vector<std::string> out;
    for (const HitRow& r : rows.Rows()) out.push_back(ToUtf8(r.name + u"|" + r.heading));
    return out;
  }

  std::unique_ptr<HitListBook> m_book;
};

TEST_F(HitRowsTest, CurrentDictionaryOnlyUnlessAllAndThenTheLastDictionaryFirst) {
  auto session = OpenHitListSession(*m_book);
  ASSERT_EQ(SearchDict(*session, kDictAlpha, u"ね"), 2);
  ASSERT_EQ(SearchDict(*session, kDictBeta, u"ね"), 2);
  CHitRows rows(*session);
  EXPECT_EQ(rows.Fill(0, false, kDictBeta), 2);
  EXPECT_EQ(Headings(rows), (std::vector<std::string>{"獣の本|猫【ねこ】", "獣の本|鼠【ねずみ】"}));
  // ALPHA's hits were left in its reader; now every dictionary's are taken.
  ASSERT_EQ(SearchDict(*session, kDictBeta, u"ね"), 2);
  EXPECT_EQ(rows.Fill(0, true, kDictAlpha), 4);
  EXPECT_EQ(Headings(rows), (std::vector<std::string>{"獣の本|猫【ねこ】", "獣の本|鼠【ねずみ】",
                                                      "動物辞|猫【ねこ】", "動物辞|鼠【ねずみ】"}));
  // Each row names its hit, and the hit its dictionary and text.
  for (int i = 0; i < rows.RowCount(); ++i) {
    const HitRow& r = rows.Rows()[static_cast<size_t>(i)];
    EXPECT_EQ(r.hit, i);
    ASSERT_NE(rows.Hit(r.hit), nullptr);
    EXPECT_EQ(rows.Hit(r.hit)->dict, r.dict);
    EXPECT_EQ(r.dict, i < 2 ? kDictBeta : kDictAlpha);
  }
  EXPECT_EQ(rows.Hit(4), nullptr);
  EXPECT_EQ(rows.Hit(-1), nullptr);
  // The readers were emptied: a second fill finds nothing.
  EXPECT_EQ(rows.Fill(0, true, kDictAlpha), 0);
  EXPECT_TRUE(rows.Hits().empty());
}

TEST_F(HitRowsTest, HeadingsOfSpacesGiveNoRowsAndLeadingSpacesGo) {
  auto session = OpenHitListSession(*m_book);
  CHitRows rows(*session);
  ASSERT_EQ(SearchDict(*session, kDictBlank, u"から"), 2);
  EXPECT_EQ(rows.Fill(0, false, kDictBlank), 0);
  EXPECT_EQ(rows.Hits().size(), 2u);  // the hits stay; only their rows are gone

  ASSERT_EQ(SearchDict(*session, kDictBlank, u"すきま"), 1);
  EXPECT_EQ(rows.Fill(0, false, kDictBlank), 1);
  EXPECT_EQ(Headings(rows), (std::vector<std::string>{"空見出|ねこ科"}));

  // Rows after a hit without one still name their own hit.
  ASSERT_EQ(SearchDict(*session, kDictBlank, u"から"), 2);
  ASSERT_EQ(SearchDict(*session, kDictAlpha, u"ねこ"), 1);
  EXPECT_EQ(rows.Fill(0, true, 0), 1);
  EXPECT_EQ(rows.Rows()[0].hit, 2);
  EXPECT_EQ(rows.Hit(2)->dict, kDictAlpha);
}

TEST_F(HitRowsTest, NamesFollowLenDictName) {
  auto session = OpenHitListSession(*m_book);
  CHitRows rows(*session);
  session->Settings().lenDictName = 0;
  SearchDict(*session, kDictAlpha, u"いぬ");
  rows.Fill(0, false, kDictAlpha);
  EXPECT_EQ(Headings(rows), (std::vector<std::string>{"|犬【いぬ】"}));
  session->Settings().lenDictName = 6;
  SearchDict(*session, kDictAlpha, u"いぬ");
  rows.Fill(0, false, kDictAlpha);
  EXPECT_EQ(Headings(rows), (std::vector<std::string>{"動物辞典  |犬【いぬ】"}));

  EXPECT_EQ(PadDictName(u"ab", 4), u"ab  ");
  EXPECT_EQ(PadDictName(std::u16string(u"a\0b", 3), 3), u"a  ");
  EXPECT_EQ(PadDictName(u"abc", -1), u"");
  // A stranger's setting does not make the name a megabyte of spaces.
  EXPECT_EQ(PadDictName(u"abc", 1 << 30).size(), static_cast<size_t>(CHitRows::kMaxNameLength));
}

TEST_F(HitRowsTest, GaijiHeadingsCarryTheirEntityOrTheMappedCharacter) {
  {
    auto session = OpenHitListSession(*m_book);
    CHitRows rows(*session);
    ASSERT_EQ(SearchDict(*session, kDictGaiji, u"がいじ"), 1);
    ASSERT_EQ(rows.Fill(0, false, kDictGaiji), 1);
    EXPECT_EQ(rows.Rows()[0].heading, u"&zA121;猫");
    EXPECT_EQ(rows.Rows()[0].face, 0);
  }
  auto mapped = OpenHitListSession(*m_book, "zA121\tu25CE\n");
  CHitRows rows(*mapped);
  ASSERT_EQ(SearchDict(*mapped, kDictGaiji, u"がいじ"), 1);
  ASSERT_EQ(rows.Fill(0, false, kDictGaiji), 1);
  EXPECT_EQ(rows.Rows()[0].heading, u"◎猫");
}

TEST(HitRowsHeading, StripsIdeographicAndAsciiSpacesFromTheFront) {
  EXPECT_EQ(StripHeadingSpaces("\x81\x40 \x81\x40x y", false), "x y");
  EXPECT_EQ(StripHeadingSpaces(" \x81\x40", false), "");
  EXPECT_EQ(StripHeadingSpaces("\x81", false), "\x81");  // a lone lead byte is text
  EXPECT_EQ(StripHeadingSpaces("<B> x", false), "<B> x");
  // Single-byte books have no two-byte spaces: 0x81 0x40 is two characters.
  EXPECT_EQ(StripHeadingSpaces("  \x81\x40", true), "\x81\x40");
}

}  // namespace
