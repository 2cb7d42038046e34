#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace framework {
namespace {

using platform::TColor;

// A colour that names its position, so moved pixels show.
TColor At(int x, int y) { return platform::RGB(x * 10 + 1, y * 10 + 1, 77); }

void Pattern(TBitmap& b) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.DIB().SetPixel(x, y, At(x, y));
}

TEST(BitmapTest, ResizingKeepsTheSharedPixelsAndPaintsNewOnesWithTheBrush) {
  TBitmap b(4, 3);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.DIB().Pixel(3, 2), platform::clWhite);  // a new bitmap is white
  Pattern(b);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.SetSize(6, 5);
  EXPECT_EQ(changes, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.DIB().Pixel(x, y), At(x, y));
  EXPECT_EQ(b.DIB().Pixel(5, 0), platform::clWhite);
  EXPECT_EQ(b.DIB().Pixel(0, 4), platform::clWhite);

  b.Canvas()->Brush()->SetColor(platform::clBtnFace);
  b.SetWidth(7);
  EXPECT_EQ(b.DIB().Pixel(6, 0), platform::ColorToRGB(platform::clBtnFace));
  EXPECT_EQ(b.DIB().Pixel(5, 0), platform::clWhite);
  b.SetHeight(2);
  b.SetWidth(2);
  EXPECT_EQ(b.DIB().Pixel(1, 1), At(1, 1));
  b.SetSize(2, 2);
  EXPECT_EQ(changes, 4);
  EXPECT_THROW(b.SetWidth(-1), EInvalidGraphic);
  EXPECT_THROW(b.SetSize(40000, 40000), platform::EOutOfResources);
  EXPECT_EQ(b.Width(), 2);
}

TEST(BitmapTest, ScanLinesRunBottomUpAndAreBoundsChecked) {
  TBitmap b(5, 3);
  EXPECT_EQ(b.HandleType(), bmDIB);
  b.SetHandleType(bmDDB);
  EXPECT_EQ(b.HandleType(), bmDIB);
  const ptrdiff_t stride = b.ScanLine(1) - b.ScanLine(0);
  EXPECT_EQ(stride, -16);  // 15 bytes padded to 16, bottom-up
  EXPECT_EQ(b.ScanLine(2) - b.ScanLine(0), 2 * stride);
  b.ScanLine(2)[0] = 0x11;  // blue of the bottom-left pixel
  EXPECT_EQ(platform::GetBValue(b.DIB().Pixel(0, 2)), 0x11);
  EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
  const TBitmap& constant = b;
  EXPECT_THROW(constant.ScanLine(3), EInvalidGraphic);
}

TEST(BitmapTest, PixelFormatConversions) {
  TBitmap b(3, 2);
  Pattern(b);
  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(b.DIB().Pixel(2, 1), At(2, 1));
  EXPECT_EQ(b.ScanLine(0) - b.ScanLine(1), 12);
  b.SetPixelFormat(pfDevice);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.DIB().Pixel(2, 1), At(2, 1));
  // Reducing colours is not offered; the bitmap stays as it was.
  EXPECT_THROW(b.SetPixelFormat(pf8bit), EInvalidGraphic);
  EXPECT_THROW(b.SetPixelFormat(pf16bit), EInvalidGraphic);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.DIB().Pixel(0, 0), At(0, 0));

  TBitmap indexed;
  indexed.SetPixelFormat(pf1bit);
  indexed.SetSize(9, 2);
  EXPECT_EQ(indexed.DIB().Palette().size(), 2u);
  indexed.DIB().SetPixelIndex(8, 1, 1);
  indexed.SetPixelFormat(pf4bit);  // deeper: indices and palette kept
  EXPECT_EQ(indexed.DIB().PixelIndex(8, 1), 1);
  EXPECT_EQ(indexed.DIB().PixelIndex(7, 1), 0);
  indexed.SetPixelFormat(pf8bit);
  EXPECT_EQ(indexed.DIB().PixelIndex(8, 1), 1);
  EXPECT_EQ(indexed.DIB().Palette().size(), 2u);
  EXPECT_THROW(indexed.SetPixelFormat(pf1bit), EInvalidGraphic);
  indexed.SetPixelFormat(pf24bit);
  EXPECT_EQ(indexed.DIB().Pixel(8, 1), platform::clWhite);
  EXPECT_EQ(indexed.DIB().Pixel(0, 0), platform::clBlack);

  TBitmap grey(0, 0, pf8bit);
  EXPECT_EQ(grey.DIB().Palette().size(), 256u);
  EXPECT_EQ(grey.DIB().Palette()[200].Green, 200);
}

TEST(BitmapTest, TheCanvasFollowsResizesAndConversions) {
  TBitmap b(2, 2);
  TCanvas* canvas = b.Canvas();
  canvas->Brush()->SetColor(platform::clRed);
  platform::IntersectClipRect(canvas->Handle(), 0, 0, 1, 1);
  b.SetSize(6, 4);
  canvas->FillRect({0, 0, 6, 4});  // a fresh context: the old clip and size are gone
  EXPECT_EQ(b.DIB().Pixel(5, 3), platform::clRed);
  b.SetPixelFormat(pf32bit);
  canvas->Brush()->SetColor(platform::clBlue);
  canvas->FillRect({4, 2, 6, 4});
  EXPECT_EQ(b.DIB().Pixel(5, 3), platform::clBlue);
  EXPECT_EQ(b.DIB().Pixel(0, 0), platform::clRed);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  canvas->SetPixels(0, 0, platform::clLime);  // drawing on the canvas changes the bitmap
  EXPECT_EQ(changes, 1);
}

TEST(BitmapTest, BmpStreamsRoundTripAndBadBytesChangeNothing) {
  TBitmap b(5, 3);
  Pattern(b);
  std::vector<uint8_t> stream = {0xAA};  // saving appends
  b.SaveToStream(stream);
  ASSERT_GT(stream.size(), 54u);
  EXPECT_EQ(stream[1], 'B');
  TBitmap loaded;
  loaded.LoadFromStream(stream.data() + 1, stream.size() - 1);
  EXPECT_EQ(loaded.Width(), 5);
  EXPECT_EQ(loaded.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(loaded.DIB().Pixel(x, y), At(x, y));

  const std::vector<uint8_t> data = b.WriteData();
  EXPECT_EQ(data.size(), stream.size() - 1 + 4);
  EXPECT_EQ(data[0] | (data[1] << 8), static_cast<int>(stream.size() - 1));
  TBitmap fromData;
  fromData.ReadData(data);
  EXPECT_EQ(fromData.DIB().Pixel(4, 2), At(4, 2));
  EXPECT_THROW(fromData.ReadData({0x10, 0, 0, 0, 'B', 'M'}), EInvalidGraphic);

  std::vector<uint8_t> truncated(stream.begin() + 1, stream.end() - 10);
  EXPECT_THROW(loaded.LoadFromStream(truncated), EInvalidGraphic);
  EXPECT_EQ(loaded.Width(), 5);
  EXPECT_EQ(loaded.DIB().Pixel(0, 0), At(0, 0));

  TBitmap palette(3, 1, pf8bit);
  palette.DIB().SetPixelIndex(2, 0, 77);
  std::vector<uint8_t> eight;
  palette.SaveToStream(eight);
  TBitmap back;
  back.LoadFromStream(eight);
  EXPECT_EQ(back.PixelFormat(), pf8bit);
  EXPECT_EQ(back.DIB().PixelIndex(2, 0), 77);
  EXPECT_EQ(back.DIB().Pixel(2, 0), platform::RGB(77, 77, 77));

  TBitmap empty;
  std::vector<uint8_t> nothing;
  empty.SaveToStream(nothing);
  EXPECT_TRUE(nothing.empty());
  EXPECT_TRUE(empty.WriteData().empty());
  back.LoadFromStream(nothing);
  EXPECT_TRUE(back.Empty());
}

TEST(BitmapTest, AssignMakesADeepCopy) {
  TBitmap original(3, 3);
  Pattern(original);
  original.SetTransparent(true);
  original.SetTransparentColor(platform::clRed);
  TBitmap copy;
  copy.Assign(&original);
  original.DIB().SetPixel(1, 1, platform::clBlack);
  original.SetSize(1, 1);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.DIB().Pixel(1, 1), At(1, 1));
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.TransparentColor(), platform::clRed);
  EXPECT_EQ(copy.TransparentMode(), tmFixed);
  copy.Canvas()->SetPixels(0, 0, platform::clLime);
  EXPECT_EQ(copy.DIB().Pixel(0, 0), platform::clLime);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
}

TEST(BitmapTest, TransparentDrawingSkipsTheKeyColour) {
  TBitmap sprite(3, 2);
  Pattern(sprite);
  sprite.DIB().SetPixel(1, 0, platform::clFuchsia);
  sprite.DIB().SetPixel(0, 1, platform::clGreen);  // bottom-left: the automatic key
  EXPECT_EQ(sprite.TransparentColor(), platform::clGreen);
  EXPECT_EQ(TBitmap().TransparentColor(), platform::clDefault);

  TBitmap target(5, 4);
  sprite.SetTransparent(true);
  target.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(target.DIB().Pixel(1, 2), platform::clWhite);  // green skipped
  EXPECT_EQ(target.DIB().Pixel(2, 1), platform::clFuchsia);
  EXPECT_EQ(target.DIB().Pixel(1, 1), At(0, 0));

  sprite.SetTransparentColor(platform::clFuchsia);
  target.Canvas()->StretchDraw({0, 0, 5, 4}, &sprite);  // each source pixel over about 2 x 2
  EXPECT_EQ(target.DIB().Pixel(2, 0), platform::clWhite);
  EXPECT_EQ(target.DIB().Pixel(0, 3), platform::clGreen);
  sprite.SetTransparentColor(platform::clDefault);
  EXPECT_EQ(sprite.TransparentMode(), tmAuto);

  sprite.SetTransparent(false);
  target.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(target.DIB().Pixel(1, 2), platform::clGreen);

  TBitmap indexed(2, 1, pf8bit);  // drawn through a 24-bit copy
  indexed.DIB().SetPixelIndex(1, 0, 128);
  target.Canvas()->Draw(0, 0, &indexed);
  EXPECT_EQ(target.DIB().Pixel(1, 0), platform::RGB(128, 128, 128));
}

}  // namespace
}  // namespace framework
