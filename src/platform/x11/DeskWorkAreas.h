#pragma once
// What a desktop publishes about the room its panels leave, and the work area of one monitor
// worked out from it. Free of Xlib: the X11 side reads the properties, these rules weigh them.

#include <optional>
#include <vector>

#include "platform/Types.h"

namespace platform::x11 {

// The room a dock reserves along the screen's edges (_NET_WM_STRUT_PARTIAL): each thickness is
// measured from the root window's edge, and covers the span from start to end (inclusive) along
// that edge.
struct Strut {
  long left = 0, right = 0, top = 0, bottom = 0;
  long leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
  long topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;
};

// A strut from a property's CARDINALs: the twelve of _NET_WM_STRUT_PARTIAL, or the four of the
// older _NET_WM_STRUT, which reserve the whole length of their edges. nullopt for any other count.
std::optional<Strut> StrutFromValues(const std::vector<long>& values, TSize root);

struct DeskWorkAreas {
  TSize root;                        // the root window (all monitors together)
  bool singleMonitor = true;         // one monitor: _NET_WORKAREA is that monitor's own
  std::optional<TRect> netWorkArea;  // _NET_WORKAREA of the current desktop
  std::vector<TRect> gtkWorkAreas;   // _GTK_WORKAREAS_D<desktop>: one per monitor, when published
  std::vector<Strut> struts;         // of the docks the window manager lists
};

// The monitor less what the desktop reserves on it:
//  - where the desktop publishes per-monitor work areas (_GTK_WORKAREAS_D<n>), the one that
//    overlaps the monitor most, within the monitor;
//  - else the monitor less the struts that reach into it, each taking the monitor's edge that
//    faces the screen edge it is measured from;
//  - within _NET_WORKAREA where that speaks for this monitor: with one monitor, or when no dock
//    publishes a strut (with several, it is one rectangle that every dock on every monitor cut
//    down, so a panel on one monitor would wrongly shrink the others).
// When the reservations leave nothing of the monitor, the whole monitor.
TRect MonitorWorkArea(const TRect& monitor, const DeskWorkAreas& desk);

}  // namespace platform::x11
