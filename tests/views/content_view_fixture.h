// The content view over a book written for its tests: a small EPWING
// dictionary whose entries hold a link long enough to wrap over three
// lines, hiragana running into katakana, a full-width gaiji, a sound, two
// movies, a monochrome figure 1024 pixels wide and an entry that runs over
// several pages. The view is shown on the offscreen platform with a
// recording frame.
#ifndef TOMELING_TESTS_VIEWS_CONTENT_VIEW_FIXTURE_H_
#define TOMELING_TESTS_VIEWS_CONTENT_VIEW_FIXTURE_H_

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_source.h"
#include "bookwriter/book_writer.h"
#include "common/recording_frame.h"
#include "common/temp_dir.h"
#include "decode/sound_player.h"
#include "layout/line_mgr.h"
#include "common/book_session.h"
#include "shell/dict_session.h"
#include "views/folian_view.h"
#include "widget_test_util.h"

// Entries of the book, in order.
enum ViewEntry { kFirst = 0, kCat, kDog, kLong, kEntryCount };

inline constexpr int kFigureWidth = 1024, kFigureHeight = 8;

// The long link's caption: 44 ideographs and kana, three lines at the
// test's width.
inline const char* const kLongLink = "とても長い参照の文字列がここから始まり三つの行にまたがって続いて最後にやっと終わる所";

inline std::string ViewBookSource() {
  std::string s =
      "book epwing\n"
      "subbook VIEW 表示試験\n"
      "  index 91 headings\n"
      "  image wide mono wide.pbm\n"
      "  sound chime pcm chime.wav\n"
      "  movie one one.mpg\n"
      "  movie two two.mpg\n"
      "  font wide 16 16 A121\n"
      "    glyph " + std::string(64, 'F') + "\n"
      "  entry 始め\n"
      "    body 最初の項目。\n"
      "  entry 猫\n"
      "    body ひらがなカタカナ漢字。\n"
      "    body 前置きの文{link 犬}" + std::string(kLongLink) + "{/link}後ろの文\n"
      "    body {fig wide}広い図{/fig}\n"
      "    body {sound chime}音{/sound}　{movie one}一{/movie}　{movie two}二{/movie}\n"
      "    body 記号{gaiji A121}の後\n"
      "  entry 犬\n"
      "    body 犬の項目。\n"
      "  entry 長文\n";
  for (int i = 0; i < 120; ++i) s += "    body 長い項目の" + std::to_string(i) + "行目、ページをまたいで続く本文の行。\n";
  return s;
}

// A 1024 x 8 bitmap whose left half is ink.
inline std::string WideFigurePbm() {
  std::string pbm = "P4\n" + std::to_string(kFigureWidth) + " " + std::to_string(kFigureHeight) + "\n";
  for (int y = 0; y < kFigureHeight; ++y) {
    pbm += std::string(kFigureWidth / 16, '\xFF');
    pbm += std::string(kFigureWidth / 16, '\0');
  }
  return pbm;
}

// A short 16-bit mono wave at 11,025 Hz.
inline std::vector<uint8_t> ChimeWave() {
  const uint32_t data = 2000;
  std::vector<uint8_t> w(44 + data);
  size_t at = 0;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) w[at++] = static_cast<uint8_t>(v >> (8 * i));
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) w[at++] = static_cast<uint8_t>(t[i]);
  };
  tag("RIFF");
  put(36 + data, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(11025, 4);
  put(22050, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(data, 4);
  for (uint32_t i = 0; i < data; ++i) w[at++] = static_cast<uint8_t>(i * 7);
  return w;
}

// A sound player that records what it is handed.
class CRecordingSoundPlayer : public CSoundPlayer {
 public:
  void PlayWave(std::vector<uint8_t> wave) override {
    calls.push_back("play " + std::to_string(wave.size()));
    last = std::move(wave);
  }
  void Stop() override { calls.push_back("stop"); }
  std::vector<std::string> calls;
  std::vector<uint8_t> last;
};

class ContentViewTest : public ::testing::Test {
 protected:
  static constexpr int kViewWidth = 240, kViewHeight = 200;

  void SetUp() override {
    EnsureApplication();
    m_dir.Write("src/wide.pbm", WideFigurePbm());
    m_dir.Write("src/chime.wav", ChimeWave());
    m_dir.Write("src/one.mpg", std::string("movie one"));
    m_dir.Write("src/two.mpg", std::string("movie two"));
    BookSource book;
    WriteOptions options;
    std::string error;
    ASSERT_TRUE(ParseBookSource(ViewBookSource(), &book, &options, &error, m_dir.File("src"))) << error;
    ASSERT_TRUE(WriteBook(book, m_dir.File("book"), options, &m_written, &error)) << error;
    PatchBook();
    m_session = OpenBookSession(m_dir, m_written.catalogPath);
    ASSERT_NE(m_session, nullptr);
    m_session->Settings().fontSize = 13;
    m_view = std::make_unique<CFolianView>(*m_session);
    m_view->SetFrame(&m_frame);
    m_view->Model().ApplyFonts();
    m_view->resize(kViewWidth + m_view->verticalScrollBar()->sizeHint().width() + 2 * m_view->frameWidth(),
                   kViewHeight + 2 * m_view->frameWidth());
    ShowAndSettle(m_view.get());
  }

  // Changes the written book before it is opened.
  virtual void PatchBook() {}

  BookPos Pos(ViewEntry entry) const { return m_written.subbooks[0].text[static_cast<size_t>(entry)]; }
  bool Show(ViewEntry entry, bool push = true) {
    BookPos p = Pos(entry);
    return m_view->ShowEntry(0, p.page, p.offset, push, 0);
  }
  bool Showing(ViewEntry entry) const {
    BookPos p = Pos(entry);
    return m_view->Model().Page() == p.page && m_view->Model().Offset() == p.offset;
  }
  QWidget* Viewport() const { return m_view->viewport(); }
  QPoint Window(QPoint page) const { return page - m_view->ScrollPosition(); }
  void Tap(QPoint window, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(Viewport(), Qt::LeftButton, modifiers, window);
  }
  // The n-th record with any of `flags`.
  const AttrRecord* Record(uint16_t flags, int n = 0) const {
    const CLineMgr& mgr = m_view->Model().LineMgr();
    for (int i = 0; i < mgr.GetAttrCount(); ++i) {
      if ((mgr.GetAttrTable()[i].flags & flags) && n-- == 0) return &mgr.GetAttrTable()[i];
    }
    return nullptr;
  }
  // Index of `text` in the shown markup, or -1.
  int IndexOf(const std::u16string& text) const {
    size_t at = m_view->Model().Markup().find(text);
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
  }
  int FontSize() const { return m_view->Model().LineMgr().GetFontSize(); }

  CTempDir m_dir;
  WrittenBook m_written;
  std::unique_ptr<CDictSession> m_session;
  CRecordingFrame m_frame;
  std::unique_ptr<CFolianView> m_view;
};

#endif  // TOMELING_TESTS_VIEWS_CONTENT_VIEW_FIXTURE_H_
