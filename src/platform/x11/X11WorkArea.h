#pragma once
// The screens: the primary monitor, the work area within it and the whole virtual screen.

#include <X11/Xlib.h>

#include "platform/Types.h"
#include "platform/x11/X11Atoms.h"

namespace platform::x11 {

// The primary monitor: the primary entry of XRandR's monitors, else the primary output's CRTC,
// else the first monitor, else the root window.
TRect PrimaryMonitorRect(Display* display);

// Whether an EWMH window manager runs: _NET_SUPPORTING_WM_CHECK on the root names a window that
// names itself the same way (a window manager that died leaves the root's property behind).
bool WindowManagerRuns(Display* display, const X11Atoms& atoms);

// The primary monitor less the window manager's docked bars: _NET_WORKAREA of the current desktop
// intersected with the monitor. The whole monitor when no window manager runs or it publishes no
// usable work area.
TRect QueryWorkArea(Display* display, const X11Atoms& atoms);

// The root window's size.
TSize RootWindowSize(Display* display);

}  // namespace platform::x11
