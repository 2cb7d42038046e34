#pragma once
// Straight lines, as GDI's LineTo draws them with a solid pen: every pixel from the start point up
// to the end point, the end point itself left out (so that joined segments touch each pixel
// once), chosen along the longer axis one pixel per step with the other axis rounded to the
// nearest pixel (halves away from the start).
//
// The pen's position is the caller's to keep (the framework's canvas does): the context holds no
// current position.

#include "platform/drawing/DeviceContext.h"

namespace platform {

// Draws the line from `from` to `to` (logical coordinates) in the colour (system colours resolved)
// within the context's effective clip. A pen wider than one pixel puts a width x width square,
// centred (the extra pixel of an even width to the right and below), on every point of the line.
// Returns false, drawing nothing, for a null context or one without a 24- or 32-bit bitmap; a
// line whose ends are the same point draws nothing. The work is bounded by the bitmap's size,
// however far away the ends lie.
bool DrawLine(HDC dc, TPoint from, TPoint to, TColor color, int width = 1);

}  // namespace platform
