#pragma once
// Glyphs: one state image of a mask drawn whole at a point (the check box's boxes, the corner
// ornaments of a face), normally or dimmed.

#include "skin/data/sMaskData.h"
#include "skin/paint/sPaintParams.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Draws the look's state image (clamped to ImageCount - 1) of the mask with its top-left corner at
// point. Mode 1
// draws it as it is; any other mode dims it: a one-layer glyph is blended half transparent, a
// two-layer glyph has its mask weights raised by 100. A point left of or above 0 starts the
// source and the target that much further right or down.
void DrawStateImage(framework::TBitmap* bitmap, platform::TPoint point, TsLook look,
                    const TsMaskData& mask, int mode);

// Draws the inclusive source rectangle of picture at (x, y): a two-layer mask mixes each image
// pixel that is not the key colour through its mask byte (height(mask.R) div 2 rows lower; raised
// by 100 unless mode is 1), a one-layer mask is copied leaving key-coloured pixels out. Rows and
// columns are limited to the rectangle and to both bitmaps.
void PutMaskedImage(framework::TBitmap* bitmap, int x, int y, const TRect& source,
                    const framework::TBitmap* picture, const TsMaskData& mask, int mode);

}  // namespace skin
