#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/drawing/Lines.h"

namespace platform {
namespace {

constexpr TColor kPaper = RGB(10, 20, 30);
constexpr TColor kInk = RGB(200, 100, 50);

DIBitmap Paper(int w, int h, int bpp = 24) {
  DIBitmap b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, kPaper);
  return b;
}

// The inked pixels, row by row from the top.
std::vector<TPoint> Inked(const DIBitmap& b) {
  std::vector<TPoint> points;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) == kInk) points.push_back({x, y});
  return points;
}

TEST(LinesTest, AxisAndDiagonalLinesLeaveOutTheirEndPoint) {
  DIBitmap b = Paper(8, 8);
  DeviceContext dc(&b);
  ASSERT_TRUE(DrawLine(&dc, {1, 1}, {4, 1}, kInk));
  EXPECT_EQ(Inked(b), (std::vector<TPoint>{{1, 1}, {2, 1}, {3, 1}}));

  b = Paper(8, 8);
  DrawLine(&dc, {6, 5}, {6, 2}, kInk);  // upwards
  EXPECT_EQ(Inked(b), (std::vector<TPoint>{{6, 3}, {6, 4}, {6, 5}}));

  b = Paper(8, 8);
  DrawLine(&dc, {0, 3}, {3, 0}, kInk);
  EXPECT_EQ(Inked(b), (std::vector<TPoint>{{2, 1}, {1, 2}, {0, 3}}));

  b = Paper(8, 8);
  EXPECT_TRUE(DrawLine(&dc, {4, 4}, {4, 4}, kInk));
  EXPECT_TRUE(Inked(b).empty());
}

TEST(LinesTest, ShallowLinesStepOnePixelPerColumnRoundingToTheNearestRow) {
  DIBitmap b = Paper(10, 4);
  DeviceContext dc(&b);
  DrawLine(&dc, {0, 0}, {8, 2}, kInk);
  // Row at column i: floor((2 * i * 2 + 8) / 16): halves round away from the start.
  EXPECT_EQ(Inked(b),
            (std::vector<TPoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 2}, {7, 2}}));
}

TEST(LinesTest, ClipOriginAndWidePens) {
  DIBitmap b = Paper(10, 10);
  DeviceContext dc(&b);
  SetViewportOrgEx(&dc, 2, 3);
  IntersectClipRect(&dc, 0, 0, 3, 10);  // logical columns 0..2
  DrawLine(&dc, {-5, 0}, {9, 0}, kInk);
  EXPECT_EQ(Inked(b), (std::vector<TPoint>{{2, 3}, {3, 3}, {4, 3}}));

  b = Paper(10, 10);
  DeviceContext wide(&b);
  DrawLine(&wide, {2, 5}, {4, 5}, kInk, 3);  // 3 x 3 squares centred on (2, 5) and (3, 5)
  EXPECT_EQ(Inked(b).size(), 12u);
  EXPECT_EQ(b.Pixel(1, 4), kInk);
  EXPECT_EQ(b.Pixel(4, 6), kInk);
  EXPECT_EQ(b.Pixel(5, 5), kPaper);
}

TEST(LinesTest, FarAwayEndsDrawOnlyWhatCrossesTheBitmap) {
  DIBitmap b = Paper(16, 4, 32);
  DeviceContext dc(&b);
  DrawLine(&dc, {INT_MIN, 2}, {INT_MAX, 2}, kInk);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(b.Pixel(x, 2), kInk) << x;
  EXPECT_EQ(b.ScanLine(2)[3], 0);  // the fourth byte as contexts leave it
  EXPECT_EQ(Inked(b).size(), 16u);

  DrawLine(&dc, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, kInk);  // the diagonal through (0, 0)
  EXPECT_EQ(b.Pixel(1, 1), kInk);
  EXPECT_EQ(b.Pixel(3, 3), kInk);
  EXPECT_FALSE(DrawLine(nullptr, {0, 0}, {1, 1}, kInk));
  DIBitmap indexed(4, 4, 8);
  DeviceContext none(&indexed);
  EXPECT_FALSE(DrawLine(&none, {0, 0}, {3, 0}, kInk));
}

}  // namespace
}  // namespace platform
