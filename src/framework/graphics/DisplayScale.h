#pragma once
// The whole-number factor every window of the program is drawn at on this display: 1 on an
// ordinary screen, 2 or 3 on dense ones. Forms multiply their stored geometry and font heights by
// it once they are read, skins enlarge their pictures and tables by it when they are loaded, and
// the tool tip sizes its font and margins by it; nothing else in the program multiplies by it. Set
// once at start-up, before any form is made.

namespace framework {

inline constexpr int kMinDisplayScale = 1;
inline constexpr int kMaxDisplayScale = 3;

int DisplayScale();
// Values outside 1 to 3 are clamped into that range.
void SetDisplayScale(int factor);

}  // namespace framework
