#pragma once
// The border painters: a border mask fitted to any rectangle in nine parts (four corners copied
// once, four edges and the centre tiled or stretched), for one-layer masks (key-coloured pixels
// transparent) and two-layer masks (each pixel mixed into the target through its mask weights).
// The variant for shaped windows also cuts the transparent corner pixels out of the window's
// region. Nothing is drawn for masks of no tables, targets under 2 x 2 pixels or a negative
// centre height; every copy clips to the target and the source, and nothing raises.

#include "platform/drawing/Region.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sPaintParams.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Fits the look's state image of the mask to the target rectangle of the bitmap. bfFillCentre
// paints the centre (never for a one-layer mask with a BorderWidth); bfShowParent lets
// key-coloured corner pixels of a one-layer mask take the parent's background from info, whose
// offsets are already moved to the target bitmap. Key-coloured corner pixels of a two-layer mask
// take maskFill where no parent image is ready (PutMaskPart).
void DrawBorderMask(framework::TBitmap* bitmap, const TRect& target, TsBorderFlags border,
                    TsLook look, const TsMaskData& mask, const TCacheInfo& info,
                    TColor maskFill = kKeyColor);

// Copies the source rectangle of the two-layer picture source (mask band height(mask.R) div 2
// rows lower) onto the target rectangle, as many rows and columns as both rectangles and both
// bitmaps hold. Corners (mpCorner) treat key-coloured image pixels apart: they take the parent's
// pixel when info is ready, else maskFill (the key itself while that is kKeyColor). Every other
// pixel is mixed with MaskMix.
void PutMaskPart(const TRect& target, const TRect& source, framework::TBitmap* bitmap,
                 const TsMaskData& mask, TsMaskPart part, const TCacheInfo& info,
                 const framework::TBitmap* picture, TColor maskFill = kKeyColor);

// The whole bitmap is the target: the border as DrawBorderMask draws it (edges always tiled), but
// key-coloured pixels of the corners are not painted and are removed from region, one row run at
// a time, so that the window shaped by it shows what lies behind there. Of the flags only
// bfFillCentre counts.
void DrawBorderMaskWithRegion(framework::TBitmap* bitmap, platform::Region& region,
                              TsBorderFlags border, TsLook look, const TsMaskData& mask);

}  // namespace skin
