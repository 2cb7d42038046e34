#include "platform/windows/TimerQueue.h"

#include <algorithm>
#include <limits>

namespace platform {

namespace {

// Milliseconds from now until due on a wrapping 32-bit clock; negative when overdue.
int32_t Until(uint32_t due, uint32_t now) { return static_cast<int32_t>(due - now); }

}  // namespace

uintptr_t TimerQueue::Start(HWND hwnd, uintptr_t id, uint32_t intervalMs, uint32_t now) {
  const uint32_t interval = std::max<uint32_t>(intervalMs, 10);
  const uint32_t due = now + interval;
  for (Timer& t : timers_) {
    if (t.hwnd == hwnd && t.id == id) {
      t.interval = interval;
      t.due = due;
      return id;
    }
  }
  timers_.push_back({hwnd, id, interval, due});
  return id;
}

bool TimerQueue::Stop(HWND hwnd, uintptr_t id) {
  const auto before = timers_.size();
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
                timers_.end());
  return timers_.size() != before;
}

void TimerQueue::StopAll(HWND hwnd) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd; }),
                timers_.end());
}

std::optional<MSG> TimerQueue::Due(uint32_t now) const {
  const Timer* best = nullptr;
  for (const Timer& t : timers_) {
    if (Until(t.due, now) > 0) continue;
    if (!best || Until(t.due, now) < Until(best->due, now)) best = &t;
  }
  if (!best) return std::nullopt;
  MSG msg;
  msg.hwnd = best->hwnd;
  msg.message = WM_TIMER;
  msg.wParam = best->id;
  msg.time = now;
  return msg;
}

void TimerQueue::Handed(const MSG& timerMessage) {
  for (Timer& t : timers_)
    if (t.hwnd == timerMessage.hwnd && t.id == timerMessage.wParam)
      t.due = timerMessage.time + t.interval;
}

std::optional<uint32_t> TimerQueue::NextDelay(uint32_t now) const {
  if (timers_.empty()) return std::nullopt;
  int32_t best = std::numeric_limits<int32_t>::max();
  for (const Timer& t : timers_) best = std::min(best, Until(t.due, now));
  return static_cast<uint32_t>(std::max<int32_t>(best, 0));
}

}  // namespace platform
