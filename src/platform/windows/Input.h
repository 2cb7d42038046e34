#pragma once
// Mouse capture, keyboard focus, activation and the state of keys and pointer.

#include "platform/windows/Window.h"

namespace platform {

// While a window has the capture, every mouse message of the program goes to it.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// A pop-up menu takes the pointer and the keyboard of the whole desktop while it is open, without
// taking the focus from the window the user types in: every mouse message goes to it (as with the
// capture) and every key to it. False, and nothing taken, when the desktop refuses.
// ReleaseInputGrab gives both back; destroying or hiding the window does too.
bool GrabInput(HWND popup);
void ReleaseInputGrab();
HWND GetInputGrab();

// The keyboard focus inside the program: WM_KILLFOCUS to the old window and WM_SETFOCUS to the new
// one. Focusing a window never takes the desktop's keyboard focus from another program; that
// happens only when the user clicks a window of the program that accepts it, or a dialog shows.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// The active top-level window of the program (the one the desktop gives the keyboard), or nullptr.
HWND GetActiveWindow();
HWND SetActiveWindow(HWND hwnd);  // asks the desktop to activate it
HWND GetForegroundWindow();

// The state of a key at the time of the message being handled: the high bit set when down.
int16_t GetKeyState(int virtualKey);
bool GetCursorPos(TPoint* point);

// Double clicks: two presses of one button within this many milliseconds and pixels.
constexpr uint32_t kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

}  // namespace platform
