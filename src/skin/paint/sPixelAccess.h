#pragma once
// Pixel access for skin painting. Every skinned surface is composed in 24-bit device-independent
// bitmaps (blue, green, red at rising addresses) before it reaches the screen; the painters reach
// their rows through a stored row-0 address and a signed stride (negative for bottom-up bitmaps)
// instead of asking the bitmap for each row. This file holds the two accessors that do that,
// TacFast24 (one bitmap) and TacFastSum24 (a weighted mix of one bitmap into another), the shared
// instances the painters use, the byte arithmetic they share, the key colour and the two
// process-wide fill colours, and the making of working bitmaps.
//
// Everything here runs on the user-interface thread; the shared instances are not re-entrant, so
// two painting operations must never interleave.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "platform/Exception.h"
#include "platform/Types.h"
#include "platform/drawing/Colors.h"

namespace skin {

using platform::TColor;
using platform::TRect;

// A programming error found at run time, such as a bitmap of a pixel format the painters cannot
// address.
class EAssertionFailed : public platform::Exception {
 public:
  using Exception::Exception;
};

// In skin pictures a pixel of this colour is transparent; in the fill colours below it means that
// no colour is set.
constexpr TColor kKeyColor = platform::clFuchsia;

// The three bytes of a pixel in memory order.
struct TsBGR {
  uint8_t B = 0;
  uint8_t G = 0;
  uint8_t R = 0;
  friend bool operator==(const TsBGR&, const TsBGR&) = default;
};

constexpr uint8_t ClipToByte(int v) { return v < 0 ? 0 : v >= 255 ? 255 : static_cast<uint8_t>(v); }

// The mixing weight of a percent: ClipToByte(p * 255 / 100), the product taken wide so that any
// 32-bit percent gives 0 or 255 beyond the range.
constexpr uint8_t PercentWeight(int p) {
  const int64_t w = int64_t{p} * 255 / 100;
  return w < 0 ? 0 : w >= 255 ? 255 : static_cast<uint8_t>(w);
}

// The blue, green and red bytes of a real colour ($00BBGGRR); the high byte plays no part.
constexpr TsBGR ColorToBGR(TColor c) {
  return {platform::GetBValue(c), platform::GetGValue(c), platform::GetRValue(c)};
}

// A pixel's bytes at p equal the colour's (blue, green and red compared).
inline bool PixelIs(const uint8_t* p, TsBGR c) { return p[0] == c.B && p[1] == c.G && p[2] == c.R; }

// One channel of an image pixel s laid over the destination byte d through its mask byte m: 0
// shows the image, 255 (nearly) what lies beneath.
constexpr uint8_t MaskMix(int d, int s, int m) { return ClipToByte(((d - s) * m + s * 256) >> 8); }

// MaskMix over a run of bytes: d[i] = MaskMix(d[i], s[i], m[i]). Written as
// (d * m + s * (256 - m)) >> 8, which is the same value and never leaves 0..255, so that every
// step fits 16 bits and the compiler can work many bytes at once.
inline void MaskMixRun(uint8_t* __restrict d, const uint8_t* __restrict s,
                       const uint8_t* __restrict m, ptrdiff_t count) {
  for (ptrdiff_t i = 0; i < count; ++i)
    d[i] = static_cast<uint8_t>(
        static_cast<uint16_t>(d[i] * m[i] + s[i] * static_cast<uint16_t>(256 - m[i])) >> 8);
}

// Direct row access to one 24-bit bitmap.
class TacFast24 {
 public:
  // Binds the bitmap. Bitmaps narrower or lower than 2 pixels (or none) are refused: the result is
  // false and Width is 0. Any other pixel format than 24 bits raises EAssertionFailed "Bitmap
  // format is not supported".
  bool Attach(framework::TBitmap* bitmap);

  // Row y's first byte; no bounds check (callers keep 0 <= y < Height).
  uint8_t* Row(int y) const { return Row0 + static_cast<ptrdiff_t>(y) * Stride; }
  // The pixel as a colour $00BBGGRR; no bounds check.
  TColor Pixel(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * x;
    return platform::RGB(p[2], p[1], p[0]);
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

  framework::TBitmap* Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
  ptrdiff_t Stride = 0;
  uint8_t* Row0 = nullptr;
};

// A weighted mix of a rectangle of one 24-bit bitmap into a rectangle of another, in integer
// arithmetic: destination = (destination * Weight + source * (255 - Weight) + 127) >> 8, so Weight
// is the weight of the destination (255 keeps it up to rounding, 0 takes the source).
class TacFastSum24 {
 public:
  // Binds both bitmaps; false when either is missing or narrower or lower than 2 pixels. Both
  // must be 24-bit (EAssertionFailed otherwise).
  bool Attach(framework::TBitmap* source, framework::TBitmap* destination);
  // Mixes SrcX1..SrcX2 x SrcY1..SrcY2 into DstX1..DstX2 x DstY1..DstY2 (right and bottom
  // exclusive), rows from the bottom up and bytes from the right, as the rectangles pair them.
  // Parts of the rectangles that fall outside either bitmap are left out.
  void Mix();

  framework::TBitmap* Src = nullptr;
  framework::TBitmap* Dst = nullptr;
  int Width = 0;   // the smaller of the two widths
  int Height = 0;  // the smaller of the two heights
  uint8_t* SrcRow0 = nullptr;
  ptrdiff_t SrcStride = 0;
  uint8_t* DstRow0 = nullptr;
  ptrdiff_t DstStride = 0;
  uint8_t Weight = 0;
  int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
  int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;

 private:
  int srcWidth_ = 0, srcHeight_ = 0, dstWidth_ = 0, dstHeight_ = 0;
};

// Where a key-coloured pixel of a part that lies over the parent takes the parent's pixel: the
// parent is read only while the place lies inside it. A place right of the parent or above it
// ends the row being copied (the rest of the row lies outside as well); one left of it or below
// it is skipped.
enum class TsParentPixel { Copied, Skipped, EndOfRow };
inline TsParentPixel CopyParentPixel(const TacFast24& parent, int x, int y, uint8_t* to) {
  if (x >= parent.Width || y < 0) return TsParentPixel::EndOfRow;
  if (x < 0 || y >= parent.Height) return TsParentPixel::Skipped;
  const uint8_t* from = parent.Row(y) + 3 * x;
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
  return TsParentPixel::Copied;
}

// The painting library's shared accessors. Every operation that reads another bitmap's pixels
// re-binds the first one; nothing is kept bound between operations.
TacFast24& Fast24();
TacFastSum24& FastSum24();

// New, caller-owned device-independent bitmaps of 24 (32) bits per pixel; their pixels are white,
// as the framework makes new pixels.
std::unique_ptr<framework::TBitmap> NewBitmap24(int width, int height);
std::unique_ptr<framework::TBitmap> NewBitmap32(int width, int height);

// Plain copies between 24-bit bitmaps, clipped to both: the width x height block at (sx, sy) of
// the source onto (x, y) of the destination, and the source rectangle stretched onto the
// destination rectangle with the drawing layer's nearest-pixel rule (StretchBlt). Parts that fall
// outside either bitmap are left out; empty extents copy nothing.
void CopyBlock(framework::TBitmap* destination, int x, int y, int width, int height,
               const framework::TBitmap* source, int sx, int sy);
void CopyBlock(platform::DIBitmap& destination, int x, int y, int width, int height,
               const platform::DIBitmap& source, int sx, int sy);
void StretchBlock(framework::TBitmap* destination, const TRect& to,
                  const framework::TBitmap* source, const TRect& from);

// (0, 0, width, height) of the bitmap.
inline TRect Bounds(const framework::TBitmap* bitmap) {
  return {0, 0, bitmap->Width(), bitmap->Height()};
}

// True for a bitmap the painters can work on: present, 24 bits per pixel, not empty.
bool IsPaintable(const framework::TBitmap* bitmap);

}  // namespace skin
