#pragma once
// Staying on top where no window manager keeps windows on top. Without a window manager
// _NET_WM_STATE_ABOVE is a wish nobody reads, and any window mapped later covers the bar. The
// backend watches its always-on-top windows' visibility and, when one of them is covered by
// another client's window, raises the program's windows back above it. Raising never moves the
// keyboard focus, and with a window manager running nothing here is done: the window manager
// keeps its own stacking, and raising against it would only make the two fight.

#include <X11/Xlib.h>

#include <functional>

namespace platform::x11 {

// Whether the window is one of the program's, and whether it should stay above others.
struct StackingRoles {
  std::function<bool(::Window)> ours;
  std::function<bool(::Window)> topmost;
};

// Looks at the root window's children (bottom to top). When a viewable always-on-top window of
// ours is overlapped by a viewable window of another client standing above it, raises that
// window and every viewable window of ours above it, in their order, to the top: the program's
// own windows keep their order among themselves (a dialog or message box stays above the bar).
// Override-redirect windows of other clients (menus, tool tips) are left above: they are short
// lived and belong over everything. Returns whether anything was raised.
bool RaiseAboveOtherClients(Display* display, ::Window root, const StackingRoles& roles);

}  // namespace platform::x11
