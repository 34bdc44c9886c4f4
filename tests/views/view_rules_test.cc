// The small rules behind the content view: character classes for word
// selection, which addresses may leave for the desktop, and reading the
// wave images the engine builds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "views/qt_sound_player.h"
#include "views/url_policy.h"
#include "views/word_class.h"

namespace {

std::u16string Word(std::u16string_view text, int index) {
  int from = 0, to = 0;
  WordAround(text, index, &from, &to);
  return std::u16string(text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
}

TEST(WordClassTest, RunsStopWhereTheClassChanges) {
  const std::u16string text = u"ひらがなカタカナー漢字 Café_2 、。—";
  EXPECT_EQ(Word(text, 1), u"ひらがな");
  EXPECT_EQ(Word(text, 4), u"カタカナー") << "the long-vowel mark is katakana";
  EXPECT_EQ(Word(text, 9), u"漢字");
  EXPECT_EQ(Word(text, 13), u"Café_2");
  EXPECT_EQ(Word(text, 11), u" ");
  EXPECT_EQ(Word(text, 19), u"、。");
  EXPECT_EQ(CharClass(u'—'), kClassPunctuation);
  EXPECT_EQ(CharClass(u'<'), kClassLatinOther);
  EXPECT_EQ(CharClass(u'\u0100'), kClassWord);
  EXPECT_EQ(CharClass(u'\u0400'), kClassOther);
  EXPECT_EQ(Word(text, 99), u"");
  EXPECT_TRUE(IsSearchableClass(CharClass(u'ね')));
  EXPECT_FALSE(IsSearchableClass(CharClass(u'。')));
}

TEST(UrlPolicyTest, OnlyWebFtpAndMailAddressesAreOpened) {
  for (const char* ok : {"http://example.org/", "https://example.org/a?b=c#d", "HTTPS://EXAMPLE.ORG",
                         "ftp://ftp.example.org/pub", "mailto:someone@example.org", " http://example.org "}) {
    EXPECT_TRUE(OpenableUrl(QString::fromUtf8(ok)).isValid()) << ok;
  }
  for (const char* refused : {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm", "example.org",
                              "x-scheme-handler://run", "vscode://file/x", "http:///nohost", "mailto:",
                              "smb://server/share", "data:text/html,<b>", "", "http://exa mple.org"}) {
    EXPECT_FALSE(OpenableUrl(QString::fromUtf8(refused)).isValid()) << refused;
  }
}

TEST(UrlPolicyTest, AddressIsTheTextAfterTheTagUpToTheNextTag) {
  EXPECT_EQ(UrlTagAddress(u"<URL>http://a.example/</URL>rest"), QStringLiteral("http://a.example/"));
  EXPECT_EQ(UrlTagAddress(u"<URL>no end"), QStringLiteral("no end"));
  std::u16string longer = u"<URL>" + std::u16string(400, u'a');
  EXPECT_EQ(UrlTagAddress(longer).size(), kMaxUrlLength);
  EXPECT_EQ(UrlTagAddress(u"<URL"), QString());
}

std::vector<uint8_t> Wave(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& chunks) {
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const auto& [id, body] : chunks) {
    w.insert(w.end(), id.begin(), id.end());
    uint32_t n = static_cast<uint32_t>(body.size());
    for (int i = 0; i < 4; ++i) w.push_back(static_cast<uint8_t>(n >> (8 * i)));
    w.insert(w.end(), body.begin(), body.end());
    if (n & 1) w.push_back(0);
  }
  return w;
}

std::vector<uint8_t> Format(int tag, int channels, int rate, int bits) {
  int align = channels * bits / 8;
  std::vector<uint8_t> f(16);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, static_cast<uint32_t>(tag), 2);
  put(2, static_cast<uint32_t>(channels), 2);
  put(4, static_cast<uint32_t>(rate), 4);
  put(8, static_cast<uint32_t>(rate * align), 4);
  put(12, static_cast<uint32_t>(align), 2);
  put(14, static_cast<uint32_t>(bits), 2);
  return f;
}

TEST(WaveImageTest, FindsTheSamplesBehindAnyChunks) {
  std::vector<uint8_t> samples(11, 0x55);
  std::vector<uint8_t> w = Wave({{"LIST", {1, 2, 3}}, {"fmt ", Format(1, 2, 22050, 16)}, {"data", samples}});
  WaveImage wave;
  ASSERT_TRUE(ParseWaveImage(w.data(), w.size(), &wave));
  EXPECT_EQ(wave.channels, 2);
  EXPECT_EQ(wave.sampleRate, 22050);
  EXPECT_EQ(wave.dataOffset, w.size() - 12) << "after the odd chunk's pad byte";
  EXPECT_EQ(wave.dataSize, 8u) << "whole frames of four bytes only";

  // A data chunk claiming more than the image holds plays what is there.
  std::vector<uint8_t> cut = Wave({{"fmt ", Format(1, 1, 11025, 8)}, {"data", {1, 2, 3, 4}}});
  cut[cut.size() - 8] = 0xFF;
  ASSERT_TRUE(ParseWaveImage(cut.data(), cut.size(), &wave));
  EXPECT_EQ(wave.dataSize, 4u);
}

TEST(WaveImageTest, RefusesWhatASinkCannotPlay) {
  WaveImage wave;
  std::vector<uint8_t> adpcm = Wave({{"fmt ", Format(2, 1, 11025, 4)}, {"data", {1, 2}}});
  EXPECT_FALSE(ParseWaveImage(adpcm.data(), adpcm.size(), &wave));
  std::vector<uint8_t> noFormat = Wave({{"data", {1, 2}}});
  EXPECT_FALSE(ParseWaveImage(noFormat.data(), noFormat.size(), &wave));
  std::vector<uint8_t> badAlign = Wave({{"fmt ", Format(1, 2, 11025, 16)}, {"data", {1, 2}}});
  badAlign[12 + 8 + 12] = 3;
  EXPECT_FALSE(ParseWaveImage(badAlign.data(), badAlign.size(), &wave));
  std::vector<uint8_t> huge = Wave({{"fmt ", Format(1, 1, 11025, 16)}, {"JUNK", {1}}});
  huge[huge.size() - 5] = 0xFF;  // a chunk running past the end
  EXPECT_FALSE(ParseWaveImage(huge.data(), huge.size(), &wave));
  EXPECT_FALSE(ParseWaveImage(nullptr, 0, &wave));
  const uint8_t text[] = "RIFF....AVI LIST";
  EXPECT_FALSE(ParseWaveImage(text, sizeof text, &wave));
  std::vector<uint8_t> floats = Wave({{"fmt ", Format(3, 1, 48000, 32)}, {"data", std::vector<uint8_t>(8)}});
  ASSERT_TRUE(ParseWaveImage(floats.data(), floats.size(), &wave));
  EXPECT_EQ(wave.formatTag, 3);
}

}  // namespace
