#pragma once
// The program's own modal message box: caption, error icon, message and an OK button. It runs
// its own modal loop; the program's other windows take no input until it closes (Enter, Esc, a
// click on OK, or the window being closed).

#include <optional>
#include <string>

#include "platform/windows/Window.h"

namespace platform {

enum : unsigned { MB_OK = 0x0, MB_ICONERROR = 0x10 };
enum : int { IDOK = 1 };

// The box stands centred on its owner's top-level window when that is visible, else on the
// primary monitor's work area, and is then moved inside the work area of the monitor it stands on,
// as the desktop's own message boxes are.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);

// Where a box of this size stands: centred on `owner` (nullopt: on the work area), then moved
// inside the work area as far as its size allows; a box larger than the work area keeps its top
// and left edges inside it, where its caption and the start of its message are.
TRect MessageBoxBounds(TSize size, const std::optional<TRect>& owner, const TRect& workArea);

}  // namespace platform
