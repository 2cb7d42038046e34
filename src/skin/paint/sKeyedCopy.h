#pragma once
// Copies that leave key-coloured pixels out: how skin pictures with transparent parts are put on a
// face. A key-coloured source pixel either leaves the destination as it was or, for corners of a
// control that lie over its parent, takes the parent's background from the parent-cache record.
// Every copy clips against both bitmaps (and the parent's); nothing outside them is read or
// written, and nothing raises.

#include "skin/data/sMessages.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Copies the inclusive source rectangle (Right and Bottom are its last column and row) to (x, y)
// onward, skipping pixels equal to the key. The rectangle is clipped to the source; pixels whose
// place lies outside the destination are skipped.
void PutKeyed(framework::TBitmap* destination, framework::TBitmap* source, int x, TColor key,
              TRect sourceRect, int y);
// Every pixel of the source to (x, y) onward, as PutKeyed.
void PutKeyedWhole(framework::TBitmap* destination, framework::TBitmap* source, int x, TColor key,
                   int y);
// As PutKeyed; in addition, with useParent set and a ready record whose bitmap binds, a key pixel
// takes the parent pixel at (info.X + its destination column, info.Y + its destination row) while
// that lies inside the parent bitmap. Without the parent, key pixels leave the destination alone.
void PutKeyedOrParent(framework::TBitmap* destination, framework::TBitmap* source, int x,
                      bool useParent, const TCacheInfo& info, TColor key, TRect sourceRect, int y);

}  // namespace skin
