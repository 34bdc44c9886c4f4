// The page source of a reader: the one-page cache, and the "Cannot seek"
// notice that text files give for a page that cannot be selected while
// font and media files stay silent.
#include "catalog/subbook_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "catalog/notice.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

std::vector<std::string> g_notices;
void Collect(const char* message) { g_notices.push_back(message); }

TEST(SubbookFile, CachesThePageAndReportsFailedSeeksOfTextFiles) {
  CTempDir dir;
  std::vector<uint8_t> bytes(3 * kPageSize);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i / kPageSize + 1);
  std::string path = dir.Write("HONMON", bytes);
  SetNoticeHandler(Collect);
  g_notices.clear();

  CSubbookFile text;
  ASSERT_EQ(text.Open(path, 0, true), 0);
  EXPECT_EQ(text.PageCount(), 3);
  bool ok = false;
  EXPECT_EQ(text.Fetch(2, &ok)[0], 2);
  EXPECT_TRUE(ok);
  const uint8_t* again = text.Fetch(2, &ok);
  EXPECT_EQ(again[kPageSize - 1], 2);
  EXPECT_EQ(text.Fetch(4, &ok)[0], 0);  // past the end: zeros
  EXPECT_FALSE(ok);
  EXPECT_TRUE(g_notices.empty());
  text.Fetch(0, &ok);
  EXPECT_FALSE(ok);
  ASSERT_EQ(g_notices.size(), 1u);
  EXPECT_EQ(g_notices[0], "Cannot seek");

  CSubbookFile font;
  ASSERT_EQ(font.Open(path, 0, false), 0);
  font.Fetch(-1, &ok);
  EXPECT_EQ(g_notices.size(), 1u);
  EXPECT_EQ(font.Open(dir.File("missing"), 0, true), -1);

  // Through a reader: the decoder following a reference to page 0.
  CEBReader reader;
  ASSERT_EQ(reader.Open(path, 1, 0), 1);
  EXPECT_FALSE(reader.SeekPage(0));
  EXPECT_EQ(g_notices.size(), 2u);
  EXPECT_EQ(reader.ReadByte(), 0);
  SetNoticeHandler(nullptr);
}

TEST(SubbookFile, EbLanguageFlagMakesABookWithoutHalfWidthFontSingleByte) {
  CTempDir dir;
  for (bool language : {false, true}) {
    BookSource book;
    book.kind = BookKind::kEb;
    book.languageFlag = language;
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.directory = "LANG";
    sub.indexes = {Index(0x92)};
    sub.entries = {Entry("語", {{0x92, "word"}})};
    std::string name = language ? "with" : "without";
    Write(book, dir, name);
    CBookList list;
    ASSERT_EQ(list.ScanBooks(dir.File(name), 0), 1);
    EXPECT_EQ(list.GetEntry(0)->textReader->SingleByte(), language);
  }
}

}  // namespace
