// The calls of Input.h, Timer.h and Screen.h over the window system.

#include "platform/windows/Input.h"
#include "platform/windows/Screen.h"
#include "platform/windows/Timer.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

WindowSystem& WS() { return WindowSystem::Instance(); }

}  // namespace

HWND SetCapture(HWND hwnd) { return WS().SetCapture(hwnd); }
bool ReleaseCapture() { return WS().ReleaseCapture(); }
HWND GetCapture() { return WS().Capture(); }
bool GrabInput(HWND popup) { return WS().GrabInput(popup); }
void ReleaseInputGrab() { WS().ReleaseInputGrab(); }
HWND GetInputGrab() { return WS().InputGrab(); }
HWND SetFocus(HWND hwnd) { return WS().SetFocus(hwnd); }
HWND GetFocus() { return WS().Focus(); }
HWND GetActiveWindow() { return WS().Active(); }
HWND SetActiveWindow(HWND hwnd) { return WS().Activate(hwnd); }
HWND GetForegroundWindow() { return WS().Active(); }
int16_t GetKeyState(int virtualKey) { return WS().KeyState(virtualKey); }

bool GetCursorPos(TPoint* point) {
  *point = WS().backend().CursorPos();
  return true;
}

uintptr_t SetTimer(HWND hwnd, uintptr_t id, uint32_t intervalMs) {
  return WS().StartTimer(hwnd, id, intervalMs);
}

bool KillTimer(HWND hwnd, uintptr_t id) { return WS().StopTimer(hwnd, id); }

TRect GetWorkArea() { return WS().backend().WorkArea(); }
TSize GetVirtualScreenSize() { return WS().backend().VirtualScreenSize(); }

}  // namespace platform
