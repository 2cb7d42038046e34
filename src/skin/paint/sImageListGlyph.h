#pragma once
// A check box's glyph taken from an image list: each picture of the list holds the three state
// cells side by side (normal, hot, pressed) in its upper half and their masks in its lower half,
// as a glyph bitmap of the user's does.

#include "framework/graphics/ImageList.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// The size of one state cell of the list's pictures: Width / 3 by Height div 2.
platform::TSize ImageListCellSize(const framework::TCustomImageList& images);

// Draws state cell k of picture index onto the bitmap at target's top-left corner. The whole
// picture is drawn by the list into a picture of its own size whose pixels start as the key
// colour, so that pixels the list's mask leaves out stay key-coloured; the cell is then mixed in
// through its mask, key-coloured pixels taking the parent's background from info
// (PutMaskedFromBitmap). An index the list does not hold draws nothing.
void DrawImageListGlyph(framework::TBitmap* bitmap, const TRect& target, int k,
                        const framework::TCustomImageList& images, int index,
                        const TCacheInfo& info);

}  // namespace skin
