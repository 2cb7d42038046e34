// Contrast as WCAG 2 measures it, and the selection colours mixed from an edit's colours.

#include <gtest/gtest.h>

#include "skin/paint/sContrast.h"

namespace {

using platform::TColor;
using skin::ContrastRatio;
using skin::MixedSelectionColors;

TEST(Contrast, RatiosOfKnownPairs) {
  EXPECT_DOUBLE_EQ(ContrastRatio(platform::clBlack, platform::clWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(platform::clWhite, platform::clBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(0x336699, 0x336699), 1.0);
  // #777777 on white is the well-known 4.48:1, just short of the mark.
  EXPECT_NEAR(ContrastRatio(0x777777, platform::clWhite), 4.48, 0.005);
  // Channels are weighed: pure green is far lighter than pure blue ($00BBGGRR).
  EXPECT_GT(ContrastRatio(0x00FF00, platform::clBlack), ContrastRatio(0xFF0000, platform::clBlack));
  // System colours are measured as the colours they stand for.
  EXPECT_DOUBLE_EQ(ContrastRatio(platform::clWindow, platform::clBlack), 21.0);
}

TEST(Contrast, MixedSelectionsReadAtEaseWhateverTheEditsColours) {
  struct Case {
    TColor font, face;
  };
  for (const Case c :
       {Case{platform::clBlack, platform::clWhite}, Case{platform::clWhite, 0x202020},
        Case{0x800000, 0xFFF8F0}, Case{0x909090, 0xA0A0A0}}) {
    const skin::TsSelectionColors s = MixedSelectionColors(c.font, c.face);
    EXPECT_GE(ContrastRatio(s.Back, s.Text), skin::kReadableContrast)
        << std::hex << c.font << " on " << c.face;
    EXPECT_NE(s.Back, c.face);
  }
  // An edit whose text cannot be told from its face still gets a readable selection.
  const skin::TsSelectionColors same = MixedSelectionColors(0xC0C0C0, 0xC0C0C0);
  EXPECT_GE(ContrastRatio(same.Back, same.Text), skin::kReadableContrast);
  // Black text on white: the least share of black that gives 4.5:1, with the text in white.
  const skin::TsSelectionColors s = MixedSelectionColors(platform::clBlack, platform::clWhite);
  EXPECT_EQ(s.Text, platform::clWhite);
  EXPECT_EQ(s.Back, 0x737373);
}

}  // namespace
