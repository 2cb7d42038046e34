#include "platform/x11/X11Stacking.h"

#include <optional>
#include <vector>

#include "platform/x11/X11Errors.h"

namespace platform::x11 {

namespace {

struct Placed {
  ::Window window = None;
  int x = 0, y = 0, width = 0, height = 0;
  bool overrideRedirect = false;
};

// The window's rectangle when it is viewable; nullopt when not, or gone meanwhile.
std::optional<Placed> Viewable(Display* display, ::Window window) {
  XWindowAttributes attributes{};
  X11ErrorTrap trap(display);
  const bool ok = XGetWindowAttributes(display, window, &attributes) != 0;
  if (trap.Failed() || !ok || attributes.map_state != IsViewable) return std::nullopt;
  const int border = attributes.border_width;
  return Placed{window,
                attributes.x,
                attributes.y,
                attributes.width + 2 * border,
                attributes.height + 2 * border,
                attributes.override_redirect != 0};
}

bool Overlap(const Placed& a, const Placed& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

bool RaiseAboveOtherClients(Display* display, ::Window root, const StackingRoles& roles) {
  ::Window rootReturn = None;
  ::Window parent = None;
  ::Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return false;
  std::vector<Placed> stack;  // viewable children, bottom to top
  stack.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    if (const std::optional<Placed> placed = Viewable(display, children[i]))
      stack.push_back(*placed);
  }
  if (children) XFree(children);

  // The lowest always-on-top window of ours that another client's window covers.
  size_t lowest = stack.size();
  for (size_t i = 0; i < stack.size() && lowest == stack.size(); ++i) {
    if (!roles.ours(stack[i].window) || !roles.topmost(stack[i].window)) continue;
    for (size_t j = i + 1; j < stack.size(); ++j) {
      const Placed& above = stack[j];
      if (!roles.ours(above.window) && !above.overrideRedirect && Overlap(stack[i], above)) {
        lowest = i;
        break;
      }
    }
  }
  if (lowest == stack.size()) return false;
  for (size_t i = lowest; i < stack.size(); ++i) {
    if (roles.ours(stack[i].window)) XRaiseWindow(display, stack[i].window);
  }
  XFlush(display);
  return true;
}

bool RaisePolicy::Covered(uint32_t now) {
  if (givenUp_) return false;
  const uint32_t sinceRaise = now - lastRaise_;
  if (raisedOnce_ && sinceRaise < kAnswerMs) {
    if (++answers_ > kAnswersTolerated) {
      givenUp_ = true;
      retryDue_ = false;
      return false;
    }
  } else {
    answers_ = 0;
  }
  if (raisedOnce_ && sinceRaise < kMinIntervalMs) {
    retryDue_ = true;
    return false;
  }
  retryDue_ = false;
  return true;
}

void RaisePolicy::Raised(uint32_t now, bool raised) {
  retryDue_ = false;
  if (!raised) return;
  raisedOnce_ = true;
  lastRaise_ = now;
}

}  // namespace platform::x11
