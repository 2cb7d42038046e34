#include <gtest/gtest.h>

#include "platform/drawing/Colors.h"

namespace platform {
namespace {

TEST(Colors, SystemColoursResolveToTheClassicPalette) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(64, 64, 64));
  EXPECT_EQ(ColorToRGB(clMenuBar), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_GRADIENTACTIVECAPTION), RGB(166, 202, 240));
  // Every system colour is a real colour (the high byte clear).
  for (int i = 0; i <= COLOR_ENDCOLORS; ++i)
    EXPECT_EQ(ColorToRGB(SystemColor(i)) & ~0xFFFFFF, 0) << i;
}

TEST(Colors, OtherValuesPassThrough) {
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  // Unknown indices give black instead of reading past the palette.
  EXPECT_EQ(GetSysColor(-1), 0);
  EXPECT_EQ(GetSysColor(COLOR_ENDCOLORS + 1), 0);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), 0);
}

TEST(Colors, ChannelsSitRedLowBlueHigh) {
  const TColor c = RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(c, 0x563412);
  EXPECT_EQ(GetRValue(c), 0x12);
  EXPECT_EQ(GetGValue(c), 0x34);
  EXPECT_EQ(GetBValue(c), 0x56);
  EXPECT_EQ(RGB(256 + 1, -1, 0), 0x00FF01);  // each channel keeps its low byte
}

}  // namespace
}  // namespace platform
