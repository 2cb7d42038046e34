// Messages: sending, posting, the queues and the order in which the loop hands messages out
// (posted messages, then input, then the quit message, then WM_PAINT, then WM_TIMER).

#include "platform/windows/WindowSystem.h"

namespace platform {

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
    if (const std::optional<MSG> timer = timers_.Due(Now())) {
      *msg = *timer;
      if (remove) timers_.Handed(*timer);
      return true;
    }
    // Nothing to hand out: the screen catches up, then the loop sleeps until something happens.
    PresentAll();
    if (!wait) return false;
    backend().WaitForEvents(timers_.NextDelay(Now()));
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

}  // namespace platform
