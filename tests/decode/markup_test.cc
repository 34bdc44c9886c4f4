// The byte-form writers: every tag form, fixed widths for any value, and
// whole-or-nothing appends.
#include "decode/markup.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// A buffer of a given capacity that remembers what was written.
class Out {
 public:
  explicit Out(size_t capacity = 256) : m_bytes(capacity + 8, '#') {
    m_buffer = {m_bytes.data(), capacity, 0};
    if (capacity > 0) m_bytes[0] = '\0';
  }
  MarkupBuffer* operator->() { return &m_buffer; }
  MarkupBuffer* get() { return &m_buffer; }
  std::string Text() const { return std::string(m_bytes.data(), m_buffer.length); }
  bool Terminated() const { return m_bytes[m_buffer.length] == '\0'; }
  // Bytes at and beyond the capacity were never touched.
  bool GuardIntact() const {
    for (size_t i = m_buffer.capacity; i < m_bytes.size(); ++i)
      if (m_bytes[i] != '#') return false;
    return true;
  }

 private:
  std::vector<char> m_bytes;
  MarkupBuffer m_buffer;
};

template <typename F>
std::string Written(F write) {
  Out out;
  EXPECT_TRUE(write(out.get()));
  EXPECT_TRUE(out.Terminated());
  return out.Text();
}

TEST(MarkupWriters, TagsWithParametersAreByteExact) {
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteIndent(o, 7); }), "<INDENT=07>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteTab(o, 42); }), "<TAB=42>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteLinkEnd(o, 0x12A, 0x7FE); }), "</LINK[0000012A:07FE]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMenuEnd(o, 0xFFFFFFFF, 0xFFFF); }),
            "</MENU[FFFFFFFF:FFFF]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColour(o, 0x1119); }), "<COL=0000FF>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColourChart(o, 12); }), "<COLCHART=012>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteFigEnd(o, 0x31, 0x10, 320, 240, kImageMonochrome); }),
            "</FIG[00000031:0010](0320*0240:0)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteInlineEnd(o, 0xABCDEF01, 0, 0, 0, kImageColour); }),
            "</INL[ABCDEF01:0000](0000*0000:1)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteAreaHref(o, 1, 22, 333, 0, 0x20, 0x7FF); }),
            "<AREA COORDS=001,022,333,000 HREF=[00000020:07FF]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteAreaSound(o, 5, 6, 7, 8, 0x1C2, 0x1C3); }),
            "<AREA COORDS=005,006,007,008 SOUND=[000001C2:000001C3]>");
  const int digits[5] = {3, 1, 0, 2, 9};
  EXPECT_EQ(Written([&](MarkupBuffer* o) { return WriteWavEnd(o, 0x100, 0x20, 0x105, 0x7FE, digits); }),
            "</WAV[00000100:0020][00000105:07FE](3:1:0:2:9)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteWavFramesEnd(o, 74, 75); }),
            "</WAV[0000004A:0000][0000004B:0000](1:0:0:0:0)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieStart(o); }), "<MOV>\x81\xA8");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieEnd(o, "MV01\0\0\0\0", 8); }), "</MOV[MV01    ]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieEnd(o, "ABCDEFGHIJ", 10); }), "</MOV[ABCDEFGH]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteGaijiEntity(o, 'h', 0xA121); }), "&hA121;");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteGaijiEntity(o, 'g', 0xB0A1); }), "&gB0A1;");
}

TEST(MarkupWriters, ColourTableCoversEveryCode) {
  const uint32_t expected[16] = {0xFFFFFF, 0x00FFFF, 0xFFFF00, 0x00FF00, 0xC0C0C0, 0x808080, 0x008080, 0xFF00FF,
                                 0x808000, 0x0000FF, 0x008000, 0x800080, 0x000080, 0xFF0000, 0x800000, 0};
  for (uint16_t i = 0; i < 16; ++i) EXPECT_EQ(BookColourValue(0x1110 + i), expected[i]) << i;
  EXPECT_EQ(BookColourValue(0x110F), 0u);
  EXPECT_EQ(BookColourValue(0x2000), 0u);
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColour(o, 0x111D); }), "<COL=FF0000>");
}

// Book data can carry any value; the tag keeps its length so that readers
// still find every field at its place.
TEST(MarkupWriters, ValuesTooWideForTheirFieldKeepTheTagLength) {
  std::string fig = Written([](MarkupBuffer* o) { return WriteFigEnd(o, 1, 2, 12345, -1, 7); });
  EXPECT_EQ(fig, "</FIG[00000001:0002](9999*-001:7)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteFigEnd(o, 1, 2, INT_MIN, INT_MAX, -3); }),
            "</FIG[00000001:0002](-999*9999:0)>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteAreaHref(o, 1000, -5, -1000, 999, 0, 0); }),
            "<AREA COORDS=999,-05,-99,999 HREF=[00000000:0000]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColourChart(o, 5000); }), "<COLCHART=999>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColourChart(o, -1); }), "<COLCHART=-01>");
  const int digits[5] = {-1, 10, 5, 99, 0};
  EXPECT_EQ(Written([&](MarkupBuffer* o) { return WriteWavEnd(o, 0, 0, 0, 0, digits); }),
            "</WAV[00000000:0000][00000000:0000](0:9:5:9:0)>");
  // Indent and tab values outside 0..99 are not written at all.
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteIndent(o, 100); }), "");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteTab(o, -1); }), "");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColourChart(o, 0); }), "");
  // A movie name cannot end or confuse its tag.
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieEnd(o, "a>b<c&\x01\x90", 8); }), "</MOV[a_b_c___]>");
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieEnd(o, "", 0); }), "</MOV[        ]>");
}

TEST(MarkupWriters, FieldsReadBackAtTheirPositions) {
  std::string fig = Written([](MarkupBuffer* o) { return WriteFigEnd(o, 0xDEADBEEF, 0x7FF, 640, -1, 1); });
  uint32_t hex = 0;
  int dec = 0;
  ASSERT_EQ(fig.size(), kFigEndTagLength);
  ASSERT_TRUE(ReadMarkupHex(fig.data() + kFigEndPagePos, 8, &hex));
  EXPECT_EQ(hex, 0xDEADBEEFu);
  ASSERT_TRUE(ReadMarkupHex(fig.data() + kFigEndOffsetPos, 4, &hex));
  EXPECT_EQ(hex, 0x7FFu);
  ASSERT_TRUE(ReadMarkupDecimal(fig.data() + kFigEndWidthPos, 4, &dec));
  EXPECT_EQ(dec, 640);
  ASSERT_TRUE(ReadMarkupDecimal(fig.data() + kFigEndHeightPos, 4, &dec));
  EXPECT_EQ(dec, -1);
  ASSERT_TRUE(ReadMarkupDecimal(fig.data() + kFigEndKindPos, 1, &dec));
  EXPECT_EQ(dec, 1);

  std::string link = Written([](MarkupBuffer* o) { return WriteLinkEnd(o, 0x1234, 0x56); });
  ASSERT_EQ(link.size(), kLinkEndTagLength);
  ASSERT_TRUE(ReadMarkupHex(link.data() + kLinkEndPagePos, 8, &hex));
  EXPECT_EQ(hex, 0x1234u);
  ASSERT_TRUE(ReadMarkupHex(link.data() + kLinkEndOffsetPos, 4, &hex));
  EXPECT_EQ(hex, 0x56u);

  std::string href = Written([](MarkupBuffer* o) { return WriteAreaHref(o, 10, 20, 30, 40, 0x99, 0x88); });
  std::string sound = Written([](MarkupBuffer* o) { return WriteAreaSound(o, 10, 20, 30, 40, 0x77, 0x66); });
  ASSERT_EQ(href.size(), kAreaHrefTagLength);
  ASSERT_EQ(sound.size(), kAreaSoundTagLength);
  const size_t coords[4] = {kAreaXPos, kAreaYPos, kAreaWidthPos, kAreaHeightPos};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(ReadMarkupDecimal(sound.data() + coords[i], 3, &dec));
    EXPECT_EQ(dec, 10 * (i + 1));
  }
  EXPECT_EQ(href.compare(kAreaKindPos, 5, "HREF="), 0);
  EXPECT_EQ(sound.compare(kAreaKindPos, 6, "SOUND="), 0);
  ASSERT_TRUE(ReadMarkupHex(href.data() + kAreaHrefOffsetPos, 4, &hex));
  EXPECT_EQ(hex, 0x88u);
  ASSERT_TRUE(ReadMarkupHex(sound.data() + kAreaSoundEndPos, 8, &hex));
  EXPECT_EQ(hex, 0x66u);

  const int digits[5] = {1, 2, 3, 4, 5};
  std::string wav = Written([&](MarkupBuffer* o) { return WriteWavEnd(o, 1, 2, 3, 4, digits); });
  ASSERT_EQ(wav.size(), kWavEndTagLength);
  ASSERT_TRUE(ReadMarkupHex(wav.data() + kWavEndOffset2Pos, 4, &hex));
  EXPECT_EQ(hex, 4u);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(ReadMarkupDecimal(wav.data() + kWavEndDigitsPos + 2 * i, 1, &dec));
    EXPECT_EQ(dec, i + 1);
  }
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteMovieEnd(o, "AB", 2); }).size(), kMovEndTagLength);
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColour(o, 0); }).size(), kColourTagLength);
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteColourChart(o, 1); }).size(), kColourChartTagLength);
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteIndent(o, 1); }).size(), kIndentTagLength);
  EXPECT_EQ(Written([](MarkupBuffer* o) { return WriteTab(o, 1); }).size(), kTabTagLength);

  EXPECT_FALSE(ReadMarkupHex("12G4", 4, &hex));
  EXPECT_FALSE(ReadMarkupDecimal("1-2", 3, &dec));
  EXPECT_FALSE(ReadMarkupDecimal("-", 1, &dec));
}

TEST(MarkupWriters, TextCharactersAreEscapedOrPassedThrough) {
  Out out;
  for (uint16_t c : {uint16_t{'a'}, uint16_t{'&'}, uint16_t{'<'}, uint16_t{'>'}, uint16_t{0x0D}, uint16_t{0},
                     uint16_t{0xB1}, uint16_t{0x88A0}})
    ASSERT_TRUE(WriteTextChar(out.get(), c));
  EXPECT_EQ(out.Text(), "a&amp;&lt;&gt; \xB1\x88\xA0");
  EXPECT_TRUE(out.Terminated());
}

// The decoder stops at the first item that does not fit; nothing of that
// item, and nothing at or past the capacity, may be written.
TEST(MarkupWriters, AnItemIsAppendedWholeOrNotAtAll) {
  Out exact(kTagBody.size() + 1);
  EXPECT_TRUE(AppendMarkup(exact.get(), kTagBody));
  EXPECT_EQ(exact.Text(), "<BODY>");
  EXPECT_TRUE(exact.Terminated());
  EXPECT_FALSE(WriteTextChar(exact.get(), 'x'));
  EXPECT_EQ(exact.Text(), "<BODY>");
  EXPECT_TRUE(exact.GuardIntact());

  Out eight(8);
  EXPECT_TRUE(AppendMarkup(eight.get(), kTagBody));
  EXPECT_FALSE(WriteTextChar(eight.get(), '&'));  // "&amp;" needs 5
  EXPECT_FALSE(WriteTextChar(eight.get(), 0x88A0));
  EXPECT_TRUE(WriteTextChar(eight.get(), 'x'));
  EXPECT_EQ(eight.Text(), "<BODY>x");
  EXPECT_TRUE(eight.GuardIntact());

  for (size_t capacity = 0; capacity <= kAreaSoundTagLength + 1; ++capacity) {
    Out out(capacity);
    const bool fits = capacity > kAreaSoundTagLength;
    EXPECT_EQ(WriteAreaSound(out.get(), 1, 2, 3, 4, 5, 6), fits) << capacity;
    EXPECT_EQ(out->length, fits ? kAreaSoundTagLength : 0u);
    EXPECT_TRUE(out.GuardIntact());
  }
  // A buffer whose length is already past its capacity takes nothing.
  Out broken(4);
  broken->length = 9;
  EXPECT_FALSE(AppendMarkup(broken.get(), ""));
}

}  // namespace
