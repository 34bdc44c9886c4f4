// Inline tags of a book source that need no media, decoded back: each tag
// comes out of the decoder as the markup its escape code stands for in the
// book's kind, and a tag the kind has no code for fails the write.
#include <gtest/gtest.h>

#include "source_book.h"

namespace {

// A one-subbook source of `kind` whose first entry has `body` and whose
// second, "target", can be linked to.
std::string Source(const std::string& kind, const std::string& body) {
  return "book " + kind + "\nsubbook TAGS Tags\n  index 91 headings\n  entry x\n    body " + body +
         "\n  entry target\n    body t\n";
}

// The first entry's body; "" (and the message) when the write fails.
std::string Decode(const std::string& kind, const std::string& body, std::string* error = nullptr,
                   BookPos* target = nullptr) {
  SourceBook book;
  std::string why;
  if (!book.Write(Source(kind, body), &why)) {
    if (error != nullptr) *error = why;
    return "";
  }
  if (target != nullptr) *target = book.Text(1);
  return book.Body(0);
}

TEST(SourceMarkup, TypographyTagsDecodeInBothKinds) {
  const std::string body = "{u}強{/u}{key}語{/key}{nobr}不{/nobr}{table}表{/table}";
  EXPECT_EQ(Decode("eb", body), "<UL>強</UL><HEAD>語</HEAD>不<TABLE>表</TABLE>\r\n</BODY>");
  // EPWING books have no underline: the emphasis code shows bold.
  EXPECT_EQ(Decode("epwing", body), "<B>強</B><HEAD>語</HEAD>不<TABLE>表</TABLE>\r\n</BODY>");
}

TEST(SourceMarkup, EpwingTabsAndColourCharts) {
  EXPECT_EQ(Decode("epwing", "{tab 12}a{colchart 7}b{colchart 123}c{colchart 999}"),
            "<TAB=12>ａ<COLCHART=007>ｂ<COLCHART=123>ｃ<COLCHART=999>\r\n</BODY>");
  std::string error;
  for (const char* tag : {"{tab 3}", "{colchart 5}"}) {
    EXPECT_EQ(Decode("eb", tag, &error), "") << tag;
    EXPECT_NE(error.find("EPWING"), std::string::npos) << error;
  }
  for (const char* bad : {"{tab x}", "{colchart 0}", "{colchart 1000}"}) {
    error.clear();
    EXPECT_EQ(Decode("epwing", bad, &error), "") << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(SourceMarkup, EbColoursAndCompoundCharacters) {
  EXPECT_EQ(Decode("eb", "{col red}赤{/col}{col 111D}青{/col}{col black}黒{/col}"),
            "<COL=0000FF>赤</COL><COL=FF0000>青</COL><COL=000000>黒</COL>\r\n</BODY>");
  EXPECT_EQ(Decode("eb", "{compound}{gaiji B021}{gaiji B022}{/compound}後"), "&cB021;&cB022;後\r\n</BODY>");
  EXPECT_EQ(Decode("eb", "前{nonl}{nl}中{/nonl}{nl}後"), "前中\r\n後\r\n</BODY>");
  std::string error;
  for (const char* tag : {"{col red}", "{compound}", "{/col}", "{nonl}"}) {
    EXPECT_EQ(Decode("epwing", tag, &error), "") << tag;
    EXPECT_NE(error.find("EB books"), std::string::npos) << error;
  }
  EXPECT_EQ(Decode("eb", "{col pink}", &error), "");
  EXPECT_NE(error.find("colour"), std::string::npos);
}

TEST(SourceMarkup, MenuItemsPointAtTheEntryTheyName) {
  for (const char* kind : {"eb", "epwing"}) {
    BookPos target;
    std::string markup = Decode(kind, "{menu target}行く{/menu}と{link target}見る{/link}", nullptr, &target);
    EXPECT_EQ(markup, "<MENU>行く</MENU" + PosText(target) + ">と<LINK>見る</LINK" + PosText(target) +
                          ">\r\n</BODY>")
        << kind;
  }
  std::string error;
  for (const char* bad : {"{menu target}x{/link}", "{menu nowhere}x{/menu}", "{menu target}x", "x{/menu}"}) {
    error.clear();
    EXPECT_EQ(Decode("epwing", bad, &error), "") << bad;
    EXPECT_NE(error.find("menu"), std::string::npos) << bad << ": " << error;
  }
}

}  // namespace
