#pragma once
// The program's own modal message box: caption, error icon, message and an OK button. It runs
// its own modal loop; the program's other windows take no input until it closes (Enter, Esc, a
// click on OK, or the window being closed).

#include <string>

#include "platform/windows/Window.h"

namespace platform {

enum : unsigned { MB_OK = 0x0, MB_ICONERROR = 0x10 };
enum : int { IDOK = 1 };

int MessageBox(HWND owner, const std::string& text, const std::string& caption, unsigned type);

}  // namespace platform
