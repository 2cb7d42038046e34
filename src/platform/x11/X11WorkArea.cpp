#include "platform/x11/X11WorkArea.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

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

std::optional<TRect> RandrPrimaryMonitor(Display* display, ::Window root) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor)) {
    return std::nullopt;
  }
  std::optional<TRect> first;
  if (major > 1 || (major == 1 && minor >= 5)) {
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    if (monitors) {
      for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if (m.width <= 0 || m.height <= 0) continue;
        const TRect rect = Bounds(m.x, m.y, m.width, m.height);
        if (m.primary) {
          XRRFreeMonitors(monitors);
          return rect;
        }
        if (!first) first = rect;
      }
      XRRFreeMonitors(monitors);
    }
  }
  if (major > 1 || (major == 1 && minor >= 3)) {
    const RROutput primary = XRRGetOutputPrimary(display, root);
    XRRScreenResources* resources =
        primary != None ? XRRGetScreenResourcesCurrent(display, root) : nullptr;
    if (resources) {
      std::optional<TRect> rect;
      XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary);
      if (output && output->crtc != None) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc);
        if (crtc && crtc->width > 0 && crtc->height > 0) {
          rect = Bounds(crtc->x, crtc->y, static_cast<int>(crtc->width),
                        static_cast<int>(crtc->height));
        }
        if (crtc) XRRFreeCrtcInfo(crtc);
      }
      if (output) XRRFreeOutputInfo(output);
      XRRFreeScreenResources(resources);
      if (rect) return rect;
    }
  }
  return first;
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

TRect PrimaryMonitorRect(Display* display) {
  if (std::optional<TRect> monitor = RandrPrimaryMonitor(display, DefaultRootWindow(display))) {
    return *monitor;
  }
  const TSize root = RootWindowSize(display);
  return {0, 0, root.cx, root.cy};
}

bool WindowManagerRuns(Display* display, const X11Atoms& atoms) {
  const auto check =
      ReadLongs(display, DefaultRootWindow(display), atoms.NET_SUPPORTING_WM_CHECK, XA_WINDOW, 1);
  if (!check || check->empty()) return false;
  const auto self = ReadLongs(display, static_cast<::Window>((*check)[0]),
                              atoms.NET_SUPPORTING_WM_CHECK, XA_WINDOW, 1);
  return self && !self->empty() && (*self)[0] == (*check)[0];
}

TRect QueryWorkArea(Display* display, const X11Atoms& atoms) {
  const TRect monitor = PrimaryMonitorRect(display);
  if (!WindowManagerRuns(display, atoms)) return monitor;

  const ::Window root = DefaultRootWindow(display);
  long desktop = 0;
  if (const auto current = ReadLongs(display, root, atoms.NET_CURRENT_DESKTOP, XA_CARDINAL, 1);
      current && !current->empty()) {
    desktop = (*current)[0];
  }
  // Window managers keep at most a few dozen desktops; the bound only keeps a broken property
  // from making us read megabytes.
  constexpr long kMaxDesktops = 1024;
  if (desktop < 0 || desktop >= kMaxDesktops) desktop = 0;
  const auto areas = ReadLongs(display, root, atoms.NET_WORKAREA, XA_CARDINAL, 4 * kMaxDesktops);
  if (!areas || areas->size() < static_cast<size_t>(4 * (desktop + 1))) return monitor;

  // CARDINALs arrive as longs holding unsigned 32-bit numbers; intersect in 64 bits so that no
  // value, however absurd, overflows.
  const auto value = [&](long index) -> int64_t { return static_cast<uint32_t>((*areas)[index]); };
  const int64_t left = std::max<int64_t>(value(4 * desktop), monitor.Left);
  const int64_t top = std::max<int64_t>(value(4 * desktop + 1), monitor.Top);
  const int64_t right =
      std::min<int64_t>(value(4 * desktop) + value(4 * desktop + 2), monitor.Right);
  const int64_t bottom =
      std::min<int64_t>(value(4 * desktop + 1) + value(4 * desktop + 3), monitor.Bottom);
  if (right <= left || bottom <= top) return monitor;
  const TRect result{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                     static_cast<int>(bottom)};
  return result;
}

}  // namespace platform::x11
