// Group files: saving and loading a list of dictionaries from real books,
// lists whose books went missing, UTF-8 and Shift_JIS files, the record
// syntax, and a save interrupted before its rename.
#include "catalog/group_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "catalog/book_list.h"
#include "catalog/text_convert.h"
#include "reader/eb_reader.h"
#include "reader/reader_test_util.h"

namespace {

namespace fs = std::filesystem;

BookSource Book(BookKind kind, std::vector<std::string> dirs) {
  BookSource book;
  book.kind = kind;
  for (const std::string& d : dirs) {
    SubbookSource& sub = book.subbooks.emplace_back();
    sub.title = "辞書" + d;
    sub.directory = d;
    sub.indexes = {Index(0x92)};
    sub.entries = {Entry("語", {{0x92, "word" + d}})};
  }
  return book;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}

TEST(GroupFile, SaveAndLoadKeepOrderNamesAndSearchOptions) {
  CTempDir dir;
  Write(Book(BookKind::kEpwing, {"EPA", "EPB"}), dir, "shelf/ep");
  BookSource eb = Book(BookKind::kEb, {"EBA"});
  eb.languageFlag = true;  // no half-width font: a book of single-byte text
  Write(eb, dir, "shelf/eb");
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("shelf"), 1), 3);  // EBA, EPA, EPB
  ASSERT_TRUE(list.MoveEntry(0, 1));                   // EPA, EBA, EPB
  ASSERT_TRUE(list.MoveEntry(2, -1));                  // EPA, EPB, EBA
  list.GetEntry(0)->extraName = u"国語";
  list.GetEntry(2)->extraName = u"英和 𠮷";             // a surrogate pair survives too
  list.SetTrailer(1, 3);
  std::string path = dir.File("TOMELING.grp");
  ASSERT_EQ(list.SaveList(path), 1);

  std::vector<std::string> lines = Lines(ReadWholeText(path));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "%%UTF-8=1");
  EXPECT_EQ(lines[1], dir.File("shelf/ep/CATALOGS") + "|0|_|辞書ＥＰＡ|EPA|国語|");
  EXPECT_EQ(lines[2], dir.File("shelf/ep/CATALOGS") + "|1|_|辞書ＥＰＢ|EPB||");
  EXPECT_EQ(lines[3].substr(0, dir.File("shelf/eb/CATALOG").size() + 5), dir.File("shelf/eb/CATALOG") + "|0|G|");
  EXPECT_EQ(lines[4], "%%bWordInflect=1");
  EXPECT_EQ(lines[5], "%%searchType=3");

  CBookList loaded;
  ASSERT_EQ(loaded.LoadList(path), 1);
  EXPECT_EQ(loaded.ListPath(), path);
  ASSERT_EQ(loaded.Count(), 3);
  const char* order[] = {"EPA", "EPB", "EBA"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(loaded.PeekEntry(i)->directory, order[i]);
  EXPECT_EQ(loaded.PeekEntry(0)->extraName, u"国語");
  EXPECT_EQ(loaded.PeekEntry(1)->extraName, u"");
  EXPECT_EQ(loaded.PeekEntry(2)->extraName, u"英和 𠮷");
  EXPECT_TRUE(loaded.PeekEntry(2)->opened);  // EB subbooks open as they load
  EXPECT_TRUE(loaded.PeekEntry(2)->textReader->SingleByte());
  EXPECT_EQ(loaded.GetEntry(1)->textReader->WordSearch("wordEPB", true), 1);
  int inflect = 0, type = 0;
  loaded.GetTrailer(&inflect, &type);
  EXPECT_EQ(inflect, 1);
  EXPECT_EQ(type, 3);

  // A second save of what was loaded writes the same file.
  std::string again = dir.File("again.grp");
  ASSERT_EQ(loaded.SaveList(again), 1);
  EXPECT_EQ(ReadWholeText(again), ReadWholeText(path));
  ASSERT_EQ(loaded.ReloadList(), 1);
  EXPECT_EQ(loaded.Count(), 3);
}

TEST(GroupFile, EntriesOfMissingBooksAreDroppedTheRestLoad) {
  CTempDir dir;
  WrittenBook kept = Write(Book(BookKind::kEpwing, {"ONE", "TWO"}), dir, "kept");
  WrittenBook gone = Write(Book(BookKind::kEpwing, {"GONE"}), dir, "gone");
  std::string list = "%%UTF-8=1\n" + gone.catalogPath + "|0|_|x|GONE||\n" +  //
                     kept.catalogPath + "|1|_|x|TWO|second|\n" +               //
                     kept.catalogPath + "\n" +                                 // one field only
                     kept.catalogPath + "|7|_|x|NONE|beyond the catalog|\n" +  //
                     "|||\n" +                                                 //
                     kept.catalogPath + "|0\n";                                // two fields suffice
  std::string path = dir.Write("list.grp", list);
  fs::remove_all(dir.Path() / "gone");
  fs::remove_all(dir.Path() / "kept" / "ONE");  // its subbook directory too

  CBookList books;
  ASSERT_EQ(books.LoadList(path), 1);
  ASSERT_EQ(books.Count(), 1);
  EXPECT_EQ(books.PeekEntry(0)->directory, "TWO");
  EXPECT_EQ(books.PeekEntry(0)->extraName, u"second");
  int inflect = 0, type = 0;
  books.GetTrailer(&inflect, &type);
  EXPECT_EQ(inflect, -1);  // the file gave none
  EXPECT_EQ(type, -1);

  // A list that cannot be opened leaves the registry empty, its path kept.
  EXPECT_EQ(books.LoadList(dir.File("missing.grp")), 0);
  EXPECT_EQ(books.Count(), 0);
  EXPECT_EQ(books.ListPath(), dir.File("missing.grp"));
  EXPECT_EQ(books.SaveList(), 0);  // empty: nothing written
  EXPECT_EQ(books.LoadList(dir.Path().string()), 0);  // a folder opens but cannot be read
  EXPECT_EQ(books.Count(), 0);
  EXPECT_FALSE(fs::exists(dir.File("missing.grp")));
}

TEST(GroupFile, ShiftJisAndUtf8ListsReadTheSame) {
  CTempDir dir;
  WrittenBook book = Write(Book(BookKind::kEpwing, {"ONE"}), dir, "辞書/本");
  const std::string name = "私の辞書";
  std::string sjisList = Sjis(book.catalogPath) + "|0|_|" + Sjis("題") + "|ONE|" + Sjis(name) + "|\r\n" +
                         "%%bWordInflect=0\r\n%%searchType=2\r\n";
  std::string utf8List = "%%UTF-8=1\n" + book.catalogPath + "|0|_|題|ONE|" + name + "|\n";
  for (const std::string& text : {sjisList, utf8List}) {
    std::string path = dir.Write("list.grp", text);
    CBookList list;
    ASSERT_EQ(list.LoadList(path), 1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.PeekEntry(0)->catalogPath, book.catalogPath);
    EXPECT_EQ(list.PeekEntry(0)->extraName, u"私の辞書");
    // Whatever it was read in, it is written back in UTF-8.
    ASSERT_EQ(list.SaveList(), 1);
    EXPECT_EQ(Lines(ReadWholeText(path))[1], book.catalogPath + "|0|_|辞書ＯＮＥ|ONE|" + name + "|");
  }
  GroupFile sjis = ParseGroupFile(sjisList);
  EXPECT_EQ(sjis.wordInflect, 0);
  EXPECT_EQ(sjis.searchType, 2);
}

TEST(GroupFile, RecordSyntax) {
  std::string longPath = "/" + std::string(300, 'p') + "/CATALOGS";
  GroupFile file = ParseGroupFile(
      "%%UTF-8=1\n"
      "/a/CATALOGS||3|||_|t|D|user|extra|\n"  // empty fields are separators
      "/b/CATALOG|-1|_|t|D\n"                 // two to five fields: no name
      "%%unknown=5\n%%searchType\t7\n%%bWordInflect=junk\n" +
      longPath + "|2|_|t|D|" + std::string(40, 'n') + "|\n" +  // long lines are not cut short
      "/c/CATALOGS|0|_|t|D|ab" + std::string("\xF0\x9F\x98\x80", 4) + std::string(30, 'z') + "|\n");
  ASSERT_EQ(file.records.size(), 4u);
  EXPECT_EQ(file.records[0].catalogPath, "/a/CATALOGS");
  EXPECT_EQ(file.records[0].catalogIndex, 3);
  EXPECT_EQ(file.records[0].userName, u"user");
  EXPECT_EQ(file.records[1].catalogIndex, -1);
  EXPECT_EQ(file.records[1].userName, u"");
  EXPECT_EQ(file.records[2].catalogPath, longPath);
  EXPECT_EQ(file.records[2].userName, std::u16string(30, u'n'));  // names keep 30 units
  EXPECT_EQ(file.records[3].userName, u"ab😀" + std::u16string(26, u'z'));
  EXPECT_EQ(file.searchType, 7);
  EXPECT_EQ(file.wordInflect, 0);

  // Written back: an empty title takes a blank so the name stays sixth, and
  // separators inside fields are blanked; a path that cannot round-trip is
  // left out rather than written as some other path.
  GroupFile out;
  out.records = {{"/x/CATALOGS", 1, u"a|b", false, "", "D\n"},
                 {"/y|z/CATALOGS", 0, u"lost", false, "t", "D"},
                 {"%%searchType=9", 0, u"", false, "t", "D"}};
  std::string text = FormatGroupFile(out);
  EXPECT_EQ(Lines(text)[1], "/x/CATALOGS|1|_| |D|a b|");
  GroupFile back = ParseGroupFile(text);
  ASSERT_EQ(back.records.size(), 1u);
  EXPECT_EQ(back.records[0].userName, u"a b");
  EXPECT_EQ(back.searchType, -1);
  EXPECT_FALSE(IsStorableGroupPath("/y|z"));
  EXPECT_TRUE(IsStorableGroupPath("/書籍/CATALOGS"));
}

TEST(GroupFile, SaveInterruptedBeforeRenameKeepsTheOldFile) {
  CTempDir dir;
  Write(Book(BookKind::kEpwing, {"ONE", "TWO"}), dir);
  CBookList list;
  ASSERT_EQ(list.ScanBooks(dir.File("book"), 0), 2);
  std::string path = dir.File("group.grp");
  ASSERT_EQ(list.SaveList(path), 1);
  std::string before = ReadWholeText(path);
  list.RemoveEntry(0);
  EXPECT_EQ(list.SaveList(path, &FailingRename), 0);
  EXPECT_EQ(ReadWholeText(path), before);
  // No temporary file is left behind: only the book and the group file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
  ASSERT_EQ(list.SaveList(path), 1);
  EXPECT_NE(ReadWholeText(path), before);
}

}  // namespace
