#pragma once
// Timers: WM_TIMER (wParam = the timer's id) posted to the window when its interval has passed,
// once per due time however late the loop is. The loop sleeps until the nearest timer or event.

#include "platform/windows/Window.h"

namespace platform {

// Starts or restarts the timer (hwnd, id); an interval below 10 ms counts as 10 ms.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, uint32_t intervalMs);
bool KillTimer(HWND hwnd, uintptr_t id);

}  // namespace platform
