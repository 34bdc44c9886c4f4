// `tomeling search` with the keyword, cross, full-text and multi methods,
// `tomeling multi`, `menu` and `copyright`: output and exit statuses.
// Runs the built command; skipped when it has not been built.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "search_methods_fixture.h"
#include "common/run_command.h"

namespace {

int Tomeling(const std::string& args, std::string* out, const char* redirect = " 2>&1") {
  return RunCommand(kTomeling + " " + args + redirect, out);
}

// The output line of entry `e`: its positions and its heading.
std::string Line(const WrittenSubbook& w, int e) {
  static const char* const kHeadings[] = {"林檎", "苺", "梨"};
  char s[64];
  std::snprintf(s, sizeof s, "%08X:%04X\t%08X:%04X\t", static_cast<unsigned>(w.text[e].page), w.text[e].offset,
                static_cast<unsigned>(w.heading[e].page), w.heading[e].offset);
  return s + std::string(kHeadings[e]) + "\n";
}

std::unique_ptr<OpenedBook> Sample() {
  BookSource book;
  SubbookSource& s = book.subbooks.emplace_back();
  s.directory = "CLI";
  s.title = "見本";
  s.indexes = {IndexOptions{0x80, {0, 0, 0, 0}, false, 0, false}, IndexOptions{0x81, {0, 0, 0, 0}},
               IndexOptions{0xA0, {0, 0xCF, 0xFF, 0xC0}}, IndexOptions{0xA1, {0, 0xCF, 0xFF, 0xC0}}};
  s.entries = {Entry("林檎", {"赤い果物"}, {{0x80, "red"}, {0x80, "fruit"}, {0x81, "ringo"}, {0xA0, "apple"}, {0xA1, "aomori"}}),
               Entry("苺", {"赤い実"}, {{0x80, "red"}, {0x81, "ichigo"}, {0xA0, "berry"}, {0xA1, "tochigi"}}),
               Entry("梨", {"白い果物"}, {{0x80, "fruit"}, {0xA0, "pear"}, {0xA1, "tottori"}})};
  SearchAreasSource areas;
  areas.multiAreas = {{MultiSearchSource{"果物", {0xA0, 0xA1}}}};
  areas.menu = {"目次"};
  areas.copyright = {"著作権"};
  return WriteAreasAndOpen(book, {areas});
}

TEST(SearchMethodsCommand, KeywordCrossFullTextAndMulti) {
  if (!std::filesystem::exists(kTomeling)) GTEST_SKIP() << "tomeling not built";
  auto b = Sample();
  ASSERT_EQ(b->added, 1) << b->error;
  const WrittenSubbook& w = b->written.subbooks[0];
  const std::string book = "--book " + b->dir.File("book") + " ";
  std::string out;
  EXPECT_EQ(Tomeling("search " + book + "--method keyword red fruit", &out), 0);
  EXPECT_EQ(out, Line(w, 0));
  EXPECT_EQ(Tomeling("search " + book + "--method keyword 'red　fruit'", &out), 0);
  EXPECT_EQ(out, Line(w, 0));
  EXPECT_EQ(Tomeling("search " + book + "--method keyword red", &out), 0);
  EXPECT_EQ(out, Line(w, 0) + Line(w, 1));
  EXPECT_EQ(Tomeling("search " + book + "--method cross ichigo", &out), 0);
  EXPECT_EQ(out, Line(w, 1));
  EXPECT_EQ(Tomeling("search " + book + "--method cross red", &out), 1);
  EXPECT_EQ(out, "");

  // Full text: the hit is the entry's start, as text and heading position,
  // so its heading is the entry's first line.
  EXPECT_EQ(Tomeling("search " + book + "--method fulltext 果物", &out, " 2>/dev/null"), 0);
  char s[64];
  std::snprintf(s, sizeof s, "%08X:%04X\t%08X:%04X\t梨\n", static_cast<unsigned>(w.text[2].page), w.text[2].offset,
                static_cast<unsigned>(w.text[2].page), w.text[2].offset);
  EXPECT_NE(out.find(s), std::string::npos) << out;
  EXPECT_EQ(Tomeling("search " + book + "--method fulltext --progress 果物", &out, " 2>&1 >/dev/null"), 0);
  EXPECT_NE(out.find("\r2 件 100%\n"), std::string::npos) << out;

  EXPECT_EQ(Tomeling("multi " + book, &out), 0);
  EXPECT_EQ(out.substr(0, out.find('\n')), "0\t--果物");
  EXPECT_NE(out.find("0.1\t[A1]"), std::string::npos);
  EXPECT_EQ(Tomeling("search " + book + "--method multi --multi 0 --field 0=Pear", &out), 0);
  EXPECT_EQ(out.size(), Line(w, 2).size());
  EXPECT_EQ(Tomeling("search " + book + "--method multi --multi 0 --field 0=pear --field 1=aomori", &out), 1);
  EXPECT_EQ(Tomeling("search " + book + "--method multi --multi 0 --field 0=apple --field 1=aomori", &out), 0);
  EXPECT_EQ(Tomeling("search " + book + "--method multi --multi 3 --field 0=x", &out), 2);
  EXPECT_EQ(Tomeling("search " + book + "--method multi --multi 0 --field x", &out), 2);

  EXPECT_EQ(Tomeling("menu " + book, &out), 0);
  EXPECT_EQ(out, "目次\n");
  EXPECT_EQ(Tomeling("copyright " + book, &out), 0);
  EXPECT_EQ(out, "著作権\n");
}

}  // namespace
