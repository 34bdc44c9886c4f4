// The content view on the offscreen platform: taps on a link that wraps,
// word selection by character class, continuous display at the text's
// first page and past an entry's last page, find in text, cursor mode with
// Shift, the view's keys, the context menu, the full-screen corner and the
// navigation history.
#include <QClipboard>
#include <QSignalSpy>
#include <fstream>

#include "content_view_fixture.h"

namespace {

TEST_F(ContentViewTest, LinkOverThreeLinesIsTappedWhereItsTextIs) {
  ASSERT_TRUE(Show(kCat));
  ASSERT_NE(Record(ATTR_LINK), nullptr);
  const AttrRecord link = *Record(ATTR_LINK);
  const CLineMgr& mgr = m_view->Model().LineMgr();
  const int fs = FontSize();
  const int first = mgr.LineFromY(link.y0), last = mgr.LineFromY(link.y1 - 1);
  ASSERT_EQ(last - first, 2) << "the caption should wrap over three lines";
  const int firstY = link.y0 + fs / 2, middleY = mgr.Lines()[static_cast<size_t>(first) + 1].y + fs / 2,
            lastY = link.y1 - fs / 2;
  ASSERT_GT(link.x0, 8);
  ASSERT_LT(link.x1 + 8, kViewWidth);

  auto follows = [&](int x, int y) {
    EXPECT_TRUE(Show(kCat, false));
    Tap(Window(QPoint(x, y)));
    return Showing(kDog);
  };
  EXPECT_FALSE(follows(link.x0 - 4, firstY)) << "left of the start on the first line";
  EXPECT_TRUE(follows(link.x0 + 4, firstY));
  EXPECT_TRUE(follows(1, middleY)) << "a middle line counts from its left edge";
  EXPECT_TRUE(follows(kViewWidth - 2, middleY)) << "to its right edge";
  EXPECT_TRUE(follows(link.x1 - 4, lastY));
  EXPECT_FALSE(follows(link.x1 + 4, lastY)) << "right of the end on the last line";
}

TEST_F(ContentViewTest, DoubleClickSelectsHiraganaOrKatakanaAlone) {
  ASSERT_TRUE(Show(kCat));
  const int at = IndexOf(u"ひらがなカタカナ漢字");
  ASSERT_GE(at, 0);
  const QPoint half(FontSize() / 2, FontSize() / 2);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, Window(m_view->PointFromChar(at + 2) + half));
  EXPECT_EQ(m_view->Model().SelectionStart(), at);
  EXPECT_EQ(m_view->Model().SelectionEnd(), at + 4);
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"ひらがな");

  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, Window(m_view->PointFromChar(at + 4) + half));
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"カタカナ");
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, Window(m_view->PointFromChar(at + 9) + half));
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"漢字");
}

// A book whose text runs on from entry to entry, without the start and
// end codes the writer puts around each, so that the view may extend
// upwards and across entries.
class ContentViewNoBodyTest : public ContentViewTest {
 protected:
  void PatchBook() override {
    std::fstream text(m_written.subbooks[0].textPath, std::ios::in | std::ios::out | std::ios::binary);
    bool first = true;
    for (const BookPos& p : m_written.subbooks[0].text) {
      const std::streamoff start = (static_cast<std::streamoff>(p.page) - 1) * 2048 + p.offset - 2;
      Replace(text, start, "\x1F\x02");
      if (!first) Replace(text, start - 2, "\x1F\x03");
      first = false;
    }
  }
  // A line break in place of `code`.
  static void Replace(std::fstream& file, std::streamoff at, const char* code) {
    char bytes[2] = {};
    file.seekg(at);
    file.read(bytes, 2);
    ASSERT_EQ(std::string(bytes, 2), std::string(code, 2));
    file.seekp(at);
    file.write("\x1F\x0A", 2);
  }
};

TEST_F(ContentViewNoBodyTest, ContinuousDisplayStopsAtTheTextsFirstPage) {
  m_session->Settings().bStop = false;
  ASSERT_TRUE(Show(kFirst));
  ASSERT_FALSE(m_view->Model().LineMgr().HasBody());
  const BookPos first = Pos(kFirst);
  ASSERT_GT(first.offset, 0);
  m_view->LineUp();  // from the entry to the start of its page
  EXPECT_EQ(m_view->Model().Page(), first.page);
  EXPECT_EQ(m_view->Model().Offset(), 0);
  m_view->LineUp();  // nothing above the first page of the text
  m_view->PageUp();
  EXPECT_EQ(m_view->Model().Page(), first.page);
  EXPECT_EQ(m_view->Model().Offset(), 0);
  EXPECT_EQ(m_view->ScrollPosition().y(), 0);

  // From the start of a later page it goes on to the page before.
  ASSERT_TRUE(m_view->ShowEntry(0, Pos(kLong).page + 1, 0, false, 0));
  const std::u16string top = m_view->Model().Markup().substr(0, 40);
  m_view->LineUp();
  EXPECT_EQ(m_view->Model().Page(), Pos(kLong).page);
  const int index = IndexOf(top);
  ASSERT_GT(index, 0);
  EXPECT_EQ(m_view->PointFromChar(index).y(), m_view->ScrollPosition().y() + m_view->LineStep());
}

TEST_F(ContentViewTest, ContinuousDisplayExtendsPastTheBottomKeepingTheTopLine) {
  m_session->Settings().bStop = false;
  ASSERT_TRUE(Show(kLong));
  QScrollBar* bar = m_view->verticalScrollBar();
  for (int i = 0; i < 200 && bar->value() < bar->maximum(); ++i) m_view->PageDown();
  ASSERT_EQ(bar->value(), bar->maximum());
  const std::u16string top = m_view->Model().Markup().substr(
      static_cast<size_t>(m_view->CharFromPoint(m_view->ScrollPosition())), 20);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the bar's arrow, as the line key
  EXPECT_EQ(m_view->Model().Page(), Pos(kLong).page + 1);
  EXPECT_EQ(m_view->Model().Offset(), 0);
  // What was at the top is found again, one line step above the view.
  const int index = static_cast<int>(m_view->Model().Markup().rfind(top));
  ASSERT_GE(index, 0);
  EXPECT_EQ(m_view->PointFromChar(index).y(), m_view->ScrollPosition().y() - m_view->LineStep());

  m_session->Settings().bStop = true;  // the entry ends where it ends
  ASSERT_TRUE(Show(kLong));
  for (int i = 0; i < 200 && bar->value() < bar->maximum(); ++i) m_view->PageDown();
  m_view->LineDown();
  EXPECT_EQ(m_view->Model().Page(), Pos(kLong).page);
}

TEST_F(ContentViewTest, FindTextMatchesAtTheVeryEndAndWrapsOnce) {
  ASSERT_TRUE(m_view->ShowText(u"始めの語と最後の語"));
  ASSERT_TRUE(m_view->FindText(u"最後の語", false));
  EXPECT_EQ(m_view->Model().SelectionStart(), 5);
  EXPECT_EQ(m_view->Model().SelectionEnd(), 9);  // the end of the text
  EXPECT_TRUE(m_view->FindText(u"の語", false));  // after the last match: none; from the start: 2
  EXPECT_EQ(m_view->Model().SelectionStart(), 2);
  EXPECT_TRUE(m_view->FindText(u"の語", false));
  EXPECT_EQ(m_view->Model().SelectionStart(), 7);
  EXPECT_FALSE(m_view->FindText(u"無い語", false));
  EXPECT_EQ(m_view->Model().SelectionStart(), 7) << "a failed find keeps the selection";

  ASSERT_TRUE(m_view->ShowText(u"Apple PIE"));
  EXPECT_TRUE(m_view->FindText(u"pie", false));
  EXPECT_FALSE(m_view->FindText(u"pie", true));
}

TEST_F(ContentViewTest, FindTextScrollsAMatchOutOfSightToTheTop) {
  ASSERT_TRUE(Show(kLong));
  ASSERT_TRUE(m_view->FindText(u"長い項目の６０行目", false));
  const int y = m_view->PointFromChar(m_view->Model().SelectionStart()).y();
  EXPECT_GT(y, kViewHeight);
  EXPECT_EQ(m_view->ScrollPosition().y(), y);
}

TEST_F(ContentViewTest, ShiftWithCursorKeysSelectsFromTheCursor) {
  m_session->Settings().bCursorMode = true;
  ASSERT_TRUE(Show(kCat));
  m_view->SetCursorMode(true);
  const int at = IndexOf(u"ひらがな");
  Tap(Window(m_view->PointFromChar(at) + QPoint(2, FontSize() / 2)));
  ASSERT_EQ(m_view->CaretIndex(), at);
  for (int i = 0; i < 3; ++i) QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"ひらが");
  QTest::keyClick(m_view.get(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"ひら");
  EXPECT_EQ(m_view->CaretIndex(), at + 2);
  QTest::keyClick(m_view.get(), Qt::Key_Right);
  EXPECT_FALSE(m_view->HasSelection());
  EXPECT_EQ(m_view->CaretIndex(), at + 3);
  QTest::keyClick(m_view.get(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(m_view->Model().SelectionStart(), at + 3);
  EXPECT_GT(m_view->CaretPoint().y(), m_view->PointFromChar(at).y());
  EXPECT_EQ(m_view->Model().SelectionEnd(), m_view->CaretIndex());
}

TEST_F(ContentViewTest, CursorStepsOverTagsAndEntities) {
  m_session->Settings().bCursorMode = true;
  ASSERT_TRUE(Show(kCat));
  m_view->SetCursorMode(true);
  const int before = IndexOf(u"文<LINK>"), caption = IndexOf(u"<LINK>") + 6;
  ASSERT_GT(before, 0);
  Tap(Window(m_view->PointFromChar(before) + QPoint(2, FontSize() / 2)));
  ASSERT_EQ(m_view->CaretIndex(), before);
  QTest::keyClick(m_view.get(), Qt::Key_Right);
  EXPECT_EQ(m_view->CaretIndex(), caption);
  QTest::keyClick(m_view.get(), Qt::Key_Left);
  EXPECT_EQ(m_view->CaretIndex(), before);

  const int gaiji = IndexOf(u"&z"), after = IndexOf(u"の後");
  ASSERT_GT(gaiji, 0);
  Tap(Window(m_view->PointFromChar(gaiji) + QPoint(2, FontSize() / 2)));
  ASSERT_EQ(m_view->CaretIndex(), gaiji);
  QTest::keyClick(m_view.get(), Qt::Key_Right);
  EXPECT_EQ(m_view->CaretIndex(), after);
  QTest::keyClick(m_view.get(), Qt::Key_Left);
  EXPECT_EQ(m_view->CaretIndex(), gaiji);
  QTest::keyClick(m_view.get(), Qt::Key_Home);
  EXPECT_EQ(m_view->PointFromChar(m_view->CaretIndex()).x(), 0);
}

TEST_F(ContentViewTest, EnterInCursorModeFollowsALinkOrSearchesTheWord) {
  m_session->Settings().bCursorMode = true;
  ASSERT_TRUE(Show(kCat));
  m_view->SetCursorMode(true);
  const int fs = FontSize();
  auto enterAt = [&](int index) {
    m_view->ShowEntry(0, Pos(kCat).page, Pos(kCat).offset, false, 0);
    Tap(Window(m_view->PointFromChar(index) + QPoint(2, fs / 2)));
    m_frame.ClearCalls();
    QTest::keyClick(m_view.get(), Qt::Key_Return);
  };
  enterAt(IndexOf(u"カタカナ") + 1);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"Search(0, 0)"}));
  EXPECT_EQ(m_view->GetPlainText(kRangeSelection), u"カタカナ");
  enterAt(IndexOf(u"。"));  // punctuation: nothing to search
  EXPECT_TRUE(m_frame.Calls().empty());
  EXPECT_FALSE(m_view->HasSelection());
  enterAt(IndexOf(u"<LINK>") + 7);
  EXPECT_TRUE(Showing(kDog));
}

TEST_F(ContentViewTest, KeysAskTheFrameOnRelease) {
  ASSERT_TRUE(Show(kCat));
  m_frame.ClearCalls();
  QTest::keyClick(m_view.get(), Qt::Key_Escape);
  QTest::keyClick(m_view.get(), Qt::Key_Tab);
  QTest::keyClick(m_view.get(), Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(m_view.get(), Qt::Key_Backspace);
  QTest::keyClick(m_view.get(), Qt::Key_Return);  // no selection: to the hit list
  m_view->SelectRange(3, 5);
  QTest::keyClick(m_view.get(), Qt::Key_Return);  // a selection: search it
  QTest::sendKeyEvent(QTest::KeyAction::Release, m_view.get(), Qt::Key_Escape, QString(), Qt::NoModifier);
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(m_view.get(), &repeated);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"MoveFocus(0, 0)", "MoveFocus(0, 0)", "MoveFocus(0, 1)",
                                                       "MoveFocus(0, 1)", "MoveFocus(0, 1)", "Search(0, 0)",
                                                       "MoveFocus(0, 0)"}));
}

TEST_F(ContentViewTest, ScrollKeysAndCommandsMoveByLineStepAndPage) {
  ASSERT_TRUE(Show(kLong));
  const int step = m_view->LineStep();
  EXPECT_EQ(step, m_view->LinePitch() * 2);  // scrollLines 2
  EXPECT_GE(m_view->LinePitch(), 13 + 13 * 3 / 16);
  QTest::keyClick(m_view.get(), Qt::Key_Down);
  EXPECT_EQ(m_view->ScrollPosition().y(), step);
  QTest::keyClick(m_view.get(), Qt::Key_Right);  // a page down outside cursor mode
  EXPECT_EQ(m_view->ScrollPosition().y(), step + Viewport()->height());
  EXPECT_TRUE(m_view->ScrollCommand(kCommandScrollUp));
  EXPECT_EQ(m_view->ScrollPosition().y(), Viewport()->height());
  EXPECT_TRUE(m_view->ScrollCommand(kCommandPageUp));
  EXPECT_TRUE(m_view->ScrollCommand(kCommandPageUp));  // clipped at the top
  EXPECT_EQ(m_view->ScrollPosition().y(), 0);
  EXPECT_FALSE(m_view->ScrollCommand(32902));
}

TEST_F(ContentViewTest, ContextMenuByHoldRightClickOrAlt) {
  // Eighteen more dictionaries, in two books of nine.
  for (int b = 0; b < 2; ++b) {
    BookSource many;
    for (int i = 0; i < 9; ++i) {
      SubbookSource& s = many.subbooks.emplace_back();
      s.directory = "D" + std::to_string(i);
      s.title = "辞書" + std::to_string(b * 9 + i);
      s.indexes = {IndexOptions{0x91}};
      s.entries = {BookEntry{"語", {"本文"}, {{0x91, "語"}}}};
    }
    WrittenBook written;
    std::string error;
    ASSERT_TRUE(WriteBook(many, m_dir.File("many" + std::to_string(b)), WriteOptions{}, &written, &error)) << error;
    ASSERT_EQ(m_session->Books().AddBook(written.catalogPath), 9);
  }
  m_session->BooksChanged();
  ASSERT_TRUE(Show(kCat));
  const QPoint at(30, 30);

  QTest::mousePress(Viewport(), Qt::LeftButton, {}, at);
  QTest::qWait(CFolianView::kHoldMs + 200);
  QMenu* menu = m_view->ContextMenu();
  ASSERT_NE(menu, nullptr) << "a press held still opens the menu";
  QList<QAction*> items = menu->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), QStringLiteral("コピー(&C)"));
  EXPECT_FALSE(items[0]->isEnabled()) << "nothing selected";
  EXPECT_EQ(items[1]->text(), QStringLiteral("選択語で検索(&S)"));
  EXPECT_EQ(items[2]->text(), QStringLiteral("辞書指定検索(&D)"));
  QList<QAction*> dicts = items[2]->menu()->actions();
  ASSERT_EQ(dicts.size(), 19);
  EXPECT_EQ(dicts[0]->text(), QStringLiteral("表示試験(&0)"));
  EXPECT_TRUE(dicts[15]->text().endsWith(QStringLiteral("(&F)")));
  EXPECT_FALSE(dicts[16]->text().contains(u'&')) << dicts[16]->text().toStdString();
  QSignalSpy commands(m_view.get(), &CFolianView::CommandRequested);
  dicts[18]->trigger();
  items[1]->trigger();
  ASSERT_EQ(commands.size(), 2);
  EXPECT_EQ(commands[0][0].toInt(), kCommandDictionaryFirst + 18);
  EXPECT_EQ(commands[1][0].toInt(), kCommandSearchSelection);
  menu->close();
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, at);
  EXPECT_FALSE(m_view->HasSelection());

  QApplication::processEvents();
  EXPECT_EQ(m_view->ContextMenu(), nullptr);
  m_view->SelectRange(3, 6);
  QContextMenuEvent right(QContextMenuEvent::Mouse, at, Viewport()->mapToGlobal(at));
  QApplication::sendEvent(Viewport(), &right);
  ASSERT_NE(m_view->ContextMenu(), nullptr);
  EXPECT_TRUE(m_view->ContextMenu()->actions()[0]->isEnabled());
  m_view->ContextMenu()->close();
  QApplication::processEvents();

  Tap(at, Qt::AltModifier);
  ASSERT_NE(m_view->ContextMenu(), nullptr);
  m_view->ContextMenu()->close();
  EXPECT_TRUE(m_view->HasSelection()) << "Alt+click only opens the menu";
}

TEST_F(ContentViewTest, BottomLeftCornerTogglesFullScreen) {
  ASSERT_TRUE(Show(kCat));
  m_frame.ClearCalls();
  const QPoint corner(1, Viewport()->height() - 2);
  Tap(corner);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"ToggleFullScreen()", "MoveFocus(0, 1)"}));
  m_frame.ClearCalls();
  m_session->Settings().m_fullScreen = 1;  // the frame went full screen
  Tap(corner);
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"ToggleFullScreen()"}));
  m_frame.ClearCalls();
  Tap(corner + QPoint(FontSize(), 0));  // beside the corner: text
  EXPECT_TRUE(m_frame.Calls().empty());
}

TEST_F(ContentViewTest, BackAndForwardWalkTheHistoryAndRetitle) {
  ASSERT_TRUE(Show(kCat));
  const AttrRecord link = *Record(ATTR_LINK);
  Tap(Window(QPoint(link.x0 + 4, link.y0 + FontSize() / 2)));
  ASSERT_TRUE(Showing(kDog));
  m_session->Settings().dictNo = 3;
  m_frame.ClearCalls();
  ASSERT_TRUE(m_view->GoBack());
  EXPECT_TRUE(Showing(kCat));
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"SetTitle(0)"}));
  EXPECT_EQ(m_session->Settings().dictNo, 0);
  EXPECT_FALSE(m_view->GoBack()) << "nothing before the first entry";
  ASSERT_TRUE(m_view->GoForward());
  EXPECT_TRUE(Showing(kDog));
  EXPECT_FALSE(m_view->GoForward());
  ASSERT_TRUE(m_view->GoBack());
  EXPECT_TRUE(Showing(kCat));

  // A message is no place to come back to, but leaving an entry for one
  // files the entry.
  ASSERT_TRUE(m_view->ShowText(u"候補が見つかりません"));
  EXPECT_EQ(m_view->Model().Page(), 0);
  EXPECT_FALSE(m_view->ShowText(u""));
  EXPECT_TRUE(m_view->Model().Markup().empty());
  EXPECT_FALSE(m_view->ShowEntry(7, Pos(kCat).page, 0, true, 0)) << "no such dictionary";
}

TEST_F(ContentViewTest, CopiesToTheClipboardAndRemembersTheStart) {
  ASSERT_TRUE(Show(kCat));
  const int at = IndexOf(u"ひらがな");
  m_view->SelectRange(at, at + 4);
  m_view->CopyText();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdU16String(), u"ひらがな");
  EXPECT_EQ(m_view->LastCopiedText(), u"ひらがな");
  m_view->SelectAll();
  EXPECT_EQ(m_view->Model().SelectionEnd(), static_cast<int>(m_view->Model().Markup().size()));

  // With bAutoClip a focused view copies each entry's first page.
  m_session->Settings().bAutoClip = true;
  m_view->activateWindow();
  m_view->setFocus();
  QApplication::processEvents();
  if (m_view->hasFocus()) {
    ASSERT_TRUE(Show(kDog));
    EXPECT_NE(QGuiApplication::clipboard()->text().indexOf(QStringLiteral("犬の項目")), -1);
    EXPECT_LE(m_view->LastCopiedText().size(), static_cast<size_t>(CFolianView::kRememberedChars));
  }
}

TEST_F(ContentViewTest, NewWidthLaysTheEntryOutAgain) {
  ASSERT_TRUE(Show(kCat));
  const int lines = m_view->Model().LineMgr().GetLineCount();
  m_view->resize(m_view->width() + 200, m_view->height());
  QApplication::processEvents();
  EXPECT_EQ(m_view->Model().ViewWidth(), Viewport()->width());
  EXPECT_LT(m_view->Model().LineMgr().GetLineCount(), lines);
  EXPECT_TRUE(Showing(kCat));
}

}  // namespace
