#pragma once
// Drawing a section's parsed gradient (TsGradArray, made by ParseGradientData when the skin is
// loaded) into a rectangle of a 24-bit bitmap. The first segment's kind lays out the whole
// gradient: 0 vertical (segments follow each other down the rectangle by their shares), 1
// horizontal (across), 2 four-corner (the segments' start colours at the corners and the centre,
// filled by the drawing layer's triangle gradient). Any other kind draws nothing.

#include "skin/data/sGradientData.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Paints the segments into the rectangle, clipped to the bitmap; an empty array changes nothing.
// offset lengthens a vertical gradient beyond the rectangle's top (every caller passes 0). The
// last segment always runs to the rectangle's far edge, whatever its share; each segment starts
// on the last row (column) of the one before and paints over it. Colours are worked in
// single-precision accumulators growing by double-precision steps, rounded ties to even, so two
// painters of the same skin produce the same bytes.
void DrawGradient(framework::TBitmap* bitmap, TRect rect, const TsGradArray& segments,
                  int offset = 0);

}  // namespace skin
