#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/drawing/DeviceContext.h"

namespace platform {
namespace {

// A pixel colour that names its position, so a copied pixel tells where it came from.
TColor Tag(int x, int y) { return RGB(x * 7 + 1, y * 11 + 2, 0x5A); }

DIBitmap Tagged(int w, int h, int bpp = 24, RowOrder order = RowOrder::BottomUp) {
  DIBitmap b(w, h, bpp, order);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Tag(x, y));
  return b;
}

DIBitmap Plain(int w, int h, TColor c, int bpp = 24, RowOrder order = RowOrder::BottomUp) {
  DIBitmap b(w, h, bpp, order);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, c);
  return b;
}

// Every pixel of `actual` against `expected(x, y)`; reports the first difference.
::testing::AssertionResult PixelsAre(const DIBitmap& actual,
                                     const std::function<TColor(int, int)>& expected) {
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.Pixel(x, y) != expected(x, y))
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << std::hex << actual.Pixel(x, y)
               << ", expected " << expected(x, y);
  return ::testing::AssertionSuccess();
}

// Filled inside `r` with `c`, `background` elsewhere.
std::function<TColor(int, int)> BoxOf(TRect r, TColor c, TColor background = clBlack) {
  return [=](int x, int y) { return r.Contains(x, y) ? c : background; };
}

// ----------------------------------------------------------------------------------------------

TEST(DeviceContextMapping, ViewportWindowAndOriginCombine) {
  DIBitmap bmp(30, 30);
  DeviceContext dc(&bmp);
  dc.SetOrigin({3, 4});
  TPoint old;
  ASSERT_TRUE(SetViewportOrgEx(&dc, 10, 20, &old));
  EXPECT_EQ(old, (TPoint{0, 0}));
  ASSERT_TRUE(SetWindowOrgEx(&dc, 5, 7));
  EXPECT_EQ(dc.LogicalToDevice(TPoint{0, 0}), (TPoint{5, 13}));
  EXPECT_EQ(dc.LogicalToSurface(TPoint{0, 0}), (TPoint{8, 17}));
  EXPECT_EQ(dc.SurfaceToLogical(TPoint{8, 17}), (TPoint{0, 0}));
  EXPECT_EQ(dc.LogicalToSurface(TRect{5, 7, 6, 9}), (TRect{13, 24, 14, 26}));
  EXPECT_EQ(dc.SurfaceToLogical(TRect{13, 24, 14, 26}), (TRect{5, 7, 6, 9}));
  ASSERT_TRUE(OffsetViewportOrgEx(&dc, -1, 2, &old));
  EXPECT_EQ(old, (TPoint{10, 20}));
  TPoint p;
  ASSERT_TRUE(GetViewportOrgEx(&dc, &p));
  EXPECT_EQ(p, (TPoint{9, 22}));
  ASSERT_TRUE(GetWindowOrgEx(&dc, &p));
  EXPECT_EQ(p, (TPoint{5, 7}));
  // Logical (5, 7) is device (9, 22), surface (12, 26).
  ASSERT_TRUE(FillRect(&dc, {5, 7, 6, 8}, CreateSolidBrush(clRed)));
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({12, 26, 13, 27}, clRed)));
  EXPECT_EQ(GetPixel(&dc, 5, 7), clRed);
}

TEST(DeviceContextMapping, NegativeOriginsAndExtremeValues) {
  DIBitmap bmp(10, 10);
  DeviceContext dc(&bmp);
  SetViewportOrgEx(&dc, -5, -3);
  FillRect(&dc, {0, 0, 10, 10}, CreateSolidBrush(clLime));
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({0, 0, 5, 7}, clLime)));
  EXPECT_EQ(GetPixel(&dc, 4, 2), CLR_INVALID);  // surface (-1, -1)

  // Origins at the ends of the int range cancel out exactly instead of wrapping.
  SetViewportOrgEx(&dc, INT_MAX, INT_MIN);
  SetWindowOrgEx(&dc, INT_MAX, INT_MIN);
  EXPECT_EQ(dc.LogicalToSurface(TPoint{2, 3}), (TPoint{2, 3}));
  // And when they do not cancel, everything lands outside the bitmap.
  SetWindowOrgEx(&dc, INT_MIN, INT_MAX);
  EXPECT_EQ(dc.LogicalToSurface(TPoint{0, 0}), (TPoint{INT_MAX, INT_MIN}));
  const DIBitmap before = bmp;
  EXPECT_TRUE(FillRect(&dc, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, CreateSolidBrush(clBlue)));
  EXPECT_EQ(bmp, before);
  // An origin this far off puts the whole bitmap beyond device coordinates: nothing to clip from.
  dc.SetOrigin({INT_MIN, INT_MIN});
  EXPECT_EQ(ExcludeClipRect(&dc, 0, 0, 1, 1), NULLREGION);
}

// ----------------------------------------------------------------------------------------------

TEST(DeviceContextSaveRestore, NestedLevelsRestoreClipOriginAndBrush) {
  DIBitmap bmp(20, 20);
  DeviceContext dc(&bmp);
  EXPECT_EQ(SaveDC(&dc), 1);  // level 1 holds the untouched state
  SetViewportOrgEx(&dc, 2, 2);
  IntersectClipRect(&dc, 0, 0, 10, 10);  // device (2, 2)-(12, 12)
  SelectBrush(&dc, CreateSolidBrush(clRed));
  EXPECT_EQ(SaveDC(&dc), 2);
  SetViewportOrgEx(&dc, 5, 5);
  ExcludeClipRect(&dc, 0, 0, 3, 3);  // device (5, 5)-(8, 8)
  SetTextColor(&dc, clAqua);
  EXPECT_EQ(SaveDC(&dc), 3);
  SelectClipRgn(&dc, nullptr);
  SetBkMode(&dc, TRANSPARENT);

  // Back to level 2: the state of the second save, levels 2 and 3 gone.
  ASSERT_TRUE(RestoreDC(&dc, 2));
  TPoint org;
  GetViewportOrgEx(&dc, &org);
  EXPECT_EQ(org, (TPoint{2, 2}));
  Region clip;
  ASSERT_EQ(GetClipRgn(&dc, &clip), 1);
  EXPECT_EQ(clip, Region(TRect{2, 2, 12, 12}));
  EXPECT_EQ(dc.Current().brush, CreateSolidBrush(clRed));
  EXPECT_EQ(GetTextColor(&dc), clBlack);
  EXPECT_EQ(dc.Current().bkMode, OPAQUE);
  FillRect(&dc, {-10, -10, 30, 30}, dc.Current().brush);
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({2, 2, 12, 12}, clRed)));

  // One level remains; -1 takes it.
  EXPECT_EQ(SaveDC(&dc), 2);
  ASSERT_TRUE(RestoreDC(&dc, -2));
  GetViewportOrgEx(&dc, &org);
  EXPECT_EQ(org, (TPoint{0, 0}));
  EXPECT_EQ(GetClipRgn(&dc, &clip), 0);
  EXPECT_EQ(dc.Current().brush, Brush{});
  EXPECT_FALSE(RestoreDC(&dc, -1));
}

TEST(DeviceContextSaveRestore, InvalidLevelsChangeNothing) {
  DIBitmap bmp(4, 4);
  DeviceContext dc(&bmp);
  SaveDC(&dc);
  SaveDC(&dc);
  SaveDC(&dc);
  SetViewportOrgEx(&dc, 7, 7);
  IntersectClipRect(&dc, 0, 0, 1, 1);
  for (int level : {0, 4, -4, INT_MIN, INT_MAX}) EXPECT_FALSE(RestoreDC(&dc, level)) << level;
  EXPECT_FALSE(RestoreDC(nullptr, 1));
  TPoint org;
  GetViewportOrgEx(&dc, &org);
  EXPECT_EQ(org, (TPoint{7, 7}));
  EXPECT_EQ(GetClipRgn(&dc, nullptr), 1);
  EXPECT_EQ(SaveDC(&dc), 4);  // the depth did not change either
}

// ----------------------------------------------------------------------------------------------

TEST(DeviceContextClip, SelectedRegionsAreCopiesAndNullRemovesThem) {
  DIBitmap bmp(10, 10);
  DeviceContext dc(&bmp);
  Region r(TRect{2, 2, 5, 5});
  EXPECT_EQ(SelectClipRgn(&dc, &r), SIMPLEREGION);
  r = Region(TRect{0, 0, 10, 10});  // changing the caller's region changes nothing
  FillRect(&dc, {0, 0, 10, 10}, CreateSolidBrush(clWhite));
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({2, 2, 5, 5}, clWhite)));
  EXPECT_EQ(SelectClipRgn(&dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(&dc, &r), 0);
  // A clip wholly outside the bitmap leaves nothing to draw.
  const Region outside(TRect{20, 20, 30, 30});
  EXPECT_EQ(SelectClipRgn(&dc, &outside), NULLREGION);
  TRect box{1, 1, 2, 2};
  EXPECT_EQ(GetClipBox(&dc, &box), NULLREGION);
  EXPECT_EQ(box, TRect{});
  EXPECT_FALSE(PtVisible(&dc, 0, 0));
}

TEST(DeviceContextClip, WindowContextCombinesBitmapSystemRegionAndClip) {
  // A window at (10, 5) of a 40 x 30 back buffer, its visible part an L in device coordinates.
  DIBitmap bmp(40, 30);
  DeviceContext dc(&bmp);
  dc.SetOrigin({10, 5});
  dc.SetSystemRegion(Region::FromRects({{0, 0, 20, 10}, {0, 10, 5, 40}}));
  // Without a clip: bitmap ∩ system region, in surface coordinates (cut at the bitmap's bottom).
  EXPECT_EQ(dc.EffectiveClip(), Region::FromRects({{10, 5, 30, 15}, {10, 15, 15, 30}}));
  // IntersectClipRect starts from everything: the bitmap and the system region, device coords.
  SetWindowOrgEx(&dc, -2, 0);  // logical = device - 2 horizontally
  EXPECT_EQ(IntersectClipRect(&dc, 0, 8, 30, 30), COMPLEXREGION);  // device (2, 8)-(32, 30)
  Region clip;
  ASSERT_EQ(GetClipRgn(&dc, &clip), 1);
  EXPECT_EQ(clip, Region::FromRects({{2, 8, 20, 10}, {2, 10, 5, 25}}));
  EXPECT_EQ(dc.EffectiveClip(), Region::FromRects({{12, 13, 30, 15}, {12, 15, 15, 30}}));
  TRect box;
  EXPECT_EQ(GetClipBox(&dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (TRect{0, 8, 18, 25}));  // logical
  EXPECT_TRUE(PtVisible(&dc, 0, 8));
  EXPECT_FALSE(PtVisible(&dc, -1, 8));
  EXPECT_FALSE(PtVisible(&dc, 3, 10));
  EXPECT_TRUE(RectVisible(&dc, {2, 10, 10, 12}));
  EXPECT_FALSE(RectVisible(&dc, {3, 10, 10, 12}));
  // Moving the window in its buffer moves what may be drawn with it.
  dc.SetOrigin({0, 0});
  EXPECT_EQ(dc.EffectiveClip(), Region::FromRects({{2, 8, 20, 10}, {2, 10, 5, 25}}));
  EXPECT_EQ(OffsetClipRgn(&dc, 1, -8), COMPLEXREGION);
  EXPECT_EQ(dc.EffectiveClip(),
            Region::FromRects({{3, 0, 21, 2}, {3, 2, 6, 17}}).Intersected(*dc.SystemRegion()));
}

TEST(DeviceContextClip, ExcludeWithoutClipCutsAHoleInTheBitmap) {
  DIBitmap bmp(10, 8);
  DeviceContext dc(&bmp);
  EXPECT_EQ(ExcludeClipRect(&dc, 2, 2, 5, 5), COMPLEXREGION);
  FillRect(&dc, {0, 0, 10, 10}, CreateSolidBrush(clYellow));
  EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) {
    return TRect{2, 2, 5, 5}.Contains(x, y) ? clBlack : clYellow;
  }));
  EXPECT_EQ(ExcludeClipRect(&dc, 0, 0, 10, 8), NULLREGION);
}

TEST(DeviceContextClip, ClipFollowsABitmapResizedBehindTheContext) {
  DIBitmap bmp(20, 20);
  DeviceContext dc(&bmp);
  EXPECT_EQ(dc.EffectiveClip(), Region(TRect{0, 0, 20, 20}));
  bmp.Resize(5, 3);
  EXPECT_EQ(dc.EffectiveClip(), Region(TRect{0, 0, 5, 3}));
  EXPECT_TRUE(FillRect(&dc, {0, 0, 20, 20}, CreateSolidBrush(clWhite)));
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({0, 0, 5, 3}, clWhite)));
  // A bitmap of another depth, or none, is nothing to draw on.
  DIBitmap indexed(4, 4, 8);
  dc.SelectBitmap(&indexed);
  EXPECT_TRUE(dc.EffectiveClip().IsEmpty());
  EXPECT_FALSE(FillRect(&dc, {0, 0, 4, 4}, CreateSolidBrush(clWhite)));
  EXPECT_EQ(SetPixel(&dc, 0, 0, clWhite), CLR_INVALID);
  EXPECT_EQ(dc.SelectBitmap(nullptr), &indexed);
  EXPECT_FALSE(FillRect(&dc, {0, 0, 4, 4}, CreateSolidBrush(clWhite)));
  EXPECT_EQ(GetClipBox(&dc, nullptr), NULLREGION);
}

// ----------------------------------------------------------------------------------------------

TEST(DeviceContextFill, FillRectIsCutAtEveryEdge) {
  for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
    DIBitmap bmp(8, 6, 24, order);
    DeviceContext dc(&bmp);
    FillRect(&dc, {-3, -2, 2, 1}, CreateSolidBrush(clRed));   // top left
    FillRect(&dc, {6, 4, 20, 20}, CreateSolidBrush(clLime));  // bottom right
    FillRect(&dc, {3, -5, 5, 99}, CreateSolidBrush(clBlue));  // top to bottom
    FillRect(&dc, {5, 3, 4, 4}, CreateSolidBrush(clWhite));   // inverted: nothing
    EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) {
      if (x < 2 && y < 1) return clRed;
      if (x >= 6 && y >= 4) return clLime;
      if (x >= 3 && x < 5) return clBlue;
      return clBlack;
    }));
  }
}

TEST(DeviceContextFill, BrushesAndDepths) {
  DIBitmap bmp24(6, 4), bmp32(6, 4, 32, RowOrder::TopDown);
  bmp32.Bits()[3] = 0x77;  // a fourth byte that the fill must overwrite
  for (DIBitmap* bmp : {&bmp24, &bmp32}) {
    DeviceContext dc(bmp);
    const Region frame = Region(TRect{0, 0, 6, 4}).Subtracted(TRect{1, 1, 5, 3});
    SelectClipRgn(&dc, &frame);
    EXPECT_TRUE(FillRect(&dc, {0, 0, 6, 4}, CreateSolidBrush(clBtnFace)));
    EXPECT_TRUE(FillRect(&dc, {0, 0, 6, 4}, ClearBrush()));  // a clear brush fills nothing
    EXPECT_TRUE(PixelsAre(
        *bmp, [&](int x, int y) { return frame.Contains(x, y) ? RGB(212, 208, 200) : clBlack; }));
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bmp32.ScanLine(y)[x * 4 + 3], 0);
}

TEST(DeviceContextFill, SetPixelAndGetPixelHonourClip) {
  DIBitmap bmp(4, 4, 32);
  DeviceContext dc(&bmp);
  IntersectClipRect(&dc, 1, 1, 4, 4);
  EXPECT_EQ(SetPixel(&dc, 1, 2, clWindow), clWhite);  // the colour actually set
  EXPECT_EQ(SetPixel(&dc, 0, 2, clWhite), CLR_INVALID);
  EXPECT_EQ(SetPixel(&dc, 4, 2, clWhite), CLR_INVALID);
  EXPECT_EQ(GetPixel(&dc, 1, 2), clWhite);
  EXPECT_EQ(GetPixel(&dc, 0, 0), CLR_INVALID);
  EXPECT_TRUE(PixelsAre(bmp, BoxOf({1, 2, 2, 3}, clWhite)));
  EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}

// ----------------------------------------------------------------------------------------------

// What a copy must give: the destination pixel of surface (x, y) takes the source pixel at
// (x + dx, y + dy) when it lies in `area`, in `clip` and in the source bitmap.
std::function<TColor(int, int)> CopyModel(const DIBitmap& before, const DIBitmap& source,
                                          TRect area, const Region& clip, int dx, int dy) {
  return [=, &before, &source](int x, int y) {
    const int sx = x + dx, sy = y + dy;
    if (area.Contains(x, y) && clip.Contains(x, y) && sx >= 0 && sy >= 0 && sx < source.Width() &&
        sy < source.Height())
      return source.Pixel(sx, sy);
    return before.Pixel(x, y);
  };
}

TEST(DeviceContextBitBlt, PartlyOutsideSourceAndDestination) {
  DIBitmap srcBmp = Tagged(6, 6), dstBmp = Plain(8, 8, clGray, 24, RowOrder::TopDown);
  DeviceContext src(&srcBmp), dst(&dstBmp);
  SetViewportOrgEx(&src, 1, 0);  // source logical (-3, 1) is surface (-2, 1)
  SetWindowOrgEx(&dst, 1, 0);    // destination logical (6, -1) is surface (5, -1)
  ASSERT_TRUE(BitBlt(&dst, 6, -1, 6, 6, &src, -3, 1, SRCCOPY));
  // Surface pixels x 5..7, y 0..4 are targeted; source x = x - 7 exists for x = 7 only, and
  // source y = y + 2 for y < 4.
  EXPECT_TRUE(
      PixelsAre(dstBmp, [](int x, int y) { return x == 7 && y < 4 ? Tag(0, y + 2) : clGray; }));
}

TEST(DeviceContextBitBlt, CopiesBetweenDepthsAndRowOrders) {
  for (int srcBpp : {24, 32})
    for (int dstBpp : {24, 32}) {
      DIBitmap srcBmp = Tagged(7, 5, srcBpp, RowOrder::TopDown);
      if (srcBpp == 32) srcBmp.ScanLine(2)[6 * 4 + 3] = 0x99;
      DIBitmap dstBmp = Plain(9, 6, clNavy, dstBpp, RowOrder::BottomUp);
      const DIBitmap before = dstBmp;
      DeviceContext src(&srcBmp), dst(&dstBmp);
      const Region clip = Region::FromRects({{0, 0, 9, 2}, {0, 2, 3, 6}, {5, 2, 9, 6}});
      SelectClipRgn(&dst, &clip);
      ASSERT_TRUE(BitBlt(&dst, 1, 1, 7, 5, &src, 1, 0, SRCCOPY));
      EXPECT_TRUE(PixelsAre(dstBmp, CopyModel(before, srcBmp, {1, 1, 8, 6}, clip, 0, -1)))
          << srcBpp << " to " << dstBpp;
      if (dstBpp == 32) {
        // The fourth byte travels between 32-bit bitmaps only.
        EXPECT_EQ(dstBmp.ScanLine(3)[6 * 4 + 3], srcBpp == 32 ? 0x99 : 0);
      }
    }
}

TEST(DeviceContextBitBlt, OverlappingCopyWithinOneBitmapActsLikeMemmove) {
  // Every direction, with no clip and with a clip of several rectangles per band: a pixel must
  // never be read after it has been overwritten.
  const Region combs[] = {
      Region(TRect{0, 0, 12, 10}),
      Region::FromRects({{0, 0, 3, 10}, {4, 0, 6, 10}, {7, 1, 12, 4}, {7, 5, 12, 9}})};
  for (const Region& clip : combs)
    for (int dy : {-2, 0, 3})
      for (int dx : {-3, 0, 1}) {
        DIBitmap bmp = Tagged(12, 10);
        const DIBitmap before = bmp;
        DeviceContext dc(&bmp);
        SelectClipRgn(&dc, &clip);
        ASSERT_TRUE(BitBlt(&dc, 2, 2, 8, 6, &dc, 2 + dx, 2 + dy, SRCCOPY));
        EXPECT_TRUE(PixelsAre(bmp, CopyModel(before, before, {2, 2, 10, 8}, clip, dx, dy)))
            << "dx " << dx << " dy " << dy << " clip of " << clip.Rects().size();
      }
}

TEST(DeviceContextBitBlt, RefusesOtherOperationsAndIgnoresEmptyOnes) {
  DIBitmap a = Tagged(4, 4), b(4, 4);
  DeviceContext src(&a), dst(&b);
  const DIBitmap before = b;
  EXPECT_FALSE(BitBlt(&dst, 0, 0, 4, 4, &src, 0, 0, 0x00EE0086));  // SRCPAINT
  EXPECT_FALSE(StretchBlt(&dst, 0, 0, 4, 4, &src, 0, 0, 4, 4, 0x00EE0086));
  EXPECT_FALSE(BitBlt(&dst, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(&dst, 0, 0, 0, 4, &src, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(&dst, 0, 0, -4, 4, &src, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(&dst, 0, 0, 4, 4, &src, 100, 0, SRCCOPY));
  EXPECT_EQ(b, before);
  // The source context's clip does not limit what is read.
  IntersectClipRect(&src, 0, 0, 1, 1);
  ASSERT_TRUE(BitBlt(&dst, 0, 0, 4, 4, &src, 0, 0, SRCCOPY));
  EXPECT_EQ(b, a);
}

// ----------------------------------------------------------------------------------------------

TEST(DeviceContextStretchBlt, EnlargesShrinksAndMirrorsByTheNearestPixelRule) {
  DIBitmap srcBmp = Tagged(6, 3);
  DeviceContext src(&srcBmp);
  struct Case {
    int x, w, srcX, srcW;
    std::vector<int> columns;  // source column of each destination column 0..
  };
  const Case cases[] = {
      {0, 12, 0, 6, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}},  // (2i + 1) * 6 / 24
      {0, 3, 0, 6, {1, 3, 5}},                              // (2i + 1) * 6 / 6
      {0, 3, 0, 5, {0, 2, 4}},                              // (2i + 1) * 5 / 6: 0.8, 2.5, 4.2
      {0, 4, 1, 3, {1, 2, 2, 3}},                           // (2i + 1) * 3 / 8: 0.4, 1.1, 1.9, 2.6
      {3, -3, 0, 6, {5, 3, 1}},                             // mirrored destination
      {0, 3, 6, -6, {5, 3, 1}},                             // mirrored source
      {3, -3, 6, -6, {1, 3, 5}},                            // both: upright
  };
  for (const Case& c : cases) {
    DIBitmap dstBmp(12, 3);
    DeviceContext dst(&dstBmp);
    ASSERT_TRUE(StretchBlt(&dst, c.x, 0, c.w, 3, &src, c.srcX, 0, c.srcW, 3, SRCCOPY));
    EXPECT_TRUE(PixelsAre(dstBmp,
                          [&](int x, int y) {
                            return x < static_cast<int>(c.columns.size())
                                       ? Tag(c.columns[static_cast<size_t>(x)], y)
                                       : clBlack;
                          }))
        << "w " << c.w << " srcW " << c.srcW;
  }
  // Rows follow the same rule: 3 rows onto 2, mirrored, give rows 2 and 0 ((2i + 1) * 3 / 4).
  DIBitmap dstBmp(6, 2);
  DeviceContext dst(&dstBmp);
  ASSERT_TRUE(StretchBlt(&dst, 0, 2, 6, -2, &src, 0, 0, 6, 3, SRCCOPY));
  EXPECT_TRUE(PixelsAre(dstBmp, [](int x, int y) { return Tag(x, y == 0 ? 2 : 0); }));
}

TEST(DeviceContextStretchBlt, ClippedToBothBitmapsAndTheClip) {
  DIBitmap srcBmp = Tagged(4, 4, 32), dstBmp = Plain(10, 10, clGray);
  DeviceContext src(&srcBmp), dst(&dstBmp);
  IntersectClipRect(&dst, 0, 0, 10, 7);
  SetViewportOrgEx(&dst, -2, 0);
  // Source columns -1..4 doubled: destination surface x = -2 + 2 * (sx + 1) + {0, 1}; the
  // source's column -1 and 4 do not exist, so surface columns 0..7 take columns 0..3.
  ASSERT_TRUE(StretchBlt(&dst, 0, 0, 12, 12, &src, -1, -1, 6, 6, SRCCOPY));
  EXPECT_TRUE(PixelsAre(dstBmp, [](int x, int y) {
    if (y >= 2 && y < 7 && x < 8) return Tag(x / 2, y / 2 - 1);
    return clGray;
  }));
}

TEST(DeviceContextStretchBlt, WithinOneBitmapReadsTheOriginal) {
  DIBitmap bmp = Tagged(8, 8);
  const DIBitmap before = bmp;
  DeviceContext dc(&bmp);
  ASSERT_TRUE(StretchBlt(&dc, 0, 0, 8, 8, &dc, 2, 2, 4, 4, SRCCOPY));
  EXPECT_TRUE(PixelsAre(bmp, [](int x, int y) { return Tag(2 + x / 2, 2 + y / 2); }));
  // An equal-sized stretch is a plain copy.
  DIBitmap original = before, copy(8, 8);
  const DIBitmap blank = copy;
  DeviceContext to(&copy), from(&original);
  ASSERT_TRUE(StretchBlt(&to, 1, 1, 5, 5, &from, 2, 0, 5, 5, SRCCOPY));
  EXPECT_TRUE(
      PixelsAre(copy, CopyModel(blank, original, {1, 1, 6, 6}, Region(TRect{0, 0, 8, 8}), 1, -1)));
}

}  // namespace
}  // namespace platform
