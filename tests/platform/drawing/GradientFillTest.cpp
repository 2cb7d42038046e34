#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/drawing/GradientFill.h"

namespace platform {
namespace {

TriVertex V(int32_t x, int32_t y, uint16_t r, uint16_t g, uint16_t b) {
  TriVertex v;
  v.x = x;
  v.y = y;
  v.Red = r;
  v.Green = g;
  v.Blue = b;
  return v;
}

bool Fill(DeviceContext& dc, const std::vector<TriVertex>& v,
          const std::vector<GradientTriangle>& t) {
  return GradientFill(&dc, v.data(), static_cast<uint32_t>(v.size()), t.data(),
                      static_cast<uint32_t>(t.size()), GRADIENT_FILL_TRIANGLE);
}

// The rectangle's pixels painted by each triangle of the four-corner layout, drawn one triangle
// at a time into its own bitmap of a marker colour.
std::vector<int> CoverCounts(TRect r, int w, int h) {
  const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  const std::vector<TriVertex> v = {
      V(r.Left, r.Top, 0xFF00, 0xFF00, 0xFF00), V(cx, cy, 0xFF00, 0xFF00, 0xFF00),
      V(r.Right, r.Top, 0xFF00, 0xFF00, 0xFF00), V(r.Right, r.Bottom, 0xFF00, 0xFF00, 0xFF00),
      V(r.Left, r.Bottom, 0xFF00, 0xFF00, 0xFF00)};
  const GradientTriangle tris[] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  std::vector<int> count(static_cast<size_t>(w * h), 0);
  for (const GradientTriangle& t : tris) {
    DIBitmap bmp(w, h);
    DeviceContext dc(&bmp);
    EXPECT_TRUE(Fill(dc, v, {t}));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (bmp.Pixel(x, y) == clWhite) ++count[static_cast<size_t>(y * w + x)];
  }
  return count;
}

TEST(GradientFillRule, SmallTriangleMatchesHandWorkedValues) {
  // Doubled area 6; at pixel (x, y) the weights are (6 - 2x - 3y, 2x, 3y) / 6. Inside, or on the
  // top edge y = 0 or the left edge x = 0: (0,0) (1,0) (2,0) (0,1) (1,1); (3,0) and (0,2) lie on
  // the right-hand edge 2x + 3y = 6 and are left out.
  //   red   = (32768 w0 + 65535 w1) / 6     green = 4660 w1 / 6     blue = 65535 w2 / 6
  //   (1,0): 262142 / 6 = 43690 -> 170;  9320 / 6 = 1553 -> 6
  //   (2,0): 327676 / 6 = 54612 -> 213; 18640 / 6 = 3106 -> 12
  //   (0,1):  98304 / 6 = 16384 -> 64;                    196605 / 6 = 32767 -> 127
  //   (1,1): 163838 / 6 = 27306 -> 106;                    blue as (0,1)
  const std::vector<TriVertex> v = {V(0, 0, 0x8000, 0, 0), V(3, 0, 0xFFFF, 0x1234, 0),
                                    V(0, 2, 0, 0, 0xFFFF)};
  for (const GradientTriangle& t : {GradientTriangle{0, 1, 2}, GradientTriangle{2, 1, 0}}) {
    for (int bpp : {24, 32}) {
      DIBitmap bmp(5, 4, bpp);
      DeviceContext dc(&bmp);
      FillRect(&dc, {0, 0, 5, 4}, CreateSolidBrush(clGray));
      ASSERT_TRUE(Fill(dc, v, {t}));
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
          TColor expected = clGray;
          if (x == 0 && y == 0) expected = RGB(128, 0, 0);
          if (x == 1 && y == 0) expected = RGB(170, 6, 0);
          if (x == 2 && y == 0) expected = RGB(213, 12, 0);
          if (x == 0 && y == 1) expected = RGB(64, 0, 127);
          if (x == 1 && y == 1) expected = RGB(106, 6, 127);
          EXPECT_EQ(bmp.Pixel(x, y), expected) << "(" << x << ", " << y << ") order " << t.Vertex1;
        }
    }
  }
}

TEST(GradientFillRule, FourCornerLayoutFillsEveryPixelOnce) {
  // Odd and even sizes, one-pixel strips, and a rectangle away from the origin.
  for (int w = 1; w <= 9; ++w)
    for (int h = 1; h <= 7; ++h) {
      const TRect r{2, 1, 2 + w, 1 + h};
      const std::vector<int> count = CoverCounts(r, 12, 9);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
          ASSERT_EQ(count[static_cast<size_t>(y * 12 + x)], r.Contains(x, y) ? 1 : 0)
              << "pixel (" << x << ", " << y << ") of a " << w << " x " << h << " rectangle";
    }
}

TEST(GradientFillRule, FourCornerColoursAtTheCorners) {
  // Vertex 0's colour lands exactly on the top-left pixel; the far corners are outside.
  DIBitmap bmp(10, 6);
  DeviceContext dc(&bmp);
  const std::vector<TriVertex> v = {V(0, 0, 0xC800, 0x6400, 0x3200), V(5, 3, 0, 0, 0),
                                    V(10, 0, 0, 0, 0xFF00), V(10, 6, 0xFF00, 0xFF00, 0xFF00),
                                    V(0, 6, 0, 0xFF00, 0)};
  ASSERT_TRUE(Fill(dc, v, {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}}));
  EXPECT_EQ(bmp.Pixel(0, 0), RGB(200, 100, 50));
  EXPECT_EQ(bmp.Pixel(5, 3), RGB(0, 0, 0));
  // Pixel (9, 0) on the top edge of triangle (0, 1, 2): weights (0.1, 0, 0.9) of doubled area 30.
  EXPECT_EQ(bmp.Pixel(9, 0),
            RGB(0xC800 * 3 / 30 >> 8, 0x6400 * 3 / 30 >> 8, (0x3200 * 3 + 0xFF00 * 27) / 30 >> 8));
}

TEST(GradientFillRule, DegenerateTrianglesDrawNothing) {
  DIBitmap bmp(6, 6);
  const DIBitmap before = bmp;
  DeviceContext dc(&bmp);
  const std::vector<TriVertex> v = {
      V(0, 0, 0xFFFF, 0xFFFF, 0xFFFF), V(5, 5, 0xFFFF, 0xFFFF, 0xFFFF),
      V(2, 2, 0xFFFF, 0xFFFF, 0xFFFF), V(0, 5, 0xFFFF, 0xFFFF, 0xFFFF)};
  EXPECT_TRUE(Fill(dc, v, {{0, 1, 2}, {0, 0, 0}, {0, 0, 3}, {3, 3, 3}}));
  EXPECT_EQ(bmp, before);
}

TEST(GradientFillContext, HonoursMappingAndClip) {
  // A square split along its diagonal, drawn through a window origin and a clip; the result must
  // equal the same square drawn directly, cut to the clip.
  auto square = [](int x0, int y0) {
    return std::vector<TriVertex>{V(x0, y0, 0xFFFF, 0, 0), V(x0 + 8, y0, 0, 0xFFFF, 0),
                                  V(x0 + 8, y0 + 8, 0, 0, 0xFFFF),
                                  V(x0, y0 + 8, 0x8000, 0x8000, 0x8000)};
  };
  const std::vector<GradientTriangle> tris = {{0, 1, 2}, {0, 2, 3}};
  DIBitmap direct(12, 12), mapped(12, 12);
  DeviceContext a(&direct), b(&mapped);
  ASSERT_TRUE(Fill(a, square(2, 3), tris));
  SetWindowOrgEx(&b, 10, 20);
  SetViewportOrgEx(&b, -1, 1);            // logical (13, 22) is surface (2, 3)
  IntersectClipRect(&b, 10, 20, 16, 24);  // surface (-1, 1)-(5, 5)
  ASSERT_TRUE(Fill(b, square(13, 22), tris));
  int painted = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inClip = x < 5 && y >= 1 && y < 5;
      EXPECT_EQ(mapped.Pixel(x, y), inClip ? direct.Pixel(x, y) : clBlack) << x << ", " << y;
      painted += direct.Pixel(x, y) != clBlack;
    }
  EXPECT_GE(painted, 60);  // 64 pixels, a few of them near black
}

TEST(GradientFillContext, RefusesBadCallsWithoutDrawing) {
  DIBitmap bmp(4, 4);
  const DIBitmap before = bmp;
  DeviceContext dc(&bmp);
  const std::vector<TriVertex> v = {V(0, 0, 0xFFFF, 0, 0), V(4, 0, 0xFFFF, 0, 0),
                                    V(0, 4, 0xFFFF, 0, 0)};
  // A vertex index past the end, even after a good triangle: nothing at all is drawn.
  EXPECT_FALSE(Fill(dc, v, {{0, 1, 2}, {0, 1, 3}}));
  const GradientTriangle t{0, 1, 2};
  EXPECT_FALSE(GradientFill(&dc, v.data(), 3, &t, 1, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(GradientFill(&dc, nullptr, 0, &t, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_FALSE(GradientFill(nullptr, v.data(), 3, &t, 1, GRADIENT_FILL_TRIANGLE));
  // Triangles too large for exact 64-bit interpolation are refused rather than drawn wrongly.
  const std::vector<TriVertex> huge = {V(-2000000000, 0, 0, 0, 0), V(2000000000, 0, 0, 0, 0),
                                       V(0, 2000000000, 0, 0, 0)};
  EXPECT_FALSE(Fill(dc, huge, {{0, 1, 2}}));
  EXPECT_EQ(bmp, before);
  EXPECT_TRUE(GradientFill(&dc, v.data(), 3, nullptr, 0, GRADIENT_FILL_TRIANGLE));
}

}  // namespace
}  // namespace platform
