#pragma once
// The transparent corner pixels of a border mask as rectangles: the form skin provider shapes its
// window with them, leaving out the key-coloured runs of the top and bottom corners.

#include <vector>

#include "skin/data/sMaskData.h"
#include "skin/paint/sPixelAccess.h"

namespace skin {

// Appends to runs the key-coloured runs of state 0's corners: the top WT rows of the mask
// (bottom false) or the bottom WB rows of its image layer (bottom true), placed on rows
// rowOffset + n. Runs of the WL left columns keep their columns; runs of the WR right columns are
// moved right by targetWidth - w, to the target's right edge. Each run is one row high, right and
// bottom exclusive. Nothing is appended when the rows would reach outside the picture.
void CollectKeyRuns(std::vector<TRect>& runs, int targetWidth, const TsMaskData& mask, bool bottom,
                    int rowOffset);

}  // namespace skin
