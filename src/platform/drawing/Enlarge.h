#pragma once
// Enlarging a picture a whole number of times by repeating its pixels: every pixel becomes a
// factor x factor block of itself, so one-pixel lines stay one line, only wider, and no colour
// that was not in the picture appears.

#include "platform/drawing/DIBitmap.h"

namespace platform {

// The picture factor times as wide and as high, in its depth and row order (a palette is kept).
// Depths below 8 bits are enlarged as 24-bit pictures. A factor below 2 gives a plain copy.
// Raises EOutOfResources when the result would pass DIBitmap's limits.
DIBitmap Enlarged(const DIBitmap& source, int factor);

}  // namespace platform
