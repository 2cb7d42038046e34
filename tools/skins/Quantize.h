#pragma once
// Reduces a 24-bit picture to 8 bits per pixel with a 256-colour palette, as the stored skins
// keep their pictures. Pictures with at most 256 colours keep them exactly; others get a
// median-cut palette. Magenta, the transparent key colour, always keeps an exact entry of its own
// so that transparency survives the reduction.

#include "platform/drawing/DIBitmap.h"

namespace skins {

platform::DIBitmap ToIndexed(const platform::DIBitmap& picture);

}  // namespace skins
