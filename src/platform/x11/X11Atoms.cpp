#include "platform/x11/X11Atoms.h"

#include <iterator>

namespace platform::x11 {

X11Atoms::X11Atoms(Display* display) {
  // Names and destinations side by side, so one XInternAtoms call fills every field.
  struct Entry {
    const char* name;
    Atom X11Atoms::*field;
  };
  static constexpr Entry kEntries[] = {
      {"WM_PROTOCOLS", &X11Atoms::WM_PROTOCOLS},
      {"WM_DELETE_WINDOW", &X11Atoms::WM_DELETE_WINDOW},
      {"WM_TAKE_FOCUS", &X11Atoms::WM_TAKE_FOCUS},
      {"WM_CLIENT_MACHINE", &X11Atoms::WM_CLIENT_MACHINE},
      {"WM_WINDOW_ROLE", &X11Atoms::WM_WINDOW_ROLE},
      {"UTF8_STRING", &X11Atoms::UTF8_STRING},
      {"_MOTIF_WM_HINTS", &X11Atoms::MOTIF_WM_HINTS},
      {"_NET_WM_NAME", &X11Atoms::NET_WM_NAME},
      {"_NET_WM_PID", &X11Atoms::NET_WM_PID},
      {"_NET_WM_ICON", &X11Atoms::NET_WM_ICON},
      {"_NET_WM_DESKTOP", &X11Atoms::NET_WM_DESKTOP},
      {"_NET_WM_STATE", &X11Atoms::NET_WM_STATE},
      {"_NET_WM_STATE_ABOVE", &X11Atoms::NET_WM_STATE_ABOVE},
      {"_NET_WM_STATE_SKIP_TASKBAR", &X11Atoms::NET_WM_STATE_SKIP_TASKBAR},
      {"_NET_WM_STATE_SKIP_PAGER", &X11Atoms::NET_WM_STATE_SKIP_PAGER},
      {"_NET_WM_STATE_MODAL", &X11Atoms::NET_WM_STATE_MODAL},
      {"_NET_WM_WINDOW_OPACITY", &X11Atoms::NET_WM_WINDOW_OPACITY},
      {"_NET_WM_WINDOW_TYPE", &X11Atoms::NET_WM_WINDOW_TYPE},
      {"_NET_WM_WINDOW_TYPE_NORMAL", &X11Atoms::NET_WM_WINDOW_TYPE_NORMAL},
      {"_NET_WM_WINDOW_TYPE_DOCK", &X11Atoms::NET_WM_WINDOW_TYPE_DOCK},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &X11Atoms::NET_WM_WINDOW_TYPE_DIALOG},
      {"_NET_WM_WINDOW_TYPE_TOOLTIP", &X11Atoms::NET_WM_WINDOW_TYPE_TOOLTIP},
      {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &X11Atoms::NET_WM_WINDOW_TYPE_POPUP_MENU},
      {"_NET_ACTIVE_WINDOW", &X11Atoms::NET_ACTIVE_WINDOW},
      {"_NET_WORKAREA", &X11Atoms::NET_WORKAREA},
      {"_NET_CURRENT_DESKTOP", &X11Atoms::NET_CURRENT_DESKTOP},
      {"_NET_SUPPORTING_WM_CHECK", &X11Atoms::NET_SUPPORTING_WM_CHECK},
      {"_NET_CLIENT_LIST", &X11Atoms::NET_CLIENT_LIST},
      {"_NET_WM_STRUT", &X11Atoms::NET_WM_STRUT},
      {"_NET_WM_STRUT_PARTIAL", &X11Atoms::NET_WM_STRUT_PARTIAL},
  };
  constexpr int kCount = static_cast<int>(std::size(kEntries));
  char* names[kCount];
  for (int i = 0; i < kCount; ++i) names[i] = const_cast<char*>(kEntries[i].name);
  Atom atoms[kCount] = {};
  XInternAtoms(display, names, kCount, False, atoms);
  for (int i = 0; i < kCount; ++i) this->*(kEntries[i].field) = atoms[i];
}

}  // namespace platform::x11
