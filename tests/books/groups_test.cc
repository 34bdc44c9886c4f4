// Group leaves of every class, read back through the reader's leaf scan:
// keyword groups (class 3) give only their first member a heading, and
// the headings of a group follow each other in the heading area; class 4
// members keep their own positions; classes 1 and 2 tell spellings apart
// that fold to one key.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "book_fixture.h"
#include "reader/keyword_search.h"

namespace {

SubbookSource Fruit(uint8_t id, bool groups) {
  SubbookSource s;
  s.directory = "FRUIT";
  s.title = "果物";
  // Latin keywords fold to themselves, so the scan's two keys agree.
  s.indexes = {IndexOptions{id, {0, 0, 0, 0}, false, 0, groups}};
  for (const char* h : {"林檎", "蜜柑", "葡萄", "苺"}) s.entries.push_back(Entry(h, {"果物"}, {}));
  s.groups = {KeywordGroup{id, "fruit", {0, 1, 2}}, KeywordGroup{id, "red", {3, 0}}};
  return s;
}

// The raw hits of one keyword, in the order the scan found them.
std::vector<HitEntry> Scan(CEBReader& r, uint8_t id, const std::string& word) {
  const IndexEntry* index = r.FindIndex(id);
  if (!index) return {};
  r.ClearHitList();
  std::string key = Sjis(word);
  int32_t leaf = r.FindLeaf(*index, key);
  if (leaf == 0) return {};
  r.ScanLeaves(*index, leaf, key, false);
  auto hits = r.Hits();
  return std::vector<HitEntry>(hits.begin(), hits.begin() + r.HitCount());
}

TEST(GroupsTest, KeywordGroupGivesOnlyItsFirstMemberAHeading) {
  for (uint8_t id : {0x80, 0x81}) {
    BookSource book;
    book.subbooks = {Fruit(id, true)};
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const WrittenSubbook& w = b->written.subbooks[0];
    auto hits = Scan(r, id, "ＦＲＵＩＴ");
    ASSERT_EQ(hits.size(), 3u);
    for (int m = 0; m < 3; ++m) {
      EXPECT_EQ(hits[m].textPage, w.text[m].page);
      EXPECT_EQ(static_cast<uint16_t>(hits[m].textOffset), w.text[m].offset);
    }
    EXPECT_EQ(hits[0].headingPage, w.groupHeading[0].page);
    EXPECT_EQ(static_cast<uint16_t>(hits[0].headingOffset), w.groupHeading[0].offset);
    EXPECT_EQ(hits[1].headingPage, 0);
    EXPECT_EQ(hits[2].headingPage, 0);
    // The later members' headings are the ones that follow.
    EXPECT_EQ(HeadingAt(r, w.groupHeading[0]), "林檎");
    CReaderTextSource source(r);
    CTextDecoder decoder(source);
    char buf[256];
    int len = 0;
    decoder.ReadHeadingText(buf, sizeof buf, &len);
    EXPECT_EQ(Utf8FromSjis(std::string(buf, static_cast<size_t>(len))), "蜜柑");
    decoder.ReadHeadingText(buf, sizeof buf, &len);
    EXPECT_EQ(Utf8FromSjis(std::string(buf, static_cast<size_t>(len))), "葡萄");

    EXPECT_EQ(Scan(r, id, "ＲＥＤ").size(), 2u);
    EXPECT_EQ(Scan(r, id, "ＦＲ").size(), 3u);
    EXPECT_TRUE(Scan(r, id, "ＧＲＡＰＥ").empty());
  }
}

TEST(GroupsTest, KeywordAndCrossSearchListEveryHitWithItsOwnHeading) {
  for (uint8_t id : {0x80, 0x81}) {
    BookSource book;
    book.subbooks = {Fruit(id, true)};
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const SubbookSource& s = book.subbooks[0];
    const WrittenSubbook& w = b->written.subbooks[0];
    auto search = [&](const std::string& input) {
      int keys = 0;
      if (id == 0x80) {
        KeywordSearch(r, Sjis(input), &keys);
      } else {
        CrossSearch(r, Sjis(input), &keys);
      }
      std::vector<HitEntry> hits;
      r.GetHitEntSorted(&hits, 0, keys);
      std::vector<size_t> entries;
      for (const HitEntry& h : hits) {
        for (size_t e = 0; e < w.text.size(); ++e) {
          if (h.textPage == w.text[e].page && static_cast<uint16_t>(h.textOffset) == w.text[e].offset) {
            entries.push_back(e);
            EXPECT_EQ(HeadingAt(r, {h.headingPage, static_cast<uint16_t>(h.headingOffset)}),
                      s.entries[e].heading);
          }
        }
      }
      std::sort(entries.begin(), entries.end());
      return entries;
    };
    EXPECT_EQ(search("fruit"), (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(search("red"), (std::vector<size_t>{0, 3}));
    EXPECT_EQ(search("fruit red"), (std::vector<size_t>{0}));
    EXPECT_EQ(search("fr　re"), (std::vector<size_t>{0}));
    EXPECT_TRUE(search("fruit grape").empty());
  }
}

TEST(GroupsTest, PlainKeywordEntriesCarryTheirOwnHeadings) {
  BookSource book;
  book.subbooks = {Fruit(0x80, false)};
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  const WrittenSubbook& w = b->written.subbooks[0];
  auto hits = Scan(*b->Reader(0), 0x80, "ＲＥＤ");
  ASSERT_EQ(hits.size(), 2u);
  for (int m : {3, 0}) EXPECT_TRUE(HasHit(hits, w.text[m], w.heading[m])) << m;
}

TEST(GroupsTest, Class4MembersKeepTheirPositions) {
  for (uint8_t id : {0xA0, 0xA1}) {
    BookSource book;
    book.subbooks = {Fruit(id, true)};
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    const WrittenSubbook& w = b->written.subbooks[0];
    auto hits = Scan(*b->Reader(0), id, "ＦＲＵＩＴ");
    ASSERT_EQ(hits.size(), 3u);
    for (int m = 0; m < 3; ++m) EXPECT_TRUE(HasHit(hits, w.text[m], w.heading[m])) << m;
  }
}

TEST(GroupsTest, KanaGroupsTellSpellingsApart) {
  // がっこう, かっこう and カッコウ fold to one key; in group leaves each
  // keeps its own spelling, so a search finds only its own.
  // Also with fixed-length plain keys and pages of two entries, which
  // spreads the groups over several leaves under inner levels.
  for (auto [rawId, keyLength, fill] : {std::tuple{0x30, 0, 0}, std::tuple{0x90, 0, 0},
                                     std::tuple{0x30, -1, 2}, std::tuple{0x90, -1, 2}}) {
    uint8_t id = static_cast<uint8_t>(rawId);
    BookSource book;
    SubbookSource& s = book.subbooks.emplace_back();
    s.directory = "KANA";
    s.title = "仮名";
    s.indexes = {IndexOptions{id, {0, 0, 0, 0}, false, keyLength, true, fill}};
    s.entries = {Entry("学校", {}, {{id, "がっこう"}}), Entry("郭公", {}, {{id, "かっこう"}}),
                 Entry("格好", {}, {{id, "かっこう"}}), Entry("林檎", {}, {{id, "りんご"}}),
                 Entry("蜜柑", {}, {{id, "みかん"}})};
    auto b = WriteAndOpen(book);
    ASSERT_EQ(b->added, 1) << b->error;
    CEBReader& r = *b->Reader(0);
    const WrittenSubbook& w = b->written.subbooks[0];
    SCOPED_TRACE(testing::Message() << rawId << " " << keyLength << " " << fill);
    auto school = Find(r, Method::kExact, "がっこう");
    EXPECT_EQ(school.size(), 1u);
    EXPECT_TRUE(HasText(school, w.text[0]));
    auto cuckoo = Find(r, Method::kExact, "かっこう");
    EXPECT_EQ(cuckoo.size(), 2u);
    EXPECT_TRUE(HasText(cuckoo, w.text[1]));
    EXPECT_TRUE(HasText(cuckoo, w.text[2]));
    // Katakana is folded for the member comparison too.
    EXPECT_EQ(Find(r, Method::kExact, "カッコウ").size(), 2u);
    // Words no folding changes are plain entries among the groups.
    EXPECT_TRUE(HasText(Find(r, Method::kExact, "みかん"), w.text[4]));
    EXPECT_TRUE(Find(r, Method::kExact, "りんこ").empty());
    EXPECT_TRUE(HasText(Find(r, Method::kExact, "りんご"), w.text[3]));
  }
}

}  // namespace

namespace {

TEST(GroupsTest, KeywordsThatFoldUpwardStayReachable) {
  // ラーメン folds to らあめん, which sorts after the stored らーめん: the
  // descent must still land on the page that holds it.
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "NOODLE";
  s.title = "麺";
  s.indexes = {IndexOptions{0x80, {0, 0, 0, 0}, false, 0, true, 1}};
  const char* words[] = {"らーめん", "らいす", "らくだ", "らっぱ", "らーゆ", "らむね"};
  for (const char* w : words) {
    s.entries.push_back(Entry(w));
    s.groups.push_back(KeywordGroup{0x80, w, {static_cast<int>(s.entries.size()) - 1}});
  }
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  for (size_t i = 0; i < std::size(words); ++i) {
    int keys = 0;
    KeywordSearch(r, Sjis(words[i]), &keys);
    std::vector<HitEntry> hits;
    r.GetHitEntSorted(&hits, 0, keys);
    EXPECT_TRUE(HasText(hits, b->written.subbooks[0].text[i])) << words[i];
  }
}

}  // namespace

namespace {

// 300 entries in one keyword group and one kana group, both larger than
// a leaf page.
BookSource BigGroups(bool repeatHeads) {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "BIG";
  s.title = "大群";
  s.indexes = {IndexOptions{0x80, {0, 0, 0, 0}, false, 0, true}, IndexOptions{0x90, {0, 0, 0, 0}, false, 0, true}};
  for (IndexOptions& x : s.indexes) x.repeatGroupHeads = repeatHeads;
  KeywordGroup everything{0x80, "all", {}};
  for (int i = 0; i < 300; ++i) {
    // Every entry also spells がっこう its own way in one kana group.
    s.entries.push_back(Entry("語" + std::to_string(i), {}, {{0x90, i % 2 ? "がっこう" : "かっこう"}}));
    everything.members.push_back(i);
  }
  s.groups = {KeywordGroup{0x80, "alpha", {0}}, everything, KeywordGroup{0x80, "omega", {299}}};
  return book;
}

void ExpectBigGroupsFound(const BookSource& book) {
  auto b = WriteAndOpen(book);
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& r = *b->Reader(0);
  int keys = 0;
  EXPECT_EQ(KeywordSearch(r, Sjis("all"), &keys), 300);
  std::vector<HitEntry> hits;
  r.GetHitEntSorted(&hits, 0, keys);
  // Every hit's heading, completed or handed on by a repeated head, is
  // the heading of its own entry.
  const WrittenSubbook& w = b->written.subbooks[0];
  for (size_t i = 0; i < w.text.size(); ++i) {
    for (const HitEntry& h : hits) {
      if (h.textPage != w.text[i].page || static_cast<uint16_t>(h.textOffset) != w.text[i].offset) continue;
      EXPECT_EQ(HeadingAt(r, {h.headingPage, static_cast<uint16_t>(h.headingOffset)}),
                "語" + FullWidth(std::to_string(i)));
    }
  }
  EXPECT_EQ(KeywordSearch(r, Sjis("omega"), &keys), 1);
  EXPECT_EQ(Find(r, Method::kExact, "がっこう").size(), 150u);
  EXPECT_EQ(Find(r, Method::kExact, "かっこう").size(), 150u);
}

TEST(GroupsTest, GroupsLargerThanAPageRunOnIntoTheNext) { ExpectBigGroupsFound(BigGroups(true)); }

TEST(GroupsTest, GroupsLargerThanAPageWithoutRepeatedHeads) {
  ExpectBigGroupsFound(BigGroups(false));
}

}  // namespace
