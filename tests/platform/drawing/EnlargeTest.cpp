// Enlarging by repeating pixels: every pixel becomes a block of itself, in every depth and row
// order, and sizes beyond the bitmap limits are refused.

#include "platform/drawing/Enlarge.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"

namespace platform {
namespace {

TColor Tag(int x, int y) { return RGB(x * 40 + 3, y * 50 + 5, (x + y) * 20 + 1); }

// Odd widths, so that the rows of both pictures carry padding.
DIBitmap Tagged(int w, int h, int bpp, RowOrder order) {
  DIBitmap b(w, h, bpp, order);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Tag(x, y));
  return b;
}

TEST(Enlarge, EveryPixelBecomesABlockOfItselfInEachDirectDepthAndRowOrder) {
  for (int bpp : {24, 32}) {
    for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
      for (int factor : {2, 3}) {
        const DIBitmap source = Tagged(5, 3, bpp, order);
        const DIBitmap big = Enlarged(source, factor);
        ASSERT_EQ(big.Width(), 5 * factor);
        ASSERT_EQ(big.Height(), 3 * factor);
        EXPECT_EQ(big.BitsPerPixel(), bpp);
        EXPECT_EQ(big.Order(), order);
        int wrong = 0;
        for (int y = 0; y < big.Height(); ++y)
          for (int x = 0; x < big.Width(); ++x)
            if (big.Pixel(x, y) != Tag(x / factor, y / factor)) ++wrong;
        EXPECT_EQ(wrong, 0) << bpp << " bits, factor " << factor;
      }
    }
  }
}

TEST(Enlarge, IndexedPicturesKeepTheirPaletteOrBecome24Bits) {
  DIBitmap indexed(3, 2, 8);
  indexed.SetPalette({{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}});
  for (int x = 0; x < 3; ++x) indexed.SetPixelIndex(x, 1, static_cast<uint8_t>(x));
  const DIBitmap big = Enlarged(indexed, 2);
  EXPECT_EQ(big.BitsPerPixel(), 8);
  EXPECT_EQ(big.Palette(), indexed.Palette());
  EXPECT_EQ(big.PixelIndex(5, 3), 2);
  EXPECT_EQ(big.PixelIndex(2, 2), 1);
  EXPECT_EQ(big.PixelIndex(1, 1), 0);

  DIBitmap mono(9, 1, 1);
  mono.SetPalette({{0, 0, 0, 0}, {255, 255, 255, 0}});
  mono.SetPixelIndex(8, 0, 1);
  const DIBitmap wide = Enlarged(mono, 3);
  EXPECT_EQ(wide.BitsPerPixel(), 24);
  EXPECT_EQ(wide.Pixel(26, 2), RGB(255, 255, 255));
  EXPECT_EQ(wide.Pixel(23, 2), RGB(0, 0, 0));
}

TEST(Enlarge, AFactorOfOneOrAnEmptyPictureIsACopyAndTooLargeIsRefused) {
  const DIBitmap source = Tagged(3, 3, 24, RowOrder::BottomUp);
  EXPECT_EQ(Enlarged(source, 1), source);
  EXPECT_TRUE(Enlarged(DIBitmap(), 3).Empty());
  EXPECT_THROW(Enlarged(DIBitmap(12000, 1), 3), EOutOfResources);
  EXPECT_THROW(Enlarged(DIBitmap(1, DIBitmap::kMaxDimension), 2), EOutOfResources);
}

}  // namespace
}  // namespace platform
