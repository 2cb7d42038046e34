#pragma once
// A contact sheet of a loaded skin, for review: the program's controls painted at the program's
// sizes (the bar itself, each control in its normal, hot and pressed states, also zoomed, and the
// snippet editor), followed by the skin's pictures at 4x. It composes the masks the way the skin
// engine lays them out (nine parts, state images, mask bands, magenta transparency), simplified
// where the engine's exact arithmetic does not change what a reviewer sees.

#include <string>

#include "platform/drawing/DIBitmap.h"
#include "skin/data/sSkinManager.h"

namespace skins {

platform::DIBitmap ContactSheet(const skin::TsSkinManager& manager);

}  // namespace skins
