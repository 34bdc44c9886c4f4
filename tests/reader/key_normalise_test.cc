// Key folding by index style, the gaiji form of typed keys, and key
// comparison in the descent and the leaf scan.
#include "reader/key_normalise.h"

#include <gtest/gtest.h>

#include "reader/reader_test_util.h"

namespace {

// Normalised key of a UTF-8 word, back in UTF-8 for readable failures.
std::string Fold(const std::string& utf8, uint32_t style) { return Utf8(NormaliseKey(Sjis(utf8), style)); }

TEST(KeyNormalise, KatakanaFoldsToHiraganaUnlessTheStyleKeepsIt) {
  EXPECT_EQ(Fold("カタカナ", 0), "かたかな");
  EXPECT_EQ(NormaliseKey(Sjis("ひらがな"), 0), NormaliseKey(Sjis("ヒラガナ"), 0));
  // S0 bits 6-7 keep katakana apart.
  EXPECT_NE(NormaliseKey(Sjis("ひらがな"), 0xC00000), NormaliseKey(Sjis("ヒラガナ"), 0xC00000));
  // The voiced-mark table is of hiragana: kept katakana keep their marks.
  EXPECT_EQ(Fold("ヒラガナ", 0xC00000), "ヒラガナ");
  // The two small katakana without hiragana forms, and ヴ which has none.
  EXPECT_EQ(Fold("ヵヶ", 0xFFFF), "かけ");
  EXPECT_EQ(Fold("ヴ", 0xFFFF), "ヴ");
  EXPECT_EQ(Fold("ヴ", 0), "う");
}

TEST(KeyNormalise, LongVowelBecomesTheVowelIsDroppedOrKept) {
  EXPECT_EQ(Fold("コーヒー", 0), "こおひい");
  EXPECT_EQ(Fold("コーヒー", 0x020000), "こひ");
  EXPECT_EQ(Fold("コーヒー", 0x010000), "こーひー");
  EXPECT_EQ(Fold("コーヒー", 0x030000), "こーひー");
  // Each row gives its own vowel; a doubled mark repeats it.
  EXPECT_EQ(Fold("かーきーくーけーこーこーー", 0), "かあきいくうけえこおこおお");
  // After a character with no vowel the mark stays.
  EXPECT_EQ(Fold("んー", 0), "んー");
  EXPECT_EQ(Fold("ー", 0), "ー");
  // The vowel is taken after folding: ぴ is ひ by then.
  EXPECT_EQ(Fold("ピー", 0), "ひい");
  // With voiced marks kept, が has no known vowel.
  EXPECT_EQ(Fold("ガー", 0x000300), "がー");
}

TEST(KeyNormalise, SmallKanaVoicedMarksAndSokuonFoldByTheirBits) {
  EXPECT_EQ(Fold("きゃっぷ", 0), "きやつふ");
  EXPECT_EQ(Fold("ぁぃぅぇぉ", 0), "あいうえお");
  EXPECT_EQ(Fold("がぎぐげござじずぜぞだぢづでどばびぶべぼ", 0), "かきくけこさしすせそたちつてとはひふへほ");
  EXPECT_EQ(Fold("ぱぴぷぺぽ", 0), "はひふへほ");
  EXPECT_EQ(Fold("ゎ", 0), "わ");
  // Each group kept on its own bits.
  EXPECT_EQ(Fold("っ", 0xC000), "っ");
  EXPECT_EQ(Fold("ゃ", 0x3000), "ゃ");
  EXPECT_EQ(Fold("ぁ", 0xC00), "ぁ");
  EXPECT_EQ(Fold("が", 0x300), "が");
  EXPECT_EQ(Fold("ぱ", 0xC0), "ぱ");
  EXPECT_EQ(Fold("きゃっぷ", 0xFFFF), "きゃっぷ");
  // Katakana kept: the katakana rows of the tables apply.
  EXPECT_EQ(Fold("ッャァ", 0xC00000), "ツヤア");
}

TEST(KeyNormalise, MarksLettersAndControlBytes) {
  EXPECT_EQ(Fold("ロックン’ロール・バンド‐－", 0x020000), "ろつくんろるはんと");
  EXPECT_EQ(Fold("ア・イ", 0x0C0000), "あ・い");
  // The marks do not break the vowel memory.
  EXPECT_EQ(Fold("カ・ー", 0), "かあ");
  // Letters are upper-cased and widened unless 0x300000 keeps the case.
  EXPECT_EQ(Fold("abc1", 0), "ＡＢＣ１");
  // A typed hyphen widens to － and goes with the marks.
  EXPECT_EQ(Fold("a-b", 0), "ＡＢ");
  EXPECT_EQ(Fold("a-b", 0x0C0000), "Ａ－Ｂ");
  EXPECT_EQ(Fold("abc", 0x300000), "ａｂｃ");
  // Full-width letters fold the same way.
  EXPECT_EQ(Fold("ａｂｃ", 0), "ＡＢＣ");
  EXPECT_EQ(Fold("ａｂｃ", 0x300000), "ａｂｃ");
  std::string withControl = NormaliseKey(std::string("a\x01" "b", 3), 0);
  EXPECT_EQ(withControl, Sjis("Ａ") + "\x01" + Sjis("Ｂ"));
  // Characters from 0xEB40 up are dropped.
  EXPECT_EQ(NormaliseKey("\xEB\x40\xF0\x40\x82\xA0", 0), Sjis("あ"));
  // A lead byte at the end is no character.
  EXPECT_EQ(NormaliseKey("\x82\xA0\x82", 0), Sjis("あ"));
}

TEST(KeyNormalise, JisConversionAndTypedGaiji) {
  EXPECT_EQ(KeyToJis(NormaliseKey(Sjis("かな"), 0)), JisOf("かな"));
  // ＆Ｈxxxx； names an external character; Ｇ clears the top bit.
  EXPECT_EQ(KeyToJis(NormaliseKey("&HA121;", 0)), std::string("\xA1\x21"));
  EXPECT_EQ(KeyToJis(NormaliseKey("&gb0a1;", 0)), std::string("\x30\xA1"));
  EXPECT_EQ(KeyToJis(NormaliseKey("x&ZA12;", 0)), JisOf("Ｘ＆ＺＡ１２；"));  // too short: plain text
  EXPECT_EQ(ReverseJis(JisOf("あいう")), JisOf("ういあ"));
  EXPECT_EQ(ReverseSjis(Sjis("aあb")), Sjis("bあa"));
}

TEST(KeyNormalise, KanaClassAndCharacterCounts) {
  EXPECT_TRUE(IsAllKana(Sjis("こーひー・カップ")));
  EXPECT_FALSE(IsAllKana(Sjis("珈琲カップ")));
  EXPECT_FALSE(IsAllKana(Sjis("cup")));
  EXPECT_FALSE(IsAllKana(Sjis("ー・")));
  EXPECT_EQ(SjisLength(Sjis("aあb")), 3u);
  EXPECT_EQ(SjisPrefix(Sjis("aあb"), 2), Sjis("aあ"));
  // Single-byte books: full-width letters become ASCII; 表's trail byte is '\'.
  EXPECT_EQ(SingleByteKey(Sjis("aｂ表cＤ")), Sjis("AB表CD"));
}

TEST(KeyCompare, PrefixExactAndDescent) {
  EXPECT_EQ(CompareKey("ab", "abc", KeyCompare::kPrefix), 0);
  EXPECT_LT(CompareKey("ab", "abc", KeyCompare::kExact), 0);
  EXPECT_EQ(CompareKey("abc", "abc", KeyCompare::kExact), 0);
  EXPECT_GT(CompareKey("abcd", "abc", KeyCompare::kPrefix), 0);
  EXPECT_EQ(CompareKey("abcd", "abc", KeyCompare::kDescent), 0);
  EXPECT_LT(CompareKey("abb", "abc", KeyCompare::kDescent), 0);
  // Bytes compare unsigned: a gaiji code sorts after JIS.
  EXPECT_GT(CompareKey("\xA1\x21", "\x30\x21", KeyCompare::kExact), 0);
}

}  // namespace
