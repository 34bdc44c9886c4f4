// The search-word history file: line ends, trailing blanks, empty and
// overlong lines, Shift_JIS, the end of the list, and interrupted saves.
#include "catalog/word_history.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "reader/reader_test_util.h"

namespace {

TEST(WordHistory, ReadingLines) {
  // CR LF, LF and CR line ends read alike; trailing blanks (also ideographic
  // ones) go; empty lines and lines of blanks are skipped, not ended on.
  EXPECT_EQ(ParseHistory("one\r\ntwo  \r\n\r\nthree"), u"one\ttwo\tthree\t");
  EXPECT_EQ(ParseHistory("one\ntwo\t \n\nthree\n"), u"one\ttwo\tthree\t");
  EXPECT_EQ(ParseHistory("one\r   \rthree\r"), u"one\tthree\t");
  EXPECT_EQ(ParseHistory(Sjis("辞書　\n  前の空白\n")), u"辞書\t  前の空白\t");
  EXPECT_EQ(ParseHistory("a\tb\n"), u"a b\t");  // a tab would make two words
  EXPECT_EQ(ParseHistory(std::string("ab\0cd\nef", 8)), u"ab\tef\t");
  EXPECT_EQ(ParseHistory(""), u"");
  // A line longer than 256 bytes goes on as the next word.
  std::u16string words = ParseHistory(std::string(300, 'x') + "\nend\n");
  EXPECT_EQ(words, std::u16string(256, u'x') + u"\t" + std::u16string(44, u'x') + u"\tend\t");
}

TEST(WordHistory, WritingWords) {
  EXPECT_EQ(FormatHistory(u"one\t二つ\t"), "one\n" + Sjis("二つ") + "\n");
  EXPECT_EQ(FormatHistory(u""), "");
  EXPECT_EQ(FormatHistory(u"one\t\ttwo\t"), "one\n");    // two tabs end the list
  EXPECT_EQ(FormatHistory(u"last"), "last\n");            // no tab after the last word
  EXPECT_EQ(FormatHistory(u"a\nb\t"), "a b\n");           // one word stays one line
  EXPECT_EQ(FormatHistory(std::u16string(200, u'語') + u"\t").size(), 257u);  // 128 characters
}

TEST(WordHistory, FilesRoundTripAndMissingFilesGiveAnEmptyHistory) {
  CTempDir dir;
  std::string path = dir.File("history.txt");
  CWordHistory history;
  history.SetList(u"検索\tword\t𠀋\tＡＢＣ\t");
  ASSERT_EQ(history.SaveHistory(path), 1);
  CWordHistory loaded;
  ASSERT_EQ(loaded.LoadHistory(path), 1);
  EXPECT_EQ(loaded.List(), u"検索\tword\t?\tＡＢＣ\t");  // what code page 932 cannot hold becomes "?"

  EXPECT_EQ(loaded.LoadHistory(dir.File("none.txt")), 0);
  EXPECT_EQ(loaded.List(), u"");
  ASSERT_EQ(loaded.LoadHistory(path), 1);
  EXPECT_EQ(loaded.LoadHistory(dir.Path().string()), 0);  // a folder opens but cannot be read
  EXPECT_EQ(loaded.List(), u"");

  history.SetList(u"");
  ASSERT_EQ(history.SaveHistory(path), 1);
  EXPECT_EQ(ReadWholeText(path), "");
  EXPECT_EQ(history.SaveHistory(dir.File("no/such/dir/history.txt")), 0);
}

TEST(WordHistory, SaveInterruptedBeforeRenameKeepsTheOldFile) {
  CTempDir dir;
  std::string path = dir.Write("history.txt", "old\nwords\n");
  CWordHistory history;
  history.SetList(u"new\t");
  EXPECT_EQ(history.SaveHistory(path, &FailingRename), 0);
  EXPECT_EQ(ReadWholeText(path), "old\nwords\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

}  // namespace
