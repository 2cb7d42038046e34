#include "platform/x11/X11WorkArea.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/x11/DeskWorkAreas.h"
#include "platform/x11/X11Errors.h"

namespace platform::x11 {

namespace {

// A format-32 property of a window as longs (Xlib's format-32 unit), or nothing when it is missing,
// of another type or the window is gone.
std::optional<std::vector<long>> ReadLongs(Display* display, ::Window window, Atom property,
                                           Atom type, long maxItems) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  int status = 0;
  bool failed = false;
  {
    X11ErrorTrap trap(display);
    status = XGetWindowProperty(display, window, property, 0, maxItems, False, type, &actualType,
                                &actualFormat, &count, &remaining, &data);
    failed = trap.Failed();
  }
  if (failed || status != Success || actualType != type || actualFormat != 32 || !data) {
    if (data) XFree(data);
    return std::nullopt;
  }
  const long* values = reinterpret_cast<const long*>(data);
  std::vector<long> result(values, values + count);
  XFree(data);
  return result;
}

// XRandR's monitors, the primary first; empty without XRandR 1.3 or when it lists none.
std::vector<TRect> RandrMonitors(Display* display, ::Window root) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  std::vector<TRect> result;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor)) {
    return result;
  }
  const auto primaryFirst = [&result](size_t primary) {
    if (primary >= result.size()) return;
    const auto at = result.begin() + static_cast<std::ptrdiff_t>(primary);
    std::rotate(result.begin(), at, at + 1);
  };
  if (major > 1 || (major == 1 && minor >= 5)) {
    int count = 0;
    size_t primary = SIZE_MAX;
    if (XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count)) {
      for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if (m.width <= 0 || m.height <= 0) continue;
        if (m.primary && primary == SIZE_MAX) primary = result.size();
        result.push_back(Bounds(m.x, m.y, m.width, m.height));
      }
      XRRFreeMonitors(monitors);
    }
    primaryFirst(primary);
    if (!result.empty()) return result;
  }
  if (major > 1 || (major == 1 && minor >= 3)) {
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources) return result;
    const RROutput primaryOutput = XRRGetOutputPrimary(display, root);
    size_t primary = SIZE_MAX;
    for (int i = 0; i < resources->noutput; ++i) {
      XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
      if (!output) continue;
      if (output->crtc != None) {
        if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
          const TRect rect = Bounds(crtc->x, crtc->y, static_cast<int>(crtc->width),
                                    static_cast<int>(crtc->height));
          // Mirrored outputs share a CRTC: one monitor.
          if (!rect.IsEmpty() && std::find(result.begin(), result.end(), rect) == result.end()) {
            if (resources->outputs[i] == primaryOutput) primary = result.size();
            result.push_back(rect);
          }
          XRRFreeCrtcInfo(crtc);
        }
      }
      XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    primaryFirst(primary);
  }
  return result;
}

// A property of up to four numbers per desktop, of the current one.
std::optional<TRect> NetWorkArea(Display* display, const X11Atoms& atoms, ::Window root,
                                 long desktop) {
  // Window managers keep at most a few dozen desktops; the bound only keeps a broken property
  // from making us read megabytes.
  constexpr long kMaxDesktops = 1024;
  if (desktop < 0 || desktop >= kMaxDesktops) desktop = 0;
  const auto areas = ReadLongs(display, root, atoms.NET_WORKAREA, XA_CARDINAL, 4 * kMaxDesktops);
  if (!areas || areas->size() < static_cast<size_t>(4 * (desktop + 1))) return std::nullopt;
  // CARDINALs are unsigned 32-bit numbers; absurd ones are cut down to what a screen can be.
  const auto value = [&](long index) {
    return static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>((*areas)[index]), 1u << 30));
  };
  return Bounds(value(4 * desktop), value(4 * desktop + 1), value(4 * desktop + 2),
                value(4 * desktop + 3));
}

// GNOME's work area of each monitor on that desktop.
std::vector<TRect> GtkWorkAreas(Display* display, ::Window root, long desktop) {
  std::vector<TRect> result;
  const Atom atom = GtkWorkAreasAtom(display, desktop);
  constexpr long kMaxMonitors = 64;
  const auto values = ReadLongs(display, root, atom, XA_CARDINAL, 4 * kMaxMonitors);
  if (!values) return result;
  for (size_t i = 0; i + 3 < values->size(); i += 4) {
    const auto value = [&](size_t k) {
      return static_cast<int>(
          std::min<uint32_t>(static_cast<uint32_t>((*values)[i + k]), 1u << 30));
    };
    result.push_back(Bounds(value(0), value(1), value(2), value(3)));
  }
  return result;
}

}  // namespace

TSize RootWindowSize(Display* display) {
  ::Window root = DefaultRootWindow(display);
  ::Window unusedRoot = None;
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 0;
  unsigned depth = 0;
  // Asked afresh: the screen may have been resized since the connection opened.
  if (!XGetGeometry(display, root, &unusedRoot, &x, &y, &width, &height, &border, &depth)) {
    return {DisplayWidth(display, DefaultScreen(display)),
            DisplayHeight(display, DefaultScreen(display))};
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

std::vector<TRect> QueryMonitorRects(Display* display) {
  std::vector<TRect> monitors = RandrMonitors(display, DefaultRootWindow(display));
  if (monitors.empty()) {
    const TSize root = RootWindowSize(display);
    monitors.push_back({0, 0, root.cx, root.cy});
  }
  return monitors;
}

long CurrentDesktop(Display* display, const X11Atoms& atoms) {
  const auto current =
      ReadLongs(display, DefaultRootWindow(display), atoms.NET_CURRENT_DESKTOP, XA_CARDINAL, 1);
  return current && !current->empty() ? (*current)[0] : 0;
}

Atom GtkWorkAreasAtom(Display* display, long desktop) {
  return XInternAtom(display, ("_GTK_WORKAREAS_D" + std::to_string(desktop)).c_str(), False);
}

bool WindowManagerRuns(Display* display, const X11Atoms& atoms) {
  const auto check =
      ReadLongs(display, DefaultRootWindow(display), atoms.NET_SUPPORTING_WM_CHECK, XA_WINDOW, 1);
  if (!check || check->empty()) return false;
  const auto self = ReadLongs(display, static_cast<::Window>((*check)[0]),
                              atoms.NET_SUPPORTING_WM_CHECK, XA_WINDOW, 1);
  return self && !self->empty() && (*self)[0] == (*check)[0];
}

std::vector<MonitorInfo> QueryMonitors(Display* display, const X11Atoms& atoms,
                                       std::vector<::Window>* docks) {
  const std::vector<TRect> rects = QueryMonitorRects(display);
  std::vector<MonitorInfo> monitors;
  monitors.reserve(rects.size());
  for (const TRect& rect : rects) monitors.push_back({rect, rect, monitors.empty()});
  if (!WindowManagerRuns(display, atoms)) return monitors;

  const ::Window root = DefaultRootWindow(display);
  const long desktop = CurrentDesktop(display, atoms);
  DeskWorkAreas desk;
  desk.root = RootWindowSize(display);
  desk.singleMonitor = rects.size() == 1;
  desk.netWorkArea = NetWorkArea(display, atoms, root, desktop);
  desk.gtkWorkAreas = GtkWorkAreas(display, root, desktop);
  if (desk.gtkWorkAreas.empty()) {
    constexpr long kMaxClients = 4096;
    const std::vector<long> clients =
        ReadLongs(display, root, atoms.NET_CLIENT_LIST, XA_WINDOW, kMaxClients)
            .value_or(std::vector<long>{});
    for (const long client : clients) {
      const auto window = static_cast<::Window>(client);
      auto values = ReadLongs(display, window, atoms.NET_WM_STRUT_PARTIAL, XA_CARDINAL, 12);
      if (!values || values->size() != 12) {
        values = ReadLongs(display, window, atoms.NET_WM_STRUT, XA_CARDINAL, 4);
      }
      if (!values) continue;
      if (const std::optional<Strut> strut = StrutFromValues(*values, desk.root)) {
        desk.struts.push_back(*strut);
        if (docks) docks->push_back(window);
      }
    }
  }
  for (MonitorInfo& monitor : monitors) {
    monitor.rcWork = MonitorWorkArea(monitor.rcMonitor, desk);
  }
  return monitors;
}

}  // namespace platform::x11
