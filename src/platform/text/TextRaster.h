#pragma once
// Putting text pixels on a context's bitmap: glyph coverage blended in the text colour, and solid
// rectangles for backgrounds and lines, all clipped to what the context lets us touch.
// Platform-internal.

#include <vector>

#include "platform/Types.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/text/GlyphCache.h"

namespace platform {

class TextRaster {
 public:
  // Drawing through the context, also clipped to clipRect (logical) when one is given.
  TextRaster(HDC dc, const TRect* clipRect);

  // False when there is nothing to draw into: no bitmap, a depth other than 24 or 32 bits, or
  // nothing left inside the clip.
  bool CanDraw() const { return !clip_.empty(); }
  // Keeps only the clip rectangles that meet the logical rectangle, which bounds all the text
  // drawn next, so each glyph is checked against as few as possible.
  void Focus(const TRect& bounds);
  // The logical rectangle that holds every pixel drawing may still touch.
  TRect Bounds() const;

  // Blends the glyph with its pen position at x and its baseline at y (logical):
  //   pixel += (color - pixel) * coverage / 255, rounded, for each of blue, green and red.
  void DrawGlyph(const Glyph& glyph, int x, int y, TColor color);
  // Fills the logical rectangle with the colour.
  void Fill(const TRect& rect, TColor color);

 private:
  DIBitmap* surface_ = nullptr;
  int bytesPerPixel_ = 0;
  TPoint offset_;              // logical to surface
  std::vector<TRect> clip_;    // surface coordinates, inside the bitmap
  std::vector<TRect> active_;  // those that meet the focused bounds
};

}  // namespace platform
