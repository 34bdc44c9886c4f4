// Plain text of wide markup, as a copy takes it: tags out, entities
// resolved, external characters through the map or as "_" / "__".
#include <gtest/gtest.h>

#include "decode/gb2312.h"
#include "decode/markup_text.h"

namespace {

GaijiEntry Mapped(uint16_t code, uint16_t value, const char* text = "") {
  GaijiEntry e;
  e.code = code;
  e.value = value;
  for (int i = 0; i < 4 && text[i] != '\0'; ++i) e.text[i] = text[i];
  return e;
}

TEST(MarkupText, DropsTagsAndResolvesCharacterEntities) {
  EXPECT_EQ(MarkupToPlainText(u"<BODY><HEAD>林檎</HEAD>\r\n&lt;a&gt; &amp; b</BODY>", nullptr, true),
            u"林檎\n<a> & b");
  EXPECT_EQ(MarkupToPlainText(u"a\r\nb", nullptr, false), u"a\r\nb");
  // GB2312 codes become their characters; unknown entities and a lone "&"
  // stay as they are, and a cut tag takes the rest with it.
  ResetGb2312Table();
  EXPECT_EQ(MarkupToPlainText(u"&gB0A1;&x;&hZZZZ;& x<LINK", nullptr, true), u"\u554A&x;&hZZZZ;& x");
}

TEST(MarkupText, GaijiThroughTheMapElseUnderscoresOfTheirWidth) {
  EXPECT_EQ(MarkupToPlainText(u"a&hA121;b&zB021;c&c2522;d", nullptr, true), u"a_b__c__d");
  GaijiMapRecord map;
  map.gaiHanSorted = {Mapped(0xA121, 0x00E9), Mapped(0xA122, kGaijiRemove)};
  map.gaiZenSorted = {Mapped(0xB021, 0, "(1)")};
  map.gaiChiSorted = {Mapped(0x2522, 0x4E00)};
  EXPECT_EQ(MarkupToPlainText(u"a&hA121;&hA122;b&zB021;c&c2522;&zB022;&hA123;", &map, true), u"aéb(1)c一___");
}

}  // namespace
