#include "platform/x11/DeskWorkAreas.h"

#include <algorithm>
#include <cstdint>

namespace platform::x11 {

namespace {

// Rectangles of 64-bit edges: strut values come from other programs and may be absurd.
struct WideRect {
  int64_t left, top, right, bottom;
  bool Overlaps(const WideRect& r) const {
    return std::max(left, r.left) < std::min(right, r.right) &&
           std::max(top, r.top) < std::min(bottom, r.bottom);
  }
};

WideRect Wide(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

int64_t OverlapArea(const TRect& a, const TRect& b) {
  const TRect common = a.Intersected(b);
  return common.IsEmpty() ? 0 : int64_t{common.Width()} * common.Height();
}

// CARDINALs arrive as longs holding unsigned 32-bit numbers.
int64_t Cardinal(long value) { return static_cast<uint32_t>(value); }

}  // namespace

std::optional<Strut> StrutFromValues(const std::vector<long>& values, TSize root) {
  if (values.size() == 4) {
    return Strut{values[0], values[1],   values[2], values[3],   0, root.cy - 1,
                 0,         root.cy - 1, 0,         root.cx - 1, 0, root.cx - 1};
  }
  if (values.size() != 12) return std::nullopt;
  return Strut{values[0], values[1], values[2], values[3], values[4],  values[5],
               values[6], values[7], values[8], values[9], values[10], values[11]};
}

TRect MonitorWorkArea(const TRect& monitor, const DeskWorkAreas& desk) {
  if (!desk.gtkWorkAreas.empty()) {
    const auto most = std::max_element(desk.gtkWorkAreas.begin(), desk.gtkWorkAreas.end(),
                                       [&](const TRect& a, const TRect& b) {
                                         return OverlapArea(a, monitor) < OverlapArea(b, monitor);
                                       });
    if (OverlapArea(*most, monitor) > 0) return most->Intersected(monitor);
  }

  const WideRect m = Wide(monitor);
  WideRect area = m;
  const int64_t rootWidth = desk.root.cx;
  const int64_t rootHeight = desk.root.cy;
  for (const Strut& s : desk.struts) {
    // Each reserved band in root coordinates; a band that reaches into the monitor pushes the
    // monitor's facing edge past it.
    if (Cardinal(s.left) > 0) {
      const WideRect band{0, Cardinal(s.leftStartY), Cardinal(s.left), Cardinal(s.leftEndY) + 1};
      if (band.Overlaps(m)) area.left = std::max(area.left, band.right);
    }
    if (Cardinal(s.right) > 0) {
      const WideRect band{rootWidth - Cardinal(s.right), Cardinal(s.rightStartY), rootWidth,
                          Cardinal(s.rightEndY) + 1};
      if (band.Overlaps(m)) area.right = std::min(area.right, band.left);
    }
    if (Cardinal(s.top) > 0) {
      const WideRect band{Cardinal(s.topStartX), 0, Cardinal(s.topEndX) + 1, Cardinal(s.top)};
      if (band.Overlaps(m)) area.top = std::max(area.top, band.bottom);
    }
    if (Cardinal(s.bottom) > 0) {
      const WideRect band{Cardinal(s.bottomStartX), rootHeight - Cardinal(s.bottom),
                          Cardinal(s.bottomEndX) + 1, rootHeight};
      if (band.Overlaps(m)) area.bottom = std::min(area.bottom, band.top);
    }
  }
  if (desk.netWorkArea && (desk.singleMonitor || desk.struts.empty())) {
    const WideRect net = Wide(*desk.netWorkArea);
    area = {std::max(area.left, net.left), std::max(area.top, net.top),
            std::min(area.right, net.right), std::min(area.bottom, net.bottom)};
  }
  if (area.right <= area.left || area.bottom <= area.top) return monitor;
  // Inside the monitor, so the edges fit in int again.
  return {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.right),
          static_cast<int>(area.bottom)};
}

}  // namespace platform::x11
