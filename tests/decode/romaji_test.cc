#include "decode/romaji.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/iconv_oracle.h"

namespace {

struct Result {
  int ok;
  std::string kana;  // UTF-8, for readable expectations
};

Result Convert(const char* word, size_t capacity = kRomajiKanaCapacity) {
  std::string out(capacity + 8, '\x55');  // bytes past the capacity must stay
  int ok = RomajiToKana(word, out.data(), capacity);
  for (size_t i = capacity; i < out.size(); ++i) {
    EXPECT_EQ(out[i], '\x55') << "wrote past the capacity for " << word;
  }
  if (capacity == 0) return {ok, ""};
  CIconvOracle cp932("UTF-8", "CP932");
  auto utf8 = cp932.Convert(out.c_str());
  EXPECT_TRUE(utf8.has_value()) << word;
  return {ok, utf8.value_or("")};
}

void ExpectKana(const char* word, const char* kana) {
  Result r = Convert(word);
  EXPECT_EQ(r.ok, 1) << word;
  EXPECT_EQ(r.kana, kana) << word;
}

TEST(RomajiTest, ConvertsWordsWithDoubledConsonantsAndSyllabicN) {
  ExpectKana("kanji", "かんじ");
  ExpectKana("gakkou", "がっこう");
  ExpectKana("shinbun", "しんぶん");
  ExpectKana("kon'ya", "こんや");
  ExpectKana("honn", "ほん");
  ExpectKana("KaNjI", "かんじ");
  ExpectKana("n", "ん");
  ExpectKana("nyuuryoku", "にゅうりょく");  // N before Y is not ん
  ExpectKana("sanpo", "さんぽ");
  ExpectKana("kkka", "っっか");
  ExpectKana("kitte", "きって");
  ExpectKana("", "");
}

TEST(RomajiTest, TableRowsThatDifferFromTheObviousReading) {
  ExpectKana("la", "ら");     // L stands for R
  ExpectKana("vu", "ヴ");     // the V row is katakana
  ExpectKana("ve", "ヴェ");
  ExpectKana("wi", "うぃ");
  ExpectKana("wo", "を");
  ExpectKana("syi", "し");
  ExpectKana("xka", "ヵ");
  ExpectKana("xca", "ヵ");
  ExpectKana("xke", "ヶ");
  ExpectKana("xtu", "っ");
  ExpectKana("qwa", "くゎ");
  ExpectKana("dhu", "でゅ");
  ExpectKana("ye", "いぇ");
  ExpectKana("ra-men", "らーめん");
}

TEST(RomajiTest, FailsOnWordsTheTableCannotTake) {
  for (const char* word : {"ci", "ce", "kx", "kak", "ky", "'", "x"}) {
    EXPECT_EQ(Convert(word).ok, 0) << word;
  }
  // Any byte of 0x80 or above: kana, kanji, or half a character.
  EXPECT_EQ(Convert("ka\x82\xA0").ok, 0);
  EXPECT_EQ(Convert("\x8A\xBF").ok, 0);
  EXPECT_EQ(Convert("ka\xFF").ok, 0);
  // Letters that never match pile up; the pile is bounded.
  std::string pile = "k" + std::string(200, 'x');
  EXPECT_EQ(Convert(pile.c_str()).ok, 0);
}

TEST(RomajiTest, StaysWithinTheCapacity) {
  // 31 vowels are 62 bytes of kana and a NUL; 32 do not fit in 64.
  std::string a31(31, 'a'), a32(32, 'a');
  EXPECT_EQ(Convert(a31.c_str()).ok, 1);
  EXPECT_EQ(Convert(a32.c_str()).ok, 0);
  EXPECT_EQ(Convert("a", 3).ok, 1);
  EXPECT_EQ(Convert("a", 2).ok, 0);
  EXPECT_EQ(Convert("a", 2).kana, "");
  EXPECT_EQ(Convert("kya", 4).ok, 0);  // きゃ needs 5 bytes
  // The final "N" needs 3 bytes of room.
  Result r = Convert("an", 4);
  EXPECT_EQ(r.ok, 0);
  EXPECT_EQ(r.kana, "あ");
  r = Convert("an", 5);
  EXPECT_EQ(r.ok, 1);
  EXPECT_EQ(r.kana, "あん");
  EXPECT_EQ(Convert("a", 0).ok, 0);
}

}  // namespace
