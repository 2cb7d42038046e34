#pragma once
// Textures: the background pictures of a section. A pattern picture (a JPEG of the skin, or a
// mask's own picture) is tiled over the area; a one-layer texture mask of the master bitmap is
// painted by its draw mode (tiled, stretched, along one side); a two-layer texture is tiled over
// the parent's background through its mask weights. Each painter tells its caller which part of
// the area still needs the section colour.

#include "framework/graphics/Graphic.h"
#include "skin/data/sMaskData.h"
#include "skin/data/sMessages.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Says that a texture covered the whole area: nothing is left for the colour fill.
constexpr TRect kCoveredAll{-1, -1, -1, -1};

// Copies the picture tile by tile over the area from its top-left; the last column and row are
// cut to the area.
void TileImage(framework::TBitmap* bitmap, const TRect& area, const framework::TGraphic* picture);

// Paints an unmasked texture into area. A pattern picture that is given and not empty is tiled
// over the area. Otherwise, when the mask belongs to tables, its rectangle R of the master bitmap
// is painted by mode (w x h being R's size):
//   0  tiles over the area                                  -> kCoveredAll
//   1  one stretched copy over the area                     -> kCoveredAll
//   2  one row of tiles along the top                       -> the area below it
//   3  one column of tiles along the left                   -> the area right of it
//   4  stretched to the area's width, h high, at the top    -> the area below it
//   5  stretched to the area's height, w wide, at the left  -> the area right of it
//   6  one row of tiles along the bottom                    -> the area above it
//   7  tiles over the area                                  -> all but the rightmost w columns
//   10 whole tiles in height only (the strip below stays)   -> kCoveredAll
//   any other mode paints nothing and leaves area as it is.
// area comes back as what the caller still fills with the section colour. Tiles never reach
// outside the area.
void DrawTexture(framework::TBitmap* bitmap, TRect& area, const framework::TGraphic* picture,
                 int mode, const TsMaskData* mask);

// Tiles state 0 of a two-layer texture over area (whole rows only) through its mask weights
// (PutMaskedTile); mode 10 then fills the strip below the last whole row from the parent's cache
// when info is ready, else with maskFill. Other modes than 0 and 10 draw nothing. area comes back
// as kCoveredAll.
void DrawMaskedTexture(framework::TBitmap* bitmap, TRect& area, const TCacheInfo& info, int mode,
                       const TsMaskData& mask, TColor maskFill = kKeyColor);

// One tile of a two-layer texture of the master bitmap (mask band h rows lower) onto target: a
// key-coloured image pixel takes maskFill unless that is kKeyColor, else the parent's pixel when
// info is ready, else leaves the target; other pixels are mixed with MaskMix.
void PutMaskedTile(framework::TBitmap* bitmap, const TRect& target, const TRect& source,
                   const framework::TBitmap* picture, int maskRows, const TCacheInfo& info,
                   TColor maskFill);

// A picture with its own mask in its lower half (a check box's custom glyph) onto target: with a
// ready record, pixels that are not the key colour are mixed through their mask bytes and, with
// useParent, key-coloured ones take the parent's pixel; without one every pixel is mixed.
void PutMaskedFromBitmap(const TRect& target, const TRect& source, framework::TBitmap* bitmap,
                         bool useParent, const TCacheInfo& info, const framework::TBitmap* picture);

}  // namespace skin
