// `tomeling extract` on sound and movie tags: the .wav file is the wave the
// engine builds (EB sounds at the --sampling rate), the movie a copy of its
// file. Skipped when the command is not built.
#include <gtest/gtest.h>

#include "decode/sound_player.h"
#include "extract_command_util.h"
#include "media_book_fixture.h"

namespace {

class CKeepingPlayer : public CSoundPlayer {
 public:
  void PlayWave(std::vector<uint8_t> w) override { wave = std::move(w); }
  void Stop() override {}
  std::vector<uint8_t> wave;
};

std::string TagOnly(std::string text) { return text.substr(0, text.find('>') + 1); }

TEST(SoundExtractCommand, WritesWavesAndMovies) {
  if (!TomelingBuilt()) GTEST_SKIP() << "tomeling not built";
  for (BookKind kind : {BookKind::kEpwing, BookKind::kEb}) {
    auto book = OpenMediaTestBook(kind);
    ASSERT_TRUE(book);
    std::string tag = TagOnly(book->From(1, "</WAV")), out = book->dir.File("out.wav");
    CKeepingPlayer player;
    CSubbookMedia media(*book->entry);
    media.SetXaSampling(22050);
    ASSERT_TRUE(PlaySoundTag(media.Book(), tag, player));
    ASSERT_EQ(RunExtract("--book " + Quoted(book->sample.dir) + " --sampling 22050 --tag " + Quoted(tag) + " --out " +
                         Quoted(out)),
              0)
        << tag;
    EXPECT_EQ(ReadBytes(out), player.wave) << tag;
  }
  auto book = OpenMediaTestBook(BookKind::kEpwing);
  ASSERT_TRUE(book);
  std::string out = book->dir.File("movie.mpg");
  ASSERT_EQ(RunExtract("--book " + Quoted(book->sample.dir) + " --tag " + Quoted(TagOnly(book->From(1, "</MOV"))) +
                       " --out " + Quoted(out)),
            0);
  EXPECT_EQ(ReadBytes(out), book->sample.movieBytes);
  EXPECT_EQ(RunExtract("--book " + Quoted(book->sample.dir) + " --tag '</MOV[../ETC  ]>' --out " + Quoted(out)), 1);
  EXPECT_EQ(RunExtract("--book " + Quoted(book->sample.dir) +
                       " --tag '</WAV[00000001:0000][00000002:0000](0:0:1:0:0)>' --out " + Quoted(out)),
            1);
}

}  // namespace
