#pragma once
// A contact sheet of a loaded skin, for review: the program's controls painted at the program's
// sizes (the bar itself, each control in its normal, hot and pressed states, also zoomed, and the
// snippet editor), followed by the skin's pictures at 4x. The faces are composed by the skin
// engine's own painters, each over what the sheet shows beneath it as a control composes over its
// parent, so the sheet shows what the program shows.

#include <string>

#include "platform/drawing/DIBitmap.h"
#include "skin/data/sSkinManager.h"

namespace skins {

platform::DIBitmap ContactSheet(skin::TsSkinManager& manager);

}  // namespace skins
