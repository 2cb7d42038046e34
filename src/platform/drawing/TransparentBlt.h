#pragma once
// Copies that leave some pixels of the destination alone: msimg32's TransparentBlt, which skips
// the source pixels of one colour, and DrawIconEx, which skips the pixels an icon's mask marks.
//
// Both scale as StretchBlt does (nearest pixel: destination column i of width w takes source
// column floor((2i + 1) * srcWidth / (2w)), rows alike), draw only within the destination's
// effective clip, and leave destination pixels alone whose source lies outside the source
// bitmap. Extents must be positive (no mirroring); otherwise nothing is drawn and false returned.

#include "platform/drawing/DeviceContext.h"

namespace platform {

// The source rectangle (srcX, srcY, srcWidth, srcHeight; the source context's mapping applies)
// onto the destination rectangle, skipping source pixels whose blue, green and red equal the
// transparent colour (system colours resolved). Both contexts need 24- or 32-bit bitmaps.
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                    int srcWidth, int srcHeight, TColor transparent);

// The whole image (24 or 32 bits) onto the destination rectangle; where the mask (any depth, the
// image's size; nullptr: none) has a pixel that is not black, the destination is left as it was.
// False, drawing nothing, for an image of another depth or a mask of another size.
bool DrawIconEx(HDC dst, int x, int y, const DIBitmap& image, const DIBitmap* mask, int width,
                int height);

}  // namespace platform
