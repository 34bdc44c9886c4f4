// `tomeling show --media DIR` and `search --show --media DIR`: every image,
// sound and movie of the shown entry lands in DIR under its position name,
// with the bytes `tomeling extract` writes for the same tag; objects that
// cannot be loaded are skipped without failing the command. Runs the built
// program on the media sample book; skipped when it is not built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "common/run_command.h"
#include "decode/media_tags.h"
#include "extract_command_util.h"
#include "media_book_fixture.h"

namespace {

namespace fs = std::filesystem;

// The first entry's heading: the book keeps its letters full width.
const std::string kFigures = "ｆｉｇｕｒｅｓ";

std::string Pos(const BookPos& p) {
  char s[32];
  std::snprintf(s, sizeof s, "%08X:%04X", static_cast<unsigned>(p.page), p.offset);
  return s;
}

std::string TagOnly(const std::string& text) { return text.substr(0, text.find('>') + 1); }

// The closing tags starting `prefix` in `markup`, in order.
std::vector<std::string> Tags(const std::string& markup, const std::string& prefix) {
  std::vector<std::string> tags;
  for (size_t at = markup.find(prefix); at != std::string::npos; at = markup.find(prefix, at + 1))
    tags.push_back(TagOnly(markup.substr(at)));
  return tags;
}

std::string ImageName(const std::string& tag) {
  ImageTag parsed;
  EXPECT_TRUE(FindImageTag(tag, &parsed)) << tag;
  char name[40];
  std::snprintf(name, sizeof name, "%s-%08X-%04X.png", parsed.isInline ? "inl" : "fig", parsed.page, parsed.offset);
  return name;
}

std::string WaveName(const std::string& tag) {
  WaveTag parsed;
  EXPECT_TRUE(FindWaveTag(tag, &parsed)) << tag;
  char name[40];
  std::snprintf(name, sizeof name, "wav-%08X-%04X.wav", parsed.startPage, static_cast<unsigned>(parsed.startOffset));
  return name;
}

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) names.insert(e.path().filename().string());
  return names;
}

// The lines of `out` that name files in `dir`.
std::vector<std::string> Listed(const std::string& out, const std::string& dir) {
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = out.substr(start, end - start);
    if (line.rfind(dir + "/", 0) == 0) names.push_back(line.substr(dir.size() + 1));
  }
  return names;
}

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

class ShowMediaCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TomelingBuilt()) GTEST_SKIP() << "tomeling not built";
    m_book = OpenMediaTestBook(BookKind::kEpwing);
    ASSERT_TRUE(m_book);
    m_bookArg = "--book " + Quoted(m_book->sample.dir) + " ";
  }

  int Tomeling(const std::string& args, std::string* out, const char* redirect = " 2>/dev/null") {
    return RunCommand(kTomeling + " " + args + redirect, out);
  }

  // `tomeling show --media DIR` on entry `e`, with `extra` options.
  int ShowMedia(size_t e, const std::string& dir, std::string* out, const char* redirect = " 2>/dev/null",
                const std::string& extra = "") {
    std::string position = Pos(m_book->sample.written.subbooks[0].text[e]);
    return Tomeling("show " + m_bookArg + extra + "--media " + Quoted(dir) + " " + position, out, redirect);
  }

  // What `tomeling extract` writes for `tag`.
  std::vector<uint8_t> Extracted(const std::string& tag) {
    std::string out = m_book->dir.File("extracted");
    EXPECT_EQ(RunExtract(m_bookArg + "--tag " + Quoted(tag) + " --out " + Quoted(out)), 0) << tag;
    return ReadBytes(out);
  }

  std::unique_ptr<MediaTestBook> m_book;
  std::string m_bookArg;
};

TEST_F(ShowMediaCommand, WritesEveryImageOfTheEntryAsPng) {
  std::string markup = m_book->Markup(0), dir = m_book->dir.File("out/figures");
  std::vector<std::string> tags = Tags(markup, "</FIG"), inl = Tags(markup, "</INL");
  ASSERT_EQ(tags.size(), 4u);  // grey JPEG, mono bitmap, 24-bit and 8-bit BMP
  ASSERT_EQ(inl.size(), 1u);
  tags.insert(tags.end(), inl.begin(), inl.end());
  std::string out;
  ASSERT_EQ(ShowMedia(0, dir, &out), 0);
  // The entry first, then one line per file.
  EXPECT_EQ(out.rfind(kFigures + "\n", 0), 0u) << out;
  std::set<std::string> expected;
  for (const std::string& tag : tags) expected.insert(ImageName(tag));
  EXPECT_EQ(FilesIn(dir), expected);
  std::vector<std::string> listed = Listed(out, dir);
  EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), expected);
  EXPECT_EQ(listed.size(), expected.size());

  for (const std::string& tag : tags) {
    ImageTag parsed;
    ASSERT_TRUE(FindImageTag(tag, &parsed));
    CBitmapImage image;
    ASSERT_TRUE(LoadTagImage(m_book->Book(), parsed, &image)) << tag;
    std::vector<uint8_t> png = ReadBytes(dir + "/" + ImageName(tag));
    ASSERT_GE(png.size(), 24u) << tag;
    EXPECT_EQ(Be32(png, 16), static_cast<uint32_t>(image.Width())) << tag;
    EXPECT_EQ(Be32(png, 20), static_cast<uint32_t>(image.Height())) << tag;
    EXPECT_EQ(png, Extracted(tag)) << tag;
  }
  // No temporary is left beside the files.
  EXPECT_EQ(FilesIn(dir).size(), expected.size());
}

TEST_F(ShowMediaCommand, WritesSoundsAndTheMovieOfTheEntry) {
  std::string markup = m_book->Markup(1), dir = m_book->dir.File("sounds");
  std::vector<std::string> waves = Tags(markup, "</WAV");
  ASSERT_EQ(waves.size(), 2u);
  std::string out;
  ASSERT_EQ(ShowMedia(1, dir, &out, " 2>/dev/null", "--format markup "), 0);
  std::string movie = "mov-" + m_book->sample.movieName + ".mpg";
  std::vector<std::string> order = {WaveName(waves[0]), WaveName(waves[1]), movie};
  EXPECT_EQ(Listed(out, dir), order);
  EXPECT_EQ(FilesIn(dir), std::set<std::string>(order.begin(), order.end()));
  for (const std::string& tag : waves) {
    WaveTag parsed;
    ASSERT_TRUE(FindWaveTag(tag, &parsed));
    std::vector<uint8_t> wave = ReadBytes(dir + "/" + WaveName(tag));
    EXPECT_EQ(wave, BuildTagWave(m_book->Book(), parsed)) << tag;
    EXPECT_EQ(wave, Extracted(tag)) << tag;
  }
  // The raw PCM gets a 44-byte header in front of its samples.
  EXPECT_EQ(ReadBytes(dir + "/" + WaveName(waves[0])).size(), m_book->sample.rawPcm.size() + 44);
  EXPECT_EQ(ReadBytes(dir + "/" + movie), m_book->sample.movieBytes);
}

TEST_F(ShowMediaCommand, SkipsObjectsThatCannotBeLoaded) {
  // Without its graphics file only the monochrome bitmap, kept in the text
  // file, can be loaded; the movie is gone too.
  const std::string& sub = m_book->sample.subbookDir;
  fs::remove(sub + "/DATA/HONMONG");
  fs::remove(sub + "/MOVIE/" + m_book->sample.movieName);
  std::string dir = m_book->dir.File("left"), out, errors;
  ASSERT_EQ(ShowMedia(0, dir, &out), 0);
  std::string mono = ImageName(TagOnly(m_book->From(0, "</FIG", 1)));
  EXPECT_EQ(FilesIn(dir), std::set<std::string>{mono});
  EXPECT_EQ(Listed(out, dir), std::vector<std::string>{mono});
  ASSERT_EQ(ShowMedia(0, dir, &errors, " 2>&1 >/dev/null"), 0);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 4) << errors;
  EXPECT_NE(errors.find("skipped </INL["), std::string::npos) << errors;
  ASSERT_EQ(ShowMedia(1, dir, &errors, " 2>&1 >/dev/null"), 0);
  EXPECT_NE(errors.find("skipped </MOV["), std::string::npos) << errors;

  // A folder that cannot be made: the entry still prints, the status says
  // the files were not written.
  std::string blocker = m_book->dir.File("file");
  std::fclose(std::fopen(blocker.c_str(), "w"));
  EXPECT_EQ(ShowMedia(0, blocker + "/sub", &out), 1);
  EXPECT_EQ(out.rfind(kFigures + "\n", 0), 0u) << out;
}

TEST_F(ShowMediaCommand, SearchShowsAndWritesTheObjectsOfEachHit) {
  std::string dir = m_book->dir.File("hits"), out, listed;
  // With JSON on stdout the file list goes to stderr.
  ASSERT_EQ(Tomeling("search " + m_bookArg + "--format json --show --media " + Quoted(dir) + " sounds", &out), 0);
  EXPECT_EQ(out.rfind("{\"hits\":[{", 0), 0u) << out;
  EXPECT_EQ(out.find(dir), std::string::npos) << out;
  ASSERT_EQ(Tomeling("search " + m_bookArg + "--format json --show --media " + Quoted(dir) + " sounds", &listed,
                     " 2>&1 >/dev/null"),
            0);
  EXPECT_EQ(Listed(listed, dir).size(), 3u) << listed;
  EXPECT_EQ(FilesIn(dir).size(), 3u);
  // Plain search: the heading after the positions; --media needs --show.
  const WrittenSubbook& w = m_book->sample.written.subbooks[0];
  ASSERT_EQ(Tomeling("search " + m_bookArg + "figures", &out), 0);
  EXPECT_EQ(out, Pos(w.text[0]) + "\t" + Pos(w.heading[0]) + "\t" + kFigures + "\n");
  EXPECT_EQ(Tomeling("search " + m_bookArg + "--media " + Quoted(dir) + " figures", &out), 2);
  EXPECT_EQ(Tomeling("show " + m_bookArg + "--media", &out), 2);
}

}  // namespace
