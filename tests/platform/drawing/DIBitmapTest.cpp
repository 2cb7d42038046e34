#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/Exception.h"
#include "platform/drawing/DIBitmap.h"

namespace platform {
namespace {

TColor Tag(int x, int y) { return RGB(x * 9 + 3, y * 13 + 5, (x + y) * 5); }

DIBitmap Tagged(int w, int h, int bpp = 24, RowOrder order = RowOrder::BottomUp) {
  DIBitmap b(w, h, bpp, order);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Tag(x, y));
  return b;
}

bool ShowsTags(const DIBitmap& b, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (b.Pixel(x, y) != Tag(x, y)) return false;
  return true;
}

TEST(DIBitmapLayout, RowsArePaddedAndOrderedAsWindowsStoresThem) {
  EXPECT_EQ(DIBitmap::BytesPerRowFor(1, 24), 4u);
  EXPECT_EQ(DIBitmap::BytesPerRowFor(5, 24), 16u);
  EXPECT_EQ(DIBitmap::BytesPerRowFor(3, 32), 12u);
  EXPECT_EQ(DIBitmap::BytesPerRowFor(33, 1), 8u);
  EXPECT_EQ(DIBitmap::BytesPerRowFor(9, 4), 8u);
  EXPECT_EQ(DIBitmap::BytesPerRowFor(5, 8), 8u);

  DIBitmap up(5, 3, 24, RowOrder::BottomUp), down(5, 3, 24, RowOrder::TopDown);
  EXPECT_EQ(up.Stride(), -16);
  EXPECT_EQ(down.Stride(), 16);
  EXPECT_EQ(up.SizeInBytes(), 48u);
  // The first stored row is the bottom one for bottom-up bitmaps.
  EXPECT_EQ(up.Bits(), up.ScanLine(2));
  EXPECT_EQ(down.Bits(), down.ScanLine(0));
  EXPECT_EQ(up.ScanLine(1) - up.ScanLine(0), up.Stride());
  // Pixels are blue, green, red in memory.
  up.SetPixel(1, 0, RGB(10, 20, 30));
  EXPECT_EQ(up.ScanLine(0)[3], 30);
  EXPECT_EQ(up.ScanLine(0)[4], 20);
  EXPECT_EQ(up.ScanLine(0)[5], 10);
  EXPECT_EQ(up.Bits()[2 * 16 + 5], 10);
}

TEST(DIBitmapLayout, IndexedPixelsAreMostSignificantBitsFirst) {
  DIBitmap one(10, 2, 1), four(5, 2, 4);
  one.SetPixelIndex(0, 0, 1);
  one.SetPixelIndex(9, 0, 1);
  EXPECT_EQ(one.ScanLine(0)[0], 0x80);
  EXPECT_EQ(one.ScanLine(0)[1], 0x40);
  one.SetPixelIndex(0, 0, 0);
  EXPECT_EQ(one.ScanLine(0)[0], 0x00);
  four.SetPixelIndex(0, 1, 0xA);
  four.SetPixelIndex(1, 1, 0x5);
  four.SetPixelIndex(4, 1, 0xF);
  EXPECT_EQ(four.ScanLine(1)[0], 0xA5);
  EXPECT_EQ(four.ScanLine(1)[2], 0xF0);
  EXPECT_EQ(four.PixelIndex(1, 1), 5);
  // Palettes are cut to what the depth can index; direct depths keep none.
  four.SetPalette(std::vector<RGBQuad>(20));
  EXPECT_EQ(four.Palette().size(), 16u);
  DIBitmap direct(2, 2);
  direct.SetPalette(std::vector<RGBQuad>(4));
  EXPECT_TRUE(direct.Palette().empty());
}

TEST(DIBitmapLimits, AbsurdOrInvalidSizesAreRefused) {
  EXPECT_THROW(DIBitmap(DIBitmap::kMaxDimension + 1, 1), EOutOfResources);
  EXPECT_THROW(DIBitmap(1, DIBitmap::kMaxDimension + 1), EOutOfResources);
  EXPECT_THROW(DIBitmap(20000, 20000, 32), EOutOfResources);  // 1.6 GB
  EXPECT_THROW(DIBitmap(-1, 5), EInvalidGraphic);
  EXPECT_THROW(DIBitmap(5, 5, 16), EInvalidGraphic);
  EXPECT_NO_THROW(DIBitmap(DIBitmap::kMaxDimension, 1, 32));
  DIBitmap b = Tagged(3, 3);
  EXPECT_THROW(b.Resize(50000, 2), EOutOfResources);
  EXPECT_TRUE(ShowsTags(b, 3, 3));  // a refused resize leaves the bitmap as it was
  EXPECT_THROW((void)b.ConvertedTo(8), EInvalidGraphic);
  const DIBitmap empty(0, 7);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.SizeInBytes(), 0u);
}

TEST(DIBitmapResize, KeepsTheSharedPixelsFromTheTopLeft) {
  for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown})
    for (int bpp : {24, 32}) {
      DIBitmap b = Tagged(6, 4, bpp, order);
      b.Resize(9, 7);
      ASSERT_EQ(b.Width(), 9);
      ASSERT_EQ(b.Order(), order);
      for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
          EXPECT_EQ(b.Pixel(x, y), x < 6 && y < 4 ? Tag(x, y) : clBlack) << x << ", " << y;
      b.Resize(2, 3);
      EXPECT_TRUE(ShowsTags(b, 2, 3));
    }
  // Indexed bitmaps keep their indices and palette.
  DIBitmap four(5, 2, 4);
  four.SetPalette({{0, 0, 0, 0}, {1, 2, 3, 0}});
  four.SetPixelIndex(4, 1, 1);
  four.Resize(7, 3);
  EXPECT_EQ(four.PixelIndex(4, 1), 1);
  EXPECT_EQ(four.PixelIndex(5, 1), 0);
  EXPECT_EQ(four.Pixel(4, 1), RGB(3, 2, 1));
}

TEST(DIBitmapResize, PaddingBitsNeverBecomePixels) {
  // Row padding may hold anything (decoders copy whole stored rows); widening must not show it.
  DIBitmap one(3, 2, 1), four(3, 1, 4);
  one.ScanLine(1)[0] = 0x1F;  // pixels 0..2 are 0, the padding bits after them are set
  one.ScanLine(1)[1] = 0xFF;
  four.ScanLine(0)[1] = 0x0F;  // pixel 2 is 0, the low nibble is padding
  one.Resize(20, 2);
  four.Resize(6, 1);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(one.PixelIndex(x, 1), 0) << x;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(four.PixelIndex(x, 0), 0) << x;
  DIBitmap direct = Tagged(5, 1);  // 15 bytes of pixels, 1 of padding
  direct.ScanLine(0)[15] = 0xAB;
  direct.Resize(6, 1);
  EXPECT_TRUE(ShowsTags(direct, 5, 1));
  EXPECT_EQ(direct.Pixel(5, 0), clBlack);
}

TEST(DIBitmapConvert, IndexedDepthsGoThroughThePalette) {
  const std::vector<RGBQuad> palette = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
  for (int bpp : {1, 4, 8}) {
    DIBitmap b(9, 2, bpp, RowOrder::TopDown);
    b.SetPalette(palette);
    b.SetPixelIndex(0, 0, 1);
    b.SetPixelIndex(8, 1, 1);
    if (bpp > 1) b.SetPixelIndex(3, 0, 2);
    if (bpp > 1) b.SetPixelIndex(4, 0, 7);  // beyond the palette: black
    const DIBitmap c = b.ConvertedTo(24);
    ASSERT_EQ(c.BitsPerPixel(), 24);
    EXPECT_EQ(c.Order(), RowOrder::TopDown);
    EXPECT_EQ(c.Pixel(0, 0), RGB(60, 50, 40)) << bpp;
    EXPECT_EQ(c.Pixel(8, 1), RGB(60, 50, 40)) << bpp;
    EXPECT_EQ(c.Pixel(1, 0), RGB(30, 20, 10)) << bpp;
    if (bpp > 1) {
      EXPECT_EQ(c.Pixel(3, 0), RGB(90, 80, 70));
      EXPECT_EQ(c.Pixel(4, 0), clBlack);
    }
  }
}

TEST(DIBitmapConvert, DirectDepthsRoundTrip) {
  const DIBitmap b24 = Tagged(5, 3);
  DIBitmap b32 = b24.ConvertedTo(32);
  EXPECT_EQ(b32.BitsPerPixel(), 32);
  EXPECT_TRUE(ShowsTags(b32, 5, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b32.ScanLine(y)[x * 4 + 3], 0);
  b32.ScanLine(1)[3] = 0xEE;
  const DIBitmap back = b32.ConvertedTo(24);
  EXPECT_TRUE(ShowsTags(back, 5, 3));
  EXPECT_EQ(back.BytesPerRow(), 16u);
}

TEST(DIBitmapCopy, CopiesAndMovesKeepRowsPointingAtTheirOwnPixels) {
  DIBitmap a = Tagged(4, 3);
  DIBitmap copy(a);
  EXPECT_EQ(copy.ScanLine(2), copy.Bits());  // bottom-up: row 2 is stored first
  copy.SetPixel(0, 0, clWhite);
  EXPECT_EQ(a.Pixel(0, 0), Tag(0, 0));
  DIBitmap assigned(1, 1);
  assigned = a;
  assigned.SetPixel(1, 1, clWhite);
  EXPECT_EQ(a.Pixel(1, 1), Tag(1, 1));
  EXPECT_EQ(assigned.ScanLine(0), assigned.Bits() + 2 * 12);

  DIBitmap moved(std::move(a));
  EXPECT_TRUE(ShowsTags(moved, 4, 3));
  EXPECT_EQ(moved.ScanLine(2), moved.Bits());
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(a.SizeInBytes(), 0u);
  DIBitmap target = Tagged(2, 2, 32, RowOrder::TopDown);
  target = std::move(moved);
  EXPECT_TRUE(ShowsTags(target, 4, 3));
  EXPECT_EQ(target.ScanLine(0), target.Bits() + 2 * 12);
  // Assigning a bitmap to itself changes nothing.
  DIBitmap& alias = target;
  target = alias;
  EXPECT_TRUE(ShowsTags(target, 4, 3));
}

}  // namespace
}  // namespace platform
