#pragma once
// How a mask's picture is laid out for painting. R holds ImageCount state images side by side;
// with MaskType 1 its lower half holds their masks (a weight per channel). A border image is cut
// by its margins WL, WT, WR, WB into four corners, four edges and a centre, and the margins are
// fitted to targets too small for them. Shared by the border, state-image and texture painters.

#include <algorithm>
#include <cstdint>

#include "skin/data/sMaskData.h"
#include "skin/paint/sPaintParams.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// The picture a mask's R lies in: its own, else the master bitmap of its tables; nullptr when
// the mask has neither (no tables) or the picture is not a 24-bit one.
framework::TBitmap* MaskSource(const TsMaskData& mask);

// One state of a border mask fitted to a target rectangle.
struct TsBorderLayout {
  int WL = 0, WT = 0, WR = 0, WB = 0;  // margins, fitted to the target
  int w = 0;                           // width of one state image
  int h = 0;                           // height of the image layer
  int cw = 0;                          // centre width (0 when the margins leave none)
  int ch = 0;                          // centre height (negative: nothing can be drawn)
  int sx = 0;                          // the state image's left column in the picture
  int top = 0;                         // R.Top
};

// Margin fitting: when the target is narrower than WL + WR, both give up half the excess (and WR
// one more when the width is odd), never going below 0; likewise for the height with WT and WB.
void FitMargins(int width, int height, int& wl, int& wt, int& wr, int& wb);

// The layout of the look's state image (clamped to ImageCount - 1) of the mask over a target of
// the given size. ImageCount below 1 counts as 1 and MaskType above 1 as 1, so that no division
// fails.
TsBorderLayout BorderLayout(const TsMaskData& mask, TsLook look, int width, int height);

// The nine parts of a border image, in the order the border painter draws them.
enum class TsBorderPart {
  TopLeft,
  Left,
  Top,
  BottomLeft,
  Bottom,
  BottomRight,
  TopRight,
  Right,
  Centre
};

struct TsPartPlace {
  TRect source;  // one tile of the picture (right and bottom exclusive)
  TRect target;  // the area of the target it covers, tiled or stretched
  bool corner = false;
};
TsPartPlace PartPlace(TsBorderPart part, const TsBorderLayout& l, const TRect& t);

// The rows and columns a copy of a picture's source rectangle onto a target rectangle covers, once
// both rectangles are cut to each other and to both bitmaps: target (x, y) takes source (sx, sy),
// for columns x rows pixels. A negative left or top on either side moves both by the same amount;
// maskRows keeps the mask band below the source inside the picture. Nothing to copy when columns
// or rows is below 1.
struct TsSpan {
  int x = 0, y = 0, sx = 0, sy = 0, columns = 0, rows = 0;
};
TsSpan PartSpan(const TRect& target, const TRect& source, const platform::DIBitmap& to,
                const platform::DIBitmap& from, int maskRows);

// Calls copy(tile) for each tile of a tileWidth x tileHeight picture laid over area from its
// top-left, row by row; the last column and row are cut to the area. Only the tiles that reach
// into visible (the target bitmap's bounds) are visited, on the same grid, so that an area far
// larger than its bitmap costs no more than the bitmap. A tile size of 0 or less lays nothing.
template <typename Copy>
void ForEachTile(const TRect& area, int tileWidth, int tileHeight, const TRect& visible,
                 Copy&& copy) {
  if (tileWidth <= 0 || tileHeight <= 0) return;
  const TRect seen = area.Intersected(visible);
  if (seen.IsEmpty()) return;
  // The first grid lines at or before the visible part, in 64 bits: area and tile sizes are any
  // ints.
  const int64_t firstX = area.Left + (int64_t{seen.Left} - area.Left) / tileWidth * tileWidth;
  const int64_t firstY = area.Top + (int64_t{seen.Top} - area.Top) / tileHeight * tileHeight;
  for (int64_t y = firstY; y < seen.Bottom; y += tileHeight) {
    for (int64_t x = firstX; x < seen.Right; x += tileWidth)
      copy(TRect{static_cast<int>(x), static_cast<int>(y),
                 static_cast<int>(std::min<int64_t>(x + tileWidth, area.Right)),
                 static_cast<int>(std::min<int64_t>(y + tileHeight, area.Bottom))});
  }
}

}  // namespace skin
