#pragma once
// Fitting a loaded skin to the display's scale: the master bitmap, every mask's own picture and
// every pattern are enlarged by repeating their pixels, and every rectangle, margin and offset of
// the tables grows with them, so that the painters work unchanged on the larger data. Gradients
// and plain colours are worked out at the device's size and need nothing.

#include "skin/data/sSkinTables.h"

namespace skin {

struct TsSkinData;

// Scales the tables of a skin just loaded (nothing for a factor of 1). Runs once per load, after
// the colour adjustment (repeating pixels and recolouring them give the same result either way,
// and there are fewer pixels to recolour first).
void ScaleSkinTables(int factor, TsSkinTables& tables, TsSkinData& skinData);

}  // namespace skin
