#pragma once
// The atoms the backend speaks, interned in one round trip when the connection opens.

#include <X11/Xlib.h>

namespace platform::x11 {

struct X11Atoms {
  explicit X11Atoms(Display* display);

  Atom WM_PROTOCOLS = None;
  Atom WM_DELETE_WINDOW = None;
  Atom WM_TAKE_FOCUS = None;
  Atom WM_CLIENT_MACHINE = None;
  Atom WM_WINDOW_ROLE = None;
  Atom UTF8_STRING = None;
  Atom MOTIF_WM_HINTS = None;
  Atom NET_WM_NAME = None;
  Atom NET_WM_PID = None;
  Atom NET_WM_ICON = None;
  Atom NET_WM_DESKTOP = None;
  Atom NET_WM_STATE = None;
  Atom NET_WM_STATE_ABOVE = None;
  Atom NET_WM_STATE_SKIP_TASKBAR = None;
  Atom NET_WM_STATE_SKIP_PAGER = None;
  Atom NET_WM_STATE_MODAL = None;
  Atom NET_WM_WINDOW_OPACITY = None;
  Atom NET_WM_WINDOW_TYPE = None;
  Atom NET_WM_WINDOW_TYPE_NORMAL = None;
  Atom NET_WM_WINDOW_TYPE_DOCK = None;
  Atom NET_WM_WINDOW_TYPE_DIALOG = None;
  Atom NET_WM_WINDOW_TYPE_TOOLTIP = None;
  Atom NET_WM_WINDOW_TYPE_POPUP_MENU = None;
  Atom NET_ACTIVE_WINDOW = None;
  Atom NET_WORKAREA = None;
  Atom NET_CURRENT_DESKTOP = None;
  Atom NET_SUPPORTING_WM_CHECK = None;
  Atom NET_CLIENT_LIST = None;
  Atom NET_WM_STRUT = None;
  Atom NET_WM_STRUT_PARTIAL = None;
};

}  // namespace platform::x11
