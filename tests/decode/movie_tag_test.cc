// PlayMovieTag through the player interface: the old player is stopped
// before anything else, and only a movie the book holds reaches Play.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/movie_player.h"
#include "media_book_fixture.h"

namespace {

class CRecordingMoviePlayer : public CMoviePlayer {
 public:
  bool Play(const std::string& moviePath) override {
    calls.push_back("play " + moviePath);
    return accept;
  }
  void Stop() override { calls.push_back("stop"); }

  std::vector<std::string> calls;
  bool accept = true;
};

TEST(MovieTag, StopsTheOldPlayerAndHandsOverTheBooksFile) {
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  CRecordingMoviePlayer player;
  std::string movie = FindMovieFile(book->Book(), "CLIP_01");
  ASSERT_FALSE(movie.empty());

  EXPECT_TRUE(PlayMovieTag(book->Book(), book->From(1, "</MOV"), player));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play " + movie}));

  // A movie the book lacks still ends the old player; a tag that names
  // no plain file touches nothing.
  player.calls.clear();
  EXPECT_FALSE(PlayMovieTag(book->Book(), u"</MOV[NOCLIP  ]>", player));
  EXPECT_FALSE(PlayMovieTag(book->Book(), u"</MOV[../x    ]>", player));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"stop"}));

  // The player's refusal is the result.
  player.accept = false;
  EXPECT_FALSE(PlayMovieTag(book->Book(), u"</MOV[clip_01 ]>", player));
}

}  // namespace
