#pragma once
// The window system's timers: each (window, id) pair has an interval and the time it is next due,
// on the backend's wrapping 32-bit millisecond clock. The queue hands out the most overdue timer,
// once however many intervals have passed, and tells the loop how long it may sleep. Times are
// given by the caller, so the queue knows nothing of clocks or windows beyond their handles.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/windows/Window.h"

namespace platform {

class TimerQueue {
 public:
  // Starts or restarts the timer (hwnd, id), next due an interval after now; an interval below
  // 10 ms counts as 10 ms. Returns the id.
  uintptr_t Start(HWND hwnd, uintptr_t id, uint32_t intervalMs, uint32_t now);
  // False when there was no such timer.
  bool Stop(HWND hwnd, uintptr_t id);
  // Every timer of the window, which is going away: no timer outlives its window.
  void StopAll(HWND hwnd);
  void Clear() { timers_.clear(); }

  // The most overdue timer at now, as its WM_TIMER; nothing when none is due.
  std::optional<MSG> Due(uint32_t now) const;
  // The timer's WM_TIMER was handed out at time: it is next due an interval later.
  void Handed(const MSG& timerMessage);
  // Milliseconds from now until the nearest timer is due (0 when one is overdue); nullopt when
  // there is no timer.
  std::optional<uint32_t> NextDelay(uint32_t now) const;

 private:
  struct Timer {
    HWND hwnd;
    uintptr_t id;
    uint32_t interval;
    uint32_t due;
  };
  std::vector<Timer> timers_;
};

}  // namespace platform
