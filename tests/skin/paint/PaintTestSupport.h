#pragma once
// Pictures for the painters' tests: 24-bit bitmaps filled with one colour or with pixels that name
// their position, and a comparison that names the first pixel that differs.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "platform/drawing/Colors.h"

namespace skin::test {

using framework::TBitmap;
using platform::TColor;
using platform::TRect;

// A pixel colour that names its position, so a copied pixel tells where it came from.
inline TColor Tag(int x, int y) { return platform::RGB(x * 7 + 1, y * 11 + 2, 0x5A); }

inline std::unique_ptr<TBitmap> Plain(int w, int h, TColor c) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->DIB().SetPixel(x, y, c);
  return b;
}

inline std::unique_ptr<TBitmap> Tagged(int w, int h) {
  auto b = std::make_unique<TBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->DIB().SetPixel(x, y, Tag(x, y));
  return b;
}

inline TColor At(const TBitmap& b, int x, int y) { return b.DIB().Pixel(x, y); }

// Every pixel of `actual` against `expected(x, y)`; reports the first difference.
inline ::testing::AssertionResult PixelsAre(const TBitmap& actual,
                                            const std::function<TColor(int, int)>& expected) {
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.DIB().Pixel(x, y) != expected(x, y))
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << std::hex << actual.DIB().Pixel(x, y)
               << ", expected " << expected(x, y);
  return ::testing::AssertionSuccess();
}

}  // namespace skin::test
