// Movies: the name in the MOV tag, the copy handed to the player, the
// player's one argument, and the old player ended before a new one starts.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "decode/media_tags.h"
#include "decode/movie_player.h"
#include "decode/spawn_movie_player.h"
#include "media_book_fixture.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(MovieTag, NamesArePlainFileNames) {
  std::string name;
  EXPECT_TRUE(FindMovieTag(std::string("<MOV>\x81\xA8</MOV[CLIP_01 ]>"), &name));
  EXPECT_EQ(name, "CLIP_01");
  EXPECT_TRUE(FindMovieTag(u"</MOV[ABCDEFGH]>", &name));
  EXPECT_EQ(name, "ABCDEFGH");
  for (const char16_t* bad : {u"</MOV[../x    ]>", u"</MOV[a/b     ]>", u"</MOV[..      ]>", u"</MOV[        ]>",
                              u"</MOV[AB CD   ]>", u"</MOV[ABC.MPG ]>", u"</MOV[ABC]>", u"</MOV[ABCDEFGHI]>"}) {
    EXPECT_FALSE(FindMovieTag(bad, &name));
    EXPECT_EQ(name, "");
  }
}

TEST(MoviePlayer, CopiesTheMovieAndEndsTheOldPlayer) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  CTempDir scratch;
  std::string report = scratch.File("report");
  // The first player reports its arguments and ends; the second stays until
  // it is ended.
  std::string script = scratch.Write("player.sh", "#!/bin/sh\necho \"$# $1\" >> " + report + "\n");
  std::string lasting = scratch.Write("lasting.sh", "#!/bin/sh\nexec sleep 60\n");
  chmod(script.c_str(), 0755);
  chmod(lasting.c_str(), 0755);

  CSpawnMoviePlayer player;
  player.SetCopyPath(scratch.File("cache/tomeling/MOVIE.mpg"));
  std::string tag = book->From(1, "</MOV");
  // No player configured: nothing is copied or started.
  EXPECT_FALSE(PlayMovieTag(book->Book(), tag, player));
  EXPECT_FALSE(std::filesystem::exists(player.CopyPath()));

  player.SetProgram(script);
  ASSERT_TRUE(PlayMovieTag(book->Book(), tag, player));
  ASSERT_GT(player.Process(), 0);
  EXPECT_EQ(player.Wait(), 0);
  EXPECT_EQ(player.Process(), 0);
  EXPECT_EQ(ReadText(report), "1 " + player.CopyPath() + "\n");
  std::string copied = ReadText(player.CopyPath());
  EXPECT_EQ(copied, std::string(book->sample.movieBytes.begin(), book->sample.movieBytes.end()));
  struct stat st {};
  ASSERT_EQ(stat(player.CopyPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);

  player.SetProgram(lasting);
  ASSERT_TRUE(PlayMovieTag(book->Book(), tag, player));
  pid_t first = player.Process();
  ASSERT_GT(first, 0);
  // The name matches the file without regard to case.
  ASSERT_TRUE(PlayMovieTag(book->Book(), u"</MOV[clip_01 ]>", player));
  EXPECT_NE(player.Process(), first);
  EXPECT_EQ(kill(first, 0), -1);  // ended and reaped
  EXPECT_EQ(errno, ESRCH);

  // A movie the book lacks ends the old player and starts nothing.
  pid_t second = player.Process();
  EXPECT_FALSE(PlayMovieTag(book->Book(), u"</MOV[NOCLIP  ]>", player));
  EXPECT_EQ(player.Process(), 0);
  EXPECT_EQ(kill(second, 0), -1);

  // A program that cannot be started.
  player.SetProgram(scratch.File("no-such-player"));
  EXPECT_FALSE(PlayMovieTag(book->Book(), tag, player));
  EXPECT_EQ(player.Process(), 0);
}

TEST(MoviePlayer, CopyGoesToTheUserCache) {
  const char* savedCache = std::getenv("XDG_CACHE_HOME");
  std::string saved = savedCache != nullptr ? savedCache : "";
  setenv("XDG_CACHE_HOME", "/tmp/somewhere", 1);
  EXPECT_EQ(DefaultMovieCopyPath(), "/tmp/somewhere/tomeling/MOVIE.mpg");
  setenv("XDG_CACHE_HOME", "relative", 1);  // not absolute: ignored
  const char* home = std::getenv("HOME");
  EXPECT_EQ(DefaultMovieCopyPath(), std::string(home != nullptr ? home : ".") + "/.cache/tomeling/MOVIE.mpg");
  if (savedCache != nullptr) setenv("XDG_CACHE_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CACHE_HOME");
}

}  // namespace
