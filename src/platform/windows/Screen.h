#pragma once
// Screens: the monitors, each with its work area (the monitor less the desktop's docked bars), the
// primary monitor's work area and the virtual screen (all monitors together).

#include <vector>

#include "platform/Types.h"

namespace platform {

// One monitor, in screen coordinates (Windows' MONITORINFO).
struct MonitorInfo {
  TRect rcMonitor;
  TRect rcWork;
  bool primary = false;

  bool operator==(const MonitorInfo&) const = default;
};

// The desktop's monitors, the primary first; never empty.
std::vector<MonitorInfo> GetMonitors();
// The monitor that holds the largest part of r; when r lies on none, the one nearest to it.
MonitorInfo MonitorFromRect(const TRect& r);
// The primary monitor's work area.
TRect GetWorkArea();
TSize GetVirtualScreenSize();

// The whole-number factor the program's windows are drawn at on this display: 1 on an ordinary
// screen, 2 or 3 on dense ones. The platform's own windows (the message box) size themselves by
// it; the layers above set it once at start-up. Values outside 1 to 3 are clamped into that range.
inline constexpr int kMinDeviceScale = 1;
inline constexpr int kMaxDeviceScale = 3;
int DeviceScale();
void SetDeviceScale(int factor);
// A length in pixels of an ordinary screen, at the device's factor.
inline int DeviceScaled(int pixels) { return pixels * DeviceScale(); }

// Which monitor of a list holds the largest part of r, else lies nearest to it (the first on a
// tie); the list must not be empty.
const MonitorInfo& MonitorHolding(const std::vector<MonitorInfo>& monitors, const TRect& r);

}  // namespace platform
