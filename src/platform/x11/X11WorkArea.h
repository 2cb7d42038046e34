#pragma once
// The screens: the monitors, the work area within each and the whole virtual screen.

#include <X11/Xlib.h>

#include <vector>

#include "platform/Types.h"
#include "platform/windows/Screen.h"
#include "platform/x11/X11Atoms.h"

namespace platform::x11 {

// The monitors, the primary first: XRandR's monitors, else the CRTCs of its outputs, else the root
// window. The primary is the one XRandR marks so (monitors, then outputs), else the first.
std::vector<TRect> QueryMonitorRects(Display* display);

// The window manager's current desktop (_NET_CURRENT_DESKTOP), 0 when it names none.
long CurrentDesktop(Display* display, const X11Atoms& atoms);
// _GTK_WORKAREAS_D<desktop>: where GNOME publishes the work area of each monitor on that desktop.
Atom GtkWorkAreasAtom(Display* display, long desktop);

// Whether an EWMH window manager runs: _NET_SUPPORTING_WM_CHECK on the root names a window that
// names itself the same way (a window manager that died leaves the root's property behind).
bool WindowManagerRuns(Display* display, const X11Atoms& atoms);

// The monitors with their work areas, the primary first: each monitor less the docks' struts on
// it, by the rules of DeskWorkAreas.h. The whole monitors when no window manager runs. `docks`
// receives the windows whose struts were counted, so that their changes can be watched.
std::vector<MonitorInfo> QueryMonitors(Display* display, const X11Atoms& atoms,
                                       std::vector<::Window>* docks);

// The root window's size.
TSize RootWindowSize(Display* display);

}  // namespace platform::x11
