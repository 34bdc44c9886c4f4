// `tomeling search --format/--show` and `tomeling show`: headings and
// entries of a written book as plain text, markup and JSON, and the
// decoder's configuration taken from the --home directory.
// Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "reader/reader_test_util.h"
#include "common/run_command.h"
#include "common/temp_dir.h"

namespace {

int Tomeling(const std::string& args, std::string* out) {
  return RunCommand(kTomeling + " " + args + " 2>/dev/null", out);
}

std::string Pos(const BookPos& p) {
  char s[32];
  std::snprintf(s, sizeof s, "%08X:%04X", static_cast<unsigned>(p.page), p.offset);
  return s;
}

class EntryOutputCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
    BookSource book;
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.title = "辞書\"A\"";
    sub.directory = "DICT";
    sub.indexes = {Index(0x91)};
    BookEntry apple = Entry("林檎", {{0x91, "ringo"}});
    apple.body = {"りんごの実", "a<b> & c"};
    sub.entries = {apple, Entry("蜜柑", {{0x91, "rinx"}})};
    m_written = Write(book, m_dir);
    m_book = "--book " + m_dir.File("book") + " ";
  }

  CTempDir m_dir;
  WrittenBook m_written;
  std::string m_book;
};

TEST_F(EntryOutputCommand, SearchPrintsHeadingsAndEntriesInEachFormat) {
  const WrittenSubbook& s = m_written.subbooks[0];
  std::string apple = Pos(s.text[0]) + "\t" + Pos(s.heading[0]);
  std::string out;
  // Without a format the lines are those of --format text.
  EXPECT_EQ(Tomeling("search " + m_book + "ringo", &out), 0);
  EXPECT_EQ(out, apple + "\t林檎\n");
  EXPECT_EQ(Tomeling("search " + m_book + "--format text ringo", &out), 0);
  EXPECT_EQ(out, apple + "\t林檎\n");
  // Full-width text stays full width; the entry stops before the next one.
  EXPECT_EQ(Tomeling("search " + m_book + "--show rin", &out), 0);
  EXPECT_EQ(out, apple + "\t林檎\n林檎\nりんごの実\nａ＜ｂ＞　＆　ｃ\n\n" + Pos(s.text[1]) + "\t" +
                     Pos(s.heading[1]) + "\t蜜柑\n蜜柑\n蜜柑　の本文\n\n");
  EXPECT_EQ(Tomeling("search " + m_book + "--format markup --show ringo", &out), 0);
  EXPECT_EQ(out, apple + "\t林檎\n<BODY><HEAD>林檎</HEAD>\r\nりんごの実\r\nａ＜ｂ＞　＆　ｃ\r\n</BODY>\n");
  EXPECT_EQ(Tomeling("search " + m_book + "--format json --show ringo", &out), 0);
  EXPECT_EQ(out, "{\"hits\":[{\"dict\":0,\"dict_name\":\"辞書”Ａ”\",\"text\":\"" + Pos(s.text[0]) +
                     "\",\"heading\":\"" + Pos(s.heading[0]) +
                     "\",\"heading_text\":\"林檎\",\"heading_markup\":\"林檎\",\"entry_text\":\"林檎\\nりんごの実\\n"
                     "ａ＜ｂ＞　＆　ｃ\\n\",\"entry_markup\":\"<BODY><HEAD>林檎</HEAD>\\r\\nりんごの実\\r\\n"
                     "ａ＜ｂ＞　＆　ｃ\\r\\n</BODY>\"}],\"overflow\":false}\n");
  EXPECT_EQ(Tomeling("search " + m_book + "--format json nothing", &out), 1);
  EXPECT_EQ(out, "{\"hits\":[],\"overflow\":false}\n");
  EXPECT_EQ(Tomeling("search " + m_book + "--format yaml ringo", &out), 2);
}

TEST_F(EntryOutputCommand, ShowDecodesTheEntryAtAPosition) {
  const WrittenSubbook& s = m_written.subbooks[0];
  std::string out;
  EXPECT_EQ(Tomeling("show " + m_book + Pos(s.text[1]), &out), 0);
  EXPECT_EQ(out, "蜜柑\n蜜柑　の本文\n\n");
  EXPECT_EQ(Tomeling("show " + m_book + "--format json " + Pos(s.text[1]), &out), 0);
  EXPECT_EQ(out, "{\"dict\":0,\"dict_name\":\"辞書”Ａ”\",\"text\":\"" + Pos(s.text[1]) +
                     "\",\"entry_text\":\"蜜柑\\n蜜柑　の本文\\n\",\"entry_markup\":\"<BODY><HEAD>蜜柑</HEAD>\\r\\n"
                     "蜜柑　の本文\\r\\n</BODY>\"}\n");
  // The home directory's profile.ini configures the decoder: a code rule
  // that skips the keyword start drops the heading's opening tag.
  CTempDir home;
  std::ofstream(home.File("profile.ini")) << "[x]\nDICT=DICT\nSKIPCODE=1F41,2\n";
  EXPECT_EQ(Tomeling("show " + m_book + "--format markup --home " + home.File("") + " " + Pos(s.text[1]), &out), 0);
  EXPECT_EQ(out, "<BODY>蜜柑</HEAD>\r\n蜜柑　の本文\r\n</BODY>\n");
  for (const char* bad : {"", "12", "0:0", "1:801", "G:1", "123456789:0"})
    EXPECT_EQ(Tomeling("show " + m_book + bad, &out), 2) << bad;
  EXPECT_EQ(Tomeling("show " + m_book + "--dict 3 1:0", &out), 2);
}

// A position past the text is no entry: an empty one printed with status 0
// would pass for a real one.
TEST_F(EntryOutputCommand, ShowFailsBeyondTheText) {
  uintmax_t size = std::filesystem::file_size(m_written.subbooks[0].textPath);
  int32_t pages = static_cast<int32_t>((size + 2047) / 2048);
  std::string out, err = m_dir.File("err.txt");
  auto show = [&](int32_t page, int offset) {
    BookPos at{page, static_cast<uint16_t>(offset)};
    return RunCommand(kTomeling + " show " + m_book + Pos(at) + " 2>" + err, &out);
  };
  EXPECT_EQ(show(pages, 0), 0);
  EXPECT_EQ(show(pages + 1, 0), 1);
  EXPECT_EQ(out, "");
  EXPECT_NE(ReadWholeText(err).find("beyond the end"), std::string::npos);
  EXPECT_EQ(show(pages, 2048), 1);
  EXPECT_EQ(show(0x7FFFFFFF, 0), 1);
}

}  // namespace
