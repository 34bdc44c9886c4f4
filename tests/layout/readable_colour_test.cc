// Readable colours: the contrast ratio of the usual pairs, and how the
// program's accent colours are moved on white, on a dark page and on a
// grey one that nothing can reach 4.5:1 against.
#include <gtest/gtest.h>

#include <algorithm>

#include "layout/layout_book.h"
#include "layout/readable_colour.h"

namespace {

constexpr Colour kWhite = MakeColour(255, 255, 255), kBlack = MakeColour(0, 0, 0);
constexpr Colour kTitle = MakeColour(0, 0, 255), kLink = MakeColour(0, 128, 0), kHighlight = MakeColour(255, 0, 0);

int R(Colour c) { return static_cast<int>(c & 0xFF); }
int G(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace

TEST(ReadableColour, ContrastRatioOfKnownPairs) {
  EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kLink, kLink), 1.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(kTitle, kWhite), 8.59, 0.01);
  EXPECT_NEAR(ContrastRatio(kLink, kWhite), 5.14, 0.01);
  EXPECT_NEAR(ContrastRatio(kHighlight, kWhite), 4.00, 0.01);
}

TEST(ReadableColour, OnWhiteOnlyTheRedMovesAndOnlyJustEnough) {
  EXPECT_EQ(ReadableOn(kTitle, kWhite), kTitle);
  EXPECT_EQ(ReadableOn(kLink, kWhite), kLink);
  Colour red = ReadableOn(kHighlight, kWhite);
  EXPECT_GE(ContrastRatio(red, kWhite), kReadableContrast);
  EXPECT_LT(ContrastRatio(red, kWhite), kReadableContrast + 0.1) << "no darker than it has to be";
  EXPECT_GT(R(red), 200);
  EXPECT_EQ(G(red), 0);
  EXPECT_EQ(B(red), 0);
}

TEST(ReadableColour, OnADarkPageTheAccentsLightenAndKeepTheirHue) {
  for (Colour page : {MakeColour(0x24, 0x24, 0x24), MakeColour(0x2A, 0x2A, 0x2A), kBlack}) {
    Colour title = ReadableOn(kTitle, page), link = ReadableOn(kLink, page), red = ReadableOn(kHighlight, page);
    for (Colour c : {title, link, red}) EXPECT_GE(ContrastRatio(c, page), kReadableContrast) << std::hex << c;
    EXPECT_GT(B(title), R(title));
    EXPECT_GT(B(title), G(title));
    EXPECT_GT(G(link), R(link));
    EXPECT_GT(G(link), B(link));
    EXPECT_GT(R(red), G(red));
    EXPECT_GT(R(red), B(red));
  }
  // A colour that reads already stays as it is, dark page or not.
  EXPECT_EQ(ReadableOn(MakeColour(240, 240, 240), kBlack), MakeColour(240, 240, 240));
}

TEST(ReadableColour, AGreyPageGetsTheBestThereIs) {
  const Colour grey = MakeColour(0x76, 0x76, 0x76);  // neither white nor black reaches 4.7 on it
  ASSERT_LT(ContrastRatio(kWhite, grey), 4.7);
  ASSERT_LT(ContrastRatio(kBlack, grey), 4.7);
  Colour c = ReadableOn(kTitle, grey, 4.7);
  EXPECT_TRUE(c == kWhite || c == kBlack);
  EXPECT_NEAR(ContrastRatio(c, grey), std::max(ContrastRatio(kWhite, grey), ContrastRatio(kBlack, grey)), 1e-9);
}

TEST(NearestGaijiSize, TheBooksFontNearestTheDevicePixels) {
  const int all = kGaiji16 | kGaiji24 | kGaiji32 | kGaiji48;
  EXPECT_EQ(NearestGaijiSize(all, 16), 16);
  EXPECT_EQ(NearestGaijiSize(all, 32), 32);
  EXPECT_EQ(NearestGaijiSize(all, 40), 48) << "a tie goes to the larger font";
  EXPECT_EQ(NearestGaijiSize(all, 100), 48);
  EXPECT_EQ(NearestGaijiSize(kGaiji16 | kGaiji48, 32), 48);
  EXPECT_EQ(NearestGaijiSize(kGaiji16 | kGaiji24, 32), 24);
  EXPECT_EQ(NearestGaijiSize(kGaiji16, 48), 16);
  EXPECT_EQ(NearestGaijiSize(0, 32), 16) << "no font: the 16-dot one is asked for";
}
