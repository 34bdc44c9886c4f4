// The reader on written books: its index table and styles, the page cursor
// the decoder reads through, the area of a page, keyword groups, the
// progress hook and abort, key length limits, and external-character glyphs.
#include "reader/eb_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "reader/reader_test_util.h"

namespace {

const IndexEntry& Find(const CEBReader& r, uint8_t id) {
  const IndexEntry* e = r.FindIndex(id);
  EXPECT_NE(e, nullptr) << std::hex << int(id);
  static const IndexEntry kNone;
  return e ? *e : kNone;
}

std::vector<uint8_t> Style(const IndexEntry& e) { return {e.style[0], e.style[1], e.style[2]}; }

BookSource StyledBook(uint8_t styleMode) {
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "STYLED";
  sub.styleMode = styleMode;
  sub.indexes = {Index(0x90, {0, 0x12, 0x34, 0x56}), Index(0x91, {0, 0xFF, 0x00, 0x00}),
                 Index(0x92, {2, 0x01, 0x02, 0x03}), Index(0x70, {1, 0x77, 0x77, 0x77})};
  sub.entries = {Entry("語", {{0x90, "かな"}, {0x91, "語"}, {0x92, "word"}, {0x70, "かな"}})};
  return book;
}

CEBReader* OpenFirst(CBookList& list, const CTempDir& dir, const std::string& name = "book") {
  EXPECT_EQ(list.ScanBooks(dir.File(name), 0), 1);
  SubbookEntry* e = list.GetEntry(0);
  EXPECT_TRUE(e != nullptr && e->opened);
  return e ? e->textReader.get() : nullptr;
}

TEST(EBReaderIndexTable, NamesAndStylesAsTheBookAllows) {
  CTempDir dir;
  WrittenBook written = Write(StyledBook(0), dir);
  CBookList list;
  CEBReader* r = OpenFirst(list, dir);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Mode(), CEBReader::kModeEpwing);
  EXPECT_EQ(Find(*r, 0x90).name, "[90]前方一致かなINDEX");
  EXPECT_EQ(Find(*r, 0x00).name, "[00]本文");
  EXPECT_EQ(Style(Find(*r, 0x90)), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
  // Written-form indexes never take bits 2-3 of S0.
  EXPECT_EQ(Style(Find(*r, 0x91)), (std::vector<uint8_t>{0xF3, 0x00, 0x00}));
  // An entry flagged 1 gets the usual styles: none for kana.
  EXPECT_EQ(Style(Find(*r, 0x70)), (std::vector<uint8_t>{0, 0, 0}));
  for (const auto& [id, page] : written.subbooks[0].indexStart) EXPECT_EQ(Find(*r, id).startPage, page);

  // Overrides replace only where the entry (flag 2) or the header allows.
  const uint8_t kana[3] = {0x00, 0x00, 0x00}, form[3] = {0x44, 0x55, 0x66};
  r->SetStyleOverrides(kana, form);
  EXPECT_EQ(Style(Find(*r, 0x92)), (std::vector<uint8_t>{0x44, 0x55, 0x66}));
  EXPECT_EQ(Style(Find(*r, 0x91)), (std::vector<uint8_t>{0xF3, 0x00, 0x00}));
  EXPECT_EQ(Style(Find(*r, 0x90)), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
  // A triple with 0xFF is "not set".
  const uint8_t unset[3] = {0x44, 0xFF, 0x66};
  r->SetStyleOverrides(unset, unset);
  EXPECT_EQ(Style(Find(*r, 0x92)), (std::vector<uint8_t>{0x01, 0x02, 0x03}));
}

TEST(EBReaderIndexTable, HeaderModeDecidesForEveryEntry) {
  CTempDir dir;
  Write(StyledBook(1), dir, "meaningless");
  Write(StyledBook(2), dir, "valid");
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("meaningless"), 0), 1);
  ASSERT_EQ(list.ScanBooks(dir.File("valid"), 0), 1);
  CEBReader* meaningless = list.GetEntry(0)->textReader.get();
  CEBReader* valid = list.GetEntry(1)->textReader.get();
  EXPECT_EQ(Style(Find(*meaningless, 0x90)), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(Style(Find(*meaningless, 0x91)), (std::vector<uint8_t>{0x41, 0x55, 0x40}));
  const uint8_t kana[3] = {0x01, 0x01, 0x01}, form[3] = {0x02, 0x02, 0x02};
  meaningless->SetStyleOverrides(kana, form);
  EXPECT_EQ(Style(Find(*meaningless, 0x91)), (std::vector<uint8_t>{0x41, 0x55, 0x40}));
  valid->SetStyleOverrides(kana, form);
  EXPECT_EQ(Style(Find(*valid, 0x90)), (std::vector<uint8_t>{1, 1, 1}));
  EXPECT_EQ(Style(Find(*valid, 0x91)), (std::vector<uint8_t>{2, 2, 2}));
  // The search still works under the style the writer used.
  EXPECT_EQ(meaningless->WordSearch(Sjis("かな"), true), 1);
}

TEST(EBReaderCursor, ReadsAcrossPagesAndPastTheEnd) {
  CTempDir dir;
  BookSource book = StyledBook(0);
  for (int i = 0; i < 300; ++i) book.subbooks[0].entries.push_back(Entry("見出し" + std::to_string(i), {}));
  WrittenBook written = Write(book, dir);
  std::vector<uint8_t> file = ReadWholeFile(written.subbooks[0].textPath);
  ASSERT_GT(file.size(), 3u * kPageSize);
  CBookList list;
  CEBReader* r = OpenFirst(list, dir);
  ASSERT_NE(r, nullptr);

  ASSERT_TRUE(r->SeekPage(2));
  EXPECT_EQ(r->ReadByte(), file[kPageSize]);
  ASSERT_TRUE(r->SeekOffset(2046));
  uint32_t expected = static_cast<uint32_t>(file[2 * kPageSize - 2]) << 24 | file[2 * kPageSize - 1] << 16 |
                      file[2 * kPageSize] << 8 | file[2 * kPageSize + 1];
  EXPECT_EQ(r->ReadWord32(), expected);
  EXPECT_EQ(r->CurrentPage(), 3);
  EXPECT_EQ(r->CurrentOffset(), 2);
  // Offsets outside 1..2048 leave the position alone; 2048 is the page end.
  EXPECT_FALSE(r->SeekOffset(0));
  EXPECT_FALSE(r->SeekOffset(2049));
  EXPECT_EQ(r->CurrentOffset(), 2);
  ASSERT_TRUE(r->SeekOffset(2048));
  EXPECT_EQ(r->ReadWord16(), file[3 * kPageSize] << 8 | file[3 * kPageSize + 1]);
  EXPECT_EQ(r->CurrentPage(), 4);
  std::vector<uint8_t> bytes(5000);
  r->SeekPage(1);
  EXPECT_EQ(r->ReadBytes(bytes.data(), 5000), 5000);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.begin()));
  EXPECT_EQ(r->PageData()[0], file[2 * kPageSize]);

  // Past the end: zeros, and the page number still moves on.
  int32_t last = static_cast<int32_t>((file.size() + kPageSize - 1) / kPageSize);
  EXPECT_FALSE(r->SeekPage(last + 1));
  EXPECT_EQ(r->ReadWord32(), 0u);
  EXPECT_FALSE(r->NextPage());
  EXPECT_EQ(r->CurrentPage(), last + 2);
  EXPECT_FALSE(r->SeekPage(0));
  EXPECT_FALSE(r->SeekPage(-5));

  // The area of a page tells what lies there.
  BookPos text = written.subbooks[0].text[0];
  ASSERT_NE(r->IndexForPage(text.page), nullptr);
  EXPECT_EQ(r->IndexForPage(text.page)->id, 0x00);
  EXPECT_EQ(r->IndexForPage(Find(*r, 0x92).startPage)->id, 0x92);
  EXPECT_EQ(r->IndexForPage(0), nullptr);
  EXPECT_EQ(r->IndexForPage(r->HighestPage() + 1), nullptr);
}

TEST(EBReaderSearch, KeywordGroupCarriesOneHeading) {
  CTempDir dir;
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "KEYWORD";
  sub.indexes = {Index(0x80, {0, 0, 0, 0}, 0, true)};
  for (int i = 0; i < 5; ++i) sub.entries.push_back(Entry("項目" + std::to_string(i), {}));
  sub.groups = {Group(0x80, "apple", {1, 3, 4}), Group(0x80, "banana", {0, 2})};
  WrittenBook written = Write(book, dir);
  CBookList list;
  CEBReader* r = OpenFirst(list, dir);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->WordSearch("apple", true), 3);
  std::vector<HitEntry> hits;
  r->GetHitEntSorted(&hits);
  int withHeading = 0;
  const WrittenSubbook& w = written.subbooks[0];
  for (const HitEntry& h : hits) {
    bool member = false;
    for (int m : {1, 3, 4}) member |= w.text[m].page == h.textPage && w.text[m].offset == h.textOffset;
    EXPECT_TRUE(member);
    if (h.headingPage != 0) {
      ++withHeading;
      EXPECT_EQ(h.headingPage, w.groupHeading[0].page);
      EXPECT_EQ(h.headingOffset, w.groupHeading[0].offset);
    }
  }
  EXPECT_EQ(withHeading, 1);
  EXPECT_EQ(r->WordSearch("banana", false), 2);
  EXPECT_EQ(r->WordSearch("cherry", false), 0);
}

TEST(EBReaderSearch, ProgressHookRunsPerLeafPageAndCanAbort) {
  CTempDir dir;
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "MANY";
  sub.indexes = {Index(0x92, {0, 0, 0, 0}, 0, false, 10)};
  for (int i = 0; i < 400; ++i) sub.entries.push_back(Entry("x", {{0x92, "same" + std::to_string(1000 + i)}}));
  Write(book, dir);
  CBookList list;
  CEBReader* r = OpenFirst(list, dir);
  ASSERT_NE(r, nullptr);
  int pages = 0;
  r->SetProgressHook([&] { ++pages; });
  EXPECT_EQ(r->WordSearch("same", false), 400);
  EXPECT_GE(pages, 40);
  pages = 0;
  r->SetProgressHook([&] {
    if (++pages == 3) r->Abort();
  });
  int hits = r->WordSearch("same", false);
  EXPECT_EQ(pages, 3);
  EXPECT_GT(hits, 0);
  EXPECT_LT(hits, 400);
}

TEST(EBReaderSearch, KeysUpTo255BytesAndNoLonger) {
  CTempDir dir;
  std::string longWord;
  for (int i = 0; i < 127; ++i) longWord += "あ";  // 254 bytes
  BookSource book;
  SubbookSource& sub = book.subbooks.emplace_back();
  sub.directory = "LONG";
  sub.indexes = {Index(0x90), Index(0x92)};
  sub.entries = {Entry("長", {{0x90, longWord}}), Entry("A", {{0x92, std::string(200, 'a')}})};
  Write(book, dir);
  CBookList list;
  CEBReader* r = OpenFirst(list, dir);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->WordSearch(Sjis(longWord), true), 1);
  EXPECT_EQ(r->WordSearch(Sjis(longWord) + "a", false), 0);  // 255 bytes typed, 256 once widened
  EXPECT_EQ(r->WordSearch(std::string(255, 'a'), false), 0);
  EXPECT_EQ(r->WordSearch(std::string(256, 'a'), false), 0);
  EXPECT_EQ(r->WordSearch(std::string(100, 'a'), false), 1);
  EXPECT_EQ(r->WordSearch("", false), 0);
}

}  // namespace
