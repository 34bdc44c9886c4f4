// The content view's model without a window: an entry decoded by the
// content view's rules and laid out, its link found by hit testing, the
// plain text of each range, find in text, messages, and where continuous
// display may extend. Measured with the fixed canvas.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalog/subbook_entry.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "layout/fixed_canvas.h"
#include "reader/eb_reader.h"
#include "shell/content_model.h"
#include "shell/plain_text.h"
#include "shell_books.h"

namespace {

class ContentModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SubbookSource animals = AnimalSubbook("ALPHA", AnimalWords());
    animals.entries[0].body.push_back("参照：{link 犬【いぬ】}いぬ{/link}");
    std::string catalog = WriteShellBook(m_dir.File("book"), {animals});
    ASSERT_FALSE(catalog.empty());
    SessionOptions options;
    options.home = m_dir.File("app");
    options.profilePath = m_dir.File("store.ini");
    m_session = std::make_unique<CDictSession>(options);
    ASSERT_EQ(m_session->Books().AddBook(catalog), 1);
    m_session->BooksChanged();
    m_model = std::make_unique<CContentModel>(*m_session);
    m_model->SetViewWidth(240);
  }

  HitEntry Hit(const std::u16string& word) {
    CEBReader& reader = *m_session->Display(0).reader;
    std::vector<HitEntry> hits;
    if (reader.WordSearch(Utf16ToCp932(word)) > 0) reader.GetHitEntSorted(&hits);
    return hits.empty() ? HitEntry{} : hits[0];
  }

  bool Show(const HitEntry& hit, const std::u16string& word = u"") {
    return m_model->ShowEntry(0, hit.textPage, hit.textOffset, 0, word, m_canvas);
  }

  CTempDir m_dir;
  std::unique_ptr<CDictSession> m_session;
  std::unique_ptr<CContentModel> m_model;
  CFixedCanvas m_canvas;
};

TEST_F(ContentModelTest, ShowsAnEntryAndFindsItsLinkByPoint) {
  HitEntry cat = Hit(u"ねこ"), dog = Hit(u"いぬ");
  ASSERT_GT(cat.textPage, 0u);
  m_session->Settings().bStop = true;
  ASSERT_TRUE(Show(cat, u"猫"));
  EXPECT_EQ(m_model->Dict(), 0);
  EXPECT_EQ(m_model->Page(), static_cast<int32_t>(cat.textPage));
  EXPECT_EQ(m_model->Offset(), static_cast<int>(cat.textOffset));
  EXPECT_NE(m_model->Markup().find(u"<LINK>いぬ</LINK["), std::u16string::npos) << ToUtf8(m_model->Markup());
  EXPECT_GT(m_model->LineMgr().GetHighlightCount(), 0);  // 猫 highlighted
  int width = 0, height = 0;
  m_model->GetExtent(&width, &height);
  EXPECT_EQ(width, 240);
  EXPECT_GT(height, 2 * 13);

  const AttrRecord* link = nullptr;
  for (int i = 0; i < m_model->LineMgr().GetAttrCount(); ++i)
    if (m_model->LineMgr().GetAttrTable()[i].flags & ATTR_LINK) link = &m_model->LineMgr().GetAttrTable()[i];
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->targetPage, static_cast<int32_t>(dog.textPage));
  EXPECT_EQ(link->targetOffset, static_cast<int32_t>(dog.textOffset));
  EXPECT_EQ(m_model->AttrFromPoint((link->x0 + link->x1) / 2, (link->y0 + link->y1) / 2), link);
  EXPECT_EQ(m_model->AttrFromPoint(link->x1 + 40, link->y0 - 40), nullptr);
  EXPECT_EQ(m_model->TextFrom(link->start).substr(0, 6), u"<LINK>");

  // Something that is not there leaves the entry shown.
  EXPECT_FALSE(m_model->ShowEntry(7, cat.textPage, cat.textOffset, 0, u"", m_canvas));
  EXPECT_EQ(m_model->Page(), static_cast<int32_t>(cat.textPage));
  m_model->Draw(m_canvas, 0, 0, 240, 400, 0, 0);
  EXPECT_FALSE(m_canvas.Records().empty());
}

TEST_F(ContentModelTest, DecodesByTheStopSetting) {
  CSettings& s = m_session->Settings();
  HitEntry cat = Hit(u"ねこ");
  s.bStop = false;  // continuous display: two pages, on past the entry
  EntryLimits limits = m_model->ViewLimits(0, cat.textPage);
  EXPECT_FALSE(limits.stopAtNext);
  EXPECT_EQ(limits.maxPages, 2);

  s.bStop = true;
  s.maxBufSize = 4;
  limits = m_model->ViewLimits(0, cat.textPage);
  EXPECT_TRUE(limits.stopAtNext);
  EXPECT_EQ(limits.maxPages, 4);
  EXPECT_EQ(limits.capacity, 4 * 2048 * 3 / 2);
  EXPECT_EQ(m_model->MarkupCapacity(), limits.capacity + 10);
  ASSERT_TRUE(Show(cat));
  EXPECT_EQ(m_model->Markup().find(u"鼠【ねずみ】"), std::u16string::npos) << ToUtf8(m_model->Markup());
  s.maxBufSize = 1000;  // never beyond what one decode holds
  EXPECT_EQ(m_model->ViewLimits(0, cat.textPage).capacity, CTextDecoder::kMaxCapacity);
}

TEST_F(ContentModelTest, PlainTextOfEachRange) {
  const std::u16string text = u"<B>abc</B> &amp; &zB021;\r\nghi jkl\r\n<PAGE>mno";
  ASSERT_TRUE(m_model->ShowText(text, m_canvas));
  EXPECT_EQ(m_model->Page(), 0);
  EXPECT_EQ(m_model->Dict(), 0);
  EXPECT_FALSE(m_model->HasEntry());
  EXPECT_EQ(m_model->GetPlainText(kRangeAll), u"abc & __\nghi jkl\nmno");
  EXPECT_EQ(m_model->GetPlainText(kRangeAll, 0, false), u"abc & __\r\nghi jkl\r\nmno");
  EXPECT_EQ(m_model->GetPlainText(kRangeFirstPage), u"abc & __\nghi jkl\n");
  EXPECT_EQ(m_model->GetPlainText(kRangeAll, 0, true, 5), u"abc &");

  const int j = static_cast<int>(text.find(u"jkl"));
  EXPECT_EQ(m_model->GetPlainText(kRangeLine, j), u"ghi jkl\n");
  EXPECT_EQ(m_model->GetPlainText(kRangeLineStart, j), u"ghi ");
  EXPECT_EQ(m_model->GetPlainText(kRangeLineEnd, j), u"jkl\n");
  EXPECT_EQ(m_model->GetPlainText(kRangeLine, 0), u"abc & __\n");

  const int b = static_cast<int>(text.find(u"bc"));
  m_model->SetSelection(b + 2, b, m_canvas, 0, 0);  // a selection made leftwards
  EXPECT_TRUE(m_model->HasSelection());
  EXPECT_EQ(m_model->GetPlainText(kRangeSelection), u"bc");
}

TEST_F(ContentModelTest, FindTextFoldsAndMatchesAtTheVeryEnd) {
  ASSERT_TRUE(m_model->ShowText(u"Café au lait", m_canvas));
  EXPECT_EQ(m_model->FindText(u"LAIT", false, 0), 8);  // ends at the last character
  EXPECT_EQ(m_model->FindText(u"LAIT", true, 0), -1);
  EXPECT_EQ(m_model->FindText(u"cafe", false, 0), 0);
  EXPECT_EQ(m_model->FindText(u"cafe", false, 1), -1);
  EXPECT_EQ(m_model->FindText(u"lait!", false, 0), -1);
  EXPECT_EQ(m_model->FindText(u"", false, 0), -1);
}

TEST_F(ContentModelTest, MessagesTooLongOrEmptyOnlyClear) {
  ASSERT_TRUE(Show(Hit(u"ねこ")));
  EXPECT_FALSE(m_model->ShowText(u"", m_canvas));
  EXPECT_TRUE(m_model->Markup().empty());
  EXPECT_FALSE(m_model->HasEntry());
  EXPECT_EQ(m_model->LineMgr().GetLineCount(), 0);
  std::u16string longest(static_cast<size_t>(m_model->MarkupCapacity()), u'x');
  EXPECT_TRUE(m_model->ShowText(longest, m_canvas));
  EXPECT_FALSE(m_model->ShowText(longest + u"x", m_canvas));
  EXPECT_TRUE(m_model->Markup().empty());
  EXPECT_EQ(m_model->Draw(m_canvas, 0, 0, 240, 100, 0, 0), -1);
}

TEST_F(ContentModelTest, ContinuousDisplayStaysInsideTheText) {
  int32_t page = 0;
  int offset = 0;
  EXPECT_FALSE(m_model->ExtendPosition(true, &page, &offset));  // nothing shown
  HitEntry cat = Hit(u"ねこ");
  const IndexEntry* text = m_session->Display(0).reader->FindIndex(0x00);
  ASSERT_NE(text, nullptr);
  ASSERT_EQ(static_cast<int32_t>(cat.textPage), text->startPage);  // a one-page text
  ASSERT_EQ(text->endPage, text->startPage);

  // Inside the entry, past its <BODY>: upwards to the start of the page.
  ASSERT_TRUE(m_model->ShowEntry(0, cat.textPage, cat.textOffset + 2, 0, u"", m_canvas));
  ASSERT_FALSE(m_model->LineMgr().HasBody());
  ASSERT_TRUE(m_model->ExtendPosition(true, &page, &offset));
  EXPECT_EQ(page, text->startPage);
  EXPECT_EQ(offset, 0);
  // Nothing before the text's first page, nothing after its last.
  ASSERT_TRUE(m_model->ShowEntry(0, page, 0, 0, u"", m_canvas));
  EXPECT_FALSE(m_model->ExtendPosition(true, &page, &offset));
  EXPECT_FALSE(m_model->ExtendPosition(false, &page, &offset));
}

}  // namespace
