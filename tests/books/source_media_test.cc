// Media declared in a book source (netpbm pictures, WAV sounds, a movie)
// and the tags that show them, read back through the engine: the markup of
// each tag as the decoder writes it, the image, wave or movie file behind
// it through the loaders the program uses, and the menu and copyright
// areas. Sources naming what is not there fail with the statement named.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "common/run_command.h"
#include "decode/movie_player.h"
#include "source_book.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// Little-endian fields of a RIFF header.
void Le(std::vector<uint8_t>* out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> Wav(int channels, int rate, int bits, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> w = Bytes("RIFF");
  Le(&w, static_cast<uint32_t>(36 + data.size()), 4);
  for (char c : std::string("WAVEfmt ")) w.push_back(static_cast<uint8_t>(c));
  Le(&w, 16, 4);
  Le(&w, 1, 2);
  Le(&w, static_cast<uint32_t>(channels), 2);
  Le(&w, static_cast<uint32_t>(rate), 4);
  Le(&w, static_cast<uint32_t>(rate * channels * bits / 8), 4);
  Le(&w, static_cast<uint32_t>(channels * bits / 8), 2);
  Le(&w, static_cast<uint32_t>(bits), 2);
  for (char c : std::string("data")) w.push_back(static_cast<uint8_t>(c));
  Le(&w, static_cast<uint32_t>(data.size()), 4);
  w.insert(w.end(), data.begin(), data.end());
  return w;
}

std::vector<int16_t> Tone(int count) {
  std::vector<int16_t> s;
  for (int i = 0; i < count; ++i) s.push_back(static_cast<int16_t>(std::lround(9000 * std::sin(i * 0.2))));
  return s;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  for (int16_t v : samples) Le(&out, static_cast<uint16_t>(v), 2);
  return out;
}

// A 5 by 3 bitmap (plain PBM) and a 4 by 3 colour picture (raw PPM).
const char kInk[] = "P1\n# ink\n5 3\n1 0 1 0 1\n0 1 0 1 0\n11111\n";
const uint8_t kPhoto[4 * 3 * 3] = {200, 30, 30,  200, 30, 30,  30, 200, 30,  30, 200, 30,
                                   200, 30, 30,  200, 30, 30,  30, 200, 30,  30, 200, 30,
                                   30, 30, 200,  30, 30, 200,  220, 220, 40, 220, 220, 40};

void WriteMediaFiles(const CTempDir& dir) {
  dir.Write("ink.pbm", kInk);
  std::vector<uint8_t> ppm = Bytes("P6 4 3 255\n");
  ppm.insert(ppm.end(), std::begin(kPhoto), std::end(kPhoto));
  dir.Write("pics/photo.ppm", ppm);
  dir.Write("bell.wav", Wav(1, 11025, 16, Pcm16(Tone(3000))));
  dir.Write("hum.wav", Wav(2, 22050, 8, std::vector<uint8_t>(1000, 0x90)));
  dir.Write("tone.wav", Wav(1, 18900, 16, Pcm16(Tone(5000))));
  dir.Write("clip.mpg", std::string("\0\0\1\xBAmovie", 9));
}

std::string FigEnd(const char* tag, BookPos at, int w, int h, int kind) {
  char s[40];
  std::snprintf(s, sizeof s, "</%s%s(%04d*%04d:%d)>", tag, PosText(at).c_str(), w, h, kind);
  return s;
}

bool IsInk(const CBitmapImage& image, int x, int y) { return image.PixelRgb(x, y) == 0x000000; }

void ExpectInk(const MediaBook& book, const std::string& markup) {
  ImageTag tag;
  CBitmapImage image;
  ASSERT_TRUE(FindImageTag(Sjis(markup), &tag));
  ASSERT_TRUE(LoadTagImage(book, tag, &image));
  const char* rows[] = {"10101", "01010", "11111"};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(IsInk(image, x, y), rows[y][x] == '1') << x << "," << y;
}

void ExpectPhoto(const MediaBook& book, const std::string& markup, int tolerance) {
  ImageTag tag;
  CBitmapImage image;
  ASSERT_TRUE(FindImageTag(Sjis(markup), &tag));
  ASSERT_TRUE(LoadTagImage(book, tag, &image));
  ASSERT_EQ(image.Width(), 4);
  ASSERT_EQ(image.Height(), 3);
  for (int i = 0; i < 12; ++i) {
    uint32_t rgb = image.PixelRgb(i % 4, i / 4);
    for (int c = 0; c < 3; ++c) {
      int got = static_cast<int>(rgb >> (16 - 8 * c) & 0xFF);
      EXPECT_NEAR(got, kPhoto[i * 3 + c], tolerance) << "pixel " << i << " channel " << c;
    }
  }
}

const char kEpwingSource[] = R"(book epwing
subbook MEDIA Media
  index 91 headings
  image ink mono ink.pbm
  image photo jpeg pics/photo.ppm
  image photoh jpeg data-be pics/photo.ppm
  image card bmp pics/photo.ppm
  sound bell pcm bell.wav
  sound hum wave hum.wav
  movie CLIP_01 clip.mpg
  menu {menu apple}Apple{/menu}
  copyright (c) {b}Someone{/b}
  entry apple
    body {fig ink}Ink{/fig}{cfig photo}{/cfig}{inline photoh}{fig card}Card{/fig}
    body {sound bell}Bell{/sound}{sound hum}Hum{/sound}{movie CLIP_01}Clip{/movie}
    body {map ink}Map{area 1 2 3 4 pear}{/map}
  entry pear
    body pear
)";

TEST(SourceMedia, EpwingObjectsDecodeAndLoad) {
  SourceBook book;
  WriteMediaFiles(book.dir);
  std::string error;
  ASSERT_TRUE(book.Write(kEpwingSource, &error)) << error;
  const auto* ink = book.Media("ink");
  const auto* photo = book.Media("photo");
  const auto* photoh = book.Media("photoh");
  const auto* card = book.Media("card");
  const auto* bell = book.Media("bell");
  const auto* hum = book.Media("hum");
  ASSERT_TRUE(ink && photo && photoh && card && bell && hum);
  std::string figs = "<FIG>Ｉｎｋ" + FigEnd("FIG", ink->start, 5, 3, 0) + "<FIG>→図" +
                     FigEnd("FIG", photo->start, 4, 3, 1) + "<INL>" + FigEnd("INL", photoh->start, 0, 0, 1) +
                     "<FIG>Ｃａｒｄ" + FigEnd("FIG", card->start, 4, 3, 1) + "\r\n";
  std::string sounds = "<WAV>Ｂｅｌｌ</WAV" + PosText(bell->start) + PosText(bell->end) + "(1:0:1:0:2)>" +
                       "<WAV>Ｈｕｍ</WAV" + PosText(hum->start) + PosText(hum->end) + "(1:1:0:1:1)>" +
                       "<MOV>→Ｃｌｉｐ</MOV[CLIP_01 ]>\r\n";
  std::string map = "<MAP><FIG>Ｍａｐ" + FigEnd("FIG", ink->start, 5, 3, 0) +
                    "<AREA COORDS=001,002,003,004 HREF=" + PosText(book.Text(1)) + "></MAP>\r\n</BODY>";
  std::string body = book.Body(0);
  ASSERT_EQ(body, figs + sounds + map);

  const MediaBook& media = book.media->Book();
  ExpectInk(media, body);
  ExpectPhoto(media, body.substr(body.find("→図")), 40);
  ExpectPhoto(media, body.substr(body.find("</INL")), 40);
  ExpectPhoto(media, body.substr(body.find("Ｃａｒｄ")), 0);

  WaveTag wave;
  ASSERT_TRUE(FindWaveTag(Sjis(body), &wave));
  std::vector<uint8_t> pcm = BuildTagWave(media, wave);
  std::vector<uint8_t> want = Pcm16(Tone(3000));
  ASSERT_EQ(pcm.size(), 44 + want.size());
  EXPECT_TRUE(std::equal(want.begin(), want.end(), pcm.begin() + 44));
  ASSERT_TRUE(FindWaveTag(Sjis(body.substr(body.find("Ｈｕｍ"))), &wave));
  std::vector<uint8_t> own = BuildTagWave(media, wave);
  ASSERT_EQ(own.size(), 12u + 24 + 8 + 1000);  // RIFF header, fmt and data chunks
  EXPECT_EQ(own[12 + 8 + 2], 2);               // channels
  EXPECT_EQ(own.back(), 0x90);

  std::string movie;
  ASSERT_TRUE(FindMovieTag(Sjis(body), &movie));
  EXPECT_EQ(ReadWholeFile(FindMovieFile(media, movie)), Bytes(std::string("\0\0\1\xBAmovie", 9)));
}

TEST(SourceMedia, MenuAndCopyrightAreasCarryMarkup) {
  SourceBook book;
  WriteMediaFiles(book.dir);
  std::string error;
  ASSERT_TRUE(book.Write(kEpwingSource, &error)) << error;
  EXPECT_EQ(book.Area(false), "<BODY><MENU>Ａｐｐｌｅ</MENU" + PosText(book.Text(0)) + ">\r\n</BODY>");
  EXPECT_EQ(book.Area(true), "<BODY>（ｃ）　<B>Ｓｏｍｅｏｎｅ</B>\r\n</BODY>");
  // And the command-line program shows them.
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  std::string out;
  ASSERT_EQ(RunCommand(kTomeling + " menu --book '" + book.dir.File("book") + "'", &out), 0);
  EXPECT_EQ(out, "Ａｐｐｌｅ\n");
  ASSERT_EQ(RunCommand(kTomeling + " copyright --book '" + book.dir.File("book") + "'", &out), 0);
  EXPECT_EQ(out, "（ｃ）　Ｓｏｍｅｏｎｅ\n");
}

const char kEbSource[] = R"(book eb
subbook MEDIA Media
  index 91 headings
  image ink mono ink.pbm
  image grey jpeg data pics/photo.ppm
  sound tone xa tone.wav
  movie CLIP_01 clip.mpg
  menu {link pear}Pear{/link}
  entry apple
    body {fig ink}Ink{/fig}{fig grey}Grey{/fig}{cfig grey}{/cfig}
    body {sound tone}Tone{/sound}
    body {map ink}Map{area 5 6 0 0 pear}{area 7 8 0 0 apple}{/map}{map grey}M{/map}
  entry pear
    body pear
)";

TEST(SourceMedia, EbObjectsDecodeAndLoad) {
  SourceBook book;
  WriteMediaFiles(book.dir);
  std::string error;
  ASSERT_TRUE(book.Write(kEbSource, &error)) << error;
  const auto* ink = book.Media("ink");
  const auto* grey = book.Media("grey");
  const auto* tone = book.Media("tone");
  ASSERT_TRUE(ink && grey && tone);
  char frames[60];
  std::snprintf(frames, sizeof frames, "</WAV[%08X:0000][%08X:0000](1:0:0:0:0)>", tone->firstFrame,
                tone->lastFrame);
  std::string body = book.Body(0);
  ASSERT_EQ(body, "<FIG>Ｉｎｋ" + FigEnd("FIG", ink->start, 5, 3, 0) + "<FIG>Ｇｒｅｙ" +
                      FigEnd("FIG", grey->start, 0, 0, 1) + "<FIG>→図" + FigEnd("FIG", grey->start, 4, 3, 1) +
                      "\r\n<WAV>Ｔｏｎｅ" + frames + "\r\n<FIG>Ｍａｐ" + FigEnd("FIG", ink->start, 5, 3, 0) +
                      "<AREA COORDS=005,006,000,000 HREF=" + PosText(book.Text(1)) + ">" +
                      "<AREA COORDS=007,008,000,000 HREF=" + PosText(book.Text(0)) + ">" + "<FIG>Ｍ" +
                      FigEnd("FIG", grey->start, 4, 3, 1) + "\r\n</BODY>");

  const MediaBook& media = book.media->Book();
  ExpectInk(media, body);
  ExpectPhoto(media, body.substr(body.find("Ｇｒｅｙ")), 40);
  WaveTag wave;
  ASSERT_TRUE(FindWaveTag(Sjis(body), &wave));
  std::vector<uint8_t> xa = BuildTagWave(media, wave);
  // 5000 samples fill two sectors of 4032.
  ASSERT_EQ(xa.size(), 44u + 2 * 8064);
  std::vector<int16_t> want = Tone(5000);
  double dot = 0, norm = 0;
  for (size_t i = 0; i < want.size(); ++i) {
    int16_t got = static_cast<int16_t>(xa[44 + 2 * i] | xa[45 + 2 * i] << 8);
    dot += static_cast<double>(got) * want[i];
    norm += static_cast<double>(want[i]) * want[i];
  }
  EXPECT_GT(dot / norm, 0.8);  // the coded tone follows the input
  EXPECT_EQ(book.Area(false), "<BODY><LINK>Ｐｅａｒ</LINK" + PosText(book.Text(1)) + ">\r\n</BODY>");
}

// show --media writes an EB book's XA sound at the rate it is told: the
// samples are the same, only the header's rate changes.
TEST(SourceMedia, ShowWritesXaSoundsAtTheGivenRate) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  SourceBook book;
  WriteMediaFiles(book.dir);
  std::string error;
  ASSERT_TRUE(book.Write(kEbSource, &error)) << error;
  const auto* tone = book.Media("tone");
  ASSERT_NE(tone, nullptr);
  char position[20], name[40];
  std::snprintf(position, sizeof position, "%08X:%04X", book.Text(0).page, book.Text(0).offset);
  std::snprintf(name, sizeof name, "/wav-%08X-0000.wav", tone->firstFrame);
  auto rate = [&](const std::string& option, const std::string& dir) -> int64_t {
    std::string out;
    std::string command = kTomeling + " show --book '" + book.dir.File("book") + "' --media '" + dir + "' " +
                          option + " " + position + " 2>/dev/null";
    if (RunCommand(command, &out) != 0) return -1;
    std::vector<uint8_t> wave = ReadWholeFile(dir + name);
    if (wave.size() < 44) return -2;
    return wave[24] | wave[25] << 8 | wave[26] << 16 | int64_t{wave[27]} << 24;
  };
  EXPECT_EQ(rate("", book.dir.File("default")), 18900);
  EXPECT_EQ(rate("--sampling 37800", book.dir.File("fast")), 37800);
  EXPECT_EQ(ReadWholeFile(book.dir.File("default") + name).size(), ReadWholeFile(book.dir.File("fast") + name).size());
  EXPECT_EQ(rate("--sampling 0", book.dir.File("zero")), -1);
  EXPECT_EQ(rate("--sampling 1000001", book.dir.File("high")), -1);
  EXPECT_EQ(rate("--sampling fast", book.dir.File("word")), -1);
}

// Objects of a few bytes still make files a reader opens: the graphics and
// sound files are whole pages, as on a disc.
TEST(SourceMedia, TinyObjectsMakeFilesThatOpen) {
  SourceBook book;
  book.dir.Write("dot.pbm", "P1 2 2 1 0 0 1\n");
  book.dir.Write("click.wav", Wav(1, 11025, 8, std::vector<uint8_t>(10, 0xA0)));
  std::string error;
  ASSERT_TRUE(book.Write("book epwing\nsubbook TINY Tiny\n  index 91 headings\n  image dot mono dot.pbm\n"
                         "  sound click pcm click.wav\n  entry a\n    body {fig dot}Dot{/fig}{sound click}C{/sound}\n",
                         &error))
      << error;
  std::string body = Sjis(book.Body(0));
  ImageTag image;
  CBitmapImage bitmap;
  ASSERT_TRUE(FindImageTag(body, &image)) << body;
  ASSERT_TRUE(LoadTagImage(book.media->Book(), image, &bitmap));
  EXPECT_EQ(bitmap.Width(), 2);
  WaveTag wave;
  ASSERT_TRUE(FindWaveTag(body.substr(body.find("</WAV")), &wave)) << body;
  std::vector<uint8_t> built = BuildTagWave(book.media->Book(), wave);
  ASSERT_EQ(built.size(), 44u + 10u);
  EXPECT_EQ(built[44], 0xA0);
}

// The message of a source that must not be written.
std::string Refusal(const std::string& kind, const std::string& statements, const std::string& body) {
  SourceBook book;
  WriteMediaFiles(book.dir);
  book.dir.Write("p7.pnm", "P7 2 2 255\n");
  book.dir.Write("zero.pbm", "P1 0 5\n");
  book.dir.Write("short.pgm", "P5 2 2 255\nab");
  book.dir.Write("over.pgm", "P2 2 1 255\n1 300\n");
  book.dir.Write("riff.wav", "RIFX....WAVE");
  book.dir.Write("odd.wav", Wav(1, 8000, 16, {0, 0}));
  std::string error;
  std::string source = "book " + kind + "\nsubbook BAD Bad\n" + statements + "  entry x\n    body " + body + "\n";
  EXPECT_FALSE(book.Write(source, &error)) << statements << body;
  return error;
}

TEST(SourceMedia, BadMediaFailsNamingTheStatement) {
  const std::pair<const char*, const char*> badFiles[] = {
      {"image a mono nofile.pbm", "nofile"}, {"image a mono p7.pnm", "netpbm"},
      {"image a mono zero.pbm", "size"},     {"image a jpeg short.pgm", "short"},
      {"image a bmp over.pgm", "sample"},    {"image a gif ink.pbm", "form"},
      {"sound a pcm riff.wav", "RIFF"},      {"sound a pcm odd.wav", "11025"},
      {"movie a nofile.mpg", "nofile"},
  };
  for (const auto& [statement, why] : badFiles) {
    std::string error = Refusal("epwing", std::string("  ") + statement + "\n", "x");
    EXPECT_NE(error.find("line 3: "), std::string::npos) << statement << ": " << error;
    EXPECT_NE(error.find(std::string(statement).substr(0, 7)), std::string::npos) << error;
    EXPECT_NE(error.find(why), std::string::npos) << statement << ": " << error;
  }
}

TEST(SourceMedia, TagsThatCannotShowTheirObjectFail) {
  const std::string media = "  image ink mono ink.pbm\n  sound tone xa tone.wav\n";
  const std::pair<const char*, const char*> badTags[] = {
      {"{fig nothing}x{/fig}", "nothing"},   {"{cfig ink}x{/cfig}", "cannot show ink"},
      {"{inline ink}", "cannot show ink"},   {"{sound ink}x{/sound}", "cannot show ink"},
      {"{fig ink}x", "{/fig}"},              {"{fig ink}{fig ink}{/fig}{/fig}", "inside"},
      {"{area 1 2 3 4 x}", "outside"},       {"{map ink}{area 1 2 x}{/map}", "bad area"},
      {"{map ink}{area 1 2 3 4 y}{/map}", "no entry: y"}, {"{fig}", "needs a media name"},
  };
  for (const auto& [body, why] : badTags) {
    std::string error = Refusal("eb", media, body);
    EXPECT_NE(error.find(why), std::string::npos) << body << ": " << error;
  }
  // Each kind plays its own sounds only.
  EXPECT_NE(Refusal("epwing", "  sound tone xa tone.wav\n", "x").find("media tone"), std::string::npos);
  EXPECT_NE(Refusal("eb", "  sound bell pcm bell.wav\n", "x").find("XA"), std::string::npos);
  EXPECT_NE(Refusal("eb", "  movie a.b clip.mpg\n", "x").find("movie names"), std::string::npos);
}

}  // namespace
