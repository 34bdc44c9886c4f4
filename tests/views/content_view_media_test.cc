// What taps on the objects of an entry do: a monochrome figure 1024 pixels
// wide opens in the figure window, a sound goes to the player built from
// the book (and stops the one before), a second movie ends the first
// player, and an address other than a web or mail one is refused.
#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <QUrl>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "content_view_fixture.h"
#include "decode/bitmap_image.h"
#include "views/qt_movie_player.h"
#include "views/qt_sound_player.h"

namespace {

// The middle of the caption of the n-th media record, in window coordinates.
QPoint MediaTap(const AttrRecord& record, int fontSize, QPoint scroll) {
  return QPoint((record.x0 + record.x1) / 2, record.y0 + fontSize / 2) - scroll;
}

TEST_F(ContentViewTest, WideMonochromeFigureOpensInTheFigureWindow) {
  int calls = 0, width = 0, height = 0, bits = 0;
  bool stretch = false;
  uint32_t left = 0, right = 0;
  m_view->SetFigureOpener([&](const CBitmapImage& image, int w, int h, bool s) {
    ++calls;
    width = w, height = h, stretch = s, bits = image.BitsPerPixel();
    left = image.PixelRgb(3, 3);
    right = image.PixelRgb(kFigureWidth - 3, 3);
  });
  m_session->Settings().bStretchImg = true;
  ASSERT_TRUE(Show(kCat));
  const AttrRecord* figure = nullptr;
  for (int n = 0; const AttrRecord* r = Record(ATTR_MEDIA, n); ++n) {
    if (m_view->Model().TextFrom(r->start).substr(0, 5) == u"<FIG>") figure = r;
  }
  ASSERT_NE(figure, nullptr);
  Tap(MediaTap(*figure, FontSize(), m_view->ScrollPosition()));
  ASSERT_EQ(calls, 1);
  EXPECT_EQ(width, kFigureWidth);
  EXPECT_EQ(height, kFigureHeight);
  EXPECT_EQ(bits, 1);
  EXPECT_TRUE(stretch);
  EXPECT_EQ(left, 0x000000u) << "the left half is ink";
  EXPECT_EQ(right, 0xFFFFFFu);
  EXPECT_TRUE(Showing(kCat)) << "a figure leaves the entry in place";
}

TEST_F(ContentViewTest, SoundIsBuiltFromTheBookAndReplacesTheLastOne) {
  auto recorder = std::make_unique<CRecordingSoundPlayer>();
  CRecordingSoundPlayer* sound = recorder.get();
  m_view->SetSoundPlayer(std::move(recorder));
  ASSERT_TRUE(Show(kCat));
  const AttrRecord* record = nullptr;
  for (int n = 0; const AttrRecord* r = Record(ATTR_MEDIA, n); ++n) {
    if (m_view->Model().TextFrom(r->start).substr(0, 5) == u"<WAV>") record = r;
  }
  ASSERT_NE(record, nullptr);
  const QPoint tap = MediaTap(*record, FontSize(), m_view->ScrollPosition());
  Tap(tap);
  Tap(tap);
  EXPECT_EQ(sound->calls, (std::vector<std::string>{"stop", "play 2044", "stop", "play 2044"}));
  WaveImage wave;
  ASSERT_TRUE(ParseWaveImage(sound->last.data(), sound->last.size(), &wave));
  EXPECT_EQ(wave.sampleRate, 11025);
  EXPECT_EQ(wave.channels, 1);
  EXPECT_EQ(wave.bitsPerSample, 16);
  EXPECT_EQ(wave.dataSize, 2000u);
  m_view->StopSound();
  EXPECT_EQ(sound->calls.back(), "stop");
}

TEST_F(ContentViewTest, SecondMovieEndsTheFirstPlayer) {
  const std::string script = m_dir.Write("player.sh", std::string("#!/bin/sh\nexec sleep 30\n"));
  ASSERT_EQ(chmod(script.c_str(), 0755), 0);
  m_session->Settings().mpegPlayerPath = script;
  auto player = std::make_unique<CQtMoviePlayer>();
  CQtMoviePlayer* movies = player.get();
  movies->SetCopyPath(m_dir.File("cache/MOVIE.mpg"));
  m_view->SetMoviePlayer(std::move(player));
  ASSERT_TRUE(Show(kCat));
  std::vector<QPoint> taps;
  for (int n = 0; const AttrRecord* r = Record(ATTR_MEDIA, n); ++n) {
    if (m_view->Model().TextFrom(r->start).substr(0, 5) == u"<MOV>") {
      taps.push_back(MediaTap(*r, FontSize(), m_view->ScrollPosition()));
    }
  }
  ASSERT_EQ(taps.size(), 2u);

  Tap(taps[0]);
  ASSERT_NE(movies->Process(), nullptr);
  const qint64 first = movies->Process()->processId();
  ASSERT_GT(first, 0);
  Tap(taps[1]);
  ASSERT_NE(movies->Process(), nullptr);
  EXPECT_NE(movies->Process()->processId(), first);
  errno = 0;
  EXPECT_EQ(kill(static_cast<pid_t>(first), 0), -1) << "the first player is gone, and reaped";
  EXPECT_EQ(errno, ESRCH);
  std::ifstream copy(movies->CopyPath());
  std::stringstream bytes;
  bytes << copy.rdbuf();
  EXPECT_EQ(bytes.str(), "movie two");
  movies->Stop();
  EXPECT_EQ(movies->Process(), nullptr);

  m_session->Settings().mpegPlayerPath.clear();  // no player: nothing starts
  Tap(taps[0]);
  EXPECT_EQ(movies->Process(), nullptr);
}

TEST_F(ContentViewTest, OnlyWebAndMailAddressesGoToTheDesktop) {
  std::vector<QUrl> opened;
  m_view->SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  ASSERT_TRUE(m_view->ShowText(u"<URL>file:///etc/passwd</URL>\r\n<URL>https://example.org/a?b=c</URL>\r\n"));
  ASSERT_NE(Record(ATTR_URL, 1), nullptr);
  const AttrRecord local = *Record(ATTR_URL, 0), web = *Record(ATTR_URL, 1);
  m_frame.ClearCalls();
  Tap(MediaTap(local, FontSize(), m_view->ScrollPosition()));
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(m_frame.Calls(), (std::vector<std::string>{"SetStatusText(このアドレスは開けません: file:///etc/passwd)"}));
  Tap(MediaTap(web, FontSize(), m_view->ScrollPosition()));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.org/a?b=c")));
}

TEST_F(ContentViewTest, SoundPlayerWithoutADeviceStaysQuiet) {
  CQtSoundPlayer player;
  player.PlayWave({'R', 'I', 'F', 'F'});
  EXPECT_FALSE(player.IsPlaying());
  player.PlayWave(ChimeWave());  // plays where there is a device, else nothing
  player.PlayWave(ChimeWave());
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
  player.Stop();
}

}  // namespace
