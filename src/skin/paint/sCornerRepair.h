#pragma once
// Repairing a control's corners: where the border mask's corner images are transparent, the
// control's cache shows what lies behind the control (the parent's image or colour) instead of
// whatever the face left there. Controls do it before they copy their cache to the screen.

#include "skin/paint/sCommonDataBase.h"
#include "skin/paint/sPaintParams.h"

namespace skin {

// The corners of the corner set.
enum TsCorner : unsigned { crTopLeft = 1, crBottomLeft = 2, crTopRight = 4, crBottomRight = 8 };
constexpr unsigned kAllCorners = crTopLeft | crBottomLeft | crTopRight | crBottomRight;

// For each corner of the set, the cache pixels under key-coloured pixels of the look's corner
// image take the parent's colour (when the parent stands for a plain colour) or the parent's
// pixel behind them. Nothing without the skin's tables, a valid border mask, a cache, or an owner
// of at least 2 x 2 pixels. The colour slot is the key colour again afterwards.
void RepairCorners(TsCommonDataBase& data, TsLook look, unsigned corners);

}  // namespace skin
