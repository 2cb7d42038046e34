// The calls of Input.h, Timer.h and Screen.h over the window system.

#include <algorithm>
#include <cstdint>

#include "platform/windows/Input.h"
#include "platform/windows/Screen.h"
#include "platform/windows/Timer.h"
#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

WindowSystem& WS() { return WindowSystem::Instance(); }

int deviceScale = 1;

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
  if (!WS().Find(hwnd)) return 0;
  return WS().Timers().Start(hwnd, id, intervalMs, WS().Now());
}

bool KillTimer(HWND hwnd, uintptr_t id) { return WS().Timers().Stop(hwnd, id); }

std::vector<MonitorInfo> GetMonitors() { return WS().backend().Monitors(); }

MonitorInfo MonitorFromRect(const TRect& r) { return MonitorHolding(GetMonitors(), r); }

TRect GetWorkArea() { return GetMonitors().front().rcWork; }
TSize GetVirtualScreenSize() { return WS().backend().VirtualScreenSize(); }

int DeviceScale() { return deviceScale; }
void SetDeviceScale(int factor) {
  deviceScale = std::clamp(factor, kMinDeviceScale, kMaxDeviceScale);
}

const MonitorInfo& MonitorHolding(const std::vector<MonitorInfo>& monitors, const TRect& r) {
  // Rectangles are far below 2^31 on a side, but their areas and squared distances are not.
  const auto overlap = [&r](const TRect& m) -> int64_t {
    const TRect common = m.Intersected(r);
    return common.IsEmpty() ? 0 : int64_t{common.Width()} * common.Height();
  };
  const auto distance = [&r](const TRect& m) -> int64_t {
    const int64_t dx = std::max<int64_t>({0, int64_t{m.Left} - r.Right, int64_t{r.Left} - m.Right});
    const int64_t dy = std::max<int64_t>({0, int64_t{m.Top} - r.Bottom, int64_t{r.Top} - m.Bottom});
    return dx * dx + dy * dy;
  };
  const MonitorInfo* best = &monitors.front();
  for (const MonitorInfo& m : monitors) {
    if (overlap(m.rcMonitor) > overlap(best->rcMonitor)) best = &m;
  }
  if (overlap(best->rcMonitor) > 0) return *best;
  for (const MonitorInfo& m : monitors) {
    if (distance(m.rcMonitor) < distance(best->rcMonitor)) best = &m;
  }
  return *best;
}

}  // namespace platform
