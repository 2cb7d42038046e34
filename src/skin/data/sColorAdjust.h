#pragma once
// Colour adjustment of a loaded skin: rotating hues and changing saturation. Both work on the three
// bytes R (low), G and B of a colour and give results with a zero high byte. The skin manager
// applies them once at the end of every load, to freshly built tables, so that they never
// accumulate and painting never computes them.

#include "platform/drawing/Colors.h"
#include "platform/drawing/DIBitmap.h"

namespace skin {

using platform::TColor;

// The colour with its hue rotated by offset degrees (hue, saturation and value model). A system
// colour is resolved first; a grey (R = G = B) comes back unchanged.
TColor AdjustHue(TColor color, int offset);
// The colour with its channels moved toward (amount > 0) or away from (amount < 0) their mean by
// amount percent, each rounded to nearest (ties to even) and limited to 0..255. Amount 0 returns
// the colour unchanged; a system colour is resolved first.
TColor AdjustSaturation(TColor color, int amount);
// The amount a Saturation setting stands for: (-saturation) mod 101 with the sign of the dividend,
// so 1..100 saturate more (-1..-100), -1..-100 less (1..100, 100 being grey), 101 is no change.
int SaturationAmount(int saturation);

// Every pixel of a 24-bit bitmap, rows from the top and pixels from the left, except magenta
// (transparent) and grey ones. Bitmaps of other depths are left alone.
void AdjustBitmapHue(platform::DIBitmap& bitmap, int offset);
void AdjustBitmapSaturation(platform::DIBitmap& bitmap, int amount);

}  // namespace skin
