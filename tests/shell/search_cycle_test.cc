// The search cycle through its frame interface, on books from the
// bookwriter: wildcards, trimming, the status texts and focus, the busy
// flag, abort during an all-dictionary search, the romaji retry, the
// incremental-search timer and the frame messages' focus rule.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "catalog/book_list.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "shell/frame_messages.h"
#include "shell/plain_text.h"
#include "shell/search_cycle.h"
#include "shell/settings.h"
#include "shell_books.h"

namespace {

class CFakeFrame : public CSearchFrame {
 public:
  bool TakeSelection(std::u16string* word) override {
    if (selection.empty()) return false;
    *word = selection;
    return true;
  }
  std::u16string SearchBoxText() override { return box; }
  int SearchTypeSelection() override { return type; }
  void SetStatusText(const std::u16string& text) override { status = text; }
  void MoveFocus(FocusTarget target) override { focus.push_back(target); }
  void ShowNoHitNotice(bool show) override { notice.push_back(show); }
  void PutHistoryWord(const std::u16string& word) override { history.push_back(word); }
  void SetWaitCursor(bool on) override { waitCursor.push_back(on); }
  void LeaveFullScreen() override { ++leftFullScreen; }
  void StopSound() override { ++soundStops; }
  void PumpEvents() override {
    if (pump) pump();
  }

  std::u16string selection, box;
  int type = 0;
  std::u16string status;
  std::vector<FocusTarget> focus;
  std::vector<bool> notice, waitCursor;
  std::vector<std::u16string> history;
  int leftFullScreen = 0, soundStops = 0;
  std::function<void()> pump;
};

class SearchCycleTest : public ::testing::Test {
 protected:
  // Books: dictionaries 0 to `count` - 1, each holding the animals.
  void AddBooks(int count, bool kanaIndex = true) {
    for (int i = 0; i < count; ++i) {
      std::string dir = m_dir.File("book" + std::to_string(m_books++));
      std::string catalog = WriteShellBook(dir, {AnimalSubbook("ZOO", AnimalWords(), kanaIndex)});
      ASSERT_FALSE(catalog.empty());
      ASSERT_EQ(m_list.AddBook(catalog), 1);
    }
    m_settings.ApplyDictConfigs(m_list);
  }

  // Runs one search for `word` and returns the headings found.
  std::vector<std::string> Search(const std::u16string& word, bool all = false, int type = 0) {
    m_frame.box = word;
    m_frame.type = type;
    m_cycle.RunSearch(all);
    std::vector<std::string> headings;
    for (const DictHit& h : m_collector.Hits())
      headings.push_back(HeadingPlain(*m_list.PeekEntry(h.dict)->textReader, nullptr, h.hit));
    return headings;
  }

  CTempDir m_dir;
  CSettings m_settings{m_dir.File("app"), m_dir.File("store.ini")};
  CBookList m_list;
  CFakeFrame m_frame;
  CHitCollector m_collector{m_list};
  CSearchCycle m_cycle{m_settings, m_list, m_frame, m_collector};
  int m_books = 0;
};

using Headings = std::vector<std::string>;

}  // namespace

TEST(SearchWord, WildcardsChooseTheMethod) {
  auto prepared = [](std::u16string word) { return PrepareSearchWord(word, kSearchKeyword); };
  EXPECT_EQ(prepared(u"*ねこ").type, kSearchBackward);
  EXPECT_EQ(prepared(u"*ねこ").word, Utf16ToCp932(u"ねこ"));
  EXPECT_EQ(prepared(u"＊ねこ＊").type, kSearchCross);
  EXPECT_EQ(prepared(u"＊ねこ＊").word, Utf16ToCp932(u"ねこ"));
  EXPECT_EQ(prepared(u"ねこ*").type, kSearchForward);
  EXPECT_EQ(prepared(u"ねこ／").type, kSearchExact);
  EXPECT_EQ(prepared(u"ねこ/").word, Utf16ToCp932(u"ねこ"));
  EXPECT_EQ(prepared(u"*").type, kSearchKeyword);
  EXPECT_EQ(prepared(u"*").word, "*");
  EXPECT_EQ(prepared(u"／").type, kSearchKeyword);
  EXPECT_EQ(prepared(u"ねこ").type, kSearchKeyword);
  // "ソ" (0x83 0x5C) and "表" (0x95 0x5C) end in the byte of a backslash,
  // "ー" (0x81 0x5B) is no slash: only whole characters are wildcards.
  EXPECT_EQ(prepared(u"ソー").type, kSearchKeyword);
  // Cut to 255 bytes on a character boundary.
  std::u16string longWord(200, u'あ');
  EXPECT_EQ(prepared(longWord).word.size(), 254u);
}

TEST(SearchWord, TrimmingOfSpacesAndPunctuation) {
  EXPECT_EQ(TrimSearchWord(u" \u3000cat.!\t", false), u"cat.!");
  EXPECT_EQ(TrimSearchWord(u" cat.!\t", true), u"cat");
  EXPECT_EQ(TrimSearchWord(u"a.b?", true), u"a.b");
  EXPECT_EQ(TrimSearchWord(u"?!", true), u"");
}

TEST_F(SearchCycleTest, WildcardSearchesReachTheirMethods) {
  AddBooks(1);
  EXPECT_EQ(Search(u"ね*"), (Headings{"猫【ねこ】", "鼠【ねずみ】"}));
  EXPECT_EQ(Search(u"＊つね"), (Headings{"狐【きつね】"}));
  EXPECT_EQ(Search(u"ね/"), Headings{});
  EXPECT_EQ(Search(u"ねこ／"), (Headings{"猫【ねこ】"}));
  EXPECT_EQ(Search(u"*animal*").size(), 4u);
  EXPECT_EQ(Search(u"動物", false, kSearchKeyword).size(), 4u);
  EXPECT_EQ(m_settings.searchType, kSearchKeyword);
  EXPECT_EQ(Search(u"英語", false, kSearchFullText).size(), 4u);
}

TEST_F(SearchCycleTest, StatusFocusAndNoticeReportTheOutcome) {
  AddBooks(1);
  m_settings.bTrimPunctuation = true;
  EXPECT_EQ(Search(u"  dog.!  "), (Headings{"犬【いぬ】"}));
  EXPECT_EQ(m_settings.m_lastSearchWord, u"dog");
  EXPECT_EQ(m_frame.status, u"1 件");
  EXPECT_EQ(m_frame.focus, (std::vector<FocusTarget>{kFocusHitList}));
  EXPECT_EQ(m_frame.history, (std::vector<std::u16string>{u"dog"}));
  EXPECT_EQ(m_frame.waitCursor, (std::vector<bool>{true, false}));

  m_settings.bTrimPunctuation = false;
  EXPECT_EQ(Search(u"dog.!"), Headings{});
  EXPECT_EQ(m_frame.status, u"候補が見つかりません");
  EXPECT_EQ(m_frame.notice, (std::vector<bool>{true}));
  EXPECT_EQ(m_frame.focus.back(), kFocusSearchBox);
  m_settings.bNoticeNoHit = false;
  Search(u"zebra");
  EXPECT_EQ(m_frame.notice.back(), false);

  m_frame.focus.clear();
  m_settings.focusAfterSearch = 2;
  m_settings.m_fullScreen = 1;
  Search(u"ね*");
  EXPECT_EQ(m_frame.status, u"2 件");
  EXPECT_EQ(m_frame.focus, (std::vector<FocusTarget>{kFocusHitList, kFocusContentView}));
  EXPECT_EQ(m_frame.leftFullScreen, 1);
  m_settings.focusAfterSearch = 0;
  Search(u"ね*");
  EXPECT_EQ(m_frame.focus.back(), kFocusSearchBox);

  // The content view's selection wins over the search box.
  m_frame.selection = u"きつね";
  EXPECT_EQ(Search(u"いぬ"), (Headings{"狐【きつね】"}));
  // A search while one runs is ignored.
  m_frame.selection.clear();
  m_settings.m_searching = 1;
  m_frame.status.clear();
  Search(u"いぬ");
  EXPECT_EQ(m_frame.status, u"");
}

TEST_F(SearchCycleTest, AllDictionariesCombineAndTheCurrentOneAlone) {
  AddBooks(3);
  EXPECT_EQ(Search(u"ねこ", true).size(), 3u);
  EXPECT_EQ(m_frame.status, u"3 件");
  m_settings.dictNo = 2;
  Search(u"ねこ");
  ASSERT_EQ(m_collector.Hits().size(), 1u);
  EXPECT_EQ(m_collector.Hits()[0].dict, 2);
  // Dictionaries past the list are no dictionaries.
  m_settings.dictNo = 7;
  EXPECT_EQ(Search(u"ねこ"), Headings{});
}

TEST_F(SearchCycleTest, AbortEndsAllDictionarySearchAfterTheCurrentOne) {
  AddBooks(4);
  m_settings.bFindAllDict = true;
  std::vector<int> pumped;
  m_frame.pump = [&] {
    pumped.push_back(m_cycle.CurrentDict());
    if (m_cycle.CurrentDict() == 1) m_cycle.AbortSearch();
  };
  Search(u"ねこ", true);
  ASSERT_EQ(m_collector.Hits().size(), 1u);
  EXPECT_EQ(m_collector.Hits()[0].dict, 0);
  for (int dict : pumped) EXPECT_LE(dict, 1);
  EXPECT_EQ(m_settings.m_searching, 0);
  EXPECT_EQ(m_frame.soundStops, 1);
  // The next search runs everywhere again.
  m_frame.pump = nullptr;
  EXPECT_EQ(Search(u"ねこ", true).size(), 4u);
}

TEST_F(SearchCycleTest, RomajiRetryOnlyWhereTheKanaIndexExists) {
  AddBooks(1, true);
  AddBooks(1, false);  // readings in the written-form index only
  EXPECT_EQ(Search(u"neko", true), Headings{});
  m_settings.romakana = true;
  Search(u"neko", true);
  ASSERT_EQ(m_collector.Hits().size(), 1u);
  EXPECT_EQ(m_collector.Hits()[0].dict, 0);
  // Backward searches need the endword kana index.
  m_frame.type = kSearchBackward;
  Search(u"*tsune", true, kSearchBackward);
  ASSERT_EQ(m_collector.Hits().size(), 1u);
  EXPECT_EQ(m_collector.Hits()[0].dict, 0);
  // Words found as typed are not retried.
  EXPECT_EQ(Search(u"fox", true), (Headings{"狐【きつね】", "狐【きつね】"}));
}

TEST_F(SearchCycleTest, IncrementalSearchLimitsToFiftyAndDefersHistory) {
  std::vector<Word> many;
  static std::vector<std::string> readings;
  readings.clear();
  const char16_t* kana = u"あいうえおかきくけこさしすせそたちつてと";
  for (int i = 0; i < 60; ++i)
    readings.push_back(ToUtf8(std::u16string(u"か") + kana[i % 20] + kana[i / 20]));
  for (const std::string& r : readings) many.push_back(Word{"字", r.c_str(), "word"});
  std::string catalog = WriteShellBook(m_dir.File("many"), {AnimalSubbook("MANY", many)});
  ASSERT_EQ(m_list.AddBook(catalog), 1);
  m_settings.ApplyDictConfigs(m_list);

  m_settings.bIncrementalSearch = true;
  m_frame.box = u"か*";
  m_cycle.RunSearch(false, true);
  EXPECT_EQ(m_frame.status, u">50 件");
  EXPECT_TRUE(m_frame.history.empty());
  EXPECT_TRUE(m_cycle.PendingHistory());
  m_cycle.OnShowHit(1);
  EXPECT_TRUE(m_frame.history.empty());
  m_cycle.OnShowHit(0);
  EXPECT_EQ(m_frame.history, (std::vector<std::u16string>{u"か*"}));
  EXPECT_FALSE(m_cycle.PendingHistory());
  // Enter puts the word into the history at once.
  m_cycle.RunSearch(false, false);
  EXPECT_EQ(m_frame.history.size(), 2u);
  // Without the limit all 60 are listed.
  m_settings.bIncrementalSearch = false;
  m_cycle.RunSearch(false);
  EXPECT_EQ(m_frame.status, u"60 件");
}

namespace {

// A one-shot timer on a clock the test moves.
class CFakeTimer : public CSearchTimer {
 public:
  void Start(int ms) override { m_due = m_now + ms; }
  void Stop() override { m_due = -1; }
  // Advances the clock; true when the timer fired on the way.
  bool Advance(int ms) {
    m_now += ms;
    if (m_due < 0 || m_now < m_due) return false;
    m_due = -1;
    return true;
  }

 private:
  long m_now = 0;
  long m_due = -1;
};

}  // namespace

TEST(IncrementalSearch, RunsOneSecondAfterTheLastEdit) {
  CTempDir dir;
  CSettings settings(dir.Path().string(), dir.File("store.ini"));
  CFakeTimer timer;
  int searches = 0;
  CIncrementalSearch incremental(settings, timer, [](void* n) { ++*static_cast<int*>(n); }, &searches);

  incremental.OnEdit();  // off: no timer
  EXPECT_FALSE(timer.Advance(5000));
  settings.bIncrementalSearch = true;
  incremental.OnEdit();
  EXPECT_FALSE(timer.Advance(600));
  incremental.OnEdit();  // typing on postpones the search
  EXPECT_FALSE(timer.Advance(600));
  ASSERT_TRUE(timer.Advance(400));
  incremental.OnTimer(true);  // input still waiting: another period
  EXPECT_EQ(searches, 0);
  EXPECT_FALSE(timer.Advance(999));
  ASSERT_TRUE(timer.Advance(1));
  incremental.OnTimer(false);
  EXPECT_EQ(searches, 1);
  EXPECT_FALSE(timer.Advance(5000));  // stopped after the search
}

TEST(FrameMessages, MoveFocusTargetsWrap) {
  EXPECT_EQ(MoveFocusTarget(1, 1), kFocusContentView);
  EXPECT_EQ(MoveFocusTarget(0, 1), kFocusHitList);
  EXPECT_EQ(MoveFocusTarget(2, 0), kFocusHitList);
  EXPECT_EQ(MoveFocusTarget(0, -1), kFocusContentView);
  EXPECT_EQ(MoveFocusTarget(1, 2), kFocusSearchBox);
  EXPECT_EQ(UM_SEARCH, 1125u);
  EXPECT_EQ(UM_SHOW_MENU, 1142u);
}
