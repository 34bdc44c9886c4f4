// Complex search as the dialog drives it: definitions read from a written
// book, candidate texts parsed into items, and the terms of filled fields.
#include "shell/complex_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/complex_book.h"
#include "decode/cp932.h"
#include "reader/eb_reader.h"
#include "reader/multi_search.h"

namespace {

std::vector<std::u16string> TextsOf(const std::vector<Candidate>& items) {
  std::vector<std::u16string> out;
  for (const Candidate& c : items) out.push_back(c.text);
  return out;
}

TEST(ComplexCandidates, ItemsEndAtTheirMenuTagsAndKeepTheirPositions) {
  auto items = ParseCandidates(
      u"<MENU>関東</MENU[00000012:0034]>\n<MENU>大阪</MENU[00000000:0000]><MENU>近畿</MENU[0000000A:07FF]>trailing");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(TextsOf(items), (std::vector<std::u16string>{u"関東", u"大阪", u"近畿"}));
  EXPECT_EQ(items[0].position, 0x12 * 2048 + 0x34);
  EXPECT_EQ(items[1].position, 0);
  EXPECT_EQ(items[2].position, 10 * 2048 + 2047);

  // Text before and between the tags belongs to the next item; line breaks
  // go, entities stay whole (even one holding "<"), other tags are skipped.
  items = ParseCandidates(u"見出し\r\n<B>太</B>字&lt;x&hA121;<MENU>項目</MENU[00000001:0000]>");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text, u"見出し太字&lt;x&hA121;項目");

  // A damaged position reads as 0 (a value), never as garbage.
  items = ParseCandidates(u"a</MENU[0000ZZ00:0000]>b</MENU>c</MENU[00000001-0000]>");
  ASSERT_EQ(items.size(), 3u);
  for (const Candidate& c : items) EXPECT_EQ(c.position, 0);

  // An item stops growing at 255 characters.
  std::u16string longItem(300, u'あ');
  items = ParseCandidates(longItem + u"</MENU[00000000:0000]>");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text.size(), kMaxCandidateItemLength);

  EXPECT_TRUE(ParseCandidates(u"").empty());
  EXPECT_TRUE(ParseCandidates(u"<MENU>unfinished").empty());
  EXPECT_TRUE(ParseCandidates(u"<unclosed").empty());
}

TEST(ComplexDefinitions, StepsWrapAtBothEnds) {
  EXPECT_EQ(NextDefinition(0, 3), 1);
  EXPECT_EQ(NextDefinition(2, 3), 0);
  EXPECT_EQ(PreviousDefinition(0, 3), 2);
  EXPECT_EQ(PreviousDefinition(2, 3), 1);
  EXPECT_EQ(NextDefinition(0, 1), 0);
  EXPECT_EQ(PreviousDefinition(0, 1), 0);
  EXPECT_EQ(NextDefinition(0, 0), 0);
  EXPECT_EQ(PreviousDefinition(5, 0), 0);
}

TEST(ComplexDefinitions, FieldsComeFromTheBooksControlAreas) {
  auto b = WriteComplexBook();
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& reader = *b->list.GetEntry(0)->textReader;
  CMultiSearch multi;
  multi.Load(reader);
  ASSERT_EQ(multi.AreaCount(), 2);

  ComplexDefinition d = LoadComplexDefinition(multi, reader, 0);
  EXPECT_EQ(d.title, u"町と名前");
  ASSERT_EQ(d.fields.size(), 2u);
  EXPECT_EQ(d.fields[0].label, u"町");
  EXPECT_EQ(d.fields[0].candidates, int64_t{b->candidatePage} * 2048);
  ASSERT_EQ(d.fields[0].searchRows.size(), 1u);
  EXPECT_EQ(d.fields[0].searchRows[0].id, 0xA1);
  EXPECT_EQ(d.fields[1].label, u"名前");
  EXPECT_EQ(d.fields[1].candidates, 0);
  EXPECT_EQ(d.fields[1].searchRows[0].id, 0xA0);

  d = LoadComplexDefinition(multi, reader, 1);
  EXPECT_EQ(d.title, u"名前だけ");
  ASSERT_EQ(d.fields.size(), 1u);

  EXPECT_TRUE(LoadComplexDefinition(multi, reader, 2).fields.empty());
  EXPECT_TRUE(LoadComplexDefinition(multi, reader, -1).fields.empty());
}

TEST(ComplexDefinitions, FiveFieldsAtMost) {
  BookSource book = complex_book::PeopleSource(1);
  SearchAreasSource areas;
  std::vector<MultiSearchSource> six;
  for (const char* label : {"一", "二", "三", "四", "五", "六"}) six.push_back(MultiSearchSource{label, {0xA0}});
  areas.multiAreas = {six};
  CTempDir dir;
  WrittenBook written;
  std::string error;
  ASSERT_TRUE(WriteBookWithSearchAreas(book, {areas}, dir.File("six"), {}, &written, &error)) << error;
  CBookList list;
  ASSERT_EQ(list.AddBook(written.catalogPath), 1);
  CEBReader& reader = *list.GetEntry(0)->textReader;
  CMultiSearch multi;
  multi.Load(reader);
  ComplexDefinition d = LoadComplexDefinition(multi, reader, 0);
  ASSERT_EQ(d.fields.size(), 5u);
  EXPECT_EQ(d.fields[4].label, u"五");
  EXPECT_EQ(d.title, u"");
}

TEST(ComplexCandidates, TextsReadFromTheBookListTheirItems) {
  auto b = WriteComplexBook();
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& reader = *b->list.GetEntry(0)->textReader;
  auto top = ParseCandidates(ReadCandidateText(reader, nullptr, int64_t{b->candidatePage} * 2048));
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(TextsOf(top), (std::vector<std::u16string>{u"関東", u"大阪", u"近畿"}));
  EXPECT_GT(top[0].position, 0);
  EXPECT_EQ(top[1].position, 0);
  auto kinki = ParseCandidates(ReadCandidateText(reader, nullptr, top[2].position));
  EXPECT_EQ(TextsOf(kinki), (std::vector<std::u16string>{u"大阪", u"京都"}));
  EXPECT_EQ(kinki[1].position, 0);

  EXPECT_EQ(ReadCandidateText(reader, nullptr, 0), u"");
  EXPECT_EQ(ReadCandidateText(reader, nullptr, -2048), u"");
  EXPECT_EQ(ReadCandidateText(reader, nullptr, int64_t{INT32_MAX} * 2048 * 4), u"");
}

TEST(ComplexTerms, KeysAreShiftJisCutToWholeCharactersOf128Bytes) {
  ComplexField field;
  field.searchRows.resize(1);
  EXPECT_EQ(MakeComplexTerm(field, u"東京").key, "\x93\x8C\x8B\x9E");
  EXPECT_EQ(MakeComplexTerm(field, std::u16string(65, u'東')).key.size(), 128u);
  ComplexTerm odd = MakeComplexTerm(field, u"a" + std::u16string(64, u'東'));
  EXPECT_EQ(odd.key.size(), 127u);  // the 64th kanji would split
  EXPECT_EQ(MakeComplexTerm(field, std::u16string(200, u'a')).key, std::string(128, 'a'));
  EXPECT_EQ(odd.rows.size(), 1u);
}

TEST(ComplexTerms, FilledFieldsTogetherKeepTheEntriesAllOfThemFind) {
  auto b = WriteComplexBook();
  ASSERT_EQ(b->added, 1) << b->error;
  CEBReader& reader = *b->list.GetEntry(0)->textReader;
  const WrittenSubbook& w = b->written.subbooks[0];
  CMultiSearch multi;
  multi.Load(reader);
  ComplexDefinition d = LoadComplexDefinition(multi, reader, 0);
  auto texts = [&](int terms) {
    std::vector<HitEntry> hits;
    reader.GetHitEntSorted(&hits, 0, terms);
    std::vector<int> entries;
    for (const HitEntry& h : hits)
      for (size_t e = 0; e < w.text.size(); ++e)
        if (w.text[e].page == h.textPage && w.text[e].offset == static_cast<uint16_t>(h.textOffset))
          entries.push_back(static_cast<int>(e));
    std::sort(entries.begin(), entries.end());
    return entries;
  };

  bool overflow = true;
  int terms = RunComplexTerms(reader, {MakeComplexTerm(d.fields[0], u"東京"), MakeComplexTerm(d.fields[1], u"やまだ")},
                              &overflow);
  EXPECT_EQ(terms, 2);
  EXPECT_FALSE(overflow);
  EXPECT_EQ(texts(terms), (std::vector<int>{0}));

  // An empty field is no term: the next filled one is searched at level 0.
  terms = RunComplexTerms(reader, {MakeComplexTerm(d.fields[0], u""), MakeComplexTerm(d.fields[1], u"やまだ")}, nullptr);
  EXPECT_EQ(terms, 1);
  EXPECT_EQ(texts(terms), (std::vector<int>{0, 2}));

  // Nothing to run leaves no hits of the search before.
  EXPECT_EQ(RunComplexTerms(reader, {}, nullptr), 0);
  EXPECT_EQ(reader.HitCount(), 0);
  // A field without an index to search is passed over.
  ComplexField bare;
  EXPECT_EQ(RunComplexTerms(reader, {MakeComplexTerm(bare, u"東京")}, nullptr), 0);
}

}  // namespace
