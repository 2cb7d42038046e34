// Gradients: the rows and columns each segment paints, the running position shared between
// segments, the colours at the ends, and the layouts that draw nothing.

#include <gtest/gtest.h>

#include "platform/drawing/DeviceContext.h"
#include "platform/drawing/GradientFill.h"
#include "skin/paint/sGradient.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

TColor RowColor(const TBitmap& b, int y) { return At(b, 0, y); }

TEST(DrawGradient, OneVerticalSegmentRunsFromTopToBottomAndTheZeroShareAddsNothing) {
  const TsGradArray g = ParseGradientData("14732489;11509661;100;0;0;11509661;11509661;0;0;0");
  ASSERT_EQ(g.size(), 2u);
  auto b = Plain(4, 10, platform::clBlack);
  DrawGradient(b.get(), {0, 0, 4, 10}, g);
  EXPECT_EQ(RowColor(*b, 0), 14732489);
  EXPECT_EQ(RowColor(*b, 9), 11509661);
  // Every row between lies between the two colours, channel by channel, and rows are uniform.
  for (int y = 1; y < 9; ++y) {
    EXPECT_LE(platform::GetRValue(RowColor(*b, y)), platform::GetRValue(14732489));
    EXPECT_GE(platform::GetRValue(RowColor(*b, y)), platform::GetRValue(11509661));
    EXPECT_EQ(At(*b, 3, y), RowColor(*b, y));
  }
}

TEST(DrawGradient, SegmentsShareTheirBoundaryRowAndTheLastRunsToTheEdge) {
  // Two plain segments: red over rows 0..5, blue over rows 5..10 (it paints over row 5).
  const TsGradArray halves = ParseGradientData("255;255;50;0;0;16711680;16711680;50;0;0");
  auto b = Plain(3, 11, platform::clBlack);
  DrawGradient(b.get(), {0, 0, 3, 11}, halves);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(RowColor(*b, y), platform::clRed) << y;
  for (int y = 5; y < 11; ++y) EXPECT_EQ(RowColor(*b, y), platform::clBlue) << y;
  // Shares adding up to less than 100 still end at the bottom edge.
  const TsGradArray short_ = ParseGradientData("255;255;10;0;0;16711680;16711680;10;0;0");
  auto c = Plain(3, 20, platform::clBlack);
  DrawGradient(c.get(), {0, 0, 3, 20}, short_);
  EXPECT_EQ(RowColor(*c, 19), platform::clBlue);
  EXPECT_EQ(RowColor(*c, 1), platform::clRed);
  EXPECT_EQ(RowColor(*c, 2), platform::clBlue);
}

TEST(DrawGradient, SharesAbove100AreStoredAs100AndIncompleteGroupsIgnored) {
  const TsGradArray g = ParseGradientData("1;2;250;0;0;7;8");
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].Share, 100);
  EXPECT_TRUE(ParseGradientData(" ").empty());
}

TEST(DrawGradient, NegativeSharesKeepTheirLowByteAndOneColumnHasNoHorizontalExtent) {
  EXPECT_EQ(ParseGradientData("1;2;-1;0;0")[0].Share, 255);
  EXPECT_EQ(ParseGradientData("1;2;-156;0;0")[0].Share, 100);
  // A share of 255 runs the first segment to the bottom; the second has nothing left.
  auto b = Plain(3, 10, platform::clBlack);
  DrawGradient(b.get(), {0, 0, 3, 10},
               ParseGradientData("255;255;-1;0;0;16711680;16711680;50;0;0"));
  EXPECT_TRUE(PixelsAre(*b, [](int, int) { return platform::clRed; }));
  // One column wide, every horizontal segment starts and ends on it: nothing is painted.
  auto tagged = Tagged(3, 4);
  DrawGradient(tagged.get(), {1, 0, 2, 4}, ParseGradientData("255;65280;100;1;0"));
  EXPECT_TRUE(PixelsAre(*tagged, Tag));
}

TEST(DrawGradient, HorizontalRowsComeOutAlikeAndEndAtTheRightEdge) {
  const TsGradArray g = ParseGradientData("0;16777215;100;1;0");
  auto b = Plain(11, 3, platform::clRed);
  DrawGradient(b.get(), {0, 0, 11, 3}, g);
  EXPECT_EQ(At(*b, 0, 0), platform::clBlack);
  EXPECT_EQ(At(*b, 10, 0), platform::clWhite);
  EXPECT_EQ(At(*b, 5, 0), RGB(128, 128, 128));  // 127.5 after 5 of 10 steps: ties to even
  for (int x = 0; x < 11; ++x) EXPECT_EQ(At(*b, x, 2), At(*b, x, 0));
}

TEST(DrawGradient, FourCornersGoThroughTheTriangleFill) {
  const TsGradArray g = ParseGradientData("255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0");
  auto b = Plain(20, 10, platform::clWhite);
  DrawGradient(b.get(), {0, 0, 20, 10}, g);
  // The same five vertices and four triangles drawn directly give the same bytes.
  auto expected = Plain(20, 10, platform::clWhite);
  platform::TriVertex v[5] = {{0, 0, 0xFF00, 0, 0, 0},
                              {10, 5, 0, 0xFF00, 0, 0},
                              {20, 0, 0, 0, 0xFF00, 0},
                              {20, 10, 0, 0, 0xFF00, 0},
                              {0, 10, 0, 0, 0xFF00, 0}};
  const platform::GradientTriangle t[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  platform::DeviceContext dc(&expected->DIB());
  platform::GradientFill(&dc, v, 5, t, 4, platform::GRADIENT_FILL_TRIANGLE);
  EXPECT_TRUE(PixelsAre(*b, [&](int x, int y) { return At(*expected, x, y); }));
  EXPECT_EQ(At(*b, 0, 0), platform::clRed);
}

TEST(DrawGradient, UnknownKindsEmptyArraysAndOutsideRectanglesDrawNothing) {
  auto b = Plain(5, 5, platform::clGreen);
  DrawGradient(b.get(), {0, 0, 5, 5}, ParseGradientData("255;255;100;3;0"));
  DrawGradient(b.get(), {0, 0, 5, 5}, {});
  DrawGradient(b.get(), {7, 7, 20, 20}, ParseGradientData("255;255;100;0;0"));
  EXPECT_TRUE(PixelsAre(*b, [](int, int) { return platform::clGreen; }));
  // Partly outside: only the part inside is painted.
  DrawGradient(b.get(), {-3, 3, 40, 40}, ParseGradientData("255;255;100;1;0"));
  EXPECT_TRUE(
      PixelsAre(*b, [](int, int y) { return y >= 3 ? platform::clRed : platform::clGreen; }));
}

}  // namespace
}  // namespace skin::test
