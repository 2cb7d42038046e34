#pragma once
// The whole-number factor every window of the program is drawn at on this display: 1 on an
// ordinary screen, 2 or 3 on dense ones. Forms multiply their stored geometry and font heights by
// it once they are read, skins enlarge their pictures and tables by it when they are loaded, and
// the tool tip and the pop-up menu size their fonts and margins by it, and so does the platform's
// message box; nothing else in the program multiplies by it. Set once at start-up, before any form
// is made.

#include "platform/windows/Screen.h"

namespace framework {

inline constexpr int kMinDisplayScale = platform::kMinDeviceScale;
inline constexpr int kMaxDisplayScale = platform::kMaxDeviceScale;

int DisplayScale();
// A length in pixels of an ordinary screen, at the display's factor.
inline int DisplayScaled(int pixels) { return pixels * DisplayScale(); }
// Values outside 1 to 3 are clamped into that range.
void SetDisplayScale(int factor);

}  // namespace framework
