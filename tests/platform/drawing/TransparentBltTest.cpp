#include <gtest/gtest.h>

#include "platform/drawing/TransparentBlt.h"

namespace platform {
namespace {

constexpr TColor kPaper = RGB(1, 2, 3);
constexpr TColor kKey = clFuchsia;

DIBitmap Filled(int w, int h, TColor c, int bpp = 24) {
  DIBitmap b(w, h, bpp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
  return b;
}

TEST(TransparentBltTest, KeyPixelsLeaveTheDestinationAlone) {
  DIBitmap dst = Filled(6, 3, kPaper);
  DIBitmap src(3, 1);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 0, kKey);
  src.SetPixel(2, 0, clBlue);
  DeviceContext d(&dst), s(&src);
  ASSERT_TRUE(TransparentBlt(&d, 1, 1, 3, 1, &s, 0, 0, 3, 1, kKey));
  EXPECT_EQ(dst.Pixel(1, 1), clRed);
  EXPECT_EQ(dst.Pixel(2, 1), kPaper);
  EXPECT_EQ(dst.Pixel(3, 1), clBlue);
  EXPECT_EQ(dst.Pixel(0, 1), kPaper);
  EXPECT_EQ(dst.Pixel(1, 0), kPaper);

  // Doubled: every source pixel covers two columns, the key's two stay paper.
  dst = Filled(6, 3, kPaper);
  ASSERT_TRUE(TransparentBlt(&d, 0, 0, 6, 2, &s, 0, 0, 3, 1, kKey));
  const TColor expected[6] = {clRed, clRed, kPaper, kPaper, clBlue, clBlue};
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(dst.Pixel(x, 0), expected[x]) << x;
    EXPECT_EQ(dst.Pixel(x, 1), expected[x]) << x;
  }
  EXPECT_EQ(dst.Pixel(0, 2), kPaper);
  EXPECT_FALSE(TransparentBlt(&d, 0, 0, -3, 1, &s, 0, 0, 3, 1, kKey));
}

TEST(TransparentBltTest, ClipSourceEdgesAndOneBitmapForBoth) {
  DIBitmap dst = Filled(4, 4, kPaper, 32);
  DIBitmap src = Filled(2, 2, clLime);
  DeviceContext d(&dst), s(&src);
  IntersectClipRect(&d, 0, 0, 4, 1);
  // The source rectangle reaches past the source's right edge: those columns stay paper.
  TransparentBlt(&d, 0, 0, 4, 4, &s, 0, 0, 4, 4, kKey);
  EXPECT_EQ(dst.Pixel(1, 0), clLime);
  EXPECT_EQ(dst.Pixel(2, 0), kPaper);
  EXPECT_EQ(dst.Pixel(0, 1), kPaper);

  DIBitmap one = Filled(4, 1, kPaper);
  one.SetPixel(0, 0, clRed);
  DeviceContext o(&one);
  // Shifting right within one bitmap reads the pixels as they were.
  TransparentBlt(&o, 1, 0, 3, 1, &o, 0, 0, 3, 1, kKey);
  EXPECT_EQ(one.Pixel(1, 0), clRed);
  EXPECT_EQ(one.Pixel(2, 0), kPaper);
}

TEST(DrawIconExTest, MaskedPixelsStayAndMasksOfAnyDepthCount) {
  DIBitmap image = Filled(2, 2, clNavy);
  DIBitmap mask(2, 2, 1);
  mask.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
  mask.SetPixelIndex(1, 0, 1);
  DIBitmap dst = Filled(4, 4, kPaper);
  DeviceContext d(&dst);
  ASSERT_TRUE(DrawIconEx(&d, 1, 1, image, &mask, 2, 2));
  EXPECT_EQ(dst.Pixel(1, 1), clNavy);
  EXPECT_EQ(dst.Pixel(2, 1), kPaper);
  EXPECT_EQ(dst.Pixel(1, 2), clNavy);
  EXPECT_EQ(dst.Pixel(2, 2), clNavy);

  DIBitmap colourMask = Filled(2, 2, clBlack);
  colourMask.SetPixel(0, 1, RGB(0, 0, 1));
  dst = Filled(4, 4, kPaper);
  ASSERT_TRUE(DrawIconEx(&d, 0, 0, image, &colourMask, 4, 4));  // stretched twice
  EXPECT_EQ(dst.Pixel(0, 2), kPaper);
  EXPECT_EQ(dst.Pixel(1, 3), kPaper);
  EXPECT_EQ(dst.Pixel(2, 2), clNavy);

  DIBitmap wrongSize(3, 2, 1);
  EXPECT_FALSE(DrawIconEx(&d, 0, 0, image, &wrongSize, 2, 2));
  EXPECT_TRUE(DrawIconEx(&d, 0, 0, image, nullptr, 2, 2));
  EXPECT_EQ(dst.Pixel(0, 1), clNavy);
}

}  // namespace
}  // namespace platform
