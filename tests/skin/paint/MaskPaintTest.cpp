// Mask painting: margins fitted to small targets, the nine parts of one- and two-layer border
// masks, state images, textures by draw mode, the transparent corner runs, and painters that end
// and stay inside their bitmaps whatever the mask's sizes.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/paint/sBorderMask.h"
#include "skin/paint/sKeyRuns.h"
#include "skin/paint/sMaskGeometry.h"
#include "skin/paint/sStateImage.h"
#include "skin/paint/sTexture.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/skin/paint/PaintTestSupport.h"

namespace skin::test {
namespace {

using platform::RGB;

constexpr TColor kEdge = RGB(10, 20, 30);
constexpr TColor kCorner = RGB(200, 100, 50);
constexpr TColor kCentre = RGB(0, 250, 0);

class MaskPaint : public SkinManagerFixture {
 protected:
  // A border mask with its own picture: `states` state images of size w x h side by side, each
  // with corners, edges and centre of their own colours (a state's colours are shifted by its
  // index), margins m; with two layers a mask band of `weight` below.
  std::unique_ptr<TsMaskData> Border(int w, int h, int m, int states = 1, bool twoLayers = false,
                                     int weight = 0) {
    auto mask = std::make_unique<TsMaskData>();
    const int layers = twoLayers ? 2 : 1;
    mask->Bmp = std::make_unique<TBitmap>(w * states, h * layers);
    for (int k = 0; k < states; ++k)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const bool edgeX = x < m || x >= w - m, edgeY = y < m || y >= h - m;
          TColor c = edgeX && edgeY ? kCorner : edgeX || edgeY ? kEdge : kCentre;
          c += k;  // the state shows in the red byte
          mask->Bmp->DIB().SetPixel(k * w + x, y, c);
          if (twoLayers) mask->Bmp->DIB().SetPixel(k * w + x, y + h, RGB(weight, weight, weight));
        }
    mask->R = {0, 0, w * states, h * layers};
    mask->ImageCount = static_cast<int16_t>(states);
    mask->MaskType = twoLayers ? 1 : 0;
    mask->WL = mask->WT = mask->WR = mask->WB = static_cast<int16_t>(m);
    mask->Tables = &manager->Tables();
    return mask;
  }
};

TEST(MarginFitting, NarrowTargetsShareTheExcessAndOddWidthsTakeOneMoreOnTheRight) {
  int wl = 6, wt = 3, wr = 7, wb = 3;
  FitMargins(9, 20, wl, wt, wr, wb);
  EXPECT_EQ(wl, 4);
  EXPECT_EQ(wr, 4);  // d = 2, then one more: the corners meet without an edge
  EXPECT_EQ(wt, 3);
  wl = 6, wr = 7, wt = 5, wb = 5;
  FitMargins(10, 3, wl, wt, wr, wb);
  EXPECT_EQ(wl, 5);
  EXPECT_EQ(wr, 6);
  EXPECT_EQ(wt, 2);  // d = 3, the height odd: 5 - 3 = 2 and 5 - 3 - 1 = 1
  EXPECT_EQ(wb, 1);
  wl = 1, wr = 1;
  FitMargins(0, 0, wl, wt, wr, wb);
  EXPECT_EQ(wl, 0);
  EXPECT_EQ(wr, 0);
}

TEST_F(MaskPaint, OneLayerBorderWithBorderWidthNeverFillsItsCentre) {
  auto mask = Border(9, 9, 3);
  mask->BorderWidth = 1;
  auto b = Plain(20, 16, platform::clBlack);
  DrawBorderMask(b.get(), {0, 0, 20, 16}, bfFillCentre, lkNormal, *mask, {});
  EXPECT_EQ(At(*b, 10, 8), platform::clBlack);
  EXPECT_EQ(At(*b, 0, 0), kCorner);
  EXPECT_EQ(At(*b, 19, 15), kCorner);
  EXPECT_EQ(At(*b, 10, 0), kEdge);
  EXPECT_EQ(At(*b, 19, 8), kEdge);
  mask->BorderWidth = 0;
  DrawBorderMask(b.get(), {0, 0, 20, 16}, bfFillCentre, lkNormal, *mask, {});
  EXPECT_TRUE(PixelsAre(*b, [](int x, int y) {
    const bool edgeX = x < 3 || x >= 17, edgeY = y < 3 || y >= 13;
    return edgeX && edgeY ? kCorner : edgeX || edgeY ? kEdge : kCentre;
  }));
}

TEST_F(MaskPaint, StateIndicesAboveTheCountPaintTheLastState) {
  auto mask = Border(6, 6, 2, 3);
  auto b = Plain(10, 10, platform::clBlack);
  DrawBorderMask(b.get(), {0, 0, 10, 10}, bfFillCentre, static_cast<TsLook>(7), *mask, {});
  EXPECT_EQ(At(*b, 0, 0), kCorner + 2);
  DrawBorderMask(b.get(), {0, 0, 10, 10}, bfFillCentre, lkHot, *mask, {});
  EXPECT_EQ(At(*b, 5, 5), kCentre + 1);
}

TEST_F(MaskPaint, OneLayerEdgesStretchWithADrawModeAndKeyCornersShowTheParent) {
  auto mask = Border(9, 9, 3);
  // A distinct first column of the top edge tells tiling from stretching.
  for (int y = 0; y < 3; ++y) mask->Bmp->DIB().SetPixel(3, y, platform::clRed);
  mask->Bmp->DIB().SetPixel(0, 0, platform::clFuchsia);
  auto parent = Plain(40, 40, platform::clYellow);
  auto b = Plain(21, 9, platform::clBlack);
  mask->DrawMode = 0;
  DrawBorderMask(b.get(), {0, 0, 21, 9}, bfShowParent, lkNormal, *mask, {parent.get(), 5, 5, true});
  EXPECT_EQ(At(*b, 3, 0), platform::clRed);
  EXPECT_EQ(At(*b, 6, 0), platform::clRed);  // tiles of 3 columns
  EXPECT_EQ(At(*b, 0, 0), platform::clYellow);
  mask->DrawMode = 1;
  DrawBorderMask(b.get(), {0, 0, 21, 9}, 0, lkNormal, *mask, {});
  // 15 columns from 3: the first five take the red column.
  for (int x = 3; x < 8; ++x) EXPECT_EQ(At(*b, x, 0), platform::clRed) << x;
  EXPECT_EQ(At(*b, 8, 0), kEdge);
  EXPECT_EQ(At(*b, 0, 0), platform::clYellow);  // without the parent the key leaves it alone
}

TEST_F(MaskPaint, TwoLayerMasksAlwaysTileAndMixThroughTheirWeights) {
  auto mask = Border(9, 9, 3, 1, true, 0);
  for (int y = 0; y < 3; ++y) mask->Bmp->DIB().SetPixel(3, y, platform::clRed);
  mask->DrawMode = 1;
  auto b = Plain(21, 9, platform::clBlack);
  DrawBorderMask(b.get(), {0, 0, 21, 9}, bfFillCentre, lkNormal, *mask, {});
  EXPECT_EQ(At(*b, 3, 0), platform::clRed);
  EXPECT_EQ(At(*b, 4, 0), kEdge);
  EXPECT_EQ(At(*b, 6, 0), platform::clRed);
  // Weight 255 nearly keeps the target.
  auto faint = Border(9, 9, 3, 1, true, 255);
  auto w = Plain(12, 12, platform::clWhite);
  DrawBorderMask(w.get(), {0, 0, 12, 12}, bfFillCentre, lkNormal, *faint, {});
  EXPECT_EQ(At(*w, 5, 5), RGB(254, 254, 254));  // (255 * 255 + s * 1) >> 8 for s of 0 or 250
}

TEST_F(MaskPaint, TwoLayerKeyCornersTakeTheParentOrTheFillColour) {
  auto mask = Border(9, 9, 3, 1, true, 0);
  mask->Bmp->DIB().SetPixel(0, 0, platform::clFuchsia);
  auto parent = Plain(30, 30, platform::clAqua);
  auto b = Plain(12, 12, platform::clBlack);
  DrawBorderMask(b.get(), {0, 0, 12, 12}, 0, lkNormal, *mask, {parent.get(), 2, 2, true});
  EXPECT_EQ(At(*b, 0, 0), platform::clAqua);
  DrawBorderMask(b.get(), {0, 0, 12, 12}, 0, lkNormal, *mask, {}, platform::clNavy);
  EXPECT_EQ(At(*b, 0, 0), platform::clNavy);
  DrawBorderMask(b.get(), {0, 0, 12, 12}, 0, lkNormal, *mask, {});
  EXPECT_EQ(At(*b, 0, 0), platform::clFuchsia);
}

TEST_F(MaskPaint, RegionVariantCutsExactlyTheKeyRunsOfTheCorners) {
  auto mask = Border(9, 9, 3);
  for (int x = 0; x < 2; ++x) mask->Bmp->DIB().SetPixel(x, 0, platform::clFuchsia);
  mask->Bmp->DIB().SetPixel(0, 1, platform::clFuchsia);
  mask->Bmp->DIB().SetPixel(8, 8, platform::clFuchsia);
  mask->Bmp->DIB().SetPixel(4, 0, platform::clFuchsia);  // an edge pixel: copied as it is
  auto b = Plain(20, 10, platform::clBlack);
  platform::Region region(TRect{0, 0, 20, 10});
  DrawBorderMaskWithRegion(b.get(), region, bfFillCentre, lkNormal, *mask);
  const platform::Region expected = platform::Region(TRect{0, 0, 20, 10})
                                        .Subtracted(TRect{0, 0, 2, 1})
                                        .Subtracted(TRect{0, 1, 1, 2})
                                        .Subtracted(TRect{19, 9, 20, 10});
  EXPECT_EQ(region, expected);
  EXPECT_EQ(At(*b, 0, 0), platform::clBlack);
  EXPECT_EQ(At(*b, 4, 0), platform::clFuchsia);
  EXPECT_EQ(At(*b, 10, 5), kCentre);
}

TEST_F(MaskPaint, ZeroCentresAndTilesEndAndTinyTargetsDrawNothing) {
  auto mask = Border(6, 6, 3);  // no centre at all
  auto b = Plain(40, 40, platform::clBlack);
  DrawBorderMask(b.get(), {0, 0, 40, 40}, bfFillCentre, lkNormal, *mask, {});
  platform::Region region(TRect{0, 0, 40, 40});
  DrawBorderMaskWithRegion(b.get(), region, bfFillCentre, lkNormal, *mask);
  TsMaskData empty;
  empty.Tables = &manager->Tables();
  empty.ImageCount = 1;
  empty.Bmp = std::make_unique<TBitmap>(4, 4);
  TRect area{0, 0, 40, 40};
  DrawTexture(b.get(), area, nullptr, 0, &empty);
  area = {0, 0, 40, 40};
  empty.MaskType = 1;
  DrawMaskedTexture(b.get(), area, {}, 10, empty);
  auto tiny = Plain(1, 5, platform::clBlack);
  DrawBorderMask(tiny.get(), {0, 0, 1, 5}, bfFillCentre, lkNormal, *Border(9, 9, 3), {});
  EXPECT_EQ(At(*tiny, 0, 0), platform::clBlack);
  // A mask of no tables is not painted.
  auto orphan = Border(9, 9, 3);
  orphan->Tables = nullptr;
  DrawBorderMask(b.get(), {0, 0, 40, 40}, bfFillCentre, lkNormal, *orphan, {});
  EXPECT_EQ(At(*b, 0, 0), kCorner);
}

TEST_F(MaskPaint, TexturesReturnWhatTheColourStillFills) {
  // Texture masks lie in the master bitmap.
  TsStoredSkin* skin = AddTestSkin(manager.get(), "Test");
  (void)skin;
  manager->SetSkinName("Test");
  const int griph =
      manager->Tables().FindTexture(manager->Tables().FindSection("GRIPH"), "GRIPH", "PATTERN");
  ASSERT_GE(griph, 0);
  const TsMaskData& texture = manager->Tables().Masks[static_cast<size_t>(griph)];
  const TBitmap& master = *manager->Tables().MasterBitmap.get();
  auto b = Plain(20, 20, platform::clBlack);
  TRect area{2, 2, 18, 18};
  DrawTexture(b.get(), area, nullptr, 1, &texture);
  EXPECT_EQ(area, kCoveredAll);
  b = Plain(20, 20, platform::clBlack);
  area = {2, 2, 18, 18};
  DrawTexture(b.get(), area, nullptr, 2, &texture);
  EXPECT_EQ(area, (TRect{2, 10, 18, 18}));  // below the one row of 8-pixel-high tiles
  EXPECT_EQ(At(*b, 2, 2), At(master, texture.R.Left, texture.R.Top));
  EXPECT_EQ(At(*b, 10, 9), At(master, texture.R.Left, texture.R.Top + 7));
  EXPECT_EQ(At(*b, 10, 10), platform::clBlack);
  EXPECT_EQ(At(*b, 1, 2), platform::clBlack);
  area = {2, 2, 18, 18};
  DrawTexture(b.get(), area, nullptr, 9, &texture);
  EXPECT_EQ(area, (TRect{2, 2, 18, 18}));
}

TEST_F(MaskPaint, ModeTenShowsWholeTilesOnlyAndTheStripsBeyondThem) {
  AddTestSkin(manager.get(), "Test");
  manager->SetSkinName("Test");
  const int griph =
      manager->Tables().FindTexture(manager->Tables().FindSection("GRIPH"), "GRIPH", "PATTERN");
  ASSERT_GE(griph, 0);
  const TsMaskData& texture = manager->Tables().Masks[static_cast<size_t>(griph)];  // 8 x 8
  // 16 rows are two tiles high, but rows start only while y < bottom - 8: one row of tiles.
  auto b = Plain(20, 20, platform::clBlack);
  TRect area{2, 2, 18, 18};
  DrawTexture(b.get(), area, nullptr, 10, &texture);
  EXPECT_EQ(area, kCoveredAll);
  EXPECT_NE(At(*b, 2, 9), platform::clBlack);
  EXPECT_EQ(At(*b, 2, 10), platform::clBlack);
  EXPECT_EQ(At(*b, 17, 17), platform::clBlack);

  // A two-layer texture of 4 x 4 tiles over a 10 x 8 area: two whole columns and one whole row;
  // the strip to the right and the strip below show the parent.
  auto masked = Border(4, 4, 1, 1, true, 0);
  masked->ImgType = itisaTexture;
  auto parent = Tagged(30, 30);
  auto t = Plain(12, 10, platform::clBlack);
  area = {1, 1, 11, 9};
  DrawMaskedTexture(t.get(), area, {parent.get(), 5, 6, true}, 10, *masked);
  EXPECT_EQ(area, kCoveredAll);
  EXPECT_TRUE(PixelsAre(*t, [&](int x, int y) {
    if (x < 1 || x >= 11 || y < 1 || y >= 9) return platform::clBlack;
    if (x >= 9 || y >= 5) return Tag(5 + x, 6 + y);
    return At(*masked->Bmp, (x - 1) % 4, (y - 1) % 4);
  }));
  // Without the parent's image, the strips and the key-coloured pixels take the fill colour.
  masked->Bmp->DIB().SetPixel(1, 1, kKeyColor);
  t = Plain(12, 10, platform::clBlack);
  area = {1, 1, 11, 9};
  DrawMaskedTexture(t.get(), area, {}, 10, *masked, platform::clNavy);
  EXPECT_TRUE(PixelsAre(*t, [&](int x, int y) {
    if (x < 1 || x >= 11 || y < 1 || y >= 9) return platform::clBlack;
    if (x >= 9 || y >= 5 || ((x - 1) % 4 == 1 && (y - 1) % 4 == 1)) return platform::clNavy;
    return At(*masked->Bmp, (x - 1) % 4, (y - 1) % 4);
  }));
}

TEST_F(MaskPaint, DimmedStateImagesAreHalfTransparentOrFainter) {
  auto one = Border(4, 4, 1, 2);
  one->Bmp.reset();  // in the master bitmap, so that the one-layer path is taken
  auto two = Border(4, 4, 1, 1, true, 0);
  auto b = Plain(8, 8, platform::clBlack);
  DrawStateImage(b.get(), {0, 0}, lkNormal, *two, 1);
  EXPECT_EQ(At(*b, 0, 0), kCorner);
  b = Plain(8, 8, platform::clBlack);
  DrawStateImage(b.get(), {0, 0}, lkNormal, *two, 0);
  // Mask bytes 0 + 100: ((0 - s) * 100 + s * 256) >> 8 per channel.
  EXPECT_EQ(At(*b, 0, 0), RGB((200 * 156) >> 8, (100 * 156) >> 8, (50 * 156) >> 8));
  // Off the top-left: the visible part of the glyph, from its matching offset.
  b = Plain(8, 8, platform::clBlack);
  DrawStateImage(b.get(), {-1, -1}, lkNormal, *two, 1);
  EXPECT_EQ(At(*b, 0, 0), kCentre);
  EXPECT_EQ(At(*b, 2, 2), kCorner);
  EXPECT_EQ(At(*b, 3, 3), platform::clBlack);
}

TEST_F(MaskPaint, KeyRunsOfTheCornersLandAtBothEdgesOfTheTarget) {
  auto mask = Border(9, 9, 3);
  for (int x : {0, 1, 7, 8}) mask->Bmp->DIB().SetPixel(x, 0, platform::clFuchsia);
  mask->Bmp->DIB().SetPixel(0, 8, platform::clFuchsia);
  std::vector<TRect> runs;
  CollectKeyRuns(runs, 30, *mask, false, 0);
  EXPECT_EQ(runs, (std::vector<TRect>{{0, 0, 2, 1}, {28, 0, 30, 1}}));
  runs.clear();
  CollectKeyRuns(runs, 30, *mask, true, 27);
  EXPECT_EQ(runs, (std::vector<TRect>{{0, 29, 1, 30}}));
}

}  // namespace
}  // namespace skin::test
