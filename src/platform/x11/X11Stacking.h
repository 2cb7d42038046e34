#pragma once
// Staying on top where no window manager keeps windows on top. Without a window manager
// _NET_WM_STATE_ABOVE is a wish nobody reads, and any window mapped later covers the bar. The
// backend watches its always-on-top windows' visibility and, when one of them is covered by
// another client's window, raises the program's windows back above it. Raising never moves the
// keyboard focus, and with a window manager running nothing here is done: the window manager
// keeps its own stacking, and raising against it would only make the two fight.

#include <X11/Xlib.h>

#include <cstdint>
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

// When to answer a cover by rising. Another client that keeps itself on top the same way would
// answer each of our raises with one of its own, and the two would take turns for ever. A cover
// that comes soon after our last raise is taken as such an answer: after a short run of them the
// bar stays where it is until the stacking changes for another cause (a window is mapped). Raises
// are spaced as well, so no run of covers makes more than a few of them a second.
class RaisePolicy {
 public:
  static constexpr uint32_t kAnswerMs = 1000;      // a cover this soon after a raise answers it
  static constexpr int kAnswersTolerated = 3;      // consecutive answers before the bar gives up
  static constexpr uint32_t kMinIntervalMs = 250;  // between two raises

  // An always-on-top window of ours was covered at `now` (milliseconds): whether to raise now.
  bool Covered(uint32_t now);
  // The raise that Covered allowed was made (false: nothing of ours was under another window).
  void Raised(uint32_t now, bool raised);
  // The stacking changed for another cause than a raise: a fresh run may begin.
  void StackingChanged() {
    answers_ = 0;
    givenUp_ = false;
  }
  // Whether a cover was put off by the spacing and wants a raise at `RetryAt()`.
  bool RetryDue() const { return retryDue_; }
  uint32_t RetryAt() const { return lastRaise_ + kMinIntervalMs; }

 private:
  bool raisedOnce_ = false;
  uint32_t lastRaise_ = 0;
  int answers_ = 0;
  bool givenUp_ = false;
  bool retryDue_ = false;
};

}  // namespace platform::x11
