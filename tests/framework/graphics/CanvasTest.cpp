#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/text/Font.h"

namespace framework {
namespace {

using platform::TColor;

constexpr TColor kPaper = platform::RGB(250, 240, 230);

// A 24-bit bitmap filled with the paper colour, whose canvas the tests draw on.
std::unique_ptr<TBitmap> Paper(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>(width, height);
  bitmap->Canvas()->Brush()->SetColor(kPaper);
  bitmap->Canvas()->FillRect({0, 0, width, height});
  return bitmap;
}

int CountOf(const TBitmap& b, TColor color, const TRect& area) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) n += b.DIB().Pixel(x, y) == color;
  return n;
}

TEST(CanvasTest, FillFrameAndRectangleCoverExactlyTheirPixels) {
  auto b = Paper(12, 10);
  TCanvas& c = *b->Canvas();
  c.Brush()->SetColor(platform::clRed);
  c.FillRect({1, 1, 4, 3});
  EXPECT_EQ(CountOf(*b, platform::clRed, {0, 0, 12, 10}), 6);
  EXPECT_EQ(b->DIB().Pixel(3, 2), platform::clRed);
  EXPECT_EQ(b->DIB().Pixel(4, 2), kPaper);

  c.Brush()->SetStyle(bsClear);
  c.FillRect({0, 0, 12, 10});  // a clear brush fills nothing
  EXPECT_EQ(CountOf(*b, platform::clRed, {0, 0, 12, 10}), 6);

  b = Paper(12, 10);
  TCanvas& f = *b->Canvas();
  f.Brush()->SetColor(platform::clBlue);
  f.FrameRect({2, 2, 6, 5});
  EXPECT_EQ(CountOf(*b, platform::clBlue, {0, 0, 12, 10}), 10);  // 4 x 3 less the 2 x 1 inside
  EXPECT_EQ(b->DIB().Pixel(3, 3), kPaper);

  b = Paper(12, 10);
  TCanvas& r = *b->Canvas();
  r.Brush()->SetColor(platform::clYellow);
  r.Pen()->SetColor(platform::clGreen);
  r.Rectangle(8, 6, 2, 2);  // corners in any order: 2..7 x 2..5
  EXPECT_EQ(CountOf(*b, platform::clGreen, {0, 0, 12, 10}), 16);
  EXPECT_EQ(CountOf(*b, platform::clYellow, {3, 3, 7, 5}), 8);
  EXPECT_EQ(b->DIB().Pixel(7, 5), platform::clGreen);
  EXPECT_EQ(b->DIB().Pixel(8, 5), kPaper);
  EXPECT_EQ(b->DIB().Pixel(7, 6), kPaper);

  r.Pen()->SetStyle(psClear);
  r.Brush()->SetColor(platform::clAqua);
  r.Rectangle(0, 0, 3, 3);  // no pen: one pixel less to the right and below
  EXPECT_EQ(CountOf(*b, platform::clAqua, {0, 0, 12, 10}), 4);
}

TEST(CanvasTest, LinesPenPositionAndPixels) {
  auto b = Paper(10, 10);
  TCanvas& c = *b->Canvas();
  c.Pen()->SetColor(platform::clMaroon);
  c.MoveTo(1, 1);
  c.LineTo(5, 1);
  c.LineTo(5, 4);
  c.LineTo(2, 7);
  EXPECT_EQ(c.PenPos(), (TPoint{2, 7}));
  EXPECT_EQ(b->DIB().Pixel(1, 1), platform::clMaroon);
  EXPECT_EQ(b->DIB().Pixel(5, 1), platform::clMaroon);  // the next segment starts there
  EXPECT_EQ(b->DIB().Pixel(5, 3), platform::clMaroon);
  EXPECT_EQ(b->DIB().Pixel(3, 6), platform::clMaroon);
  EXPECT_EQ(b->DIB().Pixel(2, 7), kPaper);  // the last end point is not drawn
  EXPECT_EQ(CountOf(*b, platform::clMaroon, {0, 0, 10, 10}), 10);

  c.Pen()->SetStyle(psClear);
  c.LineTo(9, 9);
  EXPECT_EQ(c.PenPos(), (TPoint{9, 9}));
  EXPECT_EQ(CountOf(*b, platform::clMaroon, {0, 0, 10, 10}), 10);

  c.SetPixels(0, 9, platform::clBtnFace);  // system colours are resolved
  EXPECT_EQ(c.Pixels(0, 9), platform::ColorToRGB(platform::clBtnFace));
  EXPECT_EQ(c.Pixels(10, 0), platform::CLR_INVALID);
  EXPECT_EQ(c.Pixels(-1, 0), platform::CLR_INVALID);
}

TEST(CanvasTest, TextIsDrawnInTheFontColourOverAClearOrSolidBrush) {
  auto b = Paper(80, 20);
  TCanvas& c = *b->Canvas();
  c.Font()->SetColor(platform::clRed);
  c.Brush()->SetStyle(bsClear);
  const TSize extent = c.TextExtent("Hello");
  EXPECT_GT(extent.cx, 10);
  EXPECT_GT(extent.cy, 8);
  EXPECT_EQ(c.TextWidth("Hello"), extent.cx);
  EXPECT_EQ(c.TextHeight("Hello"), extent.cy);
  EXPECT_GT(c.TextWidth("Hello, world"), extent.cx);

  c.TextOut(3, 2, "Hello");
  EXPECT_EQ(c.PenPos(), (TPoint{3 + extent.cx, 2}));
  const TRect cell = platform::Bounds(3, 2, extent.cx, extent.cy);
  const int ink = CountOf(*b, platform::clRed, cell);
  EXPECT_GT(ink, 10);
  EXPECT_EQ(CountOf(*b, platform::clRed, {0, 0, 80, 20}), ink);  // nothing outside the cell
  // Transparent: every other pixel of the cell is still paper (the bitmap face has no greys).
  EXPECT_EQ(CountOf(*b, kPaper, cell), cell.Width() * cell.Height() - ink);

  b = Paper(80, 20);
  TCanvas& o = *b->Canvas();
  o.Font()->SetColor(platform::clRed);
  o.Brush()->SetColor(platform::clYellow);
  o.TextOut(3, 2, "Hello");
  EXPECT_EQ(CountOf(*b, platform::clRed, cell), ink);
  EXPECT_EQ(CountOf(*b, platform::clYellow, cell), cell.Width() * cell.Height() - ink);
  EXPECT_EQ(CountOf(*b, platform::clYellow, {0, 0, 80, 20}), cell.Width() * cell.Height() - ink);
}

TEST(CanvasTest, TextRectClipsAndFillsItsRectangle) {
  auto b = Paper(80, 20);
  TCanvas& c = *b->Canvas();
  c.Font()->SetColor(platform::clNavy);
  c.Brush()->SetColor(platform::clLime);
  const TRect box{10, 4, 30, 12};
  c.TextRect(box, 5, 2, "Wide text here");  // starts left of and above the box
  EXPECT_GT(CountOf(*b, platform::clNavy, box), 0);
  EXPECT_EQ(CountOf(*b, kPaper, box), 0);
  const int inside = CountOf(*b, platform::clNavy, box) + CountOf(*b, platform::clLime, box);
  EXPECT_EQ(inside, box.Width() * box.Height());
  EXPECT_EQ(CountOf(*b, kPaper, {0, 0, 80, 20}), 80 * 20 - box.Width() * box.Height());
  // The clip is given back: drawing afterwards reaches beyond the box.
  c.FillRect({0, 0, 2, 2});
  EXPECT_EQ(b->DIB().Pixel(0, 0), platform::clLime);
}

TEST(CanvasTest, AssignedFontAndBrushAreSelectedIntoTheContext) {
  TFont owner;
  owner.SetName("Arial");
  owner.SetSize(12);
  owner.SetStyle(fsBold | fsItalic);
  owner.SetColor(platform::clHighlight);
  auto b = Paper(4, 4);
  TCanvas& c = *b->Canvas();
  c.SetFont(&owner);
  EXPECT_EQ(c.Font()->Name(), "Arial");
  EXPECT_EQ(c.Font()->Size(), 12);
  EXPECT_EQ(c.Font()->Style(), TFontStyles{fsBold | fsItalic});
  EXPECT_EQ(c.Font()->Color(), platform::clHighlight);
  owner.SetColor(platform::clRed);  // a copy, not a share
  EXPECT_EQ(c.Font()->Color(), platform::clHighlight);

  c.Brush()->SetColor(platform::clTeal);
  HDC dc = c.Handle();
  const platform::LogFont& selected = platform::FontRequest(platform::GetCurrentFont(dc));
  EXPECT_EQ(selected.FaceName, "Arial");
  EXPECT_EQ(selected.Height, -16);
  EXPECT_EQ(selected.Weight, platform::FW_BOLD);
  EXPECT_TRUE(selected.Italic);
  EXPECT_EQ(platform::GetTextColor(dc), platform::ColorToRGB(platform::clHighlight));
  EXPECT_EQ(dc->Current().bkMode, platform::OPAQUE);
  EXPECT_EQ(dc->Current().bkColor, platform::clTeal);
  c.Brush()->SetStyle(bsClear);
  EXPECT_EQ(c.Handle()->Current().bkMode, platform::TRANSPARENT);
}

TEST(CanvasTest, DrawStretchDrawAndCopyRect) {
  TBitmap tile(2, 2);
  tile.DIB().SetPixel(0, 0, platform::clRed);
  tile.DIB().SetPixel(1, 0, platform::clLime);
  tile.DIB().SetPixel(0, 1, platform::clBlue);
  tile.DIB().SetPixel(1, 1, platform::clBlack);
  auto b = Paper(8, 8);
  TCanvas& c = *b->Canvas();
  c.Draw(5, 5, &tile);
  EXPECT_EQ(b->DIB().Pixel(5, 5), platform::clRed);
  EXPECT_EQ(b->DIB().Pixel(6, 6), platform::clBlack);
  EXPECT_EQ(b->DIB().Pixel(7, 7), kPaper);
  c.StretchDraw({0, 0, 4, 4}, &tile);
  EXPECT_EQ(CountOf(*b, platform::clRed, {0, 0, 2, 2}), 4);
  EXPECT_EQ(CountOf(*b, platform::clBlack, {2, 2, 4, 4}), 4);
  c.Draw(0, 0, nullptr);  // nothing to draw

  auto target = Paper(4, 4);
  target->Canvas()->CopyRect({0, 0, 2, 2}, &c, {2, 2, 6, 6});  // halved
  EXPECT_EQ(target->DIB().Pixel(0, 0), platform::clBlack);
  EXPECT_EQ(target->DIB().Pixel(1, 0), kPaper);
  EXPECT_EQ(target->DIB().Pixel(1, 1), platform::clRed);
  EXPECT_EQ(target->DIB().Pixel(2, 2), kPaper);
}

TEST(CanvasTest, BorrowedContextsClipRectLockAndChangeEvents) {
  TCanvas plain;
  EXPECT_FALSE(plain.HandleAllocated());
  EXPECT_THROW(plain.Handle(), EInvalidGraphicOperation);
  EXPECT_THROW(plain.FillRect({0, 0, 1, 1}), EInvalidGraphicOperation);

  platform::DIBitmap surface(6, 6);
  platform::DeviceContext dc(&surface);
  platform::IntersectClipRect(&dc, 1, 1, 4, 5);
  plain.SetHandle(&dc);
  EXPECT_EQ(plain.ClipRect(), (TRect{1, 1, 4, 5}));
  plain.Brush()->SetColor(platform::clPurple);
  int changing = 0, changed = 0;
  plain.OnChanging = [&](TObject*) { ++changing; };
  plain.OnChange = [&](TObject*) { ++changed; };
  plain.FillRect({0, 0, 6, 6});
  plain.TextExtent("x");  // measuring is not a change
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(surface.Pixel(1, 1), platform::clPurple);
  EXPECT_EQ(surface.Pixel(0, 0), platform::clBlack);
  plain.SetHandle(nullptr);
  EXPECT_THROW(plain.Handle(), EInvalidGraphicOperation);

  plain.Lock();
  plain.Lock();
  EXPECT_TRUE(plain.TryLock());
  EXPECT_EQ(plain.LockCount(), 3);
  plain.Unlock();
  plain.Unlock();
  plain.Unlock();
  plain.Unlock();  // one too many: ignored
  EXPECT_EQ(plain.LockCount(), 0);
}

}  // namespace
}  // namespace framework
