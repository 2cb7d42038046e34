// TextOut's pixels: where the ink goes, its colours, backgrounds, lines and clipping.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>

#include "TextTestSupport.h"
#include "platform/images/ImageCodecs.h"

namespace platform {
namespace {

using namespace texttest;

// Whether some coverage a gives the pixel from the paper and the ink in every channel by
//   paper + (ink - paper) * a / 255, rounded.
bool IsBlend(TColor pixel, TColor paper, TColor ink) {
  const auto mix = [](int from, int to, int a) { return (from * (255 - a) + to * a + 127) / 255; };
  for (int a = 0; a <= 255; ++a) {
    if (GetRValue(pixel) == mix(GetRValue(paper), GetRValue(ink), a) &&
        GetGValue(pixel) == mix(GetGValue(paper), GetGValue(ink), a) &&
        GetBValue(pixel) == mix(GetBValue(paper), GetBValue(ink), a)) {
      return true;
    }
  }
  return false;
}

// Each channel of a blended pixel lies between the paper's and the ink's.
bool Between(TColor pixel, TColor a, TColor b) {
  const auto inRange = [](int v, int x, int y) {
    return v >= std::min(x, y) && v <= std::max(x, y);
  };
  return inRange(GetRValue(pixel), GetRValue(a), GetRValue(b)) &&
         inRange(GetGValue(pixel), GetGValue(a), GetGValue(b)) &&
         inRange(GetBValue(pixel), GetBValue(a), GetBValue(b));
}

DIBitmap Drawn(HFONT font, int width, int height, int x, int y, std::string_view text,
               const std::function<void(DeviceContext&)>& setUp = nullptr) {
  DIBitmap bitmap = Paper(width, height);
  DeviceContext dc(&bitmap);
  Prepare(dc, font);
  if (setUp) setUp(dc);
  EXPECT_TRUE(TextOut(&dc, x, y, text));
  return bitmap;
}

TEST(TextOutTest, InkStaysInTheCellAndBlendsTowardTheTextColour) {
  const HFONT font = FontOf("DejaVu Sans", -11);
  const int width = TextWidth(font, "Hello");
  const DIBitmap bitmap = Drawn(font, 60, 24, 3, 4, "Hello");
  const TRect ink = InkBounds(bitmap);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(TRect(Bounds(3, 4, width, 13)).Intersected(ink) == ink)
      << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
  // "H" and "l" have upright stems: the glyph tops sit on the cap height, a pixel or two under the
  // cell's top.
  EXPECT_LE(ink.Top, 4 + 3);
  int full = 0;
  for (int yy = 0; yy < bitmap.Height(); ++yy)
    for (int xx = 0; xx < bitmap.Width(); ++xx) {
      const TColor pixel = bitmap.Pixel(xx, yy);
      EXPECT_TRUE(IsBlend(pixel, kPaper, kInk)) << xx << "," << yy;
      full += pixel == kInk;
    }
  // The stems of H and l are fully covered: exactly the text colour.
  EXPECT_GE(full, 10);
}

TEST(TextOutTest, PixelSumsOfSmallStrings) {
  // These sums pin the exact pixels for FreeType 2.12.1 and DejaVu Sans 2.37 (Debian bookworm's).
  // After an upgrade of either, a failing test leaves its picture in the test's temporary folder:
  // look at it (zoomed: convert -scale 800%) and, when it reads right, paste the new sum.
  struct Case {
    const char* face;
    int height;
    const char* text;
    uint32_t sum;
  };
  const Case cases[] = {
      {"DejaVu Sans", -11, "Hello", 708961979u},
      {"DejaVu Sans", -13, "Ag&y", 113802791u},
      {"MS Sans Serif", -11, "Snip", 2342217661u},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const DIBitmap bitmap = Drawn(FontOf(c.face, c.height), 40, 18, 2, 1, c.text);
    const uint32_t sum = PixelSum(bitmap);
    EXPECT_EQ(sum, c.sum) << c.face << " " << c.text;
    if (sum != c.sum) {
      WritePngFile(bitmap, ::testing::TempDir() + "text_sum_" + std::to_string(i) + ".png");
    }
  }
}

TEST(TextOutTest, BitmapFaceDrawsOnlyWholePixels) {
  const DIBitmap bitmap = Drawn(FontOf("MS Sans Serif", -11), 60, 20, 2, 3, "Snipwell Wg");
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor pixel = bitmap.Pixel(x, y);
      ASSERT_TRUE(pixel == kPaper || pixel == kInk) << x << "," << y;
    }
  const TRect ink = InkBounds(bitmap);
  // "S" reaches the top of the character height (cell top + internal leading), "g" the bottom.
  EXPECT_EQ(ink.Top, 3 + 2);
  EXPECT_EQ(ink.Bottom, 3 + 13);
}

TEST(TextOutTest, BoldBitmapFaceDrawsEachGlyphTwiceOnePixelApart) {
  const DIBitmap plain = Drawn(FontOf("MS Sans Serif", -11), 20, 16, 2, 0, "l");
  const DIBitmap bold = Drawn(FontOf("MS Sans Serif", -11, FW_BOLD), 20, 16, 2, 0, "l");
  const TRect thin = InkBounds(plain);
  const TRect thick = InkBounds(bold);
  EXPECT_EQ(thick.Left, thin.Left);
  EXPECT_EQ(thick.Width(), thin.Width() + 1);
  for (int y = thin.Top; y < thin.Bottom; ++y) {
    EXPECT_EQ(bold.Pixel(thin.Left, y), plain.Pixel(thin.Left, y));
    EXPECT_EQ(bold.Pixel(thin.Right, y), plain.Pixel(thin.Right - 1, y));
  }
}

TEST(TextOutTest, OpaqueFillsTheCellFirstTransparentDoesNot) {
  const HFONT font = FontOf("Arial", -11);
  const int width = TextWidth(font, "Mix");
  const TRect cell = Bounds(5, 2, width, 12);
  const TColor back = RGB(0x10, 0xC0, 0x30);
  const DIBitmap opaque = Drawn(font, 50, 20, 5, 2, "Mix", [&](DeviceContext& dc) {
    SetBkMode(&dc, OPAQUE);
    SetBkColor(&dc, back);
  });
  for (int y = 0; y < opaque.Height(); ++y)
    for (int x = 0; x < opaque.Width(); ++x) {
      const TColor pixel = opaque.Pixel(x, y);
      if (!cell.Contains(x, y)) {
        ASSERT_EQ(pixel, kPaper) << x << "," << y;
      } else {
        ASSERT_TRUE(Between(pixel, back, kInk)) << x << "," << y;
      }
    }
  EXPECT_EQ(opaque.Pixel(cell.Left, cell.Top), back);
  const DIBitmap transparent = Drawn(font, 50, 20, 5, 2, "Mix");
  EXPECT_EQ(transparent.Pixel(cell.Left, cell.Top), kPaper);
  EXPECT_FALSE(InkBounds(transparent).IsEmpty());
}

TEST(TextOutTest, UnderlineAndStrikeOutAreFullRowsAcrossTheText) {
  const HFONT font = FontOf("MS Sans Serif", -11, FW_NORMAL, false, true, true);
  const int width = TextWidth(font, "ace");
  const DIBitmap bitmap = Drawn(font, 40, 16, 3, 1, "ace");
  // Underline: one pixel under the baseline (ascent 11); strike-out: a third of the character
  // height above it.
  for (const int row : {1 + 11 + 1, 1 + 11 - 3}) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      EXPECT_EQ(bitmap.Pixel(x, row), x >= 3 && x < 3 + width ? kInk : kPaper) << x << "," << row;
    }
  }
  // Outline faces too, at least a pixel thick.
  const HFONT arial = FontOf("Arial", -11, FW_NORMAL, false, true);
  const DIBitmap underlined = Drawn(arial, 40, 16, 3, 1, "ace");
  const DIBitmap plain = Drawn(FontOf("Arial", -11), 40, 16, 3, 1, "ace");
  int rows = 0;
  for (int y = 0; y < 16; ++y) {
    bool full = true;
    for (int x = 3; x < 3 + TextWidth(arial, "ace"); ++x)
      full = full && underlined.Pixel(x, y) == kInk;
    rows += full;
  }
  EXPECT_GE(rows, 1);
  EXPECT_EQ(InkBounds(underlined).Top, InkBounds(plain).Top);
}

TEST(TextOutTest, ThirtyTwoBitSurfacesKeepTheirFourthByte) {
  DIBitmap bitmap = Paper(40, 16, 32, RowOrder::TopDown);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) bitmap.ScanLine(y)[x * 4 + 3] = 0x77;
  DeviceContext dc(&bitmap);
  Prepare(dc, FontOf("DejaVu Sans", -11));
  ASSERT_TRUE(TextOut(&dc, 1, 1, "Wow"));
  EXPECT_FALSE(InkBounds(bitmap).IsEmpty());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(bitmap.ScanLine(y)[x * 4 + 3], 0x77);
  // The same pixels as on a bottom-up 24-bit bitmap.
  const DIBitmap other = Drawn(FontOf("DejaVu Sans", -11), 40, 16, 1, 1, "Wow");
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(bitmap.Pixel(x, y), other.Pixel(x, y));
}

TEST(TextOutTest, NothingToDrawInto) {
  DeviceContext none(nullptr);
  EXPECT_TRUE(TextOut(&none, 0, 0, "x"));
  DIBitmap paletted(10, 10, 8);
  DeviceContext indexed(&paletted);
  EXPECT_TRUE(TextOut(&indexed, 0, 0, "x"));
  EXPECT_EQ(paletted, DIBitmap(10, 10, 8));
  EXPECT_FALSE(TextOut(nullptr, 0, 0, "x"));
}

// --- Clipping --------------------------------------------------------------------------------

const char* const kClipText = "Clipped Wg";

// The text drawn without any clip, restricted to the pixels of `keep`; paper elsewhere.
DIBitmap Masked(const DIBitmap& full, const std::function<bool(int, int)>& keep) {
  DIBitmap result = full;
  for (int y = 0; y < full.Height(); ++y)
    for (int x = 0; x < full.Width(); ++x)
      if (!keep(x, y)) result.SetPixel(x, y, kPaper);
  return result;
}

TEST(TextClipTest, EachEdgeOfTheClipCutsTheText) {
  const HFONT font = FontOf("DejaVu Sans", -13);
  const DIBitmap full = Drawn(font, 90, 24, 4, 3, kClipText);
  const TRect ink = InkBounds(full);
  const int midX = (ink.Left + ink.Right) / 2;
  const int midY = (ink.Top + ink.Bottom) / 2;
  for (const TRect clip : {TRect{0, 0, midX, 24}, TRect{midX, 0, 90, 24}, TRect{0, 0, 90, midY},
                           TRect{0, midY, 90, 24}, TRect{midX - 7, midY - 3, midX + 5, midY + 4}}) {
    const DIBitmap clipped = Drawn(font, 90, 24, 4, 3, kClipText, [&](DeviceContext& dc) {
      IntersectClipRect(&dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    });
    EXPECT_EQ(clipped, Masked(full, [&](int x, int y) { return clip.Contains(x, y); }))
        << clip.Left << "," << clip.Top << "," << clip.Right << "," << clip.Bottom;
  }
}

TEST(TextClipTest, ComplexRegionsClipEachOfTheirRectangles) {
  const HFONT font = FontOf("DejaVu Sans", -13);
  const DIBitmap full = Drawn(font, 90, 24, 4, 3, kClipText);
  const Region region = Region::FromRects({{0, 0, 20, 24}, {30, 8, 50, 24}, {60, 0, 90, 12}});
  const DIBitmap clipped =
      Drawn(font, 90, 24, 4, 3, kClipText, [&](DeviceContext& dc) { SelectClipRgn(&dc, &region); });
  EXPECT_EQ(clipped, Masked(full, [&](int x, int y) { return region.Contains(x, y); }));
}

TEST(TextClipTest, OriginsMoveTheTextAndItsClip) {
  const HFONT font = FontOf("DejaVu Sans", -11);
  const DIBitmap plain = Drawn(font, 80, 30, 2, 2, "Origin");
  const DIBitmap moved = Drawn(font, 80, 30, 2, 2, "Origin", [](DeviceContext& dc) {
    SetViewportOrgEx(&dc, 7, 5);
    dc.SetOrigin({3, 1});
  });
  EXPECT_EQ(InkBounds(moved), InkBounds(plain).Translated(10, 6));
  // A clip given in logical coordinates follows the mapping.
  const DIBitmap clipped = Drawn(font, 80, 30, 2, 2, "Origin", [](DeviceContext& dc) {
    SetWindowOrgEx(&dc, -10, -6);
    IntersectClipRect(&dc, 0, 0, 20, 30);
  });
  EXPECT_EQ(clipped, Masked(moved, [](int x, int) { return x < 30; }));
}

TEST(TextClipTest, TextOffEveryEdgeOfTheBitmapWritesOnlyInside) {
  const HFONT font = FontOf("DejaVu Sans", -13);
  const DIBitmap reference = Drawn(font, 200, 60, 50, 20, kClipText);
  const TRect ink = InkBounds(reference);
  // Placed so that the ink crosses each edge in turn; compare with the reference moved there.
  for (const TPoint at :
       {TPoint{-30, 20}, TPoint{10, -8}, TPoint{150, 20}, TPoint{20, 40}, TPoint{-60, -14}}) {
    const DIBitmap drawn = Drawn(font, 80, 24, at.X, at.Y, kClipText);
    const int dx = at.X - 50;
    const int dy = at.Y - 20;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 80; ++x) {
        const int rx = x - dx, ry = y - dy;
        const TColor expected = ink.Contains(rx, ry) ? reference.Pixel(rx, ry) : kPaper;
        ASSERT_EQ(drawn.Pixel(x, y), expected) << at.X << "," << at.Y << " at " << x << "," << y;
      }
  }
  // Coordinates far out draw nothing and do not overflow.
  for (const TPoint at : {TPoint{INT_MAX, 0}, TPoint{INT_MIN, INT_MIN}, TPoint{0, INT_MAX - 5}}) {
    EXPECT_TRUE(InkBounds(Drawn(font, 20, 20, at.X, at.Y, kClipText)).IsEmpty());
  }
}

}  // namespace
}  // namespace platform
