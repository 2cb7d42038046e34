// The pixel primitives of skin painting: the exact arithmetic of tints, mixes and blends, and
// that copies leave key-coloured pixels out and stay inside every bitmap.

#include <gtest/gtest.h>

#include "skin/paint/sBlending.h"
#include "skin/paint/sKeyedCopy.h"
#include "skin/paint/sPixelAccess.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

TEST(TintRect, RoundsHalfwayTiesToEvenAndKeepsOrReplacesAtTheEnds) {
  auto b = Plain(4, 4, RGB(255, 253, 100));
  TintRect(b.get(), {0, 0, 4, 4}, 50, platform::clBlack);
  // 127.5 rounds to 128 and 126.5 to 126; 50 is exact.
  EXPECT_EQ(At(*b, 1, 1), RGB(128, 126, 50));
  auto kept = Plain(4, 4, RGB(10, 20, 30));
  TintRect(kept.get(), {0, 0, 4, 4}, 100, platform::clWhite);
  EXPECT_TRUE(PixelsAre(*kept, [](int, int) { return RGB(10, 20, 30); }));
  TintRect(kept.get(), {0, 0, 4, 4}, 0, platform::clBtnFace);
  EXPECT_TRUE(PixelsAre(*kept, [](int, int) { return platform::ColorToRGB(platform::clBtnFace); }));
}

TEST(TintRect, TheClippedRectangleIsInclusive) {
  auto b = Plain(8, 8, platform::clWhite);
  TintRect(b.get(), {2, 2, 5, 5}, 0, platform::clRed);
  EXPECT_TRUE(PixelsAre(*b, [](int x, int y) {
    return x >= 2 && x <= 5 && y >= 2 && y <= 5 ? platform::clRed : platform::clWhite;
  }));
  TintRect(b.get(), {-3, -3, 100, 100}, 0, platform::clBlue);  // clipped, no write outside
  EXPECT_TRUE(PixelsAre(*b, [](int, int) { return platform::clBlue; }));
}

TEST(Mix, WeightIsTheDestinationsShareWithIntegerRounding) {
  auto d = Plain(3, 3, RGB(200, 200, 200));
  auto s = Plain(3, 3, RGB(0, 0, 0));
  MixBitmapWhole(d.get(), s.get(), 255);
  EXPECT_EQ(At(*d, 0, 0), RGB(199, 199, 199));  // (255 * 200 + 127) >> 8
  auto copy = Tagged(3, 3);
  MixBitmapWhole(d.get(), copy.get(), 0);
  EXPECT_TRUE(PixelsAre(*d, Tag));
  // Different sizes, or a bitmap under 2 x 2: nothing happens.
  auto other = Plain(4, 3, 0);
  MixBitmapWhole(d.get(), other.get(), 0);
  EXPECT_TRUE(PixelsAre(*d, Tag));
  auto line = Plain(3, 1, 0);
  auto lineTarget = Plain(3, 1, platform::clWhite);
  MixBitmapWhole(lineTarget.get(), line.get(), 0);
  EXPECT_EQ(At(*lineTarget, 1, 0), platform::clWhite);
}

TEST(Mix, EveryPairOfBytesAtEveryWeightMixesAsTheFormulaSays) {
  // 128 x 171 pixels hold all 65,536 pairs of a destination and a source byte, in runs long enough
  // for the word-wise walk and with a tail after it.
  constexpr int kWidth = 128;
  constexpr int kHeight = 171;
  auto s = Plain(kWidth, kHeight, 0);
  auto d = Plain(kWidth, kHeight, 0);
  const auto fill = [](framework::TBitmap& b, int shift) {
    for (int y = 0, i = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth * 3; ++x, ++i) b.DIB().ScanLine(y)[x] = (i >> shift) & 255;
  };
  fill(*s, 8);
  for (int weight = 0; weight < 256; ++weight) {
    fill(*d, 0);
    MixBitmapWhole(d.get(), s.get(), static_cast<uint8_t>(weight));
    int wrong = 0;
    for (int y = 0, i = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth * 3; ++x, ++i) {
        const int expected = ((i & 255) * weight + ((i >> 8) & 255) * (255 - weight) + 127) >> 8;
        wrong += d->DIB().ScanLine(y)[x] != expected;
      }
    ASSERT_EQ(wrong, 0) << "at weight " << weight;
  }
}

TEST(Mix, MixBitmapAtANegativePointTakesTheSourceFromTheMatchingOffset) {
  auto d = Plain(6, 6, platform::clBlack);
  auto s = Tagged(6, 6);
  MixBitmap(d.get(), s.get(), 0, {-2, -1}, {0, 0, 6, 6});
  EXPECT_TRUE(PixelsAre(
      *d, [](int x, int y) { return x < 4 && y < 5 ? Tag(x + 2, y + 1) : platform::clBlack; }));
  // A source rectangle starting left of and above 0 moves the point as much; what then reaches
  // past either bitmap is cut, never read or written outside.
  auto e = Plain(5, 5, platform::clBlack);
  MixBitmap(e.get(), s.get(), 0, {3, 3}, {-4, -4, 60, 60});
  EXPECT_TRUE(PixelsAre(*e, [](int x, int y) { return Tag(x + 1, y + 1); }));
}

TEST(BlendOver, SkipsTheKeyUnlessItsHighByteIsFF) {
  auto s = Plain(3, 1 + 1, platform::clFuchsia);
  s->DIB().SetPixel(1, 0, RGB(100, 100, 100));
  auto d = Plain(3, 2, RGB(200, 0, 50));
  BlendOver(d.get(), 0, 0, platform::clFuchsia, 0.5, {0, 0, 2, 1}, s.get());
  EXPECT_EQ(At(*d, 0, 0), RGB(200, 0, 50));
  EXPECT_EQ(At(*d, 1, 0), RGB(150, 50, 75));
  BlendOver(d.get(), 0, 0, static_cast<TColor>(0xFF00FF00u | 0xFF), 0.5, {0, 0, 2, 1}, s.get());
  // 0.5 * 255 + 0.5 * 200 = 227.5 -> 228; 0.5 * 255 + 0.5 * 50 = 152.5 -> 152.
  EXPECT_EQ(At(*d, 0, 0), RGB(228, 0, 152));
}

TEST(KeyedCopies, NeverWriteTheKeyAndTakeTheParentOnlyWhenReady) {
  auto s = Tagged(4, 4);
  s->DIB().SetPixel(1, 1, platform::clFuchsia);
  auto d = Plain(6, 6, platform::clBlack);
  PutKeyed(d.get(), s.get(), 2, platform::clFuchsia, {0, 0, 3, 3}, 2);
  EXPECT_EQ(At(*d, 3, 3), platform::clBlack);
  EXPECT_EQ(At(*d, 5, 5), Tag(3, 3));
  EXPECT_EQ(At(*d, 2, 2), Tag(0, 0));

  auto parent = Plain(20, 20, platform::clGreen);
  parent->DIB().SetPixel(13, 14, platform::clYellow);
  auto e = Plain(6, 6, platform::clBlack);
  TCacheInfo notReady{parent.get(), 10, 11, false};
  PutKeyedOrParent(e.get(), s.get(), 2, true, notReady, platform::clFuchsia, {0, 0, 3, 3}, 2);
  EXPECT_EQ(At(*e, 3, 3), platform::clBlack);
  TCacheInfo ready{parent.get(), 10, 11, true};
  PutKeyedOrParent(e.get(), s.get(), 2, true, ready, platform::clFuchsia, {0, 0, 3, 3}, 2);
  EXPECT_EQ(At(*e, 3, 3), platform::clYellow);  // the parent pixel at (10 + 3, 11 + 3)
  // Whole copies skip places outside the destination.
  auto f = Plain(3, 3, platform::clBlack);
  PutKeyedWhole(f.get(), s.get(), -2, platform::clFuchsia, -2);
  EXPECT_EQ(At(*f, 0, 0), Tag(2, 2));
  EXPECT_EQ(At(*f, 1, 1), Tag(3, 3));
}

TEST(PixelAccess, RefusesTinyBitmapsAndOtherFormats) {
  TacFast24 fast;
  auto line = Plain(5, 1, 0);
  EXPECT_FALSE(fast.Attach(line.get()));
  EXPECT_EQ(fast.Width, 0);
  framework::TBitmap deep(4, 4, framework::pf32bit);
  try {
    fast.Attach(&deep);
    FAIL() << "a 32-bit bitmap was bound";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Bitmap format is not supported");
  }
  auto b = Tagged(3, 4);
  ASSERT_TRUE(fast.Attach(b.get()));
  EXPECT_EQ(fast.Pixel(2, 3), Tag(2, 3));
  EXPECT_LT(fast.Stride, 0);  // bottom-up rows
}

TEST(ColourArithmetic, MixColorsMaskMixAndDesaturation) {
  EXPECT_EQ(MixColors(RGB(255, 0, 1), RGB(0, 255, 0), 0.5), RGB(128, 128, 0));  // 127.5, 0.5
  EXPECT_EQ(static_cast<uint32_t>(MixColors(static_cast<TColor>(0x12000000), 0, 1.0)) >> 24, 0x12u);
  EXPECT_EQ(MaskMix(100, 200, 0), 200);
  EXPECT_EQ(MaskMix(100, 200, 255), 100);  // ((100 - 200) * 255 + 200 * 256) >> 8 = 100.4
  EXPECT_EQ(MaskMix(255, 0, 255), 254);
  auto b = Plain(2, 2, RGB(10, 20, 31));
  b->DIB().SetPixel(1, 1, platform::clFuchsia);
  DesaturateExceptKey(b.get(), platform::clFuchsia);
  EXPECT_EQ(At(*b, 0, 0), RGB(20, 20, 20));
  EXPECT_EQ(At(*b, 1, 1), platform::clFuchsia);
  Desaturate(b.get());
  EXPECT_EQ(At(*b, 1, 1), RGB(170, 170, 170));
}

TEST(ColourArithmetic, MixTowardColorTakesEachChannelsWeight) {
  auto d = Plain(2, 2, RGB(200, 100, 0));
  auto w = Plain(2, 2, RGB(0, 255, 128));
  MixTowardColor(d.get(), w.get(), RGB(40, 40, 40));
  // red weight 0: the colour; green 255: (40*256 + 255*60) >> 8 = 99; blue 128: 20.
  EXPECT_EQ(At(*d, 0, 0), RGB(40, 99, 20));
}

}  // namespace
}  // namespace skin::test
