// The hit list in a window of three panes as the main window arranges
// them -- a search box, the list and a stand-in for the content view --
// with a recording frame that moves the focus between them as the main
// window does, and keys delivered like the keyboard: a press to the
// focused widget, its release to the widget focused after it.
#ifndef TOMELING_TESTS_VIEWS_LEFT_VIEW_FIXTURE_H_
#define TOMELING_TESTS_VIEWS_LEFT_VIEW_FIXTURE_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "common/hit_list_books.h"
#include "common/recording_frame.h"
#include "views/left_view.h"
#include "widget_test_util.h"

class CFocusFrame : public CRecordingFrame {
 public:
  void MoveFocus(long step, long target) override {
    CRecordingFrame::MoveFocus(step, target);
    if (QWidget* w = panes[MoveFocusTarget(step, target)]) w->setFocus(Qt::OtherFocusReason);
  }
  using CRecordingFrame::MoveFocus;

  QWidget* panes[3] = {};
};

class LeftViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  void SetUp() override {
    m_book = WriteHitListBook(FineGaiji());
    ASSERT_FALSE(m_book->catalog.empty());
    session = OpenHitListSession(*m_book, MapText());
    Settings().bClearType = false;  // exact colours for the pixel tests
  }

  virtual std::string MapText() { return ""; }
  // Whether the GAIJI dictionary also has its 32-dot font.
  virtual bool FineGaiji() { return false; }

  CSettings& Settings() { return session->Settings(); }

  // Builds the window once the settings are as the test wants them.
  void Open(int width = 320, int height = 240) {
    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    searchBox = new QLineEdit(window.get());
    list = new CLeftView(*session, frame, window.get());
    content = new QWidget(window.get());
    content->setFocusPolicy(Qt::StrongFocus);
    content->setMinimumHeight(20);
    layout->addWidget(searchBox);
    layout->addWidget(list, 1);
    layout->addWidget(content);
    frame.panes[0] = searchBox;
    frame.panes[1] = list;
    frame.panes[2] = content;
    QObject::connect(list, &CLeftView::ForwardToSearchBox, searchBox,
                     [this](QEvent* e) { QCoreApplication::sendEvent(searchBox, e); });
    window->resize(width, height);
    ShowAndSettle(window.get());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    list->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(list->hasFocus());
  }

  // Forward search in `dict`, then the list takes the hits; the calls the
  // fill made are forgotten unless `keepCalls`.
  int Fill(std::initializer_list<int> dicts, const std::u16string& word, bool keepCalls = false) {
    for (int d : dicts) EXPECT_GT(SearchDict(*session, d, word), 0) << d;
    int n = list->FillFromHits(0);
    QCoreApplication::processEvents();
    if (!keepCalls) frame.ClearCalls();
    return n;
  }

  static QWidget* Focused() { return QApplication::focusWidget(); }

  // A key pressed and released as the keyboard delivers them.
  void Tap(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(Focused(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(Focused(), &release);
  }

  std::unique_ptr<HitListBook> m_book;
  std::unique_ptr<CDictSession> session;
  CFocusFrame frame;
  std::unique_ptr<QWidget> window;
  QLineEdit* searchBox = nullptr;
  CLeftView* list = nullptr;
  QWidget* content = nullptr;
};

using Calls = std::vector<std::string>;

#endif  // TOMELING_TESTS_VIEWS_LEFT_VIEW_FIXTURE_H_
