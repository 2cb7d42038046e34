#include "platform/drawing/Lines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform {

namespace {

bool Drawable(const DIBitmap* bitmap) {
  return bitmap && !bitmap->Empty() &&
         (bitmap->BitsPerPixel() == 24 || bitmap->BitsPerPixel() == 32);
}

// Fills r (already inside the bitmap) with the colour, as a context fills: the fourth byte of a
// 32-bit pixel becomes 0.
void FillBox(DIBitmap& bitmap, const TRect& r, TColor color) {
  const int bpp = bitmap.BitsPerPixel() / 8;
  const uint8_t b = GetBValue(color), g = GetGValue(color), red = GetRValue(color);
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint8_t* p = bitmap.ScanLine(y) + static_cast<ptrdiff_t>(r.Left) * bpp;
    for (int x = r.Left; x < r.Right; ++x, p += bpp) {
      p[0] = b;
      p[1] = g;
      p[2] = red;
      if (bpp == 4) p[3] = 0;
    }
  }
}

}  // namespace

bool DrawLine(HDC dc, TPoint from, TPoint to, TColor color, int width) {
  if (!dc || !Drawable(dc->Surface())) return false;
  DIBitmap& bitmap = *dc->Surface();
  width = std::clamp(width, 1, DIBitmap::kMaxDimension);
  const TColor rgb = ColorToRGB(color);

  // Surface coordinates in 64 bits: the ends may lie anywhere in the int range.
  const DeviceContext::State& s = dc->Current();
  const int64_t shiftX = int64_t{s.viewportOrg.X} - s.windowOrg.X + dc->Origin().X;
  const int64_t shiftY = int64_t{s.viewportOrg.Y} - s.windowOrg.Y + dc->Origin().Y;
  const int64_t x0 = from.X + shiftX, y0 = from.Y + shiftY;
  const int64_t dx = int64_t{to.X} - from.X, dy = int64_t{to.Y} - from.Y;
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const int64_t steps = std::max(adx, ady);
  if (steps == 0) return true;

  // Walk along the major axis; the minor coordinate at step i is
  //   minor0 + sign * floor((2 i aMinor + steps) / (2 steps)),
  // kept incrementally as a quotient and remainder.
  const bool xMajor = adx >= ady;
  const int64_t major0 = xMajor ? x0 : y0;
  const int64_t minor0 = xMajor ? y0 : x0;
  const int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t aMinor = xMajor ? ady : adx;
  const int64_t twoSteps = 2 * steps;

  const int lo = (width - 1) / 2;  // pixels of the pen left of / above the point
  const int hi = width - 1 - lo;   // and right of / below it
  for (const TRect& r : dc->EffectiveClip().Rects()) {
    // Steps whose pen square can reach r along the major axis.
    const int64_t rLo = (xMajor ? r.Left : r.Top) - int64_t{hi};
    const int64_t rHi = (xMajor ? r.Right : r.Bottom) + int64_t{lo};  // exclusive
    int64_t first, last;                                              // inclusive range of i
    if (majorSign > 0) {
      first = rLo - major0;
      last = rHi - 1 - major0;
    } else {
      first = major0 - (rHi - 1);
      last = major0 - rLo;
    }
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, steps - 1);
    if (first > last) continue;

    // 2 * first * aMinor can reach 2^66: divide in 128 bits once, then step.
    const __int128 start = static_cast<__int128>(2) * first * aMinor + steps;
    int64_t quotient = static_cast<int64_t>(start / twoSteps);
    int64_t remainder = static_cast<int64_t>(start % twoSteps);
    for (int64_t i = first; i <= last; ++i) {
      const int64_t major = major0 + majorSign * i;
      const int64_t minor = minor0 + minorSign * quotient;
      const int64_t px = xMajor ? major : minor;
      const int64_t py = xMajor ? minor : major;
      const int64_t left = std::max<int64_t>(px - lo, r.Left);
      const int64_t top = std::max<int64_t>(py - lo, r.Top);
      const int64_t right = std::min<int64_t>(px + hi + 1, r.Right);
      const int64_t bottom = std::min<int64_t>(py + hi + 1, r.Bottom);
      if (left < right && top < bottom) {
        FillBox(bitmap,
                {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                 static_cast<int>(bottom)},
                rgb);
      }
      remainder += 2 * aMinor;
      if (remainder >= twoSteps) {
        remainder -= twoSteps;
        ++quotient;
      }
    }
  }
  return true;
}

}  // namespace platform
