#include "framework/forms/TimerComponent.h"

#include <exception>

#include "framework/classes/ClassBuilder.h"
#include "framework/forms/Application.h"
#include "platform/windows/Timer.h"
#include "platform/windows/Window.h"

namespace framework {

namespace {

constexpr uintptr_t kTimerId = 1;

}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTimer>("TTimer", TComponent::StaticClassInfo())
          .Creatable()
          .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
          .Integer(
              "Interval", [](const TTimer& o) { return static_cast<int>(o.Interval()); },
              [](TTimer& o, int v) {
                if (v < 0) ThrowPropertyError("Interval cannot be negative");
                o.SetInterval(static_cast<uint32_t>(v));
              },
              1000)
          .EventProperty("OnTimer", &TTimer::SetOnTimer);
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  Destroying();
  Stop();
  if (window_) {
    const HWND h = window_;
    window_ = nullptr;
    platform::DestroyWindow(h);
  }
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
  if (v == interval_) return;
  interval_ = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Stop() {
  if (running_ && window_) platform::KillTimer(window_, kTimerId);
  running_ = false;
}

void TTimer::UpdateTimer() {
  Stop();
  if (!enabled_ || interval_ == 0 || !onTimer_ || HasState(csLoading) || HasState(csDestroying))
    return;
  if (!window_ || !platform::IsWindow(window_)) {
    platform::CreateWindowParams p;
    p.ClassName = "TTimer";
    p.Parent = platform::HWND_MESSAGE;
    p.WindowProc = [this](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
      if (msg == platform::WM_TIMER && w == kTimerId && h == window_) {
        try {
          Timer();
        } catch (const std::exception& e) {
          if (!Application()) throw;
          Application()->HandleException(this, e);
        }
        return 0;
      }
      return platform::DefWindowProc(h, msg, w, l);
    };
    window_ = platform::CreateWindowEx(p);
    if (!window_) throw Exception("Not enough timers available");
  }
  if (!platform::SetTimer(window_, kTimerId, interval_))
    throw Exception("Not enough timers available");
  running_ = true;
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

}  // namespace framework
