// Messages: sending, posting, the queues and the order in which the loop hands messages out
// (posted messages, then input, then the quit message, then WM_PAINT, then WM_TIMER), and timers.

#include <algorithm>
#include <limits>

#include "platform/windows/WindowSystem.h"

namespace platform {

namespace {

// Milliseconds from now until due on a wrapping 32-bit clock; negative when overdue.
int32_t Until(uint32_t due, uint32_t now) { return static_cast<int32_t>(due - now); }

}  // namespace

uint32_t WindowSystem::Now() { return backend().TickCount(); }

LRESULT WindowSystem::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowObject* w = Find(hwnd);
  if (!w) return 0;
  // The procedure stays alive for this call even if it replaces itself meanwhile.
  const std::shared_ptr<WNDPROC> proc = w->proc;
  struct Depth {
    int& d;
    explicit Depth(int& depth) : d(depth) { ++d; }
    ~Depth() { --d; }
  } depth(dispatchDepth_);
  return (*proc)(hwnd, msg, wParam, lParam);
}

bool WindowSystem::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !Find(hwnd)) return false;
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = Now();
  m.pt = backend().CursorPos();
  posted_.push_back(m);
  return true;
}

void WindowSystem::PostQuit(int exitCode) { quitCode_ = exitCode; }

void WindowSystem::QueueInput(const MSG& msg) {
  // Only the latest position matters while moves pile up for one window.
  if (msg.message == WM_MOUSEMOVE && !input_.empty() && input_.back().msg.message == WM_MOUSEMOVE &&
      input_.back().msg.hwnd == msg.hwnd && input_.back().msg.wParam == msg.wParam) {
    input_.back() = {msg, latest_};
    return;
  }
  input_.push_back({msg, latest_});
}

bool WindowSystem::Get(MSG* msg, bool remove, bool wait) {
  for (;;) {
    if (dispatchDepth_ == 0) graveyard_.clear();
    if (posted_.empty()) backend().WaitForEvents(0);

    // Messages for windows destroyed after they were queued are dropped.
    while (!posted_.empty() && posted_.front().hwnd && !Find(posted_.front().hwnd))
      posted_.pop_front();
    if (!posted_.empty()) {
      *msg = posted_.front();
      if (remove) posted_.pop_front();
      return true;
    }
    while (!input_.empty() && !Find(input_.front().msg.hwnd)) input_.pop_front();
    if (!input_.empty()) {
      *msg = input_.front().msg;
      if (remove) {
        current_ = input_.front().state;
        input_.pop_front();
      }
      return true;
    }
    // Every input message has been taken: the key state is the desktop's again.
    if (remove) current_ = latest_;
    if (quitCode_) {
      *msg = MSG{};
      msg->message = WM_QUIT;
      msg->wParam = static_cast<WPARAM>(*quitCode_);
      msg->time = Now();
      if (remove) quitCode_.reset();
      return true;
    }
    if (WindowObject* w = NextWindowToPaint()) {
      *msg = MSG{};
      msg->hwnd = w->handle;
      msg->message = WM_PAINT;
      msg->time = Now();
      if (remove) w->internalPaint = false;
      return true;
    }
    if (DueTimer(msg)) {
      if (remove) {
        for (Timer& t : timers_)
          if (t.hwnd == msg->hwnd && t.id == msg->wParam) t.due = msg->time + t.interval;
      }
      return true;
    }
    // Nothing to hand out: the screen catches up, then the loop sleeps until something happens.
    PresentAll();
    if (!wait) return false;
    backend().WaitForEvents(NextTimerDelay());
  }
}

LRESULT WindowSystem::Dispatch(const MSG& msg) {
  if (!msg.hwnd) return 0;
  messageTime_ = msg.time;
  if (!failureReport_) return Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  try {
    return Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  } catch (const std::exception& failure) {
    // A paint that failed before it took the invalid region would be handed out again at once,
    // for ever; the window is painted again when something invalidates it anew.
    if (msg.message == WM_PAINT) {
      if (WindowObject* w = Find(msg.hwnd)) {
        w->invalid = Region();
        w->eraseNeeded = false;
        w->internalPaint = false;
        w->frameInvalid = false;
      }
    }
    // The report may run a loop of its own (a message box); it stays set for that loop.
    const FailureReport report = failureReport_;
    report(failure);
    return 0;
  }
}

uintptr_t WindowSystem::StartTimer(HWND hwnd, uintptr_t id, uint32_t intervalMs) {
  if (!Find(hwnd)) return 0;
  const uint32_t interval = std::max<uint32_t>(intervalMs, 10);
  const uint32_t due = Now() + interval;
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

bool WindowSystem::StopTimer(HWND hwnd, uintptr_t id) {
  const auto before = timers_.size();
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }),
                timers_.end());
  return timers_.size() != before;
}

// The most overdue timer, as one WM_TIMER however many intervals have passed.
bool WindowSystem::DueTimer(MSG* msg) {
  if (timers_.empty()) return false;
  const uint32_t now = Now();
  const Timer* best = nullptr;
  for (const Timer& t : timers_) {
    if (Until(t.due, now) > 0 || !Find(t.hwnd)) continue;
    if (!best || Until(t.due, now) < Until(best->due, now)) best = &t;
  }
  if (!best) return false;
  *msg = MSG{};
  msg->hwnd = best->hwnd;
  msg->message = WM_TIMER;
  msg->wParam = best->id;
  msg->time = now;
  return true;
}

std::optional<uint32_t> WindowSystem::NextTimerDelay() {
  if (timers_.empty()) return std::nullopt;
  const uint32_t now = Now();
  int32_t best = std::numeric_limits<int32_t>::max();
  for (const Timer& t : timers_) best = std::min(best, Until(t.due, now));
  return static_cast<uint32_t>(std::max<int32_t>(best, 0));
}

}  // namespace platform
