#pragma once
// Non-windowed children (labels and other graphic controls) have no window of their own: they
// paint into their parent's context. Over a skinned parent they must paint over the parent's
// skinned face, so they are drawn together in an off-screen picture that starts as the parent's
// cache behind each of them, and their areas are then copied to the screen.

#include "platform/drawing/DeviceContext.h"

namespace framework {
class TWinControl;
}

namespace skin {

// Paints the visible non-windowed children of control that the context can show over the
// control's cache, in z-order, and copies their areas onto the context. A context that shows
// nothing marks the control partly painted (SKC_SETPARTLY) instead; without an answer to
// SKC_GETCACHE nothing is painted. A child whose area starts with a key-coloured pixel is not
// copied.
void PaintGraphicChildren(platform::HDC dc, framework::TWinControl* control);

}  // namespace skin
